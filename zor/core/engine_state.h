// Process-wide state of the engine: the unloading flag and the set of live session records.
//
// The live set answers one question on every engine call: does this data pointer still name a
// fully built SessionData? It is sharded by address, each shard behind its own leaf lock, so
// that threads working on different sessions do not contend on one lock.
#pragma once

namespace zor {

struct SessionData;

// True once the process has begun detaching the engine library.
bool EngineUnloading() noexcept;
void MarkEngineUnloading() noexcept;

class LiveSessionSet {
 public:
  // Throws std::bad_alloc when the set cannot grow.
  static void Insert(const SessionData* record);
  static void Erase(const SessionData* record) noexcept;
  static bool Contains(const SessionData* record) noexcept;
};

}  // namespace zor
