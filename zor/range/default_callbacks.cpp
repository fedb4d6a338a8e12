// The engine's default check, coerce and compare callbacks, which an attribute gets when its
// driver supplies none, and the value helpers drivers use inside their own callbacks.
//
// The defaults work from the attribute's range table as Zor_GetAttrRangeTable gives it at the
// moment of use (a range-table callback may choose a different table per call), and from the
// attribute's comparison precision.
#include <cstdio>
#include <new>

#include "core/attribute.h"
#include "core/export_guard.h"
#include "core/pipeline.h"
#include "core/session.h"
#include "core/value_traits.h"
#include "errors/error_info.h"
#include "range/range_table.h"

namespace zor {
namespace {

constexpr ViInt32 kDefaultDigits = 14;
constexpr ViInt32 kMinDigits = 1;
constexpr ViInt32 kMaxDigits = 14;

// Records a status other than VI_SUCCESS on `vi`; returns it.
ViStatus Note(ViSession vi, ViStatus status) noexcept {
  if (status != VI_SUCCESS) RecordError(vi, status);
  return status;
}

// The first warning of a sequence of steps wins over a later success.
ViStatus FirstWarning(ViStatus earlier, ViStatus later) noexcept {
  return earlier != VI_SUCCESS ? earlier : later;
}

// The attribute's range table for this call. A status other than VI_SUCCESS is recorded; on
// an error `*table` stays NULL.
ViStatus CurrentTable(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                      RangeTablePtr* table) noexcept {
  *table = nullptr;
  const ViStatus status = Note(vi, Zor_GetAttrRangeTable(vi, repCapName, attributeId, table));
  if (status < VI_SUCCESS) *table = nullptr;
  return status;
}

// The default check: the value must lie in the table (if there is one). `lookup(table)`
// runs the entry-from-value lookup of the attribute's family without outputs.
template <typename Lookup>
ViStatus CheckAgainstTable(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                           Lookup lookup) noexcept {
  RangeTablePtr table = nullptr;
  const ViStatus status = CurrentTable(vi, repCapName, attributeId, &table);
  if (status < VI_SUCCESS) return status;
  if (table == nullptr) return status;  // no table: every value is legal
  // The lookup has recorded its failure on the thread only; the session gets it too.
  const ViStatus found = Note(vi, lookup(table));
  if (found < VI_SUCCESS) return found;
  return FirstWarning(status, found);
}

// The default coerce: a coerced table replaces the value by the coerced value of the first
// row containing it; every other table, or none, leaves the value as it is.
template <typename T, typename Lookup>
ViStatus CoerceAgainstTable(ViSession vi, ViConstString repCapName, ViAttr attributeId, T value,
                            T* coercedValue, Lookup lookup) noexcept {
  if (coercedValue == nullptr) return Note(vi, ZOR_ERROR_INVALID_PARAMETER);
  RangeTablePtr table = nullptr;
  const ViStatus status = CurrentTable(vi, repCapName, attributeId, &table);
  if (status < VI_SUCCESS) return status;
  if (table != nullptr && table->type == ZOR_RANGE_COERCED) {
    const ViStatus found = Note(vi, lookup(table, coercedValue));
    if (found < VI_SUCCESS) return found;
    return FirstWarning(status, found);
  }
  *coercedValue = value;
  return status;
}

// The extremes a table allows, as values of type T; `low` and `high` read the two candidates
// of a row, already converted to T.
template <typename T, typename Low, typename High>
void ScanExtremes(const RangeTable& table, T* minimum, T* maximum, Low low, High high) noexcept {
  for (ViInt32 i = 0; !IsEndRow(table.entries[i]); ++i) {
    const T lowCandidate = low(table.type, table.entries[i]);
    const T highCandidate = high(table.type, table.entries[i]);
    if (i == 0) {
      *minimum = lowCandidate;
      *maximum = highCandidate;
      continue;
    }
    // Strict comparisons: a NaN candidate replaces nothing.
    if (lowCandidate < *minimum) *minimum = lowCandidate;
    if (highCandidate > *maximum) *maximum = highCandidate;
  }
}

// Candidates of a row, as the raw 8-byte field: discrete rows give their value twice, coerced
// rows their coerced value twice, ranged rows their bounds.
ViReal64 LowField(ViInt32 type, const RangeTableEntry& row) noexcept {
  return type == ZOR_RANGE_COERCED ? row.coercedValue : row.minValue;
}
ViReal64 HighField(ViInt32 type, const RangeTableEntry& row) noexcept {
  if (type == ZOR_RANGE_DISCRETE) return row.minValue;
  return type == ZOR_RANGE_COERCED ? row.coercedValue : row.maxValue;
}

// The minimum/maximum query of one family; `convert` turns a raw field into T.
template <typename T, typename Convert>
ViStatus MinMax(ViSession vi, ViConstString repCapName, ViAttr attributeId, T* min, T* max,
                ViBoolean* hasMin, ViBoolean* hasMax, Convert convert) noexcept {
  ViBoolean locked = VI_FALSE;
  const ViStatus lockStatus = Zor_LockSession(vi, &locked);
  ViStatus status = VI_SUCCESS;
  RangeTablePtr table = nullptr;
  if (lockStatus < VI_SUCCESS) {
    status = lockStatus;
  } else {
    // A warning here has been recorded by Zor_GetAttrRangeTable and goes no further.
    const ViStatus found = Zor_GetAttrRangeTable(vi, repCapName, attributeId, &table);
    if (found < VI_SUCCESS) {
      status = found;
    } else if (table == nullptr) {
      status = RecordError(vi, ZOR_ERROR_NO_RANGE_TABLE);
    } else if (Zor_ValidateRangeTable(table) < VI_SUCCESS) {
      status = RecordError(vi, ZOR_ERROR_INVALID_RANGE_TABLE);
    }
  }
  if (status >= VI_SUCCESS) {
    const bool tableHasMin = table->hasMin != VI_FALSE;
    const bool tableHasMax = table->hasMax != VI_FALSE;
    if (hasMin != nullptr) *hasMin = tableHasMin ? VI_TRUE : VI_FALSE;
    if (hasMax != nullptr) *hasMax = tableHasMax ? VI_TRUE : VI_FALSE;
    const bool wantMin = min != nullptr && tableHasMin;
    const bool wantMax = max != nullptr && tableHasMax;
    if (wantMin || wantMax) {
      T minimum{};
      T maximum{};
      ScanExtremes(
          *table, &minimum, &maximum,
          [&](ViInt32 type, const RangeTableEntry& row) { return convert(LowField(type, row)); },
          [&](ViInt32 type, const RangeTableEntry& row) { return convert(HighField(type, row)); });
      if (wantMax) *max = maximum;
      if (wantMin) *min = minimum;
    }
  }
  // Release only a lock that was really taken.
  if (locked != VI_FALSE) Zor_UnlockSession(vi, &locked);
  return status;
}

ViReal64 AsReal64(ViReal64 field) noexcept { return field; }

// The check and coerce steps of a set, without writing, caching or invalidating anything.
// `Traits` is the value traits of the attribute type (ViInt32 or ViReal64).
template <typename Traits>
ViStatus CoercedValue(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                      typename Traits::Type value, typename Traits::Type* coercedValue, ViInt32 type) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    if (coercedValue == nullptr) return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
    SessionData* session = &guard.data();
    AttributeRecord* record = nullptr;
    AttributeInstance* instance = nullptr;
    const ViStatus found = FindAttributeInstance(session, attributeId, type, repCapName, &record, &instance);
    if (found < VI_SUCCESS) return RecordError(vi, found);
    // As a check made by the end user: writability first, once creation is complete; then the
    // check callback, whatever the session's range-checking setting says.
    const ViStatus writable = WritePermission(*session, *record, ZOR_VAL_USER_CALL);
    if (writable < VI_SUCCESS) return RecordError(vi, writable);
    const ViStatus checked = Note(vi, CallCheck(vi, *record, *instance, Traits::Make(value)));
    if (checked < VI_SUCCESS) return checked;
    typename Traits::Type coerced = value;
    ViStatus coercion = VI_SUCCESS;
    if (record->coerceCallback != nullptr) {
      const auto coerce = FromAnyCallback<typename Traits::CoerceCallback>(record->coerceCallback);
      coercion = Note(vi, coerce(vi, instance->repCapName, attributeId, value, &coerced));
      if (coercion < VI_SUCCESS) return coercion;
    }
    *coercedValue = coerced;
    return FirstWarning(checked, coercion);
  });
}

}  // namespace
}  // namespace zor

extern "C" {

// ---- Default check callbacks ----

ZOR_EXPORT ViStatus Zor_DefaultCheckCallbackViReal64(ViSession vi, ViConstString repCapName,
                                                     ViAttr attributeId, ViReal64 value) {
  return zor::CheckAgainstTable(vi, repCapName, attributeId, [value](RangeTablePtr table) {
    return Zor_GetViReal64EntryFromValue(value, table, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr);
  });
}

ZOR_EXPORT ViStatus Zor_DefaultCheckCallbackViInt32(ViSession vi, ViConstString repCapName,
                                                    ViAttr attributeId, ViInt32 value) {
  return Zor_DefaultCheckCallbackViReal64(vi, repCapName, attributeId,
                                          static_cast<ViReal64>(value));
}

ZOR_EXPORT ViStatus Zor_DefaultCheckCallbackViInt64(ViSession vi, ViConstString repCapName,
                                                    ViAttr attributeId, ViInt64 value) {
  return zor::CheckAgainstTable(vi, repCapName, attributeId, [value](RangeTablePtr table) {
    return Zor_GetViInt64EntryFromValue(value, table, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr);
  });
}

// ---- Default coerce callbacks ----

ZOR_EXPORT ViStatus Zor_DefaultCoerceCallbackViReal64(ViSession vi, ViConstString repCapName,
                                                      ViAttr attributeId, ViReal64 value,
                                                      ViReal64* coercedValue) {
  return zor::CoerceAgainstTable(
      vi, repCapName, attributeId, value, coercedValue,
      [value](RangeTablePtr table, ViReal64* out) {
        return Zor_GetViReal64EntryFromValue(value, table, nullptr, nullptr, out, nullptr,
                                             nullptr, nullptr);
      });
}

ZOR_EXPORT ViStatus Zor_DefaultCoerceCallbackViInt64(ViSession vi, ViConstString repCapName,
                                                     ViAttr attributeId, ViInt64 value,
                                                     ViInt64* coercedValue) {
  return zor::CoerceAgainstTable(
      vi, repCapName, attributeId, value, coercedValue,
      [value](RangeTablePtr table, ViInt64* out) {
        return Zor_GetViInt64EntryFromValue(value, table, nullptr, nullptr, out, nullptr,
                                            nullptr, nullptr);
      });
}

ZOR_EXPORT ViStatus Zor_DefaultCoerceCallbackViInt32(ViSession vi, ViConstString repCapName,
                                                     ViAttr attributeId, ViInt32 value,
                                                     ViInt32* coercedValue) {
  if (coercedValue == nullptr) return zor::RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
  ViReal64 coerced = 0.0;
  const ViStatus status = zor::Note(
      vi, Zor_DefaultCoerceCallbackViReal64(vi, repCapName, attributeId,
                                            static_cast<ViReal64>(value), &coerced));
  if (status < VI_SUCCESS) return status;
  *coercedValue = zor::TruncateToInt32(coerced);
  return status;
}

ZOR_EXPORT ViStatus Zor_DefaultCoerceCallbackViBoolean(ViSession, ViConstString, ViAttr,
                                                       ViBoolean value,
                                                       ViBoolean* coercedValue) {
  if (coercedValue == nullptr) return ZOR_ERROR_INVALID_PARAMETER;
  *coercedValue = value != VI_FALSE ? VI_TRUE : VI_FALSE;
  return VI_SUCCESS;
}

// ---- Comparison ----

ZOR_EXPORT ViStatus Zor_CompareWithPrecision(ViInt32 digits, ViReal64 a, ViReal64 b,
                                             ViInt32* result) {
  if (digits == 0) digits = zor::kDefaultDigits;
  if (digits < zor::kMinDigits || digits > zor::kMaxDigits) {
    char elaboration[64];
    std::snprintf(elaboration, sizeof elaboration, "Comparison precision must be from %d to %d",
                  static_cast<int>(zor::kMinDigits), static_cast<int>(zor::kMaxDigits));
    return zor::RecordError(VI_NULL, ZOR_ERROR_INVALID_VALUE, elaboration);
  }
  if (result == nullptr) return ZOR_ERROR_INVALID_PARAMETER;
  *result = zor::PrecisionCompare(digits, a, b);
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_DefaultCompareCallbackViReal64(ViSession vi, ViConstString,
                                                       ViAttr attributeId, ViReal64 a, ViReal64 b,
                                                       ViInt32* result) {
  ViInt32 precision = zor::kDefaultDigits;
  const ViStatus status =
      zor::Note(vi, Zor_GetAttrComparePrecision(vi, attributeId, &precision));
  if (status < VI_SUCCESS) return status;
  const ViStatus compared = zor::Note(vi, Zor_CompareWithPrecision(precision, a, b, result));
  if (compared < VI_SUCCESS) return compared;
  return zor::FirstWarning(status, compared);
}

// ---- Minimum and maximum of an attribute's table ----

ZOR_EXPORT ViStatus Zor_GetAttrMinMaxViInt32(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt32* min, ViInt32* max,
                                             ViBoolean* hasMin, ViBoolean* hasMax) {
  return zor::MinMax(vi, repCapName, attributeId, min, max, hasMin, hasMax,
                     zor::TruncateToInt32);
}

ZOR_EXPORT ViStatus Zor_GetAttrMinMaxViInt64(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt64* min, ViInt64* max,
                                             ViBoolean* hasMin, ViBoolean* hasMax) {
  return zor::MinMax(vi, repCapName, attributeId, min, max, hasMin, hasMax, zor::ValueAsInt64);
}

ZOR_EXPORT ViStatus Zor_GetAttrMinMaxViReal64(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViReal64* min, ViReal64* max,
                                              ViBoolean* hasMin, ViBoolean* hasMax) {
  return zor::MinMax(vi, repCapName, attributeId, min, max, hasMin, hasMax, zor::AsReal64);
}

// ---- Coerced value of a prospective set ----

ZOR_EXPORT ViStatus Zor_GetCoercedValViInt32(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt32 value,
                                             ViInt32* coercedValue) {
  return zor::CoercedValue<zor::Int32Traits>(vi, repCapName, attributeId, value, coercedValue,
                                             ZOR_TYPE_INT32);
}


ZOR_EXPORT ViStatus Zor_GetCoercedValViReal64(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViReal64 value,
                                              ViReal64* coercedValue) {
  return zor::CoercedValue<zor::Real64Traits>(vi, repCapName, attributeId, value, coercedValue,
                                              ZOR_TYPE_REAL64);
}

// ---- Value helpers without a session ----

ZOR_EXPORT ViStatus Zor_CheckNumericRange(ViReal64 value, ViReal64 min, ViReal64 max,
                                          ViStatus errorCode) {
  // Inclusive bounds; a NaN is neither below nor above and passes.
  return (value < min || value > max) ? errorCode : VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_CheckBooleanRange(ViBoolean value, ViStatus errorCode) {
  return (value == VI_FALSE || value == VI_TRUE) ? VI_SUCCESS : errorCode;
}

ZOR_EXPORT ViStatus Zor_CoerceBoolean(ViBoolean* value) {
  if (value == nullptr) return ZOR_ERROR_INVALID_PARAMETER;
  *value = *value != VI_FALSE ? VI_TRUE : VI_FALSE;
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_GetStringFromTable(const StringValueEntry table[], ViInt32 value,
                                           ViString* string) {
  for (const StringValueEntry* row = table; row != nullptr && row->string != nullptr; ++row) {
    if (row->value == value) {
      if (string != nullptr) *string = row->string;  // the table's own text, not a copy
      return VI_SUCCESS;
    }
  }
  if (string != nullptr) *string = nullptr;
  return ZOR_ERROR_INVALID_VALUE;
}

ZOR_EXPORT ViStatus Zor_GetValueFromTable(const StringValueEntry table[], ViConstString string,
                                          ViInt32* value) {
  if (string != nullptr) {
    for (const StringValueEntry* row = table; row != nullptr && row->string != nullptr; ++row) {
      if (zor::MatchResponseString(row->string, string)) {
        if (value != nullptr) *value = row->value;
        return VI_SUCCESS;
      }
    }
  }
  return ZOR_ERROR_INVALID_VALUE;
}

}  // extern "C"
