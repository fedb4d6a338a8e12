#include "core/value.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace zor {
namespace {

char* DuplicateText(const char* text) {
  if (text == nullptr) text = "";
  const std::size_t size = std::strlen(text) + 1;
  auto* copy = static_cast<char*>(std::malloc(size));
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, text, size);
  return copy;
}

template <typename T>
int Sign(T a, T b) noexcept {
  return b < a ? -1 : (a < b ? 1 : 0);
}

}  // namespace

bool IsStoredType(ViInt32 type) noexcept {
  switch (type) {
    case ZOR_TYPE_INT32:
    case ZOR_TYPE_INT64:
    case ZOR_TYPE_REAL64:
    case ZOR_TYPE_STRING:
    case ZOR_TYPE_ADDR:
    case ZOR_TYPE_SESSION:
    case ZOR_TYPE_BOOLEAN:
      return true;
    default:
      return false;
  }
}

Value::Value(Value&& other) noexcept : bits_(other.bits_), ownsText_(other.ownsText_) {
  other.bits_.i64 = 0;
  other.ownsText_ = false;
}

Value& Value::operator=(Value&& other) noexcept {
  Value moved(std::move(other));
  Swap(moved);
  return *this;
}

Value Value::OfText(const char* text) {
  Value x;
  x.bits_.text = DuplicateText(text);
  x.ownsText_ = true;
  return x;
}

void Value::Assign(const Value& source, ViInt32 type) {
  if (type == ZOR_TYPE_STRING) {
    SetText(source.text());
    return;
  }
  ReleaseText();
  bits_ = source.bits_;
}

void Value::SetText(const char* text) {
  char* copy = DuplicateText(text);  // before releasing: `text` may be this slot's own text
  ReleaseText();
  bits_.text = copy;
  ownsText_ = true;
}

void Value::Swap(Value& other) noexcept {
  std::swap(bits_, other.bits_);
  std::swap(ownsText_, other.ownsText_);
}

void Value::ReleaseText() noexcept {
  if (ownsText_) {
    std::free(bits_.text);
    bits_.i64 = 0;
    ownsText_ = false;
  }
}

int CompareValues(const Value& a, const Value& b, ViInt32 type) noexcept {
  switch (type) {
    case ZOR_TYPE_INT32:
      return Sign(a.i32(), b.i32());
    case ZOR_TYPE_INT64:
      return Sign(a.i64(), b.i64());
    case ZOR_TYPE_REAL64: {
      const bool aNaN = std::isnan(a.r64());
      const bool bNaN = std::isnan(b.r64());
      // A cached NaN must not make every later number look unchanged.
      if (aNaN || bNaN) return aNaN && bNaN ? 0 : 1;
      return Sign(a.r64(), b.r64());
    }
    case ZOR_TYPE_STRING: {
      const int order = std::strcmp(b.text(), a.text());
      return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    case ZOR_TYPE_ADDR:
      return Sign(reinterpret_cast<std::uintptr_t>(a.addr()), reinterpret_cast<std::uintptr_t>(b.addr()));
    case ZOR_TYPE_SESSION:
      return Sign(a.session(), b.session());
    case ZOR_TYPE_BOOLEAN:
      return Sign(a.boolean(), b.boolean());
    default:
      return 0;
  }
}

}  // namespace zor
