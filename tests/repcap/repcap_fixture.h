// What the repeated-capability tests share: statuses by name, a fixture that opens an engine
// session, reads its error record back, and looks at an attribute's instances from inside.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/attribute.h"
#include "core/session.h"
#include "zor.h"

namespace zor::test {

constexpr ViStatus Status(unsigned long bits) { return static_cast<ViStatus>(bits); }

constexpr ViStatus kInvalidParameter = Status(0xBFFA000F);
constexpr ViStatus kAttributeIdUnknown = Status(0xBFFA000C);
constexpr ViStatus kAttributeNotSupported = Status(0xBFFA0012);
constexpr ViStatus kUnknownName = Status(0xBFFA0020);
constexpr ViStatus kNoNames = Status(0xBFFA003D);
constexpr ViStatus kDuplicateName = Status(0xBFFA003E);
constexpr ViStatus kNameRequired = Status(0xBFFA0044);
constexpr ViStatus kNameNotAllowed = Status(0xBFFA0045);
constexpr ViStatus kNotValidForName = Status(0xBFFA0046);
constexpr ViStatus kNotRepeated = Status(0xBFFA0047);
constexpr ViStatus kIndexOneBased = Status(0xBFFA0050);
constexpr ViStatus kBadCharacters = Status(0xBFFA0054);
constexpr ViStatus kTableExists = Status(0xBFFA6002);
constexpr ViStatus kNotDefined = Status(0xBFFA6003);
constexpr ViStatus kRepCapNameEmpty = Status(0xBFFA6004);
constexpr ViStatus kInvalidSession = Status(0xBFFA1190);

struct RecordedError {
  ViStatus primary = 0;
  std::string elaboration;
};

class RepCapFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Zor_ClearErrorInfo(VI_NULL);
    ASSERT_EQ(NewEngineSession(&vi_), VI_SUCCESS);
  }
  void TearDown() override {
    for (ViSession extra : extra_) Zor_Dispose(extra);
    Zor_Dispose(vi_);
    Zor_ClearErrorInfo(VI_NULL);
  }

  // Another session, disposed with the fixture.
  ViSession OpenSession() {
    ViSession vi = 0;
    EXPECT_EQ(NewEngineSession(&vi), VI_SUCCESS);
    extra_.push_back(vi);
    return vi;
  }

  // The session's error record, which reading empties.
  static RecordedError TakeError(ViSession vi) {
    RecordedError error;
    ViStatus secondary = 0;
    ViChar elaboration[256] = {};
    EXPECT_EQ(Zor_GetErrorInfo(vi, &error.primary, &secondary, elaboration), VI_SUCCESS);
    error.elaboration = elaboration;
    return error;
  }
  RecordedError TakeError() const { return TakeError(vi_); }

  // The names of a table in position order, read with Zor_GetNthRepCapName.
  static std::vector<std::string> Names(ViSession vi, const char* repCapName) {
    std::vector<std::string> names;
    for (ViInt32 index = 1;; ++index) {
      ViConstString name = nullptr;
      EXPECT_EQ(Zor_GetNthRepCapName(vi, repCapName, index, &name), VI_SUCCESS);
      if (name == nullptr) return names;
      names.emplace_back(name);
    }
  }
  std::vector<std::string> Names(const char* repCapName) const { return Names(vi_, repCapName); }

  // The instances of an attribute of `vi`, place by place: the instance's name, or "-" for an
  // empty place. Each instance must sit at the place its index names.
  static std::vector<std::string> Instances(ViSession vi, ViAttr id) {
    SessionData* data = nullptr;
    EXPECT_EQ(LookupSession(vi, &data), VI_SUCCESS);
    std::vector<std::string> places;
    const AttributeRecord* record = data != nullptr ? FindOwnAttribute(*data, id) : nullptr;
    if (record == nullptr) {
      ADD_FAILURE() << "no attribute " << id;
      return places;
    }
    for (ViInt32 place = 1; place <= record->instances.count(); ++place) {
      const AttributeInstance* instance = record->instances[place].get();
      if (instance == nullptr) {
        places.emplace_back("-");
        continue;
      }
      EXPECT_EQ(instance->index, place);
      places.emplace_back(instance->repCapName != nullptr ? instance->repCapName : "(null)");
    }
    return places;
  }
  std::vector<std::string> Instances(ViAttr id) const { return Instances(vi_, id); }

  static void AddRepeated(ViSession vi, const char* repCapName, ViAttr id, ViInt32 flags = 0) {
    ASSERT_EQ(Zor_AddRepeatedAttributeViInt32(vi, repCapName, id, "Attribute", 0, flags, nullptr,
                                              nullptr, nullptr),
              VI_SUCCESS);
  }
  static void AddPlain(ViSession vi, ViAttr id, ViInt32 flags = 0) {
    ASSERT_EQ(Zor_AddAttributeViInt32(vi, id, "Attribute", 0, flags, nullptr, nullptr, nullptr),
              VI_SUCCESS);
  }

  ViSession vi_ = 0;

 private:
  std::vector<ViSession> extra_;
};

using NameList = std::vector<std::string>;

}  // namespace zor::test
