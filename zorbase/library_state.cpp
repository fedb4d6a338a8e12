#include "library_state.h"

#include "error_record.h"
#include "platform/library_lifecycle.h"

namespace zor::base {
namespace {

std::atomic<bool> gUnloading{false};

void FreeThreadRecord(void* record) { delete static_cast<ErrorRecord*>(record); }

// Created at load (below), never destroyed.
const platform::ThreadSlot* CreateThreadErrorSlot() {
  return new platform::ThreadSlot(&FreeThreadRecord);
}

const platform::ThreadSlot* const gThreadErrorSlot = CreateThreadErrorSlot();

const platform::DetachNotifier gDetach(&MarkUnloading);

}  // namespace

bool Unloading() noexcept { return gUnloading.load(std::memory_order_acquire); }

void MarkUnloading() noexcept { gUnloading.store(true, std::memory_order_release); }

const platform::ThreadSlot& ThreadErrorSlot() { return *gThreadErrorSlot; }

}  // namespace zor::base
