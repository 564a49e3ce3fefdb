#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

#include "plate/RenderPage.h"
#include "plate/SavedPages.h"
#include "plate/ui/CComplete.h"
#include "store/SettingsFiles.h"
#include "support/PlateTestSupport.h"
#include "support/core/TestText.h"
#include "support/core/WholeFiles.h"

using namespace torepal;
using namespace torepal::test;
namespace fs = std::filesystem;

namespace {

const QString kType1First = QStringLiteral("【　枠カラー　】");

}  // namespace

// ---- construction and the colour labels ----------------------------------

TEST_F(PlatePageTest, MissingPlateIniStartsWithTheDefaults)
{
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(combo("weightCombo")->count(), 29);
    EXPECT_EQ(combo("sizeCombo")->count(), 10);
    EXPECT_EQ(combo("originCombo")->count(), 47);
    ASSERT_EQ(combo("typeCombo")->count(), 5);
    EXPECT_EQ(combo("typeCombo")->itemText(4), QStringLiteral("タイプ５"));
    EXPECT_EQ(combo("originCombo")->itemText(46), QStringLiteral("沖　縄"));
    EXPECT_EQ(combo("weightCombo")->itemText(28), QStringLiteral("～30kg"));
    for (const char* name : {"weightCombo", "sizeCombo", "originCombo", "typeCombo"})
        EXPECT_EQ(combo(name)->currentIndex(), 0) << name;
    EXPECT_TRUE(radio("centerRadio")->isChecked());
    EXPECT_FALSE(radio("leftRadio")->isChecked());
    EXPECT_TRUE(radio("linkOffRadio")->isChecked());
    EXPECT_FALSE(radio("linkOnRadio")->isChecked());
    EXPECT_EQ(labelText("colorLabel"), kType1First);
    EXPECT_FALSE(line("bgcolorEdit")->isEnabled());
    for (const char* name : {"account1Box", "account4Box", "paruruBox", "furikaeBox"})
        EXPECT_EQ(box(name)->text(), QStringLiteral("未登録"));
    EXPECT_EQ(line("colorEdit")->text(), QString());
}

TEST_F(PlatePageTest, ColourLabelsFollowTheType)
{
    QComboBox* type = combo("typeCombo");
    type->setCurrentIndex(1);
    EXPECT_EQ(labelText("colorLabel"), kType1First);
    EXPECT_EQ(labelText("bgcolorLabel"), QStringLiteral("【　影カラー　】"));
    EXPECT_EQ(labelText("fcolorLabel"), QStringLiteral("【 文字カラー 】"));
    EXPECT_TRUE(line("bgcolorEdit")->isEnabled());

    type->setCurrentIndex(0);
    EXPECT_EQ(labelText("colorLabel"), kType1First);
    EXPECT_EQ(labelText("bgcolorLabel"), QStringLiteral("【　---　】"));
    EXPECT_EQ(labelText("fcolorLabel"), QStringLiteral("【文字カラー】"));
    EXPECT_FALSE(line("bgcolorEdit")->isEnabled());
    EXPECT_TRUE(button("bgcolorPaletteButton")->isEnabled());
    EXPECT_EQ(page->state().templateType, 0);

    for (int t : {2, 3, 4}) {
        type->setCurrentIndex(t);
        EXPECT_EQ(labelText("bgcolorLabel"), QStringLiteral("【バックカラー】"));
        EXPECT_EQ(labelText("fcolorLabel"), QStringLiteral("【 文字カラー 】"));
        EXPECT_TRUE(line("bgcolorEdit")->isEnabled());
        EXPECT_EQ(page->state().templateType, t);
    }
    // No selection: the labels stay.
    page->setSelections({0, 0, 0, -1});
    EXPECT_EQ(page->state().templateType, -1);
    EXPECT_EQ(labelText("bgcolorLabel"), QStringLiteral("【バックカラー】"));
}

// ---- carrier enabling ------------------------------------------------------

TEST_F(PlatePageTest, WeightThenSizeDecideForYamato)
{
    QCheckBox* yamato = box("yamatoBox");
    yamato->setChecked(true);
    combo("weightCombo")->setCurrentIndex(28);  // "～30kg"
    EXPECT_FALSE(yamato->isEnabled());
    EXPECT_TRUE(yamato->isChecked());
    combo("sizeCombo")->setCurrentIndex(9);  // "170size"
    EXPECT_FALSE(yamato->isEnabled());
    combo("sizeCombo")->setCurrentIndex(0);  // "60size": the last rule decides
    EXPECT_TRUE(yamato->isEnabled());
    EXPECT_EQ(page->state().weightIndex, 28);
    EXPECT_EQ(page->state().sizeIndex, 0);
}

TEST_F(PlatePageTest, WeightLimitsOfTheMailClasses)
{
    QComboBox* weight = combo("weightCombo");
    weight->setCurrentIndex(11);  // "～1kg"
    EXPECT_TRUE(box("kuronekoMailBox")->isEnabled());
    weight->setCurrentIndex(12);
    EXPECT_FALSE(box("kuronekoMailBox")->isEnabled());
    EXPECT_TRUE(box("sasshiBox")->isEnabled());
    weight->setCurrentIndex(14);  // "～4kg"
    EXPECT_FALSE(box("sasshiBox")->isEnabled());
    EXPECT_TRUE(box("teikeigaiBox")->isEnabled());
    weight->setCurrentIndex(15);
    EXPECT_FALSE(box("teikeigaiBox")->isEnabled());
    weight->setCurrentIndex(26);  // "～21kg"
    EXPECT_TRUE(box("yahooYuPackBox")->isEnabled());
    EXPECT_TRUE(box("yamatoBox")->isEnabled());
    weight->setCurrentIndex(27);
    EXPECT_FALSE(box("yahooYuPackBox")->isEnabled());
    EXPECT_TRUE(box("yamatoBox")->isEnabled());
    EXPECT_TRUE(box("expackBox")->isEnabled());
    // No selection compares as -1 and enables.
    page->setSelections({-1, 0, 0, 0});
    EXPECT_TRUE(box("kuronekoMailBox")->isEnabled());
    EXPECT_EQ(page->selections().weight, -1);
}

TEST_F(PlatePageTest, OkinawaDisablesSagawa)
{
    QCheckBox* sagawa = box("sagawaBox");
    sagawa->setChecked(true);
    combo("originCombo")->setCurrentIndex(46);  // "沖　縄"
    EXPECT_FALSE(sagawa->isEnabled());
    EXPECT_TRUE(sagawa->isChecked());
    EXPECT_EQ(page->state().originIndex, 46);
    combo("originCombo")->setCurrentIndex(45);
    EXPECT_TRUE(sagawa->isEnabled());
}

// ---- palette, radios, clear ------------------------------------------------

TEST_F(PlatePageTest, PaletteWritesLowercaseHex)
{
    line("titleEdit")->setText(QStringLiteral("typed"));
    platform.colours.push_back(Rgb{0, 0, 255});
    button("fcolorPaletteButton")->click();
    EXPECT_EQ(line("fcolorEdit")->text(), QStringLiteral("#0000ff"));
    EXPECT_EQ(page->state().fcolor, "#0000ff");
    EXPECT_EQ(page->state().Title, "typed");  // pulled first, nothing lost

    platform.colours.push_back(Rgb{255, 128, 0});
    button("bgcolorPaletteButton")->click();  // usable even for タイプ１
    EXPECT_EQ(line("bgcolorEdit")->text(), QStringLiteral("#ff8000"));

    platform.colours.push_back(std::nullopt);  // cancelled
    button("colorPaletteButton")->click();
    EXPECT_EQ(line("colorEdit")->text(), QString());
    EXPECT_EQ(platform.colourRequests, 3);
}

TEST_F(PlatePageTest, RadioClicksAreExclusivePerPair)
{
    radio("leftRadio")->click();
    EXPECT_TRUE(radio("leftRadio")->isChecked());
    EXPECT_FALSE(radio("centerRadio")->isChecked());
    radio("leftRadio")->click();  // a second click keeps it on
    EXPECT_TRUE(radio("leftRadio")->isChecked());
    radio("linkOnRadio")->click();
    EXPECT_TRUE(radio("linkOnRadio")->isChecked());
    EXPECT_FALSE(radio("linkOffRadio")->isChecked());
    EXPECT_FALSE(radio("centerRadio")->isChecked());  // the other pair is untouched
    const PlateFlags f = page->flags();
    EXPECT_TRUE(f.left && !f.center && f.linkOn && !f.linkOff);
}

TEST_F(PlatePageTest, ArrowKeysMoveWithinARadioPairAndChoose)
{
    QRadioButton* center = radio("centerRadio");
    QRadioButton* left = radio("leftRadio");
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Down, Qt::Key_Up}) {
        QRadioButton* from = center->isChecked() ? center : left;
        QRadioButton* to = from == center ? left : center;
        QTest::keyClick(from, key);
        EXPECT_TRUE(to->isChecked()) << key;
        EXPECT_FALSE(from->isChecked()) << key;
    }
    EXPECT_TRUE(center->isChecked());  // four moves lead back
    // The booth pair is a pair of its own.
    QTest::keyClick(radio("linkOffRadio"), Qt::Key_Down);
    EXPECT_TRUE(radio("linkOnRadio")->isChecked());
    EXPECT_FALSE(radio("linkOffRadio")->isChecked());
    EXPECT_TRUE(center->isChecked());
    // Space on the button that is on keeps it on.
    QTest::keyClick(radio("linkOnRadio"), Qt::Key_Space);
    EXPECT_TRUE(radio("linkOnRadio")->isChecked());
    EXPECT_FALSE(radio("linkOffRadio")->isChecked());
}

TEST_F(PlatePageTest, AFileMayHoldBothOrNeitherAndAKeyMakesThePairExclusive)
{
    PlateFlags f = page->flags();
    f.center = f.left = true;
    f.linkOff = f.linkOn = false;
    page->setFlags(f);
    EXPECT_TRUE(radio("centerRadio")->isChecked() && radio("leftRadio")->isChecked());
    EXPECT_FALSE(radio("linkOffRadio")->isChecked() || radio("linkOnRadio")->isChecked());

    QTest::keyClick(radio("centerRadio"), Qt::Key_Right);
    EXPECT_FALSE(radio("centerRadio")->isChecked());
    EXPECT_TRUE(radio("leftRadio")->isChecked());
    QTest::keyClick(radio("linkOnRadio"), Qt::Key_Left);
    EXPECT_TRUE(radio("linkOffRadio")->isChecked());
    EXPECT_FALSE(radio("linkOnRadio")->isChecked());
}

TEST_F(PlatePageTest, TabReachesEachRadioPairOnceAtTheButtonThatIsOn)
{
    radio("leftRadio")->click();
    page->show();
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    combo("typeCombo")->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(combo("typeCombo")->hasFocus());
    QTest::keyClick(combo("typeCombo"), Qt::Key_Tab);
    EXPECT_TRUE(radio("leftRadio")->hasFocus());
    QTest::keyClick(radio("leftRadio"), Qt::Key_Left);
    EXPECT_TRUE(radio("centerRadio")->hasFocus());
    EXPECT_TRUE(radio("centerRadio")->isChecked());
    QTest::keyClick(radio("centerRadio"), Qt::Key_Tab);
    EXPECT_TRUE(line("yahooIdEdit")->hasFocus());  // the pair is left with one Tab
    QTest::keyClick(line("yahooIdEdit"), Qt::Key_Tab);
    EXPECT_TRUE(radio("linkOffRadio")->hasFocus());
    QTest::keyClick(radio("linkOffRadio"), Qt::Key_Tab);
    EXPECT_TRUE(button("boothTextButton")->hasFocus());
}

TEST_F(PlatePageTest, ClearAfterType4)
{
    combo("typeCombo")->setCurrentIndex(3);
    combo("weightCombo")->setCurrentIndex(28);
    combo("originCombo")->setCurrentIndex(46);
    radio("leftRadio")->click();
    radio("linkOnRadio")->click();
    box("stampsBox")->setChecked(true);
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    multi("itemsEdit")->setPlainText(QStringLiteral("説明"));
    multi("transEdit")->setPlainText(QStringLiteral("発送"));
    line("othersTitleEdit")->setText(QStringLiteral("注意"));
    multi("othersEdit")->setPlainText(QStringLiteral("本文"));
    line("colorEdit")->setText(QStringLiteral("#123456"));
    line("yahooIdEdit")->setText(QStringLiteral("seller"));

    button("clearButton")->click();

    EXPECT_EQ(combo("typeCombo")->currentText(), QStringLiteral("タイプ１"));
    EXPECT_EQ(labelText("bgcolorLabel"), QStringLiteral("【　---　】"));
    EXPECT_FALSE(line("bgcolorEdit")->isEnabled());
    EXPECT_TRUE(box("yamatoBox")->isEnabled());
    EXPECT_TRUE(box("sagawaBox")->isEnabled());
    EXPECT_EQ(page->state().weightIndex, 0);
    EXPECT_EQ(line("titleEdit")->text(), QString());
    EXPECT_EQ(multi("itemsEdit")->toPlainText(), QString());
    EXPECT_EQ(multi("transEdit")->toPlainText(), QString());
    EXPECT_TRUE(radio("centerRadio")->isChecked());
    EXPECT_FALSE(radio("leftRadio")->isChecked());
    // What clear keeps.
    EXPECT_EQ(line("othersTitleEdit")->text(), QStringLiteral("注意"));
    EXPECT_EQ(multi("othersEdit")->toPlainText(), QStringLiteral("本文"));
    EXPECT_EQ(line("colorEdit")->text(), QStringLiteral("#123456"));
    EXPECT_EQ(line("yahooIdEdit")->text(), QStringLiteral("seller"));
    EXPECT_TRUE(radio("linkOnRadio")->isChecked());
    EXPECT_TRUE(box("stampsBox")->isChecked());
}

TEST_F(PlatePageTest, AnOperationStopsOnACharacterShiftJisCannotHold)
{
    line("titleEdit")->setText(QStringLiteral("腕時計😀"));
    multi("itemsEdit")->setPlainText(QStringLiteral("説明"));
    button("completeButton")->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("😀"), std::string::npos);
    EXPECT_EQ(savedCount(), 0u);
    EXPECT_EQ(page->state().Items, "");  // nothing was taken
    button("clearButton")->click();
    EXPECT_EQ(multi("itemsEdit")->toPlainText(), QStringLiteral("説明"));  // not cleared
    EXPECT_EQ(line("titleEdit")->text(), QStringLiteral("腕時計😀"));
}

// ---- plate.ini -------------------------------------------------------------

TEST_F(PlatePageTest, SettingsSurviveARestart)
{
    radio("leftRadio")->click();
    radio("linkOnRadio")->click();
    combo("originCombo")->setCurrentIndex(46);
    combo("typeCombo")->setCurrentIndex(2);
    combo("weightCombo")->setCurrentIndex(28);  // not kept
    box("sagawaBox")->setChecked(true);
    box("account2Box")->setChecked(true);
    box("yahooEasyBox")->setChecked(true);
    line("titleEdit")->setText(QStringLiteral("腕時計"));  // not kept
    line("othersTitleEdit")->setText(QStringLiteral("注意"));
    multi("othersEdit")->setPlainText(QStringLiteral("一行目\n二行目"));
    line("colorEdit")->setText(QStringLiteral("#ff0000"));
    line("yahooIdEdit")->setText(QStringLiteral("seller_01"));
    page->state().mytext = S("ほかの出品");
    ASSERT_TRUE(page->savePlateSettings());

    makePage();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(radio("leftRadio")->isChecked());
    EXPECT_FALSE(radio("centerRadio")->isChecked());
    EXPECT_TRUE(radio("linkOnRadio")->isChecked());
    EXPECT_FALSE(radio("linkOffRadio")->isChecked());
    EXPECT_EQ(combo("originCombo")->currentIndex(), 46);
    EXPECT_FALSE(box("sagawaBox")->isEnabled());  // the origin rule ran
    EXPECT_EQ(combo("typeCombo")->currentIndex(), 2);
    EXPECT_EQ(labelText("bgcolorLabel"), QStringLiteral("【バックカラー】"));
    EXPECT_EQ(combo("weightCombo")->currentIndex(), 0);
    EXPECT_TRUE(box("sagawaBox")->isChecked());
    EXPECT_TRUE(box("account2Box")->isChecked());
    EXPECT_TRUE(box("yahooEasyBox")->isChecked());
    EXPECT_FALSE(box("stampsBox")->isChecked());
    EXPECT_EQ(line("titleEdit")->text(), QString());
    EXPECT_EQ(line("othersTitleEdit")->text(), QStringLiteral("注意"));
    EXPECT_EQ(page->state().Others, S("一行目\r\n二行目"));
    EXPECT_EQ(multi("othersEdit")->toPlainText(), QStringLiteral("一行目\n二行目"));
    EXPECT_EQ(line("colorEdit")->text(), QStringLiteral("#ff0000"));
    EXPECT_EQ(line("yahooIdEdit")->text(), QStringLiteral("seller_01"));
    EXPECT_EQ(page->state().mytext, S("ほかの出品"));
}

TEST_F(PlatePageTest, DamagedPlateIniIsToldOnce)
{
    WriteBytes(folder.path() / "plate.ini", std::string("\x01\x00\x00\x00\x01\x00", 6));  // cut inside the second tick
    makePage();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("plate.ini"), std::string::npos);
    EXPECT_TRUE(box("yamatoBox")->isChecked());  // what was read is used
}

TEST_F(PlatePageTest, FailedStoreIsTold)
{
    fs::create_directory(folder.path() / "plate.ini");  // cannot be replaced by a file
    EXPECT_FALSE(page->savePlateSettings());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("plate.ini"), std::string::npos);
}

// ---- finishing ---------------------------------------------------------------

TEST_F(PlatePageTest, CompleteSavesUnderTheTimeStampAndKeepsBothPagesOfOneMinute)
{
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    multi("itemsEdit")->setPlainText(QStringLiteral("一行目\n二行目"));
    box("sasshiBox")->setChecked(true);
    platform.clock = LocalTime{12, 6, 20, 8};
    button("completeButton")->click();

    const fs::path file = back() / "【プレート ～12月6日20時8分～ 】--腕時計.html";
    ASSERT_TRUE(fs::exists(file));
    const std::string first = ReadBytes(file);
    EXPECT_EQ(first, page->state().page);
    EXPECT_NE(first.find(S("一行目<br>二行目")), std::string::npos);
    EXPECT_NE(first.find(S("<br><b>▼冊子小包</b><br> 180円<br>")), std::string::npos);
    EXPECT_EQ(page->state().sdata, S("<br><b>▼冊子小包</b><br> 180円<br>"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.dialogTitles.empty());

    // Another page of the same title in the same minute: the first stays.
    multi("itemsEdit")->setPlainText(QStringLiteral("書き直し"));
    button("completeButton")->click();
    EXPECT_EQ(savedCount(), 2u);
    EXPECT_EQ(ReadBytes(file), first);
    const fs::path numbered = back() / "【プレート ～12月6日20時8分～ 】--腕時計 (2).html";
    const std::string second = ReadBytes(numbered);
    EXPECT_NE(second.find(S("書き直し")), std::string::npos);
    // The same page once more is the same file, not a third.
    button("completeButton")->click();
    EXPECT_EQ(savedCount(), 2u);
    EXPECT_EQ(ReadBytes(numbered), second);
    EXPECT_TRUE(platform.messages.empty());

    platform.clock = LocalTime{1, 2, 3, 4};
    button("completeButton")->click();
    EXPECT_TRUE(fs::exists(back() / "【プレート ～1月2日3時4分～ 】--腕時計.html"));
    EXPECT_EQ(savedCount(), 3u);
}

TEST_F(PlatePageTest, CompleteWithoutBackFolderTellsAndOffersThePage)
{
    fs::remove(back());
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    std::string offered;
    platform.dialogs.push_back([&](QDialog& d) {
        auto* complete = dynamic_cast<CComplete*>(&d);
        EXPECT_NE(complete, nullptr);
        if (complete) offered = complete->page();
        return int(QDialog::Rejected);
    });
    button("completeButton")->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("「back」がありません"), std::string::npos);
    EXPECT_NE(platform.messages[0].find("腕時計.html"), std::string::npos);
    ASSERT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_EQ(platform.dialogTitles[0], "完成！");
    EXPECT_FALSE(offered.empty());
    EXPECT_EQ(offered, page->state().page);
    EXPECT_FALSE(fs::exists(back()));
}

TEST_F(PlatePageTest, TitleWithSlashIsSavedInsideBack)
{
    line("titleEdit")->setText(QStringLiteral("../../x"));
    button("completeButton")->click();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(fs::exists(back() / "【プレート ～12月6日20時8分～ 】--..／..／x.html"));
    EXPECT_EQ(savedCount(), 1u);
    EXPECT_EQ(line("titleEdit")->text(), QStringLiteral("../../x"));  // the form keeps the title
}

TEST_F(PlatePageTest, PreviewWritesAndOpensThePreviewFile)
{
    line("titleEdit")->setText(QStringLiteral("一回目"));
    button("previewButton")->click();
    const fs::path preview = folder.path() / "menu_preview.html";
    ASSERT_EQ(platform.openedFiles.size(), 1u);
    EXPECT_EQ(platform.openedFiles[0], preview);
    EXPECT_NE(ReadBytes(preview).find(S("一回目")), std::string::npos);

    line("titleEdit")->setText(QStringLiteral("二回目"));
    button("previewButton")->click();
    const std::string second = ReadBytes(preview);
    EXPECT_EQ(second.find(S("一回目")), std::string::npos);
    EXPECT_EQ(second, page->state().page);
    EXPECT_EQ(savedCount(), 0u);  // a preview is not saved
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PlatePageTest, PreviewThatCannotBeWrittenTellsAndOffersThePage)
{
    fs::create_directory(folder.path() / "menu_preview.html");
    button("previewButton")->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("menu_preview.html"), std::string::npos);
    EXPECT_TRUE(platform.openedFiles.empty());
    ASSERT_EQ(platform.dialogTitles.size(), 1u);
    EXPECT_EQ(platform.dialogTitles[0], "完成！");
}

TEST_F(PlatePageTest, CompleteAndCopyCopiesTheRenderedPageNotTheEditedText)
{
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    std::string byteCount;
    platform.dialogs.push_back([&](QDialog& d) {
        d.findChild<QPlainTextEdit*>(QStringLiteral("pageEdit"))->setPlainText(QStringLiteral("edited"));
        byteCount = d.findChild<QLineEdit*>(QStringLiteral("byteCountEdit"))->text().toStdString();
        d.findChild<QPushButton*>(QStringLiteral("copyButton"))->click();
        EXPECT_FALSE(d.isHidden() && d.result() == QDialog::Accepted);
        d.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        return d.result();
    });
    button("completeCopyButton")->click();
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(platform.clipboard[0], page->state().page);
    EXPECT_EQ(byteCount, std::to_string(page->state().page.size()));
    EXPECT_EQ(savedCount(), 0u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PlatePageTest, RenderUsesTheFormAsItIsAtThatMoment)
{
    combo("typeCombo")->setCurrentIndex(1);
    box("account1Box")->setChecked(true);
    box("sasshiBox")->setChecked(true);
    combo("weightCombo")->setCurrentIndex(20);  // disabled, still ticked: no price
    platform.dialogs.push_back([](QDialog&) { return int(QDialog::Rejected); });
    button("completeCopyButton")->click();
    EXPECT_EQ(page->state().sdata, "");
    EXPECT_EQ(page->state().pdata, S("<br><b>▼</b><br>"));
    EXPECT_EQ(page->state().templateType, 1);
    EXPECT_EQ(page->state().page.rfind("<center><TABLE WIDTH=70%", 0), 0u);
}

// ---- accounts ------------------------------------------------------------------

TEST_F(PlatePageTest, AccountsFromBankIniCaptionTheBoxes)
{
    CBSave record;
    record.rows[0].bankName = S("みずほ銀行");
    record.rows[2].bankName = S("A&B銀行");
    ASSERT_TRUE(StoreBankFile(folder.path(), record));
    box("account1Box")->setChecked(true);
    line("titleEdit")->setText(QStringLiteral("typed"));
    page->loadAccounts();
    EXPECT_EQ(box("account1Box")->text(), QStringLiteral("みずほ銀行"));
    EXPECT_EQ(box("account2Box")->text(), QStringLiteral("未登録"));  // no bank name
    EXPECT_EQ(box("account3Box")->text(), QStringLiteral("A&&B銀行"));
    EXPECT_EQ(box("paruruBox")->text(), QStringLiteral("ぱるる"));
    EXPECT_EQ(box("furikaeBox")->text(), QStringLiteral("振替口座"));
    EXPECT_TRUE(box("account1Box")->isChecked());
    EXPECT_EQ(page->state().accounts[0].bankName, S("みずほ銀行"));
    EXPECT_EQ(line("titleEdit")->text(), QStringLiteral("typed"));
}

TEST_F(PlatePageTest, EditAccountsCaptionsAndStoresOnOk)
{
    page->loadAccounts();
    platform.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("bank3NameEdit"))->setText(QStringLiteral("ゆうちょ銀行"));
        d.accept();
        return d.result();
    });
    button("bankButton")->click();
    EXPECT_EQ(box("account3Box")->text(), QStringLiteral("ゆうちょ銀行"));
    EXPECT_EQ(LoadBankFile(folder.path()).record.rows[2].bankName, S("ゆうちょ銀行"));

    // Cancel changes nothing.
    button("bankButton")->click();
    EXPECT_EQ(box("account3Box")->text(), QStringLiteral("ゆうちょ銀行"));
}

TEST_F(PlatePageTest, EditAccountsReloadsAStaleCopyFirst)
{
    page->loadAccounts();
    // The other page's editor writes bank.ini meanwhile.
    Accounts other;
    other[0].bankName = S("他ページの銀行");
    std::uint64_t generation = 0;
    ASSERT_TRUE(bank.store(other, generation));
    std::string shown;
    platform.dialogs.push_back([&](QDialog& d) {
        shown = d.findChild<QLineEdit*>(QStringLiteral("bank1NameEdit"))->text().toStdString();
        d.accept();
        return d.result();
    });
    page->editAccounts();
    EXPECT_EQ(shown, "他ページの銀行");
    EXPECT_EQ(LoadBankFile(folder.path()).record.rows[0].bankName, S("他ページの銀行"));
}

TEST_F(PlatePageTest, ProjectAccountsCaptionOnlyTheBankBoxes)
{
    Accounts rows;
    rows[0].bankName = S("みずほ銀行");
    rows[3].bankName = S("四番目");
    page->setProjectAccounts(rows);
    EXPECT_EQ(box("account1Box")->text(), QStringLiteral("みずほ銀行"));
    EXPECT_EQ(box("account4Box")->text(), QStringLiteral("四番目"));
    EXPECT_EQ(box("paruruBox")->text(), QStringLiteral("未登録"));
    EXPECT_EQ(box("furikaeBox")->text(), QStringLiteral("未登録"));
    EXPECT_EQ(page->state().accounts[3].bankName, S("四番目"));
    EXPECT_FALSE(bank.isStale(0));
}

// ---- booth text, link tag, keys ----------------------------------------------------

TEST_F(PlatePageTest, BoothTextCancelKeepsConfirmReplaces)
{
    page->state().mytext = S("元の文");
    platform.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("boothTextEdit"))->setText(QStringLiteral("書きかけ"));
        d.reject();
        return d.result();
    });
    button("boothTextButton")->click();
    EXPECT_EQ(page->state().mytext, S("元の文"));
    EXPECT_EQ(platform.dialogTitles.back(), "テキストの編集");

    std::string shown;
    platform.dialogs.push_back([&](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("boothTextEdit"));
        shown = edit->text().toStdString();
        edit->clear();
        d.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        return d.result();
    });
    page->editBoothText();
    EXPECT_EQ(shown, "元の文");
    EXPECT_EQ(page->state().mytext, "");
}

TEST_F(PlatePageTest, LinkTagButtonOpensTheDialog)
{
    platform.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("linkTextEdit"))->setText(QStringLiteral("商品一覧"));
        d.accept();
        return d.result();
    });
    button("linkTagButton")->click();
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(platform.clipboard[0], S("<a href=http:// target=_blank>商品一覧</a>"));
    EXPECT_EQ(platform.dialogTitles[0], "リンクタグの生成");
}

TEST_F(PlatePageTest, EnterAndEscapeDoNothing)
{
    // The page sits in the main window, a dialog: neither key may close it
    // or press a button.
    QDialog window;
    page->setParent(&window);
    window.show();
    QLineEdit* title = line("titleEdit");
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Return);
    QTest::keyClick(title, Qt::Key_Escape);
    QTest::keyClick(button("completeButton"), Qt::Key_Return);
    QTest::keyClick(combo("typeCombo"), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.result(), 0);
    EXPECT_EQ(savedCount(), 0u);
    EXPECT_TRUE(platform.dialogTitles.empty());
    page->setParent(nullptr);
}
