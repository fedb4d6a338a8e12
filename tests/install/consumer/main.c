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
  printf("consumer: session %u, \"%s\"\n", (unsigned)vi, message);
  return 0;
}
