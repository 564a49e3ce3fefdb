#pragma once
// The main window: the menu and the three tabs "プレート作成", "メール作成"
// and "ファイル管理". It creates the pages once, decides what is read at
// start and written at exit, refreshes a page when its tab is chosen, and
// saves and opens project files.

#include <QDialog>
#include <filesystem>
#include <memory>
#include <string>

#include "bank/BankStore.h"

class QMenuBar;
class QTabWidget;

namespace Ui {
class MainDialog;
}

namespace torepal {

class CDTemplate;
class CFileControl;
class CMail;
class DesktopPlatform;

class MainDialog : public QDialog {
    Q_OBJECT

public:
    // Creates the pages and reads the settings from `programFolder`
    // (plate.ini, bank.ini, status.ini), in the program's start-up order.
    MainDialog(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~MainDialog() override;

    CDTemplate& platePage() { return *plate_; }
    CMail& mailPage() { return *mail_; }
    CFileControl& filePage() { return *files_; }
    // The tabs hold each page in a scroll area of its own; pageOfTab gives
    // the page itself.
    QTabWidget& tabs();
    QWidget& pageOfTab(int index);
    QMenuBar& menu();
    BankStore& bankStore() { return bank_; }

    // The menu's commands.
    void newForms();       // "新規作成（&N）"
    void openProject();    // "開く（&O）"
    void saveProject();    // "保存（&S）"
    void exitProgram();    // "終了（&E）", the close box, Escape on the tabs
    void showHelp();       // "ヘルプ表示"
    void showAbout();      // "バージョン表示（&A）"
    void openMakerPage();  // "作者のホームページへ(&J)"

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
    // The first size: every page whole where the screen has room, else as
    // high as the screen allows, the pages scrolling.
    void fitToScreen();
    void tabChanged(int index);

    DesktopPlatform& platform_;
    std::filesystem::path folder_;
    BankStore bank_;
    std::string projectText_;
    bool exited_ = false;

    std::unique_ptr<Ui::MainDialog> ui_;
    CMail* mail_ = nullptr;
    CDTemplate* plate_ = nullptr;
    CFileControl* files_ = nullptr;
};

}  // namespace torepal
