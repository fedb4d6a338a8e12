#include "core/pipeline.h"

#include "core/invalidation.h"
#include "core/value_traits.h"
#include "errors/error_info.h"
#include "interchange/coercion.h"

namespace zor {
namespace {

thread_local const PipelineContext* tPipelineContext = nullptr;

bool Has(ViInt32 bits, ViInt32 flag) noexcept { return (bits & flag) != 0; }

ViStatus CallCoerce(const SessionData& session, AttributeRecord& record,
                    AttributeInstance& instance, const Value& value) {
  const ViAttr id = record.id;
  const PipelineContextScope context(session.handle, record, instance);
  if (record.type == ZOR_TYPE_STRING) {
    // The callback delivers its text through Zor_SetValInStringCallback into the pending slot;
    // starting that slot from the given text means a callback that delivers nothing leaves
    // the value it was given (and a write callback never sees a missing text).
    instance.pendingValue.SetText(value.text());
    auto coerce = FromAnyCallback<ZorCoerceCallbackViString>(record.coerceCallback);
    record.valueInStringTarget = &instance.pendingValue;
    const ViStatus status = coerce(session.handle, instance.repCapName, id, value.text());
    record.valueInStringTarget = nullptr;
    return status;
  }
  return DispatchScalar(record.type, [&](auto traits) {
    using Traits = decltype(traits);
    auto coerce = FromAnyCallback<typename Traits::CoerceCallback>(record.coerceCallback);
    typename Traits::Type coerced = Traits::Get(value);
    const ViStatus status = coerce(session.handle, instance.repCapName, id, Traits::Get(value), &coerced);
    if (status >= VI_SUCCESS) instance.pendingValue = Traits::Make(coerced);
    return status;
  }, ZOR_ERROR_INVALID_TYPE);
}

// True when the compare step finds the pending value different from the cached one. A compare
// callback that fails counts as "different"; its status is dropped.
bool DiffersFromCache(const SessionData& session, const AttributeRecord& record,
                      const AttributeInstance& instance) {
  if (record.compareCallback == nullptr) {
    return CompareValues(instance.currentValue, instance.pendingValue, record.type) != 0;
  }
  ViInt32 result = 0;
  ViStatus status = VI_SUCCESS;
  const PipelineContextScope context(session.handle, record, instance);
  if (record.type == ZOR_TYPE_STRING) {
    auto compare = FromAnyCallback<ZorCompareCallbackViString>(record.compareCallback);
    status = compare(session.handle, instance.repCapName, record.id, instance.pendingValue.text(),
                     instance.currentValue.text(), &result);
  } else {
    status = DispatchScalar(record.type, [&](auto traits) {
      using Traits = decltype(traits);
      auto compare = FromAnyCallback<typename Traits::CompareCallback>(record.compareCallback);
      return compare(session.handle, instance.repCapName, record.id, Traits::Get(instance.pendingValue),
                     Traits::Get(instance.currentValue), &result);
    }, ZOR_ERROR_INVALID_TYPE);
  }
  return status < VI_SUCCESS || result != 0;
}

bool WriteNeeded(const SessionData& session, const AttributeRecord& record,
                 const AttributeInstance& instance) {
  if ((instance.state & kCacheValid) == 0) return true;
  if (instance.source == kSourceRead) {
    if (!DiffersFromCache(session, record, instance)) return false;
    // An instrument that adjusts what it is given: compare with what was last asked for.
    if (Has(record.flags, ZOR_VAL_INSTRUMENT_COERCES) && (instance.state & kRequestedValueHeld) != 0) {
      return CompareValues(instance.requestedValue, instance.pendingValue, record.type) != 0;
    }
    return true;
  }
  return CompareValues(instance.currentValue, instance.pendingValue, record.type) != 0;
}

ViStatus CallWrite(const SessionData& session, const AttributeRecord& record,
                   const AttributeInstance& instance) {
  if (record.type == ZOR_TYPE_STRING) {
    auto write = FromAnyCallback<ZorWriteCallbackViString>(record.writeCallback);
    return write(session.handle, session.ioSession, instance.repCapName, record.id,
                 instance.pendingValue.text());
  }
  return DispatchScalar(record.type, [&](auto traits) {
    using Traits = decltype(traits);
    auto write = FromAnyCallback<typename Traits::WriteCallback>(record.writeCallback);
    return write(session.handle, session.ioSession, instance.repCapName, record.id,
                 Traits::Get(instance.pendingValue));
  }, ZOR_ERROR_INVALID_TYPE);
}

void CacheStore(const AttributeRecord& record, AttributeInstance& instance) {
  instance.currentValue.Assign(instance.pendingValue, record.type);
  instance.requestedValue.Assign(instance.pendingValue, record.type);
  instance.state |= kCacheValid | kRequestedValueHeld;
  instance.source = kSourceWritten;
}

// Clears the write-in-progress bit on every way out of the write path.
class WriteInProgress {
 public:
  explicit WriteInProgress(AttributeInstance& instance) noexcept : instance_(instance) {
    instance_.state = static_cast<std::uint8_t>((instance_.state & ~(kCacheValid | kRequestedValueHeld)) |
                                                kWriteInProgress);
  }
  ~WriteInProgress() { instance_.state &= static_cast<std::uint8_t>(~kWriteInProgress); }
  WriteInProgress(const WriteInProgress&) = delete;
  WriteInProgress& operator=(const WriteInProgress&) = delete;

 private:
  AttributeInstance& instance_;
};

ViStatus WritePath(SessionData& session, const AttributeRecord& record, AttributeInstance& instance,
                   ViInt32 optionFlags) {
  WriteInProgress writing(instance);
  if (!Has(record.flags, ZOR_VAL_NO_STATUS_CHECK)) session.needToCheckStatus = VI_TRUE;
  ViStatus status = VI_SUCCESS;
  if (Merge(&status, CallWrite(session, record, instance))) return status;  // cache stays invalid
  CacheStore(record, instance);
  if (Has(record.flags, ZOR_VAL_OPC_AFTER_WRITE) && session.opcCallback != nullptr) {
    if (Merge(&status, session.opcCallback(session.handle, session.ioSession))) return status;
  }
  if (Has(optionFlags, ZOR_VAL_USER_CALL)) Merge(&status, StatusCheck(session, record));
  return status;
}

ViStatus CallRead(SessionData& session, AttributeRecord& record, AttributeInstance& instance) {
  if (record.type == ZOR_TYPE_STRING) {
    // The callback gets the current text and delivers the new one into a separate slot, so the
    // text it was given stays valid for the whole call.
    Value delivered;
    auto read = FromAnyCallback<ZorReadCallbackViString>(record.readCallback);
    record.valueInStringTarget = &delivered;
    const ViStatus status = read(session.handle, session.ioSession, instance.repCapName, record.id,
                                 instance.currentValue.text());
    record.valueInStringTarget = nullptr;
    if (status >= VI_SUCCESS && delivered.holdsText()) instance.currentValue.Swap(delivered);
    return status;
  }
  return DispatchScalar(record.type, [&](auto traits) {
    using Traits = decltype(traits);
    auto read = FromAnyCallback<typename Traits::ReadCallback>(record.readCallback);
    typename Traits::Type value = Traits::Get(instance.currentValue);
    const ViStatus status = read(session.handle, session.ioSession, instance.repCapName, record.id, &value);
    if (status >= VI_SUCCESS) instance.currentValue = Traits::Make(value);
    return status;
  }, ZOR_ERROR_INVALID_TYPE);
}

ViStatus ReadPath(SessionData& session, AttributeRecord& record, AttributeInstance& instance,
                  ViInt32 optionFlags) {
  const auto requestedHeld = static_cast<std::uint8_t>(instance.state & kRequestedValueHeld);
  instance.state &= static_cast<std::uint8_t>(~(kCacheValid | kRequestedValueHeld));
  if (!Has(record.flags, ZOR_VAL_NO_STATUS_CHECK)) session.needToCheckStatus = VI_TRUE;
  ViStatus status = VI_SUCCESS;
  if (Has(record.flags, ZOR_VAL_OPC_BEFORE_READ) && session.opcCallback != nullptr) {
    if (Merge(&status, session.opcCallback(session.handle, session.ioSession))) return status;
  }
  const ViStatus read = CallRead(session, record, instance);
  if (record.type == ZOR_TYPE_STRING) {
    status = read;  // a text read's own status replaces an earlier warning
    if (read < VI_SUCCESS) return status;
  } else if (Merge(&status, read)) {
    return status;
  }
  instance.source = kSourceRead;
  instance.state |= static_cast<std::uint8_t>(kCacheValid | requestedHeld);
  if (Has(optionFlags, ZOR_VAL_USER_CALL)) Merge(&status, StatusCheck(session, record));
  return status;
}

}  // namespace

const PipelineContext* CurrentPipelineContext() noexcept { return tPipelineContext; }

PipelineContextScope::PipelineContextScope(ViSession vi, const AttributeRecord& record,
                                           const AttributeInstance& instance) noexcept
    : context_{vi, &record, &instance}, outer_(tPipelineContext) {
  tPipelineContext = &context_;
}

PipelineContextScope::~PipelineContextScope() { tPipelineContext = outer_; }

ViStatus WritePermission(const SessionData& session, const AttributeRecord& record,
                         ViInt32 optionFlags) noexcept {
  if (session.creationComplete == VI_FALSE) return VI_SUCCESS;
  if (Has(record.flags, ZOR_VAL_NOT_WRITABLE)) return ZOR_ERROR_ATTRIBUTE_READ_ONLY;
  if (Has(optionFlags, ZOR_VAL_USER_CALL) && Has(record.flags, ZOR_VAL_NOT_USER_WRITABLE)) {
    return ZOR_ERROR_ATTRIBUTE_READ_ONLY;
  }
  return VI_SUCCESS;
}

ViStatus CallCheck(ViSession vi, const AttributeRecord& record, const AttributeInstance& instance,
                   const Value& value) {
  if (record.checkCallback == nullptr) return VI_SUCCESS;
  const PipelineContextScope context(vi, record, instance);
  if (record.type == ZOR_TYPE_STRING) {
    auto check = FromAnyCallback<ZorCheckCallbackViString>(record.checkCallback);
    return check(vi, instance.repCapName, record.id, value.text());
  }
  return DispatchScalar(record.type, [&](auto traits) {
    using Traits = decltype(traits);
    auto check = FromAnyCallback<typename Traits::CheckCallback>(record.checkCallback);
    return check(vi, instance.repCapName, record.id, Traits::Get(value));
  }, ZOR_ERROR_INVALID_TYPE);
}

ViStatus StatusCheck(SessionData& session, const AttributeRecord& record) {
  if (Has(record.flags, ZOR_VAL_NO_STATUS_CHECK) || session.needToCheckStatus == VI_FALSE ||
      session.simulate != VI_FALSE || session.queryInstrStatus == VI_FALSE ||
      session.checkStatusCallback == nullptr) {
    return VI_SUCCESS;
  }
  const ViStatus status = session.checkStatusCallback(session.handle, session.ioSession);
  if (status >= VI_SUCCESS) session.needToCheckStatus = VI_FALSE;
  return status;
}

ViStatus SetCore(SessionData& session, AttributeRecord& record, AttributeInstance& instance,
                 const Value& newValue, ViInt32 optionFlags) {
  const bool cacheable = record.cacheable(session.cacheEnabled != VI_FALSE);
  ViStatus status = WritePermission(session, record, optionFlags);
  if (status < VI_SUCCESS) return status;
  const bool cacheOnly = Has(optionFlags, ZOR_VAL_CACHE_ONLY);
  if (cacheOnly) {
    if (Has(record.flags, ZOR_VAL_NEVER_CACHE)) return ZOR_ERROR_NEVER_CACHE_ATTRIBUTE;
    if (!cacheable) return status;
  }
  if (session.rangeCheckEnabled != VI_FALSE &&
      Merge(&status, CallCheck(session.handle, record, instance, newValue))) {
    return status;
  }
  if (record.coerceCallback != nullptr) {
    if (Merge(&status, CallCoerce(session, record, instance, newValue))) return status;
    if (Merge(&status, RecordCoercion(record, instance, newValue, instance.pendingValue))) return status;
  } else {
    instance.pendingValue.Assign(newValue, record.type);
  }
  if (!cacheable || WriteNeeded(session, record, instance)) {
    if (!cacheOnly) {
      ApplyInvalidations(record, instance.index);  // its status is not looked at
      const bool writes = record.writeCallback != nullptr &&
                          (session.simulate == VI_FALSE || Has(record.flags, ZOR_VAL_CALLBACKS_IN_SIMULATION));
      if (writes) {
        if (Merge(&status, WritePath(session, record, instance, optionFlags))) return status;
      } else {
        CacheStore(record, instance);
      }
    } else {
      CacheStore(record, instance);
    }
  }
  if (!Has(optionFlags, ZOR_VAL_NOT_SET_BY_USER)) instance.state |= kSetByUser | kEverSetByUser;
  return status;
}

ViStatus GetCore(SessionData& session, AttributeRecord& record, AttributeInstance& instance,
                 ViInt32 optionFlags, const Value** result) {
  *result = nullptr;
  if (session.creationComplete != VI_FALSE) {
    if (Has(record.flags, ZOR_VAL_NOT_READABLE)) return ZOR_ERROR_ATTRIBUTE_WRITE_ONLY;
    if (Has(optionFlags, ZOR_VAL_USER_CALL) && Has(record.flags, ZOR_VAL_NOT_USER_READABLE)) {
      return ZOR_ERROR_ATTRIBUTE_WRITE_ONLY;
    }
  }
  if ((instance.state & kWriteInProgress) != 0) {
    *result = &instance.pendingValue;
    return VI_SUCCESS;
  }
  const bool trusted = record.cacheable(session.cacheEnabled != VI_FALSE) &&
                       (instance.state & kCacheValid) != 0 &&
                       !(instance.source == kSourceWritten && Has(record.flags, ZOR_VAL_INSTRUMENT_COERCES));
  ViStatus status = VI_SUCCESS;
  if (!trusted) {
    if (record.readCallback != nullptr &&
        (session.simulate == VI_FALSE || Has(record.flags, ZOR_VAL_CALLBACKS_IN_SIMULATION))) {
      status = ReadPath(session, record, instance, optionFlags);
      if (status < VI_SUCCESS) return status;
    } else {
      instance.source = kSourceRead;
      if (record.readCallback != nullptr) instance.state |= kCacheValid;
    }
  }
  *result = &instance.currentValue;
  return status;
}

Value ValueFromArguments(ViInt32 type, va_list& arguments) {
  switch (type) {
    case ZOR_TYPE_INT32: return Value::OfInt32(va_arg(arguments, ViInt32));
    case ZOR_TYPE_INT64: return Value::OfInt64(va_arg(arguments, ViInt64));
    case ZOR_TYPE_REAL64: return Value::OfReal64(va_arg(arguments, ViReal64));
    case ZOR_TYPE_STRING: return Value::OfText(va_arg(arguments, const char*));
    case ZOR_TYPE_ADDR: return Value::OfAddr(va_arg(arguments, ViAddr));
    case ZOR_TYPE_SESSION: return Value::OfSession(va_arg(arguments, ViSession));
    case ZOR_TYPE_BOOLEAN:
      return Value::OfBoolean(static_cast<ViBoolean>(va_arg(arguments, unsigned int) & 0xFFFFu));
    default: return Value();
  }
}

ViStatus RecordAttributeFailure(ViSession vi, ViStatus status, ViAttr attributeId,
                                const char* repCapName, ViInt32 optionFlags) noexcept {
  if (status == VI_SUCCESS) return status;
  RecordError(vi, status);
  if (status < VI_SUCCESS && Has(optionFlags, ZOR_VAL_USER_CALL)) {
    SetAttributeErrorInfo(vi, status, attributeId, repCapName);
  }
  return status;
}

}  // namespace zor
