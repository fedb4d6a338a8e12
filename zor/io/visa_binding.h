// The VISA library, bound at run time on first need and never unloaded. Every operation binds
// the library first; a library or entry point that is missing gives VI_ERROR_SYSTEM_ERROR.
#pragma once

#include <cstdarg>

#include "io/visa_library.h"
#include "zor.h"

namespace zor::visa {

// Loads the library and finds its entry points once; later calls only report the outcome. A
// failed load is retried by the next call.
ViStatus BindVisa() noexcept;

ViStatus OpenDefaultRM(ViSession* rm) noexcept;
ViStatus Close(ViSession session) noexcept;
ViStatus Read(ViSession io, ViBuf buffer, ViUInt32 count, ViUInt32* transferred) noexcept;
ViStatus Write(ViSession io, ViBuf buffer, ViUInt32 count, ViUInt32* transferred) noexcept;
ViStatus SetAttribute(ViSession session, ViAttr attribute, AttrState value) noexcept;
ViStatus GetAttribute(ViSession session, ViAttr attribute, void* value) noexcept;
ViStatus VPrintf(ViSession io, ViConstString format, va_list arguments) noexcept;
ViStatus StatusDesc(ViSession session, ViStatus status, ViChar description[256]) noexcept;

}  // namespace zor::visa
