// Loading shared libraries at run time and finding their symbols.
#pragma once

#include <string>

namespace zor::platform {

// Owns one reference to a loaded shared library; the reference is dropped on destruction.
class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary();
  DynamicLibrary(DynamicLibrary&& other) noexcept;
  DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // Loads `name` exactly as given (the dynamic loader's search rules apply). On failure the
  // result is not loaded() and lastError() tells why.
  static DynamicLibrary Open(const char* name);

  // Loads the shared library that contains `address` once more and never unloads it, so that
  // the library stays in memory until the process ends.
  static bool PinLibraryContaining(const void* address);

  bool loaded() const { return handle_ != nullptr; }
  const std::string& lastError() const { return error_; }

  // Address of `symbol`, or nullptr when the library does not export it.
  void* Find(const char* symbol) const;

  // Unloads now; the object becomes empty.
  void Close();

 private:
  void* handle_ = nullptr;
  std::string error_;
};

}  // namespace zor::platform
