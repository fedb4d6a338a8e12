// What the engine library sets up once, while it is being loaded: the IEEE special values, the
// three process-wide multithread locks (configuration store, live set, init-and-get-error, in
// that order), the thread-local value for the thread's secondary error, and a reference to
// itself that keeps the library in memory until the process ends.
#pragma once

#include "zor.h"

namespace zor {

// The support library's multithread locks (ZorMultithreadLock_ handles). NULL only when the
// start-up failed, in which case the engine refuses every session (see EngineStarted).
ViAddr ConfigStoreLock() noexcept;
ViAddr LiveSetLock() noexcept;
ViAddr InitAndGetErrorLock() noexcept;

// The thread-local value created for the thread's secondary error (a ZorThreadVar_ handle).
ViAddr ThreadSecondaryErrorVar() noexcept;

// False when a start-up step failed. A shared object cannot refuse to be loaded, so a failed
// start-up marks the engine as unloading instead: every session lookup then answers
// ZOR_ERROR_UNRECOVERABLE_FAILURE and nothing works.
bool EngineStarted() noexcept;

// Holds a multithread lock for a scope. A NULL lock (failed start-up) is not entered.
class MultithreadLockGuard {
 public:
  explicit MultithreadLockGuard(ViAddr lock) noexcept;
  ~MultithreadLockGuard();
  MultithreadLockGuard(const MultithreadLockGuard&) = delete;
  MultithreadLockGuard& operator=(const MultithreadLockGuard&) = delete;

 private:
  ViAddr lock_;
};

}  // namespace zor
