#include "core/session.h"

#include <new>

#include "core/engine_state.h"
#include "io/visa_binding.h"
#include "zorbase.h"

namespace zor {

SessionData::SessionData(ViSession vi) : handle(vi) {
  instrErrorQueue.Reserve(kInstrErrorQueueCapacity);
}

SessionData::~SessionData() {
  // Attributes go from the last to the first. Their invalidation lists need no pruning here:
  // every attribute that could name them goes too.
  while (!attributes.empty()) attributes.RemoveAt(attributes.count());
  attributeIds.Clear();
  coercionCursor = nullptr;
}

ViStatus LookupSession(ViSession vi, SessionData** data) noexcept {
  *data = nullptr;
  if (EngineUnloading()) return ZOR_ERROR_UNRECOVERABLE_FAILURE;
  ViAddr record = nullptr;
  const ViStatus status = ZorSession_GetDataPtr(vi, &record);
  if (status < VI_SUCCESS) return status;
  auto* candidate = static_cast<SessionData*>(record);
  if (!LiveSessionSet::Contains(candidate)) return ZOR_ERROR_INVALID_SESSION_HANDLE;
  *data = candidate;
  return VI_SUCCESS;
}

ViStatus AcquireSession(ViSession vi, SessionData** data) noexcept {
  *data = nullptr;
  if (EngineUnloading()) return ZOR_ERROR_UNRECOVERABLE_FAILURE;
  ViBoolean held = VI_FALSE;
  ViStatus status = ZorSession_Lock(vi, &held);
  if (status < VI_SUCCESS) return status;
  SessionData* record = nullptr;
  status = LookupSession(vi, &record);
  if (status >= VI_SUCCESS && record->linked()) {
    status = record->specificLockSession(record->specificDriverSession, nullptr);
  }
  if (status < VI_SUCCESS) {
    if (held != VI_FALSE) ZorSession_Unlock(vi, &held);
    return status;
  }
  *data = record;
  return VI_SUCCESS;  // warnings of these steps are not passed on
}

ViStatus ReleaseSession(ViSession vi, ViBoolean* callerHasLock, const SessionData* acquired) noexcept {
  SessionData* record = nullptr;
  ViStatus status = VI_SUCCESS;
  // The caller held the session throughout, so its record can only have gone if the operation
  // itself disposed of the session; a live record with the same handle is still the one.
  if (acquired != nullptr && !EngineUnloading() && LiveSessionSet::Contains(acquired) && acquired->handle == vi) {
    record = const_cast<SessionData*>(acquired);
  } else {
    status = LookupSession(vi, &record);
  }
  if (status >= VI_SUCCESS && record->linked()) {
    status = record->specificUnlockSession(record->specificDriverSession, nullptr);
  }
  const ViStatus unlocked = ZorSession_Unlock(vi, callerHasLock);
  return status >= VI_SUCCESS ? unlocked : status;
}

std::unique_ptr<SessionData> BuildSessionData(ViSession vi) noexcept {
  try {
    return std::make_unique<SessionData>(vi);
  } catch (...) {
    return nullptr;
  }
}

void PublishSessionData(const SessionData& data) { LiveSessionSet::Insert(&data); }

void DestroySessionData(std::unique_ptr<SessionData> data) noexcept {
  if (!data) return;
  LiveSessionSet::Erase(data.get());
  // The resource manager opened for ZOR_ATTR_VISA_RM_SESSION belongs to this record. Nothing
  // can be done about a close that fails, so its status is not looked at.
  if (data->visaRMSession != 0) visa::Close(data->visaRMSession);
  data.reset();
}

ViStatus NewEngineSession(ViSession* vi, PrepareSessionData prepare) noexcept {
  *vi = 0;
  ViSession handle = 0;
  ViStatus status = ZorSession_New(&handle);
  if (status < VI_SUCCESS) return status;
  std::unique_ptr<SessionData> data = BuildSessionData(handle);
  // Whatever stops the record from being completed, the caller hears one status: the record
  // could not be made.
  if (!data || (prepare != nullptr && prepare(*data) < VI_SUCCESS)) {
    DestroySessionData(std::move(data));
    ZorSession_Dispose(handle);
    return VI_ERROR_ALLOC;
  }
  try {
    PublishSessionData(*data);
  } catch (...) {
    ZorSession_Dispose(handle);
    return VI_ERROR_ALLOC;
  }
  status = ZorSession_SetDataPtr(handle, data.get());
  if (status < VI_SUCCESS) {
    DestroySessionData(std::move(data));
    ZorSession_Dispose(handle);
    return status;
  }
  data.release();  // hung on the handle; Zor_Dispose frees it
  *vi = handle;
  return VI_SUCCESS;
}

}  // namespace zor
