// Exported attribute definition and description: the fourteen add functions, deletion,
// callback slots, comparison precision, flags, enumeration and the availability checks.
#include <cstdio>

#include "core/attribute.h"
#include "core/export_guard.h"
#include "core/pipeline.h"
#include "core/session.h"
#include "core/text.h"
#include "errors/error_info.h"
#include "zorbase.h"

using namespace zor;

namespace {

constexpr ViInt32 kMinPrecision = 1;
constexpr ViInt32 kMaxPrecision = 14;
constexpr const char* kConflictingCacheFlags =
    "Conflicting flags: Attribute cannot be both NEVER and ALWAYS cached!";

bool HasConflictingCacheFlags(ViInt32 flags) noexcept {
  return (flags & ZOR_VAL_NEVER_CACHE) != 0 && (flags & ZOR_VAL_ALWAYS_CACHE) != 0;
}

// A ViAddr attribute must be private to the driver in both directions.
bool HiddenBothWays(ViInt32 flags) noexcept {
  return (flags & (ZOR_VAL_NOT_READABLE | ZOR_VAL_NOT_USER_READABLE)) != 0 &&
         (flags & (ZOR_VAL_NOT_WRITABLE | ZOR_VAL_NOT_USER_WRITABLE)) != 0;
}

struct AddRequest {
  ViSession vi;
  const char* repCapName;
  ViAttr id;
  const char* name;
  ViInt32 type;
  const Value* defaultValue;
  ViInt32 flags;
  AnyCallback readCallback;
  AnyCallback writeCallback;
  RangeTablePtr rangeTable;
};

ViStatus AddAttribute(const AddRequest& request) {
  const ViSession vi = request.vi;
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  if (text::IsBlank(request.name)) {
    return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER, "Attribute Name", Zor_ParamPositionError(3));
  }
  if (!IsStoredType(request.type)) return RecordError(vi, ZOR_ERROR_INVALID_TYPE);
  if (request.type == ZOR_TYPE_ADDR && !HiddenBothWays(request.flags)) {
    return RecordError(vi, ZOR_ERROR_EXPORTED_VIADDR_ATTRIBUTE);
  }
  SessionData* owner = &guard.data();
  AttributeRecord* existing = nullptr;
  if (FindAttribute(owner, request.id, &existing) >= VI_SUCCESS) {
    if ((existing->flags & ZOR_VAL_NOT_SUPPORTED) != 0) {
      DeleteAttributeRecord(*owner, request.id);
    } else if ((request.flags & ZOR_VAL_NOT_SUPPORTED) != 0) {
      return VI_SUCCESS;  // a driver declaring "not supported" over a real attribute keeps it
    } else {
      return RecordError(vi, ZOR_ERROR_ITEM_EXISTS);
    }
  }
  const char* repCapName = request.repCapName;
  if ((request.flags & ZOR_VAL_CHANNEL_BASED) != 0 && (repCapName == nullptr || repCapName[0] == '\0')) {
    repCapName = "Channel";
  }
  if (HasConflictingCacheFlags(request.flags)) {
    return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER, kConflictingCacheFlags, Zor_ParamPositionError(5));
  }
  Value defaultValue;
  defaultValue.Assign(*request.defaultValue, request.type);

  AttributeDefinition definition;
  definition.id = request.id;
  definition.name = request.name;
  definition.type = request.type;
  definition.flags = request.flags;
  definition.repCapName = repCapName;
  definition.readCallback = request.readCallback;
  definition.writeCallback = request.writeCallback;
  definition.rangeTable = request.rangeTable;
  definition.defaultValue = &defaultValue;
  std::unique_ptr<AttributeRecord> record;
  ViStatus running = VI_SUCCESS;
  const ViStatus created = CreateAttributeRecord(*owner, definition, &record);
  if (created != VI_SUCCESS) RecordError(vi, created);
  if (created < VI_SUCCESS) return created;
  Merge(&running, created);
  InsertAttributeRecord(*owner, std::move(record));
  return running;
}

template <typename Read, typename Write>
ViStatus Add(ViSession vi, const char* repCapName, ViAttr id, const char* name, ViInt32 type,
             const Value& defaultValue, ViInt32 flags, Read read, Write write,
             RangeTablePtr rangeTable = nullptr) {
  return ExportGuard(vi, [&] {
    return AddAttribute({vi, repCapName, id, name, type, &defaultValue, flags, ToAnyCallback(read),
                         ToAnyCallback(write), rangeTable});
  });
}

// ViReal64 attributes get their comparison precision right after they are added.
ViStatus AddReal64(ViSession vi, const char* repCapName, ViAttr id, const char* name,
                   ViReal64 defaultValue, ViInt32 flags, ZorReadCallbackViReal64 read,
                   ZorWriteCallbackViReal64 write, RangeTablePtr rangeTable, ViInt32 precision) {
  const ViStatus added = Add(vi, repCapName, id, name, ZOR_TYPE_REAL64, Value::OfReal64(defaultValue),
                             flags, read, write, rangeTable);
  if (added < VI_SUCCESS) return added;
  const ViStatus precisionSet = Zor_SetAttrComparePrecision(vi, id, precision);
  if (precisionSet < VI_SUCCESS) return precisionSet;
  return added != VI_SUCCESS ? added : precisionSet;
}

ViStatus SetCallback(ViSession vi, ViAttr id, ViInt32 type, ViInt32 kind, AnyCallback callback) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    SessionData* owner = &guard.data();
    AttributeRecord* record = nullptr;
    const ViStatus status = FindTypedAttribute(owner, id, type, &record);
    if (status < VI_SUCCESS) return RecordError(vi, status);
    if (kind == ZOR_CALLBACK_RANGE_TABLE) {
      record->rangeTableCallback = FromAnyCallback<ZorRangeTableCallback>(callback);
      return VI_SUCCESS;
    }
    AnyCallback* slot = record->CallbackSlot(kind);
    if (slot == nullptr) return RecordError(vi, ZOR_ERROR_INVALID_TYPE);
    *slot = callback;
    return VI_SUCCESS;
  });
}

// Runs `use(record)` on the attribute `id` of the acquired session; records failures. A NULL
// output (`outputGiven` false) is refused with 0xBFFA000F before the attribute is looked up.
template <typename Use>
ViStatus ReadAttribute(ViSession vi, ViAttr id, bool outputGiven, Use use);

// Runs `use(record)` on the attribute `id` of the acquired session; records failures.
template <typename Use>
ViStatus WithAttribute(ViSession vi, ViAttr id, Use use) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    SessionData* owner = &guard.data();
    AttributeRecord* record = nullptr;
    ViStatus status = FindAttribute(owner, id, &record);
    if (status >= VI_SUCCESS) status = use(*record);
    return status < VI_SUCCESS ? RecordError(vi, status) : status;
  });
}


template <typename Use>
ViStatus ReadAttribute(ViSession vi, ViAttr id, bool outputGiven, Use use) {
  if (!outputGiven) {
    SessionGuard guard(vi);
    return RecordError(vi, guard.acquired() ? ZOR_ERROR_INVALID_PARAMETER : guard.status());
  }
  return WithAttribute(vi, id, use);
}

}  // namespace

extern "C" {

// ---- Adding ----

ZOR_EXPORT ViStatus Zor_AddAttributeViInt32(ViSession vi, ViAttr attributeId, ViConstString attributeName,
                                            ViInt32 defaultValue, ViInt32 flags,
                                            ZorReadCallbackViInt32 readCallback,
                                            ZorWriteCallbackViInt32 writeCallback, RangeTablePtr rangeTable) {
  return Add(vi, nullptr, attributeId, attributeName, ZOR_TYPE_INT32, Value::OfInt32(defaultValue), flags,
             readCallback, writeCallback, rangeTable);
}

ZOR_EXPORT ViStatus Zor_AddAttributeViInt64(ViSession vi, ViAttr attributeId, ViConstString attributeName,
                                            ViInt64 defaultValue, ViInt32 flags,
                                            ZorReadCallbackViInt64 readCallback,
                                            ZorWriteCallbackViInt64 writeCallback, RangeTablePtr rangeTable) {
  return Add(vi, nullptr, attributeId, attributeName, ZOR_TYPE_INT64, Value::OfInt64(defaultValue), flags,
             readCallback, writeCallback, rangeTable);
}

ZOR_EXPORT ViStatus Zor_AddAttributeViReal64(ViSession vi, ViAttr attributeId, ViConstString attributeName,
                                             ViReal64 defaultValue, ViInt32 flags,
                                             ZorReadCallbackViReal64 readCallback,
                                             ZorWriteCallbackViReal64 writeCallback, RangeTablePtr rangeTable,
                                             ViInt32 comparePrecision) {
  return AddReal64(vi, nullptr, attributeId, attributeName, defaultValue, flags, readCallback, writeCallback,
                   rangeTable, comparePrecision);
}

ZOR_EXPORT ViStatus Zor_AddAttributeViString(ViSession vi, ViAttr attributeId, ViConstString attributeName,
                                             ViConstString defaultValue, ViInt32 flags,
                                             ZorReadCallbackViString readCallback,
                                             ZorWriteCallbackViString writeCallback) {
  return ExportGuard(vi, [&] {
    return Add(vi, nullptr, attributeId, attributeName, ZOR_TYPE_STRING, Value::OfText(defaultValue), flags,
               readCallback, writeCallback);
  });
}

ZOR_EXPORT ViStatus Zor_AddAttributeViAddr(ViSession vi, ViAttr attributeId, ViConstString attributeName,
                                           ViAddr defaultValue, ViInt32 flags, ZorReadCallbackViAddr readCallback,
                                           ZorWriteCallbackViAddr writeCallback) {
  return Add(vi, nullptr, attributeId, attributeName, ZOR_TYPE_ADDR, Value::OfAddr(defaultValue), flags,
             readCallback, writeCallback);
}

ZOR_EXPORT ViStatus Zor_AddAttributeViSession(ViSession vi, ViAttr attributeId, ViConstString attributeName,
                                              ViSession defaultValue, ViInt32 flags,
                                              ZorReadCallbackViSession readCallback,
                                              ZorWriteCallbackViSession writeCallback) {
  return Add(vi, nullptr, attributeId, attributeName, ZOR_TYPE_SESSION, Value::OfSession(defaultValue), flags,
             readCallback, writeCallback);
}

ZOR_EXPORT ViStatus Zor_AddAttributeViBoolean(ViSession vi, ViAttr attributeId, ViConstString attributeName,
                                              ViBoolean defaultValue, ViInt32 flags,
                                              ZorReadCallbackViBoolean readCallback,
                                              ZorWriteCallbackViBoolean writeCallback) {
  return Add(vi, nullptr, attributeId, attributeName, ZOR_TYPE_BOOLEAN, Value::OfBoolean(defaultValue), flags,
             readCallback, writeCallback);
}

ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                    ViConstString attributeName, ViInt32 defaultValue,
                                                    ViInt32 flags, ZorReadCallbackViInt32 readCallback,
                                                    ZorWriteCallbackViInt32 writeCallback,
                                                    RangeTablePtr rangeTable) {
  return Add(vi, repCapName, attributeId, attributeName, ZOR_TYPE_INT32, Value::OfInt32(defaultValue), flags,
             readCallback, writeCallback, rangeTable);
}

ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                    ViConstString attributeName, ViInt64 defaultValue,
                                                    ViInt32 flags, ZorReadCallbackViInt64 readCallback,
                                                    ZorWriteCallbackViInt64 writeCallback,
                                                    RangeTablePtr rangeTable) {
  return Add(vi, repCapName, attributeId, attributeName, ZOR_TYPE_INT64, Value::OfInt64(defaultValue), flags,
             readCallback, writeCallback, rangeTable);
}

ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                     ViConstString attributeName, ViReal64 defaultValue,
                                                     ViInt32 flags, ZorReadCallbackViReal64 readCallback,
                                                     ZorWriteCallbackViReal64 writeCallback,
                                                     RangeTablePtr rangeTable, ViInt32 comparePrecision) {
  return AddReal64(vi, repCapName, attributeId, attributeName, defaultValue, flags, readCallback, writeCallback,
                   rangeTable, comparePrecision);
}

ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViString(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                     ViConstString attributeName, ViConstString defaultValue,
                                                     ViInt32 flags, ZorReadCallbackViString readCallback,
                                                     ZorWriteCallbackViString writeCallback) {
  return ExportGuard(vi, [&] {
    return Add(vi, repCapName, attributeId, attributeName, ZOR_TYPE_STRING, Value::OfText(defaultValue), flags,
               readCallback, writeCallback);
  });
}

ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                   ViConstString attributeName, ViAddr defaultValue, ViInt32 flags,
                                                   ZorReadCallbackViAddr readCallback,
                                                   ZorWriteCallbackViAddr writeCallback) {
  return Add(vi, repCapName, attributeId, attributeName, ZOR_TYPE_ADDR, Value::OfAddr(defaultValue), flags,
             readCallback, writeCallback);
}

ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                      ViConstString attributeName, ViSession defaultValue,
                                                      ViInt32 flags, ZorReadCallbackViSession readCallback,
                                                      ZorWriteCallbackViSession writeCallback) {
  return Add(vi, repCapName, attributeId, attributeName, ZOR_TYPE_SESSION, Value::OfSession(defaultValue), flags,
             readCallback, writeCallback);
}

ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                                      ViConstString attributeName, ViBoolean defaultValue,
                                                      ViInt32 flags, ZorReadCallbackViBoolean readCallback,
                                                      ZorWriteCallbackViBoolean writeCallback) {
  return Add(vi, repCapName, attributeId, attributeName, ZOR_TYPE_BOOLEAN, Value::OfBoolean(defaultValue), flags,
             readCallback, writeCallback);
}

ZOR_EXPORT ViStatus Zor_DeleteAttribute(ViSession vi, ViAttr attributeId) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  DeleteAttributeRecord(guard.data(), attributeId);
  return VI_SUCCESS;
}

// ---- Callback slots ----

#define ZOR_DEFINE_CALLBACK_SETTER(Kind, KIND_CODE, T, TYPE_CODE)                                  \
  ZOR_EXPORT ViStatus Zor_SetAttr##Kind##Callback##T(ViSession vi, ViAttr attributeId,             \
                                                     Zor##Kind##Callback##T callback) {            \
    return SetCallback(vi, attributeId, TYPE_CODE, KIND_CODE, ToAnyCallback(callback));            \
  }
#define ZOR_DEFINE_CALLBACK_SETTERS(Kind, KIND_CODE)                            \
  ZOR_DEFINE_CALLBACK_SETTER(Kind, KIND_CODE, ViInt32, ZOR_TYPE_INT32)          \
  ZOR_DEFINE_CALLBACK_SETTER(Kind, KIND_CODE, ViInt64, ZOR_TYPE_INT64)          \
  ZOR_DEFINE_CALLBACK_SETTER(Kind, KIND_CODE, ViReal64, ZOR_TYPE_REAL64)        \
  ZOR_DEFINE_CALLBACK_SETTER(Kind, KIND_CODE, ViString, ZOR_TYPE_STRING)        \
  ZOR_DEFINE_CALLBACK_SETTER(Kind, KIND_CODE, ViAddr, ZOR_TYPE_ADDR)            \
  ZOR_DEFINE_CALLBACK_SETTER(Kind, KIND_CODE, ViSession, ZOR_TYPE_SESSION)      \
  ZOR_DEFINE_CALLBACK_SETTER(Kind, KIND_CODE, ViBoolean, ZOR_TYPE_BOOLEAN)

ZOR_DEFINE_CALLBACK_SETTERS(Read, ZOR_CALLBACK_READ)
ZOR_DEFINE_CALLBACK_SETTERS(Write, ZOR_CALLBACK_WRITE)
ZOR_DEFINE_CALLBACK_SETTERS(Check, ZOR_CALLBACK_CHECK)
ZOR_DEFINE_CALLBACK_SETTERS(Coerce, ZOR_CALLBACK_COERCE)
ZOR_DEFINE_CALLBACK_SETTERS(Compare, ZOR_CALLBACK_COMPARE)

#undef ZOR_DEFINE_CALLBACK_SETTERS
#undef ZOR_DEFINE_CALLBACK_SETTER

ZOR_EXPORT ViStatus Zor_SetAttrRangeTableCallback(ViSession vi, ViAttr attributeId,
                                                  ZorRangeTableCallback callback) {
  return SetCallback(vi, attributeId, ZOR_TYPE_ANY, ZOR_CALLBACK_RANGE_TABLE, ToAnyCallback(callback));
}

ZOR_EXPORT ViStatus Zor_SetAttrCallback(ViSession vi, ViAttr attributeId, ViInt32 attributeType,
                                        ViInt32 callbackType, ViAddr callback) {
  return SetCallback(vi, attributeId, attributeType, callbackType, reinterpret_cast<AnyCallback>(callback));
}

ZOR_EXPORT ViStatus Zor_GetAttrCallback(ViSession vi, ViAttr attributeId, ViInt32 attributeType,
                                        ViInt32 callbackType, ViAddr* callback) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    if (callback == nullptr) return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
    SessionData* owner = &guard.data();
    AttributeRecord* record = nullptr;
    const ViStatus status = FindTypedAttribute(owner, attributeId, attributeType, &record);
    if (status < VI_SUCCESS) return RecordError(vi, status);
    if (callbackType == ZOR_CALLBACK_RANGE_TABLE) {
      *callback = reinterpret_cast<ViAddr>(record->rangeTableCallback);
    } else if (AnyCallback* slot = record->CallbackSlot(callbackType)) {
      *callback = reinterpret_cast<ViAddr>(*slot);
    }
    return VI_SUCCESS;
  });
}

// ---- Comparison precision ----

ZOR_EXPORT ViStatus Zor_SetAttrComparePrecision(ViSession vi, ViAttr attributeId, ViInt32 comparePrecision) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    const ViInt32 precision = comparePrecision == 0 ? kMaxPrecision : comparePrecision;
    if (precision < kMinPrecision || precision > kMaxPrecision) {
      char elaboration[64];
      std::snprintf(elaboration, sizeof elaboration, "Comparison precision must be from %d to %d",
                    static_cast<int>(kMinPrecision), static_cast<int>(kMaxPrecision));
      return RecordError(vi, ZOR_ERROR_INVALID_VALUE, elaboration);
    }
    SessionData* owner = &guard.data();
    AttributeRecord* record = nullptr;
    const ViStatus status = FindAttribute(owner, attributeId, &record);
    if (status < VI_SUCCESS) return RecordError(vi, status);
    record->comparePrecision = precision;
    if (record->type == ZOR_TYPE_REAL64 && record->compareCallback == nullptr) {
      record->compareCallback = ToAnyCallback(&Zor_DefaultCompareCallbackViReal64);
    }
    return VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_GetAttrComparePrecision(ViSession vi, ViAttr attributeId, ViInt32* comparePrecision) {
  // Asked by the default compare callback about the attribute the pipeline is comparing.
  const PipelineContext* context = CurrentPipelineContext();
  if (context != nullptr && comparePrecision != nullptr && context->Matches(vi, attributeId)) {
    *comparePrecision = context->record->comparePrecision;
    return VI_SUCCESS;
  }
  return ReadAttribute(vi, attributeId, comparePrecision != nullptr, [&](AttributeRecord& record) {
    *comparePrecision = record.comparePrecision;
    return VI_SUCCESS;
  });
}

// ---- Enumeration and description ----

ZOR_EXPORT ViStatus Zor_GetNumAttributes(ViSession vi, ViInt32* numAttributes) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  if (numAttributes == nullptr) return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
  *numAttributes = guard.data().attributes.count();
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_GetNthAttribute(ViSession vi, ViInt32 index, ViAttr* attributeId) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  if (attributeId == nullptr) return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
  if (index < 1) return RecordError(vi, ZOR_ERROR_INDEX_ONE_BASED);
  const auto& attributes = guard.data().attributes;
  *attributeId = index > attributes.count() ? static_cast<ViAttr>(-1) : attributes[index]->id;
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_GetAttributeFlags(ViSession vi, ViAttr attributeId, ViInt32* flags) {
  return ReadAttribute(vi, attributeId, flags != nullptr, [&](AttributeRecord& record) {
    *flags = record.flags;
    return VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_SetAttributeFlags(ViSession vi, ViAttr attributeId, ViInt32 flags) {
  return WithAttribute(vi, attributeId, [&](AttributeRecord& record) -> ViStatus {
    if (HasConflictingCacheFlags(flags)) {
      return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER, kConflictingCacheFlags, Zor_ParamPositionError(3));
    }
    record.flags = (flags & ~ZOR_VAL_CHANNEL_BASED) | (record.flags & ZOR_VAL_CHANNEL_BASED);
    return VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_GetAttributeType(ViSession vi, ViAttr attributeId, ViInt32* attributeType) {
  return ReadAttribute(vi, attributeId, attributeType != nullptr, [&](AttributeRecord& record) {
    *attributeType = record.type;
    return VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_GetAttributeName(ViSession vi, ViAttr attributeId, ViChar buffer[], ViInt32 bufferSize) {
  return ReadAttribute(vi, attributeId, buffer != nullptr, [&](AttributeRecord& record) {
    text::CopyBounded(record.name.c_str(), buffer, bufferSize);  // a cut name is not reported
    return VI_SUCCESS;
  });
}

// ---- Availability ----

ZOR_EXPORT ViStatus Zor_ValidateAttribute(ViSession vi, ViAttr attributeId, ViInt32 attributeType) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  SessionData* owner = &guard.data();
  AttributeRecord* record = nullptr;
  ViStatus status = FindTypedAttribute(owner, attributeId, attributeType, &record);
  if (status >= VI_SUCCESS && (record->flags & ZOR_VAL_NOT_SUPPORTED) != 0) {
    status = ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED;
  }
  return status < VI_SUCCESS ? RecordError(vi, status) : VI_SUCCESS;
}

ZOR_EXPORT ViBoolean Zor_AttributeIsAvailable(ViSession vi, ViAttr attributeId) {
  return ProbeKeepingThreadError([&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return false;
    SessionData* owner = &guard.data();
    AttributeRecord* record = nullptr;
    return FindAttribute(owner, attributeId, &record) >= VI_SUCCESS &&
           (record->flags & ZOR_VAL_NOT_SUPPORTED) == 0;
  });
}

}  // extern "C"
