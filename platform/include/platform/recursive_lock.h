// A recursive mutual-exclusion lock: the owning thread may enter it again, and must leave it
// as many times as it entered.
#pragma once

#include <pthread.h>

namespace zor::platform {

class RecursiveLock {
 public:
  RecursiveLock();
  ~RecursiveLock();
  RecursiveLock(const RecursiveLock&) = delete;
  RecursiveLock& operator=(const RecursiveLock&) = delete;

  // False when the system could not create the lock; such a lock must not be entered.
  bool valid() const { return valid_; }

  void Enter() { pthread_mutex_lock(&mutex_); }
  void Leave() { pthread_mutex_unlock(&mutex_); }

  // Names that let std::lock_guard / std::unique_lock manage the lock.
  void lock() { Enter(); }
  void unlock() { Leave(); }

 private:
  pthread_mutex_t mutex_;
  bool valid_ = false;
};

}  // namespace zor::platform
