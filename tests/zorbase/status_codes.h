// Statuses the support-library tests expect, by name.
#pragma once

#include "zorbase.h"

namespace zor::test {

constexpr ViStatus Status(unsigned long bits) { return static_cast<ViStatus>(bits); }

constexpr ViStatus kUnrecoverable = Status(0xBFFA0000);
constexpr ViStatus kFileOpenFailed = Status(0xBFFA0002);
constexpr ViStatus kInvalidValue = Status(0xBFFA0010);
constexpr ViStatus kNullPointer = Status(0xBFFA0058);
constexpr ViStatus kInvalidSession = Status(0xBFFA1190);

}  // namespace zor::test
