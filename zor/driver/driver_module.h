// The functions the engine finds in driver modules (specific drivers, simulation drivers,
// adapters) by prefix + "_" + name, with what it passes and relies on. Lock, unlock, simulation
// and message functions run while the engine holds the calling session's lock.
#pragma once

#include "zor.h"

namespace zor::driver_module {

// "LockSession" / "UnlockSession": the specific driver's own session lock. An error from the
// lock means the specific session is not locked and the engine call fails with it.
using LockSessionFunction = ViStatus (*)(ViSession vi, ViBoolean* callerHasLock);
using UnlockSessionFunction = ViStatus (*)(ViSession vi, ViBoolean* callerHasLock);

// "SimulationInit": on success the simulation session has been written through `simulationVi`.
using SimulationInitFunction = ViStatus (*)(ViSession vi, ViConstString simulationSetup,
                                            ViSession* simulationVi);
// "SimulationClose": the result is ignored.
using SimulationCloseFunction = ViStatus (*)(ViSession simulationVi);

// "InitWithOptions": on success the new driver session has been written through `vi`.
using InitWithOptionsFunction = ViStatus (*)(ViRsrc resourceName, ViBoolean idQuery,
                                             ViBoolean reset, ViConstString optionString,
                                             ViSession* vi);
// "close".
using CloseFunction = ViStatus (*)(ViSession vi);
// "GetError": the driver's error code and text, cut to the buffer size.
using GetErrorFunction = ViStatus (*)(ViSession vi, ViStatus* code, ViInt32 bufferSize,
                                      ViChar description[]);
// "error_message": VI_SUCCESS means the 256-character buffer holds the message.
using ErrorMessageFunction = ViStatus (*)(ViSession vi, ViStatus statusCode, ViChar message[256]);

}  // namespace zor::driver_module
