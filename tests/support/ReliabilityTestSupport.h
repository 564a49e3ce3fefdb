#pragma once
// Faults for the save tests: the write hook of the atomic write, a real
// file-size limit (the kernel refuses bytes past it, as a full disk does),
// and a listing of what a folder holds afterwards.

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "text/Files.h"

namespace torepal::reliability {

class WriteFaultGuard {
public:
    explicit WriteFaultGuard(WriteFault f) { SetWriteFaultForTesting(f); }
    ~WriteFaultGuard() { SetWriteFaultForTesting(WriteFault::None); }
    WriteFaultGuard(const WriteFaultGuard&) = delete;
    WriteFaultGuard& operator=(const WriteFaultGuard&) = delete;
};

// While it lives, no file of this process can grow past `bytes`: a write
// across the limit stops part way and then fails (EFBIG), as on a full
// disk. Keep it short: the test's own output is not written meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit now = old_;
        now.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &now);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

inline std::vector<std::string> FolderNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline const char* FaultName(WriteFault f)
{
    switch (f) {
        case WriteFault::None:
            return "None";
        case WriteFault::Create:
            return "Create";
        case WriteFault::Write:
            return "Write";
        case WriteFault::Sync:
            return "Sync";
        case WriteFault::Rename:
            return "Rename";
        case WriteFault::CrashBeforeRename:
            return "CrashBeforeRename";
    }
    return "?";
}

}  // namespace torepal::reliability
