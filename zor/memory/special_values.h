// The IEEE special values the engine hands to drivers: NaN, +infinity and -infinity, taken
// once from the floating-point library and never changed, so that every caller sees the same
// addresses and the same bit patterns.
#pragma once

#include "zor.h"

namespace zor {

const ViReal64& EngineNaN() noexcept;
const ViReal64& EnginePosInf() noexcept;
const ViReal64& EngineNegInf() noexcept;

}  // namespace zor
