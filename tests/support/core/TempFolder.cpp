#include "support/core/TempFolder.h"

#include <unistd.h>

#include <atomic>
#include <random>
#include <system_error>

#include "support/core/WholeFiles.h"

namespace torepal::test {

TempFolder::TempFolder()
{
    // The process id and a counter keep parallel test programs and the
    // folders of one test apart; the random part keeps a rerun from
    // meeting what a killed run left behind.
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("torepal-test-" + std::to_string(::getpid()) + "-" +
                                                      std::to_string(counter++) + "-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempFolder::TempFolder(std::initializer_list<std::string_view> subfolders) : TempFolder()
{
    for (std::string_view sub : subfolders) std::filesystem::create_directory(path_ / sub);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempFolder::write(const std::filesystem::path& relative, std::string_view bytes) const
{
    WriteBytes(path_ / relative, bytes);
}

std::string TempFolder::read(const std::filesystem::path& relative) const
{
    return ReadBytes(path_ / relative);
}

}  // namespace torepal::test
