// Recording failures: every engine function that fails records its status on the session
// concerned (or only on the calling thread, for VI_NULL) and returns it. The first error stays
// until it is read or cleared; an error replaces a warning; a warning replaces nothing.
#pragma once

#include "zor.h"

namespace zor {

// Zor_SetErrorInfo(vi, VI_FALSE, status, secondary, elaboration), for a status that is not 0.
// Returns `status`, so that a failing path can end with `return RecordError(vi, status);`.
ViStatus RecordError(ViSession vi, ViStatus status, const char* elaboration = nullptr,
                     ViStatus secondary = 0) noexcept;

// Records `status` on `vi` with an elaboration naming the attribute (kNoAttribute for none)
// and the repeated-capability instance: "Attribute: NAME, Channel: NAME". Returns the
// recording's failure, or VI_SUCCESS.
constexpr ViAttr kNoAttribute = static_cast<ViAttr>(-1);
ViStatus SetAttributeErrorInfo(ViSession vi, ViStatus status, ViAttr attributeId,
                               const char* repCapName) noexcept;

// The calling thread's secondary error (0 in every new thread).
ViStatus ThreadSecondaryError() noexcept;
void SetThreadSecondaryError(ViStatus status) noexcept;

}  // namespace zor
