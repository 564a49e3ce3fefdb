#pragma once
// The archive encoding of the settings files: little-endian numbers and
// length-prefixed Shift-JIS texts, assembled byte by byte.
//
// Text prefix written for a length n:
//   n 0..254        one byte n
//   n 255..65533    FF, then n as u16
//   n >= 65534      FF FF FF, then n as u32
// The reader takes these three forms and two more that older writers may
// have left: FF FF FF FF FF FF FF followed by n as a 64-bit value, and the
// marker FF FE FF, after which a second prefix counts UTF-16 code units that
// are turned into Shift-JIS.

#include <cstdint>
#include <string>
#include <string_view>

namespace torepal {

class ArchiveWriter {
public:
    void putU32(std::uint32_t value);
    void putInt32(std::int32_t value) { putU32(static_cast<std::uint32_t>(value)); }
    void putTick(bool on) { putU32(on ? 1u : 0u); }
    void putString(std::string_view sjis);

    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }

private:
    void putByte(std::uint8_t b) { bytes_.push_back(static_cast<char>(b)); }
    void putU16(std::uint16_t value);
    std::string bytes_;
};

enum class ArchiveError {
    None,
    EndOfFile,  // the bytes end before the field does
    Format,     // a length of 2^31 or more, or a second UTF-16 marker
};

// Reads fields from a byte buffer; never reads past its end. After the first
// fault every further read fails too and leaves its target untouched, so a
// reader can assign fields as it goes and keep what came before the fault.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}
    // The reader only looks at the bytes: they must outlive it.
    explicit ArchiveReader(std::string&&) = delete;

    bool getU32(std::uint32_t& value);
    bool getInt32(std::int32_t& value);
    bool getTick(bool& on);  // on when the u32 is not 0
    bool getString(std::string& sjis);

    ArchiveError error() const { return error_; }
    bool ok() const { return error_ == ArchiveError::None; }
    std::size_t remaining() const { return bytes_.size() - pos_; }

private:
    bool need(std::uint64_t count);
    bool getByte(std::uint8_t& b);
    bool getU16(std::uint16_t& value);
    bool getU64(std::uint64_t& value);
    bool getLength(std::uint64_t& length, bool& utf16);
    bool fail(ArchiveError error);

    std::string_view bytes_;
    std::size_t pos_ = 0;
    ArchiveError error_ = ArchiveError::None;
};

// The prefix and bytes of one text, as the writer stores it.
std::string ArchiveString(std::string_view sjis);

// Little-endian UTF-16 code units to Shift-JIS. A character code page 932
// cannot hold becomes "?", as the system's own conversion does; a lone
// surrogate counts as such a character.
std::string SjisFromUtf16Le(std::string_view units);

}  // namespace torepal
