// Opening engine sessions: a specific driver's (prefix and option string), a class driver's
// (logical name and class prefix) and a simulation driver's. Every path issues a handle, builds
// the record with the switch group of inherent attributes, publishes it and hangs it on the
// handle; then adds what its kind of session carries. Creation is all or nothing: a failure
// disposes of the session, so no handle, record or memory is left behind.
#include <new>

#include "core/inherent_attributes.h"
#include "core/session.h"
#include "core/text.h"
#include "driver/config_store.h"
#include "driver/option_string.h"
#include "errors/error_info.h"

namespace zor {
namespace {

// Keeps the first warning of a sequence; true while no error has come.
bool Step(ViStatus* kept, ViStatus status) noexcept {
  if (status < VI_SUCCESS) {
    *kept = status;
    return false;
  }
  if (*kept == VI_SUCCESS) *kept = status;
  return true;
}

ViStatus SpecificDriverSteps(ViSession vi, const char* prefix, const char* optionString) {
  options::InitOptions options;
  ViStatus status = AddInherentAttributes(vi, nullptr);
  if (status < VI_SUCCESS) return status;
  status = Zor_SetAttributeViString(vi, "", ZOR_ATTR_SPECIFIC_DRIVER_PREFIX, 0, prefix);
  if (status < VI_SUCCESS) return status;

  char logicalName[options::kLogicalNameSize];
  options::ExtractLogicalName(optionString, logicalName);
  if (logicalName[0] != '\0') {
    status = Zor_SetAttributeViString(vi, nullptr, ZOR_ATTR_LOGICAL_NAME, 0, logicalName);
    if (status < VI_SUCCESS) return status;
    status = config::ResolveLogicalName(logicalName);
    if (status < VI_SUCCESS) return status;
  }
  status = options::ParseOptionString(vi, optionString, &options);
  if (status < VI_SUCCESS) return status;
  // Only what applying the options says reaches the driver; earlier warnings are dropped.
  return options::ApplyInitOptions(vi, options);
}

ViStatus ClassDriverSteps(ViSession vi, const char* logicalName, const char* classPrefix) {
  ViStatus kept = VI_SUCCESS;
  if (!Step(&kept, AddInherentAttributes(vi, logicalName))) return kept;
  config::ClassDriverConfig config;
  if (!Step(&kept, AddClassDriverAttributes(vi))) return kept;
  if (!Step(&kept, Zor_SetAttributeViString(vi, nullptr, ZOR_ATTR_CLASS_DRIVER_PREFIX, 0,
                                            classPrefix))) {
    return kept;
  }
  // The configuration names the specific driver to bind. This engine's configuration store
  // never delivers one, so every class-driver creation ends here, before any module is bound.
  Step(&kept, config::FetchClassDriverConfig(logicalName, &config));
  return kept < VI_SUCCESS ? kept : ZOR_ERROR_CONFIG_SERVER_MISSING;
}

ViStatus SimulationDriverSteps(ViSession vi, const char* simulationName) {
  ViStatus kept = VI_SUCCESS;
  if (!Step(&kept, AddErrorInfoAttributes(vi))) return kept;
  if (!Step(&kept, config::ResolveLogicalName(simulationName))) return kept;
  return kept;
}

// Opens the session, runs `steps` on it and ends creation: on success the session is marked
// complete and handed out; on failure the status is recorded on the thread, the session
// disposed of and VI_NULL handed out.
template <typename Steps>
ViStatus Create(ViSession* newVi, Steps steps) noexcept {
  ViSession vi = VI_NULL;
  ViStatus status = NewEngineSession(&vi, &AddSessionSwitchAttributes);
  if (status >= VI_SUCCESS) {
    try {
      status = steps(vi);
    } catch (const std::bad_alloc&) {
      status = VI_ERROR_ALLOC;
    } catch (...) {
      status = ZOR_ERROR_UNRECOVERABLE_FAILURE;
    }
  }
  SessionData* data = nullptr;
  if (status >= VI_SUCCESS) {
    const ViStatus found = LookupSession(vi, &data);
    if (found < VI_SUCCESS) status = found;
  }
  if (status < VI_SUCCESS) {
    RecordError(VI_NULL, status);
    Zor_Dispose(vi);
    if (newVi != nullptr) *newVi = VI_NULL;
    return status;
  }
  data->creationComplete = VI_TRUE;
  if (newVi != nullptr) *newVi = vi;
  return status;
}

// A creation's warning goes to the new session, its failure to the thread.
ViStatus RecordResult(ViSession vi, ViStatus status) noexcept {
  if (status != VI_SUCCESS) RecordError(status > VI_SUCCESS ? vi : VI_NULL, status);
  return status;
}

}  // namespace
}  // namespace zor

using namespace zor;

extern "C" {

ZOR_EXPORT ViStatus Zor_SpecificDriverNew(ViConstString prefix, ViConstString optionString,
                                          ViSession* newVi) {
  if (text::IsBlank(prefix)) return RecordError(VI_NULL, ZOR_ERROR_INVALID_PARAMETER, "Prefix");
  if (newVi == nullptr) return RecordError(VI_NULL, ZOR_ERROR_INVALID_PARAMETER, "Session");
  const ViStatus status =
      Create(newVi, [&](ViSession vi) { return SpecificDriverSteps(vi, prefix, optionString); });
  return RecordResult(*newVi, status);
}

ZOR_EXPORT ViStatus Zor_ClassDriverNew(ViConstString logicalName, ViConstString classPrefix,
                                       ViConstString functionNames[], ViSession* newVi) {
  // The function names are looked up in the specific driver once it is bound.
  (void)functionNames;
  if (text::IsBlank(logicalName) || text::IsBlank(classPrefix)) {
    if (newVi != nullptr) *newVi = VI_NULL;
    return RecordError(VI_NULL, ZOR_ERROR_INVALID_PARAMETER);
  }
  ViSession vi = VI_NULL;
  const ViStatus status =
      Create(&vi, [&](ViSession s) { return ClassDriverSteps(s, logicalName, classPrefix); });
  if (newVi != nullptr) *newVi = vi;
  return RecordResult(vi, status);
}

ZOR_EXPORT ViStatus Zor_SimulationDriverNew(ViConstString simulationName, ViSession* vi) {
  return Create(vi, [&](ViSession s) { return SimulationDriverSteps(s, simulationName); });
}

}  // extern "C"
