// Thread-local slots: one pointer-sized value per thread, NULL in every thread until that
// thread stores one. An optional cleanup function runs at thread exit for each thread whose
// value is not NULL (it does not run for the process's main thread at exit, nor when the slot
// is freed).
#pragma once

#include <pthread.h>

namespace zor::platform {

class ThreadSlot {
 public:
  using Cleanup = void (*)(void* value);

  explicit ThreadSlot(Cleanup cleanup = nullptr);
  ~ThreadSlot();
  ThreadSlot(const ThreadSlot&) = delete;
  ThreadSlot& operator=(const ThreadSlot&) = delete;

  // False when the system had no slot left; Get then yields NULL and Set does nothing.
  bool valid() const { return valid_; }

  void* Get() const { return valid_ ? pthread_getspecific(key_) : nullptr; }
  bool Set(void* value) const { return valid_ && pthread_setspecific(key_, value) == 0; }

 private:
  pthread_key_t key_{};
  bool valid_ = false;
};

}  // namespace zor::platform
