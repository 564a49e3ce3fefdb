#pragma once
// Where a form's field stands in the project file ("*.tpf"), as the forms'
// field tables name it. The sections and their layouts are described in
// app/ProjectFile.h.

#include <cstdint>

namespace torepal {

// PL1 holds the layout ticks added since the thirteen original sections,
// written only when one of them is on.
enum class ProjectSection : std::uint8_t { None, TM1, TM2, TM3, TM4, TM5, MP1, MP2, PL1 };

struct ProjectPlace {
    ProjectSection section = ProjectSection::None;
    // 1-based: the counted value ("[TM1]"), the value after a comma
    // ("[TM2]", "[TM3]", "[TM4]", "[MP2]") or the line ("[TM5]", "[MP1]").
    int at = 0;
    // A second line that holds the same value (the telephone of "[MP1]");
    // on reading, this later copy is the one taken.
    int again = 0;
};

// How the recovery file keeps a field: inside the project text it carries,
// or as a text of its own where the project file does not hold the field
// whole (a computed text, a multi-line text on a one-line place).
enum class RecoveryKeeps : std::uint8_t { InProjectText, OwnText };

}  // namespace torepal
