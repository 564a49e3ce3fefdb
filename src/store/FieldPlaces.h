#pragma once
// Where a form's field stands in the project file ("*.tpf"), as the forms'
// field tables name it. The sections and their layouts are described in
// app/ProjectFile.h.

#include <cstdint>
#include <string>
#include <string_view>

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
// The tables' short words for it, so their rows stay one line each.
inline constexpr RecoveryKeeps kProject = RecoveryKeeps::InProjectText;
inline constexpr RecoveryKeeps kOwn = RecoveryKeeps::OwnText;

// One text field of a form's table: its name (the member's name in every
// record that holds it), the member, where the project file keeps it, the
// settings file's slot for it (plate.ini or status.ini; nullptr when that
// file does not keep it), how the recovery file keeps it, and the object
// name of the page's edit that shows it with the field's name in messages
// to the seller (UTF-8; empty when no edit of the page holds it).
template <typename Texts, typename Settings>
struct TextField {
    std::string_view name;
    std::string Texts::*value;
    ProjectPlace project;
    std::string Settings::*settings;
    RecoveryKeeps recovery;
    std::string_view control;
    std::string_view caption;
};

}  // namespace torepal
