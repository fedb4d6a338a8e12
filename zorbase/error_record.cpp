#include "error_record.h"

#include <cstring>

#include "base_status.h"
#include "core/text.h"
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
  return text::CopyOut(text, length, size, buffer, kNullPointer);
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
