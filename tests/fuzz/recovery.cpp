// The recovery file read from arbitrary bytes: the reader never crashes, a
// record it takes is whole and writes back to the very same bytes (a file
// of the first version is written as a sound file of today's), and
// anything else leaves the record empty.

#include "FuzzSupport.h"
#include "app/RecoveryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace torepal;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RecoveryRecord record;
    const RecoveryDecode result = DecodeRecovery(bytes, record);
    if (result == RecoveryDecode::Ok && !record.textsOnly) {
        FUZZ_CHECK(EncodeRecovery(record) == bytes);
    } else if (result == RecoveryDecode::Ok) {
        // Kept again in today's form, which drops line breaks from the
        // one-line texts as a project file does, so only soundness is asked.
        RecoveryRecord again;
        FUZZ_CHECK(DecodeRecovery(EncodeRecovery(record), again) == RecoveryDecode::Ok);
    } else {
        FUZZ_CHECK(record.empty());
        FUZZ_CHECK(record == RecoveryRecord{});
    }
    return 0;
}
