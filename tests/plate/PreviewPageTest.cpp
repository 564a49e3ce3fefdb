#include <gtest/gtest.h>

#include "plate/PreviewPage.h"
#include "plate/RenderPage.h"
#include "plate/SavedPages.h"
#include "support/core/SamplePlate.h"
#include "support/core/TempFolder.h"
#include "support/core/TestText.h"
#include "support/core/WholeFiles.h"

using namespace torepal::test;

using namespace torepal;

namespace {

// The sample form as タイプ２ after an earlier render, its booth text on two
// lines; its description names no 腕時計, so a changed title leaves none.
PlateState Form()
{
    PlateFlags sampleFlags;
    PlateState s = SamplePlateForm(sampleFlags);
    s.Items = S("動作確認済み。\r\n傷はほとんどありません。");
    s.mytext = S("ほかの出品も\r\nごらんください");
    s.templateType = 1;
    s.page = "the page of an earlier render";
    return s;
}

PlateFlags Flags()
{
    PlateFlags f;
    f.payment.yahooEasy = true;
    f.carriers.yuPack = true;
    f.linkOff = false;
    f.linkOn = true;
    return f;
}

}  // namespace

TEST(PreviewPageBytes, AreTheBytesFinishingWouldSave)
{
    const PlateState form = Form();
    PlateState finished = form;
    RenderPage(finished, Flags());
    TempFolder folder;
    ASSERT_EQ(WritePageFile(folder / "page.html", finished.page), WriteStatus::Ok);

    EXPECT_EQ(PreviewPageBytes(form, Flags()), ReadBytes(folder / "page.html"));
}

TEST(PreviewPageBytes, CarryTheBoothTextsLineBreakAsTheSavedFileDoes)
{
    // The booth text's CR LF stays in the page; text-mode writing makes it
    // CR CR LF on disk, and the preview shows the file's bytes.
    const std::string bytes = PreviewPageBytes(Form(), Flags());
    EXPECT_NE(bytes.find(S("ほかの出品も\r\r\nごらんください")), std::string::npos);
    EXPECT_NE(bytes.find(S("腕時計 ステンレス")), std::string::npos);
    EXPECT_NE(bytes.find(S("動作確認済み。<br>傷はほとんどありません。")), std::string::npos);
}

TEST(PreviewPageBytes, LeaveTheFormsRecordAlone)
{
    PlateState form = Form();
    const PlateState before = form;
    (void)PreviewPageBytes(form, Flags());
    EXPECT_EQ(form.page, before.page);
    EXPECT_EQ(form.sdata, before.sdata);
    EXPECT_EQ(form.pdata, before.pdata);
    EXPECT_EQ(form.Title, before.Title);
}

TEST(PreviewPageBytes, FollowTheFormsValues)
{
    PlateState form = Form();
    const std::string first = PreviewPageBytes(form, Flags());
    form.Title = S("置き時計");
    const std::string second = PreviewPageBytes(form, Flags());
    EXPECT_NE(first, second);
    EXPECT_NE(second.find(S("置き時計")), std::string::npos);
    EXPECT_EQ(second.find(S("腕時計")), std::string::npos);
}

TEST(PreviewPageBytes, CarryTheTickedCurrentServicesAsFinishingDoes)
{
    Tariff flat;
    flat.id = "test-flat";
    flat.name = "テスト便";  // a tariff's texts are UTF-8, as its file
    flat.carrier = "テスト運輸";
    flat.date = TariffDate{2024, 10, 1};
    flat.shape = TariffShape::Flat;
    flat.flatYen = 430;
    flat.flatMaxGrams = 4000;
    const std::vector<Tariff> ticked{flat};

    PlateState finished = Form();
    RenderPage(finished, Flags(), ticked);
    TempFolder folder;
    ASSERT_EQ(WritePageFile(folder / "page.html", finished.page), WriteStatus::Ok);

    const std::string bytes = PreviewPageBytes(Form(), Flags(), ticked);
    EXPECT_EQ(bytes, ReadBytes(folder / "page.html"));
    // The form weighs up to 1kg: the flat price holds, with its date.
    EXPECT_NE(bytes.find(S("<br><b>▼テスト便</b><br> 430円<br>（2024年10月1日改定の料金）<br>")), std::string::npos);
    EXPECT_EQ(PreviewPageBytes(Form(), Flags()).find(S("テスト便")), std::string::npos);
}
