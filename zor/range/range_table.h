// Internal helpers of the range tables, shared with the rest of the engine: the comparison of
// doubles to a number of significant digits, the matching of instrument responses against the
// command strings of a table, and the walk of a table's rows.
#pragma once

#include <cstdint>

#include "zor.h"

namespace zor {

// -1, 0 or 1 comparing `a` with `b` to `digits` significant digits. The difference is taken
// relative to `a` (or as |b| when `a` is 0.0), so the comparison is not symmetric; a NaN on
// either side compares as 1.
int PrecisionCompare(ViInt32 digits, ViReal64 a, ViReal64 b) noexcept;

// True when `given` is `stored` optionally followed by a carriage return or line feed (and
// anything after it). Two NULL texts match; a NULL text matches nothing else.
bool MatchResponseString(const char* stored, const char* given) noexcept;

// True for the row that ends a table.
inline bool IsEndRow(const RangeTableEntry& row) noexcept {
  return row.cmdString == ZOR_RANGE_TABLE_END_STRING;
}

// Rows before the first end row; 0 for a NULL table or a table without rows.
ViInt32 CountRangeTableEntries(const RangeTable* table) noexcept;

// A double truncated toward zero into a ViInt32 (2.7 gives 2, -2.7 gives -2). Values beyond
// the ViInt32 range saturate at its bounds and NaN gives 0, so that no table content can make
// the conversion undefined.
ViInt32 TruncateToInt32(ViReal64 value) noexcept;

// The three value fields of a row hold ViInt64 bit patterns in tables of 64-bit attributes.
std::int64_t ValueAsInt64(ViReal64 field) noexcept;
ViReal64 Int64AsValue(std::int64_t value) noexcept;

}  // namespace zor
