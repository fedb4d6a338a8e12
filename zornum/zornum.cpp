#include "zornum.h"

#include <cstdint>
#include <cstring>

namespace {

// Other components recognise these values by their exact patterns, so they are built from
// bits, never from arithmetic.
constexpr std::uint64_t kPosInfBits = 0x7FF0000000000000ULL;
constexpr std::uint64_t kNegInfBits = 0xFFF0000000000000ULL;
constexpr std::uint64_t kNaNBits = 0x7FF8000000000001ULL;

constexpr std::uint64_t kExponentMask = 0x7FF0000000000000ULL;
constexpr std::uint64_t kFractionMask = 0x000FFFFFFFFFFFFFULL;
constexpr std::uint64_t kSignMask = 0x8000000000000000ULL;

ViReal64 FromBits(std::uint64_t bits) {
  ViReal64 value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

extern "C" {

ZOR_EXPORT ViReal64 ZorFloat_PosInf(void) { return FromBits(kPosInfBits); }
ZOR_EXPORT ViReal64 ZorFloat_NegInf(void) { return FromBits(kNegInfBits); }
ZOR_EXPORT ViReal64 ZorFloat_NaN(void) { return FromBits(kNaNBits); }

ZOR_EXPORT ViInt32 ZorFloat_GetType(ViReal64 value) {
  // Bits only: no floating-point operation, so signalling NaNs raise nothing.
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  if ((bits & kExponentMask) != kExponentMask) return ZOR_FLOAT_ORDINARY;
  if ((bits & kFractionMask) != 0) return ZOR_FLOAT_NAN;
  return (bits & kSignMask) != 0 ? ZOR_FLOAT_NEG_INF : ZOR_FLOAT_POS_INF;
}

}  // extern "C"
