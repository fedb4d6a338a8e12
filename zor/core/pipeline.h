// The attribute value pipelines: the set core (check, coerce, compare with the cache,
// invalidate, write or store), the get core (trusted cache or read callback) and the status
// check they share. Everything here runs with the session acquired; callbacks may re-enter
// the engine on the same session.
#pragma once

#include <cstdarg>

#include "core/attribute.h"
#include "core/session.h"
#include "zor.h"

namespace zor {

// The attribute instance whose check, coerce or compare callback is running on this thread.
// The engine's default callbacks ask the engine about that same attribute (its range table,
// its precision); while the pipeline holds the session they read the record directly instead
// of acquiring the session again, with the same results.
struct PipelineContext {
  ViSession vi;
  const AttributeRecord* record;
  const AttributeInstance* instance;

  bool Matches(ViSession session, ViAttr attributeId) const noexcept {
    return vi == session && record->id == attributeId;
  }
};

// The innermost context of this thread, or nullptr.
const PipelineContext* CurrentPipelineContext() noexcept;

class PipelineContextScope {
 public:
  PipelineContextScope(ViSession vi, const AttributeRecord& record, const AttributeInstance& instance) noexcept;
  ~PipelineContextScope();
  PipelineContextScope(const PipelineContextScope&) = delete;
  PipelineContextScope& operator=(const PipelineContextScope&) = delete;

 private:
  PipelineContext context_;
  const PipelineContext* outer_;
};

// Sets `instance` to `newValue` (of the record's type) as the set pipeline does.
ViStatus SetCore(SessionData& session, AttributeRecord& record, AttributeInstance& instance,
                 const Value& newValue, ViInt32 optionFlags);

// Runs the get pipeline on `instance`; `*result` designates the value to hand out (the pending
// value while the instance is being written, else the current value).
ViStatus GetCore(SessionData& session, AttributeRecord& record, AttributeInstance& instance,
                 ViInt32 optionFlags, const Value** result);

// Asks the instrument for its status when it is due for an end-user call.
ViStatus StatusCheck(SessionData& session, const AttributeRecord& record);

// Runs the record's check callback on `value` for session `vi`; VI_SUCCESS without one.
ViStatus CallCheck(ViSession vi, const AttributeRecord& record, const AttributeInstance& instance,
                   const Value& value);

// Permission to write once creation is complete: 0xBFFA000D when refused.
ViStatus WritePermission(const SessionData& session, const AttributeRecord& record,
                         ViInt32 optionFlags) noexcept;

// Keeps the first warning of a sequence; returns true when `status` is an error that ends it.
inline bool Merge(ViStatus* running, ViStatus status) noexcept {
  if (status < VI_SUCCESS) {
    *running = status;
    return true;
  }
  if (status > VI_SUCCESS && *running == VI_SUCCESS) *running = status;
  return false;
}

// One value of `type` from a variable-argument list, as the caller's argument promotion left
// it: a ViBoolean arrives widened and its low 16 bits are the value.
Value ValueFromArguments(ViInt32 type, va_list& arguments);

// The ViInt32 entry points first ask the attribute's type (a complete call of its own), so that
// a ViInt32 value can reach a ViInt64 attribute; then they run `asInt64()` or `asInt32()`. A
// warning of the type query is the result when the call itself does not fail.
template <typename AsInt64, typename AsInt32>
ViStatus WithInt32Widening(ViSession vi, ViAttr id, AsInt64 asInt64, AsInt32 asInt32) {
  ViInt32 type = ZOR_TYPE_INT32;
  const ViStatus typeStatus = Zor_GetAttributeType(vi, id, &type);
  if (typeStatus < VI_SUCCESS) return typeStatus;
  const ViStatus status = type == ZOR_TYPE_INT64 ? asInt64() : asInt32();
  return status >= VI_SUCCESS && typeStatus != VI_SUCCESS ? typeStatus : status;
}

// Records a failure of an attribute call: the status on the session, and for an error made on
// the end user's behalf an elaboration naming the attribute and the instance.
ViStatus RecordAttributeFailure(ViSession vi, ViStatus status, ViAttr attributeId,
                                const char* repCapName, ViInt32 optionFlags) noexcept;

}  // namespace zor
