#pragma once
// A fresh folder for one test, removed afterwards.

#include <filesystem>
#include <random>
#include <string>

namespace torepal {

class TempFolder {
public:
    TempFolder()
    {
        std::random_device rd;
        path_ =
            std::filesystem::temp_directory_path() / ("torepal-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace torepal
