/* zornum: the IEEE 754 special values of ViReal64 as fixed bit patterns, and the
 * classification of a ViReal64 by its bits. */
#ifndef ZORNUM_H
#define ZORNUM_H

#include "zor/visa_types.h"

/* Classes returned by ZorFloat_GetType. */
#ifndef ZOR_FLOAT_ORDINARY
#define ZOR_FLOAT_ORDINARY 0
#define ZOR_FLOAT_NAN 1
#define ZOR_FLOAT_POS_INF 2
#define ZOR_FLOAT_NEG_INF 3
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* +infinity, pattern 0x7FF0000000000000. */
ZOR_EXPORT ViReal64 ZorFloat_PosInf(void);
/* -infinity, pattern 0xFFF0000000000000. */
ZOR_EXPORT ViReal64 ZorFloat_NegInf(void);
/* Quiet NaN, pattern 0x7FF8000000000001. */
ZOR_EXPORT ViReal64 ZorFloat_NaN(void);
/* ZOR_FLOAT_ORDINARY, ZOR_FLOAT_NAN, ZOR_FLOAT_POS_INF or ZOR_FLOAT_NEG_INF; reads bits only. */
ZOR_EXPORT ViInt32 ZorFloat_GetType(ViReal64 value);

#ifdef __cplusplus
}
#endif

#endif /* ZORNUM_H */
