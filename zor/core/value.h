// Value: the one slot type for attribute values. It holds 8 bytes in the attribute's type or,
// for string attributes, an owned copy of the text. A slot does not know the attribute's type;
// the record that owns it does, and passes it to Assign and CompareValues.
#pragma once

#include <cstdint>

#include "zor.h"

namespace zor {

// True for the type codes an attribute may be stored with.
bool IsStoredType(ViInt32 type) noexcept;

class Value {
 public:
  Value() noexcept { bits_.i64 = 0; }
  ~Value() { ReleaseText(); }
  Value(Value&& other) noexcept;
  Value& operator=(Value&& other) noexcept;
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;

  static Value OfInt32(ViInt32 v) noexcept { Value x; x.bits_.i32 = v; return x; }
  static Value OfInt64(ViInt64 v) noexcept { Value x; x.bits_.i64 = v; return x; }
  static Value OfReal64(ViReal64 v) noexcept { Value x; x.bits_.r64 = v; return x; }
  static Value OfAddr(ViAddr v) noexcept { Value x; x.bits_.addr = v; return x; }
  static Value OfSession(ViSession v) noexcept { Value x; x.bits_.session = v; return x; }
  static Value OfBoolean(ViBoolean v) noexcept { Value x; x.bits_.boolean = v; return x; }
  // A copy of `text` (NULL becomes the empty text). Throws std::bad_alloc.
  static Value OfText(const char* text);

  ViInt32 i32() const noexcept { return bits_.i32; }
  ViInt64 i64() const noexcept { return bits_.i64; }
  ViReal64 r64() const noexcept { return bits_.r64; }
  ViAddr addr() const noexcept { return bits_.addr; }
  ViSession session() const noexcept { return bits_.session; }
  ViBoolean boolean() const noexcept { return bits_.boolean; }
  // The text of a string slot; the empty text for a slot that never held one.
  const char* text() const noexcept { return ownsText_ ? bits_.text : ""; }
  // True once a text has been stored in the slot.
  bool holdsText() const noexcept { return ownsText_; }

  // Makes this slot a copy of `source`, read as `type`: scalars are copied, texts duplicated
  // (the text held before is freed). Throws std::bad_alloc, leaving the slot unchanged.
  void Assign(const Value& source, ViInt32 type);
  // Replaces the text of a string slot with a copy of `text` (NULL becomes empty).
  void SetText(const char* text);

  void Swap(Value& other) noexcept;

 private:
  void ReleaseText() noexcept;

  union Bits {
    ViInt32 i32;
    ViInt64 i64;
    ViReal64 r64;
    ViAddr addr;
    ViSession session;
    ViBoolean boolean;
    char* text;
  } bits_;
  bool ownsText_ = false;
};

// The sign of b - a for values of `type`: integers signed; doubles by IEEE order, where two
// NaNs are equal and a NaN differs from every number; texts byte-wise; addresses and sessions
// unsigned; booleans unsigned 16-bit. Other type codes give 0.
int CompareValues(const Value& a, const Value& b, ViInt32 type) noexcept;

}  // namespace zor
