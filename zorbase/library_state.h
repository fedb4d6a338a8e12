// Process-wide state of the support library: the unloading flag and the thread error slot.
//
// Everything here is created when the library is loaded and deliberately never destroyed:
// when the process detaches the library, other threads may still be inside it, so detach only
// raises the unloading flag.
#pragma once

#include <atomic>

#include "platform/thread_slot.h"

namespace zor::base {

// True once the process has begun detaching the library.
bool Unloading() noexcept;

// Raises the unloading flag (what process detach does).
void MarkUnloading() noexcept;

// The slot through which each thread finds its own ErrorRecord; its cleanup frees the record
// when the thread ends.
const platform::ThreadSlot& ThreadErrorSlot();

}  // namespace zor::base
