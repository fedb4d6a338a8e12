// Coercion records: kept per attribute, sorted so that the next record to hand out is always
// the last element (removal from the end moves nothing), and read back one at a time either
// as fields or as a sentence.
#include "interchange/coercion.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "core/export_guard.h"
#include "core/session.h"
#include "core/text.h"
#include "errors/error_info.h"
#include "repcap/repcap.h"

namespace zor {
namespace {

bool IsRecordedType(ViInt32 type) noexcept {
  return type == ZOR_TYPE_INT32 || type == ZOR_TYPE_INT64 || type == ZOR_TYPE_REAL64;
}

// The sign of a - b. Records are ordered by the values' own comparison, except that a NaN,
// which that comparison finds different from every number in both directions, is placed
// above all numbers: the binary search needs an order that does not contradict itself.
int OrderValues(const Value& a, const Value& b, ViInt32 type) noexcept {
  if (type == ZOR_TYPE_REAL64) {
    const bool aNaN = std::isnan(a.r64());
    const bool bNaN = std::isnan(b.r64());
    if (aNaN || bNaN) return aNaN == bNaN ? 0 : (aNaN ? 1 : -1);
  }
  return -CompareValues(a, b, type);
}

// The sign of a - b over (instance, requested value, coerced value).
int OrderRecords(const CoercionRecord& a, const CoercionRecord& b) noexcept {
  if (a.instanceIndex != b.instanceIndex) return a.instanceIndex < b.instanceIndex ? -1 : 1;
  const int requested = OrderValues(a.requestedValue, b.requestedValue, a.type);
  if (requested != 0) return requested;
  return OrderValues(a.coercedValue, b.coercedValue, a.type);
}

ViReal64 AsReal64(const Value& value, ViInt32 type) noexcept {
  switch (type) {
    case ZOR_TYPE_INT32: return static_cast<ViReal64>(value.i32());
    case ZOR_TYPE_INT64: return static_cast<ViReal64>(value.i64());
    default: return value.r64();
  }
}

// What one record tells its reader. The names point into the attribute record and its
// repeated-capability table, which outlive the read.
struct CoercionReport {
  ViAttr attributeId = 0;
  const char* attributeName = nullptr;
  const char* repCapName = nullptr;
  ViInt32 type = 0;
  ViInt32 requestedInt32 = 0;
  ViInt32 coercedInt32 = 0;
  ViInt64 requestedInt64 = 0;
  ViInt64 coercedInt64 = 0;
  ViReal64 requested = 0.0;
  ViReal64 coerced = 0.0;
};

// The attribute whose last record is the next one to hand out, or nullptr when the session
// has no record. Only the first attribute (by id) with records is ever read, so records come
// out attribute by attribute.
AttributeRecord* NextSource(SessionData& session) noexcept {
  AttributeRecord* cursor = session.coercionCursor;
  if (cursor != nullptr && cursor->coercionRecords && !cursor->coercionRecords->empty()) return cursor;
  for (auto& record : session.attributes) {
    if (record && record->coercionRecords && !record->coercionRecords->empty()) return record.get();
  }
  return nullptr;
}

CoercionReport Describe(const AttributeRecord& source) noexcept {
  const CoercionRecord& last = *source.coercionRecords->At(source.coercionRecords->count());
  CoercionReport report;
  report.attributeId = source.id;
  report.attributeName = source.name.c_str();
  const char* name = source.repCapTable != nullptr ? source.repCapTable->NameAt(last.instanceIndex) : nullptr;
  report.repCapName = name != nullptr ? name : "";
  report.type = last.type;
  report.requestedInt32 = last.requestedValue.i32();
  report.coercedInt32 = last.coercedValue.i32();
  report.requestedInt64 = last.requestedValue.i64();
  report.coercedInt64 = last.coercedValue.i64();
  report.requested = AsReal64(last.requestedValue, last.type);
  report.coerced = AsReal64(last.coercedValue, last.type);
  return report;
}

// Removes the record Describe reported; the cursor stays on the attribute while it has more.
void Consume(SessionData& session, AttributeRecord& source) noexcept {
  auto& records = *source.coercionRecords;
  records.RemoveAt(records.count());
  session.coercionCursor = records.empty() ? nullptr : &source;
}

// Appends printf-formatted text to `out`.
template <typename... Args>
void AppendFormatted(std::string& out, const char* format, Args... args) {
  const int length = std::snprintf(nullptr, 0, format, args...);
  if (length <= 0) return;
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(length) + 1);
  std::snprintf(&out[start], static_cast<std::size_t>(length) + 1, format, args...);
  out.resize(start + static_cast<std::size_t>(length));
}

// "Attribute NAME [on INSTANCE ]coerced from A to B." Throws std::bad_alloc.
std::string Sentence(const CoercionReport& report) {
  std::string sentence;
  AppendFormatted(sentence, "Attribute %s ", report.attributeName);
  if (report.repCapName[0] != '\0') AppendFormatted(sentence, "on %s ", report.repCapName);
  switch (report.type) {
    case ZOR_TYPE_INT32:
      AppendFormatted(sentence, "coerced from %" PRId32 " to %" PRId32 ".", report.requestedInt32,
                      report.coercedInt32);
      break;
    case ZOR_TYPE_INT64:
      AppendFormatted(sentence, "coerced from %" PRId64 " to %" PRId64 ".", report.requestedInt64,
                      report.coercedInt64);
      break;
    default:
      AppendFormatted(sentence, "coerced from %le to %le.", report.requested, report.coerced);
      break;
  }
  return sentence;
}

}  // namespace

ViStatus RecordCoercion(AttributeRecord& record, const AttributeInstance& instance,
                        const Value& requested, const Value& coerced) noexcept {
  SessionData* session = record.session;
  if (session == nullptr || session->recordCoercions == VI_FALSE) return VI_SUCCESS;
  if (!IsRecordedType(record.type)) return VI_SUCCESS;
  if (CompareValues(requested, coerced, record.type) == 0) return VI_SUCCESS;
  try {
    CoercionRecord entry;
    entry.requestedValue.Assign(requested, record.type);
    entry.coercedValue.Assign(coerced, record.type);
    entry.instanceIndex = instance.index;
    entry.type = record.type;
    if (!record.coercionRecords) record.coercionRecords = std::make_unique<OrderedArray<CoercionRecord>>();
    auto& records = *record.coercionRecords;
    // Descending order: an element comes before the key when it is the greater one.
    const auto beforeKey = [](const CoercionRecord& element, const CoercionRecord& key) {
      return OrderRecords(key, element);
    };
    ViInt32 insertAt = 1;
    if (records.BinarySearch(entry, beforeKey, &insertAt) == 0) records.InsertAt(insertAt, std::move(entry));
  } catch (const std::bad_alloc&) {
    return VI_ERROR_ALLOC;
  }
  // A new record may belong before the ones the cursor points into.
  session->coercionCursor = nullptr;
  return VI_SUCCESS;
}

}  // namespace zor

using namespace zor;

extern "C" {

ZOR_EXPORT ViStatus Zor_GetNextCoercionInfo(ViSession vi, ViAttr* attributeId, ViConstString* attributeName,
                                            ViConstString* repCapName, ViInt32* type,
                                            ViReal64* requestedValue, ViReal64* coercedValue) {
  return ExportGuard(vi, [&] {
    SessionGuard guard(vi);
    if (!guard.acquired()) return RecordError(vi, guard.status());
    if (attributeId == nullptr && attributeName == nullptr) return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
    SessionData& session = guard.data();
    CoercionReport report;
    report.attributeId = static_cast<ViAttr>(-1);
    report.type = ZOR_TYPE_ANY;
    if (AttributeRecord* source = NextSource(session)) {
      report = Describe(*source);
      Consume(session, *source);
    }
    if (attributeId != nullptr) *attributeId = report.attributeId;
    if (attributeName != nullptr) *attributeName = report.attributeName;
    if (repCapName != nullptr) *repCapName = report.repCapName;
    if (type != nullptr) *type = report.type;
    if (requestedValue != nullptr) *requestedValue = report.requested;
    if (coercedValue != nullptr) *coercedValue = report.coerced;
    return VI_SUCCESS;
  });
}

ZOR_EXPORT ViStatus Zor_GetNextCoercionString(ViSession vi, ViInt32 bufferSize, ViChar buffer[]) {
  SessionGuard guard(vi);
  if (!guard.acquired()) return RecordError(vi, guard.status());
  if (buffer == nullptr && bufferSize != 0) return RecordError(vi, ZOR_ERROR_INVALID_PARAMETER);
  SessionData& session = guard.data();
  AttributeRecord* source = NextSource(session);
  if (source == nullptr) {
    if (bufferSize == 0) return 1;  // the size of the empty text
    buffer[0] = '\0';
    return VI_SUCCESS;
  }
  std::string sentence;
  try {
    sentence = Sentence(Describe(*source));
  } catch (const std::bad_alloc&) {
    return VI_ERROR_ALLOC;  // the record stays for a later read
  }
  if (bufferSize != 0) {
    Consume(session, *source);  // even when the sentence is cut
  } else {
    session.coercionCursor = source;  // only looked at
  }
  return text::CopyOut(sentence.c_str(), sentence.size(), bufferSize, buffer, ZOR_ERROR_INVALID_PARAMETER);
}

}  // extern "C"
