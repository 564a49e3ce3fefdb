#include "support/core/WholeFiles.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>

namespace torepal::test {

std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FolderNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const char* FaultName(WriteFault fault)
{
    switch (fault) {
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

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit now = old_;
    now.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &now);
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
}

}  // namespace torepal::test
