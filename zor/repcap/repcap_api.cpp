// The exported repeated-capability functions: building and growing a session's tables, turning
// the names users pass into canonical spellings and positions, and the "Channel" shorthands.
//
// Each exported function takes the session, runs the logic below and records its failures on
// the session. Running out of memory is recorded only when the table itself cannot be created;
// elsewhere the out-of-memory status is only returned.
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/attribute.h"
#include "core/session.h"
#include "core/text.h"
#include "errors/error_info.h"
#include "repcap/repcap.h"
#include "zor.h"

namespace zor {
namespace {

constexpr const char* kChannel = "Channel";

// Runs `body` with the session acquired. A failed acquisition is recorded. No exception
// leaves: running out of memory becomes the out-of-memory status, returned without being
// recorded (the table functions record it only when a table itself cannot be created).
template <typename Body>
ViStatus WithSession(ViSession vi, Body body) noexcept {
  try {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    return body(guard.data());
  } catch (const std::bad_alloc&) {
    return VI_ERROR_ALLOC;
  } catch (...) {
    return RecordError(vi, ZOR_ERROR_UNRECOVERABLE_FAILURE);
  }
}

bool IsEmpty(const char* text) noexcept { return text == nullptr || *text == '\0'; }

// The name under which a table is held: in `session`'s own set, or else further along its
// specific-driver links (an attribute of a linked class session may be repeated over a table
// of the specific session behind it).
const char* RepCapNameOfTable(const SessionData& session, const RepCapTable* table) noexcept {
  if (table == nullptr) return nullptr;
  const SessionData* current = &session;
  SessionLinkWalk walk(current);
  for (;;) {
    if (const char* name = current->repCapTables.NameOf(table)) return name;
    SessionData* next = nullptr;
    if (current->specificDriverSession == 0 ||
        LookupSession(current->specificDriverSession, &next) != VI_SUCCESS || !walk.Visit(next)) {
      return nullptr;
    }
    current = next;
  }
}

// ---- Building ----

ViStatus BuildTable(ViSession vi, SessionData& session, const char* repCapName,
                    const char* repCapList) {
  if (IsEmpty(repCapName)) return RecordError(vi, ZOR_ERROR_REPCAP_NAME_EMPTY);
  // Only the session's own tables count: a linked specific session may have a table of the
  // same name without preventing this one.
  if (session.repCapTables.Find(repCapName) != nullptr) {
    return RecordError(vi, ZOR_ERROR_REPCAP_TABLE_EXISTS, repCapName);
  }
  std::unique_ptr<RepCapTable> table;
  try {
    table = std::make_unique<RepCapTable>();
  } catch (const std::bad_alloc&) {
    return RecordError(vi, VI_ERROR_ALLOC);
  }
  if (text::IsBlank(repCapList)) return RecordError(vi, ZOR_ERROR_NO_REPCAP_STRINGS);

  // From here on a bad_alloc leaves through WithSession, which frees the unfinished table and
  // returns the out-of-memory status without recording it.
  ViStatus status = VI_SUCCESS;
  text::ForEachListItem(repCapList, [&](const std::string& name) {
    if (!IsValidRepCapName(name.c_str())) {
      status = RecordError(vi, ZOR_ERROR_INVALID_REPCAP_CHARACTERS, name.c_str());
      return false;
    }
    table->Add(name);
    return true;
  });
  if (status < VI_SUCCESS) return status;

  // The index keeps equal names in the order they were added, so neighbours that compare
  // equal are the duplicates; the first of such a pair names the failure.
  for (ViInt32 at = 1; at < table->index.count(); ++at) {
    const char* name = table->index[at]->name.c_str();
    if (text::EqualIgnoringCase(name, table->index[at + 1]->name.c_str())) {
      return RecordError(vi, ZOR_ERROR_DUPLICATE_REPCAP_NAME, name);
    }
  }
  session.repCapTables.Insert(repCapName, std::move(table));
  return VI_SUCCESS;
}

// ---- Adding ----

// Whether the names just added to `table` (known to the caller as `repCapName`) concern
// `record`: it is repeated over that very table, or over one of the same name ignoring case.
bool RepeatedOver(const AttributeRecord& record, const RepCapTable& table,
                  const char* repCapName) noexcept {
  if (record.repCapTable == nullptr) return false;
  if (record.repCapTable == &table) return true;
  const char* name =
      record.session != nullptr ? RepCapNameOfTable(*record.session, record.repCapTable) : nullptr;
  return name != nullptr && text::EqualIgnoringCase(name, repCapName);
}

// Gives `record` an instance for the new `name`, at the place of the name's position. Only a
// place beyond the current instances is filled: a place that exists but is empty belongs to
// a name the attribute was restricted away from, and restriction is permanent. Places skipped
// while the attribute could not be extended stay empty, so that every instance keeps the
// place of its name. Throws std::bad_alloc.
void ExtendAttribute(const SessionData& session, AttributeRecord& record, const char* name) {
  ViInt32 position = 0;
  if (RepCapNameToPosition(session, *record.repCapTable, name, &position) != VI_SUCCESS) return;
  AttributeInstance* instance = nullptr;
  if (ResolveInstance(record, name, &instance) != ZOR_ERROR_ATTRIBUTE_NOT_VALID_FOR_REPCAP) return;
  if (position <= record.instances.count()) return;
  const char* tableName = record.repCapTable->NameAt(position);
  auto created = NewInstance(record, position, tableName != nullptr ? tableName : name);
  record.instances.Reserve(static_cast<std::size_t>(position));
  while (record.instances.count() < position - 1) record.instances.Append(nullptr);
  record.instances.Append(std::move(created));
}

// The attributes that may be repeated over a table found from `start`: those of every session
// on the way along the specific-driver links to `holder`, which holds the table.
std::vector<SessionData*> SessionsUpTo(SessionData* start, const SessionData* holder) {
  std::vector<SessionData*> sessions{start};
  SessionLinkWalk walk(start);
  SessionData* current = start;
  while (current != holder && current->specificDriverSession != 0) {
    SessionData* next = nullptr;
    if (LookupSession(current->specificDriverSession, &next) != VI_SUCCESS || !walk.Visit(next)) {
      break;
    }
    sessions.push_back(next);
    current = next;
  }
  return sessions;
}

ViStatus AddToTable(ViSession vi, SessionData& caller, const char* repCapName,
                    const char* repCapList) {
  SessionData* holder = &caller;
  RepCapTable* table = nullptr;
  ViStatus status = FindRepCapTable(holder, repCapName, &table);
  if (status < VI_SUCCESS) return RecordError(vi, status, repCapName);

  const ViInt32 before = table->count();
  try {
    text::ForEachListItem(repCapList, [&](const std::string& name) {
      if (table->FindIgnoringCase(name.c_str()) != nullptr) return true;
      if (!IsValidRepCapName(name.c_str())) {
        status = RecordError(vi, ZOR_ERROR_INVALID_REPCAP_CHARACTERS, name.c_str());
        return false;
      }
      table->Add(name);
      return true;
    });
  } catch (const std::bad_alloc&) {
    table->TruncateTo(before);
    return VI_ERROR_ALLOC;
  }
  if (status < VI_SUCCESS) {
    table->TruncateTo(before);
    return status;
  }
  if (!table->hasAttributes || table->count() == before) return VI_SUCCESS;

  // The names stay added even when memory runs out while the attributes are extended.
  for (SessionData* session : SessionsUpTo(&caller, holder)) {
    for (auto& record : session->attributes) {
      if (!RepeatedOver(*record, *table, repCapName)) continue;
      for (ViInt32 position = before + 1; position <= table->count(); ++position) {
        ExtendAttribute(*session, *record, table->NameAt(position));
      }
    }
  }
  return VI_SUCCESS;
}

// ---- Lookups ----

ViStatus CoerceName(ViSession vi, SessionData& caller, const char* repCapName,
                    const char* instanceName, ViConstString* coercedName) {
  const char* result = nullptr;
  SessionData* session = &caller;
  RepCapTable* table = nullptr;
  ViStatus status = FindRepCapTable(session, repCapName, &table);
  if (status < VI_SUCCESS) {
    status = RecordError(vi, status, repCapName);
  } else {
    const char* physical = session->virtualNames.Resolve(instanceName);
    if (IsEmpty(physical)) {
      result = physical;
    } else if (const RepCapEntry* entry = table->FindIgnoringCase(physical)) {
      result = entry->name.c_str();
    } else {
      status = RecordError(vi, ZOR_ERROR_UNKNOWN_REPCAP_NAME);
    }
  }
  if (coercedName != nullptr) *coercedName = result;
  return status;
}

ViStatus NthName(ViSession vi, SessionData& caller, const char* repCapName, ViInt32 index,
                 ViConstString* instanceNameOut) {
  const char* result = nullptr;
  SessionData* session = &caller;
  RepCapTable* table = nullptr;
  ViStatus status = FindRepCapTable(session, repCapName, &table);
  if (status < VI_SUCCESS) {
    status = RecordError(vi, status, repCapName);
  } else if (index < 1) {
    status = RecordError(vi, ZOR_ERROR_INDEX_ONE_BASED);
  } else {
    result = table->NameAt(index);  // NULL beyond the last name
  }
  if (instanceNameOut != nullptr) *instanceNameOut = result;
  return status;
}

ViStatus NameIndex(ViSession vi, SessionData& caller, const char* repCapName,
                   const char* instanceName, ViInt32* index) {
  ViInt32 position = 0;
  SessionData* session = &caller;
  RepCapTable* table = nullptr;
  ViStatus status = FindRepCapTable(session, repCapName, &table);
  if (status < VI_SUCCESS) {
    status = RecordError(vi, status, repCapName);
  } else {
    status = RepCapNameToPosition(*session, *table, instanceName, &position);
    if (status < VI_SUCCESS) {
      position = 0;
      status = RecordError(vi, status);
    }
  }
  if (index != nullptr) *index = position;
  return status;
}

ViStatus AttributeRepCapName(ViSession vi, SessionData& caller, ViAttr attributeId,
                             ViConstString* repCapNameOut) {
  if (repCapNameOut == nullptr) return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
  *repCapNameOut = nullptr;
  SessionData* session = &caller;
  AttributeRecord* record = nullptr;
  const ViStatus status = FindAttribute(session, attributeId, &record);
  if (status < VI_SUCCESS) return RecordError(vi, status);
  *repCapNameOut = RepCapNameOfTable(*session, record->repCapTable);
  return VI_SUCCESS;
}

// The virtual name the user knows a channel by, or the channel's own spelling.
const char* UserNameOf(const VirtualNameMap& map, const char* physical) noexcept {
  const auto& pairs = map.pairs();
  const ViInt32 exact = pairs.BinarySearch(physical, [](const VirtualName& pair, const char* key) {
    return std::strcmp(pair.virtualName.c_str(), key);
  });
  if (exact != 0) return pairs[exact].virtualName.c_str();
  for (const VirtualName& pair : pairs) {
    if (text::EqualIgnoringCase(pair.physicalName.c_str(), physical)) {
      return pair.virtualName.c_str();
    }
  }
  return physical;
}

ViStatus UserChannelName(ViSession vi, SessionData& caller, const char* channelName,
                         ViConstString* userChannelName) {
  const char* result = nullptr;
  SessionData* session = &caller;
  RepCapTable* table = nullptr;
  ViStatus status = FindRepCapTable(session, kChannel, &table);
  if (status < VI_SUCCESS) {
    status = RecordError(vi, status, kChannel);
  } else if (IsEmpty(channelName)) {
    result = channelName;
  } else if (const RepCapEntry* entry = table->FindIgnoringCase(channelName)) {
    result = UserNameOf(session->virtualNames, entry->name.c_str());
  } else {
    status = RecordError(vi, ZOR_ERROR_UNKNOWN_REPCAP_NAME);
  }
  if (userChannelName != nullptr) *userChannelName = result;
  return status;
}

}  // namespace
}  // namespace zor

using zor::SessionData;
using zor::WithSession;

extern "C" ZOR_EXPORT ViStatus Zor_BuildRepCapTable(ViSession vi, ViConstString repCapName,
                                                    ViConstString repCapList) {
  return WithSession(vi, [&](SessionData& s) {
    return zor::BuildTable(vi, s, repCapName, repCapList);
  });
}

extern "C" ZOR_EXPORT ViStatus Zor_AddToRepCapTable(ViSession vi, ViConstString repCapName,
                                                    ViConstString repCapList) {
  return WithSession(vi, [&](SessionData& s) {
    return zor::AddToTable(vi, s, repCapName, repCapList);
  });
}

extern "C" ZOR_EXPORT ViStatus Zor_CoerceRepCapName(ViSession vi, ViConstString repCapName,
                                                    ViConstString instanceName,
                                                    ViConstString* coercedName) {
  return WithSession(vi, [&](SessionData& s) {
    return zor::CoerceName(vi, s, repCapName, instanceName, coercedName);
  });
}

extern "C" ZOR_EXPORT ViStatus Zor_GetNthRepCapName(ViSession vi, ViConstString repCapName,
                                                    ViInt32 index,
                                                    ViConstString* instanceNameOut) {
  return WithSession(vi, [&](SessionData& s) {
    return zor::NthName(vi, s, repCapName, index, instanceNameOut);
  });
}

extern "C" ZOR_EXPORT ViStatus Zor_GetRepCapIndex(ViSession vi, ViConstString repCapName,
                                                  ViConstString instanceName, ViInt32* index) {
  return WithSession(vi, [&](SessionData& s) {
    return zor::NameIndex(vi, s, repCapName, instanceName, index);
  });
}

extern "C" ZOR_EXPORT ViStatus Zor_GetAttributeRepCapName(ViSession vi, ViAttr attributeId,
                                                          ViConstString* repCapNameOut) {
  return WithSession(vi, [&](SessionData& s) {
    return zor::AttributeRepCapName(vi, s, attributeId, repCapNameOut);
  });
}

extern "C" ZOR_EXPORT ViStatus Zor_BuildChannelTable(ViSession vi, ViConstString channelList,
                                                     ViInt32 /*reserved1*/,
                                                     ViInt32 /*reserved2*/) {
  return Zor_BuildRepCapTable(vi, zor::kChannel, channelList);
}

extern "C" ZOR_EXPORT ViStatus Zor_AddToChannelTable(ViSession vi, ViConstString channelList) {
  return Zor_AddToRepCapTable(vi, zor::kChannel, channelList);
}

extern "C" ZOR_EXPORT ViStatus Zor_CoerceChannelName(ViSession vi, ViConstString channelName,
                                                     ViConstString* coercedName) {
  return Zor_CoerceRepCapName(vi, zor::kChannel, channelName, coercedName);
}

extern "C" ZOR_EXPORT ViStatus Zor_GetNthChannelString(ViSession vi, ViInt32 index,
                                                       ViConstString* channelNameOut) {
  return Zor_GetNthRepCapName(vi, zor::kChannel, index, channelNameOut);
}

extern "C" ZOR_EXPORT ViStatus Zor_GetChannelIndex(ViSession vi, ViConstString channelName,
                                                   ViInt32* index) {
  return Zor_GetRepCapIndex(vi, zor::kChannel, channelName, index);
}

extern "C" ZOR_EXPORT ViStatus Zor_GetUserChannelName(ViSession vi, ViConstString channelName,
                                                      ViConstString* userChannelName) {
  return WithSession(vi, [&](SessionData& s) {
    return zor::UserChannelName(vi, s, channelName, userChannelName);
  });
}
