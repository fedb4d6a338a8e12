#include "platform/recursive_lock.h"

namespace zor::platform {

RecursiveLock::RecursiveLock() {
  pthread_mutexattr_t attributes;
  if (pthread_mutexattr_init(&attributes) != 0) return;
  if (pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE) == 0 &&
      pthread_mutex_init(&mutex_, &attributes) == 0) {
    valid_ = true;
  }
  pthread_mutexattr_destroy(&attributes);
}

RecursiveLock::~RecursiveLock() {
  if (valid_) pthread_mutex_destroy(&mutex_);
}

}  // namespace zor::platform
