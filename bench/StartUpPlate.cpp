// What start-up would cost if the mail and file pages were built on their
// first visit: the main window's frame (menu, three tabs) with only the
// plate page built, and the reads that stay at start (the template list,
// bank.ini, status.ini, the saved files) done without their pages. Launched
// and timed like startup_main; the difference between the two is the share
// of the two pages a seller cannot see at start.
//
// Usage: startup_plate <program folder>

#include <QApplication>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdio>
#include <filesystem>

#include "StartUpReport.h"
#include "app/ui/MainDialog.h"
#include "app/ui/ProgramIcon.h"
#include "bank/BankStore.h"
#include "files/SavedFileList.h"
#include "mail/MailFiles.h"
#include "plate/ui/CDTemplate.h"
#include "platform/ui/QtPlatform.h"
#include "store/SettingsFiles.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: startup_plate <program folder>\n", stderr);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);

    torepal::bench::Phase("main");
    QApplication app(argc, argv);
    torepal::bench::Phase("application");
    QApplication::setApplicationName(QStringLiteral("torepal"));
    QApplication::setApplicationDisplayName(torepal::ProgramTitle());

    torepal::QtPlatform platform;
    torepal::BankStore bank(folder);
    QDialog window;
    window.setWindowTitle(torepal::ProgramTitle());
    window.setWindowIcon(torepal::ProgramIcon());
    auto* layout = new QVBoxLayout(&window);
    auto* menuBar = new QMenuBar(&window);
    layout->setMenuBar(menuBar);
    // The same menus as the real window, so only the two pages differ.
    QMenu* file = menuBar->addMenu(QStringLiteral("ファイル（&F）"));
    for (const char* item : {"新規作成（&N）", "開く（&O）", "保存（&S）", "終了（&E）"})
        file->addAction(QString::fromUtf8(item));
    QMenu* settings = menuBar->addMenu(QStringLiteral("設定（&C）"));
    for (const char* item : {"銀行口座編集（&G）", "マイブーステキスト編集（&M）"})
        settings->addAction(QString::fromUtf8(item));
    menuBar->addMenu(QStringLiteral("ヘルプ（&H）"))->addAction(QStringLiteral("ヘルプ表示"));
    QMenu* about = menuBar->addMenu(QStringLiteral("バージョン情報（&A）"));
    for (const char* item : {"バージョン表示（&A）", "作者のホームページへ(&J)"})
        about->addAction(QString::fromUtf8(item));

    auto* tabs = new QTabWidget(&window);
    layout->addWidget(tabs);
    auto* plate = new torepal::CDTemplate(platform, bank, folder);
    tabs->addTab(plate, QStringLiteral("プレート作成"));
    tabs->addTab(new QWidget, QStringLiteral("メール作成"));
    tabs->addTab(new QWidget, QStringLiteral("ファイル管理"));

    // The reads that stay at start.
    const auto templates = torepal::ListTemplates(folder);
    std::uint64_t generation = 0;
    const auto accounts = bank.load(generation);
    const auto status = torepal::LoadStatusFile(folder);
    torepal::SavedFileList saved(folder);
    saved.refresh();
    plate->loadAccounts();
    plate->typeChanged();
    torepal::bench::Phase("main window made");
    // What was read is what the mail and file pages would show later.
    if (templates.empty() || status.status == torepal::LoadStatus::Damaged ||
        accounts.status == torepal::LoadStatus::Damaged)
        std::fputs("the program folder is not as laid out for the benchmark\n", stderr);

    torepal::bench::QuitAfterFirstPaint watch(window);
    window.show();
    torepal::bench::Phase("show called");
    return app.exec();
}
