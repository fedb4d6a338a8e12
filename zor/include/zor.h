/* zor: the run-time engine for instrument drivers. Everything a driver or an application
 * needs from the engine: the VISA types, status codes, attribute ids, flags and option bits,
 * type codes, callback kinds and signatures, range-table layout and the exported functions.
 *
 * Valid C99 and C++. The VISA types and ZOR_EXPORT come from zor/visa_types.h, shared with
 * zorbase.h and zornum.h, so the three headers may be included in any order; a VISA
 * visatype.h included first supplies the types instead. */
#ifndef ZOR_H
#define ZOR_H

#include <stdarg.h>
#include <stdint.h>

#include "zor/visa_types.h"

/* ======================================================================================
 * Status codes
 *
 * Negative codes are errors, positive codes warnings, 0 (VI_SUCCESS) success. Every
 * ZOR_ code below has a message in the engine's status table.
 * ====================================================================================== */

/* Instrument driver operations the instrument does not offer (warnings). */
#define ZOR_WARN_NO_ID_QUERY                         ((ViStatus)0x3FFC0101)
#define ZOR_WARN_NO_RESET                            ((ViStatus)0x3FFC0102)
#define ZOR_WARN_NO_SELF_TEST                        ((ViStatus)0x3FFC0103)
#define ZOR_WARN_NO_ERROR_QUERY                      ((ViStatus)0x3FFC0104)
#define ZOR_WARN_NO_REVISION_QUERY                   ((ViStatus)0x3FFC0105)

/* A driver function argument, by position (1 to 8), is out of range or failed to apply. */
#define ZOR_ERROR_PARAMETER1                         ((ViStatus)0xBFFC0001)
#define ZOR_ERROR_PARAMETER2                         ((ViStatus)0xBFFC0002)
#define ZOR_ERROR_PARAMETER3                         ((ViStatus)0xBFFC0003)
#define ZOR_ERROR_PARAMETER4                         ((ViStatus)0xBFFC0004)
#define ZOR_ERROR_PARAMETER5                         ((ViStatus)0xBFFC0005)
#define ZOR_ERROR_PARAMETER6                         ((ViStatus)0xBFFC0006)
#define ZOR_ERROR_PARAMETER7                         ((ViStatus)0xBFFC0007)
#define ZOR_ERROR_PARAMETER8                         ((ViStatus)0xBFFC0008)

/* Instrument identification and response failures reported by drivers. */
#define ZOR_ERROR_IDENTIFICATION_QUERY_FAILED        ((ViStatus)0xBFFC0011)
#define ZOR_ERROR_INTERPRETING_RESPONSE              ((ViStatus)0xBFFC0012)

/* Optional instrument operations the driver does not support (warnings). */
#define ZOR_WARN_ID_QUERY_UNSUPPORTED                ((ViStatus)0x3FFA0065)
#define ZOR_WARN_RESET_UNSUPPORTED                   ((ViStatus)0x3FFA0066)
#define ZOR_WARN_SELF_TEST_UNSUPPORTED               ((ViStatus)0x3FFA0067)
#define ZOR_WARN_ERROR_QUERY_UNSUPPORTED             ((ViStatus)0x3FFA0068)
#define ZOR_WARN_REVISION_QUERY_UNSUPPORTED          ((ViStatus)0x3FFA0069)

/* Engine errors. */
#define ZOR_ERROR_UNRECOVERABLE_FAILURE              ((ViStatus)0xBFFA0000)
#define ZOR_ERROR_INSTRUMENT_ERROR_DETECTED          ((ViStatus)0xBFFA0001)
#define ZOR_ERROR_FILE_OPEN_FAILED                   ((ViStatus)0xBFFA0002)
#define ZOR_ERROR_FILE_READ                          ((ViStatus)0xBFFA0003)
#define ZOR_ERROR_FILE_WRITE                         ((ViStatus)0xBFFA0004)
#define ZOR_ERROR_DRIVER_MODULE_NOT_FOUND            ((ViStatus)0xBFFA0005)
#define ZOR_ERROR_DRIVER_MODULE_NOT_READABLE         ((ViStatus)0xBFFA0006)
#define ZOR_ERROR_DRIVER_MODULE_INVALID              ((ViStatus)0xBFFA0007)
#define ZOR_ERROR_DRIVER_MODULE_UNDEFINED_REFERENCES ((ViStatus)0xBFFA0008)
#define ZOR_ERROR_FUNCTION_NOT_IN_DRIVER_MODULE      ((ViStatus)0xBFFA0009)
#define ZOR_ERROR_DRIVER_MODULE_LOAD_FAILED          ((ViStatus)0xBFFA000A)
#define ZOR_ERROR_INVALID_PATH_NAME                  ((ViStatus)0xBFFA000B)
#define ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN               ((ViStatus)0xBFFA000C)
#define ZOR_ERROR_ATTRIBUTE_READ_ONLY                ((ViStatus)0xBFFA000D)
#define ZOR_ERROR_ATTRIBUTE_WRITE_ONLY               ((ViStatus)0xBFFA000E)
#define ZOR_ERROR_INVALID_PARAMETER                  ((ViStatus)0xBFFA000F)
#define ZOR_ERROR_INVALID_VALUE                      ((ViStatus)0xBFFA0010)
#define ZOR_ERROR_NOT_SUPPORTED                      ((ViStatus)0xBFFA0011)
#define ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED            ((ViStatus)0xBFFA0012)
#define ZOR_ERROR_ENUM_VALUE_NOT_SUPPORTED           ((ViStatus)0xBFFA0013)
#define ZOR_ERROR_INVALID_TYPE                       ((ViStatus)0xBFFA0014)
#define ZOR_ERROR_TYPE_MISMATCH                      ((ViStatus)0xBFFA0015)
#define ZOR_ERROR_UPDATE_PENDING                     ((ViStatus)0xBFFA0016)
#define ZOR_ERROR_ITEM_EXISTS                        ((ViStatus)0xBFFA0017)
#define ZOR_ERROR_INVALID_CONFIGURATION              ((ViStatus)0xBFFA0018)
#define ZOR_ERROR_ITEM_NOT_AVAILABLE                 ((ViStatus)0xBFFA0019)
#define ZOR_ERROR_VALUE_UNKNOWN                      ((ViStatus)0xBFFA001A)
#define ZOR_ERROR_NO_RANGE_TABLE                     ((ViStatus)0xBFFA001B)
#define ZOR_ERROR_INVALID_RANGE_TABLE                ((ViStatus)0xBFFA001C)
#define ZOR_ERROR_NOT_CONNECTED                      ((ViStatus)0xBFFA001D)
#define ZOR_ERROR_UNDERSPECIFIED_CONFIGURATION       ((ViStatus)0xBFFA001E)
#define ZOR_ERROR_NO_CHANNEL_TABLE                   ((ViStatus)0xBFFA001F)
#define ZOR_ERROR_UNKNOWN_REPCAP_NAME                ((ViStatus)0xBFFA0020)
#define ZOR_ERROR_SYSTEM_RESOURCE                    ((ViStatus)0xBFFA0021)
#define ZOR_ERROR_ACCESS_DENIED                      ((ViStatus)0xBFFA0022)
#define ZOR_ERROR_TOO_MANY_OPEN_FILES                ((ViStatus)0xBFFA0023)
#define ZOR_ERROR_TEMP_FILE_CREATE                   ((ViStatus)0xBFFA0024)
#define ZOR_ERROR_TEMP_NAMES_USED                    ((ViStatus)0xBFFA0025)
#define ZOR_ERROR_DISK_FULL                          ((ViStatus)0xBFFA0026)
#define ZOR_ERROR_CONFIG_FILE_NOT_FOUND              ((ViStatus)0xBFFA0027)
#define ZOR_ERROR_CONFIG_FILE_OPEN                   ((ViStatus)0xBFFA0028)
#define ZOR_ERROR_CONFIG_FILE_READ                   ((ViStatus)0xBFFA0029)
#define ZOR_ERROR_CONFIG_INVALID_VIINT32             ((ViStatus)0xBFFA002A)
#define ZOR_ERROR_CONFIG_INVALID_VIREAL64            ((ViStatus)0xBFFA002B)
#define ZOR_ERROR_CONFIG_INVALID_VIBOOLEAN           ((ViStatus)0xBFFA002C)
#define ZOR_ERROR_CONFIG_ENTRY_MISSING               ((ViStatus)0xBFFA002D)
#define ZOR_ERROR_DRIVER_INIT_FAILED                 ((ViStatus)0xBFFA002E)
#define ZOR_ERROR_DRIVER_UNRESOLVED_REFERENCE        ((ViStatus)0xBFFA002F)
#define ZOR_ERROR_RTE_NOT_FOUND                      ((ViStatus)0xBFFA0030)
#define ZOR_ERROR_RTE_OPEN                           ((ViStatus)0xBFFA0031)
#define ZOR_ERROR_RTE_INVALID_FORMAT                 ((ViStatus)0xBFFA0032)
#define ZOR_ERROR_RTE_MISSING_FUNCTIONS              ((ViStatus)0xBFFA0033)
#define ZOR_ERROR_RTE_INIT_FAILED                    ((ViStatus)0xBFFA0034)
#define ZOR_ERROR_RTE_UNRESOLVED_REFERENCE           ((ViStatus)0xBFFA0035)
#define ZOR_ERROR_RTE_LOAD_FAILED                    ((ViStatus)0xBFFA0036)
#define ZOR_ERROR_DLL_OPEN_EXPORTS                   ((ViStatus)0xBFFA0037)
#define ZOR_ERROR_DLL_CORRUPT                        ((ViStatus)0xBFFA0038)
#define ZOR_ERROR_DLL_NO_EXPORTS                     ((ViStatus)0xBFFA0039)
#define ZOR_ERROR_CONFIG_UNKNOWN_ATTRIBUTE           ((ViStatus)0xBFFA003A)
#define ZOR_ERROR_CONFIG_INVALID_ATTRIBUTE_VALUE     ((ViStatus)0xBFFA003B)
#define ZOR_ERROR_UNKNOWN_MEMORY_POINTER             ((ViStatus)0xBFFA003C)
#define ZOR_ERROR_NO_REPCAP_STRINGS                  ((ViStatus)0xBFFA003D)
#define ZOR_ERROR_DUPLICATE_REPCAP_NAME              ((ViStatus)0xBFFA003E)
#define ZOR_ERROR_DUPLICATE_VIRTUAL_NAME             ((ViStatus)0xBFFA003F)
#define ZOR_ERROR_VIRTUAL_NAME_MISSING               ((ViStatus)0xBFFA0040)
#define ZOR_ERROR_INVALID_VIRTUAL_NAME               ((ViStatus)0xBFFA0041)
#define ZOR_ERROR_VIRTUAL_NAME_UNASSIGNED            ((ViStatus)0xBFFA0042)
#define ZOR_ERROR_VIRTUAL_NAME_BAD_TARGET            ((ViStatus)0xBFFA0043)
#define ZOR_ERROR_REPCAP_NAME_REQUIRED               ((ViStatus)0xBFFA0044)
#define ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED            ((ViStatus)0xBFFA0045)
#define ZOR_ERROR_ATTRIBUTE_NOT_VALID_FOR_REPCAP     ((ViStatus)0xBFFA0046)
#define ZOR_ERROR_NOT_REPCAP_ATTRIBUTE               ((ViStatus)0xBFFA0047)
#define ZOR_ERROR_CHANNEL_ALREADY_EXCLUDED           ((ViStatus)0xBFFA0048)
#define ZOR_ERROR_OPTION_NAME_MISSING                ((ViStatus)0xBFFA0049)
#define ZOR_ERROR_OPTION_VALUE_MISSING               ((ViStatus)0xBFFA004A)
#define ZOR_ERROR_UNKNOWN_OPTION_NAME                ((ViStatus)0xBFFA004B)
#define ZOR_ERROR_UNKNOWN_OPTION_VALUE               ((ViStatus)0xBFFA004C)
#define ZOR_ERROR_NOT_CLASS_SESSION                  ((ViStatus)0xBFFA004D)
#define ZOR_ERROR_RESERVED_CONFIG_FILENAME           ((ViStatus)0xBFFA004E)
#define ZOR_ERROR_DUPLICATE_RUNTIME_ENTRY            ((ViStatus)0xBFFA004F)
#define ZOR_ERROR_INDEX_ONE_BASED                    ((ViStatus)0xBFFA0050)
#define ZOR_ERROR_INDEX_TOO_LARGE                    ((ViStatus)0xBFFA0051)
#define ZOR_ERROR_NEVER_CACHE_ATTRIBUTE              ((ViStatus)0xBFFA0052)
#define ZOR_ERROR_EXPORTED_VIADDR_ATTRIBUTE          ((ViStatus)0xBFFA0053)
#define ZOR_ERROR_INVALID_REPCAP_CHARACTERS          ((ViStatus)0xBFFA0054)
#define ZOR_ERROR_PREFIX_MISMATCH                    ((ViStatus)0xBFFA0055)
#define ZOR_ERROR_OUT_OF_MEMORY                      ((ViStatus)0xBFFA0056)
#define ZOR_ERROR_OPERATION_PENDING                  ((ViStatus)0xBFFA0057)
#define ZOR_ERROR_NULL_POINTER                       ((ViStatus)0xBFFA0058)
#define ZOR_ERROR_UNEXPECTED_RESPONSE                ((ViStatus)0xBFFA0059)
#define ZOR_ERROR_FILE_NOT_FOUND                     ((ViStatus)0xBFFA005B)
#define ZOR_ERROR_INVALID_FILE_FORMAT                ((ViStatus)0xBFFA005C)
#define ZOR_ERROR_STATUS_NOT_AVAILABLE               ((ViStatus)0xBFFA005D)
#define ZOR_ERROR_INSTRUMENT_ID_QUERY_FAILED         ((ViStatus)0xBFFA005E)
#define ZOR_ERROR_RESET_FAILED                       ((ViStatus)0xBFFA005F)
#define ZOR_ERROR_RESOURCE_UNKNOWN                   ((ViStatus)0xBFFA0060)
#define ZOR_ERROR_ALREADY_INITIALIZED                ((ViStatus)0xBFFA0061)
#define ZOR_ERROR_SIMULATION_STATE_FIXED             ((ViStatus)0xBFFA0062)
#define ZOR_ERROR_SELECTOR_LEVELS                    ((ViStatus)0xBFFA0063)
#define ZOR_ERROR_SELECTOR_RANGE                     ((ViStatus)0xBFFA0064)
#define ZOR_ERROR_SELECTOR_UNKNOWN_NAME              ((ViStatus)0xBFFA0065)
#define ZOR_ERROR_SELECTOR_BADLY_FORMED              ((ViStatus)0xBFFA0066)
#define ZOR_ERROR_SELECTOR_UNKNOWN_PHYSICAL          ((ViStatus)0xBFFA0067)
#define ZOR_ERROR_INVALID_SESSION_HANDLE             ((ViStatus)0xBFFA1190)
#define ZOR_ERROR_LOCK_CREATE_FAILED                 ((ViStatus)0xBFFA1198)
#define ZOR_ERROR_THREAD_LOCAL_CREATE_FAILED         ((ViStatus)0xBFFA11A0)
#define ZOR_ERROR_STORE_DESERIALIZE                  ((ViStatus)0xBFFA1200)
#define ZOR_ERROR_STORE_ALREADY_DESERIALIZED         ((ViStatus)0xBFFA1201)
#define ZOR_ERROR_STORE_SERIALIZE                    ((ViStatus)0xBFFA1202)
#define ZOR_ERROR_NAME_NOT_RESOLVED                  ((ViStatus)0xBFFA1203)
#define ZOR_ERROR_NOT_IN_GLOBAL_COLLECTION           ((ViStatus)0xBFFA1204)
#define ZOR_ERROR_ALREADY_IN_COLLECTION              ((ViStatus)0xBFFA1205)
#define ZOR_ERROR_MASTER_STORE_MISSING               ((ViStatus)0xBFFA1206)
#define ZOR_ERROR_NOT_IN_COLLECTION                  ((ViStatus)0xBFFA1207)
#define ZOR_ERROR_INVALID_DATA_COMPONENT             ((ViStatus)0xBFFA1208)
#define ZOR_ERROR_ELEMENT_REFERENCED                 ((ViStatus)0xBFFA1209)
#define ZOR_ERROR_INVALID_STORE_HANDLE               ((ViStatus)0xBFFA1220)
#define ZOR_ERROR_INVALID_PROPERTY_ID                ((ViStatus)0xBFFA1221)
#define ZOR_ERROR_REPCAP_LIST_FIXED                  ((ViStatus)0xBFFA6000)
#define ZOR_ERROR_ALREADY_RESTRICTED                 ((ViStatus)0xBFFA6001)
#define ZOR_ERROR_REPCAP_TABLE_EXISTS                ((ViStatus)0xBFFA6002)
#define ZOR_ERROR_REPCAP_NOT_DEFINED                 ((ViStatus)0xBFFA6003)
#define ZOR_ERROR_REPCAP_NAME_EMPTY                  ((ViStatus)0xBFFA6004)
#define ZOR_ERROR_CONFIG_SERVER_MISSING              ((ViStatus)0xBFFA600D)

/* Codes of the VISA library that the engine itself returns. */
#ifndef VI_ERROR_SYSTEM_ERROR
#define VI_ERROR_SYSTEM_ERROR ((ViStatus)0xBFFF0000) /* VISA library or entry point missing */
#endif
#ifndef VI_ERROR_ALLOC
#define VI_ERROR_ALLOC ((ViStatus)0xBFFF003C) /* out of memory inside the engine */
#endif
#ifndef VI_WARN_UNKNOWN_STATUS
#define VI_WARN_UNKNOWN_STATUS ((ViStatus)0x3FFF0085) /* no message known for a code */
#endif

/* VISA attributes the engine sets on I/O sessions. */
#ifndef VI_ATTR_TMO_VALUE
#define VI_ATTR_TMO_VALUE 0x3FFF001AUL /* I/O time-out in milliseconds */
#endif
#ifndef VI_ATTR_SEND_END_EN
#define VI_ATTR_SEND_END_EN 0x3FFF0016UL /* assert END with the last byte of a write */
#endif

/* ======================================================================================
 * Attribute ids
 *
 * Plain integer constants so that they compare cleanly with both ViAttr and ViInt32 and
 * work in #if and case labels. Every id is positive and below 0x80000000.
 * ====================================================================================== */

/* ---- Inherent attributes: built into every engine session ---- */

/* Switches carried by every session, simulation-driver sessions included. */
#define ZOR_ATTR_SYSTEM_IO_SESSION       1050322 /* 0x1006D2, ViSession */
#define ZOR_ATTR_CACHE                   1050004 /* 0x100594, ViBoolean */
#define ZOR_ATTR_RANGE_CHECK             1050002 /* 0x100592, ViBoolean */
#define ZOR_ATTR_QUERY_INSTRUMENT_STATUS 1050003 /* 0x100593, ViBoolean */
#define ZOR_ATTR_DEFER_UPDATE            1050051 /* 0x1005C3, ViBoolean */
#define ZOR_ATTR_RETURN_DEFERRED_VALUES  1050052 /* 0x1005C4, ViBoolean */
#define ZOR_ATTR_SIMULATE                1050005 /* 0x100595, ViBoolean */
#define ZOR_ATTR_USE_SPECIFIC_SIMULATION 1050023 /* 0x1005A7, ViBoolean */
#define ZOR_ATTR_RECORD_COERCIONS        1050006 /* 0x100596, ViBoolean */
#define ZOR_ATTR_DRIVER_SETUP            1050007 /* 0x100597, ViString */

/* Identity, callbacks, I/O and error information of driver sessions. */
#define ZOR_ATTR_VISA_RM_SESSION                          1050321 /* 0x1006D1, ViSession */
#define ZOR_ATTR_SPECIFIC_DRIVER_PREFIX                   1050302 /* 0x1006BE, ViString */
#define ZOR_ATTR_BUFFERED_IO_CALLBACK                     1050601 /* 0x1007E9, ViAddr */
#define ZOR_ATTR_SUPPORTS_WR_BUF_OPER_MODE                1050704 /* 0x100850, ViBoolean */
#define ZOR_ATTR_UPDATING_VALUES                          1050708 /* 0x100854, ViBoolean */
#define ZOR_ATTR_ENGINE_MAJOR_VERSION                     1050501 /* 0x100785, ViInt32 */
#define ZOR_ATTR_ENGINE_MINOR_VERSION                     1050502 /* 0x100786, ViInt32 */
#define ZOR_ATTR_ENGINE_REVISION                          1050553 /* 0x1007B9, ViString */
#define ZOR_ATTR_SPECIFIC_DRIVER_MAJOR_VERSION            1050503 /* 0x100787, ViInt32 */
#define ZOR_ATTR_SPECIFIC_DRIVER_MINOR_VERSION            1050504 /* 0x100788, ViInt32 */
#define ZOR_ATTR_SPECIFIC_DRIVER_REVISION                 1050551 /* 0x1007B7, ViString */
#define ZOR_ATTR_CHANNEL_COUNT                            1050203 /* 0x10065B, ViInt32 */
#define ZOR_ATTR_OPC_CALLBACK                             1050602 /* 0x1007EA, ViAddr */
#define ZOR_ATTR_CHECK_STATUS_CALLBACK                    1050603 /* 0x1007EB, ViAddr */
#define ZOR_ATTR_USER_INTERCHANGE_CHECK_CALLBACK          1050801 /* 0x1008B1, ViAddr */
#define ZOR_ATTR_PRIMARY_ERROR                            1050101 /* 0x1005F5, ViInt32 */
#define ZOR_ATTR_SECONDARY_ERROR                          1050102 /* 0x1005F6, ViInt32 */
#define ZOR_ATTR_ERROR_ELABORATION                        1050103 /* 0x1005F7, ViString */
#define ZOR_ATTR_LOGICAL_NAME                             1050305 /* 0x1006C1, ViString */
#define ZOR_ATTR_IO_RESOURCE_DESCRIPTOR                   1050304 /* 0x1006C0, ViString */
#define ZOR_ATTR_INTERCHANGE_CHECK                        1050021 /* 0x1005A5, ViBoolean */
#define ZOR_ATTR_GROUP_CAPABILITIES                       1050401 /* 0x100721, ViString */
#define ZOR_ATTR_ATTRIBUTE_CAPABILITIES                   1050403 /* 0x100723, ViString */
#define ZOR_ATTR_SUPPORTED_CLASSES                        1050323 /* 0x1006D3, ViString */
#define ZOR_ATTR_SUPPORTED_INSTRUMENT_MODELS              1050327 /* 0x1006D7, ViString */
#define ZOR_ATTR_SYSTEM_IO_TIMEOUT                        1050325 /* 0x1006D5, ViInt32 */
#define ZOR_ATTR_IO_SESSION_TYPE                          1050324 /* 0x1006D4, ViString */
#define ZOR_ATTR_INSTRUMENT_FIRMWARE_REVISION             1050510 /* 0x10078E, ViString */
#define ZOR_ATTR_INSTRUMENT_MANUFACTURER                  1050511 /* 0x10078F, ViString */
#define ZOR_ATTR_INSTRUMENT_MODEL                         1050512 /* 0x100790, ViString */
#define ZOR_ATTR_SPECIFIC_DRIVER_VENDOR                   1050513 /* 0x100791, ViString */
#define ZOR_ATTR_SPECIFIC_DRIVER_DESCRIPTION              1050514 /* 0x100792, ViString */
#define ZOR_ATTR_SPECIFIC_DRIVER_CLASS_SPEC_MAJOR_VERSION 1050515 /* 0x100793, ViInt32 */
#define ZOR_ATTR_SPECIFIC_DRIVER_CLASS_SPEC_MINOR_VERSION 1050516 /* 0x100794, ViInt32 */

/* Class-driver sessions only; other sessions answer ZOR_ERROR_NOT_CLASS_SESSION. */
#define ZOR_ATTR_SPECIFIC_DRIVER_LOCATOR               1050303 /* 0x1006BF, ViString */
#define ZOR_ATTR_FUNCTION_CAPABILITIES                 1050402 /* 0x100722, ViString */
#define ZOR_ATTR_CLASS_DRIVER_PREFIX                   1050301 /* 0x1006BD, ViString */
#define ZOR_ATTR_SPY                                   1050022 /* 0x1005A6, ViBoolean */
#define ZOR_ATTR_CLASS_DRIVER_MAJOR_VERSION            1050505 /* 0x100789, ViInt32 */
#define ZOR_ATTR_CLASS_DRIVER_MINOR_VERSION            1050506 /* 0x10078A, ViInt32 */
#define ZOR_ATTR_CLASS_DRIVER_REVISION                 1050552 /* 0x1007B8, ViString */
#define ZOR_ATTR_CLASS_DRIVER_VENDOR                   1050517 /* 0x100795, ViString */
#define ZOR_ATTR_CLASS_DRIVER_DESCRIPTION              1050518 /* 0x100796, ViString */
#define ZOR_ATTR_CLASS_DRIVER_CLASS_SPEC_MAJOR_VERSION 1050519 /* 0x100797, ViInt32 */
#define ZOR_ATTR_CLASS_DRIVER_CLASS_SPEC_MINOR_VERSION 1050520 /* 0x100798, ViInt32 */

/* ---- Class attributes: ids the instrument classes define, from 1250000 on ----
 * A class driver and its specific drivers share these ids; each class numbers its own, so
 * the same id means different settings in different classes. */

/* DC power supplies (ZorDCPwr). */
#define ZORDCPWR_ATTR_VOLTAGE_LEVEL           1250001
#define ZORDCPWR_ATTR_OVP_ENABLED             1250002
#define ZORDCPWR_ATTR_OVP_LIMIT               1250003
#define ZORDCPWR_ATTR_CURRENT_LIMIT_BEHAVIOR  1250004
#define ZORDCPWR_ATTR_CURRENT_LIMIT           1250005
#define ZORDCPWR_ATTR_OUTPUT_ENABLED          1250006
#define ZORDCPWR_ATTR_TRIGGER_SOURCE          1250101
#define ZORDCPWR_ATTR_TRIGGERED_CURRENT_LIMIT 1250102
#define ZORDCPWR_ATTR_TRIGGERED_VOLTAGE_LEVEL 1250103

/* Digital multimeters (ZorDmm). */
#define ZORDMM_ATTR_FUNCTION               1250001
#define ZORDMM_ATTR_RANGE                  1250002
#define ZORDMM_ATTR_TRIGGER_SOURCE         1250004
#define ZORDMM_ATTR_TRIGGER_DELAY          1250005
#define ZORDMM_ATTR_AC_MIN_FREQ            1250006
#define ZORDMM_ATTR_AC_MAX_FREQ            1250007
#define ZORDMM_ATTR_RESOLUTION_ABSOLUTE    1250008
#define ZORDMM_ATTR_FREQ_VOLTAGE_RANGE     1250101
#define ZORDMM_ATTR_TEMP_TRANSDUCER_TYPE   1250201
#define ZORDMM_ATTR_TEMP_TC_TYPE           1250231
#define ZORDMM_ATTR_TEMP_TC_REF_JUNC_TYPE  1250232
#define ZORDMM_ATTR_TEMP_TC_FIXED_REF_JUNC 1250233
#define ZORDMM_ATTR_TEMP_RTD_ALPHA         1250241
#define ZORDMM_ATTR_TEMP_RTD_RES           1250242
#define ZORDMM_ATTR_TEMP_THERMISTOR_RES    1250251
#define ZORDMM_ATTR_SAMPLE_COUNT           1250301
#define ZORDMM_ATTR_SAMPLE_TRIGGER         1250302
#define ZORDMM_ATTR_SAMPLE_INTERVAL        1250303
#define ZORDMM_ATTR_TRIGGER_COUNT          1250304
#define ZORDMM_ATTR_MEAS_COMPLETE_DEST     1250305
#define ZORDMM_ATTR_APERTURE_TIME          1250321
#define ZORDMM_ATTR_APERTURE_TIME_UNITS    1250322
#define ZORDMM_ATTR_AUTO_RANGE_VALUE       1250331
#define ZORDMM_ATTR_AUTO_ZERO              1250332
#define ZORDMM_ATTR_POWERLINE_FREQ         1250333
#define ZORDMM_ATTR_TRIGGER_SLOPE          1250334

/* Function generators (ZorFgen). */
#define ZORFGEN_ATTR_OUTPUT_MODE           1250001
#define ZORFGEN_ATTR_REF_CLOCK_SOURCE      1250002
#define ZORFGEN_ATTR_OUTPUT_ENABLED        1250003
#define ZORFGEN_ATTR_OUTPUT_IMPEDANCE      1250004
#define ZORFGEN_ATTR_OPERATION_MODE        1250005
#define ZORFGEN_ATTR_FUNC_WAVEFORM         1250101
#define ZORFGEN_ATTR_FUNC_AMPLITUDE        1250102
#define ZORFGEN_ATTR_FUNC_DC_OFFSET        1250103
#define ZORFGEN_ATTR_FUNC_FREQUENCY        1250104
#define ZORFGEN_ATTR_FUNC_START_PHASE      1250105
#define ZORFGEN_ATTR_FUNC_DUTY_CYCLE_HIGH  1250106
#define ZORFGEN_ATTR_ARB_WAVEFORM_HANDLE   1250201
#define ZORFGEN_ATTR_ARB_GAIN              1250202
#define ZORFGEN_ATTR_ARB_OFFSET            1250203
#define ZORFGEN_ATTR_ARB_SAMPLE_RATE       1250204
#define ZORFGEN_ATTR_MAX_NUM_WAVEFORMS     1250205
#define ZORFGEN_ATTR_WAVEFORM_QUANTUM      1250206
#define ZORFGEN_ATTR_MIN_WAVEFORM_SIZE     1250207
#define ZORFGEN_ATTR_MAX_WAVEFORM_SIZE     1250208
#define ZORFGEN_ATTR_ARB_FREQUENCY         1250209
#define ZORFGEN_ATTR_ARB_SEQUENCE_HANDLE   1250211
#define ZORFGEN_ATTR_MAX_NUM_SEQUENCES     1250212
#define ZORFGEN_ATTR_MIN_SEQUENCE_LENGTH   1250213
#define ZORFGEN_ATTR_MAX_SEQUENCE_LENGTH   1250214
#define ZORFGEN_ATTR_MAX_LOOP_COUNT        1250215
#define ZORFGEN_ATTR_TRIGGER_SOURCE        1250302
#define ZORFGEN_ATTR_INTERNAL_TRIGGER_RATE 1250310
#define ZORFGEN_ATTR_BURST_COUNT           1250350
#define ZORFGEN_ATTR_AM_ENABLED            1250401
#define ZORFGEN_ATTR_AM_SOURCE             1250402
#define ZORFGEN_ATTR_AM_INTERNAL_DEPTH     1250403
#define ZORFGEN_ATTR_AM_INTERNAL_WAVEFORM  1250404
#define ZORFGEN_ATTR_AM_INTERNAL_FREQUENCY 1250405
#define ZORFGEN_ATTR_FM_ENABLED            1250501
#define ZORFGEN_ATTR_FM_SOURCE             1250502
#define ZORFGEN_ATTR_FM_INTERNAL_DEVIATION 1250503
#define ZORFGEN_ATTR_FM_INTERNAL_WAVEFORM  1250504
#define ZORFGEN_ATTR_FM_INTERNAL_FREQUENCY 1250505

/* Oscilloscopes (ZorScope). */
#define ZORSCOPE_ATTR_VERTICAL_RANGE           1250001
#define ZORSCOPE_ATTR_VERTICAL_OFFSET          1250002
#define ZORSCOPE_ATTR_VERTICAL_COUPLING        1250003
#define ZORSCOPE_ATTR_PROBE_ATTENUATION        1250004
#define ZORSCOPE_ATTR_CHANNEL_ENABLED          1250005
#define ZORSCOPE_ATTR_MAX_INPUT_FREQUENCY      1250006
#define ZORSCOPE_ATTR_HORZ_TIME_PER_RECORD     1250007
#define ZORSCOPE_ATTR_HORZ_RECORD_LENGTH       1250008
#define ZORSCOPE_ATTR_HORZ_MIN_NUM_PTS         1250009
#define ZORSCOPE_ATTR_HORZ_SAMPLE_RATE         1250010
#define ZORSCOPE_ATTR_TRIGGER_TYPE             1250012
#define ZORSCOPE_ATTR_TRIGGER_SOURCE           1250013
#define ZORSCOPE_ATTR_TRIGGER_COUPLING         1250014
#define ZORSCOPE_ATTR_TRIGGER_HOLDOFF          1250016
#define ZORSCOPE_ATTR_TRIGGER_LEVEL            1250017
#define ZORSCOPE_ATTR_TRIGGER_SLOPE            1250018
#define ZORSCOPE_ATTR_INTERPOLATION            1250019
#define ZORSCOPE_ATTR_ACQUISITION_TYPE         1250101
#define ZORSCOPE_ATTR_TRIGGER_MODIFIER         1250102
#define ZORSCOPE_ATTR_INPUT_IMPEDANCE          1250103
#define ZORSCOPE_ATTR_NUM_AVERAGES             1250104
#define ZORSCOPE_ATTR_NUM_ENVELOPES            1250105
#define ZORSCOPE_ATTR_SAMPLE_MODE              1250106
#define ZORSCOPE_ATTR_INITIATE_CONTINUOUS      1250107
#define ZORSCOPE_ATTR_PROBE_SENSE_VALUE        1250108
#define ZORSCOPE_ATTR_ACQUISITION_START_TIME   1250109
#define ZORSCOPE_ATTR_TV_TRIGGER_SIGNAL_FORMAT 1250201
#define ZORSCOPE_ATTR_TV_TRIGGER_POLARITY      1250204
#define ZORSCOPE_ATTR_TV_TRIGGER_EVENT         1250205
#define ZORSCOPE_ATTR_TV_TRIGGER_LINE_NUMBER   1250206
#define ZORSCOPE_ATTR_RUNT_HIGH_THRESHOLD      1250301
#define ZORSCOPE_ATTR_RUNT_LOW_THRESHOLD       1250302
#define ZORSCOPE_ATTR_RUNT_POLARITY            1250303
#define ZORSCOPE_ATTR_GLITCH_WIDTH             1250401
#define ZORSCOPE_ATTR_GLITCH_POLARITY          1250402
#define ZORSCOPE_ATTR_GLITCH_CONDITION         1250403
#define ZORSCOPE_ATTR_WIDTH_LOW_THRESHOLD      1250501
#define ZORSCOPE_ATTR_WIDTH_HIGH_THRESHOLD     1250502
#define ZORSCOPE_ATTR_WIDTH_POLARITY           1250503
#define ZORSCOPE_ATTR_WIDTH_CONDITION          1250504
#define ZORSCOPE_ATTR_MEAS_HIGH_REF            1250607
#define ZORSCOPE_ATTR_MEAS_LOW_REF             1250608
#define ZORSCOPE_ATTR_MEAS_MID_REF             1250609
#define ZORSCOPE_ATTR_AC_LINE_TRIGGER_SLOPE    1250701

/* Switches (ZorSwtch). */
#define ZORSWTCH_ATTR_IS_SOURCE_CHANNEL        1250001
#define ZORSWTCH_ATTR_IS_DEBOUNCED             1250002
#define ZORSWTCH_ATTR_IS_CONFIGURATION_CHANNEL 1250003
#define ZORSWTCH_ATTR_SETTLING_TIME            1250004
#define ZORSWTCH_ATTR_BANDWIDTH                1250005
#define ZORSWTCH_ATTR_MAX_DC_VOLTAGE           1250006
#define ZORSWTCH_ATTR_MAX_AC_VOLTAGE           1250007
#define ZORSWTCH_ATTR_MAX_SWITCHING_DC_CURRENT 1250008
#define ZORSWTCH_ATTR_MAX_SWITCHING_AC_CURRENT 1250009
#define ZORSWTCH_ATTR_MAX_CARRY_DC_CURRENT     1250010
#define ZORSWTCH_ATTR_MAX_CARRY_AC_CURRENT     1250011
#define ZORSWTCH_ATTR_MAX_SWITCHING_DC_POWER   1250012
#define ZORSWTCH_ATTR_MAX_SWITCHING_AC_POWER   1250013
#define ZORSWTCH_ATTR_MAX_CARRY_DC_POWER       1250014
#define ZORSWTCH_ATTR_MAX_CARRY_AC_POWER       1250015
#define ZORSWTCH_ATTR_CHARACTERISTIC_IMPEDANCE 1250016
#define ZORSWTCH_ATTR_WIRE_MODE                1250017
#define ZORSWTCH_ATTR_NUM_OF_ROWS              1250018
#define ZORSWTCH_ATTR_NUM_OF_COLUMNS           1250019
#define ZORSWTCH_ATTR_SCAN_LIST                1250020
#define ZORSWTCH_ATTR_SCAN_MODE                1250021
#define ZORSWTCH_ATTR_TRIGGER_INPUT            1250022
#define ZORSWTCH_ATTR_SCAN_ADVANCED_OUTPUT     1250023
#define ZORSWTCH_ATTR_IS_SCANNING              1250024
#define ZORSWTCH_ATTR_SCAN_DELAY               1250025
#define ZORSWTCH_ATTR_CONTINUOUS_SCAN          1250026

/* ======================================================================================
 * Attribute type codes (the type of an attribute's value)
 * ====================================================================================== */
#define ZOR_TYPE_INT32 1
#define ZOR_TYPE_INT64 2
#define ZOR_TYPE_REAL64 4
#define ZOR_TYPE_STRING 5
#define ZOR_TYPE_ADDR 10
#define ZOR_TYPE_SESSION 11
#define ZOR_TYPE_BOOLEAN 13
/* Never stored; as an argument it means "do not check the attribute's type". */
#define ZOR_TYPE_ANY 14

/* ======================================================================================
 * Attribute flags (the ViInt32 flag word of an attribute). Bits not named here are kept
 * as given and have no effect.
 * ====================================================================================== */
/* Defined but not supported by the instrument: every access to an instance fails. */
#define ZOR_VAL_NOT_SUPPORTED 0x0001
/* No get (ZOR_VAL_NOT_READABLE) or set (ZOR_VAL_NOT_WRITABLE) once the session is created. */
#define ZOR_VAL_NOT_READABLE 0x0002
#define ZOR_VAL_NOT_WRITABLE 0x0004
/* As the two above, but only for calls made on behalf of the end user (ZOR_VAL_USER_CALL). */
#define ZOR_VAL_NOT_USER_READABLE 0x0008
#define ZOR_VAL_NOT_USER_WRITABLE 0x0010
/* A private attribute of the driver: hidden from the end user in both directions. */
#define ZOR_VAL_HIDDEN 0x0018 /* ZOR_VAL_NOT_USER_READABLE | ZOR_VAL_NOT_USER_WRITABLE */
/* Cache policy: never use the cached value / cache even while the session's cache is off. */
#define ZOR_VAL_NEVER_CACHE 0x0020
#define ZOR_VAL_ALWAYS_CACHE 0x0040
/* Added without a repeated-capability name: repeat it over the "Channel" capability. */
#define ZOR_VAL_CHANNEL_BASED 0x0400
/* The instrument may change a value it is given: a cached value that came from a write is
 * read back from the instrument, and a new value is compared with the last one requested. */
#define ZOR_VAL_INSTRUMENT_COERCES 0x0800
/* Call the session's OPC callback before each read / after each successful write. */
#define ZOR_VAL_OPC_BEFORE_READ 0x1000
#define ZOR_VAL_OPC_AFTER_WRITE 0x2000
/* Keep calling the read and write callbacks while the session simulates. */
#define ZOR_VAL_CALLBACKS_IN_SIMULATION 0x4000
/* Reads and writes of this attribute never cause an instrument status check. */
#define ZOR_VAL_NO_STATUS_CHECK 0x8000

/* ======================================================================================
 * Options of set, get and check calls (the optionFlags argument)
 * ====================================================================================== */
/* On behalf of the end user: user permissions apply, the instrument status is checked
 * after a write, and failures are elaborated with the attribute and channel names. */
#define ZOR_VAL_USER_CALL 0x1
/* Store the checked and coerced value in the cache only; nothing reaches the instrument. */
#define ZOR_VAL_CACHE_ONLY 0x2
/* Do not mark the instance as set by the user. */
#define ZOR_VAL_NOT_SET_BY_USER 0x4

/* ======================================================================================
 * Callback kinds (Zor_SetAttrCallback, Zor_GetAttrCallback)
 * ====================================================================================== */
#define ZOR_CALLBACK_READ 1
#define ZOR_CALLBACK_WRITE 2
#define ZOR_CALLBACK_COMPARE 3
#define ZOR_CALLBACK_CHECK 4
#define ZOR_CALLBACK_COERCE 5
#define ZOR_CALLBACK_RANGE_TABLE 6

/* ======================================================================================
 * Range tables
 * ====================================================================================== */
/* Table types: each row is one legal value / a closed interval of legal values / a closed
 * interval whose values are all replaced by the row's coerced value. */
#define ZOR_RANGE_DISCRETE 0
#define ZOR_RANGE_RANGED 1
#define ZOR_RANGE_COERCED 2

/* The cmdString of the row that ends a table: the pointer with all bits set. */
#define ZOR_RANGE_TABLE_END_STRING ((ViString)(intptr_t)-1)
/* Initializer of the end row, for tables declared as static data. */
#define ZOR_RANGE_TABLE_LAST_ENTRY { 0.0, 0.0, 0.0, ZOR_RANGE_TABLE_END_STRING, 0 }
/* The end row, by its other name; same initializer. */
#define ZOR_RANGE_TABLE_END ZOR_RANGE_TABLE_LAST_ENTRY

/* ======================================================================================
 * Special values and names
 * ====================================================================================== */
/* Classes of a ViReal64 returned by ZorFloat_GetType. */
#ifndef ZOR_FLOAT_ORDINARY
#define ZOR_FLOAT_ORDINARY 0
#define ZOR_FLOAT_NAN 1
#define ZOR_FLOAT_POS_INF 2
#define ZOR_FLOAT_NEG_INF 3
#endif

/* Repeated-capability name that selects every instance of an attribute in invalidation
 * (compared without regard to case). */
#define ZOR_ALL_CHANNELS "ZOR_ALL_CHANNELS"

/* ======================================================================================
 * Interchangeability checking
 * ====================================================================================== */
/* Kinds of interchange warnings. */
#define ZOR_INTERCHANGE_WARN_NOT_USER_SPECIFIED 1 /* not in a state the application chose */
#define ZOR_INTERCHANGE_WARN_READ_ONLY_SET 2      /* class read-only attribute was set */
#define ZOR_INTERCHANGE_WARN_NOT_CLASS_VALUE 3    /* value is not class-defined */
#define ZOR_INTERCHANGE_WARN_EXTENSION_ERROR 4    /* unused extension group failed to apply */
#define ZOR_INTERCHANGE_WARN_CUSTOM 5             /* the warning's own text only */

/* Per-instance check methods. Every value other than 1 to 3 behaves as ZOR_INTERCHANGE_CHECK_NONE. */
#define ZOR_INTERCHANGE_CHECK_USER_SPECIFIED 1 /* must be set by the application */
#define ZOR_INTERCHANGE_CHECK_NEVER_SET 2      /* the application must never set it */
#define ZOR_INTERCHANGE_CHECK_CALLBACK 3       /* the user interchange-check callback decides */
#define ZOR_INTERCHANGE_CHECK_NONE 4           /* no check; the initial method */

/* ======================================================================================
 * Types
 * ====================================================================================== */

/* One row of a range table. The three values hold ViReal64 values in tables used with
 * ViInt32 and ViReal64 attributes, and ViInt64 bit patterns in tables used with ViInt64
 * attributes. Drivers declare rows in static data, so the field order is fixed. */
typedef struct RangeTableEntry {
  ViReal64 minValue;
  ViReal64 maxValue;
  ViReal64 coercedValue;
  ViString cmdString; /* may be NULL; ZOR_RANGE_TABLE_END_STRING ends the table */
  ViInt32 cmdValue;
} RangeTableEntry;

/* A range table: a header and its rows, ended by an end row. */
typedef struct RangeTable {
  ViInt32 type; /* ZOR_RANGE_DISCRETE, ZOR_RANGE_RANGED or ZOR_RANGE_COERCED */
  ViBoolean hasMin;
  ViBoolean hasMax;
  ViAddr reserved;
  RangeTableEntry *entries;
} RangeTable;

typedef RangeTable *RangeTablePtr;

/* One row of a string-value table; a table ends with a row whose string is NULL. */
typedef struct StringValueEntry {
  ViInt32 value;
  ViString string;
} StringValueEntry;

/* One attribute whose cache a write of another attribute invalidates. */
typedef struct InvalidationEntry {
  ViAttr attributeId;
  ViBoolean allInstances;
} InvalidationEntry;

/* One logical name of the configuration store. */
typedef struct ZorLogicalNameEntry {
  ViString name;
  ViBoolean flag;
} ZorLogicalNameEntry;

/* ---- Attribute callbacks ----
 * vi is the engine session, io the session's I/O session, repCapName the instance's
 * repeated-capability name (NULL for an attribute without one). Every callback returns a
 * ViStatus: an error stops the operation, a warning is passed on. */

/* Read: store the instrument's value through value (it holds the cached value on entry).
 * The string form receives the current text and delivers the new one with
 * Zor_SetValInStringCallback. */
typedef ViStatus (*ZorReadCallbackViInt32)(ViSession vi, ViSession io, ViConstString repCapName,
                                           ViAttr attributeId, ViInt32 *value);
typedef ViStatus (*ZorReadCallbackViInt64)(ViSession vi, ViSession io, ViConstString repCapName,
                                           ViAttr attributeId, ViInt64 *value);
typedef ViStatus (*ZorReadCallbackViReal64)(ViSession vi, ViSession io, ViConstString repCapName,
                                            ViAttr attributeId, ViReal64 *value);
typedef ViStatus (*ZorReadCallbackViAddr)(ViSession vi, ViSession io, ViConstString repCapName,
                                          ViAttr attributeId, ViAddr *value);
typedef ViStatus (*ZorReadCallbackViSession)(ViSession vi, ViSession io, ViConstString repCapName,
                                             ViAttr attributeId, ViSession *value);
typedef ViStatus (*ZorReadCallbackViBoolean)(ViSession vi, ViSession io, ViConstString repCapName,
                                             ViAttr attributeId, ViBoolean *value);
typedef ViStatus (*ZorReadCallbackViString)(ViSession vi, ViSession io, ViConstString repCapName,
                                            ViAttr attributeId, ViConstString currentValue);

/* Write: send the checked and coerced value to the instrument. */
typedef ViStatus (*ZorWriteCallbackViInt32)(ViSession vi, ViSession io, ViConstString repCapName,
                                            ViAttr attributeId, ViInt32 value);
typedef ViStatus (*ZorWriteCallbackViInt64)(ViSession vi, ViSession io, ViConstString repCapName,
                                            ViAttr attributeId, ViInt64 value);
typedef ViStatus (*ZorWriteCallbackViReal64)(ViSession vi, ViSession io, ViConstString repCapName,
                                             ViAttr attributeId, ViReal64 value);
typedef ViStatus (*ZorWriteCallbackViAddr)(ViSession vi, ViSession io, ViConstString repCapName,
                                           ViAttr attributeId, ViAddr value);
typedef ViStatus (*ZorWriteCallbackViSession)(ViSession vi, ViSession io, ViConstString repCapName,
                                              ViAttr attributeId, ViSession value);
typedef ViStatus (*ZorWriteCallbackViBoolean)(ViSession vi, ViSession io, ViConstString repCapName,
                                              ViAttr attributeId, ViBoolean value);
typedef ViStatus (*ZorWriteCallbackViString)(ViSession vi, ViSession io, ViConstString repCapName,
                                             ViAttr attributeId, ViConstString value);

/* Check: return an error when the value is not acceptable. */
typedef ViStatus (*ZorCheckCallbackViInt32)(ViSession vi, ViConstString repCapName,
                                            ViAttr attributeId, ViInt32 value);
typedef ViStatus (*ZorCheckCallbackViInt64)(ViSession vi, ViConstString repCapName,
                                            ViAttr attributeId, ViInt64 value);
typedef ViStatus (*ZorCheckCallbackViReal64)(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViReal64 value);
typedef ViStatus (*ZorCheckCallbackViAddr)(ViSession vi, ViConstString repCapName,
                                           ViAttr attributeId, ViAddr value);
typedef ViStatus (*ZorCheckCallbackViSession)(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViSession value);
typedef ViStatus (*ZorCheckCallbackViBoolean)(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViBoolean value);
typedef ViStatus (*ZorCheckCallbackViString)(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViConstString value);

/* Coerce: store the value the instrument will be given through coercedValue. The string
 * form delivers the coerced text with Zor_SetValInStringCallback. */
typedef ViStatus (*ZorCoerceCallbackViInt32)(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt32 value,
                                             ViInt32 *coercedValue);
typedef ViStatus (*ZorCoerceCallbackViInt64)(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt64 value,
                                             ViInt64 *coercedValue);
typedef ViStatus (*ZorCoerceCallbackViReal64)(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViReal64 value,
                                              ViReal64 *coercedValue);
typedef ViStatus (*ZorCoerceCallbackViAddr)(ViSession vi, ViConstString repCapName,
                                            ViAttr attributeId, ViAddr value,
                                            ViAddr *coercedValue);
typedef ViStatus (*ZorCoerceCallbackViSession)(ViSession vi, ViConstString repCapName,
                                               ViAttr attributeId, ViSession value,
                                               ViSession *coercedValue);
typedef ViStatus (*ZorCoerceCallbackViBoolean)(ViSession vi, ViConstString repCapName,
                                               ViAttr attributeId, ViBoolean value,
                                               ViBoolean *coercedValue);
typedef ViStatus (*ZorCoerceCallbackViString)(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViConstString value);

/* Compare: *result 0 means equal, anything else different. */
typedef ViStatus (*ZorCompareCallbackViInt32)(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViInt32 coercedNewValue,
                                              ViInt32 cacheValue, ViInt32 *result);
typedef ViStatus (*ZorCompareCallbackViInt64)(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViInt64 coercedNewValue,
                                              ViInt64 cacheValue, ViInt32 *result);
typedef ViStatus (*ZorCompareCallbackViReal64)(ViSession vi, ViConstString repCapName,
                                               ViAttr attributeId, ViReal64 coercedNewValue,
                                               ViReal64 cacheValue, ViInt32 *result);
typedef ViStatus (*ZorCompareCallbackViAddr)(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViAddr coercedNewValue,
                                             ViAddr cacheValue, ViInt32 *result);
typedef ViStatus (*ZorCompareCallbackViSession)(ViSession vi, ViConstString repCapName,
                                                ViAttr attributeId, ViSession coercedNewValue,
                                                ViSession cacheValue, ViInt32 *result);
typedef ViStatus (*ZorCompareCallbackViBoolean)(ViSession vi, ViConstString repCapName,
                                                ViAttr attributeId, ViBoolean coercedNewValue,
                                                ViBoolean cacheValue, ViInt32 *result);
typedef ViStatus (*ZorCompareCallbackViString)(ViSession vi, ViConstString repCapName,
                                               ViAttr attributeId, ViConstString coercedNewValue,
                                               ViConstString cacheValue, ViInt32 *result);

/* Range table: store through rangeTable the table to use for this instance. */
typedef ViStatus (*ZorRangeTableCallback)(ViSession vi, ViConstString repCapName,
                                          ViAttr attributeId, RangeTablePtr *rangeTable);

/* ---- Session callbacks ---- */
/* Wait until the instrument has finished the operations it was given. */
typedef ViStatus (*ZorOPCCallback)(ViSession vi, ViSession io);
/* Query the instrument's status; an error reports an instrument-detected failure. */
typedef ViStatus (*ZorCheckStatusCallback)(ViSession vi, ViSession io);
/* Called by drivers around buffered instrument I/O; Zor_DefaultBufferedIOCallback does nothing. */
typedef ViStatus (*ZorBufferedIOCallback)(ViSession vi, ViSession io);
/* Decide the interchangeability of one instance; logs warnings itself if it wants any. */
typedef ViStatus (*ZorUserInterchangeCheckCallback)(ViSession vi, ViInt32 functionId,
                                                    ViConstString repCapName,
                                                    ViAttr attributeId);

/* ======================================================================================
 * Exported functions
 * ====================================================================================== */
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Sessions: disposal, locking, validation, links ---- */
ZOR_EXPORT ViStatus Zor_Dispose(ViSession vi);
ZOR_EXPORT ViStatus Zor_ValidateSession(ViSession vi);
ZOR_EXPORT ViBoolean Zor_SessionIsAvailable(ViSession vi);
ZOR_EXPORT ViStatus Zor_LockSession(ViSession vi, ViBoolean *callerHasLock);
ZOR_EXPORT ViStatus Zor_UnlockSession(ViSession vi, ViBoolean *callerHasLock);
ZOR_EXPORT ViStatus Zor_LockSession_Class(ViSession vi, ViBoolean *callerHasLock);
ZOR_EXPORT ViStatus Zor_UnlockSession_Class(ViSession vi, ViBoolean *callerHasLock);
ZOR_EXPORT ViBoolean Zor_NeedToCheckStatus(ViSession vi);
ZOR_EXPORT ViStatus Zor_SetNeedToCheckStatus(ViSession vi, ViBoolean needToCheckStatus);
ZOR_EXPORT ViSession Zor_SpecificDriverSession(ViSession vi);
ZOR_EXPORT ViStatus Zor_SetSpecificDriverSession(ViSession vi, ViSession linkedVi);

/* ---- Error information and the instrument-specific error queue ---- */
ZOR_EXPORT ViStatus Zor_SetErrorInfo(ViSession vi, ViBoolean overwrite, ViStatus primaryError,
                                     ViStatus secondaryError, ViConstString errorElaboration);
ZOR_EXPORT ViStatus Zor_GetErrorInfo(ViSession vi, ViStatus *primaryError,
                                     ViStatus *secondaryError, ViChar errorElaboration[256]);
ZOR_EXPORT ViStatus Zor_ClearErrorInfo(ViSession vi);
ZOR_EXPORT ViStatus Zor_ParamPositionError(ViInt32 parameterPosition);
ZOR_EXPORT ViStatus Zor_QueueInstrSpecificError(ViSession vi, ViInt32 errorCode,
                                                ViConstString errorMessage);
ZOR_EXPORT ViStatus Zor_DequeueInstrSpecificError(ViSession vi, ViInt32 *errorCode,
                                                  ViChar errorMessage[256]);
ZOR_EXPORT ViStatus Zor_ClearInstrSpecificErrorQueue(ViSession vi);
ZOR_EXPORT ViStatus Zor_InstrSpecificErrorQueueSize(ViSession vi, ViInt32 *queueSize);

/* ---- Attribute definition ---- */
ZOR_EXPORT ViStatus Zor_AddAttributeViInt32(ViSession vi, ViAttr attributeId,
                                          ViConstString attributeName, ViInt32 defaultValue,
                                          ViInt32 flags, ZorReadCallbackViInt32 readCallback,
                                          ZorWriteCallbackViInt32 writeCallback, RangeTablePtr rangeTable);
ZOR_EXPORT ViStatus Zor_AddAttributeViInt64(ViSession vi, ViAttr attributeId,
                                          ViConstString attributeName, ViInt64 defaultValue,
                                          ViInt32 flags, ZorReadCallbackViInt64 readCallback,
                                          ZorWriteCallbackViInt64 writeCallback, RangeTablePtr rangeTable);
ZOR_EXPORT ViStatus Zor_AddAttributeViReal64(ViSession vi, ViAttr attributeId,
                                          ViConstString attributeName, ViReal64 defaultValue,
                                          ViInt32 flags, ZorReadCallbackViReal64 readCallback,
                                          ZorWriteCallbackViReal64 writeCallback, RangeTablePtr rangeTable, ViInt32 comparePrecision);
ZOR_EXPORT ViStatus Zor_AddAttributeViString(ViSession vi, ViAttr attributeId,
                                          ViConstString attributeName, ViConstString defaultValue,
                                          ViInt32 flags, ZorReadCallbackViString readCallback,
                                          ZorWriteCallbackViString writeCallback);
ZOR_EXPORT ViStatus Zor_AddAttributeViAddr(ViSession vi, ViAttr attributeId,
                                          ViConstString attributeName, ViAddr defaultValue,
                                          ViInt32 flags, ZorReadCallbackViAddr readCallback,
                                          ZorWriteCallbackViAddr writeCallback);
ZOR_EXPORT ViStatus Zor_AddAttributeViSession(ViSession vi, ViAttr attributeId,
                                          ViConstString attributeName, ViSession defaultValue,
                                          ViInt32 flags, ZorReadCallbackViSession readCallback,
                                          ZorWriteCallbackViSession writeCallback);
ZOR_EXPORT ViStatus Zor_AddAttributeViBoolean(ViSession vi, ViAttr attributeId,
                                          ViConstString attributeName, ViBoolean defaultValue,
                                          ViInt32 flags, ZorReadCallbackViBoolean readCallback,
                                          ZorWriteCallbackViBoolean writeCallback);
ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViInt32(ViSession vi, ViConstString repCapName,
                                                  ViAttr attributeId, ViConstString attributeName,
                                                  ViInt32 defaultValue, ViInt32 flags,
                                                  ZorReadCallbackViInt32 readCallback,
                                                  ZorWriteCallbackViInt32 writeCallback, RangeTablePtr rangeTable);
ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViInt64(ViSession vi, ViConstString repCapName,
                                                  ViAttr attributeId, ViConstString attributeName,
                                                  ViInt64 defaultValue, ViInt32 flags,
                                                  ZorReadCallbackViInt64 readCallback,
                                                  ZorWriteCallbackViInt64 writeCallback, RangeTablePtr rangeTable);
ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViReal64(ViSession vi, ViConstString repCapName,
                                                  ViAttr attributeId, ViConstString attributeName,
                                                  ViReal64 defaultValue, ViInt32 flags,
                                                  ZorReadCallbackViReal64 readCallback,
                                                  ZorWriteCallbackViReal64 writeCallback, RangeTablePtr rangeTable, ViInt32 comparePrecision);
ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViString(ViSession vi, ViConstString repCapName,
                                                  ViAttr attributeId, ViConstString attributeName,
                                                  ViConstString defaultValue, ViInt32 flags,
                                                  ZorReadCallbackViString readCallback,
                                                  ZorWriteCallbackViString writeCallback);
ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViAddr(ViSession vi, ViConstString repCapName,
                                                  ViAttr attributeId, ViConstString attributeName,
                                                  ViAddr defaultValue, ViInt32 flags,
                                                  ZorReadCallbackViAddr readCallback,
                                                  ZorWriteCallbackViAddr writeCallback);
ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViSession(ViSession vi, ViConstString repCapName,
                                                  ViAttr attributeId, ViConstString attributeName,
                                                  ViSession defaultValue, ViInt32 flags,
                                                  ZorReadCallbackViSession readCallback,
                                                  ZorWriteCallbackViSession writeCallback);
ZOR_EXPORT ViStatus Zor_AddRepeatedAttributeViBoolean(ViSession vi, ViConstString repCapName,
                                                  ViAttr attributeId, ViConstString attributeName,
                                                  ViBoolean defaultValue, ViInt32 flags,
                                                  ZorReadCallbackViBoolean readCallback,
                                                  ZorWriteCallbackViBoolean writeCallback);
ZOR_EXPORT ViStatus Zor_DeleteAttribute(ViSession vi, ViAttr attributeId);

/* ---- Attribute callbacks and comparison precision ---- */
ZOR_EXPORT ViStatus Zor_SetAttrReadCallbackViInt32(ViSession vi, ViAttr attributeId,
                                                   ZorReadCallbackViInt32 callback);
ZOR_EXPORT ViStatus Zor_SetAttrReadCallbackViInt64(ViSession vi, ViAttr attributeId,
                                                   ZorReadCallbackViInt64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrReadCallbackViReal64(ViSession vi, ViAttr attributeId,
                                                   ZorReadCallbackViReal64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrReadCallbackViString(ViSession vi, ViAttr attributeId,
                                                   ZorReadCallbackViString callback);
ZOR_EXPORT ViStatus Zor_SetAttrReadCallbackViAddr(ViSession vi, ViAttr attributeId,
                                                   ZorReadCallbackViAddr callback);
ZOR_EXPORT ViStatus Zor_SetAttrReadCallbackViSession(ViSession vi, ViAttr attributeId,
                                                   ZorReadCallbackViSession callback);
ZOR_EXPORT ViStatus Zor_SetAttrReadCallbackViBoolean(ViSession vi, ViAttr attributeId,
                                                   ZorReadCallbackViBoolean callback);
ZOR_EXPORT ViStatus Zor_SetAttrWriteCallbackViInt32(ViSession vi, ViAttr attributeId,
                                                   ZorWriteCallbackViInt32 callback);
ZOR_EXPORT ViStatus Zor_SetAttrWriteCallbackViInt64(ViSession vi, ViAttr attributeId,
                                                   ZorWriteCallbackViInt64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrWriteCallbackViReal64(ViSession vi, ViAttr attributeId,
                                                   ZorWriteCallbackViReal64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrWriteCallbackViString(ViSession vi, ViAttr attributeId,
                                                   ZorWriteCallbackViString callback);
ZOR_EXPORT ViStatus Zor_SetAttrWriteCallbackViAddr(ViSession vi, ViAttr attributeId,
                                                   ZorWriteCallbackViAddr callback);
ZOR_EXPORT ViStatus Zor_SetAttrWriteCallbackViSession(ViSession vi, ViAttr attributeId,
                                                   ZorWriteCallbackViSession callback);
ZOR_EXPORT ViStatus Zor_SetAttrWriteCallbackViBoolean(ViSession vi, ViAttr attributeId,
                                                   ZorWriteCallbackViBoolean callback);
ZOR_EXPORT ViStatus Zor_SetAttrCheckCallbackViInt32(ViSession vi, ViAttr attributeId,
                                                   ZorCheckCallbackViInt32 callback);
ZOR_EXPORT ViStatus Zor_SetAttrCheckCallbackViInt64(ViSession vi, ViAttr attributeId,
                                                   ZorCheckCallbackViInt64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrCheckCallbackViReal64(ViSession vi, ViAttr attributeId,
                                                   ZorCheckCallbackViReal64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrCheckCallbackViString(ViSession vi, ViAttr attributeId,
                                                   ZorCheckCallbackViString callback);
ZOR_EXPORT ViStatus Zor_SetAttrCheckCallbackViAddr(ViSession vi, ViAttr attributeId,
                                                   ZorCheckCallbackViAddr callback);
ZOR_EXPORT ViStatus Zor_SetAttrCheckCallbackViSession(ViSession vi, ViAttr attributeId,
                                                   ZorCheckCallbackViSession callback);
ZOR_EXPORT ViStatus Zor_SetAttrCheckCallbackViBoolean(ViSession vi, ViAttr attributeId,
                                                   ZorCheckCallbackViBoolean callback);
ZOR_EXPORT ViStatus Zor_SetAttrCoerceCallbackViInt32(ViSession vi, ViAttr attributeId,
                                                   ZorCoerceCallbackViInt32 callback);
ZOR_EXPORT ViStatus Zor_SetAttrCoerceCallbackViInt64(ViSession vi, ViAttr attributeId,
                                                   ZorCoerceCallbackViInt64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrCoerceCallbackViReal64(ViSession vi, ViAttr attributeId,
                                                   ZorCoerceCallbackViReal64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrCoerceCallbackViString(ViSession vi, ViAttr attributeId,
                                                   ZorCoerceCallbackViString callback);
ZOR_EXPORT ViStatus Zor_SetAttrCoerceCallbackViAddr(ViSession vi, ViAttr attributeId,
                                                   ZorCoerceCallbackViAddr callback);
ZOR_EXPORT ViStatus Zor_SetAttrCoerceCallbackViSession(ViSession vi, ViAttr attributeId,
                                                   ZorCoerceCallbackViSession callback);
ZOR_EXPORT ViStatus Zor_SetAttrCoerceCallbackViBoolean(ViSession vi, ViAttr attributeId,
                                                   ZorCoerceCallbackViBoolean callback);
ZOR_EXPORT ViStatus Zor_SetAttrCompareCallbackViInt32(ViSession vi, ViAttr attributeId,
                                                   ZorCompareCallbackViInt32 callback);
ZOR_EXPORT ViStatus Zor_SetAttrCompareCallbackViInt64(ViSession vi, ViAttr attributeId,
                                                   ZorCompareCallbackViInt64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrCompareCallbackViReal64(ViSession vi, ViAttr attributeId,
                                                   ZorCompareCallbackViReal64 callback);
ZOR_EXPORT ViStatus Zor_SetAttrCompareCallbackViString(ViSession vi, ViAttr attributeId,
                                                   ZorCompareCallbackViString callback);
ZOR_EXPORT ViStatus Zor_SetAttrCompareCallbackViAddr(ViSession vi, ViAttr attributeId,
                                                   ZorCompareCallbackViAddr callback);
ZOR_EXPORT ViStatus Zor_SetAttrCompareCallbackViSession(ViSession vi, ViAttr attributeId,
                                                   ZorCompareCallbackViSession callback);
ZOR_EXPORT ViStatus Zor_SetAttrCompareCallbackViBoolean(ViSession vi, ViAttr attributeId,
                                                   ZorCompareCallbackViBoolean callback);
ZOR_EXPORT ViStatus Zor_SetAttrRangeTableCallback(ViSession vi, ViAttr attributeId,
                                                  ZorRangeTableCallback callback);
ZOR_EXPORT ViStatus Zor_SetAttrCallback(ViSession vi, ViAttr attributeId, ViInt32 attributeType,
                                        ViInt32 callbackType, ViAddr callback);
ZOR_EXPORT ViStatus Zor_GetAttrCallback(ViSession vi, ViAttr attributeId, ViInt32 attributeType,
                                        ViInt32 callbackType, ViAddr *callback);
ZOR_EXPORT ViStatus Zor_SetAttrComparePrecision(ViSession vi, ViAttr attributeId,
                                                ViInt32 comparePrecision);
ZOR_EXPORT ViStatus Zor_GetAttrComparePrecision(ViSession vi, ViAttr attributeId,
                                                ViInt32 *comparePrecision);

/* ---- Attribute enumeration and description ---- */
ZOR_EXPORT ViStatus Zor_GetNumAttributes(ViSession vi, ViInt32 *numAttributes);
ZOR_EXPORT ViStatus Zor_GetNthAttribute(ViSession vi, ViInt32 index, ViAttr *attributeId);
ZOR_EXPORT ViStatus Zor_GetAttributeFlags(ViSession vi, ViAttr attributeId, ViInt32 *flags);
ZOR_EXPORT ViStatus Zor_SetAttributeFlags(ViSession vi, ViAttr attributeId, ViInt32 flags);
ZOR_EXPORT ViStatus Zor_GetAttributeType(ViSession vi, ViAttr attributeId, ViInt32 *attributeType);
ZOR_EXPORT ViStatus Zor_GetAttributeName(ViSession vi, ViAttr attributeId, ViChar buffer[],
                                         ViInt32 bufferSize);
ZOR_EXPORT ViStatus Zor_ValidateAttribute(ViSession vi, ViAttr attributeId, ViInt32 attributeType);
ZOR_EXPORT ViBoolean Zor_AttributeIsAvailable(ViSession vi, ViAttr attributeId);

/* ---- Repeated capabilities ---- */
ZOR_EXPORT ViStatus Zor_BuildRepCapTable(ViSession vi, ViConstString repCapName,
                                         ViConstString repCapList);
ZOR_EXPORT ViStatus Zor_AddToRepCapTable(ViSession vi, ViConstString repCapName,
                                         ViConstString repCapList);
ZOR_EXPORT ViStatus Zor_CoerceRepCapName(ViSession vi, ViConstString repCapName,
                                         ViConstString instanceName, ViConstString *coercedName);
ZOR_EXPORT ViStatus Zor_GetNthRepCapName(ViSession vi, ViConstString repCapName, ViInt32 index,
                                         ViConstString *instanceNameOut);
ZOR_EXPORT ViStatus Zor_GetRepCapIndex(ViSession vi, ViConstString repCapName,
                                       ViConstString instanceName, ViInt32 *index);
ZOR_EXPORT ViStatus Zor_GetAttributeRepCapName(ViSession vi, ViAttr attributeId,
                                               ViConstString *repCapNameOut);
ZOR_EXPORT ViStatus Zor_BuildChannelTable(ViSession vi, ViConstString channelList,
                                          ViInt32 reserved1, ViInt32 reserved2);
ZOR_EXPORT ViStatus Zor_AddToChannelTable(ViSession vi, ViConstString channelList);
ZOR_EXPORT ViStatus Zor_CoerceChannelName(ViSession vi, ViConstString channelName,
                                          ViConstString *coercedName);
ZOR_EXPORT ViStatus Zor_GetNthChannelString(ViSession vi, ViInt32 index,
                                            ViConstString *channelNameOut);
ZOR_EXPORT ViStatus Zor_GetChannelIndex(ViSession vi, ViConstString channelName, ViInt32 *index);
ZOR_EXPORT ViStatus Zor_GetUserChannelName(ViSession vi, ViConstString channelName,
                                           ViConstString *userChannelName);
ZOR_EXPORT ViStatus Zor_RestrictAttrToInstances(ViSession vi, ViAttr attributeId,
                                                ViConstString instanceList);
ZOR_EXPORT ViStatus Zor_RestrictAttrToChannels(ViSession vi, ViAttr attributeId,
                                               ViConstString channelList);
ZOR_EXPORT ViStatus Zor_ValidateAttrForRepCapName(ViSession vi, ViConstString instanceName,
                                                  ViAttr attributeId);
ZOR_EXPORT ViStatus Zor_ValidateAttrForChannel(ViSession vi, ViConstString channelName,
                                               ViAttr attributeId);

/* ---- Range tables ---- */
ZOR_EXPORT ViStatus Zor_RangeTableNew(ViSession vi, ViInt32 numberOfEntries, ViInt32 tableType,
                                      ViBoolean hasMin, ViBoolean hasMax,
                                      RangeTablePtr *rangeTable);
ZOR_EXPORT ViStatus Zor_RangeTableFree(ViSession vi, RangeTablePtr rangeTable,
                                       ViBoolean freeCmdStrings);
ZOR_EXPORT ViStatus Zor_SetRangeTableEntry(RangeTablePtr rangeTable, ViInt32 index,
                                           ViReal64 minValue, ViReal64 maxValue,
                                           ViReal64 coercedValue, ViString cmdString,
                                           ViInt32 cmdValue);
ZOR_EXPORT ViStatus Zor_SetRangeTableEntryViInt64(RangeTablePtr rangeTable, ViInt32 index,
                                                  ViInt64 minValue, ViInt64 maxValue,
                                                  ViInt64 coercedValue, ViString cmdString,
                                                  ViInt32 cmdValue);
ZOR_EXPORT ViStatus Zor_SetRangeTableEnd(RangeTablePtr rangeTable, ViInt32 index);
ZOR_EXPORT ViStatus Zor_ValidateRangeTable(RangeTablePtr rangeTable);
ZOR_EXPORT ViStatus Zor_GetRangeTableNumEntries(RangeTablePtr rangeTable, ViInt32 *numEntries);
ZOR_EXPORT ViStatus Zor_GetAttrRangeTable(ViSession vi, ViConstString repCapName,
                                          ViAttr attributeId, RangeTablePtr *rangeTable);
ZOR_EXPORT ViStatus Zor_GetStoredRangeTablePtr(ViSession vi, ViAttr attributeId,
                                               RangeTablePtr *rangeTable);
ZOR_EXPORT ViStatus Zor_SetStoredRangeTablePtr(ViSession vi, ViAttr attributeId,
                                               RangeTablePtr rangeTable);
ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromValue(ViReal64 value, RangeTablePtr rangeTable,
                                                ViReal64 *minValue, ViReal64 *maxValue,
                                                ViReal64 *coercedValue, ViInt32 *index,
                                                ViString *cmdString, ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromString(ViConstString string, RangeTablePtr rangeTable,
                                                 ViReal64 *minValue, ViReal64 *maxValue,
                                                 ViReal64 *coercedValue, ViInt32 *index,
                                                 ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromIndex(ViInt32 index, RangeTablePtr rangeTable,
                                                ViReal64 *minValue, ViReal64 *maxValue,
                                                ViReal64 *coercedValue, ViString *cmdString,
                                                ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromCmdValue(ViInt32 cmdValue, RangeTablePtr rangeTable,
                                                   ViReal64 *minValue, ViReal64 *maxValue,
                                                   ViReal64 *coercedValue, ViInt32 *index,
                                                   ViString *cmdString);
ZOR_EXPORT ViStatus Zor_GetViReal64EntryFromCoercedVal(ViReal64 coercedValue, RangeTablePtr rangeTable,
                                                     ViReal64 *minValue, ViReal64 *maxValue,
                                                     ViInt32 *index, ViString *cmdString,
                                                     ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromValue(ViInt32 value, RangeTablePtr rangeTable,
                                                ViInt32 *minValue, ViInt32 *maxValue,
                                                ViInt32 *coercedValue, ViInt32 *index,
                                                ViString *cmdString, ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromString(ViConstString string, RangeTablePtr rangeTable,
                                                 ViInt32 *minValue, ViInt32 *maxValue,
                                                 ViInt32 *coercedValue, ViInt32 *index,
                                                 ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromIndex(ViInt32 index, RangeTablePtr rangeTable,
                                                ViInt32 *minValue, ViInt32 *maxValue,
                                                ViInt32 *coercedValue, ViString *cmdString,
                                                ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromCmdValue(ViInt32 cmdValue, RangeTablePtr rangeTable,
                                                   ViInt32 *minValue, ViInt32 *maxValue,
                                                   ViInt32 *coercedValue, ViInt32 *index,
                                                   ViString *cmdString);
ZOR_EXPORT ViStatus Zor_GetViInt32EntryFromCoercedVal(ViInt32 coercedValue, RangeTablePtr rangeTable,
                                                     ViInt32 *minValue, ViInt32 *maxValue,
                                                     ViInt32 *index, ViString *cmdString,
                                                     ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromValue(ViInt64 value, RangeTablePtr rangeTable,
                                                ViInt64 *minValue, ViInt64 *maxValue,
                                                ViInt64 *coercedValue, ViInt32 *index,
                                                ViString *cmdString, ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromString(ViConstString string, RangeTablePtr rangeTable,
                                                 ViInt64 *minValue, ViInt64 *maxValue,
                                                 ViInt64 *coercedValue, ViInt32 *index,
                                                 ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromIndex(ViInt32 index, RangeTablePtr rangeTable,
                                                ViInt64 *minValue, ViInt64 *maxValue,
                                                ViInt64 *coercedValue, ViString *cmdString,
                                                ViInt32 *cmdValue);
ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromCmdValue(ViInt32 cmdValue, RangeTablePtr rangeTable,
                                                   ViInt64 *minValue, ViInt64 *maxValue,
                                                   ViInt64 *coercedValue, ViInt32 *index,
                                                   ViString *cmdString);
ZOR_EXPORT ViStatus Zor_GetViInt64EntryFromCoercedVal(ViInt64 coercedValue, RangeTablePtr rangeTable,
                                                     ViInt64 *minValue, ViInt64 *maxValue,
                                                     ViInt32 *index, ViString *cmdString,
                                                     ViInt32 *cmdValue);

/* ---- Default callbacks and value helpers ---- */
ZOR_EXPORT ViStatus Zor_DefaultCheckCallbackViInt32(ViSession vi, ViConstString repCapName,
                                                    ViAttr attributeId, ViInt32 value);
ZOR_EXPORT ViStatus Zor_DefaultCheckCallbackViInt64(ViSession vi, ViConstString repCapName,
                                                    ViAttr attributeId, ViInt64 value);
ZOR_EXPORT ViStatus Zor_DefaultCheckCallbackViReal64(ViSession vi, ViConstString repCapName,
                                                     ViAttr attributeId, ViReal64 value);
ZOR_EXPORT ViStatus Zor_DefaultCoerceCallbackViInt32(ViSession vi, ViConstString repCapName,
                                                     ViAttr attributeId, ViInt32 value,
                                                     ViInt32 *coercedValue);
ZOR_EXPORT ViStatus Zor_DefaultCoerceCallbackViInt64(ViSession vi, ViConstString repCapName,
                                                     ViAttr attributeId, ViInt64 value,
                                                     ViInt64 *coercedValue);
ZOR_EXPORT ViStatus Zor_DefaultCoerceCallbackViReal64(ViSession vi, ViConstString repCapName,
                                                      ViAttr attributeId, ViReal64 value,
                                                      ViReal64 *coercedValue);
ZOR_EXPORT ViStatus Zor_DefaultCoerceCallbackViBoolean(ViSession vi, ViConstString repCapName,
                                                       ViAttr attributeId, ViBoolean value,
                                                       ViBoolean *coercedValue);
ZOR_EXPORT ViStatus Zor_DefaultCompareCallbackViReal64(ViSession vi, ViConstString repCapName,
                                                       ViAttr attributeId, ViReal64 a, ViReal64 b,
                                                       ViInt32 *result);
ZOR_EXPORT ViStatus Zor_CompareWithPrecision(ViInt32 digits, ViReal64 a, ViReal64 b,
                                             ViInt32 *result);
ZOR_EXPORT ViStatus Zor_GetAttrMinMaxViInt32(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt32 *min, ViInt32 *max,
                                             ViBoolean *hasMin, ViBoolean *hasMax);
ZOR_EXPORT ViStatus Zor_GetAttrMinMaxViInt64(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt64 *min, ViInt64 *max,
                                             ViBoolean *hasMin, ViBoolean *hasMax);
ZOR_EXPORT ViStatus Zor_GetAttrMinMaxViReal64(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViReal64 *min, ViReal64 *max,
                                              ViBoolean *hasMin, ViBoolean *hasMax);
ZOR_EXPORT ViStatus Zor_GetCoercedValViInt32(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt32 value,
                                             ViInt32 *coercedValue);
ZOR_EXPORT ViStatus Zor_GetCoercedValViReal64(ViSession vi, ViConstString repCapName,
                                              ViAttr attributeId, ViReal64 value,
                                              ViReal64 *coercedValue);
ZOR_EXPORT ViStatus Zor_CheckNumericRange(ViReal64 value, ViReal64 min, ViReal64 max,
                                          ViStatus errorCode);
ZOR_EXPORT ViStatus Zor_CheckBooleanRange(ViBoolean value, ViStatus errorCode);
ZOR_EXPORT ViStatus Zor_CoerceBoolean(ViBoolean *value);
ZOR_EXPORT ViStatus Zor_GetStringFromTable(const StringValueEntry table[], ViInt32 value,
                                           ViString *string);
ZOR_EXPORT ViStatus Zor_GetValueFromTable(const StringValueEntry table[], ViConstString string,
                                          ViInt32 *value);

/* ---- Setting, getting and checking attribute values ---- */
ZOR_EXPORT ViStatus Zor_SetAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViInt32 value);
ZOR_EXPORT ViStatus Zor_SetAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViInt64 value);
ZOR_EXPORT ViStatus Zor_SetAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViReal64 value);
ZOR_EXPORT ViStatus Zor_SetAttributeViString(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViConstString value);
ZOR_EXPORT ViStatus Zor_SetAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViAddr value);
ZOR_EXPORT ViStatus Zor_SetAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViSession value);
ZOR_EXPORT ViStatus Zor_SetAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViBoolean value);
ZOR_EXPORT ViStatus Zor_SetAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                     ViInt32 optionFlags, ...);
ZOR_EXPORT ViStatus Zor_SetAttributeByVaList(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt32 optionFlags,
                                             va_list arguments);
ZOR_EXPORT ViStatus Zor_GetAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViInt32 *value);
ZOR_EXPORT ViStatus Zor_GetAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViInt64 *value);
ZOR_EXPORT ViStatus Zor_GetAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViReal64 *value);
ZOR_EXPORT ViStatus Zor_GetAttributeViString(ViSession vi, ViConstString repCapName,
                                             ViAttr attributeId, ViInt32 optionFlags,
                                             ViInt32 bufferSize, ViChar buffer[]);
ZOR_EXPORT ViStatus Zor_GetAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViAddr *value);
ZOR_EXPORT ViStatus Zor_GetAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViSession *value);
ZOR_EXPORT ViStatus Zor_GetAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                            ViInt32 optionFlags, ViBoolean *value);
ZOR_EXPORT ViStatus Zor_GetAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                     ViInt32 optionFlags, void *value);
ZOR_EXPORT ViStatus Zor_CheckAttributeViInt32(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViInt32 value);
ZOR_EXPORT ViStatus Zor_CheckAttributeViInt64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViInt64 value);
ZOR_EXPORT ViStatus Zor_CheckAttributeViReal64(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViReal64 value);
ZOR_EXPORT ViStatus Zor_CheckAttributeViString(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViConstString value);
ZOR_EXPORT ViStatus Zor_CheckAttributeViAddr(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViAddr value);
ZOR_EXPORT ViStatus Zor_CheckAttributeViSession(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViSession value);
ZOR_EXPORT ViStatus Zor_CheckAttributeViBoolean(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                              ViInt32 optionFlags, ViBoolean value);
ZOR_EXPORT ViStatus Zor_CheckAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                       ViInt32 optionFlags, ...);
ZOR_EXPORT ViStatus Zor_CheckAttributeByVaList(ViSession vi, ViConstString repCapName,
                                               ViAttr attributeId, ViInt32 optionFlags,
                                               va_list arguments);
ZOR_EXPORT ViStatus Zor_SetValInStringCallback(ViSession vi, ViAttr attributeId, ViConstString value);
ZOR_EXPORT ViStatus Zor_ResetAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId);
ZOR_EXPORT ViStatus Zor_Update(ViSession vi);
ZOR_EXPORT ViStatus Zor_AttributeUpdateIsPending(ViSession vi, ViConstString repCapName,
                                                 ViAttr attributeId, ViBoolean *updatePending);

/* ---- [invalidation and cache state] ---- */
ZOR_EXPORT ViStatus Zor_AddAttributeInvalidation(ViSession vi, ViAttr attributeId,
                                                 ViAttr attributeToInvalidate, ViBoolean allInstances);
ZOR_EXPORT ViStatus Zor_DeleteAttributeInvalidation(ViSession vi, ViAttr attributeId,
                                                    ViAttr attributeToInvalidate);
ZOR_EXPORT ViStatus Zor_GetInvalidationList(ViSession vi, ViAttr attributeId,
                                            InvalidationEntry **invalidationList, ViInt32 *numEntries);
ZOR_EXPORT void Zor_DisposeInvalidationList(InvalidationEntry *invalidationList);
ZOR_EXPORT ViStatus Zor_InvalidateAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId);
ZOR_EXPORT ViStatus Zor_InvalidateAllAttributes(ViSession vi);
ZOR_EXPORT ViStatus Zor_AttributeIsCached(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                          ViBoolean *isCached);
ZOR_EXPORT ViBoolean Zor_AttributeWasSetByUser(ViSession vi, ViConstString repCapName, ViAttr attributeId);
ZOR_EXPORT ViBoolean Zor_AttributeEverSetByUser(ViSession vi, ViConstString repCapName, ViAttr attributeId);

/* ---- [coercion records] ---- */
ZOR_EXPORT ViStatus Zor_GetNextCoercionInfo(ViSession vi, ViAttr *attributeId, ViConstString *attributeName,
                                            ViConstString *repCapName, ViInt32 *type,
                                            ViReal64 *requestedValue, ViReal64 *coercedValue);
ZOR_EXPORT ViStatus Zor_GetNextCoercionString(ViSession vi, ViInt32 bufferSize, ViChar buffer[]);

/* ---- [inherent attributes and engine information] ---- */
/* Fast reads of a session's switches and I/O session, without the session lock; 0 (VI_FALSE)
 * for a handle that names no live session. They record nothing. */
ZOR_EXPORT ViSession Zor_IOSession(ViSession vi);
ZOR_EXPORT ViBoolean Zor_RangeChecking(ViSession vi);
ZOR_EXPORT ViBoolean Zor_QueryInstrStatus(ViSession vi);
ZOR_EXPORT ViBoolean Zor_Simulating(ViSession vi);
ZOR_EXPORT ViBoolean Zor_UseSpecificSimulation(ViSession vi);
ZOR_EXPORT ViBoolean Zor_Spying(ViSession vi);
ZOR_EXPORT ViBoolean Zor_InterchangeCheck(ViSession vi);

/* ---- [session creation, option strings, configuration store] ---- */
/* Opening sessions: a specific driver's, a class driver's (functionNames ends with NULL) and a
 * simulation driver's. On failure *newVi is VI_NULL and nothing of the session is left. */
ZOR_EXPORT ViStatus Zor_SpecificDriverNew(ViConstString prefix, ViConstString optionString,
                                          ViSession *newVi);
ZOR_EXPORT ViStatus Zor_ClassDriverNew(ViConstString logicalName, ViConstString classPrefix,
                                       ViConstString functionNames[], ViSession *newVi);
ZOR_EXPORT ViStatus Zor_SimulationDriverNew(ViConstString simulationName, ViSession *vi);
/* Initialization helpers. newResourceName and newOptionString hold at least 256 characters. */
ZOR_EXPORT ViStatus Zor_GetInfoFromResourceName(ViConstString resourceName,
                                                ViConstString optionString,
                                                ViChar newResourceName[],
                                                ViChar newOptionString[],
                                                ViBoolean *isLogicalName);
ZOR_EXPORT ViStatus Zor_ApplyDefaultSetup(ViSession vi);
ZOR_EXPORT ViStatus Zor_ApplySimulationDriverDefaultSetup(ViSession vi, ViConstString setupName);
ZOR_EXPORT ViStatus Zor_GetSpyingFromLogicalName(ViConstString logicalName, ViBoolean *spying);
/* Configuration store: only its facade exists, so lookups answer
 * ZOR_ERROR_CONFIG_SERVER_MISSING and definitions ZOR_ERROR_NOT_SUPPORTED. */
ZOR_EXPORT ViStatus Zor_GetConfigStoreHandle(ViUInt32 *handle);
ZOR_EXPORT ViStatus Zor_AttachToConfigStoreHandle(ViUInt32 handle, ViInt32 reserved);
ZOR_EXPORT ViStatus Zor_GetLogicalNamesList(ViUInt32 *logicalNamesList, ViUInt32 *count);
ZOR_EXPORT ViStatus Zor_GetNthLogicalName(ZorLogicalNameEntry *list, ViInt32 index,
                                          ViChar buffer[], ViInt32 bufferSize, ViBoolean *flag);
ZOR_EXPORT void Zor_DisposeLogicalNamesList(ZorLogicalNameEntry *list);
ZOR_EXPORT ViStatus Zor_DefineVInstr(ViConstString name, ViConstString driver,
                                     ViConstString resource, ViConstString options,
                                     ViConstString description, ViConstString reserved);
ZOR_EXPORT ViStatus Zor_DefineLogicalName(ViConstString logicalName, ViConstString vInstrName);
ZOR_EXPORT ViStatus Zor_DefineClass(ViConstString className, ViConstString classPrefix);
ZOR_EXPORT ViStatus Zor_DefineHardware(ViConstString hardwareName, ViConstString resource);
ZOR_EXPORT ViStatus Zor_DefineDriver(ViConstString driverName, ViConstString moduleFile,
                                     ViConstString prefix);
ZOR_EXPORT void Zor_UndefVInstr(ViConstString name);
ZOR_EXPORT void Zor_UndefLogicalName(ViConstString name);
ZOR_EXPORT void Zor_UndefClass(ViConstString name);
ZOR_EXPORT void Zor_UndefDriver(ViConstString name);
ZOR_EXPORT void Zor_UndefHardware(ViConstString name);
ZOR_EXPORT ViStatus Zor_WriteRunTimeDefinesToFile(ViConstString fileName);
ZOR_EXPORT ViStatus Zor_GetZorIniDir(ViConstString directory);
ZOR_EXPORT ViStatus Zor_SetZorIniDir(ViConstString directory);

/* ---- Session memory and special values ---- */
ZOR_EXPORT ViStatus Zor_Alloc(ViSession vi, ViInt32 memBlockSize, ViAddr *memBlockPtr);
ZOR_EXPORT ViStatus Zor_Free(ViSession vi, ViAddr memBlock);
ZOR_EXPORT ViStatus Zor_FreeAll(ViSession vi);
ZOR_EXPORT const ViReal64 *Zor_GetPtrToSpecialViReal64Value(ViInt32 valueType);
ZOR_EXPORT ViStatus Zor_GetViReal64Type(ViReal64 value, ViInt32 *valueType);

#ifdef __cplusplus
}
#endif

#endif /* ZOR_H */
