// Process detach: once the process has begun detaching the support library, the lookups that
// check the unloading flag answer 0xBFFA0000 without touching the handle.
//
// The library is loaded with dlopen after this program has registered its exit check, so the
// library's detach work (registered when it is loaded) runs first at exit and the check runs
// after it. The check ends the process with the verdict as its exit status.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "zorbase.h"

namespace {

constexpr ViStatus kUnrecoverable = static_cast<ViStatus>(0xBFFA0000);

decltype(&ZorSession_New) gNew;
decltype(&ZorSession_Lock) gLock;
decltype(&ZorSession_Unlock) gUnlock;
decltype(&ZorSession_GetDataPtr) gGetDataPtr;
decltype(&ZorThreadError_GetErrorCode) gGetThreadCode;
ViSession gSession = 0;

int gFailures = 0;
void Expect(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "FAILED: %s\n", what);
    ++gFailures;
  }
}

void CheckAfterDetach() {
  ViAddr data = reinterpret_cast<ViAddr>(0x1);
  ViStatus code = 7;
  ViBoolean flag = VI_FALSE;
  Expect(gLock(gSession, nullptr) == kUnrecoverable, "ZorSession_Lock after detach");
  Expect(gLock(gSession, &flag) == kUnrecoverable && flag == VI_FALSE,
         "ZorSession_Lock with a flag after detach leaves the flag");
  Expect(gLock(0, nullptr) == kUnrecoverable, "ZorSession_Lock of handle 0 after detach");
  Expect(gGetDataPtr(gSession, &data) == kUnrecoverable, "ZorSession_GetDataPtr after detach");
  Expect(data == reinterpret_cast<ViAddr>(0x1), "nothing written through dataPtr");
  Expect(gGetThreadCode(&code) == kUnrecoverable, "ZorThreadError_GetErrorCode after detach");
  Expect(code == 7, "nothing written through code");
  std::fflush(stderr);
  _Exit(gFailures == 0 ? 0 : 1);
}

template <typename F>
F Symbol(void* library, const char* name) {
  void* address = dlsym(library, name);
  if (address == nullptr) {
    std::fprintf(stderr, "missing %s\n", name);
    std::exit(2);
  }
  return reinterpret_cast<F>(address);
}

}  // namespace

int main() {
  std::atexit(&CheckAfterDetach);
  void* library = dlopen(ZORBASE_PATH, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", ZORBASE_PATH, dlerror());
    _Exit(2);
  }
  gNew = Symbol<decltype(gNew)>(library, "ZorSession_New");
  gLock = Symbol<decltype(gLock)>(library, "ZorSession_Lock");
  gUnlock = Symbol<decltype(gUnlock)>(library, "ZorSession_Unlock");
  gGetDataPtr = Symbol<decltype(gGetDataPtr)>(library, "ZorSession_GetDataPtr");
  gGetThreadCode = Symbol<decltype(gGetThreadCode)>(library, "ZorThreadError_GetErrorCode");

  // Before detach everything works.
  ViStatus code = -1;
  ViAddr data = reinterpret_cast<ViAddr>(0x1);
  Expect(gNew(&gSession) == 0, "ZorSession_New before detach");
  Expect(gLock(gSession, nullptr) == 0 && gUnlock(gSession, nullptr) == 0,
         "lock and unlock before detach");
  Expect(gGetDataPtr(gSession, &data) == 0 && data == nullptr, "GetDataPtr before detach");
  Expect(gGetThreadCode(&code) == 0 && code == 0, "thread code before detach");
  if (gFailures != 0) _Exit(1);
  // exit(): the library detaches, then CheckAfterDetach runs and ends the process with its
  // verdict. Should the check never run, this status fails the test.
  return 3;
}
