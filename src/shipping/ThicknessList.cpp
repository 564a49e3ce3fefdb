#include "shipping/ThicknessList.h"

#include "text/Encoding.h"

namespace torepal {

const std::vector<std::string>& ThicknessList()
{
    static const std::vector<std::string> list = {Sjis("指定なし"), Sjis("～1cm"), Sjis("～2cm"), Sjis("～3cm"),
                                                  Sjis("3cm超")};
    return list;
}

void ApplyThickness(int thicknessIndex, ParcelSpan& span)
{
    span.thicknessOverMm = 0;
    span.thicknessUpToMm = 0;
    switch (thicknessIndex) {
        case 1:
        case 2:
        case 3:
            span.thicknessOverMm = (thicknessIndex - 1) * 10;
            span.thicknessUpToMm = thicknessIndex * 10;
            break;
        case 4:
            span.thicknessOverMm = 30;
            break;
        default:
            break;
    }
}

}  // namespace torepal
