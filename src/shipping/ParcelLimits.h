#pragma once
// The largest parcel a current service takes, as its tariff file states it,
// and whether the parcel the form describes could keep within it. The form
// knows a parcel only by its size entry (the sum of the three sides, up to
// the entry's value and above the entry before it) and, when the seller
// chose one, its thickness step; a service is left out only when no parcel
// the form could mean keeps within its limits, never on a guess.

namespace torepal {

// In millimetres, so that a printed 24.8 cm stays exact; 0 where the
// carrier states no such limit.
struct ParcelLimits {
    int sumMm = 0;        // the three sides together
    int lengthMm = 0;     // the longest side (長辺)
    int widthMm = 0;      // the second side (短辺)
    int thicknessMm = 0;  // the shortest side (厚さ)

    bool any() const { return sumMm > 0 || lengthMm > 0 || widthMm > 0 || thicknessMm > 0; }
    friend bool operator==(const ParcelLimits&, const ParcelLimits&) = default;
};

// A column's own limits where it states them, the service's elsewhere.
ParcelLimits CombinedLimits(const ParcelLimits& service, const ParcelLimits& column);

// What the form says about the parcel's size, as ranges: each measure lies
// above its "over" value and up to its "upTo" value (0: no upper bound).
struct ParcelSpan {
    int sumOverMm = 0;
    int sumUpToMm = 0;
    int thicknessOverMm = 0;
    int thicknessUpToMm = 0;
};

// Why a service writes nothing for the parcel; several may hold at once.
enum CarryFault : unsigned {
    kCarries = 0,
    kTooHeavy = 1u << 0,
    kTooThick = 1u << 1,
    kTooLarge = 1u << 2,  // the sum of the sides, or a side, beyond the limits
};

// The size faults of the limits for every parcel of the span: thickness
// when no parcel of the chosen thickness step is thin enough, size when no
// parcel of the size entry fits the sides and their sum.
unsigned SizeFaults(const ParcelLimits& limits, const ParcelSpan& parcel);

// True when every thickness of the span keeps within the limit: the seller
// chose a step and the step ends at or below it.
bool HoldsWholeThickness(const ParcelLimits& limits, const ParcelSpan& parcel);

}  // namespace torepal
