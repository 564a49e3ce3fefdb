#pragma once

#include <QIcon>

namespace torepal {

// The program's icon in every size the resources hold, for the main window
// (title bar, task bar) and the about box.
QIcon ProgramIcon();

}  // namespace torepal
