#pragma once
// A column that scrolls up and down on a low screen but never sideways: its
// scroll area stays as wide as the column wants (its boxes' captions and
// edits at their own widths), following the column whenever it changes, for
// instance when the account boxes take the registered banks' names after
// the page is made.

class QScrollArea;

namespace torepal {

// `area` holds the column (QScrollArea::widget()) already.
void ScrollUpAndDownOnly(QScrollArea& area);

}  // namespace torepal
