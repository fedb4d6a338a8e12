// Exported thread variables: one pointer-sized value per thread behind a handle.
#include "base_status.h"
#include "platform/thread_slot.h"

using namespace zor::base;
using zor::platform::ThreadSlot;

extern "C" {

ZOR_EXPORT ViStatus ZorThreadVar_New(ViInt32 /*reserved*/, ViAddr* var) {
  return Guarded([&] {
    if (var == nullptr) Raise(kNullPointer);
    *var = nullptr;
    auto* slot = new ThreadSlot();
    if (!slot->valid()) {
      delete slot;
      Raise(kCannotCreateThreadLocal);
    }
    *var = slot;
    return kSuccess;
  });
}

ZOR_EXPORT void ZorThreadVar_SetValueViAddr(ViAddr var, ViAddr value) {
  if (var != nullptr) static_cast<ThreadSlot*>(var)->Set(value);
}

ZOR_EXPORT void ZorThreadVar_GetValueViAddr(ViAddr var, ViAddr* value) {
  if (value == nullptr) return;
  *value = var != nullptr ? static_cast<ThreadSlot*>(var)->Get() : nullptr;
}

ZOR_EXPORT void ZorThreadVar_Dispose(ViAddr var) { delete static_cast<ThreadSlot*>(var); }

}  // extern "C"
