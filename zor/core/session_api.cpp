// Exported session functions: disposal, locking, validation, the need-to-check-status flag and
// the link to a specific driver's session.
#include <cstring>

#include "core/engine_state.h"
#include "core/session.h"
#include "errors/error_info.h"
#include "zorbase.h"

using namespace zor;

namespace {


}  // namespace

extern "C" {

ZOR_EXPORT ViStatus Zor_Dispose(ViSession vi) {
  if (vi == VI_NULL) return VI_SUCCESS;
  const ViStatus locked = ZorSession_Lock(vi, nullptr);
  if (locked < VI_SUCCESS) return locked;
  ViAddr record = nullptr;
  if (ZorSession_GetDataPtr(vi, &record) >= VI_SUCCESS && record != nullptr) {
    DestroySessionData(std::unique_ptr<SessionData>(static_cast<SessionData*>(record)));
    ZorSession_SetDataPtr(vi, nullptr);
  }
  ZorSession_Unlock(vi, nullptr);
  ZorSession_Dispose(vi);
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_ValidateSession(ViSession vi) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) ZorSession_ClearError(VI_NULL);
  return status < VI_SUCCESS ? status : VI_SUCCESS;
}

ZOR_EXPORT ViBoolean Zor_SessionIsAvailable(ViSession vi) {
  return ProbeKeepingThreadError([&] {
    SessionData* data = nullptr;
    return LookupSession(vi, &data) >= VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_LockSession(ViSession vi, ViBoolean* callerHasLock) {
  if (callerHasLock != nullptr && *callerHasLock != VI_FALSE) return VI_SUCCESS;
  SessionData* data = nullptr;
  const ViStatus status = AcquireSession(vi, &data);
  if (status < VI_SUCCESS) return RecordError(VI_NULL, status);
  if (callerHasLock != nullptr) *callerHasLock = VI_TRUE;
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_UnlockSession(ViSession vi, ViBoolean* callerHasLock) {
  if (EngineUnloading()) return ZOR_ERROR_UNRECOVERABLE_FAILURE;
  if (callerHasLock != nullptr && *callerHasLock == VI_FALSE) return VI_SUCCESS;
  const ViStatus status = ReleaseSession(vi, callerHasLock);
  if (status < VI_SUCCESS) return RecordError(VI_NULL, status);
  if (callerHasLock != nullptr) *callerHasLock = VI_FALSE;
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_LockSession_Class(ViSession vi, ViBoolean* callerHasLock) {
  const ViStatus status = ZorSession_Lock(vi, callerHasLock);
  return status < VI_SUCCESS ? RecordError(VI_NULL, status) : VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_UnlockSession_Class(ViSession vi, ViBoolean* callerHasLock) {
  if (EngineUnloading()) return ZOR_ERROR_UNRECOVERABLE_FAILURE;
  const ViStatus status = ZorSession_Unlock(vi, callerHasLock);
  return status < VI_SUCCESS ? RecordError(VI_NULL, status) : VI_SUCCESS;
}

ZOR_EXPORT ViBoolean Zor_NeedToCheckStatus(ViSession vi) {
  SessionData* data = nullptr;
  if (LookupSession(vi, &data) < VI_SUCCESS) return VI_FALSE;
  return data->needToCheckStatus;
}

ZOR_EXPORT ViStatus Zor_SetNeedToCheckStatus(ViSession vi, ViBoolean needToCheckStatus) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return RecordError(vi, status);
  data->needToCheckStatus = needToCheckStatus;
  return VI_SUCCESS;
}

ZOR_EXPORT ViSession Zor_SpecificDriverSession(ViSession vi) {
  SessionData* data = nullptr;
  if (LookupSession(vi, &data) < VI_SUCCESS) return VI_NULL;
  return data->specificDriverSession;
}

ZOR_EXPORT ViStatus Zor_SetSpecificDriverSession(ViSession vi, ViSession linkedVi) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return RecordError(vi, status);
  data->specificDriverSession = linkedVi;
  return VI_SUCCESS;
}

}  // extern "C"
