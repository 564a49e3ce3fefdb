#include "support/PlateTestSupport.h"
#include "support/core/WholeFiles.h"

using namespace torepal;
using namespace torepal::test;

// A project made before an account was registered: opening it, then
// editing the accounts, must not erase the account registered since.
TEST_F(PlatePageTest, EditingAccountsAfterOpeningAnOlderProjectEditsWhatBankIniHoldsNow)
{
    Accounts now;
    now[0].bankName = S("みずほ銀行");
    now[1].bankName = S("後から登録した銀行");
    now[1].holder = S("ヤマダ");
    std::uint64_t generation = 0;
    ASSERT_TRUE(bank.store(now, generation));
    page->loadAccounts();

    Accounts older;
    older[0].bankName = S("みずほ銀行");
    page->setProjectAccounts(older);
    // Until the next tab change the page serves the project's accounts.
    EXPECT_EQ(page->state().accounts[1].bankName, "");

    std::string shown;
    platform.dialogs.push_back([&](QDialog& d) {
        shown = d.findChild<QLineEdit*>(QStringLiteral("bank2NameEdit"))->text().toStdString();
        d.findChild<QLineEdit*>(QStringLiteral("bank1HolderEdit"))->setText(QStringLiteral("タナカ"));
        d.accept();
        return d.result();
    });
    page->editAccounts();
    EXPECT_EQ(shown, "後から登録した銀行");
    const CBSave file = LoadBankFile(folder.path()).record;
    EXPECT_EQ(file.rows[1].bankName, S("後から登録した銀行"));
    EXPECT_EQ(file.rows[1].holder, S("ヤマダ"));
    EXPECT_EQ(file.rows[0].holder, S("タナカ"));
}

TEST_F(PlatePageTest, CancellingTheEditorAfterOpeningAProjectWritesNothing)
{
    Accounts now;
    now[1].bankName = S("後から登録した銀行");
    std::uint64_t generation = 0;
    ASSERT_TRUE(bank.store(now, generation));
    const std::string before = ReadBytes(folder.path() / "bank.ini");
    page->setProjectAccounts(Accounts{});
    page->editAccounts();  // no answer: the editor is cancelled
    EXPECT_EQ(ReadBytes(folder.path() / "bank.ini"), before);
}
