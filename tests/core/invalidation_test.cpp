// Invalidation lists, the apply step of the set pipeline, explicit invalidation and the cache
// queries. State bits are prepared directly on the instances so that each behaviour is seen
// in isolation from the set and get pipelines.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/attribute.h"
#include "core/invalidation.h"
#include "engine_fixture.h"

namespace zor::test {
namespace {

constexpr std::uint8_t kAllStateBits = kCacheValid | kSetByUser | kEverSetByUser | kRequestedValueHeld;
constexpr std::uint8_t kAfterInvalidation = kEverSetByUser;  // what invalidation leaves of the above
constexpr ViSession kNoSuchSession = 0xFFFFF0u;

// Attribute ids of the fixture.
constexpr ViAttr kA = 1250001;      // per channel (CH1..CH3)
constexpr ViAttr kB = 1250002;      // per channel (CH1..CH3)
constexpr ViAttr kC = 1250003;      // not repeated
constexpr ViAttr kD = 1250004;      // per channel, marked not supported
constexpr ViAttr kE = 1250005;      // per pair (P1, P2): fewer instances than the channels
constexpr ViAttr kF = 1250006;      // not repeated
constexpr ViAttr kSingle = 1250007; // over a one-name capability
constexpr ViAttr kUnknown = 1259999;

class InvalidationTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    BuildTable(vi_, "Channel", {"CH1", "CH2", "CH3"});
    BuildTable(vi_, "Pair", {"P1", "P2"});
    BuildTable(vi_, "Only", {"O1"});
    ASSERT_EQ(AddRepeated("Channel", kA, "A", 0), VI_SUCCESS);
    ASSERT_EQ(AddRepeated("Channel", kB, "B", 0), VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViInt32(vi_, kC, "C", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
    ASSERT_EQ(AddRepeated("Channel", kD, "D", ZOR_VAL_NOT_SUPPORTED), VI_SUCCESS);
    ASSERT_EQ(AddRepeated("Pair", kE, "E", 0), VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViInt32(vi_, kF, "F", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
    ASSERT_EQ(AddRepeated("Only", kSingle, "Single", 0), VI_SUCCESS);
    MarkAll(kAllStateBits);
  }

  ViStatus AddRepeated(const char* table, ViAttr id, const char* name, ViInt32 flags) {
    return Zor_AddRepeatedAttributeViInt32(vi_, table, id, name, 0, flags, nullptr, nullptr, nullptr);
  }

  AttributeRecord& Record(ViAttr id) { return *FindOwnAttribute(Data(vi_), id); }
  std::uint8_t& State(ViAttr id, ViInt32 position) { return Record(id).instances[position]->state; }

  void MarkAll(std::uint8_t state) {
    for (auto& record : Data(vi_).attributes) {
      for (auto& instance : record->instances) {
        if (instance) instance->state = state;
      }
    }
  }

  // The states of every instance of `id`, in order (-1 for a missing instance).
  std::vector<int> States(ViAttr id) {
    std::vector<int> states;
    for (auto& instance : Record(id).instances) states.push_back(instance ? instance->state : -1);
    return states;
  }

  std::vector<std::pair<ViAttr, ViBoolean>> List(ViAttr id) {
    InvalidationEntry* entries = nullptr;
    ViInt32 count = -1;
    EXPECT_EQ(Zor_GetInvalidationList(vi_, id, &entries, &count), VI_SUCCESS);
    std::vector<std::pair<ViAttr, ViBoolean>> list;
    if (entries == nullptr) return list;
    for (ViInt32 i = 0; i < count; ++i) list.emplace_back(entries[i].attributeId, entries[i].allInstances);
    EXPECT_EQ(entries[count].attributeId, static_cast<ViAttr>(-1));  // the end element
    EXPECT_EQ(entries[count].allInstances, VI_FALSE);
    Zor_DisposeInvalidationList(entries);
    return list;
  }
};

using Entries = std::vector<std::pair<ViAttr, ViBoolean>>;

TEST_F(InvalidationTest, EntriesKeepTheirOrderAndTheFirstFlagOfATarget) {
  EXPECT_EQ(List(kA), Entries{});  // no list yet: only the end element
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kB, VI_FALSE), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kC, VI_TRUE), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kF, VI_FALSE), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kB, VI_TRUE), VI_SUCCESS);  // already there
  EXPECT_EQ(List(kA), (Entries{{kB, VI_FALSE}, {kC, VI_TRUE}, {kF, VI_FALSE}}));
  // A flag other than VI_TRUE still reads back as VI_TRUE.
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kC, kA, 7), VI_SUCCESS);
  EXPECT_EQ(List(kC), (Entries{{kA, VI_TRUE}}));

  ASSERT_EQ(Zor_DeleteAttributeInvalidation(vi_, kA, kC), VI_SUCCESS);
  EXPECT_EQ(List(kA), (Entries{{kB, VI_FALSE}, {kF, VI_FALSE}}));
  // Missing entries and missing lists are no error.
  EXPECT_EQ(Zor_DeleteAttributeInvalidation(vi_, kA, kC), VI_SUCCESS);
  EXPECT_EQ(Zor_DeleteAttributeInvalidation(vi_, kB, kA), VI_SUCCESS);
  ASSERT_EQ(Zor_DeleteAttributeInvalidation(vi_, kA, kB), VI_SUCCESS);
  ASSERT_EQ(Zor_DeleteAttributeInvalidation(vi_, kA, kF), VI_SUCCESS);
  EXPECT_EQ(List(kA), Entries{});  // emptied, not gone
  EXPECT_EQ(TakeErrorInfo(vi_).primary, VI_SUCCESS);
}

TEST_F(InvalidationTest, AnAttributeCannotInvalidateItself) {
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kB, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kA, VI_TRUE), ZOR_ERROR_INVALID_VALUE);
  const ErrorInfo recorded = TakeErrorInfo(vi_);
  EXPECT_EQ(recorded.primary, ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(recorded.elaboration, "An attribute cannot invalidate itself");
  // Refused before the lookup: even an unknown id gets the same answer.
  EXPECT_EQ(Zor_AddAttributeInvalidation(vi_, kUnknown, kUnknown, VI_TRUE), ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(Zor_DeleteAttributeInvalidation(vi_, kA, kA), VI_SUCCESS);
  EXPECT_EQ(List(kA), (Entries{{kB, VI_TRUE}}));
}

TEST_F(InvalidationTest, ListOperationsRefuseUnknownAttributesAndSessions) {
  struct Case {
    const char* what;
    ViSession vi;
    ViAttr owner;
    ViAttr target;
    ViStatus expected;
  };
  const Case cases[] = {
      {"unknown owner", vi_, kUnknown, kB, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN},
      {"unknown target", vi_, kA, kUnknown, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN},
      {"class-only target", vi_, kA, ZOR_ATTR_CLASS_DRIVER_PREFIX, ZOR_ERROR_NOT_CLASS_SESSION},
      {"no session", kNoSuchSession, kA, kB, ZOR_ERROR_INVALID_SESSION_HANDLE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Zor_AddAttributeInvalidation(c.vi, c.owner, c.target, VI_TRUE), c.expected);
    EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, c.expected);
    EXPECT_EQ(Zor_DeleteAttributeInvalidation(c.vi, c.owner, c.target), c.expected);
    EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, c.expected);
    if (c.vi == vi_) {
      EXPECT_EQ(TakeErrorInfo(vi_).primary, c.expected);
    }
  }
  EXPECT_EQ(List(kA), Entries{});

  // The outputs are emptied before anything can fail, and stay so.
  for (const ViSession vi : {vi_, kNoSuchSession}) {
    auto* stale = reinterpret_cast<InvalidationEntry*>(0x1);
    ViInt32 count = 99;
    const ViStatus expected = vi == vi_ ? ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN : ZOR_ERROR_INVALID_SESSION_HANDLE;
    EXPECT_EQ(Zor_GetInvalidationList(vi, kUnknown, &stale, &count), expected);
    EXPECT_EQ(stale, nullptr);
    EXPECT_EQ(count, 0);
  }
  // Either output may be left out.
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kB, VI_TRUE), VI_SUCCESS);
  ViInt32 count = 0;
  EXPECT_EQ(Zor_GetInvalidationList(vi_, kA, nullptr, &count), VI_SUCCESS);
  EXPECT_EQ(count, 1);
  InvalidationEntry* entries = nullptr;
  EXPECT_EQ(Zor_GetInvalidationList(vi_, kA, &entries, nullptr), VI_SUCCESS);
  ASSERT_NE(entries, nullptr);
  EXPECT_EQ(entries[0].attributeId, kB);
  EXPECT_EQ(entries[1].attributeId, static_cast<ViAttr>(-1));
  Zor_DisposeInvalidationList(entries);
  Zor_DisposeInvalidationList(nullptr);
}

TEST_F(InvalidationTest, DeletingAnAttributeRemovesItFromEveryList) {
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kB, VI_TRUE), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kC, VI_TRUE), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kF, kB, VI_FALSE), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kB, kC, VI_FALSE), VI_SUCCESS);  // B's own list goes with it
  ASSERT_EQ(Zor_DeleteAttribute(vi_, kB), VI_SUCCESS);
  EXPECT_EQ(List(kA), (Entries{{kC, VI_TRUE}}));
  EXPECT_EQ(List(kF), Entries{});
  // Applying what is left touches only live records.
  EXPECT_EQ(ApplyInvalidations(Record(kA), 1), VI_SUCCESS);
  EXPECT_EQ(States(kC), std::vector<int>{kAfterInvalidation});
}

TEST_F(InvalidationTest, TargetsInALinkedSessionAreRefused) {
  // Entries name records of their own session only: nothing would prune an entry whose target
  // went away with another session.
  const ViSession specific = OpenSession();
  ASSERT_EQ(Zor_AddAttributeViInt32(specific, 1260001, "S1", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViInt32(specific, 1260002, "S2", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, specific), VI_SUCCESS);
  EXPECT_EQ(Zor_AddAttributeInvalidation(vi_, kC, 1260001, VI_TRUE), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  // Both reached through the link: the entry lives in the specific session.
  EXPECT_EQ(Zor_AddAttributeInvalidation(vi_, 1260001, 1260002, VI_TRUE), VI_SUCCESS);
  ViInt32 count = 0;
  EXPECT_EQ(Zor_GetInvalidationList(specific, 1260001, nullptr, &count), VI_SUCCESS);
  EXPECT_EQ(count, 1);
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, VI_NULL), VI_SUCCESS);
}

TEST_F(InvalidationTest, ApplyingEntries) {
  const int all = kAllStateBits;
  const int cleared = kAfterInvalidation;
  struct Case {
    const char* what;
    ViAttr written;
    ViInt32 position;
    Entries entries;
    ViStatus expected;
    std::vector<std::pair<ViAttr, std::vector<int>>> states;  // after the step
  };
  const std::vector<Case> cases = {
      {"same instance", kA, 2, {{kB, VI_FALSE}}, VI_SUCCESS, {{kB, {all, cleared, all}}}},
      {"all instances", kA, 2, {{kB, VI_TRUE}}, VI_SUCCESS, {{kB, {cleared, cleared, cleared}}}},
      {"target not repeated", kA, 2, {{kC, VI_FALSE}}, VI_SUCCESS, {{kC, {cleared}}}},
      {"written not repeated", kC, 1, {{kB, VI_FALSE}}, VI_SUCCESS, {{kB, {cleared, cleared, cleared}}}},
      {"target over another capability", kA, 2, {{kE, VI_FALSE}}, VI_SUCCESS, {{kE, {all, cleared}}}},
      {"target has no instance at the position", kA, 3, {{kE, VI_FALSE}, {kB, VI_FALSE}}, VI_SUCCESS,
       {{kE, {all, all}}, {kB, {all, all, cleared}}}},
      {"unsupported target, same instance", kA, 1, {{kB, VI_FALSE}, {kD, VI_FALSE}, {kC, VI_TRUE}},
       ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED, {{kB, {cleared, all, all}}, {kD, {all, all, all}}, {kC, {all}}}},
      {"unsupported target, all instances", kA, 1, {{kD, VI_TRUE}, {kC, VI_TRUE}}, VI_SUCCESS,
       {{kD, {all, all, all}}, {kC, {cleared}}}},
      {"no list", kF, 1, {}, VI_SUCCESS, {{kA, {all, all, all}}, {kB, {all, all, all}}, {kC, {all}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MarkAll(kAllStateBits);
    for (const auto& [target, allInstances] : c.entries) {
      ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, c.written, target, allInstances), VI_SUCCESS);
    }
    EXPECT_EQ(ApplyInvalidations(Record(c.written), c.position), c.expected);
    for (const auto& [id, states] : c.states) EXPECT_EQ(States(id), states) << id;
    EXPECT_EQ(States(c.written)[static_cast<std::size_t>(c.position - 1)], all);  // never itself
    for (const auto& entry : c.entries) {
      ASSERT_EQ(Zor_DeleteAttributeInvalidation(vi_, c.written, entry.first), VI_SUCCESS);
    }
  }
}

TEST_F(InvalidationTest, ApplyingKeepsOtherBitsAndSkipsRestrictedInstances) {
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kB, VI_FALSE), VI_SUCCESS);
  State(kB, 1) = 0xFF;
  EXPECT_EQ(ApplyInvalidations(Record(kA), 1), VI_SUCCESS);
  EXPECT_EQ(State(kB, 1), 0xEA);

  Record(kB).instances[2].reset();  // as a restriction to CH1 and CH3 leaves it
  EXPECT_EQ(ApplyInvalidations(Record(kA), 2), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kC, VI_TRUE), VI_SUCCESS);
  ASSERT_EQ(Zor_DeleteAttributeInvalidation(vi_, kA, kB), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kB, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(ApplyInvalidations(Record(kA), 2), VI_SUCCESS);
  EXPECT_EQ(States(kB), (std::vector<int>{0xEA, -1, kAfterInvalidation}));
  EXPECT_EQ(States(kC), std::vector<int>{kAfterInvalidation});
}

TEST_F(InvalidationTest, InvalidatingOneAttribute) {
  Record(kB).instances[3].reset();  // restricted away
  struct Case {
    const char* repCapName;
    ViAttr id;
    ViStatus expected;
    std::vector<int> states;
    const char* elaboration;
  };
  const int all = kAllStateBits;
  const int cleared = kAfterInvalidation;
  const Case cases[] = {
      {"CH2", kA, VI_SUCCESS, {all, cleared, all}, ""},
      {"zor_all_channels", kA, VI_SUCCESS, {cleared, cleared, cleared}, ""},
      {"ZOR_ALL_CHANNELS", kB, VI_SUCCESS, {cleared, cleared, -1}, ""},
      {nullptr, kC, VI_SUCCESS, {cleared}, ""},
      {"", kC, VI_SUCCESS, {cleared}, ""},
      {nullptr, kSingle, VI_SUCCESS, {cleared}, ""},
      {nullptr, kA, ZOR_ERROR_REPCAP_NAME_REQUIRED, {all, all, all}, "Attribute: A"},
      {"", kA, ZOR_ERROR_REPCAP_NAME_REQUIRED, {all, all, all}, "Attribute: A"},
      {"CH1", kC, ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED, {all}, "Attribute: C, Channel: CH1"},
      {"CH3", kB, ZOR_ERROR_ATTRIBUTE_NOT_VALID_FOR_REPCAP, {all, all, -1}, "Attribute: B, Channel: CH3"},
      {"CH9", kA, ZOR_ERROR_UNKNOWN_REPCAP_NAME, {all, all, all}, "Attribute: A, Channel: CH9"},
      {"CH1", kD, ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED, {all, all, all}, "Attribute: D, Channel: CH1"},
      {"ZOR_ALL_CHANNELS", kD, ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED, {all, all, all},
       "Attribute: D, Channel: ZOR_ALL_CHANNELS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.repCapName ? c.repCapName : "(null)") + " " + std::to_string(c.id));
    MarkAll(kAllStateBits);
    EXPECT_EQ(Zor_InvalidateAttribute(vi_, c.repCapName, c.id), c.expected);
    EXPECT_EQ(States(c.id), c.states);
    const ErrorInfo recorded = TakeErrorInfo(vi_);
    EXPECT_EQ(recorded.primary, c.expected);
    EXPECT_EQ(recorded.elaboration, c.elaboration);
    EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, c.expected);
  }
  EXPECT_EQ(Zor_InvalidateAttribute(vi_, nullptr, kUnknown), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(TakeErrorInfo(vi_).primary, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(Zor_InvalidateAttribute(kNoSuchSession, nullptr, kA), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(InvalidationTest, InvalidatingEveryAttribute) {
  Record(kB).instances[2].reset();
  EXPECT_EQ(Zor_InvalidateAllAttributes(vi_), VI_SUCCESS);
  for (auto& record : Data(vi_).attributes) {
    const bool unsupported = (record->flags & ZOR_VAL_NOT_SUPPORTED) != 0;
    for (auto& instance : record->instances) {
      if (instance) {
        EXPECT_EQ(instance->state, unsupported ? kAllStateBits : kAfterInvalidation) << record->id;
      }
    }
  }
  EXPECT_EQ(TakeErrorInfo(vi_).primary, VI_SUCCESS);
  EXPECT_EQ(Zor_InvalidateAllAttributes(kNoSuchSession), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(InvalidationTest, IsCachedLooksAtFlagsStateAndSource) {
  struct Case {
    ViInt32 flags;
    std::uint8_t state;
    ViInt32 source;
    ViBoolean expected;
  };
  const Case cases[] = {
      {0, kCacheValid, kSourceRead, VI_TRUE},
      {0, kCacheValid, kSourceWritten, VI_TRUE},
      {0, kCacheValid, kSourceDefault, VI_TRUE},
      {0, kAllStateBits & ~kCacheValid, kSourceRead, VI_FALSE},
      {ZOR_VAL_NEVER_CACHE, kAllStateBits, kSourceRead, VI_FALSE},
      {ZOR_VAL_INSTRUMENT_COERCES, kCacheValid, kSourceWritten, VI_FALSE},
      {ZOR_VAL_INSTRUMENT_COERCES, kCacheValid, kSourceRead, VI_TRUE},
  };
  // The session's cache switch is not consulted.
  Data(vi_).cacheEnabled = VI_FALSE;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.flags << " " << int{c.state} << " " << c.source);
    Record(kA).flags = c.flags;
    State(kA, 2) = c.state;
    Record(kA).instances[2]->source = c.source;
    ViBoolean cached = 99;
    EXPECT_EQ(Zor_AttributeIsCached(vi_, "CH2", kA, &cached), VI_SUCCESS);
    EXPECT_EQ(cached, c.expected);
  }
}

TEST_F(InvalidationTest, IsCachedFailures) {
  struct Case {
    ViSession vi;
    const char* repCapName;
    ViAttr id;
    bool output;
    ViStatus expected;
    const char* elaboration;
  };
  const Case cases[] = {
      {vi_, "CH1", kA, false, ZOR_ERROR_INVALID_PARAMETER, "Attribute: A, Channel: CH1"},
      {vi_, nullptr, kA, true, ZOR_ERROR_REPCAP_NAME_REQUIRED, "Attribute: A"},
      {vi_, "CH1", kD, true, ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED, "Attribute: D, Channel: CH1"},
      {vi_, nullptr, kUnknown, true, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN, ""},
      {kNoSuchSession, nullptr, kA, true, ZOR_ERROR_INVALID_SESSION_HANDLE, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    ViBoolean cached = VI_TRUE;
    EXPECT_EQ(Zor_AttributeIsCached(c.vi, c.repCapName, c.id, c.output ? &cached : nullptr), c.expected);
    EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, c.expected);
    if (c.elaboration != nullptr) {
      const ErrorInfo recorded = TakeErrorInfo(c.vi);
      EXPECT_EQ(recorded.primary, c.expected);
      EXPECT_EQ(recorded.elaboration, c.elaboration);
    }
  }
}

TEST_F(InvalidationTest, SetByUserMarksAndInvalidation) {
  State(kA, 1) = kSetByUser | kEverSetByUser | kCacheValid;
  State(kA, 2) = 0;
  EXPECT_EQ(Zor_AttributeWasSetByUser(vi_, "CH1", kA), VI_TRUE);
  EXPECT_EQ(Zor_AttributeEverSetByUser(vi_, "CH1", kA), VI_TRUE);
  EXPECT_EQ(Zor_AttributeWasSetByUser(vi_, "CH2", kA), VI_FALSE);
  EXPECT_EQ(Zor_AttributeEverSetByUser(vi_, "CH2", kA), VI_FALSE);
  ASSERT_EQ(Zor_InvalidateAttribute(vi_, "CH1", kA), VI_SUCCESS);
  EXPECT_EQ(Zor_AttributeWasSetByUser(vi_, "CH1", kA), VI_FALSE);
  EXPECT_EQ(Zor_AttributeEverSetByUser(vi_, "CH1", kA), VI_TRUE);
  EXPECT_EQ(TakeErrorInfo(vi_).primary, VI_SUCCESS);
}

TEST_F(InvalidationTest, SetByUserFailuresStayOnTheThreadOnly) {
  using Query = ViBoolean (*)(ViSession, ViConstString, ViAttr);
  struct Case {
    const char* repCapName;
    ViAttr id;
    ViStatus expected;
  };
  const Case cases[] = {{nullptr, kUnknown, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN},
                        {nullptr, kA, ZOR_ERROR_REPCAP_NAME_REQUIRED},
                        {"CH1", kD, ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED}};
  for (const Query query : {Query{&Zor_AttributeWasSetByUser}, Query{&Zor_AttributeEverSetByUser}}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.expected);
      // Whatever the session held before is cleared along with the failure.
      Zor_SetErrorInfo(vi_, VI_FALSE, ZOR_WARN_NO_RESET, 0, "earlier");
      Zor_ClearErrorInfo(VI_NULL);
      EXPECT_EQ(query(vi_, c.repCapName, c.id), VI_FALSE);
      EXPECT_EQ(TakeErrorInfo(vi_).primary, VI_SUCCESS);
      EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, c.expected);
    }
    EXPECT_EQ(query(kNoSuchSession, "CH1", kA), VI_FALSE);
    EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE);
  }
}

// ---- Through the set pipeline ----

ViStatus FailingWrite(ViSession, ViSession, ViConstString, ViAttr, ViInt32) { return ZOR_ERROR_INVALID_VALUE; }

TEST_F(InvalidationTest, SetsApplyTheListBeforeWriting) {
  MarkAll(0);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kB, VI_FALSE), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, kA, kC, VI_TRUE), VI_SUCCESS);
  const int cleared = kAfterInvalidation;
  const int all = kAllStateBits;
  // One instance set step after step; each step starts with the targets fully marked.
  struct Step {
    const char* what;
    bool invalidateFirst;  // clears the written instance's own set-by-user mark
    ViInt32 optionFlags;
    ViInt32 value;
    bool failingWrite;
    ViStatus expected;
    bool invalidates;
    ViBoolean cachedAfter;
    ViBoolean setByUserAfter;
  };
  const Step steps[] = {
      {"first write", false, 0, 5, false, VI_SUCCESS, true, VI_TRUE, VI_TRUE},
      {"same value again: nothing written", false, 0, 5, false, VI_SUCCESS, false, VI_TRUE, VI_TRUE},
      {"cache only", false, ZOR_VAL_CACHE_ONLY, 6, false, VI_SUCCESS, false, VI_TRUE, VI_TRUE},
      {"not set by user", true, ZOR_VAL_NOT_SET_BY_USER, 7, false, VI_SUCCESS, true, VI_TRUE, VI_FALSE},
      {"failing write", false, 0, 8, true, ZOR_ERROR_INVALID_VALUE, true, VI_FALSE, VI_FALSE},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    for (auto& instance : Record(kB).instances) instance->state = kAllStateBits;
    State(kC, 1) = kAllStateBits;
    if (step.invalidateFirst) {
      ASSERT_EQ(Zor_InvalidateAttribute(vi_, "CH2", kA), VI_SUCCESS);
    }
    ASSERT_EQ(Zor_SetAttrWriteCallbackViInt32(vi_, kA, step.failingWrite ? &FailingWrite : nullptr), VI_SUCCESS);
    EXPECT_EQ(Zor_SetAttributeViInt32(vi_, "CH2", kA, step.optionFlags, step.value), step.expected);
    EXPECT_EQ(States(kB), (std::vector<int>{all, step.invalidates ? cleared : all, all}));
    EXPECT_EQ(States(kC), std::vector<int>{step.invalidates ? cleared : all});
    ViBoolean cached = VI_FALSE;
    EXPECT_EQ(Zor_AttributeIsCached(vi_, "CH2", kA, &cached), VI_SUCCESS);
    EXPECT_EQ(cached, step.cachedAfter);
    EXPECT_EQ(Zor_AttributeWasSetByUser(vi_, "CH2", kA), step.setByUserAfter);
    EXPECT_EQ(Zor_AttributeEverSetByUser(vi_, "CH2", kA), VI_TRUE);
    Zor_ClearErrorInfo(vi_);
    Zor_ClearErrorInfo(VI_NULL);
  }
}

TEST_F(InvalidationTest, AValueTheInstrumentMayCoerceIsNotCachedAfterAWrite) {
  Record(kC).flags |= ZOR_VAL_INSTRUMENT_COERCES;
  MarkAll(0);
  ASSERT_EQ(Zor_SetAttributeViInt32(vi_, nullptr, kC, 0, 3), VI_SUCCESS);
  ViBoolean cached = VI_TRUE;
  EXPECT_EQ(Zor_AttributeIsCached(vi_, nullptr, kC, &cached), VI_SUCCESS);
  EXPECT_EQ(cached, VI_FALSE);
  EXPECT_EQ(Zor_AttributeEverSetByUser(vi_, nullptr, kC), VI_TRUE);
}

}  // namespace
}  // namespace zor::test
