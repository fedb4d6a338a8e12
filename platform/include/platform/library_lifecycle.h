// Process attach and detach of a shared library.
//
// A library declares one static DetachNotifier. Its constructor runs when the library is
// loaded (process attach); its destructor runs when the process detaches the library: at
// exit(), or when the last dlclose() unloads it. Detach work must stay minimal: other threads
// may still be running, so it only raises flags and frees nothing.
#pragma once

namespace zor::platform {

class DetachNotifier {
 public:
  using Handler = void (*)();
  explicit DetachNotifier(Handler onDetach) : onDetach_(onDetach) {}
  ~DetachNotifier() {
    if (onDetach_ != nullptr) onDetach_();
  }
  DetachNotifier(const DetachNotifier&) = delete;
  DetachNotifier& operator=(const DetachNotifier&) = delete;

 private:
  Handler onDetach_;
};

}  // namespace zor::platform
