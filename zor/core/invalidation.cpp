// Invalidation lists (which caches a write of an attribute makes untrustworthy), the step that
// applies them during a set, explicit invalidation, and the per-instance cache queries.
#include "core/invalidation.h"

#include <cstdlib>
#include <new>

#include "core/attribute.h"
#include "core/export_guard.h"
#include "core/session.h"
#include "core/text.h"
#include "errors/error_info.h"

namespace zor {
namespace {

constexpr const char* kSelfInvalidation = "An attribute cannot invalidate itself";

// Position of the entry naming `target` in `list`, or 0.
ViInt32 FindTarget(const OrderedArray<Invalidation>& list, const AttributeRecord* target) {
  return list.FindFirst([target](const Invalidation& entry) { return entry.attribute == target; });
}

// The attributes `attributeId` and `attributeToInvalidate` of the acquired session, looked up
// in that order; a link followed by the first lookup is where the second one starts.
ViStatus FindPair(SessionData& acquired, ViAttr attributeId, ViAttr attributeToInvalidate,
                  AttributeRecord** owner, AttributeRecord** target) {
  SessionData* session = &acquired;
  ViStatus status = FindAttribute(session, attributeId, owner);
  if (status < VI_SUCCESS) return status;
  status = FindAttribute(session, attributeToInvalidate, target);
  if (status < VI_SUCCESS) return status;
  // A list entry is a plain pointer that only its own session prunes when the target goes
  // away; a target living in another (linked) session could outlive the entry's validity.
  if ((*owner)->session != (*target)->session) return ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN;
  return VI_SUCCESS;
}

// Records `status` and then once more with the elaboration naming the attribute and instance
// (the first recording fixes the status; the second fills in the elaboration).
ViStatus RecordAttributeFailure(ViSession vi, ViStatus status, ViAttr attributeId,
                                const char* repCapName) noexcept {
  RecordError(vi, status);
  SetAttributeErrorInfo(vi, status, attributeId, repCapName);
  return status;
}

// Runs `use(instance)` on the instance `repCapName` selects of attribute `attributeId`.
template <typename Use>
ViStatus WithInstance(SessionData& acquired, ViAttr attributeId, const char* repCapName, Use use) {
  SessionData* session = &acquired;
  AttributeRecord* record = nullptr;
  AttributeInstance* instance = nullptr;
  const ViStatus status = FindAttributeInstance(session, attributeId, ZOR_TYPE_ANY, repCapName, &record, &instance);
  if (status < VI_SUCCESS) return status;
  use(*record, *instance);
  return VI_SUCCESS;
}

// The state bit `bit` of one instance; any failure answers VI_FALSE and leaves the failure on
// the calling thread only, so that a driver's probe does not disturb the session's record.
ViBoolean StateBit(ViSession vi, const char* repCapName, ViAttr attributeId, std::uint8_t bit) noexcept {
  ViBoolean answer = VI_FALSE;
  const ViStatus status = ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return guard.status();
    return WithInstance(guard.data(), attributeId, repCapName,
                        [&](AttributeRecord&, AttributeInstance& instance) {
                          answer = (instance.state & bit) != 0 ? VI_TRUE : VI_FALSE;
                        });
  });
  if (status < VI_SUCCESS) {
    RecordError(vi, status);
    Zor_ClearErrorInfo(vi);
    return VI_FALSE;
  }
  return answer;
}

}  // namespace

ViStatus InvalidateAttributeInstances(AttributeRecord& record) noexcept {
  if ((record.flags & ZOR_VAL_NOT_SUPPORTED) != 0) return ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED;
  for (auto& instance : record.instances) {
    if (instance) InvalidateInstance(*instance);  // NULL: restricted away
  }
  return VI_SUCCESS;
}

ViStatus InvalidateSessionAttributes(SessionData& session) noexcept {
  for (auto& record : session.attributes) {
    if (record) InvalidateAttributeInstances(*record);
  }
  return VI_SUCCESS;
}

ViStatus ApplyInvalidations(AttributeRecord& written, ViInt32 position) noexcept {
  if (!written.invalidations) return VI_SUCCESS;
  for (const Invalidation& entry : *written.invalidations) {
    AttributeRecord& target = *entry.attribute;
    if (written.repCapTable == nullptr || entry.allInstances || target.repCapTable == nullptr) {
      InvalidateAttributeInstances(target);  // an unsupported target is passed over
      continue;
    }
    if ((target.flags & ZOR_VAL_NOT_SUPPORTED) != 0) return ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED;
    // The target may have no instance at that position (restricted away, or a shorter
    // repeated capability): there is nothing cached there to distrust.
    if (position < 1) continue;  // At() reads 0 and -1 as "last" and "first"
    auto* slot = target.instances.At(position);
    if (slot != nullptr && *slot) InvalidateInstance(**slot);
  }
  return VI_SUCCESS;
}

void RemoveInvalidationTarget(SessionData& session, const AttributeRecord& target) noexcept {
  for (auto& record : session.attributes) {
    if (!record || !record->invalidations) continue;
    const ViInt32 at = FindTarget(*record->invalidations, &target);
    if (at != 0) record->invalidations->RemoveAt(at);  // a target occurs at most once per list
  }
}

}  // namespace zor

using namespace zor;

extern "C" {

ZOR_EXPORT ViStatus Zor_AddAttributeInvalidation(ViSession vi, ViAttr attributeId,
                                                 ViAttr attributeToInvalidate, ViBoolean allInstances) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    if (attributeId == attributeToInvalidate) {
      return RecordError(vi, ZOR_ERROR_INVALID_VALUE, kSelfInvalidation);
    }
    AttributeRecord* owner = nullptr;
    AttributeRecord* target = nullptr;
    const ViStatus status = FindPair(guard.data(), attributeId, attributeToInvalidate, &owner, &target);
    if (status < VI_SUCCESS) return RecordError(vi, status);
    if (!owner->invalidations) owner->invalidations = std::make_unique<OrderedArray<Invalidation>>();
    // The first entry for a target stays, flag included.
    if (FindTarget(*owner->invalidations, target) == 0) {
      owner->invalidations->Append({target, allInstances != VI_FALSE});
    }
    return VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_DeleteAttributeInvalidation(ViSession vi, ViAttr attributeId,
                                                    ViAttr attributeToInvalidate) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    AttributeRecord* owner = nullptr;
    AttributeRecord* target = nullptr;
    const ViStatus status = FindPair(guard.data(), attributeId, attributeToInvalidate, &owner, &target);
    if (status < VI_SUCCESS) return RecordError(vi, status);
    if (owner->invalidations) {
      const ViInt32 at = FindTarget(*owner->invalidations, target);
      if (at != 0) owner->invalidations->RemoveAt(at);
    }
    return VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_GetInvalidationList(ViSession vi, ViAttr attributeId,
                                            InvalidationEntry** invalidationList, ViInt32* numEntries) {
  if (invalidationList != nullptr) *invalidationList = nullptr;
  if (numEntries != nullptr) *numEntries = 0;
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    SessionData* session = &guard.data();
    AttributeRecord* record = nullptr;
    const ViStatus status = FindAttribute(session, attributeId, &record);
    if (status < VI_SUCCESS) return RecordError(vi, status);
    const ViInt32 count = record->invalidations ? record->invalidations->count() : 0;
    if (invalidationList != nullptr) {
      // malloc, not new: the caller hands the array back through a C function.
      auto* entries = static_cast<InvalidationEntry*>(
          std::malloc(sizeof(InvalidationEntry) * static_cast<std::size_t>(count + 1)));
      if (entries == nullptr) return RecordError(vi, VI_ERROR_ALLOC);
      for (ViInt32 i = 1; i <= count; ++i) {
        const Invalidation& entry = (*record->invalidations)[i];
        entries[i - 1].attributeId = entry.attribute->id;
        entries[i - 1].allInstances = entry.allInstances ? VI_TRUE : VI_FALSE;
      }
      entries[count].attributeId = static_cast<ViAttr>(-1);
      entries[count].allInstances = VI_FALSE;
      *invalidationList = entries;
    }
    if (numEntries != nullptr) *numEntries = count;
    return VI_SUCCESS;
  });
}

ZOR_EXPORT void Zor_DisposeInvalidationList(InvalidationEntry* invalidationList) {
  std::free(invalidationList);
}

ZOR_EXPORT ViStatus Zor_InvalidateAttribute(ViSession vi, ViConstString repCapName, ViAttr attributeId) {
  const ViStatus status = ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return guard.status();
    SessionData* session = &guard.data();
    AttributeRecord* record = nullptr;
    ViStatus found = FindAttribute(session, attributeId, &record);
    if (found < VI_SUCCESS) return found;
    if (repCapName != nullptr && text::EqualIgnoringCase(repCapName, ZOR_ALL_CHANNELS)) {
      return InvalidateAttributeInstances(*record);
    }
    AttributeInstance* instance = nullptr;
    found = ResolveInstance(*record, repCapName, &instance);
    if (found < VI_SUCCESS) return found;
    InvalidateInstance(*instance);
    return VI_SUCCESS;
  });
  return status < VI_SUCCESS ? RecordAttributeFailure(vi, status, attributeId, repCapName) : status;
}

ZOR_EXPORT ViStatus Zor_InvalidateAllAttributes(ViSession vi) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  return InvalidateSessionAttributes(guard.data());
}

ZOR_EXPORT ViStatus Zor_AttributeIsCached(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                          ViBoolean* isCached) {
  const ViStatus status = ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return guard.status();
    if (isCached == nullptr) return ZOR_ERROR_INVALID_PARAMETER;
    *isCached = VI_FALSE;
    return WithInstance(guard.data(), attributeId, repCapName,
                        [&](AttributeRecord& record, AttributeInstance& instance) {
                          // A value the instrument may have changed after it was written is
                          // not trusted, whatever the state bits say.
                          const bool coercedByInstrument = (record.flags & ZOR_VAL_INSTRUMENT_COERCES) != 0 &&
                                                           instance.source == kSourceWritten;
                          const bool cached = (record.flags & ZOR_VAL_NEVER_CACHE) == 0 &&
                                              (instance.state & kCacheValid) != 0 && !coercedByInstrument;
                          *isCached = cached ? VI_TRUE : VI_FALSE;
                        });
  });
  return status < VI_SUCCESS ? RecordAttributeFailure(vi, status, attributeId, repCapName) : status;
}

ZOR_EXPORT ViBoolean Zor_AttributeWasSetByUser(ViSession vi, ViConstString repCapName, ViAttr attributeId) {
  return StateBit(vi, repCapName, attributeId, kSetByUser);
}

ZOR_EXPORT ViBoolean Zor_AttributeEverSetByUser(ViSession vi, ViConstString repCapName, ViAttr attributeId) {
  return StateBit(vi, repCapName, attributeId, kEverSetByUser);
}

}  // extern "C"
