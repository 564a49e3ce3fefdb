#include <gtest/gtest.h>

#include "bank/BankStore.h"
#include "support/core/TempFolder.h"
#include "support/core/WholeFiles.h"
#include "text/Files.h"

using namespace torepal;
using namespace torepal::test;
namespace fs = std::filesystem;

namespace {

}  // namespace

TEST(BankStore, AnEditOnOnePageMakesTheOtherPagesCopyStale)
{
    TempFolder folder;
    BankStore store(folder.path());
    std::uint64_t plate = 99;
    std::uint64_t mail = 99;
    EXPECT_EQ(store.load(plate).status, LoadStatus::Missing);
    store.load(mail);
    EXPECT_EQ(plate, 0u);
    EXPECT_FALSE(store.isStale(plate));
    EXPECT_FALSE(store.isStale(mail));

    Accounts rows;
    rows[2].bankName = "NEW";
    ASSERT_TRUE(store.store(rows, plate));
    EXPECT_EQ(plate, 1u);
    EXPECT_FALSE(store.isStale(plate));
    EXPECT_TRUE(store.isStale(mail));

    const Loaded<CBSave> reloaded = store.load(mail);
    EXPECT_EQ(reloaded.status, LoadStatus::Loaded);
    EXPECT_EQ(reloaded.record.rows[2].bankName, "NEW");
    EXPECT_FALSE(store.isStale(mail));
    EXPECT_EQ(store.writes(), 1u);
}

TEST(BankStore, AFailedStoreKeepsTheFileAndTheCount)
{
    TempFolder folder;
    BankStore store(folder.path());
    std::uint64_t generation = 0;
    Accounts rows;
    rows[0].holder = "H";
    ASSERT_TRUE(store.store(rows, generation));
    const std::string before = ReadBytes(folder / "bank.ini");

    SetWriteFaultForTesting(WriteFault::Rename);
    Accounts other;
    other[0].holder = "changed";
    const bool stored = store.store(other, generation);
    SetWriteFaultForTesting(WriteFault::None);

    EXPECT_FALSE(stored);
    EXPECT_EQ(generation, 1u);
    EXPECT_EQ(store.writes(), 1u);
    EXPECT_EQ(ReadBytes(folder / "bank.ini"), before);
}

TEST(BankStore, PostalRowsAreStoredWithoutABankName)
{
    TempFolder folder;
    BankStore store(folder.path());
    Accounts rows;
    rows[kParuruRow].bankName = "X";
    rows[kFurikaeRow].bankName = "Y";
    rows[kFurikaeRow].branch = "B";
    rows[3].bankName = "Z";
    std::uint64_t generation = 0;
    ASSERT_TRUE(store.store(rows, generation));
    // Rows 1 to 3 empty (8 bytes each), row 4 with its name, ぱるる empty,
    // 振替口座 with only its symbol.
    const std::string expected = std::string(24, '\0') + std::string("\x01Z", 2) + std::string(7, '\0') +
                                 std::string(8, '\0') +
                                 std::string(
                                     "\x00\x01"
                                     "B",
                                     3) +
                                 std::string(6, '\0');
    EXPECT_EQ(ReadBytes(folder / "bank.ini"), expected);
}

TEST(BankStore, DamageIsReportedOnceThoughBothPagesLoad)
{
    TempFolder folder;
    WriteBytes(folder / "bank.ini",
               "\x03"
               "ab");
    BankStore store(folder.path());
    std::uint64_t plate = 0;
    std::uint64_t mail = 0;

    const Loaded<CBSave> first = store.load(plate);
    EXPECT_EQ(first.status, LoadStatus::Damaged);
    EXPECT_EQ(first.keptCopy, folder / "bank.ini.broken");
    EXPECT_TRUE(store.takeDamageReport());
    EXPECT_FALSE(store.takeDamageReport());

    EXPECT_EQ(store.load(mail).status, LoadStatus::Damaged);
    EXPECT_FALSE(store.takeDamageReport());
    store.load(plate);  // a tab change
    EXPECT_FALSE(store.takeDamageReport());

    // The store repairs the file; damage done to it later is new and told.
    ASSERT_TRUE(store.store(Accounts{}, mail));
    store.load(plate);
    EXPECT_FALSE(store.takeDamageReport());
    WriteBytes(folder / "bank.ini", "\x07");
    store.load(plate);
    EXPECT_TRUE(store.takeDamageReport());
    EXPECT_EQ(ReadBytes(folder / "bank.ini.broken"),
              "\x03"
              "ab");
    EXPECT_EQ(ReadBytes(folder / "bank.ini.broken-2"), "\x07");
}

TEST(BankStore, NothingToReportForAMissingOrGoodFile)
{
    TempFolder folder;
    BankStore store(folder.path());
    std::uint64_t generation = 0;
    store.load(generation);
    EXPECT_FALSE(store.takeDamageReport());
    ASSERT_TRUE(store.store(Accounts{}, generation));
    store.load(generation);
    EXPECT_FALSE(store.takeDamageReport());
}

TEST(BankStore, AProjectsAccountsAreAlwaysStaleSoTheyNeverReachTheFile)
{
    TempFolder folder;
    BankStore store(folder.path());
    std::uint64_t generation = 0;
    store.load(generation);
    EXPECT_FALSE(store.isStale(generation));
    const std::uint64_t project = store.currentGeneration();
    EXPECT_TRUE(store.isStale(project));
    EXPECT_EQ(project, store.projectCopyGeneration());
    Accounts rows;
    rows[0].bankName = "NEW";
    ASSERT_TRUE(store.store(rows, generation));
    EXPECT_TRUE(store.isStale(store.currentGeneration()));  // before and after any write
    EXPECT_FALSE(store.isStale(generation));
}
