#include "driver_loader.h"

#include "base_status.h"

namespace zor::base {

std::unique_ptr<DriverLoader> OpenDriverLoader(const char* moduleFileName, const char* prefix) {
  auto loader = std::make_unique<DriverLoader>();
  loader->prefix = prefix;
  platform::DynamicLibrary library = platform::DynamicLibrary::Open(moduleFileName);
  if (!library.loaded()) Raise(kFileOpenFailed);
  loader->backEnd = std::make_unique<DynamicLibraryBackEnd>(std::move(library));
  return loader;
}

}  // namespace zor::base

using namespace zor::base;

extern "C" {

ZOR_EXPORT ViStatus ZorDriverLoader_New(ViConstString moduleFileName, ViConstString prefix,
                                        ViAddr* loader) {
  return Guarded([&] {
    if (loader == nullptr) Raise(kNullPointer);
    *loader = nullptr;
    // Lookups join the prefix to every name, so a loader cannot exist without one.
    if (prefix == nullptr) Raise(kNullPointer);
    *loader = OpenDriverLoader(moduleFileName, prefix).release();
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorDriverLoader_GetFunctionPtr(ViAddr loader, ViConstString functionName,
                                                   ViAddr* functionPtr) {
  return Guarded([&] {
    if (functionPtr == nullptr) Raise(kNullPointer);
    *functionPtr = nullptr;
    if (functionName == nullptr || loader == nullptr) return kSuccess;
    const auto* driver = static_cast<const DriverLoader*>(loader);
    const std::string completeName = driver->prefix + "_" + functionName;
    *functionPtr = driver->backEnd->FindFunction(completeName.c_str());
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorDriverLoader_GetFunctionPtrByCompleteName(ViAddr loader,
                                                                 ViConstString completeName,
                                                                 ViAddr* functionPtr) {
  return Guarded([&] {
    if (functionPtr == nullptr) Raise(kNullPointer);
    *functionPtr = nullptr;
    if (completeName == nullptr || loader == nullptr) return kSuccess;
    *functionPtr = static_cast<const DriverLoader*>(loader)->backEnd->FindFunction(completeName);
    return kSuccess;
  });
}

ZOR_EXPORT void ZorDriverLoader_Dispose(ViAddr loader) {
  delete static_cast<DriverLoader*>(loader);
}

}  // extern "C"
