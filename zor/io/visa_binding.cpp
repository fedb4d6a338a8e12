#include "io/visa_binding.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

#include "platform/dynamic_library.h"
#include "platform/process_mutex.h"

namespace zor::visa {
namespace {

// The VISA library is found the way the system's loader finds any library by name, so a
// library in LD_LIBRARY_PATH wins over one installed system-wide.
constexpr char kLibraryName[] = "libvisa.so";
constexpr char kLoadMutexFormat[] = "Quorlan Brindle/Pelto VISA Library %d";

// Process-wide binding state. Everything here is constant-initialized, so a VISA operation is
// safe even from another library's constructor. The library handle and the entry points are
// written once, by the one thread that loads the library and while it holds the load mutex,
// before `bound` is published with release order; a caller that sees `bound` (acquire) or
// that takes the load mutex afterwards sees them complete, and reads them without a lock.
struct EntryPoints {
  StatusDescFunction statusDesc;
  ReadFunction read;
  WriteFunction write;
  SetAttributeFunction setAttribute;
  GetAttributeFunction getAttribute;
  VPrintfFunction vprintf;
  CloseFunction close;
  OpenDefaultRMFunction openDefaultRM;
};

std::atomic<bool> bound{false};
// Deliberately leaked: the entry points stay valid until the process ends, even while other
// libraries' destructors still talk to instruments.
platform::DynamicLibrary* library = nullptr;
EntryPoints entry{};

// The mutex is keyed by name, so every thread of the process that binds gets the same one.
platform::ProcessMutex* LoadMutex() noexcept {
  try {
    char name[sizeof kLoadMutexFormat + 24];
    std::snprintf(name, sizeof name, kLoadMutexFormat, static_cast<int>(getpid()));
    return &platform::ProcessMutex::Named(name);
  } catch (...) {
    return nullptr;
  }
}

template <typename Function>
Function Lookup(const platform::DynamicLibrary& loaded, const char* name) noexcept {
  // POSIX guarantees that a data pointer from dlsym converts to a function pointer.
  return reinterpret_cast<Function>(loaded.Find(name));
}

// Loads the library; called with the load mutex held and only while nothing is bound.
ViStatus Load() noexcept {
  try {
    auto opened = platform::DynamicLibrary::Open(kLibraryName);
    // A failed load leaves nothing behind, so the next operation simply tries again (the
    // library may have been installed since).
    if (!opened.loaded()) return VI_ERROR_SYSTEM_ERROR;
    auto* kept = new platform::DynamicLibrary(std::move(opened));
    // An entry point the library lacks stays null; only the operations that need it fail.
    entry.statusDesc = Lookup<StatusDescFunction>(*kept, "viStatusDesc");
    entry.read = Lookup<ReadFunction>(*kept, "viRead");
    entry.write = Lookup<WriteFunction>(*kept, "viWrite");
    entry.setAttribute = Lookup<SetAttributeFunction>(*kept, "viSetAttribute");
    entry.getAttribute = Lookup<GetAttributeFunction>(*kept, "viGetAttribute");
    entry.vprintf = Lookup<VPrintfFunction>(*kept, "viVPrintf");
    entry.close = Lookup<CloseFunction>(*kept, "viClose");
    entry.openDefaultRM = Lookup<OpenDefaultRMFunction>(*kept, "viOpenDefaultRM");
    library = kept;
    bound.store(true, std::memory_order_release);
    return VI_SUCCESS;
  } catch (...) {
    // Out of memory while keeping the handle: the temporary closes it, as if the load failed.
    return VI_ERROR_SYSTEM_ERROR;
  }
}

// The entry point `member` once the library is bound; null when the binding failed or the
// library lacks the function.
template <typename Function>
Function Bound(Function EntryPoints::*member) noexcept {
  if (BindVisa() < VI_SUCCESS) return nullptr;
  return entry.*member;
}

}  // namespace

ViStatus BindVisa() noexcept {
  if (bound.load(std::memory_order_acquire)) return VI_SUCCESS;
  platform::ProcessMutex* mutex = LoadMutex();
  if (mutex == nullptr) return VI_ERROR_SYSTEM_ERROR;
  std::lock_guard<platform::ProcessMutex> hold(*mutex);
  // Threads that queued up behind the loader find the library there and load nothing.
  if (library != nullptr) return VI_SUCCESS;
  return Load();
}

ViStatus OpenDefaultRM(ViSession* rm) noexcept {
  const auto function = Bound(&EntryPoints::openDefaultRM);
  return function != nullptr ? function(rm) : VI_ERROR_SYSTEM_ERROR;
}

ViStatus Close(ViSession session) noexcept {
  const auto function = Bound(&EntryPoints::close);
  return function != nullptr ? function(session) : VI_ERROR_SYSTEM_ERROR;
}

ViStatus Read(ViSession io, ViBuf buffer, ViUInt32 count, ViUInt32* transferred) noexcept {
  const auto function = Bound(&EntryPoints::read);
  return function != nullptr ? function(io, buffer, count, transferred) : VI_ERROR_SYSTEM_ERROR;
}

ViStatus Write(ViSession io, ViBuf buffer, ViUInt32 count, ViUInt32* transferred) noexcept {
  const auto function = Bound(&EntryPoints::write);
  return function != nullptr ? function(io, buffer, count, transferred) : VI_ERROR_SYSTEM_ERROR;
}

ViStatus SetAttribute(ViSession session, ViAttr attribute, AttrState value) noexcept {
  const auto function = Bound(&EntryPoints::setAttribute);
  return function != nullptr ? function(session, attribute, value) : VI_ERROR_SYSTEM_ERROR;
}

ViStatus GetAttribute(ViSession session, ViAttr attribute, void* value) noexcept {
  const auto function = Bound(&EntryPoints::getAttribute);
  return function != nullptr ? function(session, attribute, value) : VI_ERROR_SYSTEM_ERROR;
}

ViStatus VPrintf(ViSession io, ViConstString format, va_list arguments) noexcept {
  const auto function = Bound(&EntryPoints::vprintf);
  return function != nullptr ? function(io, format, arguments) : VI_ERROR_SYSTEM_ERROR;
}

ViStatus Printf(ViSession io, ViConstString format, ...) noexcept {
  va_list arguments;
  va_start(arguments, format);
  const ViStatus status = VPrintf(io, format, arguments);
  va_end(arguments);
  return status;
}

ViStatus StatusDesc(ViSession session, ViStatus status, ViChar description[256]) noexcept {
  const auto function = Bound(&EntryPoints::statusDesc);
  return function != nullptr ? function(session, status, description) : VI_ERROR_SYSTEM_ERROR;
}

}  // namespace zor::visa
