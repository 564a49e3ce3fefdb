// トレパル: the listing-page and winning-bidder mail tool.
#include "app/ui/ListingApp.h"

int main(int argc, char** argv)
{
    return torepal::ListingApp::run(argc, argv);
}
