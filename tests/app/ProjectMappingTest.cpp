#include <gtest/gtest.h>

#include "app/ProjectMapping.h"

using namespace torepal;

namespace {

// Forms in which every value is different, so a value that lands in the
// wrong field shows.
struct Forms {
    PlateState plate;
    PlateFlags flags;
    PlateSelections selections;
    MailState mail;
};

Forms DistinctForms()
{
    Forms f;
    PlateState& p = f.plate;
    p.Title = "title";
    p.Items = "items1\r\nitems2";
    p.trans = "trans1\r\ntrans2";
    p.TOthers = "tothers";
    p.Others = "others1\r\nothers2";
    p.color = "#111111";
    p.bgcolor = "#222222";
    p.fcolor = "#333333";
    p.yahooId = "seller_id";
    p.mytext = "booth";
    p.sdata = "shipping note";
    p.pdata = "payment text";
    p.page = "<html>";
    p.templateType = 3;
    p.weightIndex = 4;
    p.sizeIndex = 5;
    p.originIndex = 6;
    f.flags.payment.accounts = {true, false, true, false, false, true};
    f.flags.payment.stamps = true;
    f.flags.carriers.sagawa = true;
    f.flags.carriers.expack = true;
    f.flags.center = false;
    f.flags.left = true;
    f.flags.linkOff = false;
    f.flags.linkOn = true;
    f.selections = PlateSelections{7, 8, 9, 2};

    MailState& m = f.mail;
    m.myname = "myname";
    m.post = "post";
    m.zip = "zip";
    m.tel = "tel";
    m.ktel = "ktel";
    m.item = "item";
    m.name = "name";
    m.transmen = "transmen";
    m.transnum = "transnum";
    m.fauc = "fauc";
    m.ftrans = "ftrans";
    m.bidderMail = "bidder@example.com";
    m.body = "body\r\n";
    m.sum = "sum";
    m.useAccount = {false, true, true, false, true, false};
    for (std::size_t k = 0; k < kAccountCount; ++k) {
        const std::string n = std::to_string(k + 1);
        m.accounts[k] = BankAccount{"bank" + n, "branch" + n, "number" + n, "holder" + n, static_cast<int>(k % 2)};
    }
    return f;
}

TEST(ProjectFromForms, EveryValueGoesToItsOwnField)
{
    const Forms f = DistinctForms();
    const ProjectRecord r = ProjectFromForms(f.plate, f.flags, f.selections, f.mail);
    EXPECT_EQ(r.Title, "title");
    EXPECT_EQ(r.Items, "items1\r\nitems2");
    EXPECT_EQ(r.trans, "trans1\r\ntrans2");
    EXPECT_EQ(r.Others, "others1\r\nothers2");
    EXPECT_EQ(r.TOthers, "tothers");
    EXPECT_EQ(r.color, "#111111");
    EXPECT_EQ(r.bgcolor, "#222222");
    EXPECT_EQ(r.fcolor, "#333333");
    EXPECT_EQ(r.yahooId, "seller_id");
    EXPECT_EQ(r.mytext, "booth");
    EXPECT_EQ(r.flags.payment.accounts, (AccountTicks{true, false, true, false, false, true}));
    EXPECT_FALSE(r.flags.payment.yahooEasy);
    EXPECT_TRUE(r.flags.payment.stamps);
    EXPECT_TRUE(r.flags.carriers.sagawa);
    EXPECT_FALSE(r.flags.carriers.yamato);
    EXPECT_TRUE(r.flags.carriers.expack);
    EXPECT_FALSE(r.flags.center);
    EXPECT_TRUE(r.flags.left);
    EXPECT_FALSE(r.flags.linkOff);
    EXPECT_TRUE(r.flags.linkOn);
    // The combos' own positions, not the indices last stored in the record.
    EXPECT_EQ(r.selections.weight, 7);
    EXPECT_EQ(r.selections.size, 8);
    EXPECT_EQ(r.selections.origin, 9);
    EXPECT_EQ(r.selections.type, 2);

    EXPECT_EQ(r.myname, "myname");
    EXPECT_EQ(r.zip, "zip");
    EXPECT_EQ(r.tel, "tel");
    EXPECT_EQ(r.post, "post");
    EXPECT_EQ(r.ktel, "ktel");
    EXPECT_EQ(r.item, "item");
    EXPECT_EQ(r.name, "name");
    EXPECT_EQ(r.fauc, "fauc");
    EXPECT_EQ(r.bidderMail, "bidder@example.com");
    EXPECT_EQ(r.transnum, "transnum");
    EXPECT_EQ(r.transmen, "transmen");
    EXPECT_EQ(r.ftrans, "ftrans");
    EXPECT_EQ(r.useAccount, (AccountTicks{false, true, true, false, true, false}));
    EXPECT_EQ(r.accounts[0], (BankAccount{"bank1", "branch1", "number1", "holder1", 0}));
    EXPECT_EQ(r.accounts[5], (BankAccount{"bank6", "branch6", "number6", "holder6", 1}));
}

TEST(FormsFromProject, GivesBackWhatWasSavedAndLeavesTheRestAlone)
{
    const Forms saved = DistinctForms();
    const ProjectRecord r = ProjectFromForms(saved.plate, saved.flags, saved.selections, saved.mail);

    Forms opened;
    opened.plate.sdata = "kept note";
    opened.plate.page = "kept page";
    opened.mail.body = "kept body";
    opened.mail.sum = "kept sum";
    opened.mail.accounts[0].bankName = "bank.ini's bank";
    FormsFromProject(r, opened.plate, opened.flags, opened.selections, opened.mail);

    EXPECT_EQ(opened.plate.Title, "title");
    EXPECT_EQ(opened.plate.Items, "items1\r\nitems2");
    EXPECT_EQ(opened.plate.Others, "others1\r\nothers2");
    EXPECT_EQ(opened.plate.TOthers, "tothers");
    EXPECT_EQ(opened.plate.mytext, "booth");
    EXPECT_EQ(opened.plate.weightIndex, 7);
    EXPECT_EQ(opened.plate.sizeIndex, 8);
    EXPECT_EQ(opened.plate.originIndex, 9);
    EXPECT_EQ(opened.plate.templateType, 2);
    EXPECT_EQ(opened.selections.weight, 7);
    EXPECT_EQ(opened.selections.type, 2);
    EXPECT_EQ(opened.flags.payment.accounts, saved.flags.payment.accounts);
    EXPECT_TRUE(opened.flags.left);
    EXPECT_TRUE(opened.flags.linkOn);
    // The plate form takes the project's accounts...
    EXPECT_EQ(opened.plate.accounts[2].holder, "holder3");
    // ...the mail form keeps its own.
    EXPECT_EQ(opened.mail.accounts[0].bankName, "bank.ini's bank");
    EXPECT_EQ(opened.mail.accounts[2].holder, "");

    EXPECT_EQ(opened.mail.post, "post");
    EXPECT_EQ(opened.mail.tel, "tel");
    EXPECT_EQ(opened.mail.transnum, "transnum");
    EXPECT_EQ(opened.mail.transmen, "transmen");
    EXPECT_EQ(opened.mail.useAccount, (AccountTicks{false, true, true, false, true, false}));

    EXPECT_EQ(opened.plate.sdata, "kept note");
    EXPECT_EQ(opened.plate.page, "kept page");
    EXPECT_EQ(opened.mail.body, "kept body");
    EXPECT_EQ(opened.mail.sum, "kept sum");
}

TEST(FormsFromProject, AComboPositionOutsideItsListSelectsNothing)
{
    ProjectRecord r;
    r.selections = PlateSelections{29, 3, 47, 5};  // 29 weights, 47 prefectures, 5 types
    PlateState plate;
    PlateFlags flags;
    PlateSelections selections;
    PlateFromProject(r, plate, flags, selections);
    EXPECT_EQ(selections.weight, -1);
    EXPECT_EQ(selections.size, 3);
    EXPECT_EQ(selections.origin, -1);
    EXPECT_EQ(selections.type, -1);
    EXPECT_EQ(plate.weightIndex, -1);
    EXPECT_EQ(plate.sizeIndex, 3);
    EXPECT_EQ(plate.templateType, -1);
}

TEST(FormsFromProject, ASavedFileOpensIntoTheSameForms)
{
    const Forms saved = DistinctForms();
    const std::optional<ProjectRecord> read =
        ParseProjectText(BuildProjectText(ProjectFromForms(saved.plate, saved.flags, saved.selections, saved.mail)));
    ASSERT_TRUE(read);
    Forms opened;
    FormsFromProject(*read, opened.plate, opened.flags, opened.selections, opened.mail);
    const ProjectRecord again = ProjectFromForms(opened.plate, opened.flags, opened.selections, saved.mail);
    EXPECT_EQ(BuildProjectText(again),
              BuildProjectText(ProjectFromForms(saved.plate, saved.flags, saved.selections, saved.mail)));
}

TEST(KeepOneLineValuesOnOneLine, OnlyTheOneLineValuesLoseTheirBreaks)
{
    PlateState plate;
    plate.Title = "a\r\nb";
    plate.TOthers = "c\nd";
    plate.color = "#12\r34";
    plate.yahooId = "\r\nid\r\n";
    plate.mytext = "x\r\ny";
    plate.Items = "keep\r\nthis";
    plate.trans = "and\r\nthis";
    plate.Others = "and\r\nthis too";
    Accounts accounts{};
    accounts[0] = BankAccount{"ba\r\nnk", "bra\nnch", "12\r\n34", "hol\rder", 1};
    KeepOneLineValuesOnOneLine(plate, accounts);
    EXPECT_EQ(plate.Title, "ab");
    EXPECT_EQ(plate.TOthers, "cd");
    EXPECT_EQ(plate.color, "#1234");
    EXPECT_EQ(plate.yahooId, "id");
    EXPECT_EQ(plate.mytext, "xy");
    EXPECT_EQ(plate.Items, "keep\r\nthis");
    EXPECT_EQ(plate.trans, "and\r\nthis");
    EXPECT_EQ(plate.Others, "and\r\nthis too");
    EXPECT_EQ(accounts[0], (BankAccount{"bank", "branch", "1234", "holder", 1}));
}

}  // namespace
