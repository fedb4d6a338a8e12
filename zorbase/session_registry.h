// The session handle registry.
//
// Handles are issued 1, 2, 3, ... and never reused. Each live handle has a SessionRecord
// (error record and the caller's data pointer) guarded by a SessionLock, a recursive lock that
// may outlive its record: threads waiting for a session that is disposed meanwhile wake up,
// see that the lock no longer has an owner and fail with 0xBFFA1190.
//
// Resolving a handle takes no global lock. Handles index a table of slots whose memory is
// never released; each slot carries the reference count of its session's lock. A reference
// can only be taken while the count is not zero, and once it drops to zero it stays there for
// good (the handle is never issued again), so the thread that drops it frees the lock object
// and no other thread can reach it afterwards. The registry lock serializes only issuing
// handles. Reading the data pointer takes a reference but not the session lock, so engine
// lookups never wait for (or take locks in a different order than) the thread holding it.
//
// Lock order: a session lock may be held while the registry lock is taken; never the reverse.
#pragma once

#include <atomic>
#include <cstdint>

#include "error_record.h"
#include "platform/recursive_lock.h"
#include "zorbase.h"

namespace zor::base {

struct SessionRecord {
  ErrorRecord error;
};

// Cache-line aligned so that the locks of two sessions used by two threads never share a line.
struct alignas(64) SessionLock {
  SessionLock();
  ~SessionLock();
  SessionLock(const SessionLock&) = delete;
  SessionLock& operator=(const SessionLock&) = delete;

  platform::RecursiveLock section;
  // Written under `section`; NULL once the session is disposed. Atomic because the data
  // pointer is read without entering the section.
  std::atomic<SessionRecord*> owner{nullptr};
  // The caller's data pointer. It lives here rather than in the record so that a reader
  // holding a reference can read it without the section: the lock outlives the record.
  std::atomic<ViAddr> dataPtr{nullptr};
  int depth = 0;  // levels the holding thread has entered; guarded by `section`

  void Enter() {
    section.Enter();
    ++depth;
  }
  void Leave() {
    --depth;
    section.Leave();
  }
};

// One operation's access to a live session: resolves the handle, takes a reference, enters
// the session lock and checks that the session still exists. Raises 0xBFFA1190 when it does
// not. The destructor leaves the lock once and drops the reference.
struct HandleSlot;

class SessionAccess {
 public:
  explicit SessionAccess(ViSession vi);
  ~SessionAccess();
  SessionAccess(const SessionAccess&) = delete;
  SessionAccess& operator=(const SessionAccess&) = delete;

  SessionRecord& record() const { return *lock_->owner.load(std::memory_order_relaxed); }
  SessionLock& lock() const { return *lock_; }

  // Drops the reference that a live session's record holds on its lock (disposal only).
  void DropOwnerReference() noexcept;

 private:
  HandleSlot* slot_;
  SessionLock* lock_;
};

// The data pointer of a live session, read without entering its lock, so that lookups never
// wait for a thread that holds the session. Raises 0xBFFA1190 for a handle that names none.
ViAddr PeekDataPtr(ViSession vi);

// Issues a new handle with an empty record. Raises on failure.
ViSession CreateSession();

// Disposes of a live session; waiters fail with 0xBFFA1190. Levels that the calling thread
// still holds on the session are released, so that no waiter can hang on them.
void DisposeSession(ViSession vi);

// For tests of lock lifetimes: the number of SessionLock objects that exist, and the reference
// count of one handle's lock (0 once the lock is gone or for a handle never issued).
std::int64_t LiveSessionLockCount() noexcept;
std::uint32_t SessionReferenceCount(ViSession vi) noexcept;

}  // namespace zor::base
