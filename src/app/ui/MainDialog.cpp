#include "app/ui/MainDialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/ProjectFile.h"
#include "app/ui/CAbout.h"
#include "app/ui/CNew.h"
#include "app/ui/ProgramIcon.h"
#include "files/ui/CFileControl.h"
#include "mail/ui/CMail.h"
#include "plate/PageTemplates.h"
#include "plate/ui/CDTemplate.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtPlatform.h"
#include "text/Files.h"
#include "text/Lines.h"
#include "text/SjisText.h"

namespace torepal {
namespace {

enum Tab { kPlateTab = 0, kMailTab = 1, kFileTab = 2 };

QAction* AddItem(QMenu* menu, const QString& label, const char* objectName)
{
    QAction* action = menu->addAction(label);
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

// Enter presses no button anywhere in the window: a focused button only
// reacts to the space bar or a click.
void NoDefaultButtons(QWidget* page)
{
    for (QPushButton* button : page->findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

}  // namespace

MainDialog::MainDialog(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent)
    : QDialog(parent), platform_(platform), folder_(std::move(programFolder)), bank_(folder_)
{
    setObjectName(QStringLiteral("mainDialog"));
    setWindowTitle(ProgramTitle());
    setWindowIcon(ProgramIcon());
    // A caption with the close box; no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("mainMenu"));
    layout->setMenuBar(menuBar_);
    buildMenu();

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("pageTabs"));
    tabs_->setAccessibleName(QStringLiteral("ページ"));
    layout->addWidget(tabs_);

    // The pages in the program's order: the mail page, then the plate page
    // (which reads plate.ini as it is made), then the file page.
    mail_ = new CMail(platform_, bank_, folder_);
    plate_ = new CDTemplate(platform_, bank_, folder_);
    files_ = new CFileControl(platform_, folder_);
    tabs_->addTab(plate_, QStringLiteral("プレート作成"));
    tabs_->addTab(mail_, QStringLiteral("メール作成"));
    tabs_->addTab(files_, QStringLiteral("ファイル管理"));
    for (QWidget* page : {static_cast<QWidget*>(plate_), static_cast<QWidget*>(mail_), static_cast<QWidget*>(files_)})
        NoDefaultButtons(page);

    // Only the plate page shows; the tab switch refreshes start only now,
    // so nothing is read twice during start-up.
    tabs_->setCurrentIndex(kPlateTab);
    connect(tabs_, &QTabWidget::currentChanged, this, &MainDialog::tabChanged);

    mail_->startUp();  // templates, bank.ini, status.ini, captions
    files_->refreshList();
    plate_->loadAccounts();  // bank.ini again, for the plate page's copy
    plate_->typeChanged();   // the colour labels of the type from plate.ini
}

MainDialog::~MainDialog() = default;

void MainDialog::buildMenu()
{
    QMenu* file = menuBar_->addMenu(QStringLiteral("ファイル（&F）"));
    file->setObjectName(QStringLiteral("fileMenu"));
    connect(AddItem(file, QStringLiteral("新規作成（&N）"), "newAction"), &QAction::triggered, this,
            &MainDialog::newForms);
    connect(AddItem(file, QStringLiteral("開く（&O）"), "openAction"), &QAction::triggered, this,
            &MainDialog::openProject);
    connect(AddItem(file, QStringLiteral("保存（&S）"), "saveAction"), &QAction::triggered, this,
            &MainDialog::saveProject);
    file->addSeparator();
    connect(AddItem(file, QStringLiteral("終了（&E）"), "exitAction"), &QAction::triggered, this,
            &MainDialog::exitProgram);

    // The settings items act on the plate page whichever tab is shown.
    QMenu* settings = menuBar_->addMenu(QStringLiteral("設定（&C）"));
    settings->setObjectName(QStringLiteral("settingsMenu"));
    connect(AddItem(settings, QStringLiteral("銀行口座編集（&G）"), "bankAction"), &QAction::triggered, this,
            [this] { plate_->editAccounts(); });
    connect(AddItem(settings, QStringLiteral("マイブーステキスト編集（&M）"), "boothTextAction"), &QAction::triggered,
            this, [this] { plate_->editBoothText(); });

    QMenu* help = menuBar_->addMenu(QStringLiteral("ヘルプ（&H）"));
    help->setObjectName(QStringLiteral("helpMenu"));
    connect(AddItem(help, QStringLiteral("ヘルプ表示"), "helpAction"), &QAction::triggered, this,
            &MainDialog::showHelp);

    // The desktop gives the window no system menu to carry the about entry
    // in, so the about box is reached from here alone.
    QMenu* about = menuBar_->addMenu(QStringLiteral("バージョン情報（&A）"));
    about->setObjectName(QStringLiteral("aboutMenu"));
    connect(AddItem(about, QStringLiteral("バージョン表示（&A）"), "aboutAction"), &QAction::triggered, this,
            &MainDialog::showAbout);
    connect(AddItem(about, QStringLiteral("作者のホームページへ(&J)"), "makerPageAction"), &QAction::triggered, this,
            &MainDialog::openMakerPage);
}

void MainDialog::tabChanged(int index)
{
    // Every visit to a form tab picks up account edits made from the other
    // page; every visit to the file tab shows the folder as it is now.
    switch (index) {
        case kPlateTab:
            plate_->loadAccounts();
            break;
        case kMailTab:
            mail_->loadAccounts();
            break;
        case kFileTab:
            files_->tabSelected();
            break;
        default:
            break;
    }
}

// ---- new, exit, help, about ----------------------------------------------

void MainDialog::newForms()
{
    CNew dialog(this);
    if (platform_.runModal(dialog) != QDialog::Accepted) return;
    mail_->clearParcelFields();
    plate_->clearForm();
    plate_->typeChanged();
    plate_->weightChanged();
    plate_->sizeChanged();
    plate_->originChanged();
}

void MainDialog::exitProgram()
{
    if (exited_) return;
    exited_ = true;
    // status.ini, plate.ini, bank.ini. A file that cannot be written is
    // reported by its page; the others are still written and the program
    // ends all the same.
    mail_->saveStatus();
    plate_->savePlateSettings();
    mail_->saveAccounts();
    QDialog::done(QDialog::Rejected);
}

void MainDialog::accept() {}

void MainDialog::reject()
{
    exitProgram();
}

bool MainDialog::focusIsInsideAPage() const
{
    // Keys reach the window's focus widget first, so that is where an
    // Escape that got this far was pressed.
    const QWidget* focus = focusWidget();
    for (const QWidget* page :
         {static_cast<const QWidget*>(plate_), static_cast<const QWidget*>(mail_), static_cast<const QWidget*>(files_)})
        if (focus && (focus == page || page->isAncestorOf(focus))) return true;
    return false;
}

void MainDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        case Qt::Key_Escape:
            event->accept();
            // Inside a page Escape does nothing; on the tabs it ends the program.
            if (!focusIsInsideAPage()) exitProgram();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void MainDialog::showHelp()
{
    // From the program's own folder, whatever the current folder is.
    platform_.openFile(folder_ / "menu_help.html");
}

void MainDialog::showAbout()
{
    CAbout dialog(this);
    platform_.runModal(dialog);
}

void MainDialog::openMakerPage()
{
    platform_.openUri(HomePageUrl());
}

// ---- project files ---------------------------------------------------------

void MainDialog::saveProject()
{
    // Both forms must be readable before anything changes.
    if (!plate_->pull() || !mail_->pull()) return;
    // The accounts saved are bank.ini's, as the mail page now reads them.
    mail_->loadAccounts();

    PlateState& plate = plate_->state();
    for (std::string* v :
         {&plate.Title, &plate.TOthers, &plate.color, &plate.bgcolor, &plate.fcolor, &plate.yahooId, &plate.mytext})
        *v = WithoutLineBreaks(*v);
    plate_->push();
    MailState& mail = mail_->state();
    for (BankAccount& a : mail.accounts)
        for (std::string* v : {&a.bankName, &a.branch, &a.number, &a.holder}) *v = WithoutLineBreaks(*v);

    ProjectRecord r;
    r.Title = plate.Title;
    r.Items = plate.Items;
    r.trans = plate.trans;
    r.Others = plate.Others;
    r.TOthers = plate.TOthers;
    r.color = plate.color;
    r.bgcolor = plate.bgcolor;
    r.fcolor = plate.fcolor;
    r.yahooId = plate.yahooId;
    r.mytext = plate.mytext;
    r.flags = plate_->flags();
    const CDTemplate::Selections s = plate_->selections();
    r.selections = ProjectSelections{s.weight, s.size, s.origin, s.type};

    r.myname = mail.myname;
    r.zip = mail.zip;
    r.tel = mail.tel;
    r.post = mail.post;
    r.ktel = mail.ktel;
    r.item = mail.item;
    r.name = mail.name;
    r.fauc = mail.fauc;
    r.bidderMail = mail.bidderMail;
    r.transnum = mail.transnum;
    r.transmen = mail.transmen;
    r.ftrans = mail.ftrans;
    r.useAccount = mail_->ticks();
    r.accounts = mail.accounts;
    projectText_ = BuildProjectText(r);

    const std::optional<std::filesystem::path> path = platform_.chooseFileToSave(ProjectFileDialog());
    if (!path) return;
    // Written beside the chosen file and renamed over it only when whole:
    // a failed save never leaves half a project in place of a good one.
    if (WriteFileAtomically(*path, ToTextMode(projectText_)) != WriteStatus::Ok)
        platform_.showMessage(ProjectSaveFailedMessage());
}

void MainDialog::openProject()
{
    const std::optional<std::filesystem::path> path = platform_.chooseFileToOpen(ProjectFileDialog());
    if (!path) return;
    const ReadResult read = ReadWholeFile(*path);
    if (!read.ok()) {
        platform_.showMessage(ProjectNotOpenedMessage(ProjectUnreadableMessage(read.status == ReadStatus::TooLarge)));
        return;
    }
    std::string reason;
    const std::optional<ProjectRecord> opened = ParseProjectText(read.bytes, &reason);
    if (!opened) {
        platform_.showMessage(ProjectNotOpenedMessage(reason));
        return;
    }
    const ProjectRecord& r = *opened;

    // The mail page takes the file's values as they are; what was typed
    // there is replaced, so it is not read first.
    MailState& mail = mail_->state();
    mail.myname = r.myname;
    mail.zip = r.zip;
    mail.tel = r.tel;
    mail.post = r.post;
    mail.ktel = r.ktel;
    mail.item = r.item;
    mail.name = r.name;
    mail.fauc = r.fauc;
    mail.bidderMail = r.bidderMail;
    mail.transnum = r.transnum;
    mail.transmen = r.transmen;
    mail.ftrans = r.ftrans;
    mail.useAccount = r.useAccount;
    mail_->setTicks(r.useAccount);
    mail_->push();

    // The plate page: cleared, then every value of the file. The file's
    // texts are shown first, so the clear reads back nothing it would have
    // to refuse (a character typed earlier that Shift-JIS cannot hold).
    PlateState& plate = plate_->state();
    ApplyProjectToPlate(r, plate);
    plate_->push();
    plate_->clearForm();
    ApplyProjectToPlate(r, plate);
    plate_->setFlags(r.flags);
    const ProjectSelections s = ProjectSelectionsInLists(r.selections);
    plate_->setSelections(CDTemplate::Selections{s.weight, s.size, s.origin, s.type});
    // The project's accounts serve this page until its tab is chosen again;
    // bank.ini and the mail page's copy stay as they are.
    plate_->setProjectAccounts(r.accounts);
    plate_->push();
    plate_->typeChanged();
    plate_->weightChanged();
    plate_->sizeChanged();
    plate_->originChanged();
}

}  // namespace torepal
