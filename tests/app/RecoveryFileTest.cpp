#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <random>
#include <thread>

#include "app/RecoveryFile.h"
#include "support/core/SampleMail.h"
#include "support/core/SamplePlate.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Encoding.h"

using namespace torepal::test;

using namespace torepal;

namespace {

// A form holding the record's texts and nothing ticked or chosen.
PlateForm FormOf(const PlateState& state)
{
    PlateForm form;
    form.texts = state;
    return form;
}

MailForm FormOf(const MailState& state)
{
    MailForm form;
    form.texts = state;
    return form;
}

RecoveryRecord Sample()
{
    RecoveryRecord r;
    r.hasPlate = true;
    r.plate.texts.Title = Sjis("腕時計");
    r.plate.texts.Items = Sjis("一行目\r\n二行目");
    r.plate.texts.mytext = Sjis("ほかの出品も\r\nどうぞ");  // breaks the project file's place drops
    r.plate.texts.sdata = Sjis("送料");
    r.plate.flags.carriers.sasshi = true;
    r.plate.flags.left = true;
    r.plate.selections = PlateSelections{11, -1, 12, 2};
    r.plate.services = {"yu-packet", "click-post"};
    r.plate.thickness = 2;  // ～2cm
    r.plate.flags.phoneFit = true;
    r.hasMail = true;
    r.mail.texts.fauc = "12,800";
    r.mail.texts.body = Sjis("ありがとうございました");
    r.mail.useAccount[kParuruRow] = true;
    return r;
}

}  // namespace

TEST(RecoveryFile, AnEmptyRecordIsTheHeaderAndTheFormsWordByHand)
{
    // Magic, version 2, payload length 4, CRC-32 of four zero bytes
    // (2144DF1C, the zlib check value), then forms = 0.
    const std::string expected = std::string("TRPLRCV\0", 8) + std::string("\x02\0\0\0", 4) +
                                 std::string("\x04\0\0\0", 4) + std::string("\x1C\xDF\x44\x21", 4) +
                                 std::string(4, '\0');
    EXPECT_EQ(EncodeRecovery(RecoveryRecord{}), expected);
}

TEST(RecoveryFile, ARecordReadsBackWhole)
{
    RecoveryRecord back;
    ASSERT_EQ(DecodeRecovery(EncodeRecovery(Sample()), back), RecoveryDecode::Ok);
    EXPECT_EQ(back, Sample());
    RecoveryRecord mailOnly;
    mailOnly.hasMail = true;
    mailOnly.mail.texts.ktel = "090";
    ASSERT_EQ(DecodeRecovery(EncodeRecovery(mailOnly), back), RecoveryDecode::Ok);
    EXPECT_EQ(back, mailOnly);
}

TEST(RecoveryFile, EveryCutAndEveryChangedByteIsRefused)
{
    const std::string bytes = EncodeRecovery(Sample());
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        RecoveryRecord r;
        EXPECT_NE(DecodeRecovery(bytes.substr(0, cut), r), RecoveryDecode::Ok) << cut;
        EXPECT_TRUE(r.empty()) << cut;
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x20);
        RecoveryRecord r;
        EXPECT_NE(DecodeRecovery(changed, r), RecoveryDecode::Ok) << at;
    }
    RecoveryRecord r;
    EXPECT_NE(DecodeRecovery(bytes + "x", r), RecoveryDecode::Ok);
}

TEST(RecoveryFile, AnotherVersionIsToldApart)
{
    std::string bytes = EncodeRecovery(Sample());
    bytes[8] = 3;  // a later program's file
    RecoveryRecord r;
    EXPECT_EQ(DecodeRecovery(bytes, r), RecoveryDecode::OtherVersion);
}

TEST(RecoveryFile, AFileOfTheFirstVersionGivesBackItsTexts)
{
    // Version 1 held twelve plate texts (title, items, trans, extra title,
    // extra text, shipping, payment, booth, ID, three colours) and thirteen
    // mail texts (item, buyer, carrier, tracking, price, fee, buyer's mail,
    // body, name, address, postcode, telephone, mobile), each length + bytes.
    // The CRC-32 of this 124-byte payload was worked out with zlib.
    auto u32 = [](std::uint32_t v) {
        std::string out;
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        return out;
    };
    auto text = [&](const std::string& s) { return u32(static_cast<std::uint32_t>(s.size())) + s; };
    std::string payload = u32(3) + u32(12) + text("A") + text("B");
    for (int i = 0; i < 9; ++i) payload += text("");
    payload += text("#000000") + u32(13) + text("C");
    for (int i = 0; i < 6; ++i) payload += text("");
    payload += text("D");
    for (int i = 0; i < 4; ++i) payload += text("");
    payload += text("E");
    ASSERT_EQ(payload.size(), 124u);
    const std::string bytes = std::string("TRPLRCV\0", 8) + u32(1) + u32(124) + u32(0x33E0F6AB) + payload;

    RecoveryRecord r;
    ASSERT_EQ(DecodeRecovery(bytes, r), RecoveryDecode::Ok);
    EXPECT_TRUE(r.textsOnly);
    EXPECT_EQ(r.plate.texts.Title, "A");
    EXPECT_EQ(r.plate.texts.Items, "B");
    EXPECT_EQ(r.plate.texts.fcolor, "#000000");
    EXPECT_EQ(r.mail.texts.item, "C");
    EXPECT_EQ(r.mail.texts.body, "D");
    EXPECT_EQ(r.mail.texts.ktel, "E");
    std::string cut = bytes;
    cut[bytes.size() - 1] = 'F';  // the checksum still guards the old file
    EXPECT_EQ(DecodeRecovery(cut, r), RecoveryDecode::Damaged);
}

TEST(RecoveryFile, StoreLoadAndClear)
{
    TempFolder dir;
    EXPECT_EQ(LoadRecovery(dir.path()).status, RecoveryStatus::None);
    ASSERT_EQ(StoreRecovery(dir.path(), Sample()), WriteStatus::Ok);
    const LoadedRecovery loaded = LoadRecovery(dir.path());
    EXPECT_EQ(loaded.status, RecoveryStatus::Found);
    EXPECT_EQ(loaded.record, Sample());
    ASSERT_EQ(StoreRecovery(dir.path(), RecoveryRecord{}), WriteStatus::Ok);
    EXPECT_FALSE(std::filesystem::exists(dir / kRecoveryFileName));

    std::ofstream(dir / kRecoveryFileName, std::ios::binary) << "garbage";
    EXPECT_EQ(LoadRecovery(dir.path()).status, RecoveryStatus::Damaged);
    ClearRecovery(dir.path());
    EXPECT_EQ(LoadRecovery(dir.path()).status, RecoveryStatus::None);
}

TEST(RecoveryFile, AFormSavedFinishedOrClearedLeavesNothingToRecover)
{
    PlateState plate;
    MailState mail;
    UnsavedForm<PlateForm> plateWork;
    UnsavedForm<MailForm> mailWork;
    plateWork.settle(FormOf(plate));
    mailWork.settle(FormOf(mail));
    EXPECT_TRUE(RecoveryOf(FormOf(plate), plateWork, FormOf(mail), mailWork).empty());

    plate.Title = Sjis("腕時計");
    mail.body = "typed";
    RecoveryRecord r = RecoveryOf(FormOf(plate), plateWork, FormOf(mail), mailWork);
    EXPECT_TRUE(r.hasPlate);
    EXPECT_EQ(r.plate.texts.Title, Sjis("腕時計"));
    EXPECT_TRUE(r.hasMail);

    plateWork.settle(FormOf(plate));  // 完成: the page went out
    r = RecoveryOf(FormOf(plate), plateWork, FormOf(mail), mailWork);
    EXPECT_FALSE(r.hasPlate);
    EXPECT_TRUE(r.hasMail);

    mail = MailState{};  // cleared
    mailWork.settle(FormOf(mail));
    EXPECT_TRUE(RecoveryOf(FormOf(plate), plateWork, FormOf(mail), mailWork).empty());

    plate.Items = "more";  // typing after the save is new work
    EXPECT_TRUE(RecoveryOf(FormOf(plate), plateWork, FormOf(mail), mailWork).hasPlate);
}

TEST(RecoveryFile, TextsGoBackIntoTheFormsFields)
{
    PlateFlags flags;
    PlateState plate = test::SamplePlateForm(flags);
    plate.page = "rendered";
    PlateState restored;
    static_cast<PlateTexts&>(restored) = FormOf(plate).texts;
    EXPECT_EQ(restored.Title, plate.Title);
    EXPECT_EQ(restored.TOthers, plate.TOthers);
    EXPECT_EQ(restored.fcolor, "#222222");
    EXPECT_EQ(restored.page, "");  // a rendered page is no typed text

    MailState mail = test::SampleMailForm();
    mail.sum = "3800";
    MailState back;
    static_cast<MailTexts&>(back) = FormOf(mail).texts;
    EXPECT_EQ(back.bidderMail, "buyer_01@example.jp");
    EXPECT_EQ(back.ftrans, "800");
    EXPECT_EQ(back.sum, "");
}

// The program writing its recovery file now and then is killed at a random
// moment: the file is the old one or a new one, whole, never a torn one.
TEST(RecoveryFile, KillingTheWriterAtRandomMomentsLeavesAWholeFile)
{
    TempFolder dir;
    std::vector<RecoveryRecord> versions;
    for (char c : {'A', 'B', 'C'}) {
        RecoveryRecord r = Sample();
        r.plate.texts.Items = std::string(static_cast<std::size_t>((c - 'A' + 1) * 300000), c);
        versions.push_back(r);
    }
    ASSERT_EQ(StoreRecovery(dir.path(), versions[0]), WriteStatus::Ok);

    const unsigned seed = std::random_device{}();
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> delayMicros(0, 30000);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (unsigned i = 0;; ++i) StoreRecovery(dir.path(), versions[i % versions.size()]);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const LoadedRecovery loaded = LoadRecovery(dir.path());
        ASSERT_EQ(loaded.status, RecoveryStatus::Found) << "round " << round << " seed " << seed;
        bool known = false;
        for (const RecoveryRecord& v : versions) known = known || loaded.record == v;
        EXPECT_TRUE(known) << "round " << round << " seed " << seed;
        EXPECT_EQ(ReadBytes(dir / kRecoveryFileName).size(), EncodeRecovery(loaded.record).size());
        for (const auto& e : std::filesystem::directory_iterator(dir.path()))
            if (e.path().filename() != kRecoveryFileName) std::filesystem::remove(e.path());
    }
}
