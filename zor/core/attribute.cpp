#include "core/attribute.h"

#include <new>

#include "core/invalidation.h"
#include "core/session.h"
#include "repcap/repcap.h"

namespace zor {
namespace {

// Ids that only class-driver sessions define; asking a session without them says so.
bool IsClassDriverOnlyId(ViAttr id) noexcept {
  switch (id) {
    case ZOR_ATTR_SPY:
    case ZOR_ATTR_CLASS_DRIVER_PREFIX:
    case ZOR_ATTR_SPECIFIC_DRIVER_LOCATOR:
    case ZOR_ATTR_FUNCTION_CAPABILITIES:
    case ZOR_ATTR_CLASS_DRIVER_MAJOR_VERSION:
    case ZOR_ATTR_CLASS_DRIVER_MINOR_VERSION:
    case ZOR_ATTR_CLASS_DRIVER_VENDOR:
    case ZOR_ATTR_CLASS_DRIVER_DESCRIPTION:
    case ZOR_ATTR_CLASS_DRIVER_CLASS_SPEC_MAJOR_VERSION:
    case ZOR_ATTR_CLASS_DRIVER_CLASS_SPEC_MINOR_VERSION:
    case ZOR_ATTR_CLASS_DRIVER_REVISION:
      return true;
    default:
      return false;
  }
}

// Ids are searched as unsigned values, matching the order the array is kept in.
int CompareIds(ViAttr stored, ViAttr id) noexcept { return stored < id ? -1 : (stored > id ? 1 : 0); }

void InstallDefaultCallbacks(AttributeRecord& record) noexcept {
  switch (record.type) {
    case ZOR_TYPE_INT32:
      record.checkCallback = ToAnyCallback(&Zor_DefaultCheckCallbackViInt32);
      record.coerceCallback = ToAnyCallback(&Zor_DefaultCoerceCallbackViInt32);
      break;
    case ZOR_TYPE_INT64:
      record.checkCallback = ToAnyCallback(&Zor_DefaultCheckCallbackViInt64);
      record.coerceCallback = ToAnyCallback(&Zor_DefaultCoerceCallbackViInt64);
      break;
    case ZOR_TYPE_REAL64:
      record.checkCallback = ToAnyCallback(&Zor_DefaultCheckCallbackViReal64);
      record.coerceCallback = ToAnyCallback(&Zor_DefaultCoerceCallbackViReal64);
      break;
    case ZOR_TYPE_BOOLEAN:
      record.coerceCallback = ToAnyCallback(&Zor_DefaultCoerceCallbackViBoolean);
      break;
    default:
      break;
  }
}

}  // namespace

AnyCallback* AttributeRecord::CallbackSlot(ViInt32 kind) noexcept {
  switch (kind) {
    case ZOR_CALLBACK_READ: return &readCallback;
    case ZOR_CALLBACK_WRITE: return &writeCallback;
    case ZOR_CALLBACK_COMPARE: return &compareCallback;
    case ZOR_CALLBACK_CHECK: return &checkCallback;
    case ZOR_CALLBACK_COERCE: return &coerceCallback;
    default: return nullptr;
  }
}

std::unique_ptr<AttributeInstance> NewInstance(AttributeRecord& record, ViInt32 index,
                                               const char* repCapName) {
  auto instance = std::make_unique<AttributeInstance>();
  instance->currentValue.Assign(record.defaultValue, record.type);
  instance->attribute = &record;
  instance->index = index;
  instance->repCapName = repCapName;
  return instance;
}

ViStatus CreateAttributeRecord(SessionData& session, const AttributeDefinition& definition,
                               std::unique_ptr<AttributeRecord>* out) {
  out->reset();
  if (!IsStoredType(definition.type)) return ZOR_ERROR_INVALID_TYPE;
  ViStatus status = Zor_ValidateRangeTable(definition.rangeTable);
  if (status < VI_SUCCESS) return status;
  try {
    auto record = std::make_unique<AttributeRecord>();
    record->session = &session;
    record->id = definition.id;
    record->flags = definition.flags;
    record->type = definition.type;
    record->name = definition.name != nullptr ? definition.name : "";
    if (definition.defaultValue != nullptr) {
      record->defaultValue.Assign(*definition.defaultValue, definition.type);
    } else if (definition.type == ZOR_TYPE_STRING) {
      record->defaultValue.SetText("");
    }
    ViInt32 count = 1;
    if (definition.repCapName != nullptr && definition.repCapName[0] != '\0') {
      SessionData* owner = &session;
      RepCapTable* table = nullptr;
      status = FindRepCapTable(owner, definition.repCapName, &table);
      if (status < VI_SUCCESS) return status;
      record->repCapTable = table;
      count = table->count();
    }
    record->instances.Reserve(static_cast<std::size_t>(count));
    for (ViInt32 i = 1; i <= count; ++i) {
      const char* name = record->repCapTable != nullptr ? record->repCapTable->NameAt(i) : nullptr;
      record->instances.Append(NewInstance(*record, i, name));
    }
    record->readCallback = definition.readCallback;
    record->writeCallback = definition.writeCallback;
    InstallDefaultCallbacks(*record);
    record->rangeTable = definition.rangeTable;
    // Only a record that exists marks its table: a failed creation leaves the table as it was.
    if (record->repCapTable != nullptr) record->repCapTable->hasAttributes = true;
    *out = std::move(record);
    return VI_SUCCESS;
  } catch (const std::bad_alloc&) {
    return VI_ERROR_ALLOC;
  }
}

AttributeRecord* FindOwnAttribute(const SessionData& session, ViAttr id) noexcept {
  const ViInt32 at = session.attributeIds.BinarySearch(id, &CompareIds);
  return at == 0 ? nullptr : session.attributes[at].get();
}

void InsertAttributeRecord(SessionData& session, std::unique_ptr<AttributeRecord> record) {
  // Room first: once a record of the same id is gone, the inserts below must not fail.
  session.attributes.Reserve(session.attributes.size() + 1);
  session.attributeIds.Reserve(session.attributeIds.size() + 1);
  DeleteAttributeRecord(session, record->id);
  ViInt32 insertAt = 1;
  session.attributeIds.BinarySearch(record->id, &CompareIds, &insertAt);
  session.attributeIds.InsertAt(insertAt, record->id);
  session.attributes.InsertAt(insertAt, std::move(record));
}

bool DeleteAttributeRecord(SessionData& session, ViAttr id) noexcept {
  const ViInt32 at = session.attributeIds.BinarySearch(id, &CompareIds);
  if (at == 0) return false;
  session.attributeIds.RemoveAt(at);
  std::unique_ptr<AttributeRecord> removed = session.attributes.RemoveAt(at);
  if (session.coercionCursor == removed.get()) session.coercionCursor = nullptr;
  FreeAttribute(std::move(removed));
  return true;
}

ViStatus FindAttribute(SessionData*& session, ViAttr id, AttributeRecord** record) {
  *record = FindOwnAttribute(*session, id);
  if (*record != nullptr) return VI_SUCCESS;
  SessionData* current = session;
  if (current->specificDriverSession != 0) {
    SessionLinkWalk walk(current);  // only a linked session pays for the walk
    while (current->specificDriverSession != 0) {
      SessionData* next = nullptr;
      if (LookupSession(current->specificDriverSession, &next) < VI_SUCCESS) {
        session = current;
        return ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN;
      }
      if (!walk.Visit(next)) break;  // the links came back to a session already searched
      current = next;
      if ((*record = FindOwnAttribute(*current, id)) != nullptr) {
        session = current;
        return VI_SUCCESS;
      }
    }
  }
  // The search ends in the last session of the chain; an add places its new record there.
  session = current;
  return IsClassDriverOnlyId(id) ? ZOR_ERROR_NOT_CLASS_SESSION : ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN;
}

ViStatus FindTypedAttribute(SessionData*& session, ViAttr id, ViInt32 type,
                            AttributeRecord** record) {
  const ViStatus status = FindAttribute(session, id, record);
  if (status < VI_SUCCESS) return status;
  if (type != ZOR_TYPE_ANY && type != (*record)->type) {
    *record = nullptr;
    return ZOR_ERROR_TYPE_MISMATCH;
  }
  return VI_SUCCESS;
}

ViStatus FindAttributeInstance(SessionData*& session, ViAttr id, ViInt32 type,
                               const char* repCapName, AttributeRecord** record,
                               AttributeInstance** instance) {
  *instance = nullptr;
  const ViStatus status = FindTypedAttribute(session, id, type, record);
  return status < VI_SUCCESS ? status : ResolveInstance(**record, repCapName, instance);
}

ViStatus ResolveInstance(const AttributeRecord& record, const char* repCapName,
                         AttributeInstance** instance) {
  *instance = nullptr;
  if ((record.flags & ZOR_VAL_NOT_SUPPORTED) != 0) return ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED;
  const bool named = repCapName != nullptr && repCapName[0] != '\0';
  ViInt32 position = 1;
  if (record.repCapTable != nullptr) {
    if (named) {
      const ViStatus status = RepCapNameToPosition(*record.session, *record.repCapTable, repCapName, &position);
      if (status < VI_SUCCESS) return status;
      const auto* slot = record.instances.At(position);
      if (position < 1 || slot == nullptr || *slot == nullptr) {
        return ZOR_ERROR_ATTRIBUTE_NOT_VALID_FOR_REPCAP;
      }
      *instance = slot->get();
      return VI_SUCCESS;
    }
    if (record.repCapTable->count() > 1) return ZOR_ERROR_REPCAP_NAME_REQUIRED;
  } else if (named) {
    return ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED;
  }
  const auto* slot = record.instances.At(1);
  if (slot == nullptr || *slot == nullptr) return ZOR_ERROR_ATTRIBUTE_NOT_VALID_FOR_REPCAP;
  *instance = slot->get();
  return VI_SUCCESS;
}

void FreeAttribute(std::unique_ptr<AttributeRecord> record) noexcept {
  if (!record) return;
  if (record->session != nullptr) RemoveInvalidationTarget(*record->session, *record);
  record.reset();
}

}  // namespace zor
