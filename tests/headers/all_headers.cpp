// The three public headers in C++ (zorbase.h first), checked at compile time against the
// types and layouts drivers rely on, and at run time against the C compiler's view of the
// same layouts.
#include "zorbase.h"
#include "zor.h"
#include "zornum.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <type_traits>
#include <vector>

#include "layout_items.h"

namespace {

template <typename A, typename B>
constexpr bool kSame = std::is_same<A, B>::value;

// ---- VISA types ----
static_assert(kSame<ViInt16, std::int16_t> && kSame<ViUInt16, std::uint16_t>, "16-bit types");
static_assert(kSame<ViInt32, std::int32_t> && kSame<ViUInt32, std::uint32_t>, "32-bit types");
static_assert(kSame<ViInt64, std::int64_t> && kSame<ViUInt64, std::uint64_t>, "64-bit types");
static_assert(kSame<ViReal64, double> && kSame<ViBoolean, ViUInt16> && kSame<ViChar, char>,
              "scalar types");
static_assert(kSame<ViString, char*> && kSame<ViRsrc, char*> &&
                  kSame<ViConstString, const char*>,
              "text types");
static_assert(kSame<ViAddr, void*> && kSame<ViBuf, unsigned char*>, "pointer types");
static_assert(kSame<ViSession, ViUInt32> && kSame<ViStatus, ViInt32> && kSame<ViAttr, ViUInt32>,
              "handle, status and attribute types");

// ---- Field types of the public structures ----
static_assert(kSame<decltype(RangeTableEntry::minValue), ViReal64> &&
                  kSame<decltype(RangeTableEntry::maxValue), ViReal64> &&
                  kSame<decltype(RangeTableEntry::coercedValue), ViReal64> &&
                  kSame<decltype(RangeTableEntry::cmdString), ViString> &&
                  kSame<decltype(RangeTableEntry::cmdValue), ViInt32>,
              "RangeTableEntry fields");
static_assert(kSame<decltype(RangeTable::type), ViInt32> &&
                  kSame<decltype(RangeTable::hasMin), ViBoolean> &&
                  kSame<decltype(RangeTable::hasMax), ViBoolean> &&
                  kSame<decltype(RangeTable::reserved), ViAddr> &&
                  kSame<decltype(RangeTable::entries), RangeTableEntry*> &&
                  kSame<RangeTablePtr, RangeTable*>,
              "RangeTable fields");
static_assert(kSame<decltype(StringValueEntry::value), ViInt32> &&
                  kSame<decltype(StringValueEntry::string), ViString>,
              "StringValueEntry fields");
static_assert(kSame<decltype(InvalidationEntry::attributeId), ViAttr> &&
                  kSame<decltype(InvalidationEntry::allInstances), ViBoolean>,
              "InvalidationEntry fields");
static_assert(kSame<decltype(ZorLogicalNameEntry::name), ViString> &&
                  kSame<decltype(ZorLogicalNameEntry::flag), ViBoolean>,
              "ZorLogicalNameEntry fields");
static_assert(kSame<decltype(ZorErrorMessageEntry::code), ViStatus> &&
                  kSame<decltype(ZorErrorMessageEntry::message), ViConstString>,
              "ZorErrorMessageEntry fields");
static_assert(std::is_standard_layout<RangeTableEntry>::value &&
                  std::is_standard_layout<RangeTable>::value,
              "range tables are plain C data");

#if defined(__x86_64__)
// Rows are 40 bytes on LP64: three doubles, the command-string pointer, the command value
// and 4 bytes of tail padding.
static_assert(sizeof(RangeTableEntry) == 40 && offsetof(RangeTableEntry, cmdString) == 24 &&
                  offsetof(RangeTableEntry, cmdValue) == 32,
              "RangeTableEntry layout");
static_assert(sizeof(RangeTable) == 24 && offsetof(RangeTable, hasMin) == 4 &&
                  offsetof(RangeTable, hasMax) == 6 && offsetof(RangeTable, reserved) == 8 &&
                  offsetof(RangeTable, entries) == 16,
              "RangeTable layout");
#endif

// ---- Callback types: T in the six scalar types, and the string forms ----
#define ZOR_CHECK_CALLBACKS(T)                                                               \
  static_assert(kSame<ZorReadCallback##T,                                                    \
                      ViStatus (*)(ViSession, ViSession, ViConstString, ViAttr, T*)>,        \
                "read " #T);                                                                 \
  static_assert(kSame<ZorWriteCallback##T,                                                   \
                      ViStatus (*)(ViSession, ViSession, ViConstString, ViAttr, T)>,         \
                "write " #T);                                                                \
  static_assert(kSame<ZorCheckCallback##T, ViStatus (*)(ViSession, ViConstString, ViAttr, T)>, \
                "check " #T);                                                                \
  static_assert(kSame<ZorCoerceCallback##T,                                                  \
                      ViStatus (*)(ViSession, ViConstString, ViAttr, T, T*)>,                \
                "coerce " #T);                                                               \
  static_assert(kSame<ZorCompareCallback##T,                                                 \
                      ViStatus (*)(ViSession, ViConstString, ViAttr, T, T, ViInt32*)>,       \
                "compare " #T)
ZOR_CHECK_CALLBACKS(ViInt32);
ZOR_CHECK_CALLBACKS(ViInt64);
ZOR_CHECK_CALLBACKS(ViReal64);
ZOR_CHECK_CALLBACKS(ViAddr);
ZOR_CHECK_CALLBACKS(ViSession);
ZOR_CHECK_CALLBACKS(ViBoolean);
#undef ZOR_CHECK_CALLBACKS

static_assert(kSame<ZorReadCallbackViString,
                    ViStatus (*)(ViSession, ViSession, ViConstString, ViAttr, ViConstString)>,
              "read string");
static_assert(kSame<ZorWriteCallbackViString,
                    ViStatus (*)(ViSession, ViSession, ViConstString, ViAttr, ViConstString)>,
              "write string");
static_assert(kSame<ZorCheckCallbackViString,
                    ViStatus (*)(ViSession, ViConstString, ViAttr, ViConstString)>,
              "check string");
static_assert(kSame<ZorCoerceCallbackViString,
                    ViStatus (*)(ViSession, ViConstString, ViAttr, ViConstString)>,
              "coerce string");
static_assert(kSame<ZorCompareCallbackViString,
                    ViStatus (*)(ViSession, ViConstString, ViAttr, ViConstString, ViConstString,
                                 ViInt32*)>,
              "compare string");
static_assert(kSame<ZorRangeTableCallback,
                    ViStatus (*)(ViSession, ViConstString, ViAttr, RangeTablePtr*)>,
              "range-table callback");
static_assert(kSame<ZorOPCCallback, ViStatus (*)(ViSession, ViSession)> &&
                  kSame<ZorCheckStatusCallback, ViStatus (*)(ViSession, ViSession)> &&
                  kSame<ZorBufferedIOCallback, ViStatus (*)(ViSession, ViSession)>,
              "session callbacks");
static_assert(kSame<ZorUserInterchangeCheckCallback,
                    ViStatus (*)(ViSession, ViInt32, ViConstString, ViAttr)>,
              "user interchange-check callback");

// ---- A sample of constants ----
static_assert(kSame<decltype(ZOR_ERROR_INVALID_PARAMETER), ViStatus>, "statuses are ViStatus");
static_assert(ZOR_ERROR_INVALID_PARAMETER == static_cast<ViStatus>(0xBFFA000Fu) &&
                  ZOR_ERROR_UNRECOVERABLE_FAILURE < 0 && ZOR_WARN_RESET_UNSUPPORTED > 0,
              "status values");
static_assert(ZOR_ATTR_ENGINE_REVISION == 1050553 && ZORFGEN_ATTR_BURST_COUNT == 1250350 &&
                  ZORSWTCH_ATTR_CONTINUOUS_SCAN == 1250026,
              "attribute ids");
static_assert(ZOR_VAL_USER_CALL == 0x1 && ZOR_VAL_CACHE_ONLY == 0x2 &&
                  ZOR_VAL_NOT_SET_BY_USER == 0x4 && ZOR_VAL_CALLBACKS_IN_SIMULATION == 0x4000,
              "options and flags");
static_assert(ZOR_INTERCHANGE_WARN_CUSTOM == 5 && ZOR_INTERCHANGE_CHECK_CALLBACK == 3,
              "interchange kinds and methods");

// Ids compare with ViAttr and ViInt32 alike and serve as case labels, warning-free.
bool IsCacheAttribute(ViAttr id, ViInt32 signedId) {
  switch (id) {
    case ZOR_ATTR_CACHE:
      return signedId == ZOR_ATTR_CACHE;
    default:
      return false;
  }
}

RangeTableEntry gEntries[] = {{1.0, 2.0, 0.0, nullptr, 1}, ZOR_RANGE_TABLE_LAST_ENTRY};

int gFailures = 0;

void Expect(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "FAILED: %s\n", what);
    ++gFailures;
  }
}

}  // namespace

int main() {
  const std::vector<std::size_t> cpp = {
#define ZOR_LAYOUT_VALUE(item) (item),
      ZOR_LAYOUT_ITEMS(ZOR_LAYOUT_VALUE)
#undef ZOR_LAYOUT_VALUE
  };
  std::vector<std::size_t> c(cpp.size() + 1);
  const std::size_t cCount = zor_headers_c_layout(c.data(), c.size());
  Expect(cCount == cpp.size(), "C and C++ list the same layout items");
  c.resize(cCount);
  for (std::size_t i = 0; i < cpp.size() && i < c.size(); ++i) {
    if (c[i] != cpp[i]) {
      std::fprintf(stderr, "layout item %zu: C %zu, C++ %zu\n", i, c[i], cpp[i]);
      ++gFailures;
    }
  }

  Expect(zor_headers_c_range_table_ok() == 1, "C range table ends at its end row");
  Expect(zor_headers_c_visatype_ok() == 1, "zor.h after a VISA type header");
  Expect(gEntries[1].cmdString == ZOR_RANGE_TABLE_END_STRING &&
             reinterpret_cast<std::uintptr_t>(gEntries[1].cmdString) == UINTPTR_MAX &&
             gEntries[1].cmdValue == 0 && gEntries[0].cmdString == nullptr,
         "C++ range table ends at its end row");
  Expect(IsCacheAttribute(ZOR_ATTR_CACHE, ZOR_ATTR_CACHE), "attribute id comparisons");
  Expect(!IsCacheAttribute(ZOR_ATTR_SIMULATE, ZOR_ATTR_SIMULATE), "attribute id switch");

  if (gFailures == 0) std::puts("public headers agree in C and C++");
  return gFailures == 0 ? 0 : 1;
}
