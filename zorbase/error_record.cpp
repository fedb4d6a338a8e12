#include "error_record.h"

#include <climits>
#include <cstring>

#include "base_status.h"
#include "library_state.h"

namespace zor::base {

void ErrorRecord::StoreDescription(const char* text) noexcept {
  std::size_t length = text == nullptr ? 0 : strnlen(text, kMaxDescriptionLength);
  if (length > 0) std::memmove(description, text, length);
  description[length] = '\0';
}

void ErrorRecord::Store(ViStatus newCode, const char* text) noexcept {
  code = newCode;
  StoreDescription(text);
}

bool Replaces(ViStatus newCode, ViStatus storedCode, bool storedTextEmpty) noexcept {
  if (newCode < 0 && storedCode >= 0) return true;
  if (newCode > 0 && storedCode == 0) return true;
  return newCode == storedCode && storedTextEmpty;
}

bool ErrorRecord::Offer(ViStatus newCode, const char* text) noexcept {
  if (!Replaces(newCode, code, description[0] == '\0')) return false;
  Store(newCode, text);
  return true;
}

ViStatus CopyOutByBufferRule(const char* text, std::size_t length, ViInt32 size,
                             char* buffer) noexcept {
  // Texts longer than a ViInt32 can count report the largest count instead of wrapping.
  const ViInt32 needed =
      length >= static_cast<std::size_t>(INT32_MAX) ? INT32_MAX : static_cast<ViInt32>(length + 1);
  if (size == 0) return needed;
  if (buffer == nullptr) return kNullPointer;
  if (size < 0 || size >= needed) {
    std::memmove(buffer, text, length);
    buffer[length] = '\0';
    return kSuccess;
  }
  const auto kept = static_cast<std::size_t>(size - 1);
  std::memmove(buffer, text, kept);
  buffer[kept] = '\0';
  return needed;
}

ErrorRecord& ThreadRecord() {
  const platform::ThreadSlot& slot = ThreadErrorSlot();
  if (!slot.valid()) Raise(kCannotCreateThreadLocal);
  if (auto* existing = static_cast<ErrorRecord*>(slot.Get())) return *existing;
  auto* created = new (std::nothrow) ErrorRecord;
  if (created == nullptr) Raise(kOutOfMemory);
  if (!slot.Set(created)) {
    delete created;
    Raise(kCannotCreateThreadLocal);
  }
  return *created;
}

}  // namespace zor::base
