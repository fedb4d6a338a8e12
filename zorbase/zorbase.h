/* zorbase: the support library of the Zor engine. Session handles with per-session
 * recursive locks and data pointers, error records per session and per thread, thread-local
 * values, multithread locks, a driver-module loader and a standard message table. */
#ifndef ZORBASE_H
#define ZORBASE_H

#include "zor/visa_types.h"

/* One row of a message table: a status code and its text. A table ends with a row whose
 * code is 0. */
typedef struct ZorErrorMessageEntry {
  ViStatus code;
  ViConstString message;
} ZorErrorMessageEntry;

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Session handles ---- */
ZOR_EXPORT ViStatus ZorSession_New(ViSession *vi);
ZOR_EXPORT ViStatus ZorSession_Dispose(ViSession vi);
ZOR_EXPORT ViStatus ZorSession_Lock(ViSession vi, ViBoolean *callerHasLock);
ZOR_EXPORT ViStatus ZorSession_Unlock(ViSession vi, ViBoolean *callerHasLock);
ZOR_EXPORT ViStatus ZorSession_GetDataPtr(ViSession vi, ViAddr *dataPtr);
ZOR_EXPORT ViStatus ZorSession_SetDataPtr(ViSession vi, ViAddr dataPtr);

/* ---- Session and thread error records ---- */
ZOR_EXPORT ViStatus ZorSession_SetError(ViSession vi, ViStatus code, ViConstString description);
ZOR_EXPORT ViStatus ZorSession_GetError(ViSession vi, ViInt32 bufferSize, ViStatus *code,
                                        ViChar description[]);
ZOR_EXPORT ViStatus ZorSession_ClearError(ViSession vi);
ZOR_EXPORT ViStatus ZorSessionError_SetErrorCode(ViSession vi, ViStatus code);
ZOR_EXPORT ViStatus ZorSessionError_SetErrorDescription(ViSession vi, ViConstString description);
ZOR_EXPORT ViStatus ZorSessionError_GetErrorCode(ViSession vi, ViStatus *code);
ZOR_EXPORT ViStatus ZorSessionError_GetErrorDescription(ViSession vi, ViConstString *description);
ZOR_EXPORT ViStatus ZorThreadError_SetErrorCode(ViStatus code);
ZOR_EXPORT ViStatus ZorThreadError_SetErrorDescription(ViConstString description);
ZOR_EXPORT ViStatus ZorThreadError_GetErrorCode(ViStatus *code);
ZOR_EXPORT ViStatus ZorThreadError_GetErrorDescription(ViConstString *description);

/* ---- Thread variables ---- */
ZOR_EXPORT ViStatus ZorThreadVar_New(ViInt32 reserved, ViAddr *var);
ZOR_EXPORT void ZorThreadVar_SetValueViAddr(ViAddr var, ViAddr value);
ZOR_EXPORT void ZorThreadVar_GetValueViAddr(ViAddr var, ViAddr *value);
ZOR_EXPORT void ZorThreadVar_Dispose(ViAddr var);

/* ---- Multithread locks (recursive) ---- */
ZOR_EXPORT ViStatus ZorMultithreadLock_New(ViAddr *lock);
ZOR_EXPORT void ZorMultithreadLock_Acquire(ViAddr lock);
ZOR_EXPORT void ZorMultithreadLock_Release(ViAddr lock);
ZOR_EXPORT void ZorMultithreadLock_Dispose(ViAddr lock);

/* ---- Driver loader ---- */
ZOR_EXPORT ViStatus ZorDriverLoader_New(ViConstString moduleFileName, ViConstString prefix,
                                        ViAddr *loader);
ZOR_EXPORT ViStatus ZorDriverLoader_GetFunctionPtr(ViAddr loader, ViConstString functionName,
                                                   ViAddr *functionPtr);
ZOR_EXPORT ViStatus ZorDriverLoader_GetFunctionPtrByCompleteName(ViAddr loader,
                                                                 ViConstString completeName,
                                                                 ViAddr *functionPtr);
ZOR_EXPORT void ZorDriverLoader_Dispose(ViAddr loader);

/* ---- Standard message table ---- */
ZOR_EXPORT ViStatus ZorErrorMessage_Get(ViStatus code, const ZorErrorMessageEntry messageTable[],
                                        ViConstString *message);
ZOR_EXPORT ViStatus ZorErrorMessage_FormatWithElaboration(ViConstString message,
                                                          ViConstString elaboration,
                                                          ViInt32 bufferSize, ViChar buffer[]);

#ifdef __cplusplus
}
#endif

#endif /* ZORBASE_H */
