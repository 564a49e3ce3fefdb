#include "plate/PreviewPage.h"

#include "plate/RenderPage.h"
#include "text/Lines.h"

namespace torepal {

std::string PreviewPageBytes(PlateState form, const PlateFlags& flags, std::span<const Tariff> currentServices)
{
    RenderPage(form, flags, currentServices);
    return ToTextMode(form.page);
}

}  // namespace torepal
