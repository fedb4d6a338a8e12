#include "driver/config_store.h"

#include <cstdlib>

#include "core/engine_startup.h"
#include "core/text.h"
#include "errors/error_info.h"

namespace zor::config {
namespace {

// The store handle a caller attached; guarded by the configuration-store lock.
struct StoreHolder {
  ViUInt32 handle = 0;
  bool attached = false;
};

StoreHolder gHolder;

// Runs one lookup under the configuration-store lock.
ViStatus Lookup() noexcept {
  const MultithreadLockGuard hold(ConfigStoreLock());
  // Without a handle attached there is no store to ask.
  if (!gHolder.attached) return ZOR_ERROR_CONFIG_SERVER_MISSING;
  // With one, the lookup still finds nothing: the store module is not part of the engine.
  return ZOR_ERROR_CONFIG_SERVER_MISSING;
}

}  // namespace

ViStatus ResolveLogicalName(const char* /*logicalName*/) noexcept { return Lookup(); }

ViStatus FetchClassDriverConfig(const char* /*logicalName*/,
                                ClassDriverConfig* /*config*/) noexcept {
  return Lookup();
}

ViStatus LookUpResourceName(const char* /*resourceName*/, bool* isLogicalName,
                            std::string* /*resource*/) noexcept {
  *isLogicalName = false;
  const ViStatus status = Lookup();
  return status == ZOR_ERROR_CONFIG_SERVER_MISSING ? VI_SUCCESS : status;
}

ViStatus ApplyDefaultSetup(const char* /*logicalName*/) noexcept { return Lookup(); }

ViStatus FetchSimulationDefaultSetup(const char* /*setupName*/) noexcept { return Lookup(); }

ViStatus FetchSimulationDriverModule(ViSession /*vi*/, std::string* /*moduleFile*/,
                                     std::string* /*prefix*/) noexcept {
  return Lookup();
}

namespace {

ViStatus GetHandle(ViUInt32* handle) noexcept {
  const MultithreadLockGuard hold(ConfigStoreLock());
  if (!gHolder.attached) return ZOR_ERROR_CONFIG_SERVER_MISSING;
  *handle = gHolder.handle;
  return VI_SUCCESS;
}

void Attach(ViUInt32 handle) noexcept {
  const MultithreadLockGuard hold(ConfigStoreLock());
  gHolder.handle = handle;
  gHolder.attached = handle != 0;
}

}  // namespace
}  // namespace zor::config

using namespace zor;

extern "C" {

ZOR_EXPORT ViStatus Zor_GetConfigStoreHandle(ViUInt32* handle) {
  if (handle == nullptr) return VI_SUCCESS;
  *handle = 0;
  return config::GetHandle(handle);
}

ZOR_EXPORT ViStatus Zor_AttachToConfigStoreHandle(ViUInt32 handle, ViInt32 /*reserved*/) {
  config::Attach(handle);
  return VI_SUCCESS;
}

ZOR_EXPORT ViStatus Zor_GetLogicalNamesList(ViUInt32* logicalNamesList, ViUInt32* count) {
  if (logicalNamesList != nullptr) *logicalNamesList = 0;
  if (count != nullptr) *count = 0;
  return config::Lookup();
}

// Lists come from whoever built them with malloc; this only reads the caller's list, so it
// takes no lock.
ZOR_EXPORT ViStatus Zor_GetNthLogicalName(ZorLogicalNameEntry* list, ViInt32 index,
                                          ViChar buffer[], ViInt32 bufferSize, ViBoolean* flag) {
  // A NULL buffer with a positive size is never written to.
  const bool writable = buffer != nullptr && bufferSize > 0;
  if (writable) buffer[0] = '\0';
  if (list == nullptr) return RecordError(VI_NULL, ZOR_ERROR_INVALID_PARAMETER);
  if (index < 1) return RecordError(VI_NULL, ZOR_ERROR_INDEX_ONE_BASED);
  for (ViInt32 i = 0; i < index; ++i) {
    if (list[i].name == nullptr) return VI_SUCCESS;  // the list ended before entry `index`
  }
  const ZorLogicalNameEntry& entry = list[index - 1];
  if (writable) text::CopyBounded(entry.name, buffer, bufferSize);
  if (flag != nullptr) *flag = entry.flag;
  return VI_SUCCESS;
}

ZOR_EXPORT void Zor_DisposeLogicalNamesList(ZorLogicalNameEntry* list) {
  if (list == nullptr) return;
  for (ZorLogicalNameEntry* entry = list; entry->name != nullptr; ++entry) std::free(entry->name);
  std::free(list);
}

// Run-time definitions need a store to hold them.
ZOR_EXPORT ViStatus Zor_DefineVInstr(ViConstString, ViConstString, ViConstString, ViConstString,
                                     ViConstString, ViConstString) {
  return ZOR_ERROR_NOT_SUPPORTED;
}
ZOR_EXPORT ViStatus Zor_DefineLogicalName(ViConstString, ViConstString) {
  return ZOR_ERROR_NOT_SUPPORTED;
}
ZOR_EXPORT ViStatus Zor_DefineClass(ViConstString, ViConstString) { return ZOR_ERROR_NOT_SUPPORTED; }
ZOR_EXPORT ViStatus Zor_DefineHardware(ViConstString, ViConstString) {
  return ZOR_ERROR_NOT_SUPPORTED;
}
ZOR_EXPORT ViStatus Zor_DefineDriver(ViConstString, ViConstString, ViConstString) {
  return ZOR_ERROR_NOT_SUPPORTED;
}
ZOR_EXPORT void Zor_UndefVInstr(ViConstString) {}
ZOR_EXPORT void Zor_UndefLogicalName(ViConstString) {}
ZOR_EXPORT void Zor_UndefClass(ViConstString) {}
ZOR_EXPORT void Zor_UndefDriver(ViConstString) {}
ZOR_EXPORT void Zor_UndefHardware(ViConstString) {}
ZOR_EXPORT ViStatus Zor_WriteRunTimeDefinesToFile(ViConstString) { return ZOR_ERROR_NOT_SUPPORTED; }
ZOR_EXPORT ViStatus Zor_GetZorIniDir(ViConstString) { return ZOR_ERROR_NOT_SUPPORTED; }
ZOR_EXPORT ViStatus Zor_SetZorIniDir(ViConstString) { return ZOR_ERROR_NOT_SUPPORTED; }

}  // extern "C"
