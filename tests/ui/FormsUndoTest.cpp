// 元に戻す in the status line after "開く（&O）" and "新規作成（&N）": both
// forms back as the seller left them, without a question.
#include <QLabel>
#include <QStatusBar>
#include <vector>

#include "app/ProjectFile.h"
#include "app/ProjectMapping.h"
#include "app/RecoveryFile.h"
#include "mail/MailState.h"
#include "mail/ui/CMail.h"
#include "support/AppTestSupport.h"
#include "support/core/SamplePlate.h"
#include "text/Lines.h"

using namespace torepal;
using namespace torepal::test;

namespace {

class FormsUndo : public AppTest {
protected:
    // A project of the sample listing, its own accounts and a buyer.
    void writeSampleProject(const std::string& name)
    {
        PlateFlags flags;
        const PlateState plate = SamplePlateForm(flags);
        PlateSelections selections{plate.weightIndex, plate.sizeIndex, plate.originIndex, 1};
        MailState mail;
        mail.item = Sjis("腕時計");
        mail.name = Sjis("yamada");
        mail.accounts = plate.accounts;
        write(name, ToTextMode(BuildProjectText(ProjectFromForms(plate, flags, selections, mail, {}))));
    }
    void open(const std::string& name)
    {
        platform.openChoices.push_back(folder / name);
        trigger("openAction");
    }

    QWidget* bar() const { return window->statusLine().findChild<QWidget*>(QStringLiteral("formsUndo")); }
    std::string note() const
    {
        return window->statusLine().findChild<QLabel*>(QStringLiteral("formsUndoNote"))->text().toStdString();
    }
    void undo() const { window->statusLine().findChild<QPushButton*>(QStringLiteral("formsUndoButton"))->click(); }
    QLineEdit* mailLine(const char* name) const
    {
        return window->mailPage().findChild<QLineEdit*>(QString::fromLatin1(name));
    }

    // What a seller had typed before the command: a title with a character
    // Shift-JIS cannot hold, other selections, ticks and radios.
    void typeOwnForms()
    {
        type("titleEdit", "手作りの木箱♥");
        type("itemsEdit", "杉の木箱です\n");
        select("typeCombo", 2);
        select("weightCombo", 3);
        setChecked("yamatoBox", true);
        setChecked("centerRadio", false);
        setChecked("leftRadio", true);
        mailLine("itemEdit")->setText(QStringLiteral("木箱"));
        mailLine("nameEdit")->setText(QStringLiteral("hanako"));
    }

    // Every caption, text, tick and enabling of the plate page's boxes.
    struct Boxes {
        std::vector<std::string> captions;
        std::vector<bool> ticks, enabled;
        bool operator==(const Boxes&) const = default;
    };
    Boxes boxes() const
    {
        Boxes b;
        for (const QCheckBox* box : plate().findChildren<QCheckBox*>()) {
            b.captions.push_back(box->text().toStdString());
            b.ticks.push_back(box->isChecked());
            b.enabled.push_back(box->isEnabled());
        }
        return b;
    }
};

TEST_F(FormsUndo, OpeningAProjectLeavesAWayBackToBothFormsAsTyped)
{
    writeSampleProject("p.tpf");
    start();
    typeOwnForms();
    const Boxes before = boxes();
    EXPECT_TRUE(bar()->isHidden());

    open("p.tpf");
    EXPECT_EQ(text("titleEdit"), "腕時計 ステンレス 日本製");
    EXPECT_NE(boxes(), before);  // the file's ticks and the project's bank names
    ASSERT_FALSE(bar()->isHidden());
    EXPECT_EQ(note(), "「p.tpf」を開きました。");

    undo();
    EXPECT_EQ(text("titleEdit"), "手作りの木箱♥");
    EXPECT_EQ(text("itemsEdit"), "杉の木箱です\n");
    EXPECT_EQ(text("transEdit"), "");
    EXPECT_EQ(selected("typeCombo"), 2);
    EXPECT_EQ(selected("weightCombo"), 3);
    EXPECT_TRUE(checked("leftRadio"));
    EXPECT_FALSE(checked("centerRadio"));
    EXPECT_EQ(boxes(), before);
    EXPECT_EQ(window->platePage().state().mytext, "");  // the file's booth text gone again
    EXPECT_EQ(mailLine("itemEdit")->text().toStdString(), "木箱");
    EXPECT_EQ(mailLine("nameEdit")->text().toStdString(), "hanako");
    EXPECT_TRUE(bar()->isHidden());
    // Said quietly: no message box, no question besides the file dialog.
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.dialogTitles.empty());
    // What came back is the seller's unsaved typing, kept for recovery.
    window->keepRecovery();
    EXPECT_TRUE(exists(kRecoveryFileName));
}

TEST_F(FormsUndo, TheOfferEndsWithTheNextChangeOnEitherPage)
{
    writeSampleProject("p.tpf");
    start();
    typeOwnForms();
    open("p.tpf");
    ASSERT_FALSE(bar()->isHidden());
    mailLine("nameEdit")->setText(QStringLiteral("suzuki"));
    EXPECT_TRUE(bar()->isHidden());
    EXPECT_EQ(text("titleEdit"), "腕時計 ステンレス 日本製");

    type("titleEdit", "手作りの木箱");
    open("p.tpf");
    ASSERT_FALSE(bar()->isHidden());
    setChecked("stampsBox", false);
    EXPECT_TRUE(bar()->isHidden());
}

TEST_F(FormsUndo, NothingIsOfferedWhenTheFileHoldsWhatTheFormsShow)
{
    writeSampleProject("p.tpf");
    start();
    open("p.tpf");
    // Changed and changed back: the first offer ends, the file's values stay.
    mailLine("nameEdit")->setText(QStringLiteral("suzuki"));
    mailLine("nameEdit")->setText(QStringLiteral("yamada"));
    ASSERT_TRUE(bar()->isHidden());
    open("p.tpf");
    EXPECT_TRUE(bar()->isHidden());
}

TEST_F(FormsUndo, AFileThatCannotBeOpenedChangesNothingAndOffersNothing)
{
    write("bad.tpf", "not a project");
    start();
    typeOwnForms();
    open("bad.tpf");
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(text("titleEdit"), "手作りの木箱♥");
    EXPECT_TRUE(bar()->isHidden());
}

TEST_F(FormsUndo, NewFormsLeaveOneWayBackForBothForms)
{
    start();
    type("titleEdit", "時計");
    type("transEdit", "手渡し");
    select("weightCombo", 5);
    setChecked("yamatoBox", true);
    mailLine("itemEdit")->setText(QStringLiteral("時計"));
    mailLine("faucEdit")->setText(QStringLiteral("3000"));
    const Boxes before = boxes();
    answerNextDialog();
    trigger("newAction");
    EXPECT_EQ(text("titleEdit"), "");
    EXPECT_EQ(mailLine("itemEdit")->text().toStdString(), "");
    ASSERT_FALSE(bar()->isHidden());
    EXPECT_EQ(note(), "新規作成しました。");
    // The plate page's own 元に戻す of a clear is not offered beside it.
    EXPECT_TRUE(find<QWidget>("clearUndoBar")->isHidden());

    undo();
    EXPECT_EQ(text("titleEdit"), "時計");
    EXPECT_EQ(text("transEdit"), "手渡し");
    EXPECT_EQ(selected("weightCombo"), 5);
    EXPECT_EQ(boxes(), before);
    EXPECT_EQ(mailLine("itemEdit")->text().toStdString(), "時計");
    EXPECT_EQ(mailLine("faucEdit")->text().toStdString(), "3000");
    EXPECT_TRUE(bar()->isHidden());
}

TEST_F(FormsUndo, NewFormsOnEmptyFormsOfferNothing)
{
    start();
    answerNextDialog();
    trigger("newAction");
    EXPECT_TRUE(bar()->isHidden());
}

}  // namespace
