#include "core/engine_state.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <unordered_set>

#include "platform/library_lifecycle.h"

namespace zor {
namespace {

std::atomic<bool> gUnloading{false};
const platform::DetachNotifier gDetach(&MarkEngineUnloading);

// The live set is asked on every engine call and changed only when sessions come and go, so
// membership tests read an open-addressing table of atomic slots without any lock or atomic
// read-modify-write: two threads working on two sessions never contend here. Changes are
// serialized by one leaf lock. Slots never return to empty (an erased record leaves a
// tombstone that a later insert may reuse), so a search may stop at the first empty slot.
// Records that find no slot within the probe limit go to an overflow set under the same lock.
class LiveTable {
 public:
  void Insert(const SessionData* record) {
    std::lock_guard<std::mutex> hold(changeLock_);
    const std::size_t start = Hash(record);
    for (std::size_t probe = 0; probe < kMaxProbes; ++probe) {
      std::atomic<const SessionData*>& slot = slots_[(start + probe) & kMask];
      const SessionData* held = slot.load(std::memory_order_relaxed);
      if (held == nullptr || held == Tombstone()) {
        slot.store(record, std::memory_order_release);
        return;
      }
    }
    overflow_.insert(record);
    overflowCount_.fetch_add(1, std::memory_order_release);
  }

  void Erase(const SessionData* record) noexcept {
    std::lock_guard<std::mutex> hold(changeLock_);
    const std::size_t start = Hash(record);
    for (std::size_t probe = 0; probe < kMaxProbes; ++probe) {
      std::atomic<const SessionData*>& slot = slots_[(start + probe) & kMask];
      const SessionData* held = slot.load(std::memory_order_relaxed);
      if (held == record) {
        slot.store(Tombstone(), std::memory_order_release);
        return;
      }
      if (held == nullptr) break;
    }
    if (overflow_.erase(record) != 0) overflowCount_.fetch_sub(1, std::memory_order_release);
  }

  bool Contains(const SessionData* record) noexcept {
    const std::size_t start = Hash(record);
    for (std::size_t probe = 0; probe < kMaxProbes; ++probe) {
      const SessionData* held = slots_[(start + probe) & kMask].load(std::memory_order_acquire);
      if (held == record) return true;
      if (held == nullptr) break;
    }
    if (overflowCount_.load(std::memory_order_acquire) == 0) return false;
    std::lock_guard<std::mutex> hold(changeLock_);
    return overflow_.count(record) != 0;
  }

 private:
  static constexpr std::size_t kSlotCount = 4096;  // a power of two
  static constexpr std::size_t kMask = kSlotCount - 1;
  static constexpr std::size_t kMaxProbes = 64;

  static const SessionData* Tombstone() noexcept { return reinterpret_cast<const SessionData*>(1); }
  static std::size_t Hash(const SessionData* record) noexcept {
    const auto bits = reinterpret_cast<std::uintptr_t>(record);
    return static_cast<std::size_t>((bits >> 4) * 0x9E3779B97F4A7C15ULL >> 40);
  }

  std::atomic<const SessionData*> slots_[kSlotCount] = {};
  std::mutex changeLock_;  // leaf: nothing else is taken while it is held
  std::unordered_set<const SessionData*> overflow_;
  std::atomic<std::size_t> overflowCount_{0};
};

// Never destroyed: sessions may still be looked up while the process exits.
LiveTable& Live() {
  static LiveTable* table = new LiveTable;
  return *table;
}
[[maybe_unused]] LiveTable& gCreatedAtLoad = Live();

}  // namespace

bool EngineUnloading() noexcept { return gUnloading.load(std::memory_order_acquire); }
void MarkEngineUnloading() noexcept { gUnloading.store(true, std::memory_order_release); }

void LiveSessionSet::Insert(const SessionData* record) { Live().Insert(record); }

void LiveSessionSet::Erase(const SessionData* record) noexcept { Live().Erase(record); }

bool LiveSessionSet::Contains(const SessionData* record) noexcept {
  return record != nullptr && Live().Contains(record);
}

}  // namespace zor
