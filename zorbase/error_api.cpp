// Exported error-record functions of sessions and threads. Unlike the handle functions they
// do not record their own failures.
#include <cstring>

#include "base_status.h"
#include "error_record.h"
#include "library_state.h"
#include "session_registry.h"

using namespace zor::base;

namespace {

// Reads `record` out by the buffer rule; a caller that received the whole text has consumed
// the error, so the record is cleared.
ViStatus ReadAndClear(ErrorRecord& record, ViInt32 bufferSize, ViStatus* code, ViChar* buffer) {
  if (code != nullptr) *code = record.code;
  const ViStatus copied =
      CopyOutByBufferRule(record.description, std::strlen(record.description), bufferSize, buffer);
  if (copied == kSuccess) record.Clear();
  return copied;
}

}  // namespace

extern "C" {

ZOR_EXPORT ViStatus ZorSession_SetError(ViSession vi, ViStatus code, ViConstString description) {
  return Guarded([&] {
    ThreadRecord().Offer(code, description);
    if (vi != 0) {
      SessionAccess access(vi);
      access.record().error.Offer(code, description);
    }
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSession_GetError(ViSession vi, ViInt32 bufferSize, ViStatus* code,
                                        ViChar description[]) {
  return Guarded([&] {
    if (vi == 0) return ReadAndClear(ThreadRecord(), bufferSize, code, description);
    SessionAccess access(vi);
    return ReadAndClear(access.record().error, bufferSize, code, description);
  });
}

ZOR_EXPORT ViStatus ZorSession_ClearError(ViSession vi) {
  return Guarded([&] {
    if (vi == 0) {
      ThreadRecord().Clear();
    } else {
      SessionAccess access(vi);
      access.record().error.Clear();
    }
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSessionError_SetErrorCode(ViSession vi, ViStatus code) {
  return Guarded([&] {
    SessionAccess access(vi);
    access.record().error.code = code;
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSessionError_SetErrorDescription(ViSession vi, ViConstString description) {
  return Guarded([&] {
    SessionAccess access(vi);
    access.record().error.StoreDescription(description);
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSessionError_GetErrorCode(ViSession vi, ViStatus* code) {
  return Guarded([&] {
    if (code == nullptr) Raise(kNullPointer);
    SessionAccess access(vi);
    *code = access.record().error.code;
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorSessionError_GetErrorDescription(ViSession vi, ViConstString* description) {
  return Guarded([&] {
    if (description == nullptr) Raise(kNullPointer);
    SessionAccess access(vi);
    *description = access.record().error.description;
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorThreadError_SetErrorCode(ViStatus code) {
  return Guarded([&] {
    ThreadRecord().code = code;
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorThreadError_SetErrorDescription(ViConstString description) {
  return Guarded([&] {
    ThreadRecord().StoreDescription(description);
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorThreadError_GetErrorCode(ViStatus* code) {
  if (Unloading()) return kUnrecoverable;
  return Guarded([&] {
    if (code == nullptr) Raise(kNullPointer);
    *code = ThreadRecord().code;
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorThreadError_GetErrorDescription(ViConstString* description) {
  return Guarded([&] {
    if (description == nullptr) Raise(kNullPointer);
    *description = ThreadRecord().description;
    return kSuccess;
  });
}

}  // extern "C"
