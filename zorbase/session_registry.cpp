#include "session_registry.h"

#include <memory>
#include <mutex>
#include <vector>

#include "base_status.h"

namespace zor::base {

struct HandleSlot {
  std::atomic<std::uint32_t> references{0};
  std::atomic<SessionLock*> lock{nullptr};
};

void SessionLock::Enter() noexcept {
  section.Enter();
  if (depth++ == 0) holder.store(pthread_self(), std::memory_order_relaxed);
}

void SessionLock::Leave() noexcept {
  if (--depth == 0) holder.store(pthread_t{}, std::memory_order_relaxed);
  section.Leave();
}

bool SessionLock::HeldByCaller() const noexcept {
  // Only the holder ever stores its own id here, so no other thread can read its id back.
  return pthread_equal(holder.load(std::memory_order_relaxed), pthread_self()) != 0;
}

namespace {

constexpr std::uint32_t kSlotsPerChunk = 4096;
constexpr std::uint32_t kChunkCount = 65536;  // room for 2^28 handles in the life of a process
constexpr std::uint32_t kSlotsPerCacheLine = 64 / sizeof(HandleSlot);
static_assert(kSlotsPerChunk % kSlotsPerCacheLine == 0, "chunk must hold whole cache lines");

std::atomic<std::int64_t> gLocksInUse{0};

class Registry {
 public:
  Registry() : lockStatus_(lock_.valid() ? kSuccess : kCannotCreateLock) {}

  // The slot of `vi`, or nullptr when `vi` was never issued.
  HandleSlot* Find(ViSession vi) const noexcept {
    if (vi == 0 || vi / kSlotsPerChunk >= kChunkCount) return nullptr;
    HandleSlot* chunk = chunks_[vi / kSlotsPerChunk].load(std::memory_order_acquire);
    return chunk == nullptr ? nullptr : &chunk[SpreadIndex(vi % kSlotsPerChunk)];
  }

  // A lock object for a new session: one from the pool, or a new one.
  SessionLock* TakeLock() {
    if (lockStatus_ != kSuccess) Raise(lockStatus_);
    {
      std::lock_guard<platform::RecursiveLock> hold(lock_);
      if (!pool_.empty()) {
        SessionLock* lock = pool_.back();
        pool_.pop_back();
        gLocksInUse.fetch_add(1, std::memory_order_relaxed);
        return lock;
      }
      pool_.reserve(pool_.size() + 1);  // so that returning this lock later cannot fail
    }
    auto lock = std::make_unique<SessionLock>();
    if (!lock->section.valid()) Raise(kCannotCreateLock);
    gLocksInUse.fetch_add(1, std::memory_order_relaxed);
    return lock.release();
  }

  // Puts a lock whose last reference is gone back into the pool.
  void ReturnLock(SessionLock* lock) noexcept {
    // The handle goes first: a reader that still sees the old handle afterwards also sees the
    // old data pointer (the stores below are releases).
    lock->handle.store(0, std::memory_order_release);
    lock->owner.store(nullptr, std::memory_order_release);
    lock->dataPtr.store(nullptr, std::memory_order_release);
    gLocksInUse.fetch_sub(1, std::memory_order_relaxed);
    std::lock_guard<platform::RecursiveLock> hold(lock_);
    pool_.push_back(lock);  // room was reserved when the lock was made
  }

  ViSession Issue(SessionLock* lock) {
    std::lock_guard<platform::RecursiveLock> hold(lock_);
    const std::uint64_t next = static_cast<std::uint64_t>(lastHandle_) + 1;
    if (next >= static_cast<std::uint64_t>(kSlotsPerChunk) * kChunkCount) Raise(kOutOfMemory);
    const auto handle = static_cast<ViSession>(next);
    std::atomic<HandleSlot*>& chunk = chunks_[handle / kSlotsPerChunk];
    if (chunk.load(std::memory_order_relaxed) == nullptr) {
      chunk.store(new HandleSlot[kSlotsPerChunk], std::memory_order_release);
    }
    HandleSlot& slot = chunk.load(std::memory_order_relaxed)[SpreadIndex(handle % kSlotsPerChunk)];
    lastHandle_ = handle;
    lock->handle.store(handle, std::memory_order_release);
    slot.lock.store(lock, std::memory_order_release);
    slot.references.store(1, std::memory_order_release);  // the record's own reference
    return handle;
  }

 private:
  // Consecutive handles land on different cache lines, so two threads working on two sessions
  // created one after the other do not contend for one line.
  static std::uint32_t SpreadIndex(std::uint32_t index) noexcept {
    constexpr std::uint32_t kLines = kSlotsPerChunk / kSlotsPerCacheLine;
    return (index % kSlotsPerCacheLine) * kLines + index / kSlotsPerCacheLine;
  }

  platform::RecursiveLock lock_;
  const ViStatus lockStatus_;
  ViSession lastHandle_ = 0;            // guarded by lock_
  std::vector<SessionLock*> pool_;      // guarded by lock_
  std::unique_ptr<std::atomic<HandleSlot*>[]> chunks_{new std::atomic<HandleSlot*>[kChunkCount]()};
};

// Created at load and never destroyed: threads may use handles while the process exits.
Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}
[[maybe_unused]] const Registry& gCreatedAtLoad = TheRegistry();

// Takes a reference if the count is not zero. Zero means the session is gone for good.
bool TryReference(HandleSlot& slot) noexcept {
  std::uint32_t count = slot.references.load(std::memory_order_relaxed);
  while (count != 0) {
    if (slot.references.compare_exchange_weak(count, count + 1, std::memory_order_acquire,
                                              std::memory_order_relaxed)) {
      return true;
    }
  }
  return false;
}

void DropReferences(HandleSlot& slot, std::uint32_t count) noexcept {
  if (slot.references.fetch_sub(count, std::memory_order_acq_rel) == count) {
    // The last reference of a disposed session: nobody can take a new one, so the lock goes.
    TheRegistry().ReturnLock(slot.lock.exchange(nullptr, std::memory_order_acq_rel));
  }
}

// Takes a reference and enters the lock of a live session, or raises 0xBFFA1190.
SessionLock* EnterLive(ViSession vi, HandleSlot** slotOut) {
  HandleSlot* slot = TheRegistry().Find(vi);
  if (slot == nullptr || !TryReference(*slot)) Raise(kInvalidSession);
  SessionLock* lock = slot->lock.load(std::memory_order_acquire);
  lock->Enter();
  if (lock->owner.load(std::memory_order_relaxed) == nullptr) {  // disposed while we waited
    lock->Leave();
    DropReferences(*slot, 1);
    Raise(kInvalidSession);
  }
  *slotOut = slot;
  return lock;
}

}  // namespace

SessionAccess::SessionAccess(ViSession vi) : slot_(nullptr), lock_(EnterLive(vi, &slot_)) {}

SessionAccess::~SessionAccess() {
  lock_->Leave();
  DropReferences(*slot_, 1);
}

ViSession CreateSession() {
  auto record = std::make_unique<SessionRecord>();
  SessionLock* lock = TheRegistry().TakeLock();
  // Releases: a reader of these values also sees that the lock's previous handle is gone.
  lock->owner.store(record.get(), std::memory_order_release);
  lock->dataPtr.store(nullptr, std::memory_order_release);
  ViSession handle = 0;
  try {
    handle = TheRegistry().Issue(lock);
  } catch (...) {
    TheRegistry().ReturnLock(lock);
    throw;
  }
  record.release();  // belongs to the registry now; disposal frees it
  return handle;
}

void DisposeSession(ViSession vi) {
  SessionAccess access(vi);
  SessionLock& lock = access.lock();
  std::unique_ptr<SessionRecord> record(lock.owner.load(std::memory_order_relaxed));
  lock.owner.store(nullptr, std::memory_order_release);
  // Levels this thread took with ZorSession_Lock and never released would block every waiter
  // forever; release them with their references. The access keeps its own level until it ends.
  const auto heldLevels = static_cast<std::uint32_t>(lock.depth - 1);
  for (std::uint32_t i = 0; i < heldLevels; ++i) lock.Leave();
  // The record's own reference and the levels' go; the access still holds one, so the lock
  // object stays until the access ends (or the last waiter leaves).
  access.slot_->references.fetch_sub(1 + heldLevels, std::memory_order_acq_rel);
}

void TakeLevel(ViSession vi) {
  HandleSlot* slot = nullptr;
  EnterLive(vi, &slot);  // the reference stays with the level until ReleaseLevel
}

void ReleaseLevel(ViSession vi) {
  HandleSlot* slot = TheRegistry().Find(vi);
  SessionLock* lock = slot == nullptr ? nullptr : slot->lock.load(std::memory_order_acquire);
  // Lock objects are never freed, so reading one the caller may not hold is safe; its handle
  // tells whether it still serves `vi`.
  if (lock == nullptr || lock->handle.load(std::memory_order_acquire) != vi ||
      lock->owner.load(std::memory_order_acquire) == nullptr) {
    Raise(kInvalidSession);
  }
  // Leaving a lock the caller does not hold would release another thread's level.
  if (!lock->HeldByCaller()) Raise(kUnrecoverable);
  lock->Leave();
  DropReferences(*slot, 1);
}

ViAddr PeekDataPtr(ViSession vi) {
  HandleSlot* slot = TheRegistry().Find(vi);
  const SessionLock* lock = slot == nullptr ? nullptr : slot->lock.load(std::memory_order_acquire);
  if (lock == nullptr || lock->handle.load(std::memory_order_acquire) != vi) Raise(kInvalidSession);
  // Acquire loads: a value stored for a later session was stored after the handle was cleared,
  // so having read one, the check of the handle below cannot see `vi` any more.
  const bool live = lock->owner.load(std::memory_order_acquire) != nullptr;
  const ViAddr data = lock->dataPtr.load(std::memory_order_acquire);
  // Recycled for another session meanwhile: the pointer read may be the new session's.
  if (!live || lock->handle.load(std::memory_order_acquire) != vi) Raise(kInvalidSession);
  return data;
}

std::int64_t LiveSessionLockCount() noexcept { return gLocksInUse.load(std::memory_order_relaxed); }

std::uint32_t SessionReferenceCount(ViSession vi) noexcept {
  const HandleSlot* slot = TheRegistry().Find(vi);
  return slot == nullptr ? 0 : slot->references.load(std::memory_order_acquire);
}

}  // namespace zor::base
