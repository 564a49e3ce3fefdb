#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "bank/BankStore.h"
#include "bank/ui/AccountBoxes.h"
#include "bank/ui/CBank.h"
#include "support/FakePlatform.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"

using namespace torepal;
using namespace torepal::test;

namespace {

template <typename W>
W* Find(QDialog& dialog, const char* name)
{
    W* w = dialog.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QLineEdit* Edit(QDialog& d, const char* name)
{
    return Find<QLineEdit>(d, name);
}
QComboBox* Combo(QDialog& d, const char* name)
{
    return Find<QComboBox>(d, name);
}

// Presses OK the way a test's fake answer does.
int PressOk(QDialog& dialog)
{
    dialog.accept();
    return dialog.result();
}

Accounts SampleRows()
{
    Accounts rows;
    rows[0] = {Sjis("みずほ銀行"), Sjis("渋谷支店"), "1234567", Sjis("ヤマダタロウ"), 0};
    rows[1] = {Sjis("三井住友銀行"), Sjis("新宿支店"), "7654321", Sjis("ヤマダハナコ"), 1};
    rows[kParuruRow] = {"", "10120", "12345671", Sjis("ヤマダタロウ"), 0};
    rows[kFurikaeRow] = {"", "00130-1", "123456", Sjis("ヤマダショウテン"), 0};
    return rows;
}

}  // namespace

TEST(CBank, ShowsItsTitleGroupsColumnsCombosAndButtons)
{
    FakePlatform platform;
    CBank editor(platform);
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("振込み口座の編集"));
    EXPECT_EQ(Find<QGroupBox>(editor, "bankGroup")->title(), QStringLiteral("銀行"));
    EXPECT_EQ(Find<QGroupBox>(editor, "postGroup")->title(), QStringLiteral("郵便局"));

    QStringList bankColumns;
    for (QLabel* l : Find<QGroupBox>(editor, "bankGroup")->findChildren<QLabel*>())
        if (!l->isHidden()) bankColumns << l->text();  // hidden ones name the kind combos
    EXPECT_EQ(bankColumns, (QStringList{"銀行名", "支店名", "種類", "口座番号", "名義"}));
    QStringList postColumns;
    for (QLabel* l : Find<QGroupBox>(editor, "postGroup")->findChildren<QLabel*>())
        if (!l->isHidden()) postColumns << l->text();  // hidden ones name the kind combos
    EXPECT_EQ(postColumns, (QStringList{"記号", "番号", "種類", "名義"}));

    for (const char* name : {"bank1KindCombo", "bank2KindCombo", "bank3KindCombo", "bank4KindCombo"}) {
        QComboBox* c = Combo(editor, name);
        ASSERT_EQ(c->count(), 2) << name;
        EXPECT_EQ(c->itemText(0), QStringLiteral("普通"));
        EXPECT_EQ(c->itemText(1), QStringLiteral("当座"));
        EXPECT_FALSE(c->isEditable());
    }
    ASSERT_EQ(Combo(editor, "paruruKindCombo")->count(), 1);
    EXPECT_EQ(Combo(editor, "paruruKindCombo")->itemText(0), QStringLiteral("ぱるる"));
    ASSERT_EQ(Combo(editor, "furikaeKindCombo")->count(), 1);
    EXPECT_EQ(Combo(editor, "furikaeKindCombo")->itemText(0), QStringLiteral("振替口座"));

    EXPECT_EQ(Find<QPushButton>(editor, "okButton")->text(), QStringLiteral("OK"));
    EXPECT_EQ(Find<QPushButton>(editor, "cancelButton")->text(), QStringLiteral("キャンセル"));
}

TEST(CBank, EveryFieldIsNamedForScreenReaders)
{
    FakePlatform platform;
    CBank editor(platform);
    EXPECT_EQ(Edit(editor, "bank1NameEdit")->accessibleName(), QStringLiteral("銀行1 銀行名"));
    EXPECT_EQ(Edit(editor, "bank3BranchEdit")->accessibleName(), QStringLiteral("銀行3 支店名"));
    EXPECT_EQ(Combo(editor, "bank4KindCombo")->accessibleName(), QStringLiteral("銀行4 種類"));
    EXPECT_EQ(Edit(editor, "bank2NumberEdit")->accessibleName(), QStringLiteral("銀行2 口座番号"));
    EXPECT_EQ(Edit(editor, "paruruSymbolEdit")->accessibleName(), QStringLiteral("ぱるる 記号"));
    EXPECT_EQ(Edit(editor, "furikaeNumberEdit")->accessibleName(), QStringLiteral("振替口座 番号"));
    EXPECT_EQ(Edit(editor, "furikaeHolderEdit")->accessibleName(), QStringLiteral("振替口座 名義"));
    for (QLineEdit* e : editor.findChildren<QLineEdit*>())
        EXPECT_FALSE(e->accessibleName().isEmpty()) << e->objectName().toStdString();
    for (QComboBox* c : editor.findChildren<QComboBox*>())
        EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
}

TEST(CBank, ShowsThePagesRows)
{
    FakePlatform platform;
    Accounts rows = SampleRows();
    platform.dialogs.push_back([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("振込み口座の編集"));
        EXPECT_EQ(Edit(d, "bank1NameEdit")->text(), QStringLiteral("みずほ銀行"));
        EXPECT_EQ(Edit(d, "bank1BranchEdit")->text(), QStringLiteral("渋谷支店"));
        EXPECT_EQ(Edit(d, "bank1NumberEdit")->text(), QStringLiteral("1234567"));
        EXPECT_EQ(Edit(d, "bank1HolderEdit")->text(), QStringLiteral("ヤマダタロウ"));
        EXPECT_EQ(Combo(d, "bank1KindCombo")->currentText(), QStringLiteral("普通"));
        EXPECT_EQ(Combo(d, "bank2KindCombo")->currentText(), QStringLiteral("当座"));
        EXPECT_EQ(Edit(d, "paruruSymbolEdit")->text(), QStringLiteral("10120"));
        EXPECT_EQ(Edit(d, "furikaeHolderEdit")->text(), QStringLiteral("ヤマダショウテン"));
        EXPECT_EQ(Combo(d, "furikaeKindCombo")->currentIndex(), 0);
        EXPECT_EQ(Edit(d, "bank3NameEdit")->text(), QString());
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(EditAccounts(platform, nullptr, rows));
    EXPECT_EQ(platform.dialogs.size(), 0u);
}

TEST(CBank, CancellingChangesNothing)
{
    FakePlatform platform;
    Accounts rows = SampleRows();
    platform.dialogs.push_back([](QDialog& d) {
        Edit(d, "bank1NameEdit")->setText(QStringLiteral("別の銀行"));
        Combo(d, "bank1KindCombo")->setCurrentIndex(1);
        Edit(d, "paruruHolderEdit")->clear();
        d.show();
        QTest::mouseClick(Find<QPushButton>(d, "cancelButton"), Qt::LeftButton);
        return d.result();
    });
    EXPECT_FALSE(EditAccounts(platform, nullptr, rows));
    EXPECT_EQ(rows, SampleRows());

    // Closing without a button (no answer given) is a cancel as well.
    EXPECT_FALSE(EditAccounts(platform, nullptr, rows));
    EXPECT_EQ(rows, SampleRows());
}

TEST(CBank, OkWithoutChangesGivesTheSameRows)
{
    FakePlatform platform;
    Accounts rows = SampleRows();
    platform.dialogs.push_back([](QDialog& d) {
        d.show();
        QTest::mouseClick(Find<QPushButton>(d, "okButton"), Qt::LeftButton);
        return d.result();
    });
    EXPECT_TRUE(EditAccounts(platform, nullptr, rows));
    EXPECT_EQ(rows, SampleRows());
}

TEST(CBank, OkWithoutChangesRewritesAnEmptyBankFileAsFortyEightBytes)
{
    TempFolder folder;
    BankStore store(folder.path());
    std::uint64_t generation = 0;
    Accounts rows = store.load(generation).record.rows;
    FakePlatform platform;
    platform.dialogs.push_back(PressOk);
    ASSERT_TRUE(EditAccounts(platform, nullptr, rows));
    ASSERT_TRUE(store.store(rows, generation));
    EXPECT_EQ(ReadBytes(folder / "bank.ini"), std::string(48, '\0'));
}

TEST(CBank, ACurrentAccountReadsBackAsKindOneAndShowsAgain)
{
    TempFolder folder;
    BankStore store(folder.path());
    std::uint64_t generation = 0;
    Accounts rows;
    FakePlatform platform;
    platform.dialogs.push_back([](QDialog& d) {
        Edit(d, "bank3NameEdit")->setText(QStringLiteral("ゆうちょ銀行"));
        Combo(d, "bank3KindCombo")->setCurrentIndex(1);
        return PressOk(d);
    });
    ASSERT_TRUE(EditAccounts(platform, nullptr, rows));
    EXPECT_EQ(rows[2].kind, 1);
    EXPECT_EQ(rows[2].bankName, Sjis("ゆうちょ銀行"));
    ASSERT_TRUE(store.store(rows, generation));

    Accounts reloaded = store.load(generation).record.rows;
    EXPECT_EQ(reloaded[2].kind, 1);
    platform.dialogs.push_back([](QDialog& d) {
        EXPECT_EQ(Combo(d, "bank3KindCombo")->currentText(), QStringLiteral("当座"));
        EXPECT_EQ(Combo(d, "bank1KindCombo")->currentText(), QStringLiteral("普通"));
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(EditAccounts(platform, nullptr, reloaded));
}

TEST(CBank, EditingTheParuruRowChangesOnlyThatRow)
{
    FakePlatform platform;
    Accounts rows = SampleRows();
    platform.dialogs.push_back([](QDialog& d) {
        Edit(d, "paruruSymbolEdit")->setText(QStringLiteral("14000"));
        Edit(d, "paruruNumberEdit")->setText(QStringLiteral("99999991"));
        Edit(d, "paruruHolderEdit")->setText(QStringLiteral("スズキイチロウ"));
        return PressOk(d);
    });
    ASSERT_TRUE(EditAccounts(platform, nullptr, rows));
    Accounts expected = SampleRows();
    expected[kParuruRow].branch = "14000";
    expected[kParuruRow].number = "99999991";
    expected[kParuruRow].holder = Sjis("スズキイチロウ");
    EXPECT_EQ(rows, expected);
}

TEST(CBank, APostalRowsBankNameIsNeitherShownNorChanged)
{
    FakePlatform platform;
    Accounts rows = SampleRows();
    rows[kParuruRow].bankName = "left over";
    platform.dialogs.push_back([](QDialog& d) {
        auto& editor = static_cast<CBank&>(d);
        EXPECT_EQ(editor.rows()[kParuruRow].bankName, "");
        return PressOk(d);
    });
    ASSERT_TRUE(EditAccounts(platform, nullptr, rows));
    EXPECT_EQ(rows[kParuruRow].bankName, "left over");
}

TEST(CBank, AKindTheComboDoesNotHoldSelectsNothingAndReadsBackMinusOne)
{
    FakePlatform platform;
    Accounts rows;
    rows[0].kind = 5;
    rows[1].kind = -1;
    rows[kFurikaeRow].kind = 1;
    platform.dialogs.push_back([](QDialog& d) {
        EXPECT_EQ(Combo(d, "bank1KindCombo")->currentIndex(), -1);
        EXPECT_EQ(Combo(d, "bank2KindCombo")->currentIndex(), -1);
        EXPECT_EQ(Combo(d, "furikaeKindCombo")->currentIndex(), -1);
        return PressOk(d);
    });
    ASSERT_TRUE(EditAccounts(platform, nullptr, rows));
    EXPECT_EQ(rows[0].kind, -1);
    EXPECT_EQ(rows[1].kind, -1);
    EXPECT_EQ(rows[kFurikaeRow].kind, -1);
    EXPECT_EQ(rows[2].kind, 0);
}

TEST(CBank, ACharacterShiftJisCannotHoldIsReportedAndNothingIsConfirmed)
{
    FakePlatform platform;
    Accounts rows = SampleRows();
    platform.dialogs.push_back([](QDialog& d) {
        Edit(d, "bank2HolderEdit")->setText(QStringLiteral("ヤマダ♥"));
        Edit(d, "furikaeSymbolEdit")->setText(QStringLiteral("00000"));
        d.show();
        QTest::mouseClick(Find<QPushButton>(d, "okButton"), Qt::LeftButton);
        // The editor stays open with what was typed.
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Edit(d, "bank2HolderEdit")->text(), QStringLiteral("ヤマダ♥"));
        return d.result();
    });
    EXPECT_FALSE(EditAccounts(platform, nullptr, rows));
    EXPECT_EQ(rows, SampleRows());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("銀行2 名義"), std::string::npos) << platform.messages[0];
    EXPECT_NE(platform.messages[0].find("♥"), std::string::npos);
}

TEST(AccountBoxes, CaptionsFollowTheBankNames)
{
    std::array<QCheckBox, kAccountCount> owned;
    std::array<QCheckBox*, kAccountCount> boxes{};
    for (std::size_t i = 0; i < kAccountCount; ++i) {
        boxes[i] = &owned[i];
        owned[i].setText(QStringLiteral("未登録"));
    }
    owned[1].setChecked(true);
    Accounts rows = SampleRows();
    rows[3].bankName = "A&B";
    rows[kParuruRow].bankName = "ignored";
    CaptionAccountBoxes(boxes, rows);

    EXPECT_EQ(owned[0].text(), QStringLiteral("みずほ銀行"));
    EXPECT_EQ(owned[1].text(), QStringLiteral("三井住友銀行"));
    EXPECT_EQ(owned[2].text(), QStringLiteral("未登録"));  // no bank name yet
    EXPECT_EQ(owned[3].text(), QStringLiteral("A&&B"));    // shows "A&B", no shortcut
    EXPECT_EQ(owned[4].text(), QStringLiteral("ぱるる"));
    EXPECT_EQ(owned[5].text(), QStringLiteral("振替口座"));
    EXPECT_EQ(owned[2].accessibleName(), QStringLiteral("銀行3（未登録）"));
    EXPECT_EQ(owned[0].accessibleName(), QString());
    EXPECT_TRUE(owned[1].isChecked());
    EXPECT_FALSE(owned[0].isChecked());

    // A name given later replaces the placeholder name.
    rows[2].bankName = "C";
    CaptionAccountBoxes(boxes, rows);
    EXPECT_EQ(owned[2].text(), QStringLiteral("C"));
    EXPECT_EQ(owned[2].accessibleName(), QString());
}
