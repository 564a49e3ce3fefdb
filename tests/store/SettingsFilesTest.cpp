#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <vector>

#include "store/SettingsFiles.h"
#include "support/core/TempFolder.h"
#include "support/core/TestText.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"
#include "text/Files.h"

using namespace torepal;
using namespace torepal::test;
namespace fs = std::filesystem;

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

std::string U32(std::uint32_t v)
{
    return Bytes({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF),
                  static_cast<int>(v >> 24)});
}

// A bank.ini with something in the first row and the 振替口座 row.
CBSave SampleBank()
{
    CBSave r;
    r.rows[0] = {"AB", "C", "123", "XY", 1};
    r.rows[kFurikaeRow] = {"", "01", "9", "Z", 0};
    return r;
}

// Its bytes, worked out by hand: per row bank name, branch, holder, number,
// kind.
const std::string kSampleBankBytes =
    Bytes({0x02, 'A', 'B', 0x01, 'C', 0x02, 'X', 'Y', 0x03, '1', '2', '3', 0x01, 0, 0, 0}) + std::string(4 * 8, '\0') +
    Bytes({0x00, 0x02, '0', '1', 0x01, 'Z', 0x01, '9', 0, 0, 0, 0});

}  // namespace

// ---- bank.ini ----

TEST(BankFile, SixEmptyRowsAreFortyEightZeroBytes)
{
    EXPECT_EQ(EncodeBank(CBSave{}), std::string(48, '\0'));
}

TEST(BankFile, HolderIsStoredBeforeNumber)
{
    EXPECT_EQ(EncodeBank(SampleBank()), kSampleBankBytes);
    CBSave back;
    ASSERT_TRUE(DecodeBank(kSampleBankBytes, back));
    EXPECT_EQ(back.rows, SampleBank().rows);
}

TEST(BankFile, KindKeepsAnyValueIncludingMinusOne)
{
    CBSave r;
    r.rows[2].kind = -1;
    const std::string bytes = EncodeBank(r);
    EXPECT_EQ(bytes.substr(2 * 8 + 4, 4), Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    CBSave back;
    ASSERT_TRUE(DecodeBank(bytes, back));
    EXPECT_EQ(back.rows[2].kind, -1);
}

TEST(BankFile, AHugeLengthPrefixIsDamageNotAnAllocation)
{
    CBSave r;
    EXPECT_FALSE(DecodeBank(Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 'x'}), r));
    EXPECT_EQ(r.rows, CBSave{}.rows);
}

// ---- status.ini ----

TEST(StatusFile, FiveEmptyTextsAndNoTicksAreTwentyNineZeroBytes)
{
    EXPECT_EQ(EncodeStatus(CSavemail{}), std::string(29, '\0'));
}

TEST(StatusFile, TextsThenTheSixTicksInBoxOrder)
{
    CSavemail r;
    r.post = "P";
    r.myname = "MN";
    r.zip = "123";
    r.tel = "";
    r.ktel = "K";
    r.accountTicks = {false, false, true, false, false, true};
    const std::string expected = Bytes({0x01, 'P', 0x02, 'M', 'N', 0x03, '1', '2', '3', 0x00, 0x01, 'K'}) + U32(0) +
                                 U32(0) + U32(1) + U32(0) + U32(0) + U32(1);
    EXPECT_EQ(EncodeStatus(r), expected);
    CSavemail back;
    ASSERT_TRUE(DecodeStatus(expected, back));
    EXPECT_EQ(back.post, "P");
    EXPECT_EQ(back.myname, "MN");
    EXPECT_EQ(back.zip, "123");
    EXPECT_EQ(back.ktel, "K");
    EXPECT_EQ(back.accountTicks, r.accountTicks);
}

// ---- plate.ini ----

namespace {

CPSave SamplePlate()
{
    CPSave r;
    r.yamato = true;
    r.expack = true;
    r.originIndex = 12;
    r.TOthers = "T";
    r.Others = "O";
    r.color = "#ff8000";
    r.fcolor = "#000000";
    r.yahooId = "id";
    r.linkOn = true;
    r.templateType = 4;
    r.left = true;
    r.accountTicks = {true, false, false, false, false, true};
    r.yahooEasy = true;
    r.mytext = "my";
    return r;
}

// clang-format off
const std::string kSamplePlateBytes =
    U32(1) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(1)  // carriers
    + U32(12)                                                              // origin
    + Bytes({0x01, 'T'})                                                   // TOthers
    + Bytes({0x01, 'O'})                                                   // Others
    + Bytes({0x07}) + "#ff8000"                                            // color
    + Bytes({0x00})                                                        // bgcolor
    + Bytes({0x07}) + "#000000"                                            // fcolor
    + Bytes({0x01, 'T'})                                                   // TOthers again
    + Bytes({0x02, 'i', 'd'})                                              // yahooId
    + U32(1) + U32(0)                                                      // リンクする, リンクしない
    + U32(0)                                                               // unused
    + U32(4)                                                               // type
    + U32(0) + U32(1)                                                      // 中央, 左寄せ
    + U32(1) + U32(0) + U32(0) + U32(0) + U32(0) + U32(1)                  // accounts
    + U32(1) + U32(0)                                                      // かんたん決算, 切手
    + Bytes({0x02, 'm', 'y'});                                             // mytext
// clang-format on

}  // namespace

TEST(PlateFile, FieldsInFileOrder)
{
    EXPECT_EQ(EncodePlate(SamplePlate()), kSamplePlateBytes);
}

TEST(PlateFile, EmptyRecordIsOneHundredBytes)
{
    // 23 u32 and 8 one-byte empty texts.
    EXPECT_EQ(EncodePlate(CPSave{}).size(), 23u * 4 + 8);
}

TEST(PlateFile, ReadsBackEveryField)
{
    CPSave back;
    ASSERT_TRUE(DecodePlate(kSamplePlateBytes, back));
    const CPSave r = SamplePlate();
    EXPECT_TRUE(back.yamato && back.expack);
    EXPECT_FALSE(back.sagawa || back.yuPack || back.yahooYuPack || back.teikeigai || back.sasshi || back.kuronekoMail);
    EXPECT_EQ(back.originIndex, 12);
    EXPECT_EQ(back.TOthers, "T");
    EXPECT_EQ(back.Others, "O");
    EXPECT_EQ(back.color, "#ff8000");
    EXPECT_EQ(back.bgcolor, "");
    EXPECT_EQ(back.fcolor, "#000000");
    EXPECT_EQ(back.yahooId, "id");
    EXPECT_TRUE(back.linkOn);
    EXPECT_FALSE(back.linkOff);
    EXPECT_EQ(back.templateType, 4);
    EXPECT_FALSE(back.center);
    EXPECT_TRUE(back.left);
    EXPECT_EQ(back.accountTicks, r.accountTicks);
    EXPECT_TRUE(back.yahooEasy);
    EXPECT_FALSE(back.stamps);
    EXPECT_EQ(back.mytext, "my");
}

TEST(PlateFile, TheSecondCopyOfTOthersWins)
{
    std::string bytes = kSamplePlateBytes;
    // Slot 10 is at offset 36: change its text to "A".
    ASSERT_EQ(bytes.substr(36, 2), Bytes({0x01, 'T'}));
    bytes[37] = 'A';
    CPSave back;
    ASSERT_TRUE(DecodePlate(bytes, back));
    EXPECT_EQ(back.TOthers, "T");
}

TEST(PlateFile, TheUnusedSlotIsWrittenZeroAndIgnored)
{
    std::string bytes = kSamplePlateBytes;
    // Slot 19 follows the texts (36 + 2 + 2 + 8 + 1 + 8 + 2 + 3 = 62) and the two link ticks.
    const std::size_t slot19 = 62 + 8;
    ASSERT_EQ(bytes.substr(slot19, 8), U32(0) + U32(4));
    bytes.replace(slot19, 4, U32(0xDEADBEEF));
    CPSave back;
    ASSERT_TRUE(DecodePlate(bytes, back));
    EXPECT_EQ(back.templateType, 4);
    CPSave withReserved = SamplePlate();
    withReserved.reserved = 7;
    EXPECT_EQ(EncodePlate(withReserved), kSamplePlateBytes);
}

TEST(PlateFile, ThePhoneChoiceFollowsTheRecordOnlyWhenOn)
{
    CPSave on = SamplePlate();
    on.phoneFit = true;
    // The 31 fields unchanged, then the setting's name and the u32 1.
    const std::string bytes = kSamplePlateBytes + Bytes({0x09}) + "phone-fit" + U32(1);
    EXPECT_EQ(EncodePlate(on), bytes);
    EXPECT_EQ(EncodePlate(SamplePlate()), kSamplePlateBytes);

    CPSave back;
    ASSERT_TRUE(DecodePlate(bytes, back));
    EXPECT_TRUE(back.phoneFit);
    EXPECT_EQ(back.mytext, "my");
    EXPECT_TRUE(SalvagePlate(bytes).phoneFit);

    CPSave old;
    ASSERT_TRUE(DecodePlate(kSamplePlateBytes, old));
    EXPECT_FALSE(old.phoneFit);
    // Bytes another writer left after the record are no setting; a value
    // the form could not write is not taken from a damaged file.
    for (const std::string& tail :
         {std::string("tail"), Bytes({0x09}) + "phone-fit", Bytes({0x05}) + "other" + U32(1)}) {
        CPSave r;
        EXPECT_TRUE(DecodePlate(kSamplePlateBytes + tail, r));
        EXPECT_FALSE(r.phoneFit) << Hex(tail);
    }
    EXPECT_FALSE(SalvagePlate(kSamplePlateBytes + Bytes({0x09}) + "phone-fit" + U32(7)).phoneFit);
}

TEST(PlateFile, NoSelectionIsStoredAsAllOnes)
{
    CPSave r;
    r.originIndex = -1;
    r.templateType = -1;
    const std::string bytes = EncodePlate(r);
    EXPECT_EQ(bytes.substr(32, 4), Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    CPSave back;
    ASSERT_TRUE(DecodePlate(bytes, back));
    EXPECT_EQ(back.originIndex, -1);
    EXPECT_EQ(back.templateType, -1);
}

// ---- loading and storing ----

TEST(SettingsFiles, AMissingFileIsTheFirstStartWithEverythingZeroed)
{
    TempFolder folder;
    const Loaded<CBSave> bank = LoadBankFile(folder.path());
    EXPECT_EQ(bank.status, LoadStatus::Missing);
    EXPECT_EQ(bank.record.rows, CBSave{}.rows);
    const Loaded<CPSave> plate = LoadPlateFile(folder.path());
    EXPECT_EQ(plate.status, LoadStatus::Missing);
    EXPECT_EQ(EncodePlate(plate.record), EncodePlate(CPSave{}));
    const Loaded<CSavemail> status = LoadStatusFile(folder.path());
    EXPECT_EQ(status.status, LoadStatus::Missing);
    EXPECT_EQ(EncodeStatus(status.record), std::string(29, '\0'));
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(SettingsFiles, StoreThenLoadGivesTheSameRecord)
{
    TempFolder folder;
    ASSERT_TRUE(StoreBankFile(folder.path(), SampleBank()));
    ASSERT_TRUE(StorePlateFile(folder.path(), SamplePlate()));
    CSavemail mail;
    mail.myname = "\x8E\x52\x93\x63";  // 山田
    mail.accountTicks[3] = true;
    ASSERT_TRUE(StoreStatusFile(folder.path(), mail));

    EXPECT_EQ(ReadBytes(folder / "bank.ini"), kSampleBankBytes);
    EXPECT_EQ(ReadBytes(folder / "plate.ini"), kSamplePlateBytes);

    const Loaded<CBSave> bank = LoadBankFile(folder.path());
    EXPECT_EQ(bank.status, LoadStatus::Loaded);
    EXPECT_EQ(bank.record.rows, SampleBank().rows);
    const Loaded<CPSave> plate = LoadPlateFile(folder.path());
    EXPECT_EQ(plate.status, LoadStatus::Loaded);
    EXPECT_EQ(EncodePlate(plate.record), kSamplePlateBytes);
    const Loaded<CSavemail> status = LoadStatusFile(folder.path());
    EXPECT_EQ(status.status, LoadStatus::Loaded);
    EXPECT_EQ(status.record.myname, mail.myname);
    EXPECT_EQ(status.record.accountTicks, mail.accountTicks);
    // Nothing is left beside the files.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator{}), 3);
}

namespace {

// The bank rows a file cut after `length` bytes must give: a field is kept
// when all of its bytes are there, in file order.
CBSave ExpectedBankPrefix(std::size_t length)
{
    const CBSave full = SampleBank();
    CBSave expected;
    std::size_t end = 0;
    auto keep = [&](std::size_t size, const std::function<void()>& assign) {
        end += size;
        if (end <= length) assign();
    };
    for (std::size_t i = 0; i < kAccountCount; ++i) {
        const BankAccount& f = full.rows[i];
        BankAccount& e = expected.rows[i];
        keep(1 + f.bankName.size(), [&] { e.bankName = f.bankName; });
        keep(1 + f.branch.size(), [&] { e.branch = f.branch; });
        keep(1 + f.holder.size(), [&] { e.holder = f.holder; });
        keep(1 + f.number.size(), [&] { e.number = f.number; });
        keep(4, [&] { e.kind = f.kind; });
    }
    return expected;
}

}  // namespace

TEST(SettingsFiles, ATruncatedBankFileKeepsWhatWasReadAndIsCopiedAside)
{
    for (std::size_t length = 0; length < kSampleBankBytes.size(); ++length) {
        TempFolder folder;
        const std::string cut = kSampleBankBytes.substr(0, length);
        WriteBytes(folder / "bank.ini", cut);
        const Loaded<CBSave> loaded = LoadBankFile(folder.path());
        ASSERT_EQ(loaded.status, LoadStatus::Damaged) << length;
        EXPECT_EQ(loaded.record.rows, ExpectedBankPrefix(length).rows) << length;
        EXPECT_EQ(loaded.keptCopy, folder / "bank.ini.broken") << length;
        EXPECT_EQ(ReadBytes(folder / "bank.ini.broken"), cut) << length;
        EXPECT_EQ(ReadBytes(folder / "bank.ini"), cut) << length;
    }
}

TEST(SettingsFiles, TruncatedPlateAndStatusFilesAreDamagedAtEveryLength)
{
    for (std::size_t length = 1; length < kSamplePlateBytes.size(); ++length) {
        TempFolder folder;
        WriteBytes(folder / "plate.ini", kSamplePlateBytes.substr(0, length));
        const Loaded<CPSave> loaded = LoadPlateFile(folder.path());
        ASSERT_EQ(loaded.status, LoadStatus::Damaged) << length;
        EXPECT_EQ(ReadBytes(loaded.keptCopy), kSamplePlateBytes.substr(0, length)) << length;
        // The ticks are read first: they survive any cut after them.
        EXPECT_EQ(loaded.record.yamato, length >= 4) << length;
        EXPECT_EQ(loaded.record.expack, length >= 32) << length;
        EXPECT_EQ(loaded.record.originIndex, length >= 36 ? 12 : 0) << length;
        EXPECT_EQ(loaded.record.TOthers, length >= 38 ? "T" : "") << length;
        EXPECT_EQ(loaded.record.mytext, "") << length;
    }
    CSavemail mail;
    mail.post = "P";
    mail.accountTicks[5] = true;
    const std::string full = EncodeStatus(mail);
    for (std::size_t length = 0; length < full.size(); ++length) {
        TempFolder folder;
        WriteBytes(folder / "status.ini", full.substr(0, length));
        const Loaded<CSavemail> loaded = LoadStatusFile(folder.path());
        ASSERT_EQ(loaded.status, LoadStatus::Damaged) << length;
        EXPECT_EQ(loaded.record.post, length >= 2 ? "P" : "") << length;
        EXPECT_FALSE(loaded.record.accountTicks[5]) << length;
        EXPECT_EQ(loaded.keptCopy, folder / "status.ini.broken") << length;
    }
}

TEST(SettingsFiles, AnEmptyPlateFileReadsLikeAMissingOne)
{
    TempFolder folder;
    WriteBytes(folder / "plate.ini", "");
    const Loaded<CPSave> loaded = LoadPlateFile(folder.path());
    EXPECT_EQ(loaded.status, LoadStatus::Missing);
    EXPECT_TRUE(loaded.keptCopy.empty());
    EXPECT_FALSE(fs::exists(folder / "plate.ini.broken"));
    // Nothing to keep: the first store simply replaces it.
    ASSERT_TRUE(StorePlateFile(folder.path(), SamplePlate()));
    EXPECT_EQ(ReadBytes(folder / "plate.ini"), kSamplePlateBytes);
    EXPECT_FALSE(fs::exists(folder / "plate.ini.broken"));
}

TEST(SettingsFiles, ADamagedFileGivesOnlyValuesTheFormCouldHaveWritten)
{
    // Ticks of 2 and 0xFFFFFFFF, an origin past the 47 prefectures, a text
    // with a control character, then a cut inside Others.
    const std::string noise = U32(2) + U32(1) + U32(0xFFFFFFFF) + U32(0) + U32(1) + U32(0x7F) + U32(0) + U32(0) +
                              U32(47) + Bytes({0x03, 'a', 0x07, 'b'}) + Bytes({0x05, 'x'});
    TempFolder folder;
    WriteBytes(folder / "plate.ini", noise);
    const Loaded<CPSave> loaded = LoadPlateFile(folder.path());
    ASSERT_EQ(loaded.status, LoadStatus::Damaged);
    EXPECT_FALSE(loaded.record.yamato);
    EXPECT_TRUE(loaded.record.sagawa);
    EXPECT_FALSE(loaded.record.yuPack);
    EXPECT_TRUE(loaded.record.teikeigai);
    EXPECT_FALSE(loaded.record.sasshi);
    EXPECT_EQ(loaded.record.originIndex, 0);
    EXPECT_EQ(loaded.record.TOthers, "");
    EXPECT_EQ(loaded.record.Others, "");

    // 46 is 沖縄, the last prefecture; type 5 is past the five templates.
    CPSave edge;
    edge.originIndex = 46;
    edge.templateType = 5;
    edge.Others = "a\r\nb\tc";
    const std::string bytes = EncodePlate(edge);
    const CPSave salvaged = SalvagePlate(bytes.substr(0, bytes.size() - 1));
    EXPECT_EQ(salvaged.originIndex, 46);
    EXPECT_EQ(salvaged.templateType, 0);
    EXPECT_EQ(salvaged.Others, "a\r\nb\tc");  // a multi-line edit keeps its line breaks
    edge.templateType = 4;
    EXPECT_EQ(SalvagePlate(EncodePlate(edge)).templateType, 4);
}

TEST(SettingsFiles, ADamagedBankOrStatusFileDropsMojibakeAndStrayKinds)
{
    CBSave bank;
    bank.rows[0] = {Sjis("みずほ銀行"), "\x81", "1", "X", 1};          // a lone lead byte as branch
    bank.rows[1] = {"B\nC", Sjis("本店"), "2", "Y", 7};                // a line break in a one-line text, kind 7
    bank.rows[2] = {std::string("\xA0\x82\x40", 3), "", "3", "Z", 0};  // A0 starts nothing; 82 40 unassigned
    std::string bytes = EncodeBank(bank);
    bytes.pop_back();
    const CBSave got = SalvageBank(bytes);
    EXPECT_EQ(got.rows[0].bankName, Sjis("みずほ銀行"));
    EXPECT_EQ(got.rows[0].branch, "");
    EXPECT_EQ(got.rows[0].kind, 1);
    EXPECT_EQ(got.rows[1].bankName, "");
    EXPECT_EQ(got.rows[1].branch, Sjis("本店"));
    EXPECT_EQ(got.rows[1].kind, 0);
    EXPECT_EQ(got.rows[2].bankName, "");
    EXPECT_EQ(got.rows[2].number, "3");
    EXPECT_EQ(got.rows[5].kind, 0);  // cut off: its initial value

    CSavemail status;
    status.myname = Sjis("山田　太郎");
    status.tel = std::string("03\0", 3);
    status.accountTicks = {true, true, true, true, true, true};
    std::string statusBytes = EncodeStatus(status);
    statusBytes[statusBytes.size() - 24] = 3;  // the first tick reads 3
    statusBytes.pop_back();
    const CSavemail mail = SalvageStatus(statusBytes);
    EXPECT_EQ(mail.myname, Sjis("山田　太郎"));
    EXPECT_EQ(mail.tel, "");
    EXPECT_FALSE(mail.accountTicks[0]);
    EXPECT_TRUE(mail.accountTicks[4]);
    EXPECT_FALSE(mail.accountTicks[5]);
}

TEST(SettingsFiles, RandomFilesNeverTickMostBoxes)
{
    // Noise from a fixed generator: a u32 is 0 or 1 with odds of 2 in 2^32,
    // so a carrier ticked from noise means the values were not checked.
    std::uint32_t seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        for (int i = 0; i < 400; ++i) {
            seed = seed * 1103515245u + 12345u;
            bytes.push_back(static_cast<char>((seed >> 16) | 1));  // never a zero byte
        }
        CPSave plate;
        const bool complete = DecodePlate(bytes, plate);
        if (complete) continue;
        const CPSave got = SalvagePlate(bytes);
        EXPECT_FALSE(got.yamato || got.sagawa || got.yuPack || got.yahooYuPack || got.teikeigai || got.sasshi ||
                     got.kuronekoMail || got.expack)
            << round;
        EXPECT_EQ(got.originIndex, 0) << round;
        const CBSave bank = SalvageBank(bytes);
        for (const BankAccount& row : bank.rows) {
            EXPECT_TRUE(IsCleanSettingsText(row.bankName, false)) << round;
            EXPECT_TRUE(row.kind == 0 || row.kind == 1) << round;
        }
    }
}

TEST(SettingsFiles, TheSlotTenCopyOfTOthersStaysWhenTheFileEndsBeforeSlotFifteen)
{
    TempFolder folder;
    // Up to and including fcolor: slot 10 "T" is there, slot 15 is not.
    WriteBytes(folder / "plate.ini", kSamplePlateBytes.substr(0, 36 + 2 + 2 + 8 + 1 + 8));
    const Loaded<CPSave> loaded = LoadPlateFile(folder.path());
    EXPECT_EQ(loaded.status, LoadStatus::Damaged);
    EXPECT_EQ(loaded.record.TOthers, "T");
    EXPECT_EQ(loaded.record.fcolor, "#000000");
    EXPECT_EQ(loaded.record.yahooId, "");
}

TEST(SettingsFiles, AStoreAfterDamageReplacesTheFileButNotItsCopy)
{
    TempFolder folder;
    const std::string damaged = kSampleBankBytes.substr(0, 10);
    WriteBytes(folder / "bank.ini", damaged);
    ASSERT_EQ(LoadBankFile(folder.path()).status, LoadStatus::Damaged);
    ASSERT_TRUE(StoreBankFile(folder.path(), CBSave{}));
    EXPECT_EQ(ReadBytes(folder / "bank.ini"), std::string(48, '\0'));
    EXPECT_EQ(ReadBytes(folder / "bank.ini.broken"), damaged);
    EXPECT_EQ(LoadBankFile(folder.path()).status, LoadStatus::Loaded);
}

TEST(SettingsFiles, LoadingTheSameDamageAgainMakesNoSecondCopy)
{
    TempFolder folder;
    WriteBytes(folder / "status.ini",
               "\x05"
               "ab");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(LoadStatusFile(folder.path()).keptCopy, folder / "status.ini.broken");
    EXPECT_FALSE(fs::exists(folder / "status.ini.broken-2"));
}

TEST(SettingsFiles, AnOlderCopyIsNeverOverwritten)
{
    TempFolder folder;
    WriteBytes(folder / "bank.ini.broken", "older copy");
    WriteBytes(folder / "bank.ini.broken-2", "another");
    WriteBytes(folder / "bank.ini",
               "\x09"
               "short");
    const Loaded<CBSave> loaded = LoadBankFile(folder.path());
    EXPECT_EQ(loaded.keptCopy, folder / "bank.ini.broken-3");
    EXPECT_EQ(ReadBytes(folder / "bank.ini.broken"), "older copy");
    EXPECT_EQ(ReadBytes(folder / "bank.ini.broken-2"), "another");
    EXPECT_EQ(ReadBytes(folder / "bank.ini.broken-3"),
              "\x09"
              "short");
}

TEST(SettingsFiles, ADamagedFileNeverLoadedIsCopiedBeforeAStoreReplacesIt)
{
    TempFolder folder;
    WriteBytes(folder / "plate.ini", "\xFF\xFF");
    ASSERT_TRUE(StorePlateFile(folder.path(), SamplePlate()));
    EXPECT_EQ(ReadBytes(folder / "plate.ini.broken"), "\xFF\xFF");
    EXPECT_EQ(ReadBytes(folder / "plate.ini"), kSamplePlateBytes);
}

TEST(SettingsFiles, AFailedStoreKeepsTheOldFile)
{
    for (WriteFault fault :
         {WriteFault::Create, WriteFault::Write, WriteFault::Sync, WriteFault::Rename, WriteFault::CrashBeforeRename}) {
        TempFolder folder;
        ASSERT_TRUE(StoreBankFile(folder.path(), SampleBank()));
        {
            WriteFaultGuard guard(fault);
            EXPECT_FALSE(StoreBankFile(folder.path(), CBSave{}));
            EXPECT_FALSE(StorePlateFile(folder.path(), SamplePlate()));
        }
        EXPECT_EQ(ReadBytes(folder / "bank.ini"), kSampleBankBytes);
        EXPECT_FALSE(fs::exists(folder / "plate.ini"));
        EXPECT_EQ(LoadBankFile(folder.path()).status, LoadStatus::Loaded);
    }
}

TEST(SettingsFiles, AFolderInTheFilesPlaceIsDamageAndIsLeftAlone)
{
    TempFolder folder;
    fs::create_directory(folder / "bank.ini");
    const Loaded<CBSave> loaded = LoadBankFile(folder.path());
    EXPECT_EQ(loaded.status, LoadStatus::Damaged);
    EXPECT_TRUE(loaded.keptCopy.empty());
    EXPECT_FALSE(StoreBankFile(folder.path(), CBSave{}));
    EXPECT_TRUE(fs::is_directory(folder / "bank.ini"));
}

TEST(SettingsFiles, ExtraBytesAfterTheRecordAreIgnored)
{
    CSavemail back;
    EXPECT_TRUE(DecodeStatus(std::string(29, '\0') + "tail", back));
}

TEST(SettingsMessages, NameTheFileAndWhereItsCopyIs)
{
    EXPECT_EQ(Utf8FromSjis(DamagedSettingsMessage("bank.ini", "/some/folder/bank.ini.broken-2")),
              "設定ファイル「bank.ini」を正しく読み込めませんでした。読み取れた部分だけを使います。\n"
              "元のファイルは「bank.ini.broken-2」という名前でプログラムのフォルダに残してあります。");
    EXPECT_EQ(Utf8FromSjis(DamagedSettingsMessage("plate.ini", {})),
              "設定ファイル「plate.ini」を正しく読み込めませんでした。読み取れた部分だけを使います。\n"
              "元のファイルの控えを作れませんでした。控えを作れるまで、このファイルは書き換えません。");
    EXPECT_EQ(Utf8FromSjis(StoreFailedMessage("status.ini")),
              "設定ファイル「status.ini」を保存できませんでした。\n"
              "前に保存した内容はそのまま残っています。\n"
              "フォルダに書き込めるか、ディスクに空きがあるかを確かめてください。");
    EXPECT_TRUE(IsValidSjis(DamagedSettingsMessage("bank.ini", "x")));
}
