// Repeated-capability tables: building and growing them, the lookups by name and position,
// the "Channel" shorthands, and tables reached through specific-driver links.
#include <string>

#include "repcap_fixture.h"

namespace zor::test {
namespace {

constexpr ViAttr kWhole = 2000001;
constexpr ViAttr kChannelBased = 2000002;
constexpr ViAttr kRestricted = 2000003;
constexpr ViAttr kOverTrace = 2000004;
constexpr ViAttr kPlain = 2000005;

using RepCapTableTest = RepCapFixture;

// ---- Building ----

TEST_F(RepCapTableTest, BuildTakesTrimmedNamesInListOrder) {
  struct Case {
    const char* list;
    NameList names;
  };
  const Case cases[] = {
      {" 1 ,\t2 , 3 ,", {"1", "2", "3"}},  // blanks around items, comma at the very end
      {"1,,2", {"1", "2"}},                 // empty item
      {"1, \t ,2", {"1", "2"}},             // blank item
      {"CH1", {"CH1"}},
      {"Out_A,b!,Z9", {"Out_A", "b!", "Z9"}},  // every allowed kind of character
      {"z,a,M", {"z", "a", "M"}},              // positions follow addition, not sorting
      {" , ,", {}},  // not blank, yet without names: an empty table
  };
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    const std::string repCap = "Cap" + std::to_string(number++);
    ASSERT_EQ(Zor_BuildRepCapTable(vi_, repCap.c_str(), c.list), VI_SUCCESS);
    EXPECT_EQ(Names(repCap.c_str()), c.names);
    EXPECT_EQ(TakeError().primary, VI_SUCCESS);
  }
}

TEST_F(RepCapTableTest, FailedBuildRecordsWhyAndLeavesNoTable) {
  struct Case {
    const char* repCap;
    const char* list;
    ViStatus status;
    const char* elaboration;
  };
  const Case cases[] = {
      {nullptr, "1", kRepCapNameEmpty, ""},
      {"", "1", kRepCapNameEmpty, ""},
      {"Channel", nullptr, kNoNames, ""},
      {"Channel", "", kNoNames, ""},
      {"Channel", " \t ", kNoNames, ""},
      {"Channel", "CH1,ch1", kDuplicateName, "CH1"},
      {"Channel", "b,A,x,a", kDuplicateName, "A"},  // the first of the pair in sorted order
      {"Channel", "CH-1", kBadCharacters, "CH-1"},
      {"Channel", "1,two words", kBadCharacters, "two words"},
      {"Channel", "CH1,ch1,CH-1", kBadCharacters, "CH-1"},  // names are checked before pairs
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.repCap ? c.repCap : "(null)") + " / " + (c.list ? c.list : "(null)"));
    EXPECT_EQ(Zor_BuildRepCapTable(vi_, c.repCap, c.list), c.status);
    const RecordedError error = TakeError();
    EXPECT_EQ(error.primary, c.status);
    EXPECT_EQ(error.elaboration, c.elaboration);
    ViInt32 index = -1;
    EXPECT_EQ(Zor_GetRepCapIndex(vi_, "Channel", "1", &index), kNotDefined);
    TakeError();
  }
  // Nothing stands in the way of building the table properly afterwards.
  EXPECT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "CH1"), VI_SUCCESS);
  EXPECT_EQ(Names("Channel"), NameList{"CH1"});
}

TEST_F(RepCapTableTest, BuildingATableTwiceFailsAndKeepsTheFirst) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "1,2"), VI_SUCCESS);
  EXPECT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "3"), kTableExists);
  const RecordedError error = TakeError();
  EXPECT_EQ(error.primary, kTableExists);
  EXPECT_EQ(error.elaboration, "Channel");
  EXPECT_EQ(Names("Channel"), (NameList{"1", "2"}));

  // Table names keep their case: "channel" is another table.
  EXPECT_EQ(Zor_BuildRepCapTable(vi_, "channel", "3"), VI_SUCCESS);
  EXPECT_EQ(Names("channel"), NameList{"3"});
  EXPECT_EQ(Names("Channel"), (NameList{"1", "2"}));
}

// ---- Adding ----

TEST_F(RepCapTableTest, AddAppendsOnlyNamesTheTableDoesNotHold) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "1,2,3"), VI_SUCCESS);
  // "ch4" is not "4": both are new.
  EXPECT_EQ(Zor_AddToRepCapTable(vi_, "Channel", "2, 4, ch4"), VI_SUCCESS);
  EXPECT_EQ(Names("Channel"), (NameList{"1", "2", "3", "4", "ch4"}));
  ViInt32 index = 0;
  EXPECT_EQ(Zor_GetRepCapIndex(vi_, "Channel", "CH4", &index), VI_SUCCESS);
  EXPECT_EQ(index, 5);

  // Names repeated within the list, in any case, are added once.
  EXPECT_EQ(Zor_AddToRepCapTable(vi_, "Channel", "6,six,SIX,6,"), VI_SUCCESS);
  EXPECT_EQ(Names("Channel"), (NameList{"1", "2", "3", "4", "ch4", "6", "six"}));

  // A list without names adds nothing and is no failure.
  EXPECT_EQ(Zor_AddToRepCapTable(vi_, "Channel", ""), VI_SUCCESS);
  EXPECT_EQ(Zor_AddToRepCapTable(vi_, "Channel", nullptr), VI_SUCCESS);
  EXPECT_EQ(Names("Channel").size(), 7u);
  EXPECT_EQ(TakeError().primary, VI_SUCCESS);
}

TEST_F(RepCapTableTest, FailedAddLeavesTheTableAsItWas) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "1,2,3"), VI_SUCCESS);
  EXPECT_EQ(Zor_AddToRepCapTable(vi_, "Channel", "5,bad-name,6"), kBadCharacters);
  RecordedError error = TakeError();
  EXPECT_EQ(error.primary, kBadCharacters);
  EXPECT_EQ(error.elaboration, "bad-name");
  EXPECT_EQ(Names("Channel"), (NameList{"1", "2", "3"}));
  // The name added before the failure is gone from the index too.
  ViInt32 index = -1;
  EXPECT_EQ(Zor_GetRepCapIndex(vi_, "Channel", "5", &index), kUnknownName);
  TakeError();

  const char* missing[] = {"Trace", nullptr};
  for (const char* repCap : missing) {
    SCOPED_TRACE(repCap ? repCap : "(null)");
    EXPECT_EQ(Zor_AddToRepCapTable(vi_, repCap, "1"), kNotDefined);
    error = TakeError();
    EXPECT_EQ(error.primary, kNotDefined);
    EXPECT_EQ(error.elaboration, repCap ? repCap : "");
  }
}

TEST_F(RepCapTableTest, AddGivesAttributesOverTheTableInstancesForTheNewNames) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "1,2,3"), VI_SUCCESS);
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Trace", "T1"), VI_SUCCESS);
  AddRepeated(vi_, "Channel", kWhole);
  AddPlain(vi_, kChannelBased, ZOR_VAL_CHANNEL_BASED);
  AddRepeated(vi_, "Channel", kRestricted);
  ASSERT_EQ(Zor_RestrictAttrToInstances(vi_, kRestricted, "1,3"), VI_SUCCESS);
  AddRepeated(vi_, "Trace", kOverTrace);
  AddPlain(vi_, kPlain);

  ASSERT_EQ(Zor_AddToRepCapTable(vi_, "Channel", "2, 4, ch4"), VI_SUCCESS);
  EXPECT_EQ(Instances(kWhole), (NameList{"1", "2", "3", "4", "ch4"}));
  EXPECT_EQ(Instances(kChannelBased), (NameList{"1", "2", "3", "4", "ch4"}));
  // A restricted attribute gets the new names, but not the one it was restricted away from.
  EXPECT_EQ(Instances(kRestricted), (NameList{"1", "-", "3", "4", "ch4"}));
  EXPECT_EQ(Instances(kOverTrace), NameList{"T1"});
  EXPECT_EQ(Instances(kPlain), NameList{"(null)"});

  EXPECT_EQ(Zor_ValidateAttrForRepCapName(vi_, "CH4", kRestricted), VI_SUCCESS);
  EXPECT_EQ(Zor_ValidateAttrForRepCapName(vi_, "2", kRestricted), kNotValidForName);
  TakeError();
}

TEST_F(RepCapTableTest, AnAttributeLeftBehindKeepsEveryInstanceAtItsNamesPlace) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "1,2"), VI_SUCCESS);
  AddRepeated(vi_, "Channel", kWhole, ZOR_VAL_NOT_SUPPORTED);
  // An unsupported attribute has no instance to look at, so it is not extended.
  ASSERT_EQ(Zor_AddToRepCapTable(vi_, "Channel", "3"), VI_SUCCESS);
  EXPECT_EQ(Instances(kWhole), (NameList{"1", "2"}));

  ASSERT_EQ(Zor_SetAttributeFlags(vi_, kWhole, 0), VI_SUCCESS);
  EXPECT_EQ(Zor_ValidateAttrForChannel(vi_, "3", kWhole), kNotValidForName);
  TakeError();
  // The next name goes to its own place, not to the first free one.
  ASSERT_EQ(Zor_AddToRepCapTable(vi_, "Channel", "4"), VI_SUCCESS);
  EXPECT_EQ(Instances(kWhole), (NameList{"1", "2", "-", "4"}));
  EXPECT_EQ(Zor_ValidateAttrForChannel(vi_, "4", kWhole), VI_SUCCESS);
}

// ---- Lookups ----

TEST_F(RepCapTableTest, CoerceGivesTheTablesOwnSpelling) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "1,CH2"), VI_SUCCESS);
  ViConstString second = nullptr;
  ASSERT_EQ(Zor_GetNthRepCapName(vi_, "Channel", 2, &second), VI_SUCCESS);

  struct Case {
    const char* name;
    ViStatus status;
    const char* coerced;  // nullptr: a null output
  };
  const Case cases[] = {
      {"ch2", VI_SUCCESS, "CH2"}, {"CH2", VI_SUCCESS, "CH2"}, {"1", VI_SUCCESS, "1"},
      {"x", kUnknownName, nullptr}, {" ch2", kUnknownName, nullptr},  // names are not trimmed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ViConstString coerced = "sentinel";
    EXPECT_EQ(Zor_CoerceRepCapName(vi_, "Channel", c.name, &coerced), c.status);
    if (c.coerced == nullptr) {
      EXPECT_EQ(coerced, nullptr);
    } else {
      EXPECT_STREQ(coerced, c.coerced);
    }
    const RecordedError error = TakeError();
    EXPECT_EQ(error.primary, c.status);
    EXPECT_EQ(error.elaboration, "");
  }

  // The output points into the table; empty and null names come back as they were given.
  ViConstString coerced = nullptr;
  EXPECT_EQ(Zor_CoerceRepCapName(vi_, "Channel", "ch2", &coerced), VI_SUCCESS);
  EXPECT_EQ(coerced, second);
  const char* empty = "";
  EXPECT_EQ(Zor_CoerceRepCapName(vi_, "Channel", empty, &coerced), VI_SUCCESS);
  EXPECT_EQ(coerced, empty);
  EXPECT_EQ(Zor_CoerceRepCapName(vi_, "Channel", nullptr, &coerced), VI_SUCCESS);
  EXPECT_EQ(coerced, nullptr);
  EXPECT_EQ(Zor_CoerceRepCapName(vi_, "Channel", "ch2", nullptr), VI_SUCCESS);

  coerced = "sentinel";
  EXPECT_EQ(Zor_CoerceRepCapName(vi_, "Trace", "1", &coerced), kNotDefined);
  EXPECT_EQ(coerced, nullptr);
  const RecordedError error = TakeError();
  EXPECT_EQ(error.primary, kNotDefined);
  EXPECT_EQ(error.elaboration, "Trace");
}

TEST_F(RepCapTableTest, NthNameCountsFromOne) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "1,CH2"), VI_SUCCESS);
  struct Case {
    ViInt32 index;
    ViStatus status;
    const char* name;  // nullptr: a null output
  };
  const Case cases[] = {
      {1, VI_SUCCESS, "1"},          {2, VI_SUCCESS, "CH2"},        {3, VI_SUCCESS, nullptr},
      {0, kIndexOneBased, nullptr},  {-5, kIndexOneBased, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    ViConstString name = "sentinel";
    EXPECT_EQ(Zor_GetNthRepCapName(vi_, "Channel", c.index, &name), c.status);
    if (c.name == nullptr) {
      EXPECT_EQ(name, nullptr);
    } else {
      EXPECT_STREQ(name, c.name);
    }
    EXPECT_EQ(TakeError().primary, c.status);
  }
  EXPECT_EQ(Zor_GetNthRepCapName(vi_, "Channel", 1, nullptr), VI_SUCCESS);

  ViConstString name = "sentinel";
  EXPECT_EQ(Zor_GetNthRepCapName(vi_, "Trace", 1, &name), kNotDefined);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(TakeError().elaboration, "Trace");
}

TEST_F(RepCapTableTest, IndexIsThePositionOfTheName) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "1,CH2"), VI_SUCCESS);
  struct Case {
    const char* name;
    ViStatus status;
    ViInt32 index;
  };
  const Case cases[] = {
      {"ch2", VI_SUCCESS, 2}, {"1", VI_SUCCESS, 1},        {"", VI_SUCCESS, 1},
      {nullptr, VI_SUCCESS, 1}, {"x", kUnknownName, 0}, {" 1", kUnknownName, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(null)");
    ViInt32 index = -1;
    EXPECT_EQ(Zor_GetRepCapIndex(vi_, "Channel", c.name, &index), c.status);
    EXPECT_EQ(index, c.index);
    EXPECT_EQ(TakeError().primary, c.status);
  }
  EXPECT_EQ(Zor_GetRepCapIndex(vi_, "Channel", "CH2", nullptr), VI_SUCCESS);

  ViInt32 index = -1;
  EXPECT_EQ(Zor_GetRepCapIndex(vi_, "Trace", "1", &index), kNotDefined);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(TakeError().elaboration, "Trace");
}

TEST_F(RepCapTableTest, AttributeRepCapNameNamesTheTableAnAttributeIsRepeatedOver) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Channel", "1,2"), VI_SUCCESS);
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Trace", "T1"), VI_SUCCESS);
  AddPlain(vi_, kChannelBased, ZOR_VAL_CHANNEL_BASED);
  AddRepeated(vi_, "Trace", kOverTrace);
  AddPlain(vi_, kPlain);

  struct Case {
    ViAttr id;
    const char* repCap;  // nullptr: not repeated
  };
  const Case cases[] = {{kChannelBased, "Channel"}, {kOverTrace, "Trace"}, {kPlain, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ViConstString name = "sentinel";
    EXPECT_EQ(Zor_GetAttributeRepCapName(vi_, c.id, &name), VI_SUCCESS);
    if (c.repCap == nullptr) {
      EXPECT_EQ(name, nullptr);
    } else {
      EXPECT_STREQ(name, c.repCap);
    }
  }
  EXPECT_EQ(TakeError().primary, VI_SUCCESS);

  EXPECT_EQ(Zor_GetAttributeRepCapName(vi_, kPlain, nullptr), kInvalidParameter);
  EXPECT_EQ(TakeError().primary, kInvalidParameter);
  ViConstString name = "sentinel";
  EXPECT_EQ(Zor_GetAttributeRepCapName(vi_, 2999999, &name), kAttributeIdUnknown);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(TakeError().primary, kAttributeIdUnknown);
}

// ---- The "Channel" shorthands ----

TEST_F(RepCapTableTest, ChannelFunctionsUseTheChannelTable) {
  EXPECT_EQ(Zor_BuildChannelTable(vi_, "1, CH2", 7, -3), VI_SUCCESS);  // the two extras are unused
  EXPECT_EQ(Names("Channel"), (NameList{"1", "CH2"}));
  EXPECT_EQ(Zor_AddToChannelTable(vi_, "ch2,3"), VI_SUCCESS);
  EXPECT_EQ(Names("Channel"), (NameList{"1", "CH2", "3"}));

  ViConstString name = nullptr;
  EXPECT_EQ(Zor_CoerceChannelName(vi_, "ch2", &name), VI_SUCCESS);
  EXPECT_STREQ(name, "CH2");
  EXPECT_EQ(Zor_GetNthChannelString(vi_, 3, &name), VI_SUCCESS);
  EXPECT_STREQ(name, "3");
  ViInt32 index = 0;
  EXPECT_EQ(Zor_GetChannelIndex(vi_, "CH2", &index), VI_SUCCESS);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(TakeError().primary, VI_SUCCESS);

  EXPECT_EQ(Zor_GetNthChannelString(vi_, 0, &name), kIndexOneBased);
  EXPECT_EQ(TakeError().primary, kIndexOneBased);
  EXPECT_EQ(Zor_BuildChannelTable(vi_, "4", 0, 0), kTableExists);
  EXPECT_EQ(TakeError().elaboration, "Channel");
  EXPECT_EQ(Zor_AddToChannelTable(vi_, "a-b"), kBadCharacters);
  EXPECT_EQ(TakeError().elaboration, "a-b");
}

TEST_F(RepCapTableTest, ChannelFunctionsWithoutAChannelTableFail) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "channel", "1"), VI_SUCCESS);  // not "Channel"
  ViConstString name = nullptr;
  ViInt32 index = 0;
  const ViStatus statuses[] = {
      Zor_AddToChannelTable(vi_, "2"),
      Zor_CoerceChannelName(vi_, "1", &name),
      Zor_GetNthChannelString(vi_, 1, &name),
      Zor_GetChannelIndex(vi_, "1", &index),
      Zor_GetUserChannelName(vi_, "1", &name),
  };
  for (ViStatus status : statuses) {
    EXPECT_EQ(status, kNotDefined);
  }
  const RecordedError error = TakeError();
  EXPECT_EQ(error.primary, kNotDefined);
  EXPECT_EQ(error.elaboration, "Channel");
}

TEST_F(RepCapTableTest, UserChannelNamePrefersTheVirtualName) {
  ASSERT_EQ(Zor_BuildChannelTable(vi_, "1,CH2,CH3,4", 0, 0), VI_SUCCESS);
  SessionData* data = nullptr;
  ASSERT_EQ(LookupSession(vi_, &data), VI_SUCCESS);
  data->virtualNames.Insert({"Out", "ch2"});
  data->virtualNames.Insert({"Out2", "CH2"});
  data->virtualNames.Insert({"CH3", "1"});

  struct Case {
    const char* name;
    ViStatus status;
    const char* user;  // nullptr: a null output
  };
  const Case cases[] = {
      {"CH2", VI_SUCCESS, "Out"},  // the first pair whose physical name matches, ignoring case
      {"ch3", VI_SUCCESS, "CH3"},  // the spelling is itself a virtual name
      {"1", VI_SUCCESS, "CH3"},
      {"4", VI_SUCCESS, "4"},      // no virtual name: the table's spelling
      {"Out", kUnknownName, nullptr},  // the name given is not mapped
      {"x", kUnknownName, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ViConstString user = "sentinel";
    EXPECT_EQ(Zor_GetUserChannelName(vi_, c.name, &user), c.status);
    if (c.user == nullptr) {
      EXPECT_EQ(user, nullptr);
    } else {
      EXPECT_STREQ(user, c.user);
    }
    EXPECT_EQ(TakeError().primary, c.status);
  }
  const char* empty = "";
  ViConstString user = nullptr;
  EXPECT_EQ(Zor_GetUserChannelName(vi_, empty, &user), VI_SUCCESS);
  EXPECT_EQ(user, empty);
  EXPECT_EQ(Zor_GetUserChannelName(vi_, nullptr, &user), VI_SUCCESS);
  EXPECT_EQ(user, nullptr);
  EXPECT_EQ(Zor_GetUserChannelName(vi_, "CH2", nullptr), VI_SUCCESS);
}

TEST_F(RepCapTableTest, LookupsMapVirtualNamesFirst) {
  ASSERT_EQ(Zor_BuildChannelTable(vi_, "1,CH2", 0, 0), VI_SUCCESS);
  SessionData* data = nullptr;
  ASSERT_EQ(LookupSession(vi_, &data), VI_SUCCESS);
  data->virtualNames.Insert({"Out", "ch2"});
  data->virtualNames.Insert({"CH2", "1"});  // a virtual name hides the physical one

  ViConstString name = nullptr;
  EXPECT_EQ(Zor_CoerceChannelName(vi_, "Out", &name), VI_SUCCESS);
  EXPECT_STREQ(name, "CH2");
  ViInt32 index = 0;
  EXPECT_EQ(Zor_GetChannelIndex(vi_, "CH2", &index), VI_SUCCESS);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(Zor_GetChannelIndex(vi_, "ch2", &index), VI_SUCCESS);  // virtual names keep case
  EXPECT_EQ(index, 2);
  EXPECT_EQ(Zor_CoerceChannelName(vi_, "out", &name), kUnknownName);
  TakeError();
}

TEST_F(RepCapTableTest, EveryFunctionRefusesAHandleWithoutSession) {
  ViSession gone = 0;
  ASSERT_EQ(NewEngineSession(&gone), VI_SUCCESS);
  ASSERT_EQ(Zor_Dispose(gone), VI_SUCCESS);
  Zor_ClearErrorInfo(VI_NULL);
  ViConstString name = nullptr;
  ViInt32 index = 0;
  const ViStatus statuses[] = {
      Zor_BuildRepCapTable(gone, "Channel", "1"),
      Zor_AddToRepCapTable(gone, "Channel", "1"),
      Zor_CoerceRepCapName(gone, "Channel", "1", &name),
      Zor_GetNthRepCapName(gone, "Channel", 1, &name),
      Zor_GetRepCapIndex(gone, "Channel", "1", &index),
      Zor_GetAttributeRepCapName(gone, kWhole, &name),
      Zor_BuildChannelTable(gone, "1", 0, 0),
      Zor_AddToChannelTable(gone, "1"),
      Zor_CoerceChannelName(gone, "1", &name),
      Zor_GetNthChannelString(gone, 1, &name),
      Zor_GetChannelIndex(gone, "1", &index),
      Zor_GetUserChannelName(gone, "1", &name),
      Zor_RestrictAttrToInstances(gone, kWhole, "1"),
      Zor_RestrictAttrToChannels(gone, kWhole, "1"),
      Zor_ValidateAttrForRepCapName(gone, "1", kWhole),
      Zor_ValidateAttrForChannel(gone, "1", kWhole),
  };
  for (ViStatus status : statuses) {
    EXPECT_EQ(status, kInvalidSession);
  }
  EXPECT_EQ(TakeError(VI_NULL).primary, kInvalidSession);  // recorded for the thread
}

// ---- Tables behind specific-driver links ----

TEST_F(RepCapTableTest, ALinkedSessionAnswersFromTheSpecificSessionsTables) {
  const ViSession specific = OpenSession();
  ASSERT_EQ(Zor_BuildChannelTable(specific, "1,2,3", 0, 0), VI_SUCCESS);
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, specific), VI_SUCCESS);

  ViInt32 index = 0;
  EXPECT_EQ(Zor_GetChannelIndex(vi_, "3", &index), VI_SUCCESS);
  EXPECT_EQ(index, 3);
  ViConstString name = nullptr;
  EXPECT_EQ(Zor_GetNthChannelString(vi_, 1, &name), VI_SUCCESS);
  EXPECT_STREQ(name, "1");
  EXPECT_EQ(Zor_AddToChannelTable(vi_, "4"), VI_SUCCESS);
  EXPECT_EQ(Names(specific, "Channel"), (NameList{"1", "2", "3", "4"}));

  // Building looks only at the session's own tables; while linked they are not consulted.
  EXPECT_EQ(Zor_BuildChannelTable(vi_, "x", 0, 0), VI_SUCCESS);
  EXPECT_EQ(Zor_GetChannelIndex(vi_, "x", &index), kUnknownName);
  TakeError();
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, VI_NULL), VI_SUCCESS);
  EXPECT_EQ(Zor_GetChannelIndex(vi_, "x", &index), VI_SUCCESS);
  EXPECT_EQ(index, 1);
}

TEST_F(RepCapTableTest, AddingThroughALinkExtendsTheSpecificSessionsAttributes) {
  const ViSession specific = OpenSession();
  ASSERT_EQ(Zor_BuildChannelTable(specific, "1,2", 0, 0), VI_SUCCESS);
  AddRepeated(specific, "Channel", kWhole);
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, specific), VI_SUCCESS);

  ASSERT_EQ(Zor_AddToChannelTable(vi_, "3"), VI_SUCCESS);
  EXPECT_EQ(Instances(specific, kWhole), (NameList{"1", "2", "3"}));
  ViConstString name = nullptr;
  EXPECT_EQ(Zor_GetAttributeRepCapName(vi_, kWhole, &name), VI_SUCCESS);
  EXPECT_STREQ(name, "Channel");
}

TEST_F(RepCapTableTest, LinksThatComeBackEndTheSearch) {
  ASSERT_EQ(Zor_BuildChannelTable(vi_, "1,2", 0, 0), VI_SUCCESS);
  ViInt32 index = 0;

  // Linked to itself: the chain ends at once, in the session's own tables.
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, vi_), VI_SUCCESS);
  EXPECT_EQ(Zor_GetChannelIndex(vi_, "2", &index), VI_SUCCESS);
  EXPECT_EQ(index, 2);

  // A ring of two: each search ends in the last session before the ring closes.
  const ViSession other = OpenSession();
  ASSERT_EQ(Zor_SetSpecificDriverSession(other, vi_), VI_SUCCESS);
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, other), VI_SUCCESS);
  EXPECT_EQ(Zor_GetChannelIndex(other, "2", &index), VI_SUCCESS);  // other, then vi_
  EXPECT_EQ(index, 2);
  EXPECT_EQ(Zor_GetChannelIndex(vi_, "2", &index), kNotDefined);  // vi_, then other
  ViConstString name = nullptr;
  EXPECT_EQ(Zor_AddToChannelTable(vi_, "3"), kNotDefined);
  EXPECT_EQ(Zor_CoerceChannelName(vi_, "1", &name), kNotDefined);
  EXPECT_EQ(Zor_GetUserChannelName(vi_, "1", &name), kNotDefined);
  EXPECT_EQ(Zor_GetAttributeRepCapName(vi_, kWhole, &name), kAttributeIdUnknown);
  TakeError();
}

TEST_F(RepCapTableTest, ALinkToADisposedSessionFindsNoTable) {
  ASSERT_EQ(Zor_BuildChannelTable(vi_, "1", 0, 0), VI_SUCCESS);
  ViSession gone = 0;
  ASSERT_EQ(NewEngineSession(&gone), VI_SUCCESS);
  ASSERT_EQ(Zor_SetSpecificDriverSession(vi_, gone), VI_SUCCESS);
  ASSERT_EQ(Zor_Dispose(gone), VI_SUCCESS);
  ViInt32 index = 0;
  EXPECT_EQ(Zor_GetChannelIndex(vi_, "1", &index), kNotDefined);
  EXPECT_EQ(TakeError().elaboration, "Channel");
}

}  // namespace
}  // namespace zor::test
