// Memory that lives as long as a session: drivers allocate blocks on their session and the
// session frees whatever is left when it goes. Without a session the same calls are plain heap
// allocations, so that code such as Zor_RangeTableNew works either way. Also the engine's
// IEEE special values.
#include <cstdlib>
#include <new>

#include "core/session.h"
#include "errors/error_info.h"
#include "memory/special_values.h"
#include "zornum.h"

namespace zor {
namespace {

struct SpecialValues {
  ViReal64 nan;
  ViReal64 posInf;
  ViReal64 negInf;
};

const SpecialValues& Specials() noexcept {
  static const SpecialValues values{ZorFloat_NaN(), ZorFloat_PosInf(), ZorFloat_NegInf()};
  return values;
}

// Take the values while the library loads, before any caller can ask for them.
[[maybe_unused]] const SpecialValues& kLoadedSpecials = Specials();

// A zero-filled heap block of `size` bytes. A negative size stands for a huge unsigned one
// and cannot be allocated.
ViStatus AllocateBlock(ViInt32 size, ViAddr* block) noexcept {
  *block = nullptr;
  if (size == 0) return ZOR_ERROR_INVALID_PARAMETER;
  if (size < 0) return VI_ERROR_ALLOC;
  *block = std::calloc(1, static_cast<std::size_t>(size));
  return *block != nullptr ? VI_SUCCESS : VI_ERROR_ALLOC;
}

// Registers `block` on the session, creating the list on first use.
ViStatus RegisterBlock(SessionData& data, ViAddr block) noexcept {
  try {
    if (!data.memoryBlocks) data.memoryBlocks = std::make_unique<MemoryBlocks>();
    data.memoryBlocks->blocks().Append(block);
    return VI_SUCCESS;
  } catch (...) {
    return VI_ERROR_ALLOC;
  }
}

ViStatus AllocOnSession(ViSession vi, ViInt32 size, ViAddr* memBlockPtr) noexcept {
  SessionGuard guard(vi);
  ViStatus status = guard.status();
  ViAddr block = nullptr;
  if (guard.acquired()) {
    status = AllocateBlock(size, &block);
    if (status >= VI_SUCCESS) status = RegisterBlock(guard.data(), block);
  }
  if (status < VI_SUCCESS) {
    RecordError(vi, status);
    std::free(block);
    block = nullptr;
  }
  *memBlockPtr = block;
  return status;
}

ViStatus FreeOnSession(ViSession vi, ViAddr memBlock) noexcept {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  if (memBlock == nullptr) return VI_SUCCESS;
  MemoryBlocks* owned = guard.data().memoryBlocks.get();
  // Oldest blocks first: they are the cheapest to free.
  const auto position =
      owned != nullptr ? owned->blocks().FindFirst([memBlock](void* b) { return b == memBlock; })
                       : 0;
  if (position == 0) return RecordError(vi, ZOR_ERROR_UNKNOWN_MEMORY_POINTER);
  std::free(owned->blocks().RemoveAt(position));
  return VI_SUCCESS;
}

}  // namespace

const ViReal64& EngineNaN() noexcept { return Specials().nan; }
const ViReal64& EnginePosInf() noexcept { return Specials().posInf; }
const ViReal64& EngineNegInf() noexcept { return Specials().negInf; }

}  // namespace zor

extern "C" {

ZOR_EXPORT ViStatus Zor_Alloc(ViSession vi, ViInt32 memBlockSize, ViAddr* memBlockPtr) {
  if (memBlockPtr == nullptr) {
    // Nowhere to put the block: allocate nothing.
    return vi == VI_NULL ? ZOR_ERROR_INVALID_PARAMETER
                         : zor::RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
  }
  if (vi == VI_NULL) return zor::AllocateBlock(memBlockSize, memBlockPtr);
  return zor::AllocOnSession(vi, memBlockSize, memBlockPtr);
}

ZOR_EXPORT ViStatus Zor_Free(ViSession vi, ViAddr memBlock) {
  if (vi == VI_NULL) {
    // The session lists are not consulted: the caller vouches that the block is a heap block.
    std::free(memBlock);
    return VI_SUCCESS;
  }
  return zor::FreeOnSession(vi, memBlock);
}

ZOR_EXPORT ViStatus Zor_FreeAll(ViSession vi) {
  zor::SessionGuard guard(vi);
  if (!guard.acquired()) return zor::RecordError(vi, guard.status());
  // The list frees its blocks in allocation order; the next Zor_Alloc starts a new one.
  guard.data().memoryBlocks.reset();
  return VI_SUCCESS;
}

ZOR_EXPORT const ViReal64* Zor_GetPtrToSpecialViReal64Value(ViInt32 valueType) {
  switch (valueType) {
    case ZOR_FLOAT_POS_INF:
      return &zor::EnginePosInf();
    case ZOR_FLOAT_NEG_INF:
      return &zor::EngineNegInf();
    default:
      return &zor::EngineNaN();
  }
}

ZOR_EXPORT ViStatus Zor_GetViReal64Type(ViReal64 value, ViInt32* valueType) {
  if (valueType == nullptr) return ZOR_ERROR_INVALID_PARAMETER;
  *valueType = ZorFloat_GetType(value);
  return VI_SUCCESS;
}

}  // extern "C"
