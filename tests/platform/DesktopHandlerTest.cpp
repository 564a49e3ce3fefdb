#include <gtest/gtest.h>

#include "platform/Platform.h"

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
