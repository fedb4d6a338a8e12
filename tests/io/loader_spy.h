// Watches this test program's own attempts to load the VISA library by name. The program
// defines dlopen itself; calls from the engine code linked into it bind to that definition,
// which counts them and hands them on to the system's dlopen.
#pragma once

#include "fake_visa.h"

namespace zor::test {

// Attempts to load "libvisa.so" since the program started.
int VisaLoadAttempts();

// `hook` runs on the loading thread before each such attempt; null removes it.
void SetBeforeVisaLoad(void (*hook)());

// The fake library's state, or null when no fake VISA library is loaded. Loads nothing.
FakeVisaState* LoadedFakeVisa();

}  // namespace zor::test
