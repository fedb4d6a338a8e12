// DriverBinding: a driver module loaded for a session, with the addresses of the functions
// named at binding time (function id = zero-based position in that list).
#pragma once

#include <string>

#include "core/ordered_array.h"
#include "zor.h"

namespace zor {

struct DriverBinding {
  DriverBinding() = default;
  ~DriverBinding();
  DriverBinding(const DriverBinding&) = delete;
  DriverBinding& operator=(const DriverBinding&) = delete;

  OrderedArray<void*> functions;     // NULL where the module lacks the name
  OrderedArray<std::string> names;   // the names given at binding time, in order
  ViAddr loader = nullptr;           // the support library's DriverLoader; owned
};

}  // namespace zor
