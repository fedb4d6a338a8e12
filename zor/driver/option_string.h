// Option strings: the comma-separated name=value entries a specific driver is initialized
// with (Simulate=1, DriverSetup=..., ...), read into InitOptions and applied to the new
// session's inherent attributes.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "zor.h"

namespace zor::options {

// What an option string asks for; starts at the defaults of a new session.
struct InitOptions {
  ViBoolean simulate = VI_FALSE;
  ViBoolean rangeCheck = VI_TRUE;
  ViBoolean recordCoercions = VI_FALSE;
  ViBoolean queryInstrStatus = VI_FALSE;
  ViBoolean cache = VI_TRUE;
  ViBoolean interchangeCheck = VI_FALSE;
  std::unique_ptr<std::string> driverSetup;  // NULL: not given
};

// Longest name and value an entry keeps; longer ones are cut, not refused.
constexpr std::size_t kMaxOptionNameLength = 255;
constexpr std::size_t kMaxOptionValueLength = 511;
constexpr std::size_t kLogicalNameSize = 256;

// Reads `optionString` into `options`. Entries before a failing one have taken effect; the
// failure (0xBFFA0049, 0xBFFA004A, 0xBFFA004B, 0xBFFA004C or VI_ERROR_ALLOC) is recorded on `vi`
// with its elaboration and returned.
ViStatus ParseOptionString(ViSession vi, const char* optionString, InitOptions* options) noexcept;

// Sets the inherent attributes of `vi` from `options` through the set pipeline and fixes the
// simulation state. Returns the first error, else the first warning, else 0.
ViStatus ApplyInitOptions(ViSession vi, const InitOptions& options) noexcept;

// The value of the first "LogicalName" entry of `optionString` (found case-sensitively
// anywhere in it), cut to 255 characters and trimmed; empty when there is none.
void ExtractLogicalName(const char* optionString, char (&logicalName)[kLogicalNameSize]) noexcept;

}  // namespace zor::options
