// Statuses of the support library and the conversion of internal failures at its exported
// boundary. Internally a failure is raised as a StatusError; every exported function runs its
// body through Guarded(), so no exception ever leaves the library.
#pragma once

#include <new>

#include "zorbase.h"

namespace zor::base {

constexpr ViStatus Status(unsigned long bits) { return static_cast<ViStatus>(bits); }

constexpr ViStatus kSuccess = 0;
constexpr ViStatus kUnrecoverable = Status(0xBFFA0000);
constexpr ViStatus kFileOpenFailed = Status(0xBFFA0002);
constexpr ViStatus kInvalidValue = Status(0xBFFA0010);
constexpr ViStatus kOutOfMemory = Status(0xBFFA0056);
constexpr ViStatus kNullPointer = Status(0xBFFA0058);
constexpr ViStatus kInvalidSession = Status(0xBFFA1190);
constexpr ViStatus kCannotCreateLock = Status(0xBFFA1198);
constexpr ViStatus kCannotCreateThreadLocal = Status(0xBFFA11A0);

// A failure raised inside the library; converted to its status at the boundary.
struct StatusError {
  ViStatus status;
};

[[noreturn]] inline void Raise(ViStatus status) { throw StatusError{status}; }

// Runs `body` (returning ViStatus) and converts anything it raises: a raised status as itself,
// memory exhausted as 0xBFFA0056, anything else as 0xBFFA0000.
template <typename Body>
ViStatus Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const StatusError& failure) {
    return failure.status;
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  } catch (...) {
    return kUnrecoverable;
  }
}

// For the exported functions that report no status: failures are swallowed.
template <typename Body>
void GuardedVoid(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
  }
}

}  // namespace zor::base
