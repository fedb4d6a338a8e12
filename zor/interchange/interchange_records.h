// Records of interchangeability findings kept per session and per attribute.
#pragma once

#include "core/value.h"
#include "zor.h"

namespace zor {

struct AttributeRecord;

// One coercion a coerce callback made: what was asked for and what it became.
struct CoercionRecord {
  Value requestedValue;
  Value coercedValue;
  ViInt32 instanceIndex = 0;
  ViInt32 type = 0;
};

// One place where the program relies on instrument-specific behaviour.
struct InterchangeWarning {
  ViInt32 kind = 0;
  ViInt32 functionId = -1;
  ViInt32 instanceIndex = 1;
  AttributeRecord* attribute = nullptr;
  char text[256] = {};
  char functionName[92] = {};
};

}  // namespace zor
