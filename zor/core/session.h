// SessionData: what the engine keeps per session, and the three steps through which every
// engine function reaches it: AcquireSession (the session lock, then the record, then the
// linked specific session's lock), ReleaseSession (the reverse) and LookupSession (the record,
// without locking). SessionGuard pairs the first two for an exported function.
//
// Lock order: the class session's lock, then the linked specific session's lock (through the
// specific driver's own LockSession); released in reverse. The live-set locks are leaves.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>

#include "core/attribute.h"
#include "core/ordered_array.h"
#include "driver/driver_binding.h"
#include "driver/driver_module.h"
#include "interchange/interchange_records.h"
#include "repcap/repcap.h"
#include "zor.h"

namespace zor {

using SessionLockFunction = driver_module::LockSessionFunction;

// Memory blocks a driver allocated on its session; whatever is left is freed with it.
class MemoryBlocks {
 public:
  MemoryBlocks() = default;
  ~MemoryBlocks() { FreeAll(); }
  MemoryBlocks(const MemoryBlocks&) = delete;
  MemoryBlocks& operator=(const MemoryBlocks&) = delete;

  OrderedArray<void*>& blocks() noexcept { return blocks_; }
  void FreeAll() noexcept {
    for (void* block : blocks_) std::free(block);
    blocks_.Clear();
  }

 private:
  OrderedArray<void*> blocks_;
};

struct QueuedInstrError {
  ViInt32 code = 0;
  char message[256] = {};
};

constexpr ViInt32 kInstrErrorQueueCapacity = 10;

struct SessionData {
  explicit SessionData(ViSession vi);
  ~SessionData();
  SessionData(const SessionData&) = delete;
  SessionData& operator=(const SessionData&) = delete;

  ViSession handle;
  std::unique_ptr<MemoryBlocks> memoryBlocks;                    // created on first use
  OrderedArray<std::unique_ptr<AttributeRecord>> attributes;      // ascending id
  // The ids of `attributes`, position for position: lookups search this compact array so that
  // a search touches no record until it has found one.
  OrderedArray<ViAttr> attributeIds;
  OrderedArray<InterchangeWarning> interchangeWarnings;
  ZorOPCCallback opcCallback = nullptr;
  ZorCheckStatusCallback checkStatusCallback = nullptr;
  ZorUserInterchangeCheckCallback userInterchangeCheckCallback = nullptr;
  ViSession visaRMSession = 0;
  ViSession ioSession = 0;
  ViBoolean cacheEnabled = VI_TRUE;
  ViBoolean rangeCheckEnabled = VI_TRUE;
  ViBoolean queryInstrStatus = VI_FALSE;
  ViBoolean simulate = VI_FALSE;
  ViBoolean useSpecificSimulation = VI_TRUE;
  ViBoolean simulateFixed = VI_FALSE;
  ViBoolean spy = VI_TRUE;
  ViBoolean recordCoercions = VI_FALSE;
  ViBoolean interchangeCheck = VI_FALSE;
  std::string simulationSetup;
  ViStatus secondaryError = 0;
  AttributeRecord* coercionCursor = nullptr;
  VirtualNameMap virtualNames;
  RepCapSet repCapTables;
  std::unique_ptr<DriverBinding> driverBinding;
  ViSession specificDriverSession = 0;
  SessionLockFunction specificLockSession = nullptr;
  SessionLockFunction specificUnlockSession = nullptr;
  std::unique_ptr<DriverBinding> simulationBinding;
  ViSession simulationSession = 0;
  ViBoolean simulationLoadTried = VI_FALSE;
  OrderedArray<QueuedInstrError> instrErrorQueue;
  ViBoolean creationComplete = VI_FALSE;
  ViBoolean needToCheckStatus = VI_TRUE;

  bool linked() const noexcept {
    return specificDriverSession != 0 && specificLockSession != nullptr &&
           specificUnlockSession != nullptr;
  }
};

// Follows specific-driver links without looping: a link back to a session already visited
// ends the chain there.
class SessionLinkWalk {
 public:
  explicit SessionLinkWalk(const SessionData* start) noexcept { visited_[count_++] = start; }
  // Records `next`; false when it was visited before (or the chain is absurdly long).
  bool Visit(const SessionData* next) noexcept {
    for (int i = 0; i < count_; ++i) {
      if (visited_[i] == next) return false;
    }
    if (count_ == kMaxChain) return false;
    visited_[count_++] = next;
    return true;
  }

 private:
  static constexpr int kMaxChain = 32;
  const SessionData* visited_[kMaxChain] = {};
  int count_ = 0;
};

// The record hung on `vi`, if it is live. No lock is taken.
ViStatus LookupSession(ViSession vi, SessionData** data) noexcept;

// Locks `vi` (and its linked specific session) and gives its record.
ViStatus AcquireSession(ViSession vi, SessionData** data) noexcept;
// Gives back what AcquireSession (or Zor_LockSession) took. `acquired` is the record the
// acquisition gave, when the caller still has it: if it is still the live record of `vi`, the
// handle need not be resolved again.
ViStatus ReleaseSession(ViSession vi, ViBoolean* callerHasLock = nullptr,
                        const SessionData* acquired = nullptr) noexcept;

// Acquires in the constructor, releases in the destructor when the acquisition succeeded.
class SessionGuard {
 public:
  explicit SessionGuard(ViSession vi) noexcept : vi_(vi) { status_ = AcquireSession(vi, &data_); }
  ~SessionGuard() { Release(); }
  SessionGuard(const SessionGuard&) = delete;
  SessionGuard& operator=(const SessionGuard&) = delete;

  bool acquired() const noexcept { return status_ >= VI_SUCCESS; }
  ViStatus status() const noexcept { return status_; }
  SessionData& data() const noexcept { return *data_; }
  ViSession vi() const noexcept { return vi_; }

  // Releases now; returns ReleaseSession's status (0 when nothing was held).
  ViStatus Release() noexcept {
    if (!acquired() || released_) return VI_SUCCESS;
    released_ = true;
    return ReleaseSession(vi_, nullptr, data_);
  }

 private:
  ViSession vi_;
  SessionData* data_ = nullptr;
  ViStatus status_;
  bool released_ = false;
};

// Session lifecycle steps shared by every creation path.
// Builds the record for `vi`; nullptr when memory ran out.
std::unique_ptr<SessionData> BuildSessionData(ViSession vi) noexcept;
// Enters the record in the live set. Throws std::bad_alloc.
void PublishSessionData(const SessionData& data);
// Takes the record out of the live set and frees it with everything it owns.
void DestroySessionData(std::unique_ptr<SessionData> data) noexcept;

// Fills a record before it is published (nobody else can reach it yet).
using PrepareSessionData = ViStatus (*)(SessionData& data);

// Issues a handle, builds its record, lets `prepare` (when given) fill it, publishes it and
// hangs it on the handle. Session creation builds on this; tests use it without `prepare` to
// open bare sessions. On failure nothing is left; a record that could not be built or
// prepared gives VI_ERROR_ALLOC.
ViStatus NewEngineSession(ViSession* vi, PrepareSessionData prepare = nullptr) noexcept;

}  // namespace zor
