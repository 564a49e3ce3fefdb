#include "plate/PreviewPage.h"

#include "plate/RenderPage.h"
#include "text/Lines.h"

namespace torepal {

std::string PreviewPageBytes(PlateState form, const PlateFlags& flags)
{
    RenderPage(form, flags);
    return ToTextMode(form.page);
}

}  // namespace torepal
