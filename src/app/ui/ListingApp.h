#pragma once

namespace torepal {

// The application object: builds the main window, runs it modally, and ends
// the process when it returns.
class ListingApp {
public:
    static int run(int argc, char** argv);
};

}  // namespace torepal
