// Restricting repeated attributes to some of their instances, and validating instance names
// against attributes.
#include <string>

#include "repcap_fixture.h"

namespace zor::test {
namespace {

constexpr ViAttr kRepeated = 2100001;   // over "Channel": 1, 2, 3, 4, Aux
constexpr ViAttr kSingle = 2100002;     // over "Solo": A
constexpr ViAttr kPlain = 2100003;      // not repeated
constexpr ViAttr kUnsupported = 2100004;  // over "Channel", marked not supported
constexpr ViAttr kOverTrace = 2100005;  // over "Trace": T1, T2
constexpr ViAttr kUnknown = 2199999;

class RepCapSelectorTest : public RepCapFixture {
 protected:
  void SetUp() override {
    RepCapFixture::SetUp();
    Populate();
  }

  // A fresh session with the tables and attributes above.
  void Reopen() {
    Zor_Dispose(vi_);
    Zor_ClearErrorInfo(VI_NULL);
    ASSERT_EQ(NewEngineSession(&vi_), VI_SUCCESS);
    Populate();
  }

  void Populate() {
    ASSERT_EQ(Zor_BuildChannelTable(vi_, "1,2,3,4,Aux", 0, 0), VI_SUCCESS);
    ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Solo", "A"), VI_SUCCESS);
    ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Trace", "T1,T2"), VI_SUCCESS);
    AddPlain(vi_, kRepeated, ZOR_VAL_CHANNEL_BASED);
    AddRepeated(vi_, "Solo", kSingle);
    AddPlain(vi_, kPlain);
    AddRepeated(vi_, "Channel", kUnsupported, ZOR_VAL_NOT_SUPPORTED);
    AddRepeated(vi_, "Trace", kOverTrace);
  }
};

const NameList kAllChannels = {"1", "2", "3", "4", "Aux"};

std::string Quoted(const std::string& item) { return "Name: \"" + item + "\""; }

TEST_F(RepCapSelectorTest, RestrictionKeepsOnlyTheListedInstances) {
  struct Case {
    const char* first;   // an earlier restriction, or nullptr for none
    const char* second;
    ViStatus status;
    std::string elaboration;
    NameList instances;  // afterwards, place by place
  };
  const std::string longItem(100, 'x');
  const Case cases[] = {
      {nullptr, "1, 3", VI_SUCCESS, "", {"1", "-", "3", "-", "-"}},
      {nullptr, " 2 ,2,, aux,", VI_SUCCESS, "", {"-", "2", "-", "-", "Aux"}},  // list syntax
      {nullptr, "", VI_SUCCESS, "", {"-", "-", "-", "-", "-"}},
      {nullptr, nullptr, VI_SUCCESS, "", {"-", "-", "-", "-", "-"}},
      {nullptr, "1,X,3", kUnknownName, Quoted("X"), kAllChannels},
      {nullptr, "1 2", kUnknownName, Quoted("1 2"), kAllChannels},
      {nullptr, longItem.c_str(), kUnknownName, Quoted(longItem.substr(0, 80)), kAllChannels},
      // A second restriction can only narrow the set.
      {"1,3", "3", VI_SUCCESS, "", {"-", "-", "3", "-", "-"}},
      {"1,3", "1,2", kNotValidForName, Quoted("2"), {"1", "-", "3", "-", "-"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first ? c.first : "(none)") + " then " +
                 (c.second ? c.second : "(null)"));
    Reopen();
    if (c.first != nullptr) {
      ASSERT_EQ(Zor_RestrictAttrToInstances(vi_, kRepeated, c.first), VI_SUCCESS);
    }
    EXPECT_EQ(Zor_RestrictAttrToInstances(vi_, kRepeated, c.second), c.status);
    const RecordedError error = TakeError();
    EXPECT_EQ(error.primary, c.status);
    EXPECT_EQ(error.elaboration, c.elaboration);
    EXPECT_EQ(Instances(kRepeated), c.instances);
  }
}

TEST_F(RepCapSelectorTest, RemovedInstancesCannotBeSelected) {
  ASSERT_EQ(Zor_RestrictAttrToChannels(vi_, kRepeated, "1,3"), VI_SUCCESS);
  const struct {
    const char* name;
    ViStatus status;
  } cases[] = {{"1", VI_SUCCESS}, {"3", VI_SUCCESS}, {"2", kNotValidForName},
               {"AUX", kNotValidForName}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Zor_ValidateAttrForRepCapName(vi_, c.name, kRepeated), c.status);
    EXPECT_EQ(TakeError().primary, c.status);
  }
  // Other attributes over the same table keep every instance.
  EXPECT_EQ(Instances(kUnsupported), kAllChannels);
}

TEST_F(RepCapSelectorTest, RestrictionNeedsARepeatedAttribute) {
  const struct {
    ViAttr id;
    const char* list;
    ViStatus status;
    std::string elaboration;
  } cases[] = {
      {kPlain, "1", kNotRepeated, ""},
      {kPlain, "", kNotRepeated, ""},
      {kUnknown, "1", kAttributeIdUnknown, ""},
      {kUnsupported, "1", kAttributeNotSupported, Quoted("1")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(Zor_RestrictAttrToInstances(vi_, c.id, c.list), c.status);
    const RecordedError error = TakeError();
    EXPECT_EQ(error.primary, c.status);
    EXPECT_EQ(error.elaboration, c.elaboration);
  }
  EXPECT_EQ(Instances(kUnsupported), kAllChannels);
}

TEST_F(RepCapSelectorTest, ChannelFormsUseTheAttributesOwnTable) {
  EXPECT_EQ(Zor_RestrictAttrToChannels(vi_, kOverTrace, "t2"), VI_SUCCESS);
  EXPECT_EQ(Instances(kOverTrace), (NameList{"-", "T2"}));
  EXPECT_EQ(Zor_ValidateAttrForChannel(vi_, "T2", kOverTrace), VI_SUCCESS);
  EXPECT_EQ(Zor_ValidateAttrForChannel(vi_, "T1", kOverTrace), kNotValidForName);
  EXPECT_EQ(Zor_ValidateAttrForChannel(vi_, "1", kOverTrace), kUnknownName);
  EXPECT_EQ(TakeError().primary, kNotValidForName);
}

TEST_F(RepCapSelectorTest, ValidationFollowsInstanceSelection) {
  const struct {
    const char* name;
    ViAttr id;
    ViStatus status;
  } cases[] = {
      {"", kSingle, VI_SUCCESS},  // one name: none needed
      {nullptr, kSingle, VI_SUCCESS},
      {"a", kSingle, VI_SUCCESS},
      {"", kRepeated, kNameRequired},
      {nullptr, kRepeated, kNameRequired},
      {"aux", kRepeated, VI_SUCCESS},
      {"4", kRepeated, VI_SUCCESS},
      {" ", kRepeated, kUnknownName},  // names are not trimmed
      {" 1", kRepeated, kUnknownName},
      {"9", kRepeated, kUnknownName},
      {"", kPlain, VI_SUCCESS},
      {nullptr, kPlain, VI_SUCCESS},
      {"1", kPlain, kNameNotAllowed},
      {" ", kPlain, kNameNotAllowed},
      {"1", kUnsupported, kAttributeNotSupported},
      {"", kUnsupported, kAttributeNotSupported},
      {"1", kUnknown, kAttributeIdUnknown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name ? c.name : "(null)") + " / " + std::to_string(c.id));
    EXPECT_EQ(Zor_ValidateAttrForRepCapName(vi_, c.name, c.id), c.status);
    EXPECT_EQ(Zor_ValidateAttrForChannel(vi_, c.name, c.id), c.status);
    const RecordedError error = TakeError();
    EXPECT_EQ(error.primary, c.status);
    EXPECT_EQ(error.elaboration, "");
  }
  EXPECT_EQ(Instances(kRepeated), kAllChannels);  // validation changes nothing
}

TEST_F(RepCapSelectorTest, AttributesOfALinkedSessionAreRestrictedThere) {
  const ViSession classVi = OpenSession();
  ASSERT_EQ(Zor_SetSpecificDriverSession(classVi, vi_), VI_SUCCESS);
  EXPECT_EQ(Zor_RestrictAttrToChannels(classVi, kRepeated, "2"), VI_SUCCESS);
  EXPECT_EQ(Instances(kRepeated), (NameList{"-", "2", "-", "-", "-"}));
  EXPECT_EQ(Zor_ValidateAttrForChannel(classVi, "1", kRepeated), kNotValidForName);
  EXPECT_EQ(TakeError(classVi).primary, kNotValidForName);
}

}  // namespace
}  // namespace zor::test
