// A driver and an application, through the exported functions of the shared engine only: the
// driver opens its session from a prefix and an option string, defines attributes with a range
// table and channels; the application sets, gets, checks, invalidates and reads coercions.
#include <gtest/gtest.h>

#include <string>

#include "zor.h"

namespace {

constexpr ViAttr kRange = 1250001;     // per channel, coerced by a range table
constexpr ViAttr kFunction = 1250002;  // writing it invalidates the range
constexpr ViAttr kTrigger = 1250003;   // driver-private

int gWrites = 0;
ViStatus WriteRange(ViSession, ViSession, ViConstString, ViAttr, ViReal64) {
  ++gWrites;
  return VI_SUCCESS;
}
ViStatus ReadRange(ViSession, ViSession, ViConstString, ViAttr, ViReal64* value) {
  *value = 10.0;
  return VI_SUCCESS;
}
ViStatus WriteFunction(ViSession, ViSession, ViConstString, ViAttr, ViInt32) { return VI_SUCCESS; }

RangeTableEntry kRangeRows[] = {
    {0.0, 1.0, 1.0, const_cast<ViString>("1"), 1},
    {1.0, 10.0, 10.0, const_cast<ViString>("10"), 2},
    {10.0, 100.0, 100.0, const_cast<ViString>("100"), 3},
    ZOR_RANGE_TABLE_LAST_ENTRY,
};
RangeTable kRangeTable = {ZOR_RANGE_COERCED, VI_TRUE, VI_TRUE, nullptr, kRangeRows};

// What a driver's initialization does.
ViSession OpenDriver(const char* options) {
  ViSession vi = VI_NULL;
  EXPECT_EQ(Zor_SpecificDriverNew("ab12", options, &vi), VI_SUCCESS);
  EXPECT_EQ(Zor_BuildChannelTable(vi, "CH1,CH2", 0, 0), VI_SUCCESS);
  EXPECT_EQ(Zor_AddAttributeViReal64(vi, kRange, "RANGE", 1.0, ZOR_VAL_CHANNEL_BASED, &ReadRange, &WriteRange,
                                     &kRangeTable, 0),
            VI_SUCCESS);
  EXPECT_EQ(Zor_AddAttributeViInt32(vi, kFunction, "FUNCTION", 1, 0, nullptr, &WriteFunction, nullptr), VI_SUCCESS);
  EXPECT_EQ(Zor_AddAttributeViInt32(vi, kTrigger, "TRIGGER", 0, ZOR_VAL_HIDDEN, nullptr, nullptr, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(Zor_AddAttributeInvalidation(vi, kFunction, kRange, VI_TRUE), VI_SUCCESS);
  return vi;
}

TEST(EndToEnd, ADriverAndItsApplication) {
  const ViSession vi = OpenDriver("RecordCoercions=1, Cache=1");
  const ViInt32 user = ZOR_VAL_USER_CALL;

  // Coerced to the table's value, written once, then served from the cache.
  gWrites = 0;
  ASSERT_EQ(Zor_SetAttributeViReal64(vi, "CH2", kRange, user, 5.0), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi, "ch2", kRange, user, 7.0), VI_SUCCESS);
  EXPECT_EQ(gWrites, 1);
  ViReal64 range = 0;
  ASSERT_EQ(Zor_GetAttributeViReal64(vi, "CH2", kRange, user, &range), VI_SUCCESS);
  EXPECT_EQ(range, 10.0);

  // Out of the table's range: refused by the check, and explained.
  EXPECT_EQ(Zor_CheckAttributeViReal64(vi, "CH1", kRange, user, 500.0), ZOR_ERROR_INVALID_VALUE);
  ViStatus primary = 0;
  ViStatus secondary = 0;
  char elaboration[256] = "";
  ASSERT_EQ(Zor_GetErrorInfo(vi, &primary, &secondary, elaboration), VI_SUCCESS);
  EXPECT_EQ(primary, ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(std::string(elaboration), "Attribute: RANGE, Channel: CH1");

  // The coercions were recorded, in order of instance and value.
  char sentence[128];
  ASSERT_EQ(Zor_GetNextCoercionString(vi, sizeof sentence, sentence), VI_SUCCESS);
  EXPECT_EQ(std::string(sentence).rfind("Attribute RANGE on CH2 coerced from 5", 0), 0u) << sentence;
  ASSERT_EQ(Zor_GetNextCoercionString(vi, sizeof sentence, sentence), VI_SUCCESS);
  EXPECT_EQ(std::string(sentence).rfind("Attribute RANGE on CH2 coerced from 7", 0), 0u) << sentence;
  ASSERT_EQ(Zor_GetNextCoercionString(vi, sizeof sentence, sentence), VI_SUCCESS);
  EXPECT_STREQ(sentence, "");

  // Writing the function invalidates the ranges of every channel.
  ViBoolean cached = VI_FALSE;
  ASSERT_EQ(Zor_AttributeIsCached(vi, "CH2", kRange, &cached), VI_SUCCESS);
  EXPECT_EQ(cached, VI_TRUE);
  ASSERT_EQ(Zor_SetAttributeViInt32(vi, nullptr, kFunction, user, 2), VI_SUCCESS);
  ASSERT_EQ(Zor_AttributeIsCached(vi, "CH2", kRange, &cached), VI_SUCCESS);
  EXPECT_EQ(cached, VI_FALSE);
  EXPECT_EQ(Zor_AttributeWasSetByUser(vi, "CH2", kRange), VI_FALSE);
  EXPECT_EQ(Zor_AttributeEverSetByUser(vi, "CH2", kRange), VI_TRUE);

  // The application cannot reach the driver's private attribute; the driver can.
  ViInt32 trigger = -1;
  EXPECT_EQ(Zor_GetAttributeViInt32(vi, nullptr, kTrigger, user, &trigger), ZOR_ERROR_ATTRIBUTE_WRITE_ONLY);
  EXPECT_EQ(Zor_GetAttributeViInt32(vi, nullptr, kTrigger, 0, &trigger), VI_SUCCESS);
  // Session switches are attributes too, read-only where they must be.
  ViBoolean recording = VI_FALSE;
  ASSERT_EQ(Zor_GetAttributeViBoolean(vi, nullptr, ZOR_ATTR_RECORD_COERCIONS, user, &recording), VI_SUCCESS);
  EXPECT_EQ(recording, VI_TRUE);
  ViInt32 channels = 0;
  ASSERT_EQ(Zor_GetAttributeViInt32(vi, nullptr, ZOR_ATTR_CHANNEL_COUNT, user, &channels), VI_SUCCESS);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(Zor_SetAttributeViInt32(vi, nullptr, ZOR_ATTR_CHANNEL_COUNT, user, 3), ZOR_ERROR_ATTRIBUTE_READ_ONLY);

  EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
  Zor_ClearErrorInfo(VI_NULL);
}

TEST(EndToEnd, SimulatedSessionsNeverReachTheInstrument) {
  const ViSession vi = OpenDriver("Simulate=1");
  gWrites = 0;
  ASSERT_EQ(Zor_SetAttributeViReal64(vi, "CH1", kRange, ZOR_VAL_USER_CALL, 50.0), VI_SUCCESS);
  EXPECT_EQ(gWrites, 0);
  ViReal64 range = 0;
  ASSERT_EQ(Zor_GetAttributeViReal64(vi, "CH1", kRange, 0, &range), VI_SUCCESS);
  EXPECT_EQ(range, 100.0);
  EXPECT_EQ(Zor_SetAttributeViBoolean(vi, nullptr, ZOR_ATTR_SIMULATE, 0, VI_FALSE), ZOR_ERROR_SIMULATION_STATE_FIXED);
  EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
  Zor_ClearErrorInfo(VI_NULL);
}

TEST(EndToEnd, BadOptionStringsOpenNothing) {
  ViSession vi = 12345;
  EXPECT_EQ(Zor_SpecificDriverNew("ab12", "Simulate=maybe", &vi), ZOR_ERROR_UNKNOWN_OPTION_VALUE);
  EXPECT_EQ(vi, static_cast<ViSession>(VI_NULL));
  Zor_ClearErrorInfo(VI_NULL);
}

}  // namespace
