#pragma once
// Whole files in tests: bytes put in and read back exactly, what a folder
// holds, and the write faults and size limits the save tests inject.

#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "io/File.h"

namespace torepal::test {

// The file's bytes; empty for a file that is missing or cannot be read
// (tests that care check existence themselves).
std::string ReadBytes(const std::filesystem::path& file);

// Creates or truncates the file with exactly these bytes, the plain way
// (not through the file module under test).
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// The names in a folder, sorted.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

// The write-fault hook of the file module, held for one scope.
class WriteFaultGuard {
public:
    explicit WriteFaultGuard(WriteFault fault) { SetWriteFaultForTesting(fault); }
    ~WriteFaultGuard() { SetWriteFaultForTesting(WriteFault::None); }
    WriteFaultGuard(const WriteFaultGuard&) = delete;
    WriteFaultGuard& operator=(const WriteFaultGuard&) = delete;
};

// The fault's name, for test names and messages.
const char* FaultName(WriteFault fault);

// While it lives, no file of this process can grow past `bytes`: a write
// across the limit stops part way and then fails (EFBIG), as on a full
// disk. Keep it short: the test's own output is not written meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace torepal::test
