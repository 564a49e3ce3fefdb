#pragma once
// The main window: the menu and the three tabs "プレート作成", "メール作成"
// and "ファイル管理". It decides what is read at start and written at exit,
// refreshes a page when its tab is chosen, and saves and opens project
// files. The plate page is made with the window; the mail and file pages,
// which the seller cannot see at start, are made once, when first needed
// (their tab chosen, a project saved or opened, the exit), from what was
// read at start.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/RecoveryFile.h"
#include "bank/BankStore.h"
#include "mail/ui/CMail.h"
#include "platform/Platform.h"

class QMenuBar;
class QStatusBar;
class QTabWidget;

namespace Ui {
class MainDialog;
}

namespace torepal {

class CDTemplate;
class CFileControl;
class FormsSnapshot;
class PageScrollArea;
class RecoveryKeeper;
class DesktopPlatform;
class UndoOffer;

class MainDialog : public QDialog {
    Q_OBJECT

public:
    // Creates the pages and reads the settings from `programFolder`
    // (plate.ini, bank.ini, status.ini), in the program's start-up order.
    MainDialog(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~MainDialog() override;

    CDTemplate& platePage() { return *plate_; }
    // Make the page first if it is not made yet.
    CMail& mailPage();
    CFileControl& filePage();
    // The tabs hold each page in a scroll area of its own; pageOfTab gives
    // the page itself.
    QTabWidget& tabs();
    QWidget& pageOfTab(int index);
    QMenuBar& menu();
    // Where successes are said for a few seconds (Platform::showSuccess
    // finds it among the window's children).
    QStatusBar& statusLine();

    // The menu's commands.
    void newForms();         // "新規作成（&N）"
    void openProject();      // "開く（&O）"
    void saveProject();      // "保存（&S）"
    void exitProgram();      // "終了（&E）", the close box, Escape on the tabs
    void showHelp();         // "ヘルプ表示"
    void showAbout();        // "バージョン表示（&A）"
    void openMakerPage();    // "作者のホームページへ(&J)"
    void openLivePreview();  // "ライブプレビュー（&L）"
    void editTariffs();      // "料金表の編集（&T）"

    // Hooks the plate page fills in: what opens its live preview, and what
    // reads the tariff files again after the editor changed them. Without
    // an opener the menu item is disabled.
    void setLivePreviewOpener(std::function<void()> open);
    void setTariffReloader(std::function<void()> reload);

    // The recovery file. The plate page's texts count as settled (nothing
    // to recover) after 完成, クリアー, 新規作成 and a project saved or
    // opened; the plate page calls this whenever its form is settled.
    void settlePlateTexts();
    // Writes both forms' unsaved texts beside the program when they changed
    // since the last write (every half minute and at exit).
    void keepRecovery();
    // Whether the bar that offers last time's texts back (復元, 破棄) shows.
    bool recoveryOffered() const;

    // The last project text built by "保存（&S）" (CR LF line ends).
    const std::string& projectText() const { return projectText_; }

    // Enter does nothing in this window (a focused button in a page is
    // pressed by the page's own keys).
    void accept() override;
    // The dialog's cancel command (Escape, the close box) ends the program.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectMenu();
    // After 開く or 新規作成 replaced what the forms held: a quiet note with
    // 元に戻す in the status line, which shows `before` again, until the
    // seller next changes either form. Nothing is offered when the forms
    // hold what they held before.
    void offerFormsUndo(const QString& note, const FormsSnapshot& before);
    CFileControl& makeFilePage();
    void tabChanged(int index);
    // Offers to copy `sjisText` when the desktop has no program for `kind`;
    // true when it had one (or did not say), so the open should go ahead.
    bool handlerOrCopy(DesktopHandler kind, const std::string& sjisOffer, const std::string& sjisText);

    DesktopPlatform& platform_;
    std::filesystem::path folder_;
    BankStore bank_;
    std::string projectText_;
    bool exited_ = false;
    int currentTab_ = 0;

    std::function<void()> livePreviewOpener_;
    std::function<void()> tariffReloader_;

    RecoveryKeeper* recovery_ = nullptr;
    UndoOffer* formsUndo_ = nullptr;  // in the status line
    // What the mail page shows when it is made.
    std::unique_ptr<CMail::StartReads> mailReads_;

    std::unique_ptr<Ui::MainDialog> ui_;
    CMail* mail_ = nullptr;  // until made, nullptr, as files_
    CDTemplate* plate_ = nullptr;
    CFileControl* files_ = nullptr;
    PageScrollArea* mailArea_ = nullptr;
    PageScrollArea* fileArea_ = nullptr;
};

}  // namespace torepal
