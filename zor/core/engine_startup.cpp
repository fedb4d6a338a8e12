#include "core/engine_startup.h"

#include "core/engine_state.h"
#include "memory/special_values.h"
#include "platform/dynamic_library.h"
#include "zorbase.h"

namespace zor {
namespace {

struct EngineStartup {
  ViAddr configStoreLock = nullptr;
  ViAddr liveSetLock = nullptr;
  ViAddr initAndGetErrorLock = nullptr;
  ViAddr threadSecondaryError = nullptr;
  bool started = false;

  EngineStartup() noexcept {
    // Taking the special values now fixes them before any caller can ask for one.
    (void)EngineNaN();
    (void)EnginePosInf();
    (void)EngineNegInf();
    started = ZorMultithreadLock_New(&configStoreLock) >= VI_SUCCESS &&
              ZorMultithreadLock_New(&liveSetLock) >= VI_SUCCESS &&
              ZorMultithreadLock_New(&initAndGetErrorLock) >= VI_SUCCESS &&
              ZorThreadVar_New(0, &threadSecondaryError) >= VI_SUCCESS;
    if (!started) {
      // Undo in the reverse order of creation; disposing of NULL does nothing.
      ZorThreadVar_Dispose(threadSecondaryError);
      ZorMultithreadLock_Dispose(initAndGetErrorLock);
      ZorMultithreadLock_Dispose(liveSetLock);
      ZorMultithreadLock_Dispose(configStoreLock);
      threadSecondaryError = initAndGetErrorLock = liveSetLock = configStoreLock = nullptr;
      MarkEngineUnloading();
    }
    // Drivers keep callbacks and function pointers into the engine after the last dlclose()
    // of their own; the engine therefore stays mapped until the process ends, whatever
    // happened above.
    platform::DynamicLibrary::PinLibraryContaining(reinterpret_cast<const void*>(&ConfigStoreLock));
  }
  // Nothing is released at detach: other threads may still be inside the engine.
};

// Never destroyed, for the same reason.
const EngineStartup& Startup() noexcept {
  static const EngineStartup* startup = new EngineStartup();
  return *startup;
}

// Runs the start-up while the library is loaded, before any export can be called.
[[maybe_unused]] const EngineStartup& gStartedAtLoad = Startup();

}  // namespace

ViAddr ConfigStoreLock() noexcept { return Startup().configStoreLock; }
ViAddr LiveSetLock() noexcept { return Startup().liveSetLock; }
ViAddr InitAndGetErrorLock() noexcept { return Startup().initAndGetErrorLock; }
ViAddr ThreadSecondaryErrorVar() noexcept { return Startup().threadSecondaryError; }
bool EngineStarted() noexcept { return Startup().started; }

MultithreadLockGuard::MultithreadLockGuard(ViAddr lock) noexcept : lock_(lock) {
  if (lock_ != nullptr) ZorMultithreadLock_Acquire(lock_);
}

MultithreadLockGuard::~MultithreadLockGuard() {
  if (lock_ != nullptr) ZorMultithreadLock_Release(lock_);
}

}  // namespace zor
