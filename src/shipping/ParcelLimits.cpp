#include "shipping/ParcelLimits.h"

#include <algorithm>
#include <climits>

namespace torepal {
namespace {

int OrNone(int limit)
{
    return limit > 0 ? limit : INT_MAX / 4;
}

}  // namespace

ParcelLimits CombinedLimits(const ParcelLimits& service, const ParcelLimits& column)
{
    auto pick = [](int own, int shared) { return own > 0 ? own : shared; };
    return ParcelLimits{pick(column.sumMm, service.sumMm), pick(column.lengthMm, service.lengthMm),
                        pick(column.widthMm, service.widthMm), pick(column.thicknessMm, service.thicknessMm)};
}

unsigned SizeFaults(const ParcelLimits& limits, const ParcelSpan& parcel)
{
    // Sides a >= b >= c with a <= length, b <= width, c <= thickness; a
    // shorter side is never longer than a longer one, so each bound also
    // caps the sides below it.
    const int length = OrNone(limits.lengthMm);
    const int width = std::min(OrNone(limits.widthMm), length);
    int thickness = std::min(OrNone(limits.thicknessMm), width);
    if (parcel.thicknessUpToMm > 0) thickness = std::min(thickness, parcel.thicknessUpToMm);

    unsigned faults = kCarries;
    // The parcel is thicker than the chosen step's lower end.
    if (parcel.thicknessOverMm >= thickness) faults |= kTooThick;

    // The largest sum any parcel within the limits reaches; the smallest
    // sum of the size entry lies just above the entry before it.
    const long largest = std::min<long>(OrNone(limits.sumMm), static_cast<long>(length) + width + thickness);
    if (parcel.sumOverMm >= largest) faults |= kTooLarge;
    return faults;
}

bool HoldsWholeThickness(const ParcelLimits& limits, const ParcelSpan& parcel)
{
    return limits.thicknessMm > 0 && parcel.thicknessUpToMm > 0 && parcel.thicknessUpToMm <= limits.thicknessMm;
}

}  // namespace torepal
