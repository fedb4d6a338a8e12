// The VISA library, bound at run time on first need and never unloaded. Every operation binds
// the library first and then calls the VISA function of the same name with the same arguments,
// returning its status; a library or entry point that is missing gives VI_ERROR_SYSTEM_ERROR
// without calling anything.
#pragma once

#include <cstdarg>

#include "io/visa_library.h"
#include "zor.h"

namespace zor::visa {

// Loads the library and finds its entry points once; later calls only test a flag. Threads
// that bind at the same time load the library once: the others wait for the first and find it
// loaded. A failed load is not remembered, so the next call tries again. A library that loads
// but lacks some entry points counts as bound; only the operations needing them fail.
ViStatus BindVisa() noexcept;

ViStatus OpenDefaultRM(ViSession* rm) noexcept;
ViStatus Close(ViSession session) noexcept;
ViStatus Read(ViSession io, ViBuf buffer, ViUInt32 count, ViUInt32* transferred) noexcept;
ViStatus Write(ViSession io, ViBuf buffer, ViUInt32 count, ViUInt32* transferred) noexcept;
ViStatus SetAttribute(ViSession session, ViAttr attribute, AttrState value) noexcept;
ViStatus GetAttribute(ViSession session, ViAttr attribute, void* value) noexcept;
ViStatus VPrintf(ViSession io, ViConstString format, va_list arguments) noexcept;
// Hands its own argument list to VPrintf.
ViStatus Printf(ViSession io, ViConstString format, ...) noexcept;
ViStatus StatusDesc(ViSession session, ViStatus status, ViChar description[256]) noexcept;

}  // namespace zor::visa
