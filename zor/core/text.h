// The text helpers shared by the engine and the support library: duplication, blank tests,
// trimming, comparison ignoring case, bounded copies, the copy-out rule for caller-sized
// buffers, and the comma-separated name lists drivers pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zor::text {

// NULL, empty, or only white space (as isspace decides).
bool IsBlank(const char* text) noexcept;

// The text without leading and trailing white space.
std::string Trimmed(const char* text);

// Like _stricmp: <0, 0, >0 comparing the texts with letters folded to one case.
int CompareIgnoringCase(const char* a, const char* b) noexcept;
inline bool EqualIgnoringCase(const char* a, const char* b) noexcept {
  return CompareIgnoringCase(a, b) == 0;
}

// Copies at most size - 1 characters and a NUL into `buffer`; nothing when size < 1.
void CopyBounded(const char* text, char* buffer, std::int32_t size) noexcept;

// The copy-out rule for texts a caller sizes. Returns 0 when the whole text was delivered
// (or `size` is negative: no limit), the needed size (length + 1) when `size` is 0 or too
// small (the buffer then holds the cut text), or `nullBufferStatus` when a nonzero size comes
// with a NULL buffer.
std::int32_t CopyOut(const char* text, std::size_t length, std::int32_t size, char* buffer,
                     std::int32_t nullBufferStatus) noexcept;

// Calls `visit(item)` for each item of a comma-separated list: items are trimmed of white
// space at both ends and empty items are skipped. A NULL list has no items. Stops and returns
// false as soon as `visit` returns false.
template <typename Visit>
bool ForEachListItem(const char* list, Visit visit) {
  if (list == nullptr) return true;
  const char* start = list;
  for (const char* p = list;; ++p) {
    if (*p == ',' || *p == '\0') {
      std::string item = Trimmed(std::string(start, p).c_str());
      if (!item.empty() && !visit(item)) return false;
      if (*p == '\0') return true;
      start = p + 1;
    }
  }
}

}  // namespace zor::text
