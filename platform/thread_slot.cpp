#include "platform/thread_slot.h"

namespace zor::platform {

ThreadSlot::ThreadSlot(Cleanup cleanup) { valid_ = pthread_key_create(&key_, cleanup) == 0; }

ThreadSlot::~ThreadSlot() {
  if (valid_) pthread_key_delete(key_);
}

}  // namespace zor::platform
