#pragma once
// The browser engine refuses to start as root while its sandbox is on. The
// program asks before it starts the preview process, and tells the seller
// instead of switching the sandbox off behind their back; only the tests
// switch it off (QTWEBENGINE_DISABLE_SANDBOX=1).

#include <string_view>

namespace torepal {

// True when the engine would refuse: run as root, QTWEBENGINE_DISABLE_SANDBOX
// unset or "0", and no "--no-sandbox" among QTWEBENGINE_CHROMIUM_FLAGS.
bool EngineRefusesToStart(bool runAsRoot, std::string_view disableSandbox, std::string_view chromiumFlags);

}  // namespace torepal
