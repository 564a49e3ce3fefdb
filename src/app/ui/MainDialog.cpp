#include "app/ui/MainDialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <utility>

#include "app/ui/PageScrollArea.h"
#include "app/ui/ProgramIcon.h"
#include "app/ui/RecoveryKeeper.h"
#include "files/ui/CFileControl.h"
#include "mail/ui/CMail.h"
#include "plate/PageTemplates.h"
#include "plate/ui/CDTemplate.h"
#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/PageKeys.h"
#include "platform/ui/QtPlatform.h"
#include "platform/ui/UndoOffer.h"
#include "preview/ui/LivePreviewController.h"
#include "text/Encoding.h"
#include "ui_MainDialog.h"

namespace torepal {
namespace {

enum Tab { kPlateTab = 0, kMailTab = 1, kFileTab = 2 };

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
    // The way back from 開く and 新規作成, at the status line's right end,
    // where the messages of successes do not cover it.
    formsUndo_ = new UndoOffer(QStringLiteral("formsUndo"), ui_->statusLine);
    ui_->statusLine->addPermanentWidget(formsUndo_);

    // The plate page reads plate.ini as it is made; the other two pages are
    // made on first need (mailPage, filePage).
    plate_ = new CDTemplate(platform_, bank_, folder_);
    formsUndo_->withdrawOnChangesIn(*plate_);
    mailArea_ = new PageScrollArea(QStringLiteral("CMail"));
    fileArea_ = new PageScrollArea(QStringLiteral("CFileControl"));
    ui_->pageTabs->addTab(new PageScrollArea(plate_), QStringLiteral("プレート作成"));
    ui_->pageTabs->addTab(mailArea_, QStringLiteral("メール作成"));
    ui_->pageTabs->addTab(fileArea_, QStringLiteral("ファイル管理"));
    FitToScreen(*this);
    // Every page has the same Enter and Escape, the plate page included.
    InstallPageKeys(*plate_);

    // Only the plate page shows; the tab switch refreshes start only now,
    // so nothing is read twice during start-up.
    ui_->pageTabs->setCurrentIndex(kPlateTab);
    connect(ui_->pageTabs, &QTabWidget::currentChanged, this, &MainDialog::tabChanged);

    plate_->loadAccounts();  // bank.ini
    plate_->typeChanged();   // the colour labels of the type from plate.ini
    // The mail page's templates and status.ini are read now, whenever the
    // page is made: a damaged file is told at start, after bank.ini.
    mailReads_ = std::make_unique<CMail::StartReads>(CMail::readAtStart(platform_, folder_));

    recovery_ = new RecoveryKeeper(
        folder_,
        RecoveryForms{[this] { return plate_->typedForm(); },
                      [this](const PlateForm& form) { plate_->restoreForm(form); },
                      [this] { return mail_ ? mail_->typedForm() : MailForm{}; },
                      [this](const MailForm& form) { mailPage().restoreForm(form); }},
        RecoveryBar{ui_->recoveryBar, ui_->recoveryText, ui_->restoreButton, ui_->discardRecoveryButton}, this);
    // What the forms hold now was loaded, not typed: nothing to recover
    // until the seller changes it.
    settlePlateTexts();
    connect(plate_, &CDTemplate::settled, this, &MainDialog::settlePlateTexts);
    connect(plate_, &CDTemplate::succeeded, this,
            [this](const QString& text) { platform_.showSuccess(SjisFromUtf8(text.toStdString()).text); });
    setLivePreviewOpener([this] { plate_->livePreview().open(); });
    setTariffReloader([this] { plate_->reloadTariffs(); });
    recovery_->offer();
}

MainDialog::~MainDialog() = default;

CMail& MainDialog::mailPage()
{
    if (mail_ == nullptr) {
        mail_ = new CMail(platform_, bank_, folder_);
        connect(mail_, &CMail::settled, recovery_, &RecoveryKeeper::settleMail);
        formsUndo_->withdrawOnChangesIn(*mail_);
        InstallPageKeys(*mail_);
        mailArea_->setWidget(mail_);
        mail_->startUp(*mailReads_);
        mailReads_.reset();
    }
    return *mail_;
}

CFileControl& MainDialog::makeFilePage()
{
    if (files_ == nullptr) {
        files_ = new CFileControl(platform_, folder_);
        InstallPageKeys(*files_);
        fileArea_->setWidget(files_);
    }
    return *files_;
}

CFileControl& MainDialog::filePage()
{
    if (files_ == nullptr) makeFilePage().refreshList();
    return *files_;
}

QWidget& MainDialog::pageOfTab(int index)
{
    if (index == kMailTab) return mailPage();
    if (index == kFileTab) return filePage();
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

QStatusBar& MainDialog::statusLine()
{
    return *ui_->statusLine;
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
    connect(ui_->tariffAction, &QAction::triggered, this, &MainDialog::editTariffs);
    connect(ui_->livePreviewAction, &QAction::triggered, this, &MainDialog::openLivePreview);
    ui_->livePreviewAction->setEnabled(false);  // until the plate page gives an opener
    connect(ui_->helpAction, &QAction::triggered, this, &MainDialog::showHelp);
    // The desktop gives the window no system menu to carry the about entry
    // in, so the about box is reached from the menu bar alone.
    connect(ui_->aboutAction, &QAction::triggered, this, &MainDialog::showAbout);
    connect(ui_->makerPageAction, &QAction::triggered, this, &MainDialog::openMakerPage);
    // Without a page of the tool's own there is nowhere for it to go.
    ui_->makerPageAction->setVisible(HasOwnHomePage());
}

void MainDialog::tabChanged(int index)
{
    // Leaving the file page with edits not yet written back asks first;
    // the seller who keeps them stays on it.
    if (currentTab_ == kFileTab && index != kFileTab && files_ != nullptr && !files_->settleUnsaved()) {
        const QSignalBlocker block(ui_->pageTabs);
        ui_->pageTabs->setCurrentIndex(kFileTab);
        return;
    }
    currentTab_ = index;
    // Every visit to a form tab picks up account edits made from the other
    // page; every visit to the file tab shows the folder as it is now.
    switch (index) {
        case kPlateTab:
            plate_->loadAccounts();
            break;
        case kMailTab:
            // Made now, it reads the accounts as it is made.
            if (mail_ != nullptr)
                mail_->loadAccounts();
            else
                mailPage();
            break;
        case kFileTab:
            makeFilePage().tabSelected();
            break;
        default:
            break;
    }
}

// ---- exit and the window's keys ---------------------------------------------

void MainDialog::exitProgram()
{
    if (exited_) return;
    exited_ = true;
    // status.ini, plate.ini, bank.ini. A file that cannot be written is
    // reported by its page; the others are still written and the program
    // ends all the same.
    mailPage().saveStatus();
    plate_->savePlateSettings();
    mail_->saveAccounts();
    // The exit asks nothing: what was typed and not saved waits in the
    // recovery file for the next start.
    recovery_->finish();
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

// ---- recovery of unsaved texts ---------------------------------------------

void MainDialog::settlePlateTexts()
{
    recovery_->settlePlate();
}

void MainDialog::keepRecovery()
{
    recovery_->keep();
}

bool MainDialog::recoveryOffered() const
{
    return recovery_->offered();
}

}  // namespace torepal
