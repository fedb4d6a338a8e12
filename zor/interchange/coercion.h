// Coercion records: what a coerce callback changed, kept per attribute while the session's
// ZOR_ATTR_RECORD_COERCIONS switch is on, and read back by the application.
#pragma once

#include "core/attribute.h"
#include "zor.h"

namespace zor {

// Called by the set pipeline right after a successful coerce callback. Records the coercion
// of `requested` into `coerced` for `instance` when the session records coercions, the type is
// ViInt32, ViInt64 or ViReal64 and the values differ. VI_ERROR_ALLOC when the records cannot
// grow; otherwise VI_SUCCESS.
ViStatus RecordCoercion(AttributeRecord& record, const AttributeInstance& instance,
                        const Value& requested, const Value& coerced) noexcept;

}  // namespace zor
