// The entry points the engine calls in the VISA library, bound at run time, with what it
// passes and relies on. A status follows the VISA convention: negative error, positive
// warning, 0 success. An entry point the library lacks counts as a failing call (0xBFFF0000).
#pragma once

#include <cstdarg>
#include <cstdint>

#include "zor.h"

namespace zor::visa {

// Writes a resource-manager session through `rm` on success.
using OpenDefaultRMFunction = ViStatus (*)(ViSession* rm);
// The result is not looked at.
using CloseFunction = ViStatus (*)(ViSession session);
// Read and write write the transferred count; an error status means failure.
using ReadFunction = ViStatus (*)(ViSession io, ViBuf buffer, ViUInt32 count, ViUInt32* transferred);
using WriteFunction = ViStatus (*)(ViSession io, ViBuf buffer, ViUInt32 count, ViUInt32* transferred);
// VI_ATTR_TMO_VALUE takes milliseconds; VI_ATTR_SEND_END_EN a 16-bit boolean. The value is an
// attribute-state word as wide as a pointer.
using AttrState = std::uintptr_t;
using SetAttributeFunction = ViStatus (*)(ViSession session, ViAttr attribute, AttrState value);
using GetAttributeFunction = ViStatus (*)(ViSession session, ViAttr attribute, void* value);
// Formatted writes with "%s" and "%*y".
using VPrintfFunction = ViStatus (*)(ViSession io, ViConstString format, va_list arguments);
// VI_SUCCESS means the 256-character buffer holds a description of `status`.
using StatusDescFunction = ViStatus (*)(ViSession session, ViStatus status, ViChar description[256]);

}  // namespace zor::visa
