#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "text/Encoding.h"

using namespace torepal;

TEST(DesktopHandler, AsksXdgMimeForTheDefaultProgramOfEachKind)
{
    EXPECT_EQ(HandlerQueryArguments(DesktopHandler::Mail),
              (std::vector<std::string>{"query", "default", "x-scheme-handler/mailto"}));
    EXPECT_EQ(HandlerMimeType(DesktopHandler::Web), "x-scheme-handler/http");
    EXPECT_EQ(HandlerMimeType(DesktopHandler::Html), "text/html");
}

TEST(DesktopHandler, ADesktopEntryNameMeansAProgramIsThere)
{
    EXPECT_EQ(HandlerPresenceFromQuery(true, 0, "thunderbird.desktop\n"), HandlerPresence::Present);
    EXPECT_EQ(HandlerPresenceFromQuery(true, 0, "  org.gnome.Evolution.desktop \r\n"), HandlerPresence::Present);
    EXPECT_EQ(HandlerPresenceFromQuery(true, 0, "a.desktop\nb.desktop\n"), HandlerPresence::Present);
}

TEST(DesktopHandler, NoAnswerOrAFailureMeansNone)
{
    EXPECT_EQ(HandlerPresenceFromQuery(true, 0, ""), HandlerPresence::Missing);
    EXPECT_EQ(HandlerPresenceFromQuery(true, 0, "\n"), HandlerPresence::Missing);
    EXPECT_EQ(HandlerPresenceFromQuery(true, 4, "thunderbird.desktop\n"), HandlerPresence::Missing);
    EXPECT_EQ(HandlerPresenceFromQuery(true, 0, ".desktop"), HandlerPresence::Missing);
    EXPECT_EQ(HandlerPresenceFromQuery(true, 0, "xdg-mime: unknown desktop\n"), HandlerPresence::Missing);
}

TEST(DesktopHandler, AQueryThatDidNotFinishTellsNothing)
{
    EXPECT_EQ(HandlerPresenceFromQuery(false, 0, "thunderbird.desktop\n"), HandlerPresence::Unknown);
    EXPECT_EQ(HandlerPresenceFromQuery(false, -1, ""), HandlerPresence::Unknown);
}

TEST(DesktopMessages, NoHandlerQuestionNamesWhatIsMissingAndTheOffer)
{
    EXPECT_EQ(NoHandlerQuestion(DesktopHandler::Mail, Sjis("コピー")),
              Sjis("メールを開くプログラムがこのパソコンに設定されていません。\r\n\r\n代わりにコピーしますか？"));
    EXPECT_EQ(NoHandlerQuestion(DesktopHandler::Html, "X"),
              Sjis("ページ（.html）を開くブラウザがこのパソコンに設定されていません。\r\n\r\n代わりにXしますか？"));
    EXPECT_EQ(NoHandlerQuestion(DesktopHandler::Web, ""),
              Sjis("ホームページを開くブラウザがこのパソコンに設定されていません。\r\n\r\n代わりにしますか？"));
}

TEST(DesktopMessages, StatusLineTexts)
{
    EXPECT_EQ(CopiedBytesMessage(0), Sjis("0 バイトをコピーしました"));
    EXPECT_EQ(CopiedBytesMessage(12345), Sjis("12345 バイトをコピーしました"));
    EXPECT_EQ(SavedMessage(Sjis("back/a.txt")), Sjis("「back/a.txt」を保存しました"));
    EXPECT_EQ(UnsavedEditsQuestion("a.txt"),
              Sjis("「a.txt」の変更がまだ保存されていません。\r\n保存しますか？（「破棄」で変更を捨てます）"));
}
