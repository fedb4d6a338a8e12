#include "loader_spy.h"

#include <dlfcn.h>

#include <atomic>
#include <cstring>

namespace {

std::atomic<int> attempts{0};
std::atomic<void (*)()> beforeLoad{nullptr};

using DlopenFunction = void* (*)(const char*, int);

DlopenFunction SystemDlopen() {
  static const auto system = reinterpret_cast<DlopenFunction>(dlsym(RTLD_NEXT, "dlopen"));
  return system;
}

}  // namespace

extern "C" void* dlopen(const char* file, int mode) noexcept {
  if (file != nullptr && std::strcmp(file, "libvisa.so") == 0) {
    attempts.fetch_add(1);
    if (auto hook = beforeLoad.load()) hook();
  }
  return SystemDlopen()(file, mode);
}

namespace zor::test {

int VisaLoadAttempts() { return attempts.load(); }

void SetBeforeVisaLoad(void (*hook)()) { beforeLoad.store(hook); }

FakeVisaState* LoadedFakeVisa() {
  void* library = SystemDlopen()("libvisa.so", RTLD_NOW | RTLD_NOLOAD);
  if (library == nullptr) return nullptr;
  auto state = reinterpret_cast<FakeVisaStateFunction>(dlsym(library, FAKE_VISA_STATE_SYMBOL));
  dlclose(library);  // drops only the reference taken just now
  return state != nullptr ? state() : nullptr;
}

}  // namespace zor::test
