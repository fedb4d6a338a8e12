// Error information per session and per thread: a primary status, a secondary status and an
// elaboration. Primary and elaboration live in the support library's error records; the
// secondary lives in SessionData (per session) and in a thread-local value (per thread).
#include "errors/error_info.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/session.h"
#include "core/engine_state.h"
#include "core/text.h"
#include "zorbase.h"

namespace zor {
namespace {

thread_local ViStatus tThreadSecondary = 0;

constexpr std::size_t kElaborationSize = 256;  // what Zor_GetErrorInfo hands out, NUL included

struct Stored {
  ViStatus primary;
  ViStatus secondary;
  bool elaborationEmpty;
};

struct Decision {
  bool primary;
  bool secondary;
  bool elaboration;
};

// The store rule: the first error stays; an error replaces a warning; a call whose primary is
// 0 or the stored one only fills in what is still empty.
Decision Decide(const Stored& stored, ViStatus p, bool overwrite) {
  Decision d{};
  d.primary = p != stored.primary &&
              (overwrite || stored.primary == 0 || (stored.primary > 0 && p < 0));
  const bool sameOrNone = p == 0 || p == stored.primary;
  d.secondary = overwrite || d.primary || (stored.secondary == 0 && sameOrNone);
  d.elaboration = overwrite || d.primary || (stored.elaborationEmpty && sameOrNone);
  return d;
}

ViStatus StoreInThread(bool overwrite, ViStatus p, ViStatus s, const char* e) {
  ViStatus primary = 0;
  ViStatus status = ZorThreadError_GetErrorCode(&primary);
  if (status < VI_SUCCESS) return status;
  ViConstString elaboration = nullptr;
  status = ZorThreadError_GetErrorDescription(&elaboration);
  if (status < VI_SUCCESS) return status;
  const Decision d = Decide({primary, tThreadSecondary, elaboration[0] == '\0'}, p, overwrite);
  if (d.primary && (status = ZorThreadError_SetErrorCode(p)) < VI_SUCCESS) return status;
  // A stored error secondary is never replaced, not even when overwriting.
  if (d.secondary && (tThreadSecondary == 0 || (tThreadSecondary > 0 && s < 0))) {
    tThreadSecondary = s;
  }
  if (d.elaboration && (status = ZorThreadError_SetErrorDescription(e)) < VI_SUCCESS) return status;
  return VI_SUCCESS;
}

ViStatus StoreInSession(ViSession vi, SessionData& data, bool overwrite, ViStatus p, ViStatus s,
                        const char* e) {
  ViStatus primary = 0;
  ViStatus status = ZorSessionError_GetErrorCode(vi, &primary);
  if (status < VI_SUCCESS) return status;
  ViConstString elaboration = nullptr;
  status = ZorSessionError_GetErrorDescription(vi, &elaboration);
  if (status < VI_SUCCESS) return status;
  const Decision d = Decide({primary, data.secondaryError, elaboration[0] == '\0'}, p, overwrite);
  if (d.primary && (status = ZorSessionError_SetErrorCode(vi, p)) < VI_SUCCESS) return status;
  if (d.secondary) data.secondaryError = s;
  if (d.elaboration && (status = ZorSessionError_SetErrorDescription(vi, e != nullptr ? e : "")) < VI_SUCCESS) {
    return status;
  }
  return VI_SUCCESS;
}

}  // namespace

namespace detail {

SavedThreadError::SavedThreadError() noexcept {
  saved_ = ZorSession_GetError(VI_NULL, static_cast<ViInt32>(sizeof text_), &code_, text_) >= VI_SUCCESS;
}

void SavedThreadError::Restore() const noexcept {
  ZorSession_ClearError(VI_NULL);
  ZorSession_SetError(VI_NULL, code_, text_);
}

}  // namespace detail

ViStatus ThreadSecondaryError() noexcept { return tThreadSecondary; }
void SetThreadSecondaryError(ViStatus status) noexcept { tThreadSecondary = status; }

ViStatus RecordError(ViSession vi, ViStatus status, const char* elaboration,
                     ViStatus secondary) noexcept {
  Zor_SetErrorInfo(vi, VI_FALSE, status, secondary, elaboration);
  return status;
}

ViStatus SetAttributeErrorInfo(ViSession vi, ViStatus status, ViAttr attributeId,
                               const char* repCapName) noexcept {
  char elaboration[kElaborationSize] = "";
  if (attributeId != kNoAttribute) {
    char name[128] = "";
    const ViStatus found = Zor_GetAttributeName(vi, attributeId, name, sizeof name);
    if (found < VI_SUCCESS) return found;
    std::snprintf(elaboration, sizeof elaboration, "Attribute: %s", name);
  }
  if (repCapName != nullptr && !text::IsBlank(repCapName)) {
    std::size_t used = std::strlen(elaboration);
    // Cut so that the whole elaboration fits 255 characters.
    std::snprintf(elaboration + used, sizeof elaboration - used, "%sChannel: %s",
                  used > 0 ? ", " : "", repCapName);
  }
  const ViStatus recorded = Zor_SetErrorInfo(vi, VI_FALSE, status, 0, elaboration);
  return recorded < VI_SUCCESS ? recorded : VI_SUCCESS;
}

}  // namespace zor

using namespace zor;

extern "C" {

ZOR_EXPORT ViStatus Zor_SetErrorInfo(ViSession vi, ViBoolean overwrite, ViStatus primaryError,
                                     ViStatus secondaryError, ViConstString errorElaboration) {
  if (EngineUnloading()) return ZOR_ERROR_UNRECOVERABLE_FAILURE;
  const bool force = overwrite != VI_FALSE;
  ViStatus status = StoreInThread(force, primaryError, secondaryError, errorElaboration);
  if (status < VI_SUCCESS || vi == VI_NULL) return status;
  SessionGuard guard(vi);
  if (!guard.acquired()) return guard.status();
  status = StoreInSession(vi, guard.data(), force, primaryError, secondaryError, errorElaboration);
  const ViStatus released = guard.Release();
  if (status < VI_SUCCESS) return status;
  return released < VI_SUCCESS ? released : VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_GetErrorInfo(ViSession vi, ViStatus* primaryError,
                                     ViStatus* secondaryError, ViChar errorElaboration[256]) {
  // Failures of the read are ignored: the caller gets what could be read (nothing at all for
  // a handle that names no session).
  ZorSession_GetError(vi, static_cast<ViInt32>(kElaborationSize), primaryError, errorElaboration);
  if (secondaryError != nullptr) {
    *secondaryError = 0;
    if (vi == VI_NULL) {
      *secondaryError = tThreadSecondary;
    } else {
      SessionGuard guard(vi);
      if (guard.acquired()) {
        *secondaryError = guard.data().secondaryError;
        guard.data().secondaryError = 0;
      }
    }
  }
  Zor_ClearErrorInfo(vi);
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_ClearErrorInfo(ViSession vi) {
  if (vi == VI_NULL) {
    ZorSession_ClearError(VI_NULL);
    tThreadSecondary = 0;
    return VI_SUCCESS;
  }
  SessionGuard guard(vi);
  if (!guard.acquired()) return guard.status();
  const ViStatus cleared = ZorSession_ClearError(vi);
  guard.data().secondaryError = 0;
  const ViStatus released = guard.Release();
  if (cleared < VI_SUCCESS) return cleared;
  return released < VI_SUCCESS ? released : VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_ParamPositionError(ViInt32 parameterPosition) {
  if (parameterPosition < 1 || parameterPosition > 8) return ZOR_ERROR_INVALID_PARAMETER;
  return ZOR_ERROR_PARAMETER1 + (parameterPosition - 1);
}

ZOR_EXPORT ViStatus Zor_QueueInstrSpecificError(ViSession vi, ViInt32 errorCode,
                                                ViConstString errorMessage) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  auto& queue = guard.data().instrErrorQueue;
  if (queue.count() < kInstrErrorQueueCapacity) {  // a full queue drops the new entry
    QueuedInstrError entry;
    entry.code = errorCode;
    text::CopyBounded(errorMessage, entry.message, sizeof entry.message);
    queue.Append(entry);  // room for the whole capacity was reserved with the session
  }
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_DequeueInstrSpecificError(ViSession vi, ViInt32* errorCode,
                                                  ViChar errorMessage[256]) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  auto& queue = guard.data().instrErrorQueue;
  if (queue.empty()) return RecordError(vi, ZOR_ERROR_ITEM_NOT_AVAILABLE);
  const QueuedInstrError oldest = queue.RemoveAt(1);
  if (errorCode != nullptr) *errorCode = oldest.code;
  if (errorMessage != nullptr) std::memcpy(errorMessage, oldest.message, sizeof oldest.message);
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_ClearInstrSpecificErrorQueue(ViSession vi) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  guard.data().instrErrorQueue.Clear();
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_InstrSpecificErrorQueueSize(ViSession vi, ViInt32* queueSize) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  if (queueSize != nullptr) *queueSize = guard.data().instrErrorQueue.count();
  return VI_SUCCESS;
}

}  // extern "C"
