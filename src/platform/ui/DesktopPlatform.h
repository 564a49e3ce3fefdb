#pragma once
// The platform as the pages see it: the core's desktop services, plus running
// a modal dialog, which only the Qt side has. Tests hand the pages a fake
// that lets them fill in a dialog and press its button.

#include "platform/Platform.h"

class QDialog;

namespace torepal {

class DesktopPlatform : public Platform {
public:
    // Runs a modal dialog and returns its result (QDialog::Accepted or
    // Rejected).
    virtual int runModal(QDialog& dialog) = 0;
};

}  // namespace torepal
