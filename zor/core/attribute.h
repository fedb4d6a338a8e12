// Attribute records and their instances: what a driver declares about one instrument setting,
// and the per-instance (per channel) cache. Also the lookups every attribute operation starts
// with: FindAttribute (id to record, following specific-driver links) and ResolveInstance
// (record and instance name to instance).
//
// Everything here runs with the owning session acquired.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/ordered_array.h"
#include "core/value.h"
#include "interchange/interchange_records.h"
#include "zor.h"

namespace zor {

struct SessionData;
struct RepCapTable;
struct AttributeRecord;

// Instance state bits.
enum InstanceState : std::uint8_t {
  kCacheValid = 0x01,
  kSetByUser = 0x04,         // since the last invalidation
  kEverSetByUser = 0x08,
  kRequestedValueHeld = 0x10,
  kWriteInProgress = 0x20,
};

// Where an instance's currentValue came from.
enum ValueSource : ViInt32 { kSourceDefault = 0, kSourceRead = 1, kSourceWritten = 2 };

struct AttributeInstance {
  Value currentValue;
  Value requestedValue;
  Value pendingValue;
  ViInt32 source = kSourceDefault;
  AttributeRecord* attribute = nullptr;
  const char* repCapName = nullptr;  // owned by the RepCapTable
  ViInt32 index = 1;                 // position, from 1
  ViInt32 interchangeCheckMethod = ZOR_INTERCHANGE_CHECK_NONE;
  std::uint8_t state = 0;
};

// A callback of any signature; the record's type says which one to call it as.
using AnyCallback = void (*)();

template <typename F>
AnyCallback ToAnyCallback(F callback) noexcept {
  return reinterpret_cast<AnyCallback>(callback);
}
template <typename F>
F FromAnyCallback(AnyCallback callback) noexcept {
  return reinterpret_cast<F>(callback);
}

struct Invalidation {
  AttributeRecord* attribute;
  bool allInstances;
};

struct AttributeRecord {
  ViAttr id = 0;
  std::string name;
  ViInt32 flags = 0;
  ViInt32 type = 0;
  SessionData* session = nullptr;
  RepCapTable* repCapTable = nullptr;
  OrderedArray<std::unique_ptr<AttributeInstance>> instances;  // NULL where restricted away
  AnyCallback writeCallback = nullptr;
  AnyCallback readCallback = nullptr;
  AnyCallback checkCallback = nullptr;
  AnyCallback coerceCallback = nullptr;
  AnyCallback compareCallback = nullptr;
  ZorRangeTableCallback rangeTableCallback = nullptr;
  RangeTablePtr rangeTable = nullptr;  // not owned
  ViInt32 comparePrecision = 14;
  std::unique_ptr<OrderedArray<Invalidation>> invalidations;        // created on first use
  std::unique_ptr<OrderedArray<CoercionRecord>> coercionRecords;    // created on first use
  Value* valueInStringTarget = nullptr;  // set while a string read or coerce callback runs
  Value defaultValue;

  // The callback slot of `kind` (ZOR_CALLBACK_...), or nullptr for another kind.
  AnyCallback* CallbackSlot(ViInt32 kind) noexcept;

  bool cacheable(bool sessionCacheEnabled) const noexcept {
    return (flags & ZOR_VAL_ALWAYS_CACHE) != 0 ||
           (sessionCacheEnabled && (flags & ZOR_VAL_NEVER_CACHE) == 0);
  }
};

// What a new record is made from.
struct AttributeDefinition {
  ViAttr id = 0;
  const char* name = nullptr;
  ViInt32 type = 0;
  ViInt32 flags = 0;
  const char* repCapName = nullptr;  // NULL or empty: not repeated
  AnyCallback readCallback = nullptr;
  AnyCallback writeCallback = nullptr;
  RangeTablePtr rangeTable = nullptr;
  const Value* defaultValue = nullptr;  // of `type`; NULL means zero / empty text
};

// Builds a record for `session` (not inserted). Fails with 0xBFFA0014 (type), the range-table
// validation status, 0xBFFA6003 (no such repeated capability) or 0xBFFF003C.
ViStatus CreateAttributeRecord(SessionData& session, const AttributeDefinition& definition,
                               std::unique_ptr<AttributeRecord>* record);

// Inserts `record` into its session in id order, replacing (and freeing) a record of the same
// id. Throws std::bad_alloc when the array cannot grow (the record is then not inserted).
void InsertAttributeRecord(SessionData& session, std::unique_ptr<AttributeRecord> record);

// Removes and frees the record of `id` from the session's own attributes; false when absent.
bool DeleteAttributeRecord(SessionData& session, ViAttr id) noexcept;

// The session's own record of `id`, or nullptr (no link followed).
AttributeRecord* FindOwnAttribute(const SessionData& session, ViAttr id) noexcept;

// The record of `id` in `*session` or, following specific-driver links, in a linked session
// (which then replaces `*session`; when nothing is found, the last session searched does).
// Gives 0xBFFA000C, or 0xBFFA004D for ids only class-driver sessions define.
ViStatus FindAttribute(SessionData*& session, ViAttr id, AttributeRecord** record);

// As FindAttribute, and 0xBFFA0015 when `type` is not ZOR_TYPE_ANY and differs.
ViStatus FindTypedAttribute(SessionData*& session, ViAttr id, ViInt32 type,
                            AttributeRecord** record);

// The record of `id` (type-checked unless `type` is ZOR_TYPE_ANY) and the instance that
// `repCapName` selects: the first steps of every operation on one attribute instance.
ViStatus FindAttributeInstance(SessionData*& session, ViAttr id, ViInt32 type,
                               const char* repCapName, AttributeRecord** record,
                               AttributeInstance** instance);

// The instance of `record` that `repCapName` selects.
ViStatus ResolveInstance(const AttributeRecord& record, const char* repCapName,
                         AttributeInstance** instance);

// A new instance of `record` at place `index`, starting from the default value.
std::unique_ptr<AttributeInstance> NewInstance(AttributeRecord& record, ViInt32 index,
                                               const char* repCapName);

// Frees `record`, first removing it from the invalidation lists of its session's attributes.
void FreeAttribute(std::unique_ptr<AttributeRecord> record) noexcept;

}  // namespace zor
