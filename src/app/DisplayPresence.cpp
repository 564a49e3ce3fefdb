#include "app/DisplayPresence.h"

#include <cstring>

namespace torepal {

bool DisplayAvailable(std::string_view platformVariable, std::string_view platformArgument, bool x11Display,
                      bool waylandDisplay)
{
    std::string_view platform = platformArgument.empty() ? platformVariable : platformArgument;
    // "xcb:..." carries options after the name; "wayland;xcb" lists choices.
    platform = platform.substr(0, platform.find(':'));
    if (platform.empty()) return x11Display || waylandDisplay;
    while (!platform.empty()) {
        const std::string_view name = platform.substr(0, platform.find(';'));
        if (name == "xcb") {
            if (x11Display) return true;
        } else if (name.rfind("wayland", 0) == 0) {
            if (waylandDisplay) return true;
        } else if (!name.empty()) {
            return true;
        }
        if (name.size() == platform.size()) break;
        platform.remove_prefix(name.size() + 1);
    }
    return false;
}

std::string_view PlatformArgument(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return argv[i + 1];
    return {};
}

const char* NoDisplayMessage()
{
    return "トレパル: 表示できる画面がありません（DISPLAY も WAYLAND_DISPLAY もありません）。デスクトップの中で起動して"
           "ください。 / No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): start it from a desktop "
           "session.\n";
}

}  // namespace torepal
