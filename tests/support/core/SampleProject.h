#pragma once
// A project as "保存" writes it after a seller filled both forms the sample
// way: the sample plate form with its ticks and selections (～1kg, 80size,
// 東京都, タイプ１), the sample mail form and the six sample accounts, no
// account ticked on the mail page and no current service. A test changes
// only what it tries on top.

#include "app/ProjectFile.h"

namespace torepal::test {

ProjectRecord SampleProject();

}  // namespace torepal::test
