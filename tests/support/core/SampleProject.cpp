#include "support/core/SampleProject.h"

#include "support/core/SampleMail.h"
#include "support/core/SamplePlate.h"

namespace torepal::test {

ProjectRecord SampleProject()
{
    ProjectRecord r;
    const PlateState plate = SamplePlateForm(r.flags);
    static_cast<PlateTexts&>(r) = plate;
    static_cast<MailTexts&>(r) = SampleMailForm();
    r.selections = ProjectSelections{plate.weightIndex, plate.sizeIndex, plate.originIndex, plate.templateType};
    r.accounts = plate.accounts;
    return r;
}

}  // namespace torepal::test
