#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "status_codes.h"
#include "zorbase.h"

namespace zor::test {
namespace {

constexpr ViStatus kWarning = Status(0x3FFA0065);
constexpr ViStatus kOtherWarning = Status(0x3FFA0066);
constexpr ViStatus kError = Status(0xBFFA000F);
constexpr ViStatus kOtherError = Status(0xBFFA0011);

struct Record {
  ViStatus code;
  std::string text;
};

Record SessionRecordOf(ViSession vi) {
  Record r{};
  ViConstString text = nullptr;
  EXPECT_EQ(ZorSessionError_GetErrorCode(vi, &r.code), 0);
  EXPECT_EQ(ZorSessionError_GetErrorDescription(vi, &text), 0);
  r.text = text;
  return r;
}

Record ThreadRecordOf() {
  Record r{};
  ViConstString text = nullptr;
  EXPECT_EQ(ZorThreadError_GetErrorCode(&r.code), 0);
  EXPECT_EQ(ZorThreadError_GetErrorDescription(&text), 0);
  r.text = text;
  return r;
}

class ErrorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ZorSession_New(&vi_), 0);
    ASSERT_EQ(ZorSession_ClearError(0), 0);
  }
  void TearDown() override {
    EXPECT_EQ(ZorSession_Dispose(vi_), 0);
    ZorSession_ClearError(0);
  }
  ViSession vi_ = 0;
};

TEST_F(ErrorTest, FreshThreadHasAnEmptyRecord) {
  std::thread fresh([] {
    ViStatus code = -1;
    EXPECT_EQ(ZorSession_GetError(0, 0, &code, nullptr), 1);
    EXPECT_EQ(code, 0);
  });
  fresh.join();
}

TEST_F(ErrorTest, PrecedenceRule) {
  struct Case {
    ViStatus storedCode;
    const char* storedText;
    ViStatus newCode;
    const char* newText;
    bool replaced;
  };
  const Case cases[] = {
      {0, "", kError, "new", true},                  // error over success
      {kWarning, "w", kError, "new", true},           // error over warning
      {kError, "e", kOtherError, "new", false},       // first error stays
      {0, "", kWarning, "new", true},                 // warning over success
      {kWarning, "w", kOtherWarning, "new", false},   // warning never replaces a warning
      {kError, "e", kWarning, "new", false},          // ... nor an error
      {kError, "e", 0, "new", false},                 // success never replaces anything
      {kWarning, "w", 0, "new", false},
      {0, "", 0, "new", true},                        // the same status (even 0) fills in a text
      {kError, "", kError, "filled", true},           // same status fills in a missing text
      {kError, "e", kError, "other", false},          // ... but never replaces one
      {kWarning, "", kWarning, "filled", true},
  };
  for (const auto& c : cases) {
    for (bool onSession : {true, false}) {
      // Stage the stored record directly, then offer the new status.
      ASSERT_EQ(ZorSessionError_SetErrorCode(vi_, c.storedCode), 0);
      ASSERT_EQ(ZorSessionError_SetErrorDescription(vi_, c.storedText), 0);
      ASSERT_EQ(ZorThreadError_SetErrorCode(c.storedCode), 0);
      ASSERT_EQ(ZorThreadError_SetErrorDescription(c.storedText), 0);
      ASSERT_EQ(ZorSession_SetError(onSession ? vi_ : 0, c.newCode, c.newText), 0);
      const Record expected = c.replaced ? Record{c.newCode, c.newText} : Record{c.storedCode, c.storedText};
      const Record thread = ThreadRecordOf();
      EXPECT_EQ(thread.code, expected.code) << std::hex << c.storedCode << " <- " << c.newCode;
      EXPECT_EQ(thread.text, expected.text) << std::hex << c.storedCode << " <- " << c.newCode;
      const Record session = SessionRecordOf(vi_);
      const Record sessionExpected = onSession ? expected : Record{c.storedCode, c.storedText};
      EXPECT_EQ(session.code, sessionExpected.code) << "session " << onSession;
      EXPECT_EQ(session.text, sessionExpected.text) << "session " << onSession;
    }
  }
}

TEST_F(ErrorTest, FirstErrorWinsOnSessionAndThread) {
  ASSERT_EQ(ZorSession_SetError(vi_, kError, "A"), 0);
  ASSERT_EQ(ZorSession_SetError(vi_, kOtherError, "B"), 0);
  const Record session = SessionRecordOf(vi_);
  const Record thread = ThreadRecordOf();
  EXPECT_EQ(session.code, kError);
  EXPECT_EQ(session.text, "A");
  EXPECT_EQ(thread.code, kError);
  EXPECT_EQ(thread.text, "A");
}

TEST_F(ErrorTest, SetErrorOnAnInvalidSessionStillReachesTheThread) {
  EXPECT_EQ(ZorSession_SetError(0xFFFFFFF0u, kError, "T"), kInvalidSession);
  EXPECT_EQ(ThreadRecordOf().code, kError);
}

TEST_F(ErrorTest, NullTextMeansEmptyAndLongTextsAreCut) {
  ASSERT_EQ(ZorSession_SetError(vi_, kError, nullptr), 0);
  EXPECT_EQ(SessionRecordOf(vi_).text, "");
  const std::string longText(1500, 'x');
  ASSERT_EQ(ZorSession_SetError(vi_, kError, longText.c_str()), 0);  // fills in the empty text
  EXPECT_EQ(SessionRecordOf(vi_).text, std::string(1024, 'x'));
  ASSERT_EQ(ZorSessionError_SetErrorDescription(vi_, longText.c_str()), 0);
  EXPECT_EQ(SessionRecordOf(vi_).text.size(), 1024u);
  ASSERT_EQ(ZorThreadError_SetErrorDescription(longText.c_str()), 0);
  EXPECT_EQ(ThreadRecordOf().text.size(), 1024u);
  ASSERT_EQ(ZorThreadError_SetErrorDescription(nullptr), 0);
  EXPECT_EQ(ThreadRecordOf().text, "");
}

TEST_F(ErrorTest, GetErrorFollowsTheBufferRuleAndClearsOnlyWhenWholeTextDelivered) {
  struct Case {
    ViInt32 size;
    ViStatus result;
    const char* delivered;  // nullptr: buffer untouched
    bool cleared;
  };
  const Case cases[] = {
      {0, 11, nullptr, false},
      {5, 11, "abcd", false},
      {10, 11, "abcdefghi", false},
      {11, 0, "abcdefghij", true},
      {64, 0, "abcdefghij", true},
      {-1, 0, "abcdefghij", true},
  };
  for (ViSession target : {vi_, ViSession{0}}) {
    for (const auto& c : cases) {
      if (target == 0) {
        ASSERT_EQ(ZorThreadError_SetErrorCode(kError), 0);
        ASSERT_EQ(ZorThreadError_SetErrorDescription("abcdefghij"), 0);
      } else {
        ASSERT_EQ(ZorSessionError_SetErrorCode(vi_, kError), 0);
        ASSERT_EQ(ZorSessionError_SetErrorDescription(vi_, "abcdefghij"), 0);
      }
      char buffer[64];
      std::memset(buffer, '#', sizeof buffer);
      buffer[63] = '\0';
      ViStatus code = 0;
      EXPECT_EQ(ZorSession_GetError(target, c.size, &code, c.size == 0 ? nullptr : buffer), c.result)
          << "size " << c.size;
      EXPECT_EQ(code, kError);
      if (c.delivered != nullptr) {
        EXPECT_STREQ(buffer, c.delivered) << "size " << c.size;
      }
      const Record after = target == 0 ? ThreadRecordOf() : SessionRecordOf(vi_);
      EXPECT_EQ(after.code, c.cleared ? 0 : kError) << "size " << c.size;
      EXPECT_EQ(after.text, c.cleared ? "" : "abcdefghij") << "size " << c.size;
    }
  }
}

TEST_F(ErrorTest, GetErrorWithNullBufferAndNonzeroSize) {
  ASSERT_EQ(ZorSession_SetError(vi_, kError, "abc"), 0);
  ViStatus code = 0;
  EXPECT_EQ(ZorSession_GetError(vi_, 10, &code, nullptr), kNullPointer);
  EXPECT_EQ(code, kError);  // stored before the buffer was refused
  EXPECT_EQ(SessionRecordOf(vi_).code, kError);
  EXPECT_EQ(ZorSession_GetError(vi_, 0, nullptr, nullptr), 4);  // NULL code output is allowed
}

TEST_F(ErrorTest, ClearErrorClearsExactlyOneRecord) {
  ASSERT_EQ(ZorSession_SetError(vi_, kError, "both"), 0);
  ASSERT_EQ(ZorSession_ClearError(vi_), 0);
  EXPECT_EQ(SessionRecordOf(vi_).code, 0);
  EXPECT_EQ(ThreadRecordOf().code, kError);
  ASSERT_EQ(ZorSession_SetError(vi_, kError, "both"), 0);
  ASSERT_EQ(ZorSession_ClearError(0), 0);
  EXPECT_EQ(ThreadRecordOf().code, 0);
  EXPECT_EQ(SessionRecordOf(vi_).code, kError);
}

TEST_F(ErrorTest, DescriptionIsHandedOutByAddressNotCopied) {
  ViConstString first = nullptr;
  ViConstString second = nullptr;
  ASSERT_EQ(ZorSessionError_GetErrorDescription(vi_, &first), 0);
  ASSERT_EQ(ZorSessionError_SetErrorDescription(vi_, "changed"), 0);
  ASSERT_EQ(ZorSessionError_GetErrorDescription(vi_, &second), 0);
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, "changed");
}

TEST_F(ErrorTest, NullOutputsAndInvalidSessions) {
  EXPECT_EQ(ZorSessionError_GetErrorCode(vi_, nullptr), kNullPointer);
  EXPECT_EQ(ZorSessionError_GetErrorDescription(vi_, nullptr), kNullPointer);
  EXPECT_EQ(ZorThreadError_GetErrorCode(nullptr), kNullPointer);
  EXPECT_EQ(ZorThreadError_GetErrorDescription(nullptr), kNullPointer);
  ViStatus code = 0;
  ViConstString text = nullptr;
  for (ViSession bad : {ViSession{0}, ViSession{0xFFFFFF00u}}) {
    EXPECT_EQ(ZorSessionError_SetErrorCode(bad, kError), kInvalidSession);
    EXPECT_EQ(ZorSessionError_SetErrorDescription(bad, "x"), kInvalidSession);
    EXPECT_EQ(ZorSessionError_GetErrorCode(bad, &code), kInvalidSession);
    EXPECT_EQ(ZorSessionError_GetErrorDescription(bad, &text), kInvalidSession);
  }
  EXPECT_EQ(ZorSession_ClearError(0xFFFFFF00u), kInvalidSession);
  EXPECT_EQ(ZorSession_GetError(0xFFFFFF00u, 0, &code, nullptr), kInvalidSession);
  // These functions do not record their own failures.
  EXPECT_EQ(ThreadRecordOf().code, 0);
}

TEST_F(ErrorTest, ThreadRecordsAreIndependentAndFreedWithTheirThread) {
  ASSERT_EQ(ZorThreadError_SetErrorCode(kError), 0);
  for (int i = 0; i < 20; ++i) {  // records of ended threads are freed (LeakSanitizer checks)
    std::thread other([] {
      EXPECT_EQ(ThreadRecordOf().code, 0);
      EXPECT_EQ(ZorThreadError_SetErrorCode(kWarning), 0);
      EXPECT_EQ(ZorThreadError_SetErrorDescription("other thread"), 0);
    });
    other.join();
  }
  EXPECT_EQ(ThreadRecordOf().code, kError);
}

}  // namespace
}  // namespace zor::test
