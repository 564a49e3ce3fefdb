#pragma once
// The layout the program's own binary records share (the recovery file, the
// frames to the preview process): 32-bit numbers as four little-endian
// bytes, texts as their byte count followed by the bytes. Written byte by
// byte, so the layout does not depend on the machine.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace torepal {

inline void PutU32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// A signed number is written as its two's-complement bits.
inline void PutI32(std::string& out, int value)
{
    std::uint32_t raw = 0;
    const std::int32_t signedValue = value;
    std::memcpy(&raw, &signedValue, sizeof raw);
    PutU32(out, raw);
}

inline void PutText(std::string& out, std::string_view text)
{
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

// Reads a record front to back. A read that would run past the end fails,
// and the caller refuses the record as a whole.
class LittleEndianReader {
public:
    explicit LittleEndianReader(std::string_view bytes) : bytes_(bytes) {}

    bool u32(std::uint32_t& value)
    {
        if (bytes_.size() - at_ < 4) return false;
        value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
        at_ += 4;
        return true;
    }

    bool i32(int& value)
    {
        std::uint32_t raw = 0;
        if (!u32(raw)) return false;
        std::int32_t signedValue = 0;
        std::memcpy(&signedValue, &raw, sizeof signedValue);
        value = signedValue;
        return true;
    }

    bool text(std::string& value)
    {
        std::uint32_t length = 0;
        if (!u32(length) || bytes_.size() - at_ < length) return false;
        value.assign(bytes_.substr(at_, length));
        at_ += length;
        return true;
    }

    bool atEnd() const { return at_ == bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

}  // namespace torepal
