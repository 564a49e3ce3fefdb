#include "platform/Platform.h"

namespace torepal {

bool SettleUnsavedEdits(Platform& platform, const std::string& sjisWhat, const std::function<bool()>& save)
{
    switch (platform.askUnsaved(UnsavedEditsQuestion(sjisWhat))) {
        case UnsavedAnswer::Save:
            return save();
        case UnsavedAnswer::Discard:
            return true;
        case UnsavedAnswer::Cancel:
            break;
    }
    return false;
}

}  // namespace torepal
