#include "app/ui/MainDialog.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <algorithm>

#include "app/ProjectFile.h"
#include "app/ProjectMapping.h"
#include "app/ui/CAbout.h"
#include "app/ui/CNew.h"
#include "app/ui/ProgramIcon.h"
#include "files/ui/CFileControl.h"
#include "mail/ui/CMail.h"
#include "plate/PageTemplates.h"
#include "plate/ui/CDTemplate.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/PageKeys.h"
#include "platform/ui/QtPlatform.h"
#include "shipping/ServiceTicks.h"
#include "text/Files.h"
#include "text/Lines.h"
#include "text/SjisText.h"
#include "ui_MainDialog.h"

namespace torepal {
namespace {

enum Tab { kPlateTab = 0, kMailTab = 1, kFileTab = 2 };

// Room left for the desktop's title bar and window frame when the window
// picks its first size; the window manager draws them outside our size.
constexpr int kWindowFrameAllowance = 40;

// A page in its tab scrolls when the window is lower than the page needs,
// so the window fits a laptop screen (1366×768 less a desktop panel) whatever
// page is tallest. Asked for its size, it wants the whole page, so a screen
// with room shows every page without a scroll bar.
class PageScrollArea final : public QScrollArea {
public:
    explicit PageScrollArea(QWidget* page)
    {
        setObjectName(page->objectName() + QStringLiteral("Scroll"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setWidget(page);
    }

    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget()->sizeHint() + QSize(frame, frame);
    }
};

}  // namespace

MainDialog::MainDialog(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      folder_(std::move(programFolder)),
      bank_(folder_),
      ui_(std::make_unique<Ui::MainDialog>())
{
    ui_->setupUi(this);
    setWindowTitle(ProgramTitle());
    setWindowIcon(ProgramIcon());
    // A caption with the close box; no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    // A dialog's form cannot place a menu bar; its layout can.
    ui_->mainLayout->setMenuBar(ui_->mainMenu);
    connectMenu();

    // The pages in the program's order: the mail page, then the plate page
    // (which reads plate.ini as it is made), then the file page.
    mail_ = new CMail(platform_, bank_, folder_);
    plate_ = new CDTemplate(platform_, bank_, folder_);
    files_ = new CFileControl(platform_, folder_);
    ui_->pageTabs->addTab(new PageScrollArea(plate_), QStringLiteral("プレート作成"));
    ui_->pageTabs->addTab(new PageScrollArea(mail_), QStringLiteral("メール作成"));
    ui_->pageTabs->addTab(new PageScrollArea(files_), QStringLiteral("ファイル管理"));
    fitToScreen();
    // Every page has the same Enter and Escape, the plate page included.
    for (QWidget* page : {static_cast<QWidget*>(plate_), static_cast<QWidget*>(mail_), static_cast<QWidget*>(files_)})
        InstallPageKeys(*page);

    // Only the plate page shows; the tab switch refreshes start only now,
    // so nothing is read twice during start-up.
    ui_->pageTabs->setCurrentIndex(kPlateTab);
    connect(ui_->pageTabs, &QTabWidget::currentChanged, this, &MainDialog::tabChanged);

    mail_->startUp();  // templates, bank.ini, status.ini, captions
    files_->refreshList();
    plate_->loadAccounts();  // bank.ini again, for the plate page's copy
    plate_->typeChanged();   // the colour labels of the type from plate.ini
}

MainDialog::~MainDialog() = default;

void MainDialog::fitToScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect room = screen->availableGeometry();
    resize(sizeHint().boundedTo(QSize(room.width(), room.height() - kWindowFrameAllowance)));
}

QWidget& MainDialog::pageOfTab(int index)
{
    auto* area = qobject_cast<QScrollArea*>(ui_->pageTabs->widget(index));
    return area != nullptr ? *area->widget() : *ui_->pageTabs->widget(index);
}

QTabWidget& MainDialog::tabs()
{
    return *ui_->pageTabs;
}

QMenuBar& MainDialog::menu()
{
    return *ui_->mainMenu;
}

void MainDialog::connectMenu()
{
    connect(ui_->newAction, &QAction::triggered, this, &MainDialog::newForms);
    connect(ui_->openAction, &QAction::triggered, this, &MainDialog::openProject);
    connect(ui_->saveAction, &QAction::triggered, this, &MainDialog::saveProject);
    connect(ui_->exitAction, &QAction::triggered, this, &MainDialog::exitProgram);
    // The settings items act on the plate page whichever tab is shown.
    connect(ui_->bankAction, &QAction::triggered, this, [this] { plate_->editAccounts(); });
    connect(ui_->boothTextAction, &QAction::triggered, this, [this] { plate_->editBoothText(); });
    connect(ui_->helpAction, &QAction::triggered, this, &MainDialog::showHelp);
    // The desktop gives the window no system menu to carry the about entry
    // in, so the about box is reached from the menu bar alone.
    connect(ui_->aboutAction, &QAction::triggered, this, &MainDialog::showAbout);
    connect(ui_->makerPageAction, &QAction::triggered, this, &MainDialog::openMakerPage);
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

void MainDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        case Qt::Key_Escape:
            // The pages keep their own Escape, so this one was pressed on
            // the tabs: it ends the program.
            event->accept();
            exitProgram();
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

    KeepOneLineValuesOnOneLine(plate_->state(), mail_->state().accounts);
    plate_->push();
    projectText_ = BuildProjectText(ProjectFromForms(plate_->state(), plate_->flags(), plate_->selections(),
                                                     mail_->state(), plate_->tickedServiceIds()));

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
    MailFromProject(r, mail_->state());
    mail_->setTicks(mail_->state().useAccount);
    mail_->push();

    // The plate page: cleared, then every value of the file. The file's
    // texts are shown first, so the clear reads back nothing it would have
    // to refuse (a character typed earlier that Shift-JIS cannot hold).
    PlateState& plate = plate_->state();
    PlateFlags flags;
    PlateSelections selections;
    PlateFromProject(r, plate, flags, selections);
    plate_->push();
    plate_->clearForm();
    PlateFromProject(r, plate, flags, selections);
    plate_->setFlags(flags);
    plate_->setSelections(selections);
    // The project's accounts serve this page until its tab is chosen again;
    // bank.ini and the mail page's copy stay as they are.
    plate_->setProjectAccounts(r.accounts);
    // Services whose tariff files are gone (or left out as faulty) cannot
    // be ticked; the seller hears which.
    const ProjectServices services = ServicesOfProject(r, plate_->currentServices());
    plate_->setTickedServiceIds(services.known);
    if (!services.unknown.empty()) platform_.showMessage(UnknownServicesMessage(services.unknown));
    plate_->push();
    plate_->typeChanged();
    plate_->weightChanged();
    plate_->sizeChanged();
    plate_->originChanged();
    plate_->projectOpened();
}

}  // namespace torepal
