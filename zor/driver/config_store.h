// The configuration store facade. Logical names, virtual instruments, class-driver
// configurations and simulation-driver settings would come from a configuration store that
// this engine does not include, so every lookup here ends with ZOR_ERROR_CONFIG_SERVER_MISSING
// ("The Config Server module is not present on the system."). Only the question whether a
// resource name is a logical name turns that answer into a plain "no".
//
// Every operation takes the configuration-store lock (recursive) for its whole duration.
#pragma once

#include <string>

#include "zor.h"

namespace zor::config {

// Kinds of binding a class-driver configuration asks for.
enum class BindingKind : ViInt32 { kSpecificModule = 0, kComAdapter = 1, kDotNetAdapter = 2 };

// Which module, prefix and kind of adapter a class session binds; filled by a successful
// lookup of its logical name.
struct ClassDriverConfig {
  std::string moduleFile;       // empty: none
  std::string locator;          // for ZOR_ATTR_SPECIFIC_DRIVER_LOCATOR when moduleFile is empty
  std::string prefix;           // specific driver prefix
  std::string simulationSetup;  // handed to the session's simulation driver
  ViBoolean useSpecificSimulation = VI_TRUE;
  ViInt32 kind = static_cast<ViInt32>(BindingKind::kSpecificModule);
};

// Resolves the logical name of a specific-driver or simulation-driver session.
ViStatus ResolveLogicalName(const char* logicalName) noexcept;

// Fills `config` for a class session's logical name; `config` is left untouched on failure.
ViStatus FetchClassDriverConfig(const char* logicalName, ClassDriverConfig* config) noexcept;

// Tells whether `resourceName` is a logical name and, if so, the resource it stands for. A
// missing store is no failure: the name is then simply not a logical name (status 0).
ViStatus LookUpResourceName(const char* resourceName, bool* isLogicalName,
                            std::string* resource) noexcept;

// Applies the default setup that the store keeps for a logical name.
ViStatus ApplyDefaultSetup(const char* logicalName) noexcept;

// Fetches the default setup of a simulation driver.
ViStatus FetchSimulationDefaultSetup(const char* setupName) noexcept;

// Fetches the module file name and prefix of the simulation driver configured for `vi`.
ViStatus FetchSimulationDriverModule(ViSession vi, std::string* moduleFile,
                                     std::string* prefix) noexcept;

}  // namespace zor::config
