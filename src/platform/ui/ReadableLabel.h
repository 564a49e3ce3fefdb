#pragma once
// A label whose words are a message the seller must be able to read from
// outside (the status line, a verdict): Qt's own label offers a screen
// reader or a test tool only its name, with no text to read through the
// accessibility bus's Text interface. A label made readable here offers
// both, its text as it stands.

class QLabel;

namespace torepal {

// Call before the label is first shown.
void MakeLabelReadable(QLabel& label);

}  // namespace torepal
