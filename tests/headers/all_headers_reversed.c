/* The three public headers in C99 in the opposite order, zor.h last: the shared VISA types,
 * ZOR_EXPORT and the float classes must come out the same whichever header defines them. */
#include "zornum.h"
#include "zorbase.h"
#include "zor.h"

#define C_ASSERT(name, cond) typedef char c_assert_##name[(cond) ? 1 : -1]

C_ASSERT(float_classes, ZOR_FLOAT_ORDINARY == 0 && ZOR_FLOAT_NAN == 1 && ZOR_FLOAT_POS_INF == 2 &&
                            ZOR_FLOAT_NEG_INF == 3);
C_ASSERT(status_type, sizeof(ViStatus) == 4 && ZOR_ERROR_NULL_POINTER == (ViStatus)0xBFFA0058);
C_ASSERT(entry_fits_message_table, sizeof(ZorErrorMessageEntry) >= sizeof(ViStatus));
