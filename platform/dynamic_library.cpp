#include "platform/dynamic_library.h"

#include <dlfcn.h>

#include <utility>

namespace zor::platform {

DynamicLibrary::~DynamicLibrary() { Close(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, nullptr);
    error_ = std::move(other.error_);
  }
  return *this;
}

DynamicLibrary DynamicLibrary::Open(const char* name) {
  DynamicLibrary library;
  if (name == nullptr || name[0] == '\0') {
    // dlopen would hand back the main program, which is never what a caller means.
    library.error_ = "no library name given";
    return library;
  }
  library.handle_ = dlopen(name, RTLD_NOW | RTLD_LOCAL);
  if (library.handle_ == nullptr) {
    const char* why = dlerror();
    library.error_ = why != nullptr ? why : "unknown loader failure";
  }
  return library;
}

bool DynamicLibrary::PinLibraryContaining(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return false;
  // RTLD_NODELETE keeps the library mapped even after every handle is closed.
  void* handle = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  return handle != nullptr;
}

void* DynamicLibrary::Find(const char* symbol) const {
  if (handle_ == nullptr || symbol == nullptr) return nullptr;
  return dlsym(handle_, symbol);
}

void DynamicLibrary::Close() {
  if (handle_ != nullptr) {
    dlclose(handle_);
    handle_ = nullptr;
  }
}

}  // namespace zor::platform
