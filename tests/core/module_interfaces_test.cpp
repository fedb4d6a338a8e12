// The engine's view of driver modules and of the VISA library: functions written the way a
// driver or a VISA implementation writes them must convert to the engine's function types.
#include <gtest/gtest.h>

#include "driver/driver_module.h"
#include "io/visa_library.h"

namespace zor {
namespace {

extern "C" ViStatus FakeLock(ViSession, ViBoolean*) { return VI_SUCCESS; }
extern "C" ViStatus FakeSimulationInit(ViSession, ViConstString, ViSession* simulated) {
  *simulated = 7;
  return VI_SUCCESS;
}
extern "C" ViStatus FakeOpenDefaultRM(ViSession* rm) {
  *rm = 1;
  return VI_SUCCESS;
}
extern "C" ViStatus FakeRead(ViSession, ViBuf, ViUInt32 count, ViUInt32* transferred) {
  *transferred = count;
  return VI_SUCCESS;
}

TEST(ModuleInterfaces, FunctionsOfDriversAndVisaMatchTheEngineTypes) {
  driver_module::LockSessionFunction lock = &FakeLock;
  driver_module::SimulationInitFunction init = &FakeSimulationInit;
  visa::OpenDefaultRMFunction open = &FakeOpenDefaultRM;
  visa::ReadFunction read = &FakeRead;
  ViSession session = 0;
  EXPECT_EQ(lock(1, nullptr), VI_SUCCESS);
  EXPECT_EQ(init(1, "", &session), VI_SUCCESS);
  EXPECT_EQ(session, 7u);
  EXPECT_EQ(open(&session), VI_SUCCESS);
  ViUInt32 transferred = 0;
  unsigned char buffer[4];
  EXPECT_EQ(read(1, buffer, 4, &transferred), VI_SUCCESS);
  EXPECT_EQ(transferred, 4u);
}

}  // namespace
}  // namespace zor
