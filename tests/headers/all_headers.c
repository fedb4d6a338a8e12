/* The three public headers in C99, zor.h first, with the layouts and values that drivers
 * written in C depend on checked at compile time. */
#include "zor.h"
#include "zorbase.h"
#include "zornum.h"

#include <stdint.h>

#include "layout_items.h"

/* A compile-time assertion for C99: a negative array size stops the build. */
#define C_ASSERT(name, cond) typedef char c_assert_##name[(cond) ? 1 : -1]

/* Widths and signedness of the VISA types. */
C_ASSERT(int16_width, sizeof(ViInt16) == 2 && (ViInt16)-1 < 0);
C_ASSERT(uint16_width, sizeof(ViUInt16) == 2 && (ViUInt16)-1 > 0);
C_ASSERT(int32_width, sizeof(ViInt32) == 4 && (ViInt32)-1 < 0);
C_ASSERT(uint32_width, sizeof(ViUInt32) == 4 && (ViUInt32)-1 > 0);
C_ASSERT(int64_width, sizeof(ViInt64) == 8 && (ViInt64)-1 < 0);
C_ASSERT(uint64_width, sizeof(ViUInt64) == 8 && (ViUInt64)-1 > 0);
C_ASSERT(real64_width, sizeof(ViReal64) == 8);
C_ASSERT(boolean_width, sizeof(ViBoolean) == 2 && (ViBoolean)-1 > 0);
C_ASSERT(char_width, sizeof(ViChar) == 1);
C_ASSERT(session_width, sizeof(ViSession) == 4 && (ViSession)-1 > 0);
C_ASSERT(status_width, sizeof(ViStatus) == 4 && (ViStatus)-1 < 0);
C_ASSERT(attr_width, sizeof(ViAttr) == 4 && (ViAttr)-1 > 0);
C_ASSERT(addr_width, sizeof(ViAddr) == sizeof(void *));

/* Layouts drivers declare as static data; fixed for LP64 (x86_64). */
#if defined(__x86_64__)
C_ASSERT(entry_size, sizeof(RangeTableEntry) == 40);
C_ASSERT(entry_cmd_string, offsetof(RangeTableEntry, cmdString) == 24);
C_ASSERT(entry_cmd_value, offsetof(RangeTableEntry, cmdValue) == 32);
C_ASSERT(table_size, sizeof(RangeTable) == 24);
C_ASSERT(table_has_max, offsetof(RangeTable, hasMax) == 6);
C_ASSERT(table_entries, offsetof(RangeTable, entries) == 16);
C_ASSERT(string_value_size, sizeof(StringValueEntry) == 16);
C_ASSERT(invalidation_size, sizeof(InvalidationEntry) == 8);
#endif

/* A sample of constant values, and the families their signs encode. */
C_ASSERT(success_value, VI_SUCCESS == 0 && VI_TRUE == 1 && VI_FALSE == 0);
C_ASSERT(error_value, ZOR_ERROR_INVALID_PARAMETER == (ViStatus)0xBFFA000F &&
                          ZOR_ERROR_INVALID_PARAMETER < 0);
C_ASSERT(warning_value, ZOR_WARN_NO_ID_QUERY == 0x3FFC0101 && ZOR_WARN_NO_ID_QUERY > 0);
C_ASSERT(visa_values, VI_ERROR_ALLOC < 0 && VI_ERROR_SYSTEM_ERROR < 0 && VI_WARN_UNKNOWN_STATUS > 0);
C_ASSERT(visa_attrs, VI_ATTR_TMO_VALUE == 0x3FFF001AUL && VI_ATTR_SEND_END_EN == 0x3FFF0016UL);
C_ASSERT(attr_values, ZOR_ATTR_CACHE == 1050004 && ZORDMM_ATTR_RANGE == 1250002 &&
                          ZORSCOPE_ATTR_ACQUISITION_START_TIME == 1250109);
C_ASSERT(hidden_flag, ZOR_VAL_HIDDEN == (ZOR_VAL_NOT_USER_READABLE | ZOR_VAL_NOT_USER_WRITABLE));
C_ASSERT(type_codes, ZOR_TYPE_REAL64 == 4 && ZOR_TYPE_BOOLEAN == 13 && ZOR_TYPE_ANY == 14);
C_ASSERT(other_codes, ZOR_CALLBACK_RANGE_TABLE == 6 && ZOR_RANGE_COERCED == 2 &&
                          ZOR_FLOAT_NEG_INF == 3 && ZOR_INTERCHANGE_CHECK_NONE == 4);
C_ASSERT(all_channels, sizeof(ZOR_ALL_CHANNELS) == sizeof("ZOR_ALL_CHANNELS"));

/* The preprocessor sees the attribute ids and flags as numbers. */
#if ZOR_ATTR_SIMULATE != 1050005 || ZOR_VAL_NO_STATUS_CHECK != 0x8000
#error "attribute ids and flags must be usable in #if"
#endif

/* Each VISA type is the very type it stands for: an incompatible pointer stops the build. */
static void check_type_identity(void) {
  ViInt16 i16 = 0;
  ViUInt16 u16 = 0;
  ViInt32 i32 = 0;
  ViUInt32 u32 = 0;
  ViInt64 i64 = 0;
  ViUInt64 u64 = 0;
  ViReal64 r64 = 0.0;
  ViString text = 0;
  ViConstString const_text = 0;
  ViAddr addr = 0;
  ViBuf buf = 0;
  int16_t *p16 = &i16;
  uint16_t *pu16 = &u16;
  int32_t *p32 = &i32;
  uint32_t *pu32 = &u32;
  int64_t *p64 = &i64;
  uint64_t *pu64 = &u64;
  double *pr64 = &r64;
  char **ptext = &text;
  const char **pconst_text = &const_text;
  void **paddr = &addr;
  unsigned char **pbuf = &buf;
  (void)p16, (void)pu16, (void)p32, (void)pu32, (void)p64, (void)pu64, (void)pr64;
  (void)ptext, (void)pconst_text, (void)paddr, (void)pbuf;
}

/* Callbacks written the way a C driver writes them fit the callback types. */
static ViStatus read_real64(ViSession vi, ViSession io, ViConstString repCapName,
                            ViAttr attributeId, ViReal64 *value) {
  (void)vi, (void)io, (void)repCapName, (void)attributeId;
  *value = 0.0;
  return VI_SUCCESS;
}
static ViStatus coerce_string(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                              ViConstString value) {
  (void)vi, (void)repCapName, (void)attributeId, (void)value;
  return VI_SUCCESS;
}
static ViStatus range_table(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                            RangeTablePtr *table) {
  (void)vi, (void)repCapName, (void)attributeId;
  *table = VI_NULL;
  return VI_SUCCESS;
}
static ViStatus opc(ViSession vi, ViSession io) {
  (void)vi, (void)io;
  return VI_SUCCESS;
}
static ViStatus user_check(ViSession vi, ViInt32 functionId, ViConstString repCapName,
                           ViAttr attributeId) {
  (void)vi, (void)functionId, (void)repCapName, (void)attributeId;
  return VI_SUCCESS;
}

/* A range table as drivers declare it: rows, then the end row. */
static RangeTableEntry kEntries[] = {
    {0.0, 10.0, 0.0, (ViString)"RANGE1", 1},
    {10.0, 100.0, 0.0, (ViString)"RANGE2", 2},
    ZOR_RANGE_TABLE_LAST_ENTRY,
};
static RangeTable kTable = {ZOR_RANGE_RANGED, VI_TRUE, VI_TRUE, VI_NULL, kEntries};
static RangeTableEntry kShortEntries[] = {{5.0, 0.0, 0.0, VI_NULL, 5}, ZOR_RANGE_TABLE_END};

static const StringValueEntry kStrings[] = {{1, (ViString)"one"}, {0, VI_NULL}};
static const InvalidationEntry kInvalidations[] = {{ZOR_ATTR_CACHE, VI_TRUE}};
static const ZorErrorMessageEntry kMessages[] = {{ZOR_ERROR_INVALID_VALUE, "text"}, {0, VI_NULL}};

int zor_headers_c_range_table_ok(void) {
  ZorReadCallbackViReal64 read_callback = read_real64;
  ZorCoerceCallbackViString coerce = coerce_string;
  ZorRangeTableCallback table_callback = range_table;
  ZorOPCCallback opc_callback = opc;
  ZorCheckStatusCallback status_callback = opc;
  ZorBufferedIOCallback buffered_callback = opc;
  ZorUserInterchangeCheckCallback user_callback = user_check;
  RangeTablePtr found = &kTable;
  ViReal64 value = 1.0;
  check_type_identity();
  if (read_callback(1, 2, VI_NULL, ZOR_ATTR_CACHE, &value) != VI_SUCCESS || value != 0.0) return 0;
  if (coerce(1, VI_NULL, 1, "x") != VI_SUCCESS || table_callback(1, VI_NULL, 1, &found) != 0) {
    return 0;
  }
  if (found != VI_NULL || opc_callback(1, 2) || status_callback(1, 2) ||
      buffered_callback(1, 2) || user_callback(1, 0, VI_NULL, 1)) {
    return 0;
  }
  return kTable.entries[2].cmdString == ZOR_RANGE_TABLE_END_STRING &&
         (uintptr_t)kTable.entries[2].cmdString == UINTPTR_MAX &&
         kTable.entries[2].minValue == 0.0 && kTable.entries[2].cmdValue == 0 &&
         kTable.entries[1].cmdString != ZOR_RANGE_TABLE_END_STRING &&
         kShortEntries[1].cmdString == ZOR_RANGE_TABLE_END_STRING &&
         kStrings[1].string == VI_NULL && kInvalidations[0].allInstances == VI_TRUE &&
         kMessages[0].code == ZOR_ERROR_INVALID_VALUE;
}

size_t zor_headers_c_layout(size_t *out, size_t capacity) {
  size_t count = 0;
#define ZOR_LAYOUT_STORE(item) \
  if (count < capacity) out[count] = (item); \
  ++count;
  ZOR_LAYOUT_ITEMS(ZOR_LAYOUT_STORE)
#undef ZOR_LAYOUT_STORE
  return count;
}
