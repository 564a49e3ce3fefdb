// The bytes each file of the two forms holds, on the shared sample project
// (tests/install/sample/project.tpf.txt): the project file read and written
// again, the forms it fills written back to a project, and the plate.ini and
// status.ini those forms leave at exit. The settings bytes are assembled
// here from the layouts the store documents, field by field.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/ProjectFile.h"
#include "app/ProjectMapping.h"
#include "mail/MailFields.h"
#include "mail/MailState.h"
#include "plate/PlateSettings.h"
#include "plate/PlateState.h"
#include "store/SettingsFiles.h"
#include "support/core/TestText.h"
#include "support/core/WholeFiles.h"

namespace torepal {
namespace {

using test::S;

// The sample as the program holds a project in memory: Shift-JIS with
// CR LF line ends.
std::string SampleProject()
{
    const std::string utf8 =
        test::ReadBytes(std::filesystem::path(TOREPAL_SOURCE_DIR) / "tests/install/sample/project.tpf.txt");
    std::string crlf;
    for (char c : utf8) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return S(crlf);
}

// Archive pieces: a little-endian u32, and a text with its length prefix
// (one byte below 255, else FF and a u16).
std::string U32(std::uint32_t v)
{
    std::string out;
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}

std::string Str(const std::string& sjis)
{
    if (sjis.size() < 255) return std::string(1, static_cast<char>(sjis.size())) + sjis;
    return std::string("\xFF") + static_cast<char>(sjis.size() & 0xFF) + static_cast<char>(sjis.size() >> 8) + sjis;
}

struct SampleForms {
    PlateState plate;
    PlateFlags flags;
    PlateSelections selections;
    MailState mail;
    ProjectRecord project;
};

SampleForms OpenSample()
{
    SampleForms f;
    const auto read = ParseProjectText(SampleProject());
    EXPECT_TRUE(read.has_value());
    if (read) f.project = *read;
    FormsFromProject(f.project, f.plate, f.flags, f.selections, f.mail);
    f.mail.accounts = f.project.accounts;
    return f;
}

TEST(FormFiles, TheSampleProjectIsWrittenBackByteForByte)
{
    const std::string sample = SampleProject();
    const auto read = ParseProjectText(sample);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(BuildProjectText(*read), sample);
}

TEST(FormFiles, TheFormsOfTheSampleSaveTheSameProject)
{
    const SampleForms f = OpenSample();
    EXPECT_EQ(f.plate.Title, S("昭和レトロ　手巻き腕時計　シルバー"));
    EXPECT_EQ(f.mail.transnum, "1234-5678-9012");
    EXPECT_EQ(BuildProjectText(ProjectFromForms(f.plate, f.flags, f.selections, f.mail)), SampleProject());

    // With two current services ticked, a "[CS1]" line follows the accounts.
    EXPECT_EQ(BuildProjectText(ProjectFromForms(f.plate, f.flags, f.selections, f.mail, {"yu-packet", "click-post"})),
              SampleProject() + "\r\n[CS1]\r\n,yu-packet,click-post\r\n");
}

TEST(FormFiles, PlateIniOfTheSampleForm)
{
    const SampleForms f = OpenSample();
    // [TM3] ,1,0,1,0,1,0,0,0; [TM4] ,11,0,12,0 then 中央 1, 左寄せ 0,
    // リンクしない 1, リンクする 0; [TM2] ,1,1,0,0,1,0,0,0.
    const std::string others = S("中古品のため、小さなすり傷がございます。\r\nご質問は、お気軽にどうぞ。");
    const std::string expected = U32(1) + U32(0) + U32(1) + U32(0) + U32(1) + U32(0) + U32(0) + U32(0)  // carriers
                                 + U32(12)                                                              // origin
                                 + Str(S("注意事項")) + Str(others)                                     //
                                 + Str("#336699") + Str("#eeeeee") + Str("#333333")                     // colours
                                 + Str(S("注意事項")) + Str("hanako_shop")                              //
                                 + U32(0) + U32(1)  // リンクする, リンクしない
                                 + U32(0)           // unused
                                 + U32(0)           // type
                                 + U32(1) + U32(0)  // 中央, 左寄せ
                                 + U32(1) + U32(1) + U32(0) + U32(0) + U32(1) + U32(0)  // accounts
                                 + U32(0) + U32(0)                                      // かんたん決済, 切手
                                 + Str(S("ほかの出品もぜひご覧ください"));
    EXPECT_EQ(test::Hex(EncodePlate(PlateSettingsRecord(f.plate, f.flags, f.selections.origin, f.selections.type))),
              test::Hex(expected));
}

TEST(FormFiles, StatusIniOfTheSampleForm)
{
    const SampleForms f = OpenSample();
    const std::string expected = Str(S("東京都世田谷区桜丘3-12-8")) + Str(S("山田花子")) + Str("156-0054") +
                                 Str("03-1234-5678") + Str("090-1234-5678")  //
                                 + U32(1) + U32(1) + U32(0) + U32(0) + U32(1) + U32(0);
    EXPECT_EQ(test::Hex(EncodeStatus(StatusSettingsRecord(f.mail))), test::Hex(expected));
}

}  // namespace
}  // namespace torepal
