#pragma once
// A fresh program folder for mail tests, removed afterwards, plus small
// helpers to put files into it and read them back byte for byte.

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace torepal::mailtest {

class TempProgramFolder {
public:
    explicit TempProgramFolder(bool withBack = true, bool withFile = true)
    {
        static std::atomic<int> counter{0};
        const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() / ("torepal-mail-" + std::to_string(::getpid()) + "-" +
                                                          std::to_string(tick) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
        if (withBack) std::filesystem::create_directory(path_ / "back");
        if (withFile) std::filesystem::create_directory(path_ / "file");
    }
    ~TempProgramFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes raw bytes; `relative` is a UTF-8 path inside the folder.
    void write(const std::string& relative, std::string_view bytes) const
    {
        std::ofstream out(path_ / relative, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string read(const std::filesystem::path& relative) const { return ReadBytes(path_ / relative); }

    static std::string ReadBytes(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

// Decodes %XX escapes, as a mail program does with a mailto: parameter.
inline std::string PercentDecoded(std::string_view text)
{
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && value(text[i + 1]) >= 0 && value(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(value(text[i + 1]) * 16 + value(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace torepal::mailtest
