#include "driver/driver_binding.h"

#include "zorbase.h"

namespace zor {

DriverBinding::~DriverBinding() { ZorDriverLoader_Dispose(loader); }

}  // namespace zor
