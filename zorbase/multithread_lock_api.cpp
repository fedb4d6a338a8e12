// Exported multithread locks: recursive locks behind a handle. Acquire and release are direct
// operations on the lock, with no checking beyond a NULL handle.
#include "base_status.h"
#include "platform/recursive_lock.h"

using namespace zor::base;
using zor::platform::RecursiveLock;

extern "C" {

ZOR_EXPORT ViStatus ZorMultithreadLock_New(ViAddr* lock) {
  return Guarded([&] {
    if (lock == nullptr) Raise(kNullPointer);
    *lock = nullptr;
    auto* created = new RecursiveLock();
    if (!created->valid()) {
      delete created;
      Raise(kCannotCreateLock);
    }
    *lock = created;
    return kSuccess;
  });
}

ZOR_EXPORT void ZorMultithreadLock_Acquire(ViAddr lock) {
  if (lock != nullptr) static_cast<RecursiveLock*>(lock)->Enter();
}

ZOR_EXPORT void ZorMultithreadLock_Release(ViAddr lock) {
  if (lock != nullptr) static_cast<RecursiveLock*>(lock)->Leave();
}

ZOR_EXPORT void ZorMultithreadLock_Dispose(ViAddr lock) { delete static_cast<RecursiveLock*>(lock); }

}  // extern "C"
