#include <gtest/gtest.h>

#include <string>

#include "core/attribute.h"
#include "engine_fixture.h"

namespace zor::test {
namespace {

constexpr ViAttr kId = 1250001;
constexpr ViAttr kOtherId = 1250002;

ViStatus ReadInt32(ViSession, ViSession, ViConstString, ViAttr, ViInt32*) { return VI_SUCCESS; }
ViStatus CheckInt32(ViSession, ViConstString, ViAttr, ViInt32) { return VI_SUCCESS; }

class AttributeTest : public EngineTest {
 protected:
  ViStatus AddInt32(ViAttr id, ViInt32 flags, ViSession vi = 0) {
    return Zor_AddAttributeViInt32(vi == 0 ? vi_ : vi, id, "attr", 7, flags, nullptr, nullptr, nullptr);
  }
  AttributeRecord* Record(ViAttr id, ViSession vi = 0) { return FindOwnAttribute(Data(vi == 0 ? vi_ : vi), id); }
};

TEST_F(AttributeTest, AddingTheSameIdTwiceIsRefused) {
  ASSERT_EQ(AddInt32(kId, 0), VI_SUCCESS);
  const AttributeRecord* first = Record(kId);
  EXPECT_EQ(Zor_AddAttributeViReal64(vi_, kId, "again", 1.0, 0, nullptr, nullptr, nullptr, 0),
            ZOR_ERROR_ITEM_EXISTS);
  EXPECT_EQ(TakeErrorInfo(vi_).primary, ZOR_ERROR_ITEM_EXISTS);
  EXPECT_EQ(Record(kId), first);
  EXPECT_EQ(first->type, ZOR_TYPE_INT32);
}

TEST_F(AttributeTest, UnsupportedRecordsAreReplacedAndNeverReplace) {
  ASSERT_EQ(AddInt32(kId, ZOR_VAL_NOT_SUPPORTED), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViBoolean(vi_, kId, "real", VI_TRUE, 0, nullptr, nullptr), VI_SUCCESS);
  EXPECT_EQ(Record(kId)->type, ZOR_TYPE_BOOLEAN);
  EXPECT_EQ(AddInt32(kId, ZOR_VAL_NOT_SUPPORTED), VI_SUCCESS);  // keeps the supported record
  EXPECT_EQ(Record(kId)->type, ZOR_TYPE_BOOLEAN);
  EXPECT_EQ(TakeErrorInfo(vi_).primary, 0);
}

TEST_F(AttributeTest, AddressAttributesMustBeHiddenBothWays) {
  struct Case {
    ViInt32 flags;
    ViStatus expected;
  };
  const Case cases[] = {{ZOR_VAL_HIDDEN, VI_SUCCESS},
                        {ZOR_VAL_NOT_USER_READABLE, ZOR_ERROR_EXPORTED_VIADDR_ATTRIBUTE},
                        {ZOR_VAL_NOT_READABLE | ZOR_VAL_NOT_WRITABLE, VI_SUCCESS},
                        {0, ZOR_ERROR_EXPORTED_VIADDR_ATTRIBUTE}};
  ViAttr id = 1250100;
  for (const auto& c : cases) {
    EXPECT_EQ(Zor_AddAttributeViAddr(vi_, ++id, "addr", nullptr, c.flags, nullptr, nullptr), c.expected)
        << std::hex << c.flags;
  }
}

TEST_F(AttributeTest, AddArgumentChecks) {
  for (const char* blank : {static_cast<const char*>(nullptr), "", "  "}) {
    EXPECT_EQ(Zor_AddAttributeViInt32(vi_, kId, blank, 0, 0, nullptr, nullptr, nullptr), ZOR_ERROR_INVALID_PARAMETER);
    const ErrorInfo info = TakeErrorInfo(vi_);
    EXPECT_EQ(info.secondary, ZOR_ERROR_PARAMETER3);
    EXPECT_EQ(info.elaboration, "Attribute Name");
  }
  EXPECT_EQ(AddInt32(kId, ZOR_VAL_NEVER_CACHE | ZOR_VAL_ALWAYS_CACHE), ZOR_ERROR_INVALID_PARAMETER);
  const ErrorInfo info = TakeErrorInfo(vi_);
  EXPECT_EQ(info.secondary, ZOR_ERROR_PARAMETER5);
  EXPECT_EQ(info.elaboration, "Conflicting flags: Attribute cannot be both NEVER and ALWAYS cached!");
  EXPECT_EQ(AddInt32(kId, ZOR_VAL_CHANNEL_BASED), ZOR_ERROR_REPCAP_NOT_DEFINED);
  EXPECT_EQ(Zor_AddRepeatedAttributeViInt32(vi_, "Nope", kId, "a", 0, 0, nullptr, nullptr, nullptr),
            ZOR_ERROR_REPCAP_NOT_DEFINED);
  RangeTableEntry rows[] = {ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable empty = {ZOR_RANGE_DISCRETE, VI_FALSE, VI_FALSE, nullptr, rows};
  EXPECT_EQ(Zor_AddAttributeViInt32(vi_, kId, "a", 0, 0, nullptr, nullptr, &empty), ZOR_ERROR_INVALID_RANGE_TABLE);
  EXPECT_EQ(Record(kId), nullptr);
  EXPECT_EQ(AddInt32(kId, 0, 0xFFFFF0u), ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(AttributeTest, NewRecordsStartFromTheirDefaults) {
  ASSERT_EQ(Zor_AddAttributeViString(vi_, kId, "text", "hello", 0, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViString(vi_, kOtherId, "null text", nullptr, 0, nullptr, nullptr), VI_SUCCESS);
  const AttributeRecord* text = Record(kId);
  ASSERT_EQ(text->instances.count(), 1);
  EXPECT_STREQ(text->instances[1]->currentValue.text(), "hello");
  EXPECT_STREQ(Record(kOtherId)->defaultValue.text(), "");
  EXPECT_EQ(text->instances[1]->interchangeCheckMethod, ZOR_INTERCHANGE_CHECK_NONE);
  EXPECT_EQ(text->checkCallback, nullptr);

  ASSERT_EQ(Zor_AddAttributeViInt32(vi_, 1250003, "int", 3, 0, &ReadInt32, nullptr, nullptr), VI_SUCCESS);
  const AttributeRecord* number = Record(1250003);
  EXPECT_EQ(number->comparePrecision, 14);
  EXPECT_EQ(number->checkCallback, ToAnyCallback(&Zor_DefaultCheckCallbackViInt32));
  EXPECT_EQ(number->coerceCallback, ToAnyCallback(&Zor_DefaultCoerceCallbackViInt32));
  EXPECT_EQ(number->readCallback, ToAnyCallback(&ReadInt32));
  EXPECT_EQ(number->instances[1]->currentValue.i32(), 3);
}

TEST_F(AttributeTest, Real64PrecisionAndDefaultCompare) {
  EXPECT_EQ(Zor_AddAttributeViReal64(vi_, kId, "r", 0.0, 0, nullptr, nullptr, nullptr, 20), ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(TakeErrorInfo(vi_).elaboration, "Comparison precision must be from 1 to 14");
  ASSERT_NE(Record(kId), nullptr);  // added all the same
  EXPECT_EQ(Record(kId)->comparePrecision, 14);
  EXPECT_EQ(Record(kId)->compareCallback, nullptr);
  ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kOtherId, "r", 0.0, 0, nullptr, nullptr, nullptr, 0), VI_SUCCESS);
  EXPECT_EQ(Record(kOtherId)->comparePrecision, 14);
  EXPECT_EQ(Record(kOtherId)->compareCallback, ToAnyCallback(&Zor_DefaultCompareCallbackViReal64));
  ViInt32 precision = 0;
  ASSERT_EQ(Zor_SetAttrComparePrecision(vi_, kOtherId, 6), VI_SUCCESS);
  ASSERT_EQ(Zor_GetAttrComparePrecision(vi_, kOtherId, &precision), VI_SUCCESS);
  EXPECT_EQ(precision, 6);
  EXPECT_EQ(Zor_GetAttrComparePrecision(vi_, kOtherId, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Zor_SetAttrComparePrecision(vi_, 999, -1), ZOR_ERROR_INVALID_VALUE);  // checked before the lookup
}

TEST_F(AttributeTest, CallbackSlots) {
  ASSERT_EQ(AddInt32(kId, 0), VI_SUCCESS);
  EXPECT_EQ(Zor_SetAttrCheckCallbackViInt32(vi_, kId, &CheckInt32), VI_SUCCESS);
  ViAddr callback = nullptr;
  ASSERT_EQ(Zor_GetAttrCallback(vi_, kId, ZOR_TYPE_INT32, ZOR_CALLBACK_CHECK, &callback), VI_SUCCESS);
  EXPECT_EQ(callback, reinterpret_cast<ViAddr>(&CheckInt32));
  EXPECT_EQ(Zor_SetAttrCheckCallbackViInt32(vi_, kId, nullptr), VI_SUCCESS);  // removed, not restored
  ASSERT_EQ(Zor_GetAttrCallback(vi_, kId, ZOR_TYPE_ANY, ZOR_CALLBACK_CHECK, &callback), VI_SUCCESS);
  EXPECT_EQ(callback, nullptr);
  EXPECT_EQ(Zor_SetAttrCheckCallbackViReal64(vi_, kId, nullptr), ZOR_ERROR_TYPE_MISMATCH);
  EXPECT_EQ(Zor_SetAttrCallback(vi_, kId, ZOR_TYPE_INT32, 7, nullptr), ZOR_ERROR_INVALID_TYPE);
  callback = reinterpret_cast<ViAddr>(0x1);
  EXPECT_EQ(Zor_GetAttrCallback(vi_, kId, ZOR_TYPE_INT32, 7, &callback), VI_SUCCESS);
  EXPECT_EQ(callback, reinterpret_cast<ViAddr>(0x1));  // unknown kind: nothing written
  EXPECT_EQ(Zor_GetAttrCallback(vi_, kId, ZOR_TYPE_INT32, ZOR_CALLBACK_READ, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Zor_SetAttrRangeTableCallback(vi_, kId, nullptr), VI_SUCCESS);
  EXPECT_EQ(Zor_SetAttrReadCallbackViInt32(vi_, 999, &ReadInt32), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
}

TEST_F(AttributeTest, EnumerationFlagsTypeAndName) {
  for (ViAttr id : {30u, 10u, 20u}) {
    ASSERT_EQ(Zor_AddAttributeViInt32(vi_, id, "a fairly long name", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  }
  ViInt32 count = 0;
  ASSERT_EQ(Zor_GetNumAttributes(vi_, &count), VI_SUCCESS);
  EXPECT_EQ(count, 3);
  ViAttr id = 0;
  for (ViInt32 i = 1; i <= 3; ++i) {
    ASSERT_EQ(Zor_GetNthAttribute(vi_, i, &id), VI_SUCCESS);
    EXPECT_EQ(id, static_cast<ViAttr>(10 * i));
  }
  EXPECT_EQ(Zor_GetNthAttribute(vi_, 4, &id), VI_SUCCESS);
  EXPECT_EQ(id, static_cast<ViAttr>(-1));
  EXPECT_EQ(Zor_GetNthAttribute(vi_, 0, &id), ZOR_ERROR_INDEX_ONE_BASED);
  EXPECT_EQ(Zor_GetNthAttribute(vi_, 1, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Zor_GetNumAttributes(vi_, nullptr), ZOR_ERROR_INVALID_PARAMETER);

  char name[5] = "####";
  EXPECT_EQ(Zor_GetAttributeName(vi_, 10, name, sizeof name), VI_SUCCESS);
  EXPECT_STREQ(name, "a fa");
  EXPECT_EQ(Zor_GetAttributeName(vi_, 10, nullptr, 5), ZOR_ERROR_INVALID_PARAMETER);
  ViInt32 type = 0;
  EXPECT_EQ(Zor_GetAttributeType(vi_, 10, &type), VI_SUCCESS);
  EXPECT_EQ(type, ZOR_TYPE_INT32);
  EXPECT_EQ(Zor_GetAttributeType(vi_, 11, &type), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(Zor_GetAttributeType(vi_, ZOR_ATTR_CLASS_DRIVER_PREFIX, &type), ZOR_ERROR_NOT_CLASS_SESSION);
}

TEST_F(AttributeTest, SetAttributeFlagsKeepsTheChannelBit) {
  BuildTable(vi_, "Channel", {"1", "2"});
  ASSERT_EQ(AddInt32(kId, ZOR_VAL_CHANNEL_BASED | ZOR_VAL_NEVER_CACHE), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeFlags(vi_, kId, 0), VI_SUCCESS);
  ViInt32 flags = -1;
  ASSERT_EQ(Zor_GetAttributeFlags(vi_, kId, &flags), VI_SUCCESS);
  EXPECT_EQ(flags, ZOR_VAL_CHANNEL_BASED);
  EXPECT_EQ(Zor_SetAttributeFlags(vi_, kId, ZOR_VAL_NEVER_CACHE | ZOR_VAL_ALWAYS_CACHE), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(TakeErrorInfo(vi_).secondary, ZOR_ERROR_PARAMETER3);
  ASSERT_EQ(Zor_GetAttributeFlags(vi_, kId, &flags), VI_SUCCESS);
  EXPECT_EQ(flags, ZOR_VAL_CHANNEL_BASED);
}

TEST_F(AttributeTest, ResolveInstance) {
  BuildTable(vi_, "One", {"only"});
  BuildTable(vi_, "Two", {"A", "b"});
  ASSERT_EQ(Zor_AddRepeatedAttributeViInt32(vi_, "One", 1, "one", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_AddRepeatedAttributeViInt32(vi_, "Two", 2, "two", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(AddInt32(3, 0), VI_SUCCESS);
  ASSERT_EQ(AddInt32(4, ZOR_VAL_NOT_SUPPORTED), VI_SUCCESS);
  struct Case {
    ViAttr id;
    const char* name;
    ViStatus status;
    ViInt32 index;
  };
  const Case cases[] = {
      {1, "", VI_SUCCESS, 1},     {1, nullptr, VI_SUCCESS, 1},
      {2, "", ZOR_ERROR_REPCAP_NAME_REQUIRED, 0},
      {2, "B", VI_SUCCESS, 2},    {2, "a", VI_SUCCESS, 1},
      {2, " a", ZOR_ERROR_UNKNOWN_REPCAP_NAME, 0},  // names are not trimmed
      {3, "x", ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED, 0}, {3, "", VI_SUCCESS, 1},
      {4, "", ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED, 0},
  };
  for (const auto& c : cases) {
    AttributeInstance* instance = nullptr;
    EXPECT_EQ(ResolveInstance(*Record(c.id), c.name, &instance), c.status) << c.id << " " << (c.name ? c.name : "null");
    if (c.status == VI_SUCCESS) {
      ASSERT_NE(instance, nullptr);
      EXPECT_EQ(instance->index, c.index);
    }
  }
  EXPECT_STREQ(Record(2)->instances[2]->repCapName, "b");
  Record(2)->instances[2].reset();  // as a restriction leaves it
  AttributeInstance* instance = nullptr;
  EXPECT_EQ(ResolveInstance(*Record(2), "b", &instance), ZOR_ERROR_ATTRIBUTE_NOT_VALID_FOR_REPCAP);
}

TEST_F(AttributeTest, ClassSessionFindsAttributesOfItsSpecificSession) {
  const ViSession specific = OpenSession();
  ASSERT_EQ(Zor_AddAttributeViReal64(specific, kId, "specific", 0.0, 0, nullptr, nullptr, nullptr, 0), VI_SUCCESS);
  ASSERT_EQ(AddInt32(kOtherId, 0), VI_SUCCESS);
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, specific), VI_SUCCESS);
  ViInt32 type = 0;
  ASSERT_EQ(Zor_GetAttributeType(vi_, kId, &type), VI_SUCCESS);
  EXPECT_EQ(type, ZOR_TYPE_REAL64);
  ViInt32 count = 0;
  ASSERT_EQ(Zor_GetNumAttributes(vi_, &count), VI_SUCCESS);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(Zor_GetAttributeType(vi_, 999, &type), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(Zor_ValidateAttribute(vi_, kId, ZOR_TYPE_REAL64), VI_SUCCESS);

  // Sessions linked in a ring answer as if the chain ended instead of searching forever.
  ASSERT_EQ(Zor_SetSpecificDriverSession(specific, vi_), VI_SUCCESS);
  EXPECT_EQ(Zor_GetAttributeType(vi_, 999, &type), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  ASSERT_EQ(Zor_GetAttributeType(vi_, kId, &type), VI_SUCCESS);
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, vi_), VI_SUCCESS);
  EXPECT_EQ(Zor_GetAttributeType(vi_, 999, &type), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);

  // A link to a session that is gone.
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, 0xFFFFF0u), VI_SUCCESS);
  EXPECT_EQ(Zor_GetAttributeType(vi_, kId, &type), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, VI_NULL), VI_SUCCESS);
  ASSERT_EQ(Zor_SetSpecificDriverSession(specific, VI_NULL), VI_SUCCESS);
}

TEST_F(AttributeTest, DeletingRemovesFromOtherAttributesInvalidationLists) {
  ASSERT_EQ(AddInt32(kId, 0), VI_SUCCESS);
  ASSERT_EQ(AddInt32(kOtherId, 0), VI_SUCCESS);
  AttributeRecord* invalidator = Record(kId);
  invalidator->invalidations = std::make_unique<OrderedArray<Invalidation>>();
  invalidator->invalidations->Append({Record(kOtherId), true});
  Data(vi_).coercionCursor = Record(kOtherId);
  EXPECT_EQ(Zor_DeleteAttribute(vi_, kOtherId), VI_SUCCESS);
  EXPECT_TRUE(invalidator->invalidations->empty());
  EXPECT_EQ(Data(vi_).coercionCursor, nullptr);
  EXPECT_EQ(Zor_DeleteAttribute(vi_, kOtherId), VI_SUCCESS);  // absent: not an error
}

TEST_F(AttributeTest, ValidateAndAvailability) {
  ASSERT_EQ(AddInt32(kId, 0), VI_SUCCESS);
  ASSERT_EQ(AddInt32(kOtherId, ZOR_VAL_NOT_SUPPORTED), VI_SUCCESS);
  struct Case {
    ViAttr id;
    ViInt32 type;
    ViStatus status;
    ViBoolean available;
  };
  const Case cases[] = {{kId, ZOR_TYPE_ANY, VI_SUCCESS, VI_TRUE},
                        {kId, ZOR_TYPE_INT32, VI_SUCCESS, VI_TRUE},
                        {kId, ZOR_TYPE_BOOLEAN, ZOR_ERROR_TYPE_MISMATCH, VI_TRUE},
                        {kOtherId, ZOR_TYPE_ANY, ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED, VI_FALSE},
                        {999, ZOR_TYPE_ANY, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN, VI_FALSE}};
  for (const auto& c : cases) {
    EXPECT_EQ(Zor_ValidateAttribute(vi_, c.id, c.type), c.status) << c.id;
    Zor_ClearErrorInfo(VI_NULL);
    Zor_SetErrorInfo(VI_NULL, VI_FALSE, ZOR_WARN_NO_RESET, 0, "kept");
    EXPECT_EQ(Zor_AttributeIsAvailable(vi_, c.id), c.available) << c.id;
    const ErrorInfo thread = TakeErrorInfo(VI_NULL);
    EXPECT_EQ(thread.primary, ZOR_WARN_NO_RESET);
    EXPECT_EQ(thread.elaboration, "kept");
  }
  EXPECT_EQ(Zor_AttributeIsAvailable(0xFFFFF0u, kId), VI_FALSE);
}

}  // namespace
}  // namespace zor::test
