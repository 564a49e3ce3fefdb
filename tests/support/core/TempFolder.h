#pragma once
// A fresh folder for one test, removed with everything in it afterwards;
// as a program folder it starts with the subfolders named ("back", "file").

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace torepal::test {

class TempFolder {
public:
    TempFolder();
    explicit TempFolder(std::initializer_list<std::string_view> subfolders);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return path_ / relative; }

    // Raw bytes in and out; `relative` is a UTF-8 path inside the folder.
    void write(const std::filesystem::path& relative, std::string_view bytes) const;
    std::string read(const std::filesystem::path& relative) const;

private:
    std::filesystem::path path_;
};

}  // namespace torepal::test
