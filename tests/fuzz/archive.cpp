// The archive reader of the settings files on arbitrary bytes: it never
// reads past the end, never allocates more than the bytes it was given, a
// text in the writer's own short form comes back byte for byte, and every
// text read is written and read again unchanged.
//
// Input: one byte whose bits choose, field by field, a text (1) or a u32
// (0), repeating; then the bytes to read.

#include "store/Archive.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace torepal;
    fuzz::InputReader in(data, size);
    const std::uint8_t plan = in.byte();
    const std::string_view bytes = in.rest();

    ArchiveReader reader(bytes);
    ArchiveWriter writer;
    std::size_t fields = 0;
    std::size_t textBytes = 0;
    for (unsigned field = 0; reader.ok(); ++field) {
        const std::size_t before = reader.remaining();
        const std::size_t at = bytes.size() - before;
        if (plan & (1u << (field % 8))) {
            std::string text = "untouched";
            if (!reader.getString(text)) {
                FUZZ_CHECK(text == "untouched");  // a failed read leaves its target alone
                break;
            }
            const std::size_t used = before - reader.remaining();
            FUZZ_CHECK(used >= 1);
            const std::string_view raw = bytes.substr(at, used);
            const unsigned char first = static_cast<unsigned char>(raw[0]);
            if (first != 0xFF) {
                // The one-byte form: exactly what the writer makes.
                FUZZ_CHECK(ArchiveString(text) == raw);
            } else if (raw.size() >= 3 && static_cast<unsigned char>(raw[1]) == 0xFE &&
                       static_cast<unsigned char>(raw[2]) == 0xFF) {
                // UTF-16: at most one Shift-JIS double byte per unit read.
                FUZZ_CHECK(text.size() <= used);
            } else {
                FUZZ_CHECK(text.size() <= used);
                FUZZ_CHECK(raw.substr(used - text.size()) == text);
            }
            textBytes += text.size();
            writer.putString(text);
        } else {
            std::uint32_t value = 0xDEADBEEF;
            if (!reader.getU32(value)) {
                FUZZ_CHECK(value == 0xDEADBEEF);
                FUZZ_CHECK(before < 4);
                break;
            }
            FUZZ_CHECK(before - reader.remaining() == 4);
            const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
            FUZZ_CHECK(value == (p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24)));
            writer.putU32(value);
        }
        ++fields;
    }
    // After a fault every read fails.
    std::string s;
    std::uint32_t v = 0;
    if (!reader.ok()) {
        FUZZ_CHECK(!reader.getString(s) && !reader.getU32(v));
        FUZZ_CHECK(reader.error() != ArchiveError::None);
    }

    // What was read, written again in the writer's forms, reads back the
    // same, field by field, to the last byte.
    ArchiveReader again(writer.bytes());
    for (unsigned field = 0; field < fields; ++field) {
        if (plan & (1u << (field % 8))) {
            FUZZ_CHECK(again.getString(s));
        } else {
            FUZZ_CHECK(again.getU32(v));
        }
    }
    FUZZ_CHECK(again.ok() && again.remaining() == 0);
    FUZZ_CHECK(writer.bytes().size() <= textBytes + 7 * fields + 4 * fields);
    return 0;
}
