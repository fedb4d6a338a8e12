// Invalidation: the caches a write makes untrustworthy, and the explicit invalidation steps.
// Everything here runs with the owning session acquired.
#pragma once

#include "core/attribute.h"
#include "zor.h"

namespace zor {

struct SessionData;

// Clears the cache-valid, set-by-user and requested-value bits of one instance.
inline void InvalidateInstance(AttributeInstance& instance) noexcept { instance.state &= 0xEA; }

// Applies the invalidation list of `written` for a write of its instance at `position` (from
// 1). Returns 0xBFFA0012 when a same-instance entry names an unsupported target (later entries
// are then not applied), else VI_SUCCESS.
ViStatus ApplyInvalidations(AttributeRecord& written, ViInt32 position) noexcept;

// Invalidates every instance of `record`; 0xBFFA0012 (and nothing changed) when it is marked
// not supported.
ViStatus InvalidateAttributeInstances(AttributeRecord& record) noexcept;

// Invalidates every attribute of the session; always VI_SUCCESS.
ViStatus InvalidateSessionAttributes(SessionData& session) noexcept;

// Removes `target` from the invalidation list of every attribute of `session`.
void RemoveInvalidationTarget(SessionData& session, const AttributeRecord& target) noexcept;

}  // namespace zor
