// Exported set functions: the seven typed sets, the variable-argument set, reset, update and
// the pending-update query.
#include <cstdarg>

#include "core/export_guard.h"
#include "core/pipeline.h"
#include "core/value_traits.h"
#include "errors/error_info.h"

namespace zor {
namespace {

// The typed and the variable-argument set differ only in how the attribute is found and where
// the value comes from: `type` is the function's type code, or ZOR_TYPE_ANY to take the
// record's type and read the value with `makeValue(recordType)`.
template <typename MakeValue>
ViStatus SetAttribute(ViSession vi, const char* repCapName, ViAttr id, ViInt32 optionFlags,
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
        status = SetCore(*session, *record, *instance, value, optionFlags);
      }
    }
    return RecordAttributeFailure(vi, status, id, repCapName, optionFlags);
  });
}

template <typename Traits>
ViStatus SetScalar(ViSession vi, const char* repCapName, ViAttr id, ViInt32 optionFlags,
                   ViInt32 type, typename Traits::Type value) {
  return SetAttribute(vi, repCapName, id, optionFlags, type, [&](ViInt32) { return Traits::Make(value); });
}

}  // namespace

}  // namespace zor

using namespace zor;

extern "C" {

ZOR_EXPORT ViStatus Zor_SetAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViInt32 value) {
  return WithInt32Widening(
      vi, attributeId,
      [&] { return SetScalar<Int64Traits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_INT64, value); },
      [&] { return SetScalar<Int32Traits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_INT32, value); });
}

ZOR_EXPORT ViStatus Zor_SetAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViInt64 value) {
  return SetScalar<Int64Traits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_INT64, value);
}

ZOR_EXPORT ViStatus Zor_SetAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                             ViInt32 optionFlags, ViReal64 value) {
  return SetScalar<Real64Traits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_REAL64, value);
}

ZOR_EXPORT ViStatus Zor_SetAttributeViString(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                             ViInt32 optionFlags, ViConstString value) {
  // The caller keeps its text: the pipeline works on a copy.
  return SetAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_STRING,
                      [&](ViInt32) { return Value::OfText(value); });
}

ZOR_EXPORT ViStatus Zor_SetAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                           ViInt32 optionFlags, ViAddr value) {
  return SetScalar<AddrTraits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_ADDR, value);
}

ZOR_EXPORT ViStatus Zor_SetAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViSession value) {
  return SetScalar<SessionTraits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_SESSION, value);
}

ZOR_EXPORT ViStatus Zor_SetAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViBoolean value) {
  return SetScalar<BooleanTraits>(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_BOOLEAN, value);
}

ZOR_EXPORT ViStatus Zor_SetAttributeByVaList(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                             ViInt32 optionFlags, va_list arguments) {
  va_list copy;
  va_copy(copy, arguments);
  const ViStatus status = SetAttribute(vi, repCapName, attributeId, optionFlags, ZOR_TYPE_ANY,
                                       [&](ViInt32 type) { return ValueFromArguments(type, copy); });
  va_end(copy);
  return status;
}

ZOR_EXPORT ViStatus Zor_SetAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                     ViInt32 optionFlags, ...) {
  va_list arguments;
  va_start(arguments, optionFlags);
  const ViStatus status = Zor_SetAttributeByVaList(vi, repCapName, attributeId, optionFlags, arguments);
  va_end(arguments);
  return status;
}

ZOR_EXPORT ViStatus Zor_ResetAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    ViStatus status = guard.status();
    if (guard.acquired()) {
      SessionData* session = &guard.data();
      AttributeRecord* record = nullptr;
      AttributeInstance* instance = nullptr;
      status = FindAttributeInstance(session, attributeId, ZOR_TYPE_ANY, repCapName, &record, &instance);
      if (status >= VI_SUCCESS) {
        instance->currentValue.Assign(record->defaultValue, record->type);
        instance->source = kSourceDefault;
        instance->state &= static_cast<std::uint8_t>(~(kCacheValid | kSetByUser | kEverSetByUser | kRequestedValueHeld));
        instance->interchangeCheckMethod = ZOR_INTERCHANGE_CHECK_NONE;
      }
    }
    // Reset takes no options; an error is always elaborated.
    return RecordAttributeFailure(vi, status, attributeId, repCapName, ZOR_VAL_USER_CALL);
  });
}

ZOR_EXPORT ViStatus Zor_Update(ViSession vi) {
  SessionGuard guard(vi);
  return guard.acquired() ? VI_SUCCESS : RecordError(vi, guard.status());
}

ZOR_EXPORT ViStatus Zor_AttributeUpdateIsPending(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                 ViBoolean* updatePending) {
  SessionGuard guard(vi);
  ViStatus status = guard.status();
  if (guard.acquired()) {
    if (updatePending == nullptr) {
      status = ZOR_ERROR_INVALID_PARAMETER;
    } else {
      SessionData* session = &guard.data();
      AttributeRecord* record = nullptr;
      AttributeInstance* instance = nullptr;
      status = FindAttributeInstance(session, attributeId, ZOR_TYPE_ANY, repCapName, &record, &instance);
      // Every set takes effect at once, so nothing is ever waiting.
      if (status >= VI_SUCCESS) *updatePending = VI_FALSE;
    }
  }
  if (status < VI_SUCCESS) RecordAttributeFailure(vi, status, attributeId, repCapName, ZOR_VAL_USER_CALL);
  return status < VI_SUCCESS ? status : VI_SUCCESS;
}

}  // extern "C"
