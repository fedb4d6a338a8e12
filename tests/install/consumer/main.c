/* A driver-like program built against the installed package. */
#include <stdio.h>

#include <zor.h>
#include <zorbase.h>
#include <zornum.h>

int main(void) {
  ViSession vi = 0;
  ViConstString message = NULL;
  if (ZorSession_New(&vi) != VI_SUCCESS || vi == 0) return 1;
  if (ZorFloat_GetType(ZorFloat_NaN()) != ZOR_FLOAT_NAN) return 2;
  if (ZorErrorMessage_Get(ZOR_ERROR_NULL_POINTER, NULL, &message) != VI_SUCCESS) return 3;
  if (ZorSession_Dispose(vi) != VI_SUCCESS) return 4;
  {
    /* What a driver's initialization does with the engine. */
    ViSession driver = VI_NULL;
    ViReal64 level = 0.0;
    if (Zor_SpecificDriverNew("ab12", "Simulate=1", &driver) != VI_SUCCESS) return 5;
    if (Zor_AddAttributeViReal64(driver, 1250001, "LEVEL", 2.5, 0, NULL, NULL, NULL, 0) != VI_SUCCESS) return 6;
    if (Zor_GetAttributeViReal64(driver, NULL, 1250001, ZOR_VAL_USER_CALL, &level) != VI_SUCCESS || level != 2.5)
      return 7;
    if (Zor_Dispose(driver) != VI_SUCCESS) return 8;
  }
  printf("consumer: session %u, \"%s\"\n", (unsigned)vi, message);
  return 0;
}
