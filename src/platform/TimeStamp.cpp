#include "platform/Platform.h"
#include "text/Encoding.h"

namespace torepal {

std::string FormatTimeStamp(const LocalTime& t)
{
    static const std::string month = Sjis("月"), day = Sjis("日"), hour = Sjis("時"), minute = Sjis("分");
    return std::to_string(t.month) + month + std::to_string(t.day) + day + std::to_string(t.hour) + hour +
           std::to_string(t.minute) + minute;
}

std::string HandlerMimeType(DesktopHandler kind)
{
    switch (kind) {
        case DesktopHandler::Mail:
            return "x-scheme-handler/mailto";
        case DesktopHandler::Web:
            return "x-scheme-handler/http";
        case DesktopHandler::Html:
            return "text/html";
    }
    return {};
}

std::vector<std::string> HandlerQueryArguments(DesktopHandler kind)
{
    return {"query", "default", HandlerMimeType(kind)};
}

HandlerPresence HandlerPresenceFromQuery(bool finished, int exitCode, std::string_view output)
{
    if (!finished) return HandlerPresence::Unknown;
    if (exitCode != 0) return HandlerPresence::Missing;
    // Only the name of a .desktop entry on the first line counts; blank
    // output and the error texts some desktops print do not.
    const std::size_t first = output.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return HandlerPresence::Missing;
    std::string_view line = output.substr(first, output.find_first_of("\r\n", first) - first);
    line = line.substr(0, line.find_last_not_of(" \t") + 1);
    constexpr std::string_view suffix = ".desktop";
    const bool named = line.size() > suffix.size() && line.substr(line.size() - suffix.size()) == suffix &&
                       line.find(' ') == std::string_view::npos;
    return named ? HandlerPresence::Present : HandlerPresence::Missing;
}

}  // namespace torepal
