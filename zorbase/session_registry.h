// The session handle registry.
//
// Handles are issued 1, 2, 3, ... and never reused. Each live handle has a SessionRecord (its
// error record) and a SessionLock, a recursive lock that may outlive its record: threads
// waiting for a session that is disposed meanwhile wake up, see that the lock no longer has an
// owner and fail with 0xBFFA1190.
//
// Resolving a handle takes no global lock. Handles index a table of slots whose memory is
// never released; each slot carries the reference count of its session's lock. A reference
// can only be taken while the count is not zero, and once it drops to zero it stays there for
// good (the handle is never issued again). The thread that drops it returns the lock object to
// a pool from which later sessions take theirs: lock objects are never given back to the
// system, so a thread may read the fields of one it holds no reference to and tell from its
// handle whether it still belongs to the session it asked about. That is how the data pointer
// is read, and how a holder releases a level, without touching the reference count.
//
// Operations that wait for the lock hold a reference while they wait; a level taken with
// ZorSession_Lock keeps its reference until ZorSession_Unlock, so a held lock object is never
// recycled. The registry lock serializes only issuing handles and the pool.
//
// Lock order: a session lock may be held while the registry lock is taken; never the reverse.
#pragma once

#include <pthread.h>

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
  platform::RecursiveLock section;
  // The handle the lock serves, 0 while it waits in the pool.
  std::atomic<ViSession> handle{0};
  // Written under `section`; NULL once the session is disposed.
  std::atomic<SessionRecord*> owner{nullptr};
  std::atomic<ViAddr> dataPtr{nullptr};
  // The thread holding `section`, so that a thread can tell it holds the lock without
  // entering it. Written only by the holder.
  std::atomic<pthread_t> holder{};
  int depth = 0;  // levels the holder has entered; touched only by the holder

  void Enter() noexcept;
  void Leave() noexcept;
  bool HeldByCaller() const noexcept;
};

struct HandleSlot;

// One operation's access to a live session: resolves the handle, takes a reference, enters
// the session lock and checks that the session still exists. Raises 0xBFFA1190 when it does
// not. The destructor leaves the lock once and drops the reference.
class SessionAccess {
 public:
  explicit SessionAccess(ViSession vi);
  ~SessionAccess();
  SessionAccess(const SessionAccess&) = delete;
  SessionAccess& operator=(const SessionAccess&) = delete;

  SessionRecord& record() const { return *lock_->owner.load(std::memory_order_relaxed); }
  SessionLock& lock() const { return *lock_; }

 private:
  friend void DisposeSession(ViSession vi);
  HandleSlot* slot_;
  SessionLock* lock_;
};

// Issues a new handle with an empty record. Raises on failure.
ViSession CreateSession();

// Disposes of a live session; waiters fail with 0xBFFA1190. Levels that the calling thread
// still holds on the session are released, so that no waiter can hang on them.
void DisposeSession(ViSession vi);

// Takes one more level of the session lock for the caller, kept until ReleaseLevel.
void TakeLevel(ViSession vi);
// Gives back a level taken with TakeLevel. Raises 0xBFFA1190 for a handle that names no
// session and 0xBFFA0000 when the caller holds no such level.
void ReleaseLevel(ViSession vi);

// The data pointer of a live session, read without entering its lock or taking a reference,
// so that lookups never wait for the thread that holds the session. Raises 0xBFFA1190.
ViAddr PeekDataPtr(ViSession vi);

// For tests of lock lifetimes: the number of SessionLock objects in use (not in the pool), and
// the reference count of one handle's lock (0 once the lock is gone or for a handle never
// issued).
std::int64_t LiveSessionLockCount() noexcept;
std::uint32_t SessionReferenceCount(ViSession vi) noexcept;

}  // namespace zor::base
