#pragma once
// Line handling for the text files the program reads and writes. Files are
// written in "text mode": every LF goes to disk as CR LF, so a text that
// already holds CR LF is stored with CR CR LF. Readers accept CR LF, LF and
// CR CR LF.

#include <string>
#include <string_view>
#include <vector>

namespace torepal {

// Text-mode output: every LF becomes CR LF.
std::string ToTextMode(std::string_view text);

// Splits at LF (not included). A last line without LF counts; a file that
// ends with LF has no empty line after it; an empty file has no lines.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// Mail templates and project files: each line loses every CR and LF byte and
// gets exactly one CR LF.
std::string NormalizedLinesCrLf(std::string_view bytes);

// Saved files shown in the file manager: a run of CR before LF (or at the
// end of the file) is the line end, a lone CR elsewhere stays; each line
// then gets one CR LF. Showing and writing back a file therefore reaches a
// fixed point at once.
std::string SavedFileLinesCrLf(std::string_view bytes);

}  // namespace torepal
