#pragma once
// The main window in a fresh program folder with the fake desktop, for the
// window and project-file tests: widgets found by object name, text typed as
// the seller would, files put in and read back byte for byte.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/MainDialog.h"
#include "plate/ui/CDTemplate.h"
#include "store/BankAccount.h"
#include "store/SettingsFiles.h"
#include "support/FakePlatform.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"
#include "text/Files.h"

namespace torepal::test {

class AppTest : public ::testing::Test {
protected:
    void SetUp() override { write("file/a.txt", "[name] [sum]\r\r\n[bank]\r\r\n"); }

    void TearDown() override
    {
        SetWriteFaultForTesting(WriteFault::None);
        window.reset();
    }

    MainDialog& start()
    {
        window = std::make_unique<MainDialog>(platform, folder);
        return *window;
    }

    void write(const std::string& relative, const std::string& bytes)
    {
        ASSERT_EQ(WriteFileAtomically(folder / relative, bytes), WriteStatus::Ok) << relative;
    }

    std::string read(const std::string& relative) const
    {
        const ReadResult r = ReadWholeFile(folder / relative);
        return r.ok() ? r.bytes : std::string("<missing>");
    }

    bool exists(const std::string& relative) const { return std::filesystem::exists(folder / relative); }

    // bank.ini with the given bank names in rows 1 to 4.
    void writeBankNames(const std::string& b1, const std::string& b2 = {}, const std::string& b3 = {},
                        const std::string& b4 = {})
    {
        CBSave record;
        record.rows[0].bankName = Sjis(b1);
        record.rows[1].bankName = Sjis(b2);
        record.rows[2].bankName = Sjis(b3);
        record.rows[3].bankName = Sjis(b4);
        write(kBankFile, EncodeBank(record));
    }

    // The plate page's widgets (both form pages have account boxes of the
    // same names, so lookups stay inside the plate page).
    QWidget& plate() const;

    template <typename W>
    W* find(const char* name) const
    {
        W* w = plate().findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QAction* action(const char* name) const
    {
        QAction* a = window->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    void trigger(const char* name) const { action(name)->trigger(); }

    // Text as the seller sees it (UTF-8).
    std::string text(const char* name) const
    {
        if (auto* line = plate().findChild<QLineEdit*>(QString::fromLatin1(name))) return line->text().toStdString();
        if (auto* edit = plate().findChild<QPlainTextEdit*>(QString::fromLatin1(name)))
            return edit->toPlainText().toStdString();
        if (auto* box = plate().findChild<QCheckBox*>(QString::fromLatin1(name))) return box->text().toStdString();
        if (auto* label = plate().findChild<QLabel*>(QString::fromLatin1(name))) return label->text().toStdString();
        ADD_FAILURE() << name;
        return {};
    }

    void type(const char* name, const std::string& utf8) const
    {
        if (auto* line = plate().findChild<QLineEdit*>(QString::fromLatin1(name)))
            return line->setText(QString::fromStdString(utf8));
        if (auto* edit = plate().findChild<QPlainTextEdit*>(QString::fromLatin1(name)))
            return edit->setPlainText(QString::fromStdString(utf8));
        ADD_FAILURE() << name;
    }

    bool checked(const char* name) const { return find<QAbstractButton>(name)->isChecked(); }
    void setChecked(const char* name, bool on) const { find<QAbstractButton>(name)->setChecked(on); }
    int selected(const char* name) const { return find<QComboBox>(name)->currentIndex(); }
    void select(const char* name, int index) const { find<QComboBox>(name)->setCurrentIndex(index); }

    void chooseTab(int index) const { window->tabs().setCurrentIndex(index); }

    // Answers the next modal dialog with OK after `fill` has set it up.
    void answerNextDialog(std::function<void(QDialog&)> fill = {})
    {
        platform.dialogs.push_back([fill](QDialog& d) {
            if (fill) fill(d);
            d.accept();
            return d.result();
        });
    }
    void cancelNextDialog()
    {
        platform.dialogs.push_back([](QDialog& d) {
            d.reject();
            return d.result();
        });
    }

    // The files "完成" saved in back/, by name.
    std::vector<std::filesystem::path> savedPages() const
    {
        std::vector<std::filesystem::path> pages;
        for (const auto& e : std::filesystem::directory_iterator(folder / "back"))
            if (e.path().extension() == ".html") pages.push_back(e.path());
        std::sort(pages.begin(), pages.end());
        return pages;
    }

    TempFolder programFolder{"back", "file"};
    std::filesystem::path folder = programFolder.path();
    FakePlatform platform;
    std::unique_ptr<MainDialog> window;
};

inline QWidget& AppTest::plate() const
{
    return window->platePage();
}

}  // namespace torepal::test
