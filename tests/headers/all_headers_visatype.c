/* zor.h after a VISA installation's own type header: the VISA definitions stand and zor.h
 * adds only what is missing. The stand-in below spells its types and constants the way such
 * headers do, differently from zor.h but with the same meaning. */
#define __VISATYPE_HEADER__
typedef short ViInt16;
typedef unsigned short ViUInt16;
typedef int ViInt32;
typedef unsigned int ViUInt32;
typedef long long ViInt64;
typedef unsigned long long ViUInt64;
typedef double ViReal64;
typedef ViUInt16 ViBoolean;
typedef char ViChar;
typedef ViChar *ViString;
typedef ViChar *ViRsrc;
typedef const ViChar *ViConstString;
typedef void *ViAddr;
typedef unsigned char *ViBuf;
typedef ViUInt32 ViSession;
typedef ViInt32 ViStatus;
typedef ViUInt32 ViAttr;
#define VI_NULL (0)
#define VI_TRUE (1)
#define VI_FALSE (0)
#define VI_SUCCESS (0L)
#define VI_ERROR_ALLOC ((ViStatus)(0x80000000UL + 0x3FFF003CUL))
#define VI_ATTR_TMO_VALUE (0x3FFF001AUL)

#include "zor.h"
#include "zorbase.h"

#include "layout_items.h"

#define C_ASSERT(name, cond) typedef char c_assert_##name[(cond) ? 1 : -1]

C_ASSERT(visa_alloc_kept, VI_ERROR_ALLOC == (ViStatus)0xBFFF003C);
C_ASSERT(visa_timeout_kept, VI_ATTR_TMO_VALUE == 0x3FFF001AUL);
C_ASSERT(system_error_added, VI_ERROR_SYSTEM_ERROR == (ViStatus)0xBFFF0000);

static ViStatus write_int64(ViSession vi, ViSession io, ViConstString repCapName,
                            ViAttr attributeId, long long value) {
  (void)vi, (void)io, (void)repCapName, (void)attributeId;
  return value == 7 ? VI_SUCCESS : ZOR_ERROR_INVALID_VALUE;
}

int zor_headers_c_visatype_ok(void) {
  ZorWriteCallbackViInt64 write_callback = write_int64;
  RangeTableEntry end = ZOR_RANGE_TABLE_LAST_ENTRY;
  return write_callback(1, 2, VI_NULL, 1, 7) == VI_SUCCESS && end.cmdString == ZOR_RANGE_TABLE_END_STRING;
}
