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

constexpr std::size_t kShardCount = 64;

struct alignas(64) Shard {
  std::mutex lock;  // leaf: nothing else is taken while it is held
  std::unordered_set<const SessionData*> records;
};

// Never destroyed: sessions may still be looked up while the process exits.
Shard* Shards() {
  static Shard* shards = new Shard[kShardCount];
  return shards;
}
[[maybe_unused]] Shard* const gCreatedAtLoad = Shards();

Shard& ShardOf(const SessionData* record) noexcept {
  const auto bits = reinterpret_cast<std::uintptr_t>(record);
  return Shards()[(bits >> 6) * 0x9E3779B97F4A7C15ULL >> 58];
}

}  // namespace

bool EngineUnloading() noexcept { return gUnloading.load(std::memory_order_acquire); }
void MarkEngineUnloading() noexcept { gUnloading.store(true, std::memory_order_release); }

void LiveSessionSet::Insert(const SessionData* record) {
  Shard& shard = ShardOf(record);
  std::lock_guard<std::mutex> hold(shard.lock);
  shard.records.insert(record);
}

void LiveSessionSet::Erase(const SessionData* record) noexcept {
  Shard& shard = ShardOf(record);
  std::lock_guard<std::mutex> hold(shard.lock);
  shard.records.erase(record);
}

bool LiveSessionSet::Contains(const SessionData* record) noexcept {
  if (record == nullptr) return false;
  Shard& shard = ShardOf(record);
  std::lock_guard<std::mutex> hold(shard.lock);
  return shard.records.count(record) != 0;
}

}  // namespace zor
