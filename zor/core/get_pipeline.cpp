// Exported get and check functions, and the delivery of texts from inside string callbacks.
#include <cstdarg>
#include <cstring>

#include "core/export_guard.h"
#include "core/pipeline.h"
#include "core/text.h"
#include "core/value_traits.h"
#include "errors/error_info.h"
#include "zorbase.h"

namespace zor {
namespace {

// Writes the value a get designates into the caller's storage, in the record's type. Texts are
// copied whole: a caller of the untyped get provides the room.
void CopyOutValue(const Value& value, ViInt32 type, void* out) {
  switch (type) {
    case ZOR_TYPE_INT32: *static_cast<ViInt32*>(out) = value.i32(); break;
    case ZOR_TYPE_INT64: *static_cast<ViInt64*>(out) = value.i64(); break;
    case ZOR_TYPE_REAL64: *static_cast<ViReal64*>(out) = value.r64(); break;
    case ZOR_TYPE_ADDR: *static_cast<ViAddr*>(out) = value.addr(); break;
    case ZOR_TYPE_SESSION: *static_cast<ViSession*>(out) = value.session(); break;
    case ZOR_TYPE_BOOLEAN: *static_cast<ViBoolean*>(out) = value.boolean(); break;
    case ZOR_TYPE_STRING: std::strcpy(static_cast<char*>(out), value.text()); break;
    default: break;
  }
}

// The typed get: `type` is the function's type code (ZOR_TYPE_ANY for the untyped get).
ViStatus GetAttribute(ViSession vi, const char* repCapName, ViAttr id, ViInt32 optionFlags,
                      ViInt32 type, void* out) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    ViStatus status = guard.status();
    if (guard.acquired()) {
      if (out == nullptr) {
        status = ZOR_ERROR_INVALID_PARAMETER;
      } else {
        SessionData* session = &guard.data();
        AttributeRecord* record = nullptr;
        AttributeInstance* instance = nullptr;
        const Value* value = nullptr;
        status = FindAttributeInstance(session, id, type, repCapName, &record, &instance);
        if (status >= VI_SUCCESS) status = GetCore(*session, *record, *instance, optionFlags, &value);
        if (status >= VI_SUCCESS) CopyOutValue(*value, record->type, out);
      }
    }
    return RecordAttributeFailure(vi, status, id, repCapName, optionFlags);
  });
}

// The check: permission and the check callback, nothing else. `type` as for GetAttribute;
// `makeValue(recordType)` gives the proposed value.
template <typename MakeValue>
ViStatus CheckAttribute(ViSession vi, const char* repCapName, ViAttr id, ViInt32 optionFlags,
                        ViInt32 type, MakeValue makeValue) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    ViStatus status = guard.status();
    if (guard.acquired()) {
      SessionData* session = &guard.data();
      AttributeRecord* record = nullptr;
      AttributeInstance* instance = nullptr;
      status = FindAttributeInstance(session, id, type, repCapName, &record, &instance);
      if (status >= VI_SUCCESS) {
        const Value value = makeValue(record->type);
        status = WritePermission(*session, *record, optionFlags);
        // The check callback runs whatever the range-check switch says.
        if (status >= VI_SUCCESS) status = CallCheck(session->handle, *record, *instance, value);
      }
    }
    return RecordAttributeFailure(vi, status, id, repCapName, optionFlags);
  });
}

template <typename Traits>
ViStatus CheckScalar(ViSession vi, const char* repCapName, ViAttr id, ViInt32 optionFlags, ViInt32 type,
                     typename Traits::Type value) {
  return CheckAttribute(vi, repCapName, id, optionFlags, type, [&](ViInt32) { return Traits::Make(value); });
}

// The text copy of string gets: the copy-out rule, where a NULL buffer only matters when
// something is to be copied (the caller checked that case before).
ViStatus CopyOutText(const char* text, ViInt32 bufferSize, ViChar* buffer) {
  return text::CopyOut(text, std::strlen(text), bufferSize, buffer, ZOR_ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace zor

using namespace zor;

extern "C" {

ZOR_EXPORT ViStatus Zor_GetAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViInt32* value) {
  if (vi == VI_NULL && attributeId == ZOR_ATTR_PRIMARY_ERROR) return ZorThreadError_GetErrorCode(value);
  if (vi == VI_NULL && attributeId == ZOR_ATTR_SECONDARY_ERROR) {
    if (value == nullptr) return ZOR_ERROR_INVALID_PARAMETER;
    *value = ThreadSecondaryError();
    return VI_SUCCESS;
  }
  const auto asInt64 = [&] {
    ViInt64 wide = 0;
    const ViStatus status = Zor_GetAttributeViInt64(vi, repCapName, attributeId, optionFlags, &wide);
    if (status < VI_SUCCESS) return status;
    if (wide < INT32_MIN || wide > INT32_MAX) return RecordError(vi, ZOR_ERROR_TYPE_MISMATCH);
    if (value == nullptr) return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
    *value = static_cast<ViInt32>(wide);
    return status;
  };
  return WithInt32Widening(vi, attributeId, asInt64, [&] {
    return GetAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_INT32, value);
  });
}

ZOR_EXPORT ViStatus Zor_GetAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViInt64* value) {
  return GetAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_INT64, value);
}

ZOR_EXPORT ViStatus Zor_GetAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                             ViInt32 optionFlags, ViReal64* value) {
  return GetAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_REAL64, value);
}

ZOR_EXPORT ViStatus Zor_GetAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                           ViInt32 optionFlags, ViAddr* value) {
  return GetAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_ADDR, value);
}

ZOR_EXPORT ViStatus Zor_GetAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViSession* value) {
  return GetAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_SESSION, value);
}

ZOR_EXPORT ViStatus Zor_GetAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViBoolean* value) {
  return GetAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_BOOLEAN, value);
}

ZOR_EXPORT ViStatus Zor_GetAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                     ViInt32 optionFlags, void* value) {
  return GetAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_ANY, value);
}

ZOR_EXPORT ViStatus Zor_GetAttributeViString(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                             ViInt32 optionFlags, ViInt32 bufferSize, ViChar buffer[]) {
  if (vi == VI_NULL) {
    if (buffer == nullptr && bufferSize != 0) return RecordError(VI_NULL, ZOR_ERROR_INVALID_PARAMETER);
    if (attributeId != ZOR_ATTR_ERROR_ELABORATION) return RecordError(VI_NULL, ZOR_ERROR_INVALID_SESSION_HANDLE);
    ViConstString elaboration = nullptr;
    const ViStatus status = ZorThreadError_GetErrorDescription(&elaboration);
    if (status < VI_SUCCESS) return status;
    return CopyOutText(elaboration != nullptr ? elaboration : "", bufferSize, buffer);
  }
  return ExportGuard(vi, [&]() -> ViStatus {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordAttributeFailure(vi, guard.status(), attributeId, repCapName, optionFlags);
    if (buffer == nullptr && bufferSize != 0) return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
    SessionData* session = &guard.data();
    AttributeRecord* record = nullptr;
    AttributeInstance* instance = nullptr;
    const Value* value = nullptr;
    ViStatus status = FindAttributeInstance(session, attributeId, ZOR_TYPE_STRING, repCapName, &record, &instance);
    if (status >= VI_SUCCESS) status = GetCore(*session, *record, *instance, optionFlags, &value);
    if (status < VI_SUCCESS) return RecordAttributeFailure(vi, status, attributeId, repCapName, optionFlags);
    // A warning of the get is not returned: the result is the text copy's.
    return CopyOutText(value->text(), bufferSize, buffer);
  });
}

ZOR_EXPORT ViStatus Zor_CheckAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViInt32 value) {
  return WithInt32Widening(
      vi, attributeId,
      [&] { return CheckScalar<Int64Traits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_INT64, value); },
      [&] { return CheckScalar<Int32Traits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_INT32, value); });
}

ZOR_EXPORT ViStatus Zor_CheckAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViInt64 value) {
  return CheckScalar<Int64Traits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_INT64, value);
}

ZOR_EXPORT ViStatus Zor_CheckAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                               ViInt32 optionFlags, ViReal64 value) {
  return CheckScalar<Real64Traits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_REAL64, value);
}

ZOR_EXPORT ViStatus Zor_CheckAttributeViString(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                               ViInt32 optionFlags, ViConstString value) {
  return CheckAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_STRING,
                        [&](ViInt32) { return Value::OfText(value); });
}

ZOR_EXPORT ViStatus Zor_CheckAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                             ViInt32 optionFlags, ViAddr value) {
  return CheckScalar<AddrTraits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_ADDR, value);
}

ZOR_EXPORT ViStatus Zor_CheckAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                ViInt32 optionFlags, ViSession value) {
  return CheckScalar<SessionTraits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_SESSION, value);
}

ZOR_EXPORT ViStatus Zor_CheckAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                ViInt32 optionFlags, ViBoolean value) {
  return CheckScalar<BooleanTraits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_BOOLEAN, value);
}

ZOR_EXPORT ViStatus Zor_CheckAttributeByVaList(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                               ViInt32 optionFlags, va_list arguments) {
  va_list copy;
  va_copy(copy, arguments);
  const ViStatus status = CheckAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_ANY,
                                         [&](ViInt32 type) { return ValueFromArguments(type, copy); });
  va_end(copy);
  return status;
}

ZOR_EXPORT ViStatus Zor_CheckAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                       ViInt32 optionFlags, ...) {
  va_list arguments;
  va_start(arguments, optionFlags);
  const ViStatus status = Zor_CheckAttributeByVaList(vi, repCapName, attributeId, optionFlags, arguments);
  va_end(arguments);
  return status;
}

ZOR_EXPORT ViStatus Zor_SetValInStringCallback(ViSession vi, ViAttr attributeId, ViConstString value) {
  return ExportGuard(vi, [&] {
    // No lock: this runs inside a string callback that already holds the session.
    SessionData* session = nullptr;
    ViStatus status = LookupSession(vi, &session);
    AttributeRecord* record = nullptr;
    if (status >= VI_SUCCESS) status = FindTypedAttribute(session, attributeId, ZOR_TYPE_STRING, &record);
    if (status >= VI_SUCCESS && record->valueInStringTarget == nullptr) status = ZOR_ERROR_INVALID_PARAMETER;
    if (status >= VI_SUCCESS) record->valueInStringTarget->SetText(value);
    return status < VI_SUCCESS ? RecordError(vi, status) : VI_SUCCESS;
  });
}

}  // extern "C"
