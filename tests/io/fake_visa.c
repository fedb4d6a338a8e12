/* The fake VISA library (see fake_visa.h). Built as "libvisa.so" twice: complete, and with
 * FAKE_VISA_PARTIAL lacking four entry points, so that tests can put either first on the
 * loader's search path. */
#include "fake_visa.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#define FAKE_EXPORT __attribute__((visibility("default")))

typedef uint32_t ViSession;
typedef int32_t ViStatus;
typedef uint32_t ViAttr;

static FakeVisaState state;

__attribute__((constructor)) static void FakeVisaLoaded(void) { ++state.constructed; }

FAKE_EXPORT FakeVisaState *fake_visa_state(void) { return &state; }

static ViStatus Called(enum FakeVisaEntryPoint which, ViSession session) {
  ++state.calls[which];
  state.session = session;
  return state.result[which];
}

FAKE_EXPORT ViStatus viRead(ViSession io, unsigned char *buffer, uint32_t count,
                            uint32_t *transferred) {
  state.pointer = buffer;
  state.count = count;
  state.countPointer = transferred;
  if (transferred != NULL) *transferred = state.transferred;
  return Called(FAKE_VISA_READ, io);
}

FAKE_EXPORT ViStatus viWrite(ViSession io, unsigned char *buffer, uint32_t count,
                             uint32_t *transferred) {
  state.pointer = buffer;
  state.count = count;
  state.countPointer = transferred;
  if (transferred != NULL) *transferred = state.transferred;
  return Called(FAKE_VISA_WRITE, io);
}

FAKE_EXPORT ViStatus viSetAttribute(ViSession session, ViAttr attribute, uintptr_t value) {
  state.attribute = attribute;
  state.attributeValue = value;
  return Called(FAKE_VISA_SET_ATTRIBUTE, session);
}

FAKE_EXPORT ViStatus viClose(ViSession session) {
  const ViStatus status = Called(FAKE_VISA_CLOSE, session);
  if (state.onClose != NULL) state.onClose(session);
  return status;
}

#ifndef FAKE_VISA_PARTIAL

FAKE_EXPORT ViStatus viGetAttribute(ViSession session, ViAttr attribute, void *value) {
  state.attribute = attribute;
  state.pointer = value;
  if (attribute == 0x3FFF0016u) { /* VI_ATTR_SEND_END_EN is a 16-bit boolean */
    const uint16_t flag = (uint16_t)state.attributeOut;
    memcpy(value, &flag, sizeof flag);
  } else {
    memcpy(value, &state.attributeOut, sizeof state.attributeOut);
  }
  return Called(FAKE_VISA_GET_ATTRIBUTE, session);
}

static void Print(const void *bytes, size_t length) {
  const size_t room = FAKE_VISA_PRINTED_SIZE - 1 - state.printedLength;
  if (length > room) length = room;
  memcpy(state.printed + state.printedLength, bytes, length);
  state.printedLength += length;
  state.printed[state.printedLength] = '\0';
}

/* Understands the two formats the engine uses: "%s" and "%*y" (a count, then that many raw
 * bytes); other characters are copied. */
FAKE_EXPORT ViStatus viVPrintf(ViSession io, const char *format, va_list arguments) {
  const char *at;
  state.format = format;
  state.printedLength = 0;
  state.printed[0] = '\0';
  for (at = format; *at != '\0'; ++at) {
    if (strncmp(at, "%s", 2) == 0) {
      const char *text = va_arg(arguments, const char *);
      Print(text, strlen(text));
      ++at;
    } else if (strncmp(at, "%*y", 3) == 0) {
      const int count = va_arg(arguments, int);
      const unsigned char *bytes = va_arg(arguments, const unsigned char *);
      Print(bytes, count > 0 ? (size_t)count : 0u);
      at += 2;
    } else {
      Print(at, 1);
    }
  }
  return Called(FAKE_VISA_VPRINTF, io);
}

FAKE_EXPORT ViStatus viOpenDefaultRM(ViSession *resourceManager) {
  state.pointer = resourceManager;
  *resourceManager = state.resourceManager;
  return Called(FAKE_VISA_OPEN_DEFAULT_RM, 0);
}

FAKE_EXPORT ViStatus viStatusDesc(ViSession session, ViStatus status, char description[256]) {
  state.status = status;
  state.pointer = description;
  snprintf(description, 256, "fake description of %ld", (long)status);
  return Called(FAKE_VISA_STATUS_DESC, session);
}

#endif
