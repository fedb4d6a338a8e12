// DriverLoader: a driver module opened by file name, with lookups of its functions by the
// driver's naming convention (prefix, "_", name) or by complete name. Immutable once created,
// so lookups may run on several threads at once.
#pragma once

#include <memory>
#include <string>

#include "platform/dynamic_library.h"

namespace zor::base {

// Where a loader's functions come from. The one back end in use is a dynamic library.
class LoaderBackEnd {
 public:
  virtual ~LoaderBackEnd() = default;  // unloads the module
  virtual void* FindFunction(const char* completeName) const = 0;
};

class DynamicLibraryBackEnd final : public LoaderBackEnd {
 public:
  explicit DynamicLibraryBackEnd(platform::DynamicLibrary library) : library_(std::move(library)) {}
  void* FindFunction(const char* completeName) const override { return library_.Find(completeName); }

 private:
  platform::DynamicLibrary library_;
};

struct DriverLoader {
  std::string prefix;
  std::unique_ptr<LoaderBackEnd> backEnd;
};

// Raises 0xBFFA0002 when the module cannot be loaded, whatever the system's reason.
std::unique_ptr<DriverLoader> OpenDriverLoader(const char* moduleFileName, const char* prefix);

}  // namespace zor::base
