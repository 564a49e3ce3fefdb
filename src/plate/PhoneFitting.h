#pragma once
// The five page types in a form that also reads on a phone. A fitting page
// is the ordinary page with `style` attributes added and nothing else: the
// fixed-width tables (610 and 700 px) become as wide as the screen up to
// that width, the percentage frames (タイプ２, タイプ３) take the whole width
// of a narrow screen, text breaks inside the frame even where a long word
// or address has no break of its own, and the booth banner never grows
// wider than the screen. On a desktop-wide screen a fitting page draws
// exactly as the ordinary one.
//
// Only what a listing description can carry is used: tables, width
// attributes and inline styles; no script, no <style> block, no style
// sheet. Every style is the first attribute of its tag (a colour the seller
// left empty must not take it as its value), and the attributes of the
// ordinary page all stay: with the style attributes removed, a fitting page
// is the ordinary page, byte for byte.

#include <string>

#include "plate/PageTemplates.h"

namespace torepal {

// The fitting page of `templateType` (0 to 4), or nullptr when there is none.
const PageTemplate* FittingTemplateOfType(int templateType);

// The booth banner whose image shrinks to the screen.
const std::string& FittingBoothBanner();

// The width in CSS pixels the ordinary page of a type keeps on any screen
// (620 for タイプ１, whose 610 px tables stand in a frame with spacing, 700
// for タイプ４ and タイプ５), or 0 for the types that take a share of the
// screen and for the value of no type.
int FixedPageWidth(int templateType);

}  // namespace torepal
