#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTranslator>

#include "app/ui/ListingApp.h"

using namespace torepal;

TEST(QtJapanese, QtsOwnDialogTextsComeInJapanese)
{
    QElapsedTimer timer;
    timer.start();
    QTranslator* translator = InstallQtJapanese(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr);
    EXPECT_LT(timer.elapsed(), 500);  // far below anything a seller would notice at start
    // The buttons of Qt's message boxes and file dialogs.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("開く(&O)"));
    // The other page tests see Qt as it was.
    QCoreApplication::removeTranslator(translator);
    delete translator;
}
