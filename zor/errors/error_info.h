// Recording failures: every engine function that fails records its status on the session
// concerned (or only on the calling thread, for VI_NULL) and returns it. The first error stays
// until it is read or cleared; an error replaces a warning; a warning replaces nothing.
#pragma once

#include "zor.h"

namespace zor {

// Zor_SetErrorInfo(vi, VI_FALSE, status, secondary, elaboration), for a status that is not 0.
// Returns `status`, so that a failing path can end with `return RecordError(vi, status);`.
ViStatus RecordError(ViSession vi, ViStatus status, const char* elaboration = nullptr,
                     ViStatus secondary = 0) noexcept;

// Records `status` on `vi` with an elaboration naming the attribute (kNoAttribute for none)
// and the repeated-capability instance: "Attribute: NAME, Channel: NAME". Returns the
// recording's failure, or VI_SUCCESS.
constexpr ViAttr kNoAttribute = static_cast<ViAttr>(-1);
ViStatus SetAttributeErrorInfo(ViSession vi, ViStatus status, ViAttr attributeId,
                               const char* repCapName) noexcept;

// Runs `probe` (returning bool) and leaves the calling thread's error record exactly as it was
// before, whatever the probe recorded. False, without probing, when the record cannot be read.
template <typename Probe>
ViBoolean ProbeKeepingThreadError(Probe probe);

// The calling thread's secondary error (0 in every new thread).
ViStatus ThreadSecondaryError() noexcept;
void SetThreadSecondaryError(ViStatus status) noexcept;

namespace detail {
// Saves the whole thread record (up to 1024 characters of text) and puts it back.
class SavedThreadError {
 public:
  SavedThreadError() noexcept;
  void Restore() const noexcept;
  bool saved() const noexcept { return saved_; }

 private:
  ViStatus code_ = 0;
  char text_[1025] = {};
  bool saved_ = false;
};
}  // namespace detail

template <typename Probe>
ViBoolean ProbeKeepingThreadError(Probe probe) {
  const detail::SavedThreadError saved;
  if (!saved.saved()) return VI_FALSE;
  const bool available = probe();
  saved.Restore();
  return available ? VI_TRUE : VI_FALSE;
}

}  // namespace zor
