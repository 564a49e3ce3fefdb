#include "store/Archive.h"

#include <vector>

#include "text/Encoding.h"

namespace torepal {
namespace {

// Longest text a reader accepts; anything longer is not a settings file.
constexpr std::uint64_t kLongestText = std::uint64_t{1} << 31;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

void ArchiveWriter::putU16(std::uint16_t value)
{
    putByte(static_cast<std::uint8_t>(value & 0xFF));
    putByte(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::putU32(std::uint32_t value)
{
    putByte(static_cast<std::uint8_t>(value & 0xFF));
    putByte(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    putByte(static_cast<std::uint8_t>((value >> 16) & 0xFF));
    putByte(static_cast<std::uint8_t>(value >> 24));
}

void ArchiveWriter::putString(std::string_view sjis)
{
    const std::uint64_t n = sjis.size();
    if (n < 0xFF) {
        putByte(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        putByte(0xFF);
        putU16(static_cast<std::uint16_t>(n));
    } else if (n < 0xFFFFFFFF) {
        putByte(0xFF);
        putU16(0xFFFF);
        putU32(static_cast<std::uint32_t>(n));
    } else {
        // Never reached by real settings; kept so the prefix is never wrong.
        putByte(0xFF);
        putU16(0xFFFF);
        putU32(0xFFFFFFFF);
        putU32(static_cast<std::uint32_t>(n & 0xFFFFFFFF));
        putU32(static_cast<std::uint32_t>(n >> 32));
    }
    bytes_.append(sjis);
}

std::string ArchiveString(std::string_view sjis)
{
    ArchiveWriter w;
    w.putString(sjis);
    return w.take();
}

bool ArchiveReader::fail(ArchiveError error)
{
    if (error_ == ArchiveError::None) error_ = error;
    return false;
}

bool ArchiveReader::need(std::uint64_t count)
{
    if (!ok()) return false;
    if (count > remaining()) return fail(ArchiveError::EndOfFile);
    return true;
}

bool ArchiveReader::getByte(std::uint8_t& b)
{
    if (!need(1)) return false;
    b = static_cast<std::uint8_t>(bytes_[pos_++]);
    return true;
}

bool ArchiveReader::getU16(std::uint16_t& value)
{
    if (!need(2)) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
    value = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    pos_ += 2;
    return true;
}

bool ArchiveReader::getU32(std::uint32_t& value)
{
    if (!need(4)) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
    value = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
            (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    pos_ += 4;
    return true;
}

bool ArchiveReader::getU64(std::uint64_t& value)
{
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    if (!need(8) || !getU32(low) || !getU32(high)) return false;
    value = (static_cast<std::uint64_t>(high) << 32) | low;
    return true;
}

bool ArchiveReader::getInt32(std::int32_t& value)
{
    std::uint32_t raw = 0;
    if (!getU32(raw)) return false;
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool ArchiveReader::getTick(bool& on)
{
    std::uint32_t raw = 0;
    if (!getU32(raw)) return false;
    on = raw != 0;
    return true;
}

bool ArchiveReader::getLength(std::uint64_t& length, bool& utf16)
{
    utf16 = false;
    for (;;) {
        std::uint8_t b = 0;
        if (!getByte(b)) return false;
        if (b != 0xFF) {
            length = b;
            break;
        }
        std::uint16_t w = 0;
        if (!getU16(w)) return false;
        if (w == 0xFFFE) {
            // The UTF-16 marker; the real prefix follows, once.
            if (utf16) return fail(ArchiveError::Format);
            utf16 = true;
            continue;
        }
        if (w != 0xFFFF) {
            length = w;
            break;
        }
        std::uint32_t d = 0;
        if (!getU32(d)) return false;
        if (d != 0xFFFFFFFF) {
            length = d;
            break;
        }
        if (!getU64(length)) return false;
        break;
    }
    if (length >= kLongestText) return fail(ArchiveError::Format);
    return true;
}

bool ArchiveReader::getString(std::string& sjis)
{
    std::uint64_t length = 0;
    bool utf16 = false;
    if (!getLength(length, utf16)) return false;
    // Checked against what is left before anything is allocated, so a
    // damaged prefix cannot ask for gigabytes.
    const std::uint64_t byteCount = utf16 ? length * 2 : length;
    if (!need(byteCount)) return false;
    const std::string_view raw = bytes_.substr(pos_, static_cast<std::size_t>(byteCount));
    pos_ += static_cast<std::size_t>(byteCount);
    sjis = utf16 ? SjisFromUtf16Le(raw) : std::string(raw);
    return true;
}

std::string SjisFromUtf16Le(std::string_view units)
{
    const auto* p = reinterpret_cast<const unsigned char*>(units.data());
    const std::size_t count = units.size() / 2;
    auto unit = [&](std::size_t i) -> char32_t { return p[2 * i] | (p[2 * i + 1] << 8); };

    std::string utf8;
    utf8.reserve(count * 3);
    bool loneSurrogate = false;
    std::vector<char32_t> chars;
    chars.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            loneSurrogate = true;
            c = 0xFFFD;  // not in code page 932, so it becomes "?" below
        }
        chars.push_back(c);
        AppendUtf8(utf8, c);
    }

    SjisConversion whole = SjisFromUtf8(utf8);
    if (whole.ok() && !loneSurrogate) return std::move(whole.text);

    // Something does not fit: convert character by character so each one
    // that does not becomes "?" in its place.
    std::string out;
    out.reserve(whole.text.size() + chars.size());
    std::string one;
    for (char32_t c : chars) {
        one.clear();
        AppendUtf8(one, c);
        const SjisConversion conv = SjisFromUtf8(one);
        out += conv.ok() && !conv.text.empty() ? conv.text : std::string("?");
    }
    return out;
}

}  // namespace torepal
