// Option strings and the small exported functions around a driver's initialization.
#include "driver/option_string.h"

#include <cstring>
#include <new>
#include <string>

#include "core/export_guard.h"
#include "core/session.h"
#include "core/text.h"
#include "driver/config_store.h"
#include "errors/error_info.h"

namespace zor::options {
namespace {

enum class Effect {
  kSimulate,
  kRangeCheck,
  kQueryInstrStatus,
  kCache,
  kRecordCoercions,
  kInterchangeCheck,
  kDriverSetup,
  kAccepted,  // known, but its value changes nothing here
};

struct OptionName {
  const char* name;
  Effect effect;
};

// Searched in this order, ignoring case; the first match wins.
constexpr OptionName kOptionNames[] = {
    {"Zor_Attr_Simulate", Effect::kSimulate},
    {"Attr_Simulate", Effect::kSimulate},
    {"Simulate", Effect::kSimulate},
    {"Zor_Attr_Range_Check", Effect::kRangeCheck},
    {"Attr_Range_Check", Effect::kRangeCheck},
    {"Range_Check", Effect::kRangeCheck},
    {"Range Check", Effect::kRangeCheck},
    {"RangeCheck", Effect::kRangeCheck},
    {"Zor_Attr_Query_Instr_Status", Effect::kQueryInstrStatus},
    {"Attr_Query_Instr_Status", Effect::kQueryInstrStatus},
    {"Query_Instr_Status", Effect::kQueryInstrStatus},
    {"Query Instr Status", Effect::kQueryInstrStatus},
    {"QueryInstrStatus", Effect::kQueryInstrStatus},
    {"QueryInstrumentStatus", Effect::kQueryInstrStatus},
    {"Zor_Attr_Cache", Effect::kCache},
    {"Attr_Cache", Effect::kCache},
    {"Cache", Effect::kCache},
    {"Zor_Attr_Record_Coercions", Effect::kRecordCoercions},
    {"Attr_Record_Coercions", Effect::kRecordCoercions},
    {"Record_Coercions", Effect::kRecordCoercions},
    {"Record Coercions", Effect::kRecordCoercions},
    {"RecordCoercions", Effect::kRecordCoercions},
    {"Zor_Attr_Interchange_Check", Effect::kInterchangeCheck},
    {"Attr_Interchange_Check", Effect::kInterchangeCheck},
    {"Interchange_Check", Effect::kInterchangeCheck},
    {"Interchange Check", Effect::kInterchangeCheck},
    {"InterchangeCheck", Effect::kInterchangeCheck},
    {"Zor_Attr_Driver_Setup", Effect::kDriverSetup},
    {"Attr_Driver_Setup", Effect::kDriverSetup},
    {"Driver_Setup", Effect::kDriverSetup},
    {"Driver Setup", Effect::kDriverSetup},
    {"DriverSetup", Effect::kDriverSetup},
    // Specific simulation is chosen by the class driver's configuration, not per session.
    {"Zor_Attr_Use_Specific_Simulation", Effect::kAccepted},
    {"Attr_Use_Specific_Simulation", Effect::kAccepted},
    {"Use_Specific_Simulation", Effect::kAccepted},
    {"Use Specific Simulation", Effect::kAccepted},
    {"UseSpecificSimulation", Effect::kAccepted},
    // The logical name is taken out of the string before it is parsed.
    {"LogicalName", Effect::kAccepted},
};
static_assert(sizeof kOptionNames / sizeof kOptionNames[0] == 38, "option name table");

struct BooleanText {
  const char* text;
  ViBoolean value;
};

constexpr BooleanText kBooleanTexts[] = {
    {"VI_TRUE", VI_TRUE}, {"True", VI_TRUE},   {"1", VI_TRUE},
    {"VI_FALSE", VI_FALSE}, {"False", VI_FALSE}, {"0", VI_FALSE},
};

// The white space an option string may carry around names, values and separators.
bool IsOptionSpace(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// [begin, end) cut to `maxLength` characters, then trimmed at both ends.
std::string CutAndTrim(const char* begin, const char* end, std::size_t maxLength) {
  if (static_cast<std::size_t>(end - begin) > maxLength) end = begin + maxLength;
  while (begin < end && IsOptionSpace(*begin)) ++begin;
  while (end > begin && IsOptionSpace(end[-1])) --end;
  return std::string(begin, end);
}

const OptionName* FindOptionName(const std::string& name) noexcept {
  for (const OptionName& option : kOptionNames) {
    if (text::EqualIgnoringCase(option.name, name.c_str())) return &option;
  }
  return nullptr;
}

ViStatus ParseBoolean(const std::string& value, ViBoolean* result) noexcept {
  for (const BooleanText& entry : kBooleanTexts) {
    if (text::EqualIgnoringCase(entry.text, value.c_str())) {
      *result = entry.value;
      return VI_SUCCESS;
    }
  }
  return ZOR_ERROR_UNKNOWN_OPTION_VALUE;
}

ViStatus RunEffect(Effect effect, const std::string& value, InitOptions& options) noexcept {
  switch (effect) {
    case Effect::kSimulate: return ParseBoolean(value, &options.simulate);
    case Effect::kRangeCheck: return ParseBoolean(value, &options.rangeCheck);
    case Effect::kQueryInstrStatus: return ParseBoolean(value, &options.queryInstrStatus);
    case Effect::kCache: return ParseBoolean(value, &options.cache);
    case Effect::kRecordCoercions: return ParseBoolean(value, &options.recordCoercions);
    case Effect::kInterchangeCheck: return ParseBoolean(value, &options.interchangeCheck);
    case Effect::kDriverSetup:
      try {
        options.driverSetup = std::make_unique<std::string>(value);
      } catch (const std::bad_alloc&) {
        return VI_ERROR_ALLOC;
      }
      return VI_SUCCESS;
    case Effect::kAccepted: return VI_SUCCESS;
  }
  return VI_SUCCESS;
}

// The parse itself; a failure comes back with its elaboration (empty: none).
ViStatus Parse(const char* optionString, InitOptions& options, std::string& elaboration) {
  const char* p = optionString;
  for (;;) {
    const char* comma = std::strchr(p, ',');
    const char* end = comma != nullptr ? comma : p + std::strlen(p);
    const auto* equals = static_cast<const char*>(std::memchr(p, '=', static_cast<std::size_t>(end - p)));
    const std::string name = CutAndTrim(p, equals != nullptr ? equals : end, kMaxOptionNameLength);
    if (name.empty()) {
      if (equals != nullptr) return ZOR_ERROR_OPTION_NAME_MISSING;
      // A blank entry: nothing to do.
    } else {
      const std::string value =
          equals != nullptr ? CutAndTrim(equals + 1, end, kMaxOptionValueLength) : std::string();
      if (value.empty()) return ZOR_ERROR_OPTION_VALUE_MISSING;
      const OptionName* option = FindOptionName(name);
      if (option == nullptr) {
        elaboration = name;
        return ZOR_ERROR_UNKNOWN_OPTION_NAME;
      }
      const ViStatus status = RunEffect(option->effect, value, options);
      if (status < VI_SUCCESS) {
        elaboration = value;
        return status;
      }
    }
    if (comma == nullptr || comma[1] == '\0') return VI_SUCCESS;
    p = comma + 1;
  }
}

}  // namespace

ViStatus ParseOptionString(ViSession vi, const char* optionString, InitOptions* options) noexcept {
  if (optionString == nullptr || optionString[0] == '\0') return VI_SUCCESS;
  ViStatus status = VI_SUCCESS;
  std::string elaboration;
  try {
    status = Parse(optionString, *options, elaboration);
  } catch (const std::bad_alloc&) {
    status = VI_ERROR_ALLOC;
  }
  if (status < VI_SUCCESS) {
    RecordError(vi, status, elaboration.empty() ? nullptr : elaboration.c_str());
  }
  return status;
}

ViStatus ApplyInitOptions(ViSession vi, const InitOptions& options) noexcept {
  ViStatus kept = VI_SUCCESS;
  // Keeps the first warning; true when the sequence may go on.
  auto step = [&kept](ViStatus status) {
    if (status > VI_SUCCESS && kept == VI_SUCCESS) kept = status;
    if (status < VI_SUCCESS) kept = status;
    return status >= VI_SUCCESS;
  };
  if (!step(Zor_SetAttributeViBoolean(vi, nullptr, ZOR_ATTR_SIMULATE, 0, options.simulate))) {
    return kept;
  }
  SessionData* data = nullptr;
  if (!step(LookupSession(vi, &data))) return kept;
  // A session created simulating cannot be switched to the instrument later.
  data->simulateFixed = options.simulate;

  struct Switch {
    ViAttr id;
    ViBoolean InitOptions::*field;
  };
  constexpr Switch kSwitches[] = {
      {ZOR_ATTR_RANGE_CHECK, &InitOptions::rangeCheck},
      {ZOR_ATTR_RECORD_COERCIONS, &InitOptions::recordCoercions},
      {ZOR_ATTR_QUERY_INSTRUMENT_STATUS, &InitOptions::queryInstrStatus},
      {ZOR_ATTR_CACHE, &InitOptions::cache},
      {ZOR_ATTR_INTERCHANGE_CHECK, &InitOptions::interchangeCheck},
  };
  for (const Switch& s : kSwitches) {
    if (!step(Zor_SetAttributeViBoolean(vi, nullptr, s.id, 0, options.*s.field))) return kept;
  }
  if (options.driverSetup) {
    step(Zor_SetAttributeViString(vi, nullptr, ZOR_ATTR_DRIVER_SETUP, 0,
                                  options.driverSetup->c_str()));
  }
  return kept;
}

void ExtractLogicalName(const char* optionString, char (&logicalName)[kLogicalNameSize]) noexcept {
  logicalName[0] = '\0';
  if (optionString == nullptr) return;
  const char* at = std::strstr(optionString, "LogicalName");
  if (at == nullptr) return;
  const char* comma = std::strchr(at, ',');
  const char* end = comma != nullptr ? comma : at + std::strlen(at);
  const auto* equals = static_cast<const char*>(std::memchr(at, '=', static_cast<std::size_t>(end - at)));
  if (equals == nullptr) return;
  const char* begin = equals + 1;
  if (static_cast<std::size_t>(end - begin) > kLogicalNameSize - 1) end = begin + (kLogicalNameSize - 1);
  while (begin < end && IsOptionSpace(*begin)) ++begin;
  while (end > begin && IsOptionSpace(end[-1])) --end;
  const auto length = static_cast<std::size_t>(end - begin);
  std::memcpy(logicalName, begin, length);
  logicalName[length] = '\0';
}

}  // namespace zor::options

using namespace zor;

namespace {

constexpr ViInt32 kResourceTextSize = 256;  // the callers' buffers hold at least this much

}  // namespace

extern "C" {

ZOR_EXPORT ViStatus Zor_GetInfoFromResourceName(ViConstString resourceName,
                                                ViConstString optionString,
                                                ViChar newResourceName[],
                                                ViChar newOptionString[],
                                                ViBoolean* isLogicalName) {
  if (resourceName == nullptr) {
    return RecordError(VI_NULL, ZOR_ERROR_INVALID_PARAMETER, "Null string for Resource Name.");
  }
  if (newResourceName == nullptr) {
    return RecordError(VI_NULL, ZOR_ERROR_INVALID_PARAMETER, "Null address for New Resource Name");
  }
  if (newOptionString == nullptr) {
    return RecordError(VI_NULL, ZOR_ERROR_INVALID_PARAMETER, "Null address for New Option String");
  }
  return ExportGuard(VI_NULL, [&] {
    bool logical = false;
    std::string resource;
    const ViStatus status = config::LookUpResourceName(resourceName, &logical, &resource);
    if (status < VI_SUCCESS) return status;
    const char* options = optionString != nullptr ? optionString : "";
    if (logical) {
      text::CopyBounded(resource.c_str(), newResourceName, kResourceTextSize);
      const std::string joined = std::string(options) + ",LogicalName=" + resourceName;
      text::CopyBounded(joined.c_str(), newOptionString, kResourceTextSize);
    } else {
      text::CopyBounded(resourceName, newResourceName, kResourceTextSize);
      text::CopyBounded(options, newOptionString, kResourceTextSize);
    }
    if (isLogicalName != nullptr) *isLogicalName = logical ? VI_TRUE : VI_FALSE;
    return VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_ApplyDefaultSetup(ViSession vi) {
  return ExportGuard(vi, [&] {
    const SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    // A logical name cut to 511 characters still names the setup to apply.
    char logicalName[512] = "";
    const ViStatus read =
        Zor_GetAttributeViString(vi, nullptr, ZOR_ATTR_LOGICAL_NAME, 0, 511, logicalName);
    if (read != VI_SUCCESS) RecordError(vi, read);
    if (read < VI_SUCCESS) return read;
    ViStatus result = read;
    if (logicalName[0] != '\0') {
      const ViStatus answer = config::ApplyDefaultSetup(logicalName);
      if (answer != VI_SUCCESS) RecordError(vi, answer);
      if (answer < VI_SUCCESS || (answer > VI_SUCCESS && read == VI_SUCCESS)) result = answer;
    }
    return result;
  });
}

ZOR_EXPORT ViStatus Zor_ApplySimulationDriverDefaultSetup(ViSession vi, ViConstString setupName) {
  return ExportGuard(vi, [&] {
    const SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    if (setupName == nullptr || setupName[0] == '\0') return VI_SUCCESS;
    const ViStatus answer = config::FetchSimulationDefaultSetup(setupName);
    if (answer != VI_SUCCESS) RecordError(vi, answer);
    return answer;
  });
}

ZOR_EXPORT ViStatus Zor_GetSpyingFromLogicalName(ViConstString /*logicalName*/, ViBoolean* spying) {
  // Spying is on for every logical name: no store says otherwise.
  if (spying != nullptr) *spying = VI_TRUE;
  return VI_SUCCESS;
}

}  // extern "C"
