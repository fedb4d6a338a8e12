/* The VISA types and the export marker shared by zor.h, zorbase.h and zornum.h.
 * The types are defined here unless a VISA visatype.h was included first. */
#ifndef ZOR_VISA_TYPES_H
#define ZOR_VISA_TYPES_H

#ifndef __VISATYPE_HEADER__
#include <stdint.h>
typedef int16_t ViInt16;
typedef uint16_t ViUInt16;
typedef int32_t ViInt32;
typedef uint32_t ViUInt32;
typedef int64_t ViInt64;
typedef uint64_t ViUInt64;
typedef double ViReal64;
typedef ViUInt16 ViBoolean;
typedef char ViChar;
typedef char *ViString;
typedef char *ViRsrc;
typedef const char *ViConstString;
typedef void *ViAddr;
typedef unsigned char *ViBuf;
typedef ViUInt32 ViSession;
typedef ViInt32 ViStatus;
typedef ViUInt32 ViAttr;
#endif
#ifndef VI_NULL
#define VI_NULL 0
#endif
#ifndef VI_TRUE
#define VI_TRUE 1
#endif
#ifndef VI_FALSE
#define VI_FALSE 0
#endif
#ifndef VI_SUCCESS
#define VI_SUCCESS 0
#endif

#ifndef ZOR_EXPORT
#if defined(__GNUC__)
#define ZOR_EXPORT __attribute__((visibility("default")))
#else
#define ZOR_EXPORT
#endif
#endif

#endif /* ZOR_VISA_TYPES_H */
