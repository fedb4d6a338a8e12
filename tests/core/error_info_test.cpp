#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "engine_fixture.h"
#include "errors/error_info.h"
#include "zorbase.h"

namespace zor::test {
namespace {

using ErrorInfoTest = EngineTest;

constexpr ViStatus kWarn = ZOR_WARN_RESET_UNSUPPORTED;       // 0x3FFA0066
constexpr ViStatus kOtherWarn = ZOR_WARN_SELF_TEST_UNSUPPORTED;
constexpr ViStatus kError = ZOR_ERROR_INVALID_PARAMETER;      // 0xBFFA000F
constexpr ViStatus kOtherError = ZOR_ERROR_INVALID_VALUE;     // 0xBFFA0010
constexpr ViStatus kSecondary = ZOR_ERROR_PARAMETER2;
constexpr ViStatus kSecondaryWarn = ZOR_WARN_NO_RESET;

struct StoreCase {
  const char* what;
  ErrorInfo stored;
  ViBoolean overwrite;
  ViStatus p;
  ViStatus s;
  const char* e;
  ErrorInfo session;  // what the session holds afterwards
  ErrorInfo thread;   // what the thread holds afterwards
};

const StoreCase kStoreCases[] = {
    {"new error over a stored error changes nothing", {kError, 0, ""}, VI_FALSE, kOtherError, kSecondary, "x",
     {kError, 0, ""}, {kError, 0, ""}},
    {"error over a warning replaces all three", {kWarn, kSecondaryWarn, "w"}, VI_FALSE, kError, 0, nullptr,
     {kError, 0, ""}, {kError, kSecondaryWarn, ""}},
    {"warning over another warning changes nothing", {kWarn, 0, "w"}, VI_FALSE, kOtherWarn, kSecondary, "x",
     {kWarn, 0, "w"}, {kWarn, 0, "w"}},
    {"same error fills in the text", {kError, 0, ""}, VI_FALSE, kError, 0, "text",
     {kError, 0, "text"}, {kError, 0, "text"}},
    {"primary 0 adds text and secondary to a stored error", {kError, 0, ""}, VI_FALSE, 0, kSecondary, "more",
     {kError, kSecondary, "more"}, {kError, kSecondary, "more"}},
    {"a stored text is kept", {kError, 0, "first"}, VI_FALSE, kError, 0, "second",
     {kError, 0, "first"}, {kError, 0, "first"}},
    {"error into an empty record", {0, 0, ""}, VI_FALSE, kError, kSecondary, "e",
     {kError, kSecondary, "e"}, {kError, kSecondary, "e"}},
    {"overwrite takes everything; the thread keeps an error secondary", {kError, kSecondary, "old"}, VI_TRUE,
     kOtherError, kOtherError, "new", {kOtherError, kOtherError, "new"}, {kOtherError, kSecondary, "new"}},
    {"overwrite: an error secondary replaces a warning secondary in the thread", {kWarn, kSecondaryWarn, ""},
     VI_TRUE, kError, kSecondary, nullptr, {kError, kSecondary, ""}, {kError, kSecondary, ""}},
};

TEST_F(ErrorInfoTest, StoreRule) {
  for (const auto& c : kStoreCases) {
    // Stage the stored values in both holders with overwrite, then read them back to be sure.
    Zor_ClearErrorInfo(vi_);
    Zor_ClearErrorInfo(VI_NULL);
    ASSERT_EQ(Zor_SetErrorInfo(vi_, VI_TRUE, c.stored.primary, c.stored.secondary, c.stored.elaboration.c_str()),
              VI_SUCCESS);
    ASSERT_EQ(Zor_SetErrorInfo(vi_, c.overwrite, c.p, c.s, c.e), VI_SUCCESS);
    const ErrorInfo session = TakeErrorInfo(vi_);
    const ErrorInfo thread = TakeErrorInfo(VI_NULL);
    EXPECT_EQ(session.primary, c.session.primary) << c.what;
    EXPECT_EQ(session.secondary, c.session.secondary) << c.what;
    EXPECT_EQ(session.elaboration, c.session.elaboration) << c.what;
    EXPECT_EQ(thread.primary, c.thread.primary) << c.what;
    EXPECT_EQ(thread.secondary, c.thread.secondary) << c.what;
    EXPECT_EQ(thread.elaboration, c.thread.elaboration) << c.what;
  }
}

TEST_F(ErrorInfoTest, GetErrorInfoReadsAndClearsOneHolder) {
  ASSERT_EQ(Zor_SetErrorInfo(vi_, VI_FALSE, kError, kSecondary, "once"), VI_SUCCESS);
  ErrorInfo first = TakeErrorInfo(vi_);
  EXPECT_EQ(first.primary, kError);
  EXPECT_EQ(first.secondary, kSecondary);
  EXPECT_EQ(first.elaboration, "once");
  ErrorInfo second = TakeErrorInfo(vi_);
  EXPECT_EQ(second.primary, 0);
  EXPECT_EQ(second.secondary, 0);
  EXPECT_EQ(second.elaboration, "");
  EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, kError);  // the thread's copy is still there
}

TEST_F(ErrorInfoTest, LongElaborationsComeBackCutTo255) {
  const std::string text(300, 'x');
  ASSERT_EQ(Zor_SetErrorInfo(vi_, VI_FALSE, kError, 0, text.c_str()), VI_SUCCESS);
  EXPECT_EQ(TakeErrorInfo(vi_).elaboration, std::string(255, 'x'));
}

TEST_F(ErrorInfoTest, NullOutputsAreSkippedAndStillClear) {
  ASSERT_EQ(Zor_SetErrorInfo(vi_, VI_FALSE, kError, kSecondary, "t"), VI_SUCCESS);
  EXPECT_EQ(Zor_GetErrorInfo(vi_, nullptr, nullptr, nullptr), VI_SUCCESS);
  EXPECT_EQ(TakeErrorInfo(vi_).primary, 0);
}

TEST_F(ErrorInfoTest, BadHandles) {
  EXPECT_EQ(Zor_SetErrorInfo(0xFFFFF0u, VI_FALSE, kError, 0, "thread"), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, kError);  // the thread was updated first
  ViStatus primary = 7;
  ViStatus secondary = 7;
  char text[256] = "untouched";
  EXPECT_EQ(Zor_GetErrorInfo(0xFFFFF0u, &primary, &secondary, text), VI_SUCCESS);
  EXPECT_EQ(primary, 7);
  EXPECT_EQ(secondary, 0);
  EXPECT_STREQ(text, "untouched");
  EXPECT_EQ(Zor_ClearErrorInfo(0xFFFFF0u), ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(ErrorInfoTest, ThreadHoldersAreSeparate) {
  ASSERT_EQ(Zor_SetErrorInfo(VI_NULL, VI_FALSE, kError, kSecondary, "main"), VI_SUCCESS);
  std::thread other([] {
    const ErrorInfo fresh = TakeErrorInfo(VI_NULL);
    EXPECT_EQ(fresh.primary, 0);
    EXPECT_EQ(fresh.secondary, 0);
  });
  other.join();
  EXPECT_EQ(TakeErrorInfo(VI_NULL).secondary, kSecondary);
}

TEST(ParamPositionError, MapsPositionsOneToEight) {
  for (ViInt32 position = 1; position <= 8; ++position) {
    EXPECT_EQ(Zor_ParamPositionError(position), ZOR_ERROR_PARAMETER1 + position - 1);
  }
  for (ViInt32 position : {0, 9, -1}) EXPECT_EQ(Zor_ParamPositionError(position), ZOR_ERROR_INVALID_PARAMETER);
}

TEST_F(ErrorInfoTest, InstrumentSpecificErrorQueue) {
  for (ViInt32 code = 1; code <= 11; ++code) {
    EXPECT_EQ(Zor_QueueInstrSpecificError(vi_, code, code == 2 ? nullptr : "message"), VI_SUCCESS);
  }
  const std::string longMessage(400, 'm');
  ViInt32 size = -1;
  EXPECT_EQ(Zor_InstrSpecificErrorQueueSize(vi_, &size), VI_SUCCESS);
  EXPECT_EQ(size, 10);  // the eleventh was dropped
  ViInt32 code = 0;
  char message[256];
  EXPECT_EQ(Zor_DequeueInstrSpecificError(vi_, &code, message), VI_SUCCESS);
  EXPECT_EQ(code, 1);
  EXPECT_STREQ(message, "message");
  EXPECT_EQ(Zor_DequeueInstrSpecificError(vi_, &code, message), VI_SUCCESS);
  EXPECT_EQ(code, 2);
  EXPECT_STREQ(message, "");
  EXPECT_EQ(Zor_DequeueInstrSpecificError(vi_, nullptr, nullptr), VI_SUCCESS);
  EXPECT_EQ(Zor_ClearInstrSpecificErrorQueue(vi_), VI_SUCCESS);
  EXPECT_EQ(Zor_InstrSpecificErrorQueueSize(vi_, nullptr), VI_SUCCESS);
  EXPECT_EQ(Zor_DequeueInstrSpecificError(vi_, &code, message), ZOR_ERROR_ITEM_NOT_AVAILABLE);
  EXPECT_EQ(TakeErrorInfo(vi_).primary, ZOR_ERROR_ITEM_NOT_AVAILABLE);
  ASSERT_EQ(Zor_QueueInstrSpecificError(vi_, 5, longMessage.c_str()), VI_SUCCESS);
  EXPECT_EQ(Zor_DequeueInstrSpecificError(vi_, &code, message), VI_SUCCESS);
  EXPECT_EQ(std::string(message), std::string(255, 'm'));
  EXPECT_EQ(Zor_QueueInstrSpecificError(0xFFFFF0u, 1, "x"), ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(ErrorInfoTest, AttributeElaborationNamesAttributeAndChannel) {
  ASSERT_EQ(Zor_AddAttributeViBoolean(vi_, ZOR_ATTR_CACHE, "ZOR_ATTR_CACHE", VI_TRUE, 0, nullptr, nullptr),
            VI_SUCCESS);
  struct Case {
    ViAttr attribute;
    const char* channel;
    const char* elaboration;
  };
  const Case cases[] = {
      {ZOR_ATTR_CACHE, "CH1", "Attribute: ZOR_ATTR_CACHE, Channel: CH1"},
      {ZOR_ATTR_CACHE, nullptr, "Attribute: ZOR_ATTR_CACHE"},
      {kNoAttribute, "CH1", "Channel: CH1"},
      {kNoAttribute, "   ", ""},
      {kNoAttribute, " CH1", "Channel:  CH1"},  // leading blanks are kept
  };
  for (const auto& c : cases) {
    Zor_ClearErrorInfo(vi_);
    EXPECT_EQ(SetAttributeErrorInfo(vi_, kError, c.attribute, c.channel), VI_SUCCESS);
    const ErrorInfo info = TakeErrorInfo(vi_);
    EXPECT_EQ(info.primary, kError);
    EXPECT_EQ(info.elaboration, c.elaboration);
  }
  const std::string longChannel(400, 'c');
  Zor_ClearErrorInfo(vi_);
  EXPECT_EQ(SetAttributeErrorInfo(vi_, kError, ZOR_ATTR_CACHE, longChannel.c_str()), VI_SUCCESS);
  EXPECT_EQ(TakeErrorInfo(vi_).elaboration.size(), 255u);
  Zor_ClearErrorInfo(vi_);
  EXPECT_EQ(SetAttributeErrorInfo(vi_, kError, 12345, "CH1"), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
}

}  // namespace
}  // namespace zor::test
