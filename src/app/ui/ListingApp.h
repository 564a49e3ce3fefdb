#pragma once

#include <filesystem>

namespace torepal {

// The application object: builds the main window, runs it modally, and ends
// the process when it returns.
class ListingApp {
public:
    static int run(int argc, char** argv);
};

// The folder of the running executable: every file the program uses lies
// in it or in its back/ and file/ subfolders.
std::filesystem::path ProgramFolderOfThisProcess();

}  // namespace torepal
