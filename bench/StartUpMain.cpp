// The real program for the start-up figure: torepal's own start
// (ListingApp: the application object, Qt's Japanese texts, the platform,
// MainDialog with the plate page and the settings read from the program
// folder), on the display the seller has; it quits on the first turn of the
// event loop after the window was painted. The benchmark copies it into a
// laid-out program folder, as torepal sits in its own.

#include "StartUpReport.h"
#include "app/ui/ListingApp.h"

int main(int argc, char** argv)
{
    torepal::bench::Phase("main");
    return torepal::ListingApp::run(argc, argv, [](QWidget& window) {
        torepal::bench::Phase("main window made");
        new torepal::bench::QuitAfterFirstPaint(window);  // belongs to the window
    });
}
