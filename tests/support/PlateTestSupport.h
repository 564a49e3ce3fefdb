#pragma once
// The plate page under test: a fresh program folder, the fake desktop, the
// bank store and the page, plus lookups of its controls by object name.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bank/BankStore.h"
#include "plate/ui/CDTemplate.h"
#include "support/FakePlatform.h"
#include "text/Encoding.h"

namespace torepal::platetest {

inline std::string S(const std::string& utf8)
{
    const SjisConversion c = SjisFromUtf8(utf8);
    EXPECT_TRUE(c.ok()) << "expected text holds " << DescribeCharacters(c.unmappable);
    return c.text;
}

class TempProgramFolder {
public:
    explicit TempProgramFolder(bool withBack = true)
    {
        static std::atomic<int> counter{0};
        const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() / ("torepal-plate-" + std::to_string(::getpid()) + "-" +
                                                          std::to_string(tick) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
        if (withBack) std::filesystem::create_directory(path_ / "back");
    }
    ~TempProgramFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    static std::string ReadBytes(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

// A page on a fresh folder. `makePage()` builds a new page object on the
// same folder, as a restart of the program would.
class PlatePageTest : public ::testing::Test {
protected:
    TempProgramFolder folder;
    FakePlatform platform;
    BankStore bank{folder.path()};
    std::unique_ptr<CDTemplate> page;

    void SetUp() override { makePage(); }

    void makePage()
    {
        page.reset();
        page = std::make_unique<CDTemplate>(platform, bank, folder.path());
        page->resize(870, 700);
    }

    template <typename W>
    W* find(const char* name) const
    {
        W* w = page->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* line(const char* name) const { return find<QLineEdit>(name); }
    QPlainTextEdit* multi(const char* name) const { return find<QPlainTextEdit>(name); }
    QComboBox* combo(const char* name) const { return find<QComboBox>(name); }
    QCheckBox* box(const char* name) const { return find<QCheckBox>(name); }
    QRadioButton* radio(const char* name) const { return find<QRadioButton>(name); }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QString labelText(const char* name) const { return find<QLabel>(name)->text(); }

    std::filesystem::path back() const { return folder.path() / "back"; }
    std::size_t savedCount() const
    {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(back())) ++n;
        return n;
    }
};

}  // namespace torepal::platetest
