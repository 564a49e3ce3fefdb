#include "preview/EngineSandbox.h"

namespace torepal {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && space(text.front())) text.remove_prefix(1);
    while (!text.empty() && space(text.back())) text.remove_suffix(1);
    return text;
}

bool HasFlag(std::string_view flags, std::string_view flag)
{
    while (!flags.empty()) {
        const std::size_t space = flags.find(' ');
        if (flags.substr(0, space) == flag) return true;
        if (space == std::string_view::npos) break;
        flags.remove_prefix(space + 1);
    }
    return false;
}

}  // namespace

bool EngineRefusesToStart(bool runAsRoot, std::string_view disableSandbox, std::string_view chromiumFlags)
{
    if (!runAsRoot) return false;
    const std::string_view off = Trimmed(disableSandbox);
    if (!off.empty() && off != "0") return false;
    return !HasFlag(chromiumFlags, "--no-sandbox");
}

}  // namespace torepal
