// The reference for the start-up figure: the Designer forms the window shows
// at start (the main window with its menu and tabs, the plate page in its
// scrolling tab) with no program logic at all: nothing read, no list
// filled, no page made. What showing that window costs any Qt program is
// the limit of what torepal's start can come to. Launched and timed like
// startup_main.

#include <QApplication>
#include <QDialog>

#include "StartUpReport.h"
#include "app/ui/PageScrollArea.h"
#include "ui_CDTemplate.h"
#include "ui_MainDialog.h"

int main(int argc, char** argv)
{
    torepal::bench::Phase("main");
    QApplication app(argc, argv);
    torepal::bench::Phase("application");
    QApplication::setApplicationName(QStringLiteral("torepal-forms"));

    QDialog window;
    Ui::MainDialog main;
    main.setupUi(&window);
    window.setWindowTitle(QStringLiteral("トレパル Ver 1.3.3"));
    main.mainLayout->setMenuBar(main.mainMenu);
    auto* plate = new QWidget;
    Ui::CDTemplate form;
    form.setupUi(plate);
    main.pageTabs->addTab(new torepal::PageScrollArea(plate), QStringLiteral("プレート作成"));
    main.pageTabs->addTab(new torepal::PageScrollArea(QStringLiteral("CMail")), QStringLiteral("メール作成"));
    main.pageTabs->addTab(new torepal::PageScrollArea(QStringLiteral("CFileControl")), QStringLiteral("ファイル管理"));
    torepal::FitToScreen(window);
    torepal::bench::Phase("forms made");

    new torepal::bench::QuitAfterFirstPaint(window);
    window.show();
    torepal::bench::Phase("show called");
    return app.exec();
}
