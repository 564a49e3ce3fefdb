// The plate page's live preview, its undo of a clear, what it offers the
// window for recovery and its quiet word on success: the seller types,
// ticks and presses buttons; the test reads what the preview was handed,
// the saved files and the page's signals.
#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "app/RecoveryFile.h"
#include "plate/ListingChecks.h"
#include "plate/ui/CComplete.h"
#include "platform/ui/ChecksView.h"
#include "preview/ui/LivePreviewController.h"
#include "support/PlateTestSupport.h"

using namespace torepal;
using namespace torepal::test;
namespace fs = std::filesystem;

namespace {

struct Shown {
    std::string page;
    std::vector<std::string> checks;
};

// Stands for the preview process: records what the page hands it.
class RecordingPreview final : public PagePreview {
public:
    explicit RecordingPreview(std::vector<Shown>& shown) : shown_(shown) {}
    void showPage(const std::string& page, const std::vector<std::string>& checks) override
    {
        shown_.push_back({page, checks});
    }
    void raise(const PreviewGeometry&) override {}
    bool isOpen() const override { return true; }

private:
    std::vector<Shown>& shown_;
};

const char* const kFlatTariff = R"(name = "テスト便"
carrier = "テスト運輸"
effective = 2024-10-01
source = "テスト用の料金表"
shape = "flat"
price = 430
max_weight_g = 4000
)";

class PlatePageLive : public PlatePageTest {
protected:
    void SetUp() override
    {
        fs::create_directories(folder.path() / "tariffs");
        WriteBytes(folder.path() / "tariffs" / "test-flat.toml", kFlatTariff);
        makePage();
        page->livePreview().setPreviewFactory([this] {
            PagePreviewLoad load;
            load.preview = std::make_unique<RecordingPreview>(shown);
            return load;
        });
    }

    void fillForm()
    {
        line("titleEdit")->setText(QStringLiteral("腕時計 ステンレス"));
        multi("itemsEdit")->setPlainText(QStringLiteral("動作確認済み。\n傷はほとんどありません。"));
        multi("transEdit")->setPlainText(QStringLiteral("入金確認後に発送します。"));
        line("colorEdit")->setText(QStringLiteral("#336699"));
        combo("typeCombo")->setCurrentIndex(2);
        combo("weightCombo")->setCurrentIndex(11);  // "～1kg"
        box("sasshiBox")->setChecked(true);
        box("stampsBox")->setChecked(true);
        radio("linkOnRadio")->click();
        page->state().mytext = S("ほかの出品も\r\nごらんください");
    }

    // The one file 完成 wrote.
    std::string savedPage() const
    {
        for (const auto& e : fs::directory_iterator(back())) return ReadBytes(e.path());
        return {};
    }

    void settle() const { QTest::qWait(LivePreviewController::kRenderGapMilliseconds + 150); }

    std::vector<Shown> shown;
};

}  // namespace

// ---- the live preview -----------------------------------------------------------

TEST_F(PlatePageLive, TheButtonOpensThePreviewWithTheBytesFinishingSaves)
{
    QPushButton* live = button("livePreviewButton");
    EXPECT_EQ(live->text(), QStringLiteral("ライブプレビュー"));
    // The typing benchmark finds the control by this part of its name.
    EXPECT_TRUE(live->objectName().contains(QStringLiteral("preview"), Qt::CaseInsensitive));

    fillForm();
    const PlateState before = page->state();
    live->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(page->livePreview().isOpen());

    // Rendered from a copy: the record still holds nothing typed, and the
    // preview wrote nothing and told nothing.
    EXPECT_EQ(page->state().Title, before.Title);
    EXPECT_EQ(page->state().page, before.page);
    EXPECT_EQ(page->state().sdata, before.sdata);
    EXPECT_EQ(savedCount(), 0u);
    EXPECT_FALSE(fs::exists(folder.path() / "menu_preview.html"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.openedFiles.empty());

    button("completeButton")->click();
    ASSERT_EQ(savedCount(), 1u);
    EXPECT_EQ(shown[0].page, savedPage());
    // Text mode, as on disk: the booth text's CR LF became CR CR LF.
    EXPECT_NE(shown[0].page.find(S("ほかの出品も\r\r\nごらんください")), std::string::npos);
    EXPECT_NE(shown[0].page.find(S("<br><b>▼冊子小包</b><br>")), std::string::npos);
    EXPECT_EQ(shown[0].page.find(S("テスト便")), std::string::npos);  // not ticked
}

TEST_F(PlatePageLive, ATickedCurrentServiceIsInThePreviewAsInTheSavedPage)
{
    fillForm();
    page->livePreview().open();
    find<QListWidget>("currentServicesList")->item(0)->setCheckState(Qt::Checked);
    settle();
    ASSERT_EQ(shown.size(), 2u);
    // Worked out from the tariff file: up to 1kg is within its 4000g.
    EXPECT_NE(shown[1].page.find(S("<br><b>▼テスト便</b><br> 430円<br>（2024年10月1日改定の料金）<br>")),
              std::string::npos);

    button("completeButton")->click();
    EXPECT_EQ(shown[1].page, savedPage());
}

TEST_F(PlatePageLive, AFormRestoredFromTheRecoveryFileRendersTheSamePage)
{
    fillForm();
    box("yamatoBox")->setChecked(true);
    combo("originCombo")->setCurrentIndex(12);  // 東京都
    find<QListWidget>("currentServicesList")->item(0)->setCheckState(Qt::Checked);
    RecoveryRecord kept;
    kept.hasPlate = true;
    kept.plate = page->typedForm();
    button("completeButton")->click();
    const std::string before = savedPage();
    ASSERT_NE(before.find(S("▼テスト便")), std::string::npos);
    fs::remove_all(back());
    fs::create_directories(back());

    // The next start: a fresh form, then 復元 from the file's bytes.
    RecoveryRecord read;
    ASSERT_EQ(DecodeRecovery(EncodeRecovery(kept), read), RecoveryDecode::Ok);
    makePage();
    page->restoreForm(read.plate);
    EXPECT_EQ(page->typedForm(), kept.plate);
    EXPECT_EQ(combo("originCombo")->currentIndex(), 12);
    button("completeButton")->click();
    EXPECT_EQ(savedPage(), before);
}

TEST_F(PlatePageLive, EveryKindOfChangeRendersAgainOnceTheFormRests)
{
    page->livePreview().open();
    const std::vector<std::pair<const char*, std::function<void()>>> changes{
        {"title", [&] { line("titleEdit")->setText(QStringLiteral("置き時計")); }},
        {"items", [&] { multi("itemsEdit")->setPlainText(QStringLiteral("説明")); }},
        {"others", [&] { multi("othersEdit")->setPlainText(QStringLiteral("追記")); }},
        {"tick", [&] { box("yamatoBox")->setChecked(true); }},
        {"another tick", [&] { box("sasshiBox")->setChecked(true); }},
        {"radio", [&] { radio("leftRadio")->click(); }},
        {"booth radio", [&] { radio("linkOnRadio")->click(); }},
        {"ID", [&] { line("yahooIdEdit")->setText(QStringLiteral("seller_01")); }},
        {"type", [&] { combo("typeCombo")->setCurrentIndex(3); }},
        {"weight", [&] { combo("weightCombo")->setCurrentIndex(5); }},
        {"size", [&] { combo("sizeCombo")->setCurrentIndex(4); }},
        {"origin", [&] { combo("originCombo")->setCurrentIndex(12); }},
        {"palette",
         [&] {
             platform.colours.push_back(Rgb{0, 0, 255});
             button("fcolorPaletteButton")->click();
         }},
        {"service", [&] { find<QListWidget>("currentServicesList")->item(0)->setCheckState(Qt::Checked); }},
    };
    for (const auto& [what, change] : changes) {
        const std::size_t before = shown.size();
        change();
        settle();
        ASSERT_EQ(shown.size(), before + 1) << what;
        EXPECT_NE(shown[before].page, shown[before - 1].page) << what;
    }
    EXPECT_NE(shown.back().page.find(S("置き時計")), std::string::npos);
    EXPECT_NE(shown.back().page.find("#0000ff"), std::string::npos);
}

TEST_F(PlatePageLive, TheChecksUnderThePreviewAreThoseOfTheFinishedListing)
{
    fillForm();
    page->livePreview().open();
    button("completeButton")->click();
    const QStringList finished = find<ChecksView>("plateChecks")->lines();
    ASSERT_FALSE(finished.isEmpty());  // 切手 is no longer a way to pay
    std::vector<std::string> expected;
    for (const QString& line : finished) expected.push_back(line.toStdString());
    EXPECT_EQ(shown[0].checks, expected);
}

TEST_F(PlatePageLive, ACharacterThePageCannotCarryKeepsThePreviewAndSaysSoQuietly)
{
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    page->livePreview().open();
    ASSERT_EQ(shown.size(), 1u);
    line("titleEdit")->setText(QStringLiteral("腕時計😀"));
    settle();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].page, shown[0].page);
    ASSERT_FALSE(shown[1].checks.empty());
    EXPECT_NE(shown[1].checks[0].find("😀"), std::string::npos);
    EXPECT_NE(shown[1].checks[0].find("商品タイトル"), std::string::npos);
    EXPECT_TRUE(platform.messages.empty());

    line("titleEdit")->setText(QStringLiteral("置き時計"));
    settle();
    EXPECT_NE(shown.back().page.find(S("置き時計")), std::string::npos);
    for (const std::string& check : shown.back().checks) EXPECT_EQ(check.find("😀"), std::string::npos);
}

// ---- undoing a clear ----------------------------------------------------------------

TEST_F(PlatePageTest, UndoPutsBackWhatTheClearTook)
{
    QWidget* bar = find<QWidget>("clearUndoBar");
    page->show();
    EXPECT_FALSE(bar->isVisible());
    combo("typeCombo")->setCurrentIndex(3);
    combo("weightCombo")->setCurrentIndex(28);
    combo("sizeCombo")->setCurrentIndex(9);
    combo("originCombo")->setCurrentIndex(46);
    radio("leftRadio")->click();
    box("stampsBox")->setChecked(true);
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    multi("itemsEdit")->setPlainText(QStringLiteral("一行目\n二行目"));
    multi("transEdit")->setPlainText(QStringLiteral("発送"));

    button("clearButton")->click();
    EXPECT_EQ(line("titleEdit")->text(), QString());
    ASSERT_TRUE(bar->isVisible());
    EXPECT_TRUE(platform.messages.empty());  // no question asked
    EXPECT_TRUE(platform.dialogTitles.empty());

    button("undoClearButton")->click();
    EXPECT_EQ(line("titleEdit")->text(), QStringLiteral("腕時計"));
    EXPECT_EQ(multi("itemsEdit")->toPlainText(), QStringLiteral("一行目\n二行目"));
    EXPECT_EQ(multi("transEdit")->toPlainText(), QStringLiteral("発送"));
    EXPECT_EQ(combo("typeCombo")->currentIndex(), 3);
    EXPECT_EQ(combo("weightCombo")->currentIndex(), 28);
    EXPECT_EQ(combo("sizeCombo")->currentIndex(), 9);
    EXPECT_EQ(combo("originCombo")->currentIndex(), 46);
    EXPECT_TRUE(radio("leftRadio")->isChecked());
    EXPECT_FALSE(radio("centerRadio")->isChecked());
    EXPECT_TRUE(box("stampsBox")->isChecked());
    // The handlers ran for the restored selections.
    EXPECT_EQ(labelText("bgcolorLabel"), QStringLiteral("【バックカラー】"));
    EXPECT_FALSE(box("sagawaBox")->isEnabled());  // 沖縄 again
    EXPECT_EQ(page->state().Title, S("腕時計"));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(page->canUndoClear());
}

TEST_F(PlatePageTest, TheUndoIsOfferedOnlyUntilTheNextEdit)
{
    page->show();
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    button("clearButton")->click();
    ASSERT_TRUE(page->canUndoClear());
    line("yahooIdEdit")->setText(QStringLiteral("seller"));
    EXPECT_FALSE(page->canUndoClear());
    EXPECT_FALSE(find<QWidget>("clearUndoBar")->isVisible());
    page->undoClear();  // nothing left to undo
    EXPECT_EQ(line("titleEdit")->text(), QString());

    line("titleEdit")->setText(QStringLiteral("置き時計"));
    button("clearButton")->click();
    box("yamatoBox")->setChecked(true);
    EXPECT_FALSE(page->canUndoClear());
}

// ---- recovery --------------------------------------------------------------------------

// As the main window keeps the recovery file: the texts the page last
// settled, from the moment the page was made.
class PlateRecovery : public PlatePageTest {
protected:
    void SetUp() override
    {
        PlatePageTest::SetUp();
        kept.settle(typed());
        QObject::connect(page.get(), &CDTemplate::settled, [this] { kept.settle(typed()); });
    }
    PlateForm typed() const { return page->typedForm(); }
    bool hasUnsavedTexts() const { return kept.unsaved(typed()); }

    UnsavedForm<PlateForm> kept;
};

TEST_F(PlateRecovery, WhatIsFinishedClearedOrLoadedLeavesNothingToRecover)
{
    QSignalSpy settled(page.get(), &CDTemplate::settled);
    EXPECT_FALSE(hasUnsavedTexts());  // what start-up read

    line("titleEdit")->setText(QStringLiteral("腕時計"));
    EXPECT_TRUE(hasUnsavedTexts());
    EXPECT_EQ(typed().texts.Title, S("腕時計"));
    button("completeButton")->click();
    EXPECT_FALSE(hasUnsavedTexts());
    EXPECT_EQ(settled.count(), 1);

    multi("othersEdit")->setPlainText(QStringLiteral("追記"));
    EXPECT_TRUE(hasUnsavedTexts());
    platform.dialogs.push_back([](QDialog&) { return int(QDialog::Rejected); });
    button("completeCopyButton")->click();
    EXPECT_FALSE(hasUnsavedTexts());
    EXPECT_EQ(settled.count(), 2);

    line("titleEdit")->setText(QStringLiteral("置き時計"));
    button("clearButton")->click();
    EXPECT_FALSE(hasUnsavedTexts());
    EXPECT_EQ(settled.count(), 3);
    // Undoing the clear brings back a title that was never finished.
    page->undoClear();
    EXPECT_TRUE(hasUnsavedTexts());

    page->projectOpened();
    EXPECT_FALSE(hasUnsavedTexts());
    EXPECT_EQ(settled.count(), 4);
}

TEST_F(PlateRecovery, RecoveredTextsGoBackIntoTheFormAndCountAsUnsaved)
{
    PlateForm texts = typed();
    texts.texts.Title = S("腕時計");
    texts.texts.Items = S("一行目\r\n二行目");
    texts.texts.Others = S("追記");
    texts.texts.yahooId = "seller_01";
    texts.texts.mytext = S("ほかの出品");
    texts.flags.carriers.sasshi = true;
    texts.selections.weight = 11;
    page->restoreForm(texts);
    EXPECT_TRUE(box("sasshiBox")->isChecked());
    EXPECT_EQ(combo("weightCombo")->currentIndex(), 11);
    EXPECT_EQ(line("titleEdit")->text(), QStringLiteral("腕時計"));
    EXPECT_EQ(multi("itemsEdit")->toPlainText(), QStringLiteral("一行目\n二行目"));
    EXPECT_EQ(multi("othersEdit")->toPlainText(), QStringLiteral("追記"));
    EXPECT_EQ(line("yahooIdEdit")->text(), QStringLiteral("seller_01"));
    EXPECT_EQ(page->state().mytext, S("ほかの出品"));
    EXPECT_EQ(labelText("titleCountLabel"), QStringLiteral("3/65"));
    EXPECT_EQ(typed(), texts);
    EXPECT_TRUE(hasUnsavedTexts());
    EXPECT_TRUE(kept.unsaved(typed()));
}

TEST_F(PlateRecovery, TheTextsForRecoveryAreReadWithoutAWord)
{
    line("titleEdit")->setText(QStringLiteral("腕😀時計"));
    const PlateForm texts = typed();
    EXPECT_EQ(texts.texts.Title, S("腕時計"));  // what Shift-JIS holds of it
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(page->state().Title, "");
}

// ---- quiet success ----------------------------------------------------------------------

TEST_F(PlatePageTest, FinishingAndCopyingSayWhatWorkedWithoutABox)
{
    QSignalSpy said(page.get(), &CDTemplate::succeeded);
    line("titleEdit")->setText(QStringLiteral("腕時計"));
    button("completeButton")->click();
    ASSERT_EQ(said.count(), 1);
    EXPECT_EQ(said[0][0].toString(), QStringLiteral("「【プレート ～12月6日20時8分～ 】--腕時計.html」を保存しました"));
    multi("itemsEdit")->setPlainText(QStringLiteral("別の説明"));
    button("completeButton")->click();
    ASSERT_EQ(said.count(), 2);
    EXPECT_EQ(said[1][0].toString(),
              QStringLiteral("「【プレート ～12月6日20時8分～ 】--腕時計 (2).html」を保存しました"));

    platform.dialogs.push_back([](QDialog& d) {
        d.findChild<QPushButton*>(QStringLiteral("copyButton"))->click();
        return int(QDialog::Rejected);
    });
    button("completeCopyButton")->click();
    ASSERT_EQ(said.count(), 3);
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(said[2][0].toString(),
              QString::number(platform.clipboard[0].size()) + QStringLiteral(" バイトをコピーしました"));

    platform.dialogs.push_back([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("linkTextEdit"))->setText(QStringLiteral("商品一覧"));
        d.accept();
        return d.result();
    });
    button("linkTagButton")->click();
    ASSERT_EQ(said.count(), 4);
    // "<a href=http:// target=_blank>" 30 bytes, 商品一覧 8, "</a>" 4.
    EXPECT_EQ(said[3][0].toString(), QStringLiteral("42 バイトをコピーしました"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PlatePageTest, AFailedCopyOrSaveSaysNothingOfSuccess)
{
    QSignalSpy said(page.get(), &CDTemplate::succeeded);
    fs::remove(back());
    platform.clipboardWorks = false;
    platform.dialogs.push_back([](QDialog& d) {
        d.findChild<QPushButton*>(QStringLiteral("copyButton"))->click();
        return int(QDialog::Rejected);
    });
    button("completeButton")->click();
    EXPECT_EQ(platform.messages.size(), 2u);  // not saved, not copied
    EXPECT_EQ(said.count(), 0);
}

TEST_F(PlatePageLive, ThePhoneBoxFitsThePreviewAndTheSavedPageAndIsKeptForTheNextStart)
{
    fillForm();
    combo("typeCombo")->setCurrentIndex(0);  // タイプ１, 620 px wide
    QCheckBox* phone = box("phoneFitBox");
    EXPECT_EQ(phone->text(), QStringLiteral("スマートフォンでも読みやすく"));
    EXPECT_FALSE(phone->isChecked());
    page->livePreview().open();
    ASSERT_EQ(shown.size(), 1u);
    const std::string wide = "「タイプ１」は幅620ピクセル";
    auto mentionsWidth = [&](const std::vector<std::string>& lines) {
        for (const std::string& l : lines)
            if (l.find(wide) != std::string::npos) return true;
        return false;
    };
    EXPECT_TRUE(mentionsWidth(shown[0].checks));
    EXPECT_EQ(shown[0].page.find("max-width"), std::string::npos);

    phone->click();
    settle();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[1].page.find("<table style=\"width:100%;max-width:620px;"), std::string::npos);
    EXPECT_FALSE(mentionsWidth(shown[1].checks));
    button("completeButton")->click();
    EXPECT_EQ(shown[1].page, savedPage());
    EXPECT_FALSE(
        find<ChecksView>("plateChecks")->lines().join(QStringLiteral("\n")).contains(QString::fromStdString(wide)));

    ASSERT_TRUE(page->savePlateSettings());
    makePage();
    EXPECT_TRUE(box("phoneFitBox")->isChecked());
}
