// Whether the program has a screen to open its window on, before Qt is
// asked (Qt would end with advice to reinstall).

#include <gtest/gtest.h>

#include "app/DisplayPresence.h"

using namespace torepal;

TEST(DisplayAvailable, TheDesktopsOwnDisplayOrAPlatformThatNeedsNone)
{
    // Nothing chosen: X11 or Wayland, whichever the session has.
    EXPECT_FALSE(DisplayAvailable("", "", false, false));
    EXPECT_TRUE(DisplayAvailable("", "", true, false));
    EXPECT_TRUE(DisplayAvailable("", "", false, true));
    // A chosen platform needs its own display.
    EXPECT_FALSE(DisplayAvailable("xcb", "", false, true));
    EXPECT_TRUE(DisplayAvailable("xcb:nomitshm", "", true, false));
    EXPECT_FALSE(DisplayAvailable("wayland-egl", "", true, false));
    EXPECT_TRUE(DisplayAvailable("wayland;xcb", "", true, false));
    // The tests' offscreen platform has no display and needs none.
    EXPECT_TRUE(DisplayAvailable("offscreen", "", false, false));
    // An argument overrides the variable.
    EXPECT_FALSE(DisplayAvailable("offscreen", "xcb", false, false));
}

TEST(DisplayAvailable, ThePlatformArgumentIsTheWordAfterIt)
{
    char program[] = "torepal", flag[] = "-platform", value[] = "offscreen";
    char* argv[] = {program, flag, value};
    EXPECT_EQ(PlatformArgument(3, argv), "offscreen");
    EXPECT_EQ(PlatformArgument(2, argv), "");  // the flag alone, last
}
