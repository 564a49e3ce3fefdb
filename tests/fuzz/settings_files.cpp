// The settings loaders and stores on real files holding arbitrary bytes: a
// file that does not read whole is copied aside before anything replaces
// it, the copy holds exactly the damaged bytes, loading it again does not
// pile up copies, and the next store writes a file that reads back as what
// was stored.
//
// Input: one byte choosing bank.ini, plate.ini or status.ini, then the
// file's bytes.

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "FuzzSupport.h"
#include "store/SettingsFiles.h"
#include "text/Files.h"

namespace {

using namespace torepal;
namespace fs = std::filesystem;

// Never destroyed, so it is still there when the exit handler removes it.
const fs::path& Folder()
{
    static const fs::path* const folder = [] {
        // Memory-backed when the machine has it: every store syncs to disk,
        // which would make each run wait for the disk.
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0
                                  ? fs::path("/dev/shm")
                                  : fs::temp_directory_path();
        auto* p = new fs::path(base / ("torepal-fuzz-settings-" + std::to_string(::getpid())));
        fs::create_directories(*p);
        return p;
    }();
    static const bool cleanUp = std::atexit([] {
                                    std::error_code ec;
                                    fs::remove_all(Folder(), ec);
                                }) == 0;
    (void)cleanUp;
    return *folder;
}

void Empty(const fs::path& folder)
{
    for (const auto& e : fs::directory_iterator(folder)) fs::remove_all(e.path());
}

std::size_t Count(const fs::path& folder)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
    return n;
}

template <typename Record>
void Check(std::string_view bytes, const char* name, Loaded<Record> (*load)(const fs::path&),
           bool (*store)(const fs::path&, const Record&), bool (*decode)(std::string_view, Record&),
           std::string (*encode)(const Record&), Record (*salvage)(std::string_view), bool emptyIsMissing = false)
{
    const fs::path& folder = Folder();
    Empty(folder);
    {
        std::ofstream out(folder / name, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    Record expected;
    // An empty plate.ini is the first start: nothing loaded, nothing kept.
    const bool missing = emptyIsMissing && bytes.empty();
    const bool whole = decode(bytes, expected) || missing;
    if (missing) expected = Record{};
    // A damaged file gives only the values the form could have written.
    if (!whole) expected = salvage(bytes);

    const Loaded<Record> first = load(folder);
    FUZZ_CHECK(first.status == (missing ? LoadStatus::Missing : whole ? LoadStatus::Loaded : LoadStatus::Damaged));
    FUZZ_CHECK(encode(first.record) == encode(expected));
    FUZZ_CHECK(ReadWholeFile(folder / name).bytes == bytes);  // loading never changes the file
    if (!whole) {
        FUZZ_CHECK(!first.keptCopy.empty());
        FUZZ_CHECK(ReadWholeFile(first.keptCopy).bytes == bytes);
        const Loaded<Record> second = load(folder);
        FUZZ_CHECK(second.keptCopy == first.keptCopy);
        FUZZ_CHECK(Count(folder) == 2);
    } else {
        FUZZ_CHECK(first.keptCopy.empty());
        FUZZ_CHECK(Count(folder) == 1);
    }

    FUZZ_CHECK(store(folder, first.record));
    const ReadResult now = ReadWholeFile(folder / name);
    FUZZ_CHECK(now.ok() && now.bytes == encode(first.record));
    FUZZ_CHECK(load(folder).status == LoadStatus::Loaded);
    if (!whole) FUZZ_CHECK(ReadWholeFile(first.keptCopy).bytes == bytes);
    FUZZ_CHECK(Count(folder) == (whole ? 1u : 2u));  // no temporaries left
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader in(data, size);
    const std::uint8_t which = in.byte() % 3;
    const std::string_view bytes = in.rest();
    switch (which) {
        case 0:
            Check<CBSave>(bytes, kBankFile, LoadBankFile, StoreBankFile, DecodeBank, EncodeBank, SalvageBank);
            break;
        case 1:
            Check<CPSave>(bytes, kPlateFile, LoadPlateFile, StorePlateFile, DecodePlate, EncodePlate, SalvagePlate,
                          true);
            break;
        default:
            Check<CSavemail>(bytes, kStatusFile, LoadStatusFile, StoreStatusFile, DecodeStatus, EncodeStatus,
                             SalvageStatus);
            break;
    }
    Empty(Folder());
    return 0;
}
