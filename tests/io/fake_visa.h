/* A stand-in for the VISA library in tests: it records each call and answers with statuses
 * the test chooses. The test reaches this state through the exported function
 * FAKE_VISA_STATE_SYMBOL, looked up in the loaded library. Valid C99 and C++. */
#ifndef ZOR_TESTS_IO_FAKE_VISA_H
#define ZOR_TESTS_IO_FAKE_VISA_H

#include <stddef.h>
#include <stdint.h>

enum FakeVisaEntryPoint {
  FAKE_VISA_STATUS_DESC,
  FAKE_VISA_READ,
  FAKE_VISA_WRITE,
  FAKE_VISA_SET_ATTRIBUTE,
  FAKE_VISA_GET_ATTRIBUTE,
  FAKE_VISA_VPRINTF,
  FAKE_VISA_CLOSE,
  FAKE_VISA_OPEN_DEFAULT_RM,
  FAKE_VISA_ENTRY_POINTS
};

#define FAKE_VISA_PRINTED_SIZE 256

typedef struct FakeVisaState {
  int constructed; /* times the library's constructor ran */
  int calls[FAKE_VISA_ENTRY_POINTS];
  int32_t result[FAKE_VISA_ENTRY_POINTS]; /* status each entry point returns; 0 at start */

  /* Arguments of the latest call (of whichever entry point). */
  uint32_t session;
  uint32_t attribute;
  uintptr_t attributeValue;
  int32_t status;
  uint32_t count;
  const void *pointer; /* buffer, value address, resource-manager address or description */
  const void *countPointer;
  const char *format;

  /* What the entry points write back. */
  uint32_t transferred;     /* through the count pointer of viRead and viWrite */
  uint32_t resourceManager; /* through the address given to viOpenDefaultRM */
  uint32_t attributeOut;    /* through the address given to viGetAttribute */
  char printed[FAKE_VISA_PRINTED_SIZE]; /* what viVPrintf produced ("%s" and "%*y") */
  size_t printedLength;

  /* Called by viClose with its session, before it returns; may be null. */
  void (*onClose)(uint32_t session);
} FakeVisaState;

typedef FakeVisaState *(*FakeVisaStateFunction)(void);
#define FAKE_VISA_STATE_SYMBOL "fake_visa_state"

#endif
