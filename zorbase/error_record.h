// ErrorRecord: the last error of a session or of a thread, with the precedence rule that
// decides whether a new status replaces the stored one, and the buffer rule by which texts
// are copied out to callers.
#pragma once

#include <cstddef>

#include "zorbase.h"

namespace zor::base {

constexpr std::size_t kMaxDescriptionLength = 1024;

struct ErrorRecord {
  ViStatus code = 0;
  char description[kMaxDescriptionLength + 1] = {};

  // Stores `newCode` and `text` unconditionally (NULL text means empty; longer texts are cut
  // to their first 1024 characters).
  void Store(ViStatus newCode, const char* text) noexcept;
  void StoreDescription(const char* text) noexcept;
  void Clear() noexcept { Store(0, nullptr); }

  // Stores `newCode` and `text` only if the precedence rule lets the new status replace the
  // stored one; returns whether it did.
  bool Offer(ViStatus newCode, const char* text) noexcept;
};

// The precedence rule: an error replaces a success or a warning, a warning replaces a
// success, and the same status may fill in a missing text.
bool Replaces(ViStatus newCode, ViStatus storedCode, bool storedTextEmpty) noexcept;

// The buffer rule. Returns 0 when the whole text was delivered (or `size` is negative), the
// needed size (length + 1) when `size` is 0 or too small (the buffer then holds the cut
// text), or 0xBFFA0058 when a nonzero size comes with a NULL buffer.
ViStatus CopyOutByBufferRule(const char* text, std::size_t length, ViInt32 size, char* buffer) noexcept;

// The calling thread's record, created on first use. Raises 0xBFFA11A0 when the library has
// no thread slot and 0xBFFA0056 when the record cannot be allocated.
ErrorRecord& ThreadRecord();

}  // namespace zor::base
