// A process-wide mutex known by name. Win32 drivers serialize the first binding of the VISA
// library with a named kernel mutex; within one process a name-keyed mutex gives the same
// guarantee. Mutexes live until the process ends, so a reference stays valid forever.
#pragma once

#include <mutex>
#include <string>

namespace zor::platform {

class ProcessMutex {
 public:
  // The mutex registered under `name`, created on first use.
  static ProcessMutex& Named(const std::string& name);

  const std::string& name() const { return name_; }
  void lock() { mutex_.lock(); }
  void unlock() { mutex_.unlock(); }

  explicit ProcessMutex(std::string name) : name_(std::move(name)) {}
  ProcessMutex(const ProcessMutex&) = delete;
  ProcessMutex& operator=(const ProcessMutex&) = delete;

 private:
  std::string name_;
  std::mutex mutex_;
};

}  // namespace zor::platform
