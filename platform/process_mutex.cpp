#include "platform/process_mutex.h"

#include <map>
#include <memory>

namespace zor::platform {

ProcessMutex& ProcessMutex::Named(const std::string& name) {
  // Deliberately never destroyed: a library may still take the mutex while the process exits.
  static auto* guard = new std::mutex;
  static auto* byName = new std::map<std::string, std::unique_ptr<ProcessMutex>>;
  std::lock_guard<std::mutex> hold(*guard);
  auto& slot = (*byName)[name];
  if (!slot) slot = std::make_unique<ProcessMutex>(name);
  return *slot;
}

}  // namespace zor::platform
