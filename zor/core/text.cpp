#include "core/text.h"

#include <cctype>
#include <climits>
#include <cstring>

namespace zor::text {
namespace {

bool IsSpace(char c) noexcept { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

bool IsBlank(const char* text) noexcept {
  if (text == nullptr) return true;
  for (; *text != '\0'; ++text) {
    if (!IsSpace(*text)) return false;
  }
  return true;
}

std::string Trimmed(const char* text) {
  if (text == nullptr) return {};
  const char* begin = text;
  while (*begin != '\0' && IsSpace(*begin)) ++begin;
  const char* end = begin + std::strlen(begin);
  while (end > begin && IsSpace(end[-1])) --end;
  return std::string(begin, end);
}

int CompareIgnoringCase(const char* a, const char* b) noexcept {
  // ASCII folding, as the C locale does it; inline because name lookups call this per probe.
  const auto fold = [](char c) noexcept {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : static_cast<unsigned>(u);
  };
  for (;; ++a, ++b) {
    const unsigned ca = fold(*a);
    const unsigned cb = fold(*b);
    if (ca != cb || ca == 0) return static_cast<int>(ca) - static_cast<int>(cb);
  }
}

void CopyBounded(const char* text, char* buffer, std::int32_t size) noexcept {
  if (size < 1 || buffer == nullptr) return;
  const std::size_t length = text == nullptr ? 0 : strnlen(text, static_cast<std::size_t>(size - 1));
  if (length > 0) std::memmove(buffer, text, length);
  buffer[length] = '\0';
}

std::int32_t CopyOut(const char* text, std::size_t length, std::int32_t size, char* buffer,
                     std::int32_t nullBufferStatus) noexcept {
  // Texts longer than a ViInt32 can count report the largest count instead of wrapping.
  const std::int32_t needed = length >= static_cast<std::size_t>(INT32_MAX)
                                  ? INT32_MAX
                                  : static_cast<std::int32_t>(length + 1);
  if (size == 0) return needed;
  if (buffer == nullptr) return nullBufferStatus;
  if (size < 0 || size >= needed) {
    std::memmove(buffer, text, length);
    buffer[length] = '\0';
    return 0;
  }
  const auto kept = static_cast<std::size_t>(size - 1);
  std::memmove(buffer, text, kept);
  buffer[kept] = '\0';
  return needed;
}

}  // namespace zor::text
