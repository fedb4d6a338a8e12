/* The layout facts of the public types that C and C++ must agree on, as one list that both
 * languages expand: each item is a size or a field offset. */
#ifndef ZOR_TESTS_HEADERS_LAYOUT_ITEMS_H
#define ZOR_TESTS_HEADERS_LAYOUT_ITEMS_H

#include <stddef.h>

#define ZOR_LAYOUT_ITEMS(X)                       \
  X(sizeof(ViBoolean))                            \
  X(sizeof(ViSession))                            \
  X(sizeof(ViStatus))                             \
  X(sizeof(ViAttr))                               \
  X(sizeof(ViAddr))                               \
  X(sizeof(RangeTableEntry))                      \
  X(offsetof(RangeTableEntry, minValue))          \
  X(offsetof(RangeTableEntry, maxValue))          \
  X(offsetof(RangeTableEntry, coercedValue))      \
  X(offsetof(RangeTableEntry, cmdString))         \
  X(offsetof(RangeTableEntry, cmdValue))          \
  X(sizeof(RangeTable))                           \
  X(offsetof(RangeTable, type))                   \
  X(offsetof(RangeTable, hasMin))                 \
  X(offsetof(RangeTable, hasMax))                 \
  X(offsetof(RangeTable, reserved))               \
  X(offsetof(RangeTable, entries))                \
  X(sizeof(StringValueEntry))                     \
  X(offsetof(StringValueEntry, value))            \
  X(offsetof(StringValueEntry, string))           \
  X(sizeof(InvalidationEntry))                    \
  X(offsetof(InvalidationEntry, attributeId))     \
  X(offsetof(InvalidationEntry, allInstances))    \
  X(sizeof(ZorLogicalNameEntry))                  \
  X(offsetof(ZorLogicalNameEntry, name))          \
  X(offsetof(ZorLogicalNameEntry, flag))          \
  X(sizeof(ZorErrorMessageEntry))                 \
  X(offsetof(ZorErrorMessageEntry, code))         \
  X(offsetof(ZorErrorMessageEntry, message))

/* Implemented in C (all_headers.c), called from C++. */
#ifdef __cplusplus
extern "C" {
#endif
/* Writes the C view of ZOR_LAYOUT_ITEMS into out (up to capacity) and returns the count. */
size_t zor_headers_c_layout(size_t *out, size_t capacity);
/* 1 when a range table declared as static C data ends where ZOR_RANGE_TABLE_LAST_ENTRY and
 * ZOR_RANGE_TABLE_END put its end row, else 0. */
int zor_headers_c_range_table_ok(void);
/* 1 when zor.h defers to VISA types that were defined before it, else 0. */
int zor_headers_c_visatype_ok(void);
#ifdef __cplusplus
}
#endif

#endif /* ZOR_TESTS_HEADERS_LAYOUT_ITEMS_H */
