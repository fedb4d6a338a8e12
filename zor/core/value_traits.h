// How each scalar attribute type reads and writes a Value slot and which callback signatures
// it uses. DispatchScalar turns a run-time type code into these compile-time traits, so that
// each pipeline step is written once for all scalar types.
#pragma once

#include "core/value.h"
#include "zor.h"

namespace zor {

template <typename T, typename Read, typename Write, typename Check, typename Coerce, typename Compare>
struct ScalarTraitsBase {
  using Type = T;
  using ReadCallback = Read;
  using WriteCallback = Write;
  using CheckCallback = Check;
  using CoerceCallback = Coerce;
  using CompareCallback = Compare;
};

#define ZOR_SCALAR_TRAITS(Name, T, Getter, Maker)                                                \
  struct Name : ScalarTraitsBase<T, ZorReadCallback##T, ZorWriteCallback##T, ZorCheckCallback##T, \
                                 ZorCoerceCallback##T, ZorCompareCallback##T> {                  \
    static T Get(const Value& v) noexcept { return v.Getter(); }                                 \
    static Value Make(T x) noexcept { return Value::Maker(x); }                                  \
  };

ZOR_SCALAR_TRAITS(Int32Traits, ViInt32, i32, OfInt32)
ZOR_SCALAR_TRAITS(Int64Traits, ViInt64, i64, OfInt64)
ZOR_SCALAR_TRAITS(Real64Traits, ViReal64, r64, OfReal64)
ZOR_SCALAR_TRAITS(AddrTraits, ViAddr, addr, OfAddr)
ZOR_SCALAR_TRAITS(SessionTraits, ViSession, session, OfSession)
ZOR_SCALAR_TRAITS(BooleanTraits, ViBoolean, boolean, OfBoolean)

#undef ZOR_SCALAR_TRAITS

// Calls `action(Traits{})` for the scalar `type`; returns `fallback` for ZOR_TYPE_STRING and
// for codes that are not stored types.
template <typename Action, typename Result>
Result DispatchScalar(ViInt32 type, Action&& action, Result fallback) {
  switch (type) {
    case ZOR_TYPE_INT32: return action(Int32Traits{});
    case ZOR_TYPE_INT64: return action(Int64Traits{});
    case ZOR_TYPE_REAL64: return action(Real64Traits{});
    case ZOR_TYPE_ADDR: return action(AddrTraits{});
    case ZOR_TYPE_SESSION: return action(SessionTraits{});
    case ZOR_TYPE_BOOLEAN: return action(BooleanTraits{});
    default: return fallback;
  }
}

}  // namespace zor
