#pragma once
// The plate form's fields, each described once: its name (the member's name
// in every record that holds it), where the project file keeps it, whether
// plate.ini keeps it, and how the recovery file keeps it. The project file,
// the mapping between the forms and a project, plate.ini and the recovery
// file walk these tables; a new field is one line here.
//
// The current-service ticks are a list, not fields: the project file keeps
// them in "[CS1]", current_services.txt beside the program keeps them for
// the next start, and the recovery file carries them in its project text.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "plate/PlateState.h"
#include "store/FieldPlaces.h"
#include "store/SettingsRecords.h"

namespace torepal {

using PlateTextField = TextField<PlateTexts, CPSave>;

// A tick or one button of a radio pair.
struct PlateTickField {
    std::string_view name;
    bool& (*flag)(PlateFlags&);
    ProjectPlace project;
    bool& (*settings)(CPSave&);  // plate.ini's slot; nullptr: plate.ini does not keep it
};

// A combo's selected entry (-1 for none).
struct PlateSelectionField {
    std::string_view name;
    int PlateSelections::*value;
    ProjectPlace project;
    std::int32_t CPSave::*settings;  // plate.ini's slot; nullptr: plate.ini does not keep it
};

std::span<const PlateTextField> PlateTextFields();
std::span<const PlateTickField> PlateTickFields();
std::span<const PlateSelectionField> PlateSelectionFields();

// The plate form as a whole: what the seller typed, ticked and chose.
struct PlateForm {
    PlateTexts texts;
    PlateFlags flags;
    PlateSelections selections;
    std::vector<std::string> services;  // ticked current services, by id
    int thickness = 0;                  // the services group's thickness choice
    bool operator==(const PlateForm&) const = default;
};

}  // namespace torepal
