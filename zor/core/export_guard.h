// The boundary of every exported engine function: nothing thrown inside may leave the library.
// Running out of memory becomes the engine's usual out-of-memory status (0xBFFF003C), anything
// else 0xBFFA0000; either is recorded on the session (or the thread, for VI_NULL).
#pragma once

#include <new>

#include "errors/error_info.h"
#include "zor.h"

namespace zor {

template <typename Body>
ViStatus ExportGuard(ViSession vi, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return RecordError(vi, VI_ERROR_ALLOC);
  } catch (...) {
    return RecordError(vi, ZOR_ERROR_UNRECOVERABLE_FAILURE);
  }
}

}  // namespace zor
