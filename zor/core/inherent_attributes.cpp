// The inherent attribute catalogue, its callbacks and the fast getters.
#include "core/inherent_attributes.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "core/attribute.h"
#include "core/engine_state.h"
#include "core/invalidation.h"
#include "core/session.h"
#include "errors/error_info.h"
#include "io/visa_binding.h"
#include "zorbase.h"

namespace zor {
namespace {

// Flag words of the catalogue.
constexpr ViInt32 kNeverCache = ZOR_VAL_NEVER_CACHE | ZOR_VAL_NO_STATUS_CHECK;           // 0x8020
constexpr ViInt32 kConstant = ZOR_VAL_NOT_WRITABLE | kNeverCache;                          // 0x8024
constexpr ViInt32 kDriverOnlyConstant = kConstant | ZOR_VAL_NOT_USER_READABLE;             // 0x802C
constexpr ViInt32 kDriverWritten = ZOR_VAL_NOT_USER_WRITABLE | kNeverCache;                // 0x8030
constexpr ViInt32 kDriverPrivate = ZOR_VAL_HIDDEN | kNeverCache;                           // 0x8038
constexpr ViInt32 kSwitch = kNeverCache | ZOR_VAL_CALLBACKS_IN_SIMULATION;                  // 0xC020
constexpr ViInt32 kComputed = kConstant | ZOR_VAL_CALLBACKS_IN_SIMULATION;                 // 0xC024
constexpr ViInt32 kDriverWrittenView = kDriverWritten | ZOR_VAL_CALLBACKS_IN_SIMULATION;   // 0xC030
constexpr ViInt32 kDriverPrivateView = kDriverPrivate | ZOR_VAL_CALLBACKS_IN_SIMULATION;   // 0xC038
constexpr ViInt32 kDriverPrivateConstant = kDriverPrivateView | ZOR_VAL_NOT_WRITABLE;      // 0xC03C
constexpr ViInt32 kInstrumentText = ZOR_VAL_NOT_USER_WRITABLE;                             // 0x0010

// Engine version and the VISA standard version it follows, as the revision text reports them.
constexpr ViInt32 kEngineMajorVersion = 18;
constexpr ViInt32 kEngineMinorVersion = 0;
constexpr double kVisaSpecVersion = 5.7;

// Attribute ids of instrument-class attributes, listed by ZOR_ATTR_ATTRIBUTE_CAPABILITIES.
constexpr ViAttr kFirstClassAttributeId = 1250000;
constexpr ViAttr kEndOfClassAttributeIds = 1300000;

// ---- Callbacks -------------------------------------------------------------------------
// They run inside the set and get pipelines, which hold the session lock, so the record is
// reached without locking again.

template <typename T, T SessionData::*Field>
ViStatus ReadField(ViSession vi, ViSession, ViConstString, ViAttr, T* value) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return status;
  *value = data->*Field;
  return VI_SUCCESS;
}

template <typename T, T SessionData::*Field>
ViStatus WriteField(ViSession vi, ViSession, ViConstString, ViAttr, T value) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return status;
  data->*Field = value;
  return VI_SUCCESS;
}

template <ViBoolean SessionData::*Field>
constexpr auto kReadSwitch = &ReadField<ViBoolean, Field>;
template <ViBoolean SessionData::*Field>
constexpr auto kWriteSwitch = &WriteField<ViBoolean, Field>;

// The session's callbacks travel as ViAddr attributes.
template <typename F, F SessionData::*Field>
ViStatus ReadCallbackField(ViSession vi, ViSession, ViConstString, ViAttr, ViAddr* value) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return status;
  *value = reinterpret_cast<ViAddr>(data->*Field);
  return VI_SUCCESS;
}

template <typename F, F SessionData::*Field>
ViStatus WriteCallbackField(ViSession vi, ViSession, ViConstString, ViAttr, ViAddr value) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return status;
  data->*Field = reinterpret_cast<F>(value);
  return VI_SUCCESS;
}

// The I/O session reads back as the `io` the pipeline passes, which is the stored one.
ViStatus ReadIOSession(ViSession, ViSession io, ViConstString, ViAttr, ViSession* value) {
  *value = io;
  return VI_SUCCESS;
}

ViStatus WriteSimulate(ViSession vi, ViSession, ViConstString, ViAttr, ViBoolean value) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return status;
  if (data->simulate != VI_FALSE && value == VI_FALSE) {
    if (data->simulateFixed != VI_FALSE) return ZOR_ERROR_SIMULATION_STATE_FIXED;
    // Values cached while simulating never came from the instrument.
    InvalidateSessionAttributes(*data);
  }
  data->simulate = value;
  return VI_SUCCESS;
}

ViStatus ReadVisaRMSession(ViSession vi, ViSession, ViConstString, ViAttr, ViSession* value) {
  SessionData* data = nullptr;
  ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return status;
  status = VI_SUCCESS;
  if (data->visaRMSession == 0) {
    ViSession rm = 0;
    status = visa::OpenDefaultRM(&rm);
    if (status < VI_SUCCESS) return status;
    data->visaRMSession = rm;  // closed when the session's record is destroyed
  }
  *value = data->visaRMSession;
  return status;
}

// Hands a computed text to the get pipeline; a failure is recorded as well as returned.
ViStatus DeliverText(ViSession vi, ViAttr attributeId, const char* text) {
  const ViStatus status = Zor_SetValInStringCallback(vi, attributeId, text);
  if (status != VI_SUCCESS) RecordError(vi, status);
  return status;
}

const char* CompilerName() noexcept {
#if defined(__clang__)
  return "Clang";
#elif defined(__GNUC__)
  return "GCC";
#else
  return "C++";
#endif
}

// The compiler's major.minor version as a number: 12.2 for GCC 12.2.
double CompilerVersion() noexcept {
#if defined(__clang__)
  double minor = __clang_minor__;
  const double major = __clang_major__;
#elif defined(__GNUC__)
  double minor = __GNUC_MINOR__;
  const double major = __GNUC__;
#else
  double minor = 0;
  const double major = 0;
#endif
  while (minor >= 1.0) minor /= 10.0;
  return major + minor;
}

ViStatus ReadEngineRevision(ViSession vi, ViSession, ViConstString, ViAttr attributeId,
                            ViConstString) {
  char revision[256];
  std::snprintf(revision, sizeof revision,
                "Engine: ZOR %.2f, Compiler: %s %.2f, Components: VISA-Spec %.2f",
                static_cast<double>(kEngineMajorVersion) + kEngineMinorVersion / 10.0,
                CompilerName(), CompilerVersion(), kVisaSpecVersion);
  return DeliverText(vi, attributeId, revision);
}

ViStatus ReadChannelCount(ViSession vi, ViSession, ViConstString, ViAttr, ViInt32* value) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return status;
  // The session's own channels: a linked specific driver reports its own count.
  const RepCapTable* channels = data->repCapTables.Find("Channel");
  if (channels == nullptr) return RecordError(vi, ZOR_ERROR_REPCAP_NOT_DEFINED, "Channel");
  *value = channels->count();
  return VI_SUCCESS;
}

ViStatus ReadAttributeCapabilities(ViSession vi, ViSession, ViConstString, ViAttr attributeId,
                                   ViConstString) {
  SessionData* data = nullptr;
  const ViStatus status = LookupSession(vi, &data);
  if (status < VI_SUCCESS) return status;
  std::string list;
  try {
    for (const auto& record : data->attributes) {
      if (record->id < kFirstClassAttributeId || record->id >= kEndOfClassAttributeIds) continue;
      if ((record->flags & ZOR_VAL_NOT_SUPPORTED) != 0) continue;
      if (!list.empty()) list += ',';
      list += record->name;
    }
  } catch (const std::bad_alloc&) {
    return ZOR_ERROR_OUT_OF_MEMORY;
  }
  return DeliverText(vi, attributeId, list.c_str());
}

// The primary error and the elaboration live in the support library's session record; they
// are read and written there as they are, without the precedence rule of recorded errors.
ViStatus ReadPrimaryError(ViSession vi, ViSession, ViConstString, ViAttr, ViInt32* value) {
  return ZorSessionError_GetErrorCode(vi, value);
}

ViStatus WritePrimaryError(ViSession vi, ViSession, ViConstString, ViAttr, ViInt32 value) {
  return ZorSessionError_SetErrorCode(vi, value);
}

ViStatus ReadErrorElaboration(ViSession vi, ViSession, ViConstString, ViAttr attributeId,
                              ViConstString) {
  ViConstString description = nullptr;
  const ViStatus status = ZorSessionError_GetErrorDescription(vi, &description);
  if (status < VI_SUCCESS) return status;
  return Zor_SetValInStringCallback(vi, attributeId, description);
}

ViStatus WriteErrorElaboration(ViSession vi, ViSession, ViConstString, ViAttr,
                               ViConstString value) {
  return ZorSessionError_SetErrorDescription(vi, value);
}

// ---- The catalogue -----------------------------------------------------------------------

struct Inherent {
  ViAttr id;
  const char* name;
  ViInt32 type;
  ViInt32 flags;
  ViInt32 defaultNumber;     // ViInt32 and ViBoolean defaults (ViAddr and ViSession: 0)
  const char* defaultText;   // ViString defaults
  AnyCallback read;
  AnyCallback write;
};

#define ZOR_INHERENT(id) id, #id

const Inherent kSwitchGroup[] = {
    {ZOR_INHERENT(ZOR_ATTR_SYSTEM_IO_SESSION), ZOR_TYPE_SESSION, kDriverWrittenView, 0, nullptr,
     ToAnyCallback(&ReadIOSession), ToAnyCallback(&WriteField<ViSession, &SessionData::ioSession>)},
    {ZOR_INHERENT(ZOR_ATTR_CACHE), ZOR_TYPE_BOOLEAN, kSwitch, VI_TRUE, nullptr,
     ToAnyCallback(kReadSwitch<&SessionData::cacheEnabled>),
     ToAnyCallback(kWriteSwitch<&SessionData::cacheEnabled>)},
    {ZOR_INHERENT(ZOR_ATTR_RANGE_CHECK), ZOR_TYPE_BOOLEAN, kSwitch, VI_TRUE, nullptr,
     ToAnyCallback(kReadSwitch<&SessionData::rangeCheckEnabled>),
     ToAnyCallback(kWriteSwitch<&SessionData::rangeCheckEnabled>)},
    {ZOR_INHERENT(ZOR_ATTR_QUERY_INSTRUMENT_STATUS), ZOR_TYPE_BOOLEAN, kSwitch, VI_FALSE, nullptr,
     ToAnyCallback(kReadSwitch<&SessionData::queryInstrStatus>),
     ToAnyCallback(kWriteSwitch<&SessionData::queryInstrStatus>)},
    {ZOR_INHERENT(ZOR_ATTR_DEFER_UPDATE), ZOR_TYPE_BOOLEAN, kDriverPrivateView, VI_FALSE, nullptr,
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_RETURN_DEFERRED_VALUES), ZOR_TYPE_BOOLEAN, kDriverPrivateView, VI_TRUE,
     nullptr, nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SIMULATE), ZOR_TYPE_BOOLEAN, kSwitch, VI_FALSE, nullptr,
     ToAnyCallback(kReadSwitch<&SessionData::simulate>), ToAnyCallback(&WriteSimulate)},
    {ZOR_INHERENT(ZOR_ATTR_USE_SPECIFIC_SIMULATION), ZOR_TYPE_BOOLEAN, kSwitch, VI_TRUE, nullptr,
     ToAnyCallback(kReadSwitch<&SessionData::useSpecificSimulation>),
     ToAnyCallback(kWriteSwitch<&SessionData::useSpecificSimulation>)},
    {ZOR_INHERENT(ZOR_ATTR_RECORD_COERCIONS), ZOR_TYPE_BOOLEAN, kSwitch, VI_FALSE, nullptr,
     ToAnyCallback(kReadSwitch<&SessionData::recordCoercions>),
     ToAnyCallback(kWriteSwitch<&SessionData::recordCoercions>)},
    {ZOR_INHERENT(ZOR_ATTR_DRIVER_SETUP), ZOR_TYPE_STRING, kDriverWrittenView, 0, "", nullptr,
     nullptr},
};

const Inherent kErrorGroup[] = {
    {ZOR_INHERENT(ZOR_ATTR_PRIMARY_ERROR), ZOR_TYPE_INT32, kSwitch, 0, nullptr,
     ToAnyCallback(&ReadPrimaryError), ToAnyCallback(&WritePrimaryError)},
    {ZOR_INHERENT(ZOR_ATTR_SECONDARY_ERROR), ZOR_TYPE_INT32, kSwitch, 0, nullptr,
     ToAnyCallback(&ReadField<ViStatus, &SessionData::secondaryError>),
     ToAnyCallback(&WriteField<ViStatus, &SessionData::secondaryError>)},
    {ZOR_INHERENT(ZOR_ATTR_ERROR_ELABORATION), ZOR_TYPE_STRING, kSwitch, 0, "",
     ToAnyCallback(&ReadErrorElaboration), ToAnyCallback(&WriteErrorElaboration)},
};

// The identity group up to the error group, and from the error group on.
const Inherent kIdentityHead[] = {
    {ZOR_INHERENT(ZOR_ATTR_VISA_RM_SESSION), ZOR_TYPE_SESSION, kDriverOnlyConstant, 0, nullptr,
     ToAnyCallback(&ReadVisaRMSession), nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SPECIFIC_DRIVER_PREFIX), ZOR_TYPE_STRING, kConstant, 0, "", nullptr,
     nullptr},
    {ZOR_INHERENT(ZOR_ATTR_BUFFERED_IO_CALLBACK), ZOR_TYPE_ADDR, kDriverPrivateView, 0, nullptr,
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SUPPORTS_WR_BUF_OPER_MODE), ZOR_TYPE_BOOLEAN, kDriverPrivate, VI_FALSE,
     nullptr, nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_UPDATING_VALUES), ZOR_TYPE_BOOLEAN, kDriverPrivateConstant, VI_FALSE,
     nullptr, nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_ENGINE_MAJOR_VERSION), ZOR_TYPE_INT32, kConstant, kEngineMajorVersion,
     nullptr, nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_ENGINE_MINOR_VERSION), ZOR_TYPE_INT32, kConstant, kEngineMinorVersion,
     nullptr, nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_ENGINE_REVISION), ZOR_TYPE_STRING, kComputed, 0, "",
     ToAnyCallback(&ReadEngineRevision), nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SPECIFIC_DRIVER_MAJOR_VERSION), ZOR_TYPE_INT32, kConstant, 0, nullptr,
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SPECIFIC_DRIVER_MINOR_VERSION), ZOR_TYPE_INT32, kConstant, 0, nullptr,
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SPECIFIC_DRIVER_REVISION), ZOR_TYPE_STRING, kDriverWrittenView, 0, "",
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_CHANNEL_COUNT), ZOR_TYPE_INT32, kComputed, 1, nullptr,
     ToAnyCallback(&ReadChannelCount), nullptr},
    {ZOR_INHERENT(ZOR_ATTR_OPC_CALLBACK), ZOR_TYPE_ADDR, kDriverPrivateView, 0, nullptr,
     ToAnyCallback(&ReadCallbackField<ZorOPCCallback, &SessionData::opcCallback>),
     ToAnyCallback(&WriteCallbackField<ZorOPCCallback, &SessionData::opcCallback>)},
    {ZOR_INHERENT(ZOR_ATTR_CHECK_STATUS_CALLBACK), ZOR_TYPE_ADDR, kDriverPrivateView, 0, nullptr,
     ToAnyCallback(&ReadCallbackField<ZorCheckStatusCallback, &SessionData::checkStatusCallback>),
     ToAnyCallback(&WriteCallbackField<ZorCheckStatusCallback, &SessionData::checkStatusCallback>)},
    {ZOR_INHERENT(ZOR_ATTR_USER_INTERCHANGE_CHECK_CALLBACK), ZOR_TYPE_ADDR, kDriverPrivateView, 0,
     nullptr,
     ToAnyCallback(&ReadCallbackField<ZorUserInterchangeCheckCallback,
                                 &SessionData::userInterchangeCheckCallback>),
     ToAnyCallback(&WriteCallbackField<ZorUserInterchangeCheckCallback,
                                  &SessionData::userInterchangeCheckCallback>)},
};

const Inherent kIdentityTail[] = {
    {ZOR_INHERENT(ZOR_ATTR_LOGICAL_NAME), ZOR_TYPE_STRING, kConstant, 0, "", nullptr, nullptr},
    // The misspelling is the text drivers and their users have always read here.
    {ZOR_INHERENT(ZOR_ATTR_IO_RESOURCE_DESCRIPTOR), ZOR_TYPE_STRING, kDriverWritten, 0,
     "Not Avaliable", nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_INTERCHANGE_CHECK), ZOR_TYPE_BOOLEAN, kSwitch, VI_FALSE, nullptr,
     ToAnyCallback(kReadSwitch<&SessionData::interchangeCheck>),
     ToAnyCallback(kWriteSwitch<&SessionData::interchangeCheck>)},
    {ZOR_INHERENT(ZOR_ATTR_GROUP_CAPABILITIES), ZOR_TYPE_STRING, kDriverWrittenView, 0, "",
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_ATTRIBUTE_CAPABILITIES), ZOR_TYPE_STRING, kDriverWrittenView, 0, "",
     ToAnyCallback(&ReadAttributeCapabilities), nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SUPPORTED_CLASSES), ZOR_TYPE_STRING, kDriverWrittenView, 0, "",
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SUPPORTED_INSTRUMENT_MODELS), ZOR_TYPE_STRING, kDriverWrittenView, 0,
     "", nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SYSTEM_IO_TIMEOUT), ZOR_TYPE_INT32, kNeverCache, 2000, nullptr,
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_IO_SESSION_TYPE), ZOR_TYPE_STRING, kDriverWrittenView, 0, "", nullptr,
     nullptr},
    {ZOR_INHERENT(ZOR_ATTR_INSTRUMENT_FIRMWARE_REVISION), ZOR_TYPE_STRING, kInstrumentText, 0,
     "Not Available", nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_INSTRUMENT_MANUFACTURER), ZOR_TYPE_STRING, kInstrumentText, 0,
     "Not Available", nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_INSTRUMENT_MODEL), ZOR_TYPE_STRING, kInstrumentText, 0,
     "Not Available", nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SPECIFIC_DRIVER_VENDOR), ZOR_TYPE_STRING, kDriverWrittenView, 0, "",
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SPECIFIC_DRIVER_DESCRIPTION), ZOR_TYPE_STRING, kDriverWrittenView, 0,
     "", nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SPECIFIC_DRIVER_CLASS_SPEC_MAJOR_VERSION), ZOR_TYPE_INT32,
     kDriverWrittenView, 0, nullptr, nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SPECIFIC_DRIVER_CLASS_SPEC_MINOR_VERSION), ZOR_TYPE_INT32,
     kDriverWrittenView, 0, nullptr, nullptr, nullptr},
};

const Inherent kClassGroup[] = {
    {ZOR_INHERENT(ZOR_ATTR_SPECIFIC_DRIVER_LOCATOR), ZOR_TYPE_STRING, kConstant, 0, "", nullptr,
     nullptr},
    {ZOR_INHERENT(ZOR_ATTR_FUNCTION_CAPABILITIES), ZOR_TYPE_STRING, kDriverWrittenView, 0, "",
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_CLASS_DRIVER_PREFIX), ZOR_TYPE_STRING, kConstant, 0, "", nullptr,
     nullptr},
    {ZOR_INHERENT(ZOR_ATTR_SPY), ZOR_TYPE_BOOLEAN, kSwitch, VI_TRUE, nullptr,
     ToAnyCallback(kReadSwitch<&SessionData::spy>), ToAnyCallback(kWriteSwitch<&SessionData::spy>)},
    {ZOR_INHERENT(ZOR_ATTR_CLASS_DRIVER_MAJOR_VERSION), ZOR_TYPE_INT32, kDriverWritten, 0, nullptr,
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_CLASS_DRIVER_MINOR_VERSION), ZOR_TYPE_INT32, kDriverWritten, 0, nullptr,
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_CLASS_DRIVER_REVISION), ZOR_TYPE_STRING, kDriverWrittenView, 0, "",
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_CLASS_DRIVER_VENDOR), ZOR_TYPE_STRING, kDriverWrittenView, 0, "",
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_CLASS_DRIVER_DESCRIPTION), ZOR_TYPE_STRING, kDriverWrittenView, 0, "",
     nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_CLASS_DRIVER_CLASS_SPEC_MAJOR_VERSION), ZOR_TYPE_INT32,
     kDriverWrittenView, 0, nullptr, nullptr, nullptr},
    {ZOR_INHERENT(ZOR_ATTR_CLASS_DRIVER_CLASS_SPEC_MINOR_VERSION), ZOR_TYPE_INT32,
     kDriverWrittenView, 0, nullptr, nullptr, nullptr},
};

#undef ZOR_INHERENT

// The default of a switch-group record, which is built without the add functions.
Value DefaultOf(const Inherent& a) {
  switch (a.type) {
    case ZOR_TYPE_INT32: return Value::OfInt32(a.defaultNumber);
    case ZOR_TYPE_BOOLEAN: return Value::OfBoolean(static_cast<ViBoolean>(a.defaultNumber));
    case ZOR_TYPE_STRING: return Value::OfText(a.defaultText);
    default: return Value();  // ViAddr and ViSession start at 0
  }
}

// Adds one attribute through the exported add functions, with their checks.
ViStatus Add(ViSession vi, const Inherent& a, const char* textOverride = nullptr) {
  const char* text = textOverride != nullptr ? textOverride : a.defaultText;
  switch (a.type) {
    case ZOR_TYPE_INT32:
      return Zor_AddAttributeViInt32(vi, a.id, a.name, a.defaultNumber, a.flags,
                                     FromAnyCallback<ZorReadCallbackViInt32>(a.read),
                                     FromAnyCallback<ZorWriteCallbackViInt32>(a.write), nullptr);
    case ZOR_TYPE_BOOLEAN:
      return Zor_AddAttributeViBoolean(vi, a.id, a.name, static_cast<ViBoolean>(a.defaultNumber),
                                       a.flags, FromAnyCallback<ZorReadCallbackViBoolean>(a.read),
                                       FromAnyCallback<ZorWriteCallbackViBoolean>(a.write));
    case ZOR_TYPE_STRING:
      return Zor_AddAttributeViString(vi, a.id, a.name, text, a.flags,
                                      FromAnyCallback<ZorReadCallbackViString>(a.read),
                                      FromAnyCallback<ZorWriteCallbackViString>(a.write));
    case ZOR_TYPE_ADDR:
      return Zor_AddAttributeViAddr(vi, a.id, a.name, nullptr, a.flags,
                                    FromAnyCallback<ZorReadCallbackViAddr>(a.read),
                                    FromAnyCallback<ZorWriteCallbackViAddr>(a.write));
    case ZOR_TYPE_SESSION:
      return Zor_AddAttributeViSession(vi, a.id, a.name, 0, a.flags,
                                       FromAnyCallback<ZorReadCallbackViSession>(a.read),
                                       FromAnyCallback<ZorWriteCallbackViSession>(a.write));
    default:
      return ZOR_ERROR_INVALID_TYPE;
  }
}

// Adds `group` in order; the first failure stops it. Warnings: the first one is kept.
template <std::size_t N>
ViStatus AddGroup(ViSession vi, const Inherent (&group)[N], ViStatus kept = VI_SUCCESS) {
  for (const Inherent& a : group) {
    const ViStatus status = Add(vi, a);
    if (status < VI_SUCCESS) return status;
    if (kept == VI_SUCCESS) kept = status;
  }
  return kept;
}

// Quiet lookup for the fast getters: a handle that names no session must not leave a trace in
// the calling thread's error record, yet the common case (a live session) must stay cheap.
SessionData* LookupQuietly(ViSession vi) noexcept {
  if (EngineUnloading()) return nullptr;
  ViStatus before = 0;
  ViConstString text = nullptr;
  if (ZorThreadError_GetErrorCode(&before) < VI_SUCCESS ||
      ZorThreadError_GetErrorDescription(&text) < VI_SUCCESS) {
    // No record for this thread: nothing can be recorded either.
    SessionData* data = nullptr;
    return LookupSession(vi, &data) >= VI_SUCCESS ? data : nullptr;
  }
  SessionData* data = nullptr;
  if (before < VI_SUCCESS) {
    // A stored error is never replaced by a later one.
    return LookupSession(vi, &data) >= VI_SUCCESS ? data : nullptr;
  }
  if (before == VI_SUCCESS && text[0] == '\0') {
    if (LookupSession(vi, &data) >= VI_SUCCESS) return data;
    ZorSession_ClearError(VI_NULL);  // back to the empty record it was
    return nullptr;
  }
  // A warning or a text is stored: keep it exactly.
  ProbeKeepingThreadError([&] { return LookupSession(vi, &data) >= VI_SUCCESS; });
  return data;
}

template <typename T, T SessionData::*Field>
T FastGet(ViSession vi) noexcept {
  const SessionData* data = LookupQuietly(vi);
  return data != nullptr ? data->*Field : T{};
}

}  // namespace

ViStatus AddSessionSwitchAttributes(SessionData& data) noexcept {
  constexpr std::size_t kCount = sizeof kSwitchGroup / sizeof kSwitchGroup[0];
  std::unique_ptr<AttributeRecord> records[kCount];
  try {
    // All records first: a group that cannot be completed leaves the session untouched.
    for (std::size_t i = 0; i < kCount; ++i) {
      const Inherent& a = kSwitchGroup[i];
      const Value defaultValue = DefaultOf(a);
      AttributeDefinition definition;
      definition.id = a.id;
      definition.name = a.name;
      definition.type = a.type;
      definition.flags = a.flags;
      definition.readCallback = a.read;
      definition.writeCallback = a.write;
      definition.defaultValue = &defaultValue;
      const ViStatus status = CreateAttributeRecord(data, definition, &records[i]);
      if (status < VI_SUCCESS) return status;
    }
    for (auto& record : records) InsertAttributeRecord(data, std::move(record));
  } catch (const std::bad_alloc&) {
    return VI_ERROR_ALLOC;  // records not yet inserted go with `records`
  }
  return VI_SUCCESS;
}

ViStatus AddErrorInfoAttributes(ViSession vi) noexcept {
  try {
    return AddGroup(vi, kErrorGroup);
  } catch (const std::bad_alloc&) {
    return VI_ERROR_ALLOC;
  }
}

ViStatus AddInherentAttributes(ViSession vi, const char* logicalName) noexcept {
  try {
    ViStatus kept = AddGroup(vi, kIdentityHead);
    if (kept < VI_SUCCESS) return kept;
    kept = AddGroup(vi, kErrorGroup, kept);
    if (kept < VI_SUCCESS) return kept;
    // The logical name a class session was opened with is its default.
    const ViStatus named = Add(vi, kIdentityTail[0], logicalName != nullptr ? logicalName : "");
    if (named < VI_SUCCESS) return named;
    if (kept == VI_SUCCESS) kept = named;
    for (std::size_t i = 1; i < sizeof kIdentityTail / sizeof kIdentityTail[0]; ++i) {
      const ViStatus status = Add(vi, kIdentityTail[i]);
      if (status < VI_SUCCESS) return status;
      if (kept == VI_SUCCESS) kept = status;
    }
    return kept;
  } catch (const std::bad_alloc&) {
    return VI_ERROR_ALLOC;
  }
}

ViStatus AddClassDriverAttributes(ViSession vi) noexcept {
  try {
    return AddGroup(vi, kClassGroup);
  } catch (const std::bad_alloc&) {
    return VI_ERROR_ALLOC;
  }
}

}  // namespace zor

using namespace zor;

extern "C" {

ZOR_EXPORT ViSession Zor_IOSession(ViSession vi) {
  return FastGet<ViSession, &SessionData::ioSession>(vi);
}
ZOR_EXPORT ViBoolean Zor_RangeChecking(ViSession vi) {
  return FastGet<ViBoolean, &SessionData::rangeCheckEnabled>(vi);
}
ZOR_EXPORT ViBoolean Zor_QueryInstrStatus(ViSession vi) {
  return FastGet<ViBoolean, &SessionData::queryInstrStatus>(vi);
}
ZOR_EXPORT ViBoolean Zor_Simulating(ViSession vi) {
  return FastGet<ViBoolean, &SessionData::simulate>(vi);
}
ZOR_EXPORT ViBoolean Zor_UseSpecificSimulation(ViSession vi) {
  return FastGet<ViBoolean, &SessionData::useSpecificSimulation>(vi);
}
ZOR_EXPORT ViBoolean Zor_Spying(ViSession vi) { return FastGet<ViBoolean, &SessionData::spy>(vi); }
ZOR_EXPORT ViBoolean Zor_InterchangeCheck(ViSession vi) {
  return FastGet<ViBoolean, &SessionData::interchangeCheck>(vi);
}

}  // extern "C"
