#pragma once
// The thickness choice of the 現行の配送サービス group: the steps at which
// the current letter-post services change price or stop (ゆうパケット 1, 2
// and 3 cm, スマートレター 2 cm, クリックポスト, ゆうメール, 定形外郵便
// 規格内 and レターパックライト 3 cm), and "thicker than that". Its position
// is kept in project files, so the order is part of that format.

#include <string>
#include <vector>

#include "shipping/ParcelLimits.h"

namespace torepal {

inline constexpr int kThicknessNotChosen = 0;

// "指定なし", "～1cm", "～2cm", "～3cm", "3cm超" (Shift-JIS).
const std::vector<std::string>& ThicknessList();

// The step's range into `span`: "～2cm" is above 1 cm and up to 2 cm (the
// seller would have chosen "～1cm" otherwise); "指定なし" and a position
// outside the list say nothing about the thickness.
void ApplyThickness(int thicknessIndex, ParcelSpan& span);

}  // namespace torepal
