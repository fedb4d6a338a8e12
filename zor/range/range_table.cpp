// Range tables: building and maintaining them, the table of an attribute, and the fifteen
// lookups drivers use to translate between attribute values, command strings and command
// numbers.
//
// A table is plain data that drivers may declare statically, so everything here reads it in
// place, walks it row by row up to its end row and caches nothing: a table may be changed
// while it is attached to an attribute.
#include "range/range_table.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "core/attribute.h"
#include "core/export_guard.h"
#include "core/pipeline.h"
#include "core/session.h"
#include "errors/error_info.h"

namespace zor {

int PrecisionCompare(ViInt32 digits, ViReal64 a, ViReal64 b) noexcept {
  if (a == b) return 0;
  // pow reports trouble only through errno, so clear it first and trust the threshold only if
  // it is still clear afterwards.
  errno = 0;
  const ViReal64 difference = (a == 0.0) ? std::fabs(b) : std::fabs(a - b) / std::fabs(a);
  const ViReal64 threshold = std::pow(10.0, static_cast<ViReal64>(1 - digits));
  if (threshold > difference && errno == 0) return 0;
  // A NaN fails every ordered comparison and lands here as "greater".
  return a < b ? -1 : 1;
}

bool MatchResponseString(const char* stored, const char* given) noexcept {
  if (stored == nullptr || given == nullptr) return stored == given;
  const std::size_t length = std::strlen(stored);
  if (std::strncmp(stored, given, length) != 0) return false;
  // An instrument's response arrives with its line terminator; whatever follows it is noise.
  const char next = given[length];
  return next == '\0' || next == '\r' || next == '\n';
}

ViInt32 CountRangeTableEntries(const RangeTable* table) noexcept {
  if (table == nullptr || table->entries == nullptr) return 0;
  ViInt32 count = 0;
  while (!IsEndRow(table->entries[count])) ++count;
  return count;
}

ViInt32 TruncateToInt32(ViReal64 value) noexcept {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<ViReal64>(std::numeric_limits<ViInt32>::min())) {
    return std::numeric_limits<ViInt32>::min();
  }
  if (value >= static_cast<ViReal64>(std::numeric_limits<ViInt32>::max())) {
    return std::numeric_limits<ViInt32>::max();
  }
  return static_cast<ViInt32>(value);  // truncates toward zero
}

std::int64_t ValueAsInt64(ViReal64 field) noexcept {
  std::int64_t value = 0;
  std::memcpy(&value, &field, sizeof value);
  return value;
}

ViReal64 Int64AsValue(std::int64_t value) noexcept {
  ViReal64 field = 0.0;
  std::memcpy(&field, &value, sizeof field);
  return field;
}

namespace {

constexpr ViInt32 kLookupDigits = 14;

bool IsValidTableType(ViInt32 type) noexcept {
  return type == ZOR_RANGE_DISCRETE || type == ZOR_RANGE_RANGED || type == ZOR_RANGE_COERCED;
}

ViStatus ValidateTable(const RangeTable* table) noexcept {
  if (table == nullptr) return VI_SUCCESS;  // no table: the caller decides what that means
  // A header without rows cannot be read at all; it is as unusable as one without entries.
  if (!IsValidTableType(table->type) || table->entries == nullptr ||
      IsEndRow(table->entries[0])) {
    return ZOR_ERROR_INVALID_RANGE_TABLE;
  }
  return VI_SUCCESS;
}

// The requested outputs of a lookup, in the value type T of its family.
template <typename T>
struct RowOutputs {
  T* minValue = nullptr;
  T* maxValue = nullptr;
  T* coercedValue = nullptr;
  ViInt32* index = nullptr;
  ViString* cmdString = nullptr;
  ViInt32* cmdValue = nullptr;
};

// Finds the first row of `table` that `matches(type, row, index)` accepts and writes the
// requested outputs from it, each value field converted by `convert`. A failure writes
// nothing and is recorded on the calling thread only: lookups have no session.
template <typename T, typename Matches, typename Convert>
ViStatus LookupRow(const RangeTable* table, Matches matches, Convert convert,
                   const RowOutputs<T>& out) noexcept {
  ViStatus status = ZOR_ERROR_INVALID_VALUE;
  if (table == nullptr) {
    status = ZOR_ERROR_NO_RANGE_TABLE;
  } else if (ValidateTable(table) < VI_SUCCESS) {
    status = ZOR_ERROR_INVALID_RANGE_TABLE;
  } else {
    for (ViInt32 i = 0; !IsEndRow(table->entries[i]); ++i) {
      const RangeTableEntry& row = table->entries[i];
      if (!matches(table->type, row, i)) continue;
      if (out.minValue != nullptr) *out.minValue = convert(row.minValue);
      if (out.maxValue != nullptr) *out.maxValue = convert(row.maxValue);
      if (out.coercedValue != nullptr) *out.coercedValue = convert(row.coercedValue);
      if (out.index != nullptr) *out.index = i;
      if (out.cmdString != nullptr) *out.cmdString = row.cmdString;
      if (out.cmdValue != nullptr) *out.cmdValue = row.cmdValue;
      return VI_SUCCESS;
    }
  }
  return RecordError(VI_NULL, status);
}

// Row matchers of the ViReal64 family (which the ViInt32 family shares): values compare to
// 14 significant digits.
auto Real64ByValue(ViReal64 value) noexcept {
  return [value](ViInt32 type, const RangeTableEntry& row, ViInt32) {
    if (type == ZOR_RANGE_DISCRETE) return PrecisionCompare(kLookupDigits, value, row.minValue) == 0;
    return PrecisionCompare(kLookupDigits, value, row.minValue) != -1 &&
           PrecisionCompare(kLookupDigits, value, row.maxValue) != 1;
  };
}
auto Real64ByCoercedValue(ViReal64 key) noexcept {
  return [key](ViInt32, const RangeTableEntry& row, ViInt32) {
    return PrecisionCompare(kLookupDigits, key, row.coercedValue) == 0;
  };
}

// Row matchers of the ViInt64 family: exact signed 64-bit comparisons, no trip through double.
auto Int64ByValue(std::int64_t value) noexcept {
  return [value](ViInt32 type, const RangeTableEntry& row, ViInt32) {
    const std::int64_t low = ValueAsInt64(row.minValue);
    if (type == ZOR_RANGE_DISCRETE) return value == low;
    return low <= value && value <= ValueAsInt64(row.maxValue);
  };
}
auto Int64ByCoercedValue(std::int64_t key) noexcept {
  return [key](ViInt32, const RangeTableEntry& row, ViInt32) {
    return key == ValueAsInt64(row.coercedValue);
  };
}

// Matchers common to every family.
auto ByString(const char* key) noexcept {
  return [key](ViInt32, const RangeTableEntry& row, ViInt32) {
    return MatchResponseString(row.cmdString, key);
  };
}
auto ByCmdValue(ViInt32 key) noexcept {
  return [key](ViInt32, const RangeTableEntry& row, ViInt32) { return row.cmdValue == key; };
}
// Rows are only visited up to the end row, so this also enforces 0 <= key < entries.
auto ByIndex(ViInt32 key) noexcept {
  return [key](ViInt32, const RangeTableEntry&, ViInt32 index) { return index == key; };
}

ViReal64 AsReal64(ViReal64 field) noexcept { return field; }

template <typename Matches>
ViStatus LookupReal64(const RangeTable* table, Matches matches,
                      const RowOutputs<ViReal64>& out) noexcept {
  return LookupRow(table, matches, AsReal64, out);
}
template <typename Matches>
ViStatus LookupInt32(const RangeTable* table, Matches matches,
                     const RowOutputs<ViInt32>& out) noexcept {
  return LookupRow(table, matches, TruncateToInt32, out);
}
template <typename Matches>
ViStatus LookupInt64(const RangeTable* table, Matches matches,
                     const RowOutputs<ViInt64>& out) noexcept {
  return LookupRow(table, matches, ValueAsInt64, out);
}

// Bytes of `rows` table rows as a Zor_Alloc size; -1 (which Zor_Alloc refuses as out of
// memory) when the count is negative or the size does not fit.
ViInt32 RowBlockSize(ViInt32 rows) noexcept {
  constexpr auto kRowSize = static_cast<ViInt32>(sizeof(RangeTableEntry));
  if (rows < 0 || rows > std::numeric_limits<ViInt32>::max() / kRowSize) return -1;
  return rows * kRowSize;
}

void MakeEndRow(RangeTableEntry& row) noexcept {
  row.minValue = 0.0;
  row.maxValue = 0.0;
  row.coercedValue = 0.0;
  row.cmdString = ZOR_RANGE_TABLE_END_STRING;
  row.cmdValue = 0;
}

// Runs with the session (if any) locked by the caller.
ViStatus NewTable(ViSession vi, ViInt32 numberOfEntries, ViInt32 tableType, ViBoolean hasMin,
                  ViBoolean hasMax, RangeTablePtr* rangeTable) noexcept {
  if (!IsValidTableType(tableType) || rangeTable == nullptr) return ZOR_ERROR_INVALID_PARAMETER;

  // Zor_Alloc records its own failures, and zero-fills what it gives.
  ViAddr header = nullptr;
  ViStatus status = Zor_Alloc(vi, static_cast<ViInt32>(sizeof(RangeTable)), &header);
  if (status < VI_SUCCESS) return status;
  ViAddr rows = nullptr;
  status = Zor_Alloc(vi, RowBlockSize(numberOfEntries), &rows);
  if (status < VI_SUCCESS) {
    Zor_Free(vi, header);
    return status;
  }

  auto* entries = static_cast<RangeTableEntry*>(rows);
  MakeEndRow(entries[numberOfEntries - 1]);
  auto* table = static_cast<RangeTable*>(header);
  table->type = tableType;
  table->hasMin = hasMin != VI_FALSE ? VI_TRUE : VI_FALSE;
  table->hasMax = hasMax != VI_FALSE ? VI_TRUE : VI_FALSE;
  table->reserved = nullptr;
  table->entries = entries;
  *rangeTable = table;
  return VI_SUCCESS;
}

// Runs with the session (if any) locked by the caller. Failures are recorded, never returned.
void FreeTable(ViSession vi, RangeTable* table, ViBoolean freeCmdStrings) noexcept {
  if (table == nullptr) {
    RecordError(vi, ZOR_ERROR_INVALID_RANGE_TABLE);
    return;
  }
  if (freeCmdStrings != VI_FALSE) {
    const ViInt32 count = CountRangeTableEntries(table);
    for (ViInt32 i = 0; i < count; ++i) {
      ViString cmdString = nullptr;
      const ViStatus status =
          Zor_GetViReal64EntryFromIndex(i, table, nullptr, nullptr, nullptr, &cmdString, nullptr);
      if (status < VI_SUCCESS) {
        RecordError(vi, status);
        return;
      }
      // A string that is not ours stops everything: Zor_Free has recorded why.
      if (cmdString != nullptr && Zor_Free(vi, cmdString) < VI_SUCCESS) return;
    }
  }
  if (table->entries != nullptr && Zor_Free(vi, table->entries) < VI_SUCCESS) return;
  Zor_Free(vi, table);
}

// Steps 2 to 4 of Zor_GetAttrRangeTable, with the session acquired.
ViStatus AttrRangeTable(ViSession vi, SessionData& data, ViConstString repCapName,
                        ViAttr attributeId, RangeTablePtr* rangeTable) {
  if (rangeTable == nullptr) return ZOR_ERROR_INVALID_PARAMETER;
  SessionData* session = &data;
  AttributeRecord* record = nullptr;
  AttributeInstance* instance = nullptr;
  const ViStatus status = FindAttributeInstance(session, attributeId, ZOR_TYPE_ANY, repCapName, &record, &instance);
  if (status < VI_SUCCESS) return status;
  if (record->rangeTableCallback != nullptr) {
    return record->rangeTableCallback(vi, instance->repCapName, attributeId, rangeTable);
  }
  *rangeTable = record->rangeTable;
  return VI_SUCCESS;
}

// FindAttribute for the stored-pointer functions; `use` reads or replaces the field.
template <typename Use>
ViStatus WithStoredTable(ViSession vi, ViAttr attributeId, Use use) noexcept {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    ViStatus status = guard.status();
    if (guard.acquired()) {
      SessionData* session = &guard.data();
      AttributeRecord* record = nullptr;
      status = FindAttribute(session, attributeId, &record);
      if (status >= VI_SUCCESS) status = use(*record);
    }
    if (status != VI_SUCCESS) RecordError(vi, status);
    return status;
  });
}

}  // namespace
}  // namespace zor

using zor::RowOutputs;

extern "C" {

ZOR_EXPORT ViStatus Zor_RangeTableNew(ViSession vi, ViInt32 numberOfEntries, ViInt32 tableType,
                                      ViBoolean hasMin, ViBoolean hasMax,
                                      RangeTablePtr* rangeTable) {
  ViBoolean locked = VI_FALSE;
  if (vi != VI_NULL) {
    const ViStatus status = Zor_LockSession(vi, &locked);  // records its own failure
    if (status < VI_SUCCESS) return status;
  }
  const ViStatus status =
      zor::NewTable(vi, numberOfEntries, tableType, hasMin, hasMax, rangeTable);
  if (locked != VI_FALSE) Zor_UnlockSession(vi, &locked);
  return status;
}

ZOR_EXPORT ViStatus Zor_RangeTableFree(ViSession vi, RangeTablePtr rangeTable,
                                       ViBoolean freeCmdStrings) {
  ViBoolean locked = VI_FALSE;
  if (vi != VI_NULL && Zor_LockSession(vi, &locked) < VI_SUCCESS) return VI_SUCCESS;
  zor::FreeTable(vi, rangeTable, freeCmdStrings);
  if (locked != VI_FALSE) Zor_UnlockSession(vi, &locked);
  // Failures show only in the error information.
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_SetRangeTableEntry(RangeTablePtr rangeTable, ViInt32 index,
                                           ViReal64 minValue, ViReal64 maxValue,
                                           ViReal64 coercedValue, ViString cmdString,
                                           ViInt32 cmdValue) {
  if (rangeTable == nullptr) return ZOR_ERROR_INVALID_RANGE_TABLE;
  if (index < 0 || index >= zor::CountRangeTableEntries(rangeTable)) {
    return ZOR_ERROR_INVALID_PARAMETER;
  }
  RangeTableEntry& row = rangeTable->entries[index];
  row.minValue = minValue;
  row.maxValue = maxValue;
  row.coercedValue = coercedValue;
  row.cmdString = cmdString;  // ZOR_RANGE_TABLE_END_STRING shortens the table; that is allowed
  row.cmdValue = cmdValue;
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_SetRangeTableEntryViInt64(RangeTablePtr rangeTable, ViInt32 index,
                                                  ViInt64 minValue, ViInt64 maxValue,
                                                  ViInt64 coercedValue, ViString cmdString,
                                                  ViInt32 cmdValue) {
  return Zor_SetRangeTableEntry(rangeTable, index, zor::Int64AsValue(minValue),
                                zor::Int64AsValue(maxValue), zor::Int64AsValue(coercedValue),
                                cmdString, cmdValue);
}

ZOR_EXPORT ViStatus Zor_SetRangeTableEnd(RangeTablePtr rangeTable, ViInt32 index) {
  if (rangeTable == nullptr) return VI_SUCCESS;
  // Rows beyond the allocation cannot be detected, but a negative index certainly lies
  // before it: refuse it rather than write there.
  if (index < 0 || rangeTable->entries == nullptr) return ZOR_ERROR_INVALID_PARAMETER;
  RangeTableEntry* rows = rangeTable->entries;
  const ViInt32 currentEnd = zor::CountRangeTableEntries(rangeTable);
  rows[currentEnd].cmdString = nullptr;  // the old end row becomes an ordinary row
  zor::MakeEndRow(rows[index]);
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_ValidateRangeTable(RangeTablePtr rangeTable) {
  return zor::ValidateTable(rangeTable);
}

ZOR_EXPORT ViStatus Zor_GetRangeTableNumEntries(RangeTablePtr rangeTable, ViInt32* numEntries) {
  if (numEntries != nullptr) *numEntries = zor::CountRangeTableEntries(rangeTable);
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_GetAttrRangeTable(ViSession vi, ViConstString repCapName,
                                          ViAttr attributeId, RangeTablePtr* rangeTable) {
  // Warnings are recorded too; errors also get the elaboration naming the attribute.
  const auto report = [&](ViStatus status) {
    if (status != VI_SUCCESS) {
      zor::RecordError(vi, status);
      if (status < VI_SUCCESS) zor::SetAttributeErrorInfo(vi, status, attributeId, repCapName);
    }
    return status;
  };
  try {
    // Asked by a default callback about the very instance the pipeline is working on: the
    // session is held and the instance known, so answer from the record directly.
    const zor::PipelineContext* context = zor::CurrentPipelineContext();
    if (context != nullptr && rangeTable != nullptr && context->Matches(vi, attributeId) &&
        context->instance->repCapName == repCapName) {
      if (context->record->rangeTableCallback != nullptr) {
        return report(context->record->rangeTableCallback(vi, repCapName, attributeId, rangeTable));
      }
      *rangeTable = context->record->rangeTable;
      return VI_SUCCESS;
    }
    // The range-table callback runs under the session lock; it may re-enter the engine.
    zor::SessionGuard guard(vi);
    if (!guard.acquired()) return report(guard.status());
    return report(zor::AttrRangeTable(vi, guard.data(), repCapName, attributeId, rangeTable));
  } catch (const std::bad_alloc&) {
    return report(VI_ERROR_ALLOC);
  } catch (...) {
    return report(ZOR_ERROR_UNRECOVERABLE_FAILURE);
  }
}

ZOR_EXPORT ViStatus Zor_GetStoredRangeTablePtr(ViSession vi, ViAttr attributeId,
                                               RangeTablePtr* rangeTable) {
  return zor::WithStoredTable(vi, attributeId, [rangeTable](zor::AttributeRecord& record) {
    if (rangeTable == nullptr) return ZOR_ERROR_INVALID_PARAMETER;
    *rangeTable = record.rangeTable;
    return VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_SetStoredRangeTablePtr(ViSession vi, ViAttr attributeId,
                                               RangeTablePtr rangeTable) {
  return zor::WithStoredTable(vi, attributeId, [rangeTable](zor::AttributeRecord& record) {
    record.rangeTable = rangeTable;  // not validated: the driver owns what it attaches
    return VI_SUCCESS;
  });
}

// ---- ViReal64 lookups ----

ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromValue(ViReal64 value, RangeTablePtr rangeTable,
                                                ViReal64* minValue, ViReal64* maxValue,
                                                ViReal64* coercedValue, ViInt32* index,
                                                ViString* cmdString, ViInt32* cmdValue) {
  return zor::LookupReal64(rangeTable, zor::Real64ByValue(value),
                           RowOutputs<ViReal64>{minValue, maxValue, coercedValue, index,
                                                cmdString, cmdValue});
}

ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromString(ViConstString string, RangeTablePtr rangeTable,
                                                 ViReal64* minValue, ViReal64* maxValue,
                                                 ViReal64* coercedValue, ViInt32* index,
                                                 ViInt32* cmdValue) {
  return zor::LookupReal64(rangeTable, zor::ByString(string),
                           RowOutputs<ViReal64>{minValue, maxValue, coercedValue, index,
                                                nullptr, cmdValue});
}

ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromIndex(ViInt32 index, RangeTablePtr rangeTable,
                                                ViReal64* minValue, ViReal64* maxValue,
                                                ViReal64* coercedValue, ViString* cmdString,
                                                ViInt32* cmdValue) {
  return zor::LookupReal64(rangeTable, zor::ByIndex(index),
                           RowOutputs<ViReal64>{minValue, maxValue, coercedValue, nullptr,
                                                cmdString, cmdValue});
}

ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromCmdValue(ViInt32 cmdValue, RangeTablePtr rangeTable,
                                                   ViReal64* minValue, ViReal64* maxValue,
                                                   ViReal64* coercedValue, ViInt32* index,
                                                   ViString* cmdString) {
  return zor::LookupReal64(rangeTable, zor::ByCmdValue(cmdValue),
                           RowOutputs<ViReal64>{minValue, maxValue, coercedValue, index,
                                                cmdString, nullptr});
}

ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromCoercedVal(ViReal64 coercedValue,
                                                     RangeTablePtr rangeTable,
                                                     ViReal64* minValue, ViReal64* maxValue,
                                                     ViInt32* index, ViString* cmdString,
                                                     ViInt32* cmdValue) {
  return zor::LookupReal64(rangeTable, zor::Real64ByCoercedValue(coercedValue),
                           RowOutputs<ViReal64>{minValue, maxValue, nullptr, index, cmdString,
                                                cmdValue});
}

// ---- ViInt32 lookups: the ViReal64 lookups with the key widened exactly and the value
// outputs truncated toward zero ----

ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromValue(ViInt32 value, RangeTablePtr rangeTable,
                                                ViInt32* minValue, ViInt32* maxValue,
                                                ViInt32* coercedValue, ViInt32* index,
                                                ViString* cmdString, ViInt32* cmdValue) {
  return zor::LookupInt32(rangeTable, zor::Real64ByValue(static_cast<ViReal64>(value)),
                          RowOutputs<ViInt32>{minValue, maxValue, coercedValue, index,
                                              cmdString, cmdValue});
}

ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromString(ViConstString string, RangeTablePtr rangeTable,
                                                 ViInt32* minValue, ViInt32* maxValue,
                                                 ViInt32* coercedValue, ViInt32* index,
                                                 ViInt32* cmdValue) {
  return zor::LookupInt32(rangeTable, zor::ByString(string),
                          RowOutputs<ViInt32>{minValue, maxValue, coercedValue, index, nullptr,
                                              cmdValue});
}

ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromIndex(ViInt32 index, RangeTablePtr rangeTable,
                                                ViInt32* minValue, ViInt32* maxValue,
                                                ViInt32* coercedValue, ViString* cmdString,
                                                ViInt32* cmdValue) {
  return zor::LookupInt32(rangeTable, zor::ByIndex(index),
                          RowOutputs<ViInt32>{minValue, maxValue, coercedValue, nullptr,
                                              cmdString, cmdValue});
}

ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromCmdValue(ViInt32 cmdValue, RangeTablePtr rangeTable,
                                                   ViInt32* minValue, ViInt32* maxValue,
                                                   ViInt32* coercedValue, ViInt32* index,
                                                   ViString* cmdString) {
  return zor::LookupInt32(rangeTable, zor::ByCmdValue(cmdValue),
                          RowOutputs<ViInt32>{minValue, maxValue, coercedValue, index, cmdString,
                                              nullptr});
}

ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromCoercedVal(ViInt32 coercedValue,
                                                     RangeTablePtr rangeTable,
                                                     ViInt32* minValue, ViInt32* maxValue,
                                                     ViInt32* index, ViString* cmdString,
                                                     ViInt32* cmdValue) {
  return zor::LookupInt32(rangeTable,
                          zor::Real64ByCoercedValue(static_cast<ViReal64>(coercedValue)),
                          RowOutputs<ViInt32>{minValue, maxValue, nullptr, index, cmdString,
                                              cmdValue});
}

// ---- ViInt64 lookups ----

ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromValue(ViInt64 value, RangeTablePtr rangeTable,
                                                ViInt64* minValue, ViInt64* maxValue,
                                                ViInt64* coercedValue, ViInt32* index,
                                                ViString* cmdString, ViInt32* cmdValue) {
  return zor::LookupInt64(rangeTable, zor::Int64ByValue(value),
                          RowOutputs<ViInt64>{minValue, maxValue, coercedValue, index,
                                                   cmdString, cmdValue});
}

ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromString(ViConstString string, RangeTablePtr rangeTable,
                                                 ViInt64* minValue, ViInt64* maxValue,
                                                 ViInt64* coercedValue, ViInt32* index,
                                                 ViInt32* cmdValue) {
  return zor::LookupInt64(rangeTable, zor::ByString(string),
                          RowOutputs<ViInt64>{minValue, maxValue, coercedValue, index,
                                                   nullptr, cmdValue});
}

ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromIndex(ViInt32 index, RangeTablePtr rangeTable,
                                                ViInt64* minValue, ViInt64* maxValue,
                                                ViInt64* coercedValue, ViString* cmdString,
                                                ViInt32* cmdValue) {
  return zor::LookupInt64(rangeTable, zor::ByIndex(index),
                          RowOutputs<ViInt64>{minValue, maxValue, coercedValue, nullptr,
                                                   cmdString, cmdValue});
}

ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromCmdValue(ViInt32 cmdValue, RangeTablePtr rangeTable,
                                                   ViInt64* minValue, ViInt64* maxValue,
                                                   ViInt64* coercedValue, ViInt32* index,
                                                   ViString* cmdString) {
  return zor::LookupInt64(rangeTable, zor::ByCmdValue(cmdValue),
                          RowOutputs<ViInt64>{minValue, maxValue, coercedValue, index,
                                                   cmdString, nullptr});
}

ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromCoercedVal(ViInt64 coercedValue,
                                                     RangeTablePtr rangeTable,
                                                     ViInt64* minValue, ViInt64* maxValue,
                                                     ViInt32* index, ViString* cmdString,
                                                     ViInt32* cmdValue) {
  return zor::LookupInt64(rangeTable, zor::Int64ByCoercedValue(coercedValue),
                          RowOutputs<ViInt64>{minValue, maxValue, nullptr, index,
                                                   cmdString, cmdValue});
}

}  // extern "C"
