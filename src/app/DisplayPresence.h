#pragma once
// Whether the window has a screen to go to, decided before Qt is asked:
// Qt, finding none, ends with a note about reinstalling the program, which
// sends a seller the wrong way.

#include <string_view>

namespace torepal {

// `platformVariable` is QT_QPA_PLATFORM, `platformArgument` the value of a
// -platform argument (either may be empty); the two flags say whether
// DISPLAY and WAYLAND_DISPLAY are set. A platform that needs no display
// (offscreen, vnc ...) always has one.
bool DisplayAvailable(std::string_view platformVariable, std::string_view platformArgument, bool x11Display,
                      bool waylandDisplay);

// The value after "-platform" among the program's arguments, else empty.
std::string_view PlatformArgument(int argc, char** argv);

// One line, Japanese then English, ending in a line break.
const char* NoDisplayMessage();

}  // namespace torepal
