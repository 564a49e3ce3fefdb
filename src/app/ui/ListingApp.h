#pragma once

#include <filesystem>
#include <functional>

class QCoreApplication;
class QTranslator;
class QWidget;

namespace torepal {

// The application object: builds the main window, runs it modally, and ends
// the process when it returns.
class ListingApp {
public:
    // `made`, when given, sees the main window once it is made, before it
    // is shown: the benchmark's start-up and typing programs run exactly
    // the seller's start this way and watch it.
    static int run(int argc, char** argv, const std::function<void(QWidget&)>& made = {});
};

// The folder of the running executable: every file the program uses lies
// in it or in its back/ and file/ subfolders.
std::filesystem::path ProgramFolderOfThisProcess();

// Qt's own Japanese texts (the buttons and labels of its file and colour
// dialogs and message boxes: "キャンセル", "開く" ...), from the
// translations Qt installs with itself. The program speaks Japanese
// whatever the desktop's language. The translator belongs to `app`; null
// when the translations are not installed: the dialogs then speak English
// and everything else works.
QTranslator* InstallQtJapanese(QCoreApplication& app);

}  // namespace torepal
