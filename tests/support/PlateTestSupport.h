#pragma once
// The plate page under test: a fresh program folder, the fake desktop, the
// bank store and the page, plus lookups of its controls by object name.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <memory>
#include <string>

#include "bank/BankStore.h"
#include "plate/ui/CDTemplate.h"
#include "support/FakePlatform.h"
#include "support/core/TempFolder.h"
#include "support/core/TestText.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"

namespace torepal::test {

// A page on a fresh folder. `makePage()` builds a new page object on the
// same folder, as a restart of the program would.
class PlatePageTest : public ::testing::Test {
protected:
    TempFolder folder{"back"};
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

}  // namespace torepal::test
