// Exported session-handle functions. Each one records its failure in the calling thread's
// error record (by the precedence rule, with an empty text), except the early refusals made
// while the library is unloading.
#include "base_status.h"
#include "error_record.h"
#include "library_state.h"
#include "session_registry.h"

namespace zor::base {
namespace {

ViStatus RecordFailureInThread(ViStatus status) noexcept {
  if (status < 0) {
    // A failure to record (no thread slot, no memory) must not hide the first status.
    Guarded([&] {
      ThreadRecord().Offer(status, "");
      return kSuccess;
    });
  }
  return status;
}

template <typename Body>
ViStatus Recorded(Body&& body) noexcept {
  return RecordFailureInThread(Guarded(std::forward<Body>(body)));
}

}  // namespace
}  // namespace zor::base

using namespace zor::base;

extern "C" {

ZOR_EXPORT ViStatus ZorSession_New(ViSession* vi) {
  return Recorded([&] {
    if (vi == nullptr) Raise(kNullPointer);
    *vi = 0;
    *vi = CreateSession();
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSession_Dispose(ViSession vi) {
  return Recorded([&] {
    DisposeSession(vi);
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSession_Lock(ViSession vi, ViBoolean* callerHasLock) {
  if (Unloading()) return kUnrecoverable;
  return Recorded([&] {
    if (callerHasLock != nullptr && *callerHasLock != VI_FALSE) return kSuccess;
    TakeLevel(vi);
    if (callerHasLock != nullptr) *callerHasLock = VI_TRUE;
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSession_Unlock(ViSession vi, ViBoolean* callerHasLock) {
  return Recorded([&] {
    if (callerHasLock != nullptr && *callerHasLock == VI_FALSE) return kSuccess;
    ReleaseLevel(vi);
    if (callerHasLock != nullptr) *callerHasLock = VI_FALSE;
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSession_GetDataPtr(ViSession vi, ViAddr* dataPtr) {
  if (Unloading()) return kUnrecoverable;
  return Recorded([&] {
    if (dataPtr == nullptr) Raise(kNullPointer);
    *dataPtr = PeekDataPtr(vi);
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSession_SetDataPtr(ViSession vi, ViAddr dataPtr) {
  return Recorded([&] {
    SessionAccess access(vi);
    access.lock().dataPtr.store(dataPtr, std::memory_order_release);
    return kSuccess;
  });
}

}  // extern "C"
