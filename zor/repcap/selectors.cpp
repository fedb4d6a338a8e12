// Which instances of a repeated attribute exist, and whether a name selects one: the exported
// restriction and validation functions.
//
// An instance name is a single physical (or virtual) name; there are no ranges or lists in
// it. Restricting an attribute frees the instances of every name that is not listed and leaves
// their places empty, so the remaining instances keep the places of their names.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/attribute.h"
#include "core/export_guard.h"
#include "core/session.h"
#include "core/text.h"
#include "errors/error_info.h"
#include "repcap/repcap.h"
#include "zor.h"

namespace zor {
namespace {

// Runs `body` with the session acquired. Every failure of these functions is recorded,
// running out of memory included.
template <typename Body>
ViStatus WithSession(ViSession vi, Body body) noexcept {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    return body(guard.data());
  });
}

// Records `status` with an elaboration that quotes the list item it concerns, cut to its
// first 80 characters.
ViStatus RecordItemError(ViSession vi, ViStatus status, const std::string& item) noexcept {
  char elaboration[96];
  std::snprintf(elaboration, sizeof elaboration, "Name: \"%.80s\"", item.c_str());
  return RecordError(vi, status, elaboration);
}

ViStatus Restrict(ViSession vi, SessionData& caller, ViAttr attributeId,
                  const char* instanceList) {
  SessionData* session = &caller;
  AttributeRecord* record = nullptr;
  ViStatus status = FindAttribute(session, attributeId, &record);
  if (status < VI_SUCCESS) return RecordError(vi, status);
  if (record->repCapTable == nullptr) return RecordError(vi, ZOR_ERROR_NOT_REPCAP_ATTRIBUTE);

  // Every position starts out to be removed; the listed names are spared. Nothing is freed
  // until the whole list has been accepted.
  const ViInt32 count = record->repCapTable->count();
  std::vector<bool> remove(static_cast<std::size_t>(count) + 1, true);
  text::ForEachListItem(instanceList, [&](const std::string& item) {
    ViInt32 position = 0;
    status = RepCapNameToPosition(*session, *record->repCapTable, item.c_str(), &position);
    if (status >= VI_SUCCESS) {
      AttributeInstance* instance = nullptr;
      status = ResolveInstance(*record, item.c_str(), &instance);
    }
    if (status < VI_SUCCESS) {
      status = RecordItemError(vi, status, item);
      return false;
    }
    if (position >= 1 && position <= count) remove[static_cast<std::size_t>(position)] = false;
    return true;
  });
  if (status < VI_SUCCESS) return status;

  const ViInt32 places = std::min(count, record->instances.count());
  for (ViInt32 position = 1; position <= places; ++position) {
    if (remove[static_cast<std::size_t>(position)]) record->instances[position].reset();
  }
  return VI_SUCCESS;
}

ViStatus Validate(ViSession vi, SessionData& caller, const char* instanceName,
                  ViAttr attributeId) {
  SessionData* session = &caller;
  AttributeRecord* record = nullptr;
  AttributeInstance* instance = nullptr;
  const ViStatus status = FindAttributeInstance(session, attributeId, ZOR_TYPE_ANY, instanceName, &record, &instance);
  return status < VI_SUCCESS ? RecordError(vi, status) : VI_SUCCESS;
}

}  // namespace
}  // namespace zor

extern "C" ZOR_EXPORT ViStatus Zor_RestrictAttrToInstances(ViSession vi, ViAttr attributeId,
                                                           ViConstString instanceList) {
  return zor::WithSession(vi, [&](zor::SessionData& s) {
    return zor::Restrict(vi, s, attributeId, instanceList);
  });
}

// The attribute's own repeated capability applies; "Channel" plays no part.
extern "C" ZOR_EXPORT ViStatus Zor_RestrictAttrToChannels(ViSession vi, ViAttr attributeId,
                                                          ViConstString channelList) {
  return Zor_RestrictAttrToInstances(vi, attributeId, channelList);
}

extern "C" ZOR_EXPORT ViStatus Zor_ValidateAttrForRepCapName(ViSession vi,
                                                             ViConstString instanceName,
                                                             ViAttr attributeId) {
  return zor::WithSession(vi, [&](zor::SessionData& s) {
    return zor::Validate(vi, s, instanceName, attributeId);
  });
}

extern "C" ZOR_EXPORT ViStatus Zor_ValidateAttrForChannel(ViSession vi, ViConstString channelName,
                                                          ViAttr attributeId) {
  return Zor_ValidateAttrForRepCapName(vi, channelName, attributeId);
}
