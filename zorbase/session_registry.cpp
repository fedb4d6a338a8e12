#include "session_registry.h"

#include <memory>
#include <mutex>

#include "base_status.h"

namespace zor::base {

struct HandleSlot {
  std::atomic<std::uint32_t> references{0};
  std::atomic<SessionLock*> lock{nullptr};
};

namespace {

constexpr std::uint32_t kSlotsPerChunk = 4096;
constexpr std::uint32_t kChunkCount = 65536;  // room for 2^28 handles in the life of a process
constexpr std::uint32_t kSlotsPerCacheLine = 64 / sizeof(HandleSlot);
static_assert(kSlotsPerChunk % kSlotsPerCacheLine == 0, "chunk must hold whole cache lines");

class Registry {
 public:
  Registry() : lockStatus_(lock_.valid() ? kSuccess : kCannotCreateLock) {}

  // The slot of `vi`, or nullptr when `vi` was never issued.
  HandleSlot* Find(ViSession vi) const noexcept {
    if (vi == 0 || vi / kSlotsPerChunk >= kChunkCount) return nullptr;
    HandleSlot* chunk = chunks_[vi / kSlotsPerChunk].load(std::memory_order_acquire);
    return chunk == nullptr ? nullptr : &chunk[SpreadIndex(vi % kSlotsPerChunk)];
  }

  ViSession Issue(SessionLock* lock) {
    if (lockStatus_ != kSuccess) Raise(lockStatus_);
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
    slot.lock.store(lock, std::memory_order_relaxed);
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
  ViSession lastHandle_ = 0;  // guarded by lock_
  std::unique_ptr<std::atomic<HandleSlot*>[]> chunks_{new std::atomic<HandleSlot*>[kChunkCount]()};
};

// Created at load and never destroyed: threads may use handles while the process exits.
Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}
[[maybe_unused]] const Registry& gCreatedAtLoad = TheRegistry();

std::atomic<std::int64_t> gLiveLocks{0};

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

void DropReference(HandleSlot& slot) noexcept {
  if (slot.references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    // The last reference of a disposed session: nobody can take a new one, so the lock goes.
    delete slot.lock.exchange(nullptr, std::memory_order_acq_rel);
  }
}

}  // namespace

SessionLock::SessionLock() { gLiveLocks.fetch_add(1, std::memory_order_relaxed); }
SessionLock::~SessionLock() { gLiveLocks.fetch_sub(1, std::memory_order_relaxed); }

SessionAccess::SessionAccess(ViSession vi) : slot_(TheRegistry().Find(vi)), lock_(nullptr) {
  if (slot_ == nullptr || !TryReference(*slot_)) Raise(kInvalidSession);
  SessionLock* lock = slot_->lock.load(std::memory_order_acquire);
  lock->Enter();
  if (lock->owner.load(std::memory_order_relaxed) == nullptr) {
    lock->Leave();
    DropReference(*slot_);
    Raise(kInvalidSession);
  }
  lock_ = lock;
}

SessionAccess::~SessionAccess() {
  lock_->Leave();
  DropReference(*slot_);
}

void SessionAccess::DropOwnerReference() noexcept {
  // The access itself still holds a reference, so this never reaches zero.
  slot_->references.fetch_sub(1, std::memory_order_acq_rel);
}

ViAddr PeekDataPtr(ViSession vi) {
  HandleSlot* slot = TheRegistry().Find(vi);
  if (slot == nullptr || !TryReference(*slot)) Raise(kInvalidSession);
  const SessionLock* lock = slot->lock.load(std::memory_order_acquire);
  const bool live = lock->owner.load(std::memory_order_acquire) != nullptr;
  const ViAddr data = lock->dataPtr.load(std::memory_order_acquire);
  DropReference(*slot);
  if (!live) Raise(kInvalidSession);
  return data;
}

ViSession CreateSession() {
  auto record = std::make_unique<SessionRecord>();
  auto lock = std::make_unique<SessionLock>();
  if (!lock->section.valid()) Raise(kCannotCreateLock);
  lock->owner.store(record.get(), std::memory_order_relaxed);
  const ViSession handle = TheRegistry().Issue(lock.get());
  // Both now belong to the registry; disposal frees them.
  lock.release();
  record.release();
  return handle;
}

void DisposeSession(ViSession vi) {
  SessionAccess access(vi);
  SessionLock& lock = access.lock();
  std::unique_ptr<SessionRecord> record(lock.owner.load(std::memory_order_relaxed));
  lock.owner.store(nullptr, std::memory_order_release);
  access.DropOwnerReference();
  // Levels this thread took with ZorSession_Lock and never released would block every waiter
  // forever; release them (the access keeps its own level until it ends).
  while (lock.depth > 1) lock.Leave();
}

std::int64_t LiveSessionLockCount() noexcept { return gLiveLocks.load(std::memory_order_relaxed); }

std::uint32_t SessionReferenceCount(ViSession vi) noexcept {
  const HandleSlot* slot = TheRegistry().Find(vi);
  return slot == nullptr ? 0 : slot->references.load(std::memory_order_acquire);
}

}  // namespace zor::base
