#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "driver/option_string.h"
#include "zor.h"

namespace zor::options {
namespace {

struct Outcome {
  ViStatus status;
  std::string elaboration;
};

Outcome Parse(const char* optionString, InitOptions* options) {
  Zor_ClearErrorInfo(VI_NULL);
  Outcome outcome{ParseOptionString(VI_NULL, optionString, options), ""};
  ViStatus primary = 0;
  ViStatus secondary = 0;
  char text[256] = "";
  Zor_GetErrorInfo(VI_NULL, &primary, &secondary, text);
  EXPECT_EQ(primary, outcome.status < VI_SUCCESS ? outcome.status : VI_SUCCESS) << optionString;
  outcome.elaboration = text;
  return outcome;
}

// The fields of InitOptions, written as a string: s r c q C i and the driver setup.
std::string Describe(const InitOptions& o) {
  std::string d;
  for (const ViBoolean b : {o.simulate, o.rangeCheck, o.recordCoercions, o.queryInstrStatus, o.cache,
                            o.interchangeCheck}) {
    d += b == VI_TRUE ? '1' : (b == VI_FALSE ? '0' : '?');
  }
  return d + (o.driverSetup ? "|" + *o.driverSetup : "");
}

constexpr const char* kDefaults = "010010";

TEST(OptionString, Parsing) {
  const struct {
    const char* optionString;
    ViStatus status;
    const char* elaboration;
    const char* fields;  // after the parse, failed or not
  } cases[] = {
      // Nothing to read.
      {nullptr, VI_SUCCESS, "", kDefaults},
      {"", VI_SUCCESS, "", kDefaults},
      {"  ,  ,,", VI_SUCCESS, "", kDefaults},
      {",", VI_SUCCESS, "", kDefaults},
      {" \t\r\n\v\f ", VI_SUCCESS, "", kDefaults},
      // Names and values ignore case; blanks around names, values and separators do not count.
      {"simulate=true", VI_SUCCESS, "", "110010"},
      {"  SIMULATE = vi_true ,\tRangeCheck\t=\tFALSE  ", VI_SUCCESS, "", "100010"},
      {"Simulate=1,", VI_SUCCESS, "", "110010"},
      {"Simulate=1,Simulate=0", VI_SUCCESS, "", kDefaults},
      {"Range Check=0,Query Instr Status=1,Record Coercions=1,Interchange Check=1,Cache=0",
       VI_SUCCESS, "", "001101"},
      {"QueryInstrumentStatus=True", VI_SUCCESS, "", "010110"},
      {"DriverSetup=Model:X, DriverSetup=Model:Y", VI_SUCCESS, "", "010010|Model:Y"},
      {"Driver Setup= a b = c ", VI_SUCCESS, "", "010010|a b = c"},
      {"UseSpecificSimulation=anything", VI_SUCCESS, "", kDefaults},
      {"LogicalName=whatever", VI_SUCCESS, "", kDefaults},
      // Missing names and values.
      {"=1", ZOR_ERROR_OPTION_NAME_MISSING, "", kDefaults},
      {"  =  ", ZOR_ERROR_OPTION_NAME_MISSING, "", kDefaults},
      {"Simulate=1,=0", ZOR_ERROR_OPTION_NAME_MISSING, "", "110010"},
      {"Simulate", ZOR_ERROR_OPTION_VALUE_MISSING, "", kDefaults},
      {"Simulate=", ZOR_ERROR_OPTION_VALUE_MISSING, "", kDefaults},
      {"Simulate=  ,Cache=0", ZOR_ERROR_OPTION_VALUE_MISSING, "", kDefaults},
      {"UseSpecificSimulation=", ZOR_ERROR_OPTION_VALUE_MISSING, "", kDefaults},
      {"Bogus", ZOR_ERROR_OPTION_VALUE_MISSING, "", kDefaults},
      // The '=' of a later entry belongs to that entry.
      {"Simulate,Cache=0", ZOR_ERROR_OPTION_VALUE_MISSING, "", kDefaults},
      // Unknown names and values; earlier entries have taken effect, later ones are not read.
      {"Cache=0, Bogus=1, RangeCheck=0", ZOR_ERROR_UNKNOWN_OPTION_NAME, "Bogus", "010000"},
      {"Range  Check=0", ZOR_ERROR_UNKNOWN_OPTION_NAME, "Range  Check", kDefaults},
      {"Zor_Attr_Spy=1", ZOR_ERROR_UNKNOWN_OPTION_NAME, "Zor_Attr_Spy", kDefaults},
      {"Simulate=yes", ZOR_ERROR_UNKNOWN_OPTION_VALUE, "yes", kDefaults},
      {"Cache= 2 ", ZOR_ERROR_UNKNOWN_OPTION_VALUE, "2", kDefaults},
      {"Cache=VI TRUE", ZOR_ERROR_UNKNOWN_OPTION_VALUE, "VI TRUE", kDefaults},
      {"Simulate=1,Cache=on,Simulate=0", ZOR_ERROR_UNKNOWN_OPTION_VALUE, "on", "110010"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.optionString != nullptr ? c.optionString : "(null)");
    InitOptions options;
    const Outcome outcome = Parse(c.optionString, &options);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.elaboration, c.elaboration);
    EXPECT_EQ(Describe(options), c.fields);
  }
}

TEST(OptionString, EveryNameOfTheTable) {
  const struct {
    const char* names[6];
    const char* fields;  // with the value "True"
  } families[] = {
      {{"Zor_Attr_Simulate", "Attr_Simulate", "Simulate"}, "110010"},
      {{"Zor_Attr_Range_Check", "Attr_Range_Check", "Range_Check", "Range Check", "RangeCheck"},
       kDefaults},
      {{"Zor_Attr_Query_Instr_Status", "Attr_Query_Instr_Status", "Query_Instr_Status",
        "Query Instr Status", "QueryInstrStatus", "QueryInstrumentStatus"},
       "010110"},
      {{"Zor_Attr_Cache", "Attr_Cache", "Cache"}, kDefaults},
      {{"Zor_Attr_Record_Coercions", "Attr_Record_Coercions", "Record_Coercions",
        "Record Coercions", "RecordCoercions"},
       "011010"},
      {{"Zor_Attr_Interchange_Check", "Attr_Interchange_Check", "Interchange_Check",
        "Interchange Check", "InterchangeCheck"},
       "010011"},
      {{"Zor_Attr_Driver_Setup", "Attr_Driver_Setup", "Driver_Setup", "Driver Setup",
        "DriverSetup"},
       "010010|True"},
      {{"Zor_Attr_Use_Specific_Simulation", "Attr_Use_Specific_Simulation",
        "Use_Specific_Simulation", "Use Specific Simulation", "UseSpecificSimulation"},
       kDefaults},
      {{"LogicalName"}, kDefaults},
  };
  int count = 0;
  for (const auto& family : families) {
    for (const char* name : family.names) {
      if (name == nullptr) break;
      ++count;
      for (const std::string& spelled : {std::string(name), [&] {
             std::string upper = name;
             for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
             return upper;
           }()}) {
        SCOPED_TRACE(spelled);
        InitOptions options;
        EXPECT_EQ(Parse((spelled + "=True").c_str(), &options).status, VI_SUCCESS);
        EXPECT_EQ(Describe(options), family.fields);
      }
    }
  }
  EXPECT_EQ(count, 38);
}

TEST(OptionString, EveryBooleanText) {
  const struct {
    const char* text;
    ViBoolean value;
  } texts[] = {{"VI_TRUE", VI_TRUE},  {"True", VI_TRUE},   {"1", VI_TRUE},   {"vi_true", VI_TRUE},
               {"TRUE", VI_TRUE},     {"VI_FALSE", VI_FALSE}, {"False", VI_FALSE}, {"0", VI_FALSE},
               {"fAlSe", VI_FALSE}};
  for (const auto& t : texts) {
    SCOPED_TRACE(t.text);
    for (const ViBoolean start : {ViBoolean{VI_FALSE}, ViBoolean{VI_TRUE}}) {
      InitOptions options;
      options.interchangeCheck = start;
      EXPECT_EQ(Parse((std::string("InterchangeCheck=") + t.text).c_str(), &options).status, VI_SUCCESS);
      EXPECT_EQ(options.interchangeCheck, t.value);
    }
  }
  for (const char* bad : {"yes", "no", "01", "2", "-1", "T", "VI_TRUEX", "\"1\""}) {
    SCOPED_TRACE(bad);
    InitOptions options;
    const Outcome outcome = Parse((std::string("Simulate=") + bad).c_str(), &options);
    EXPECT_EQ(outcome.status, ZOR_ERROR_UNKNOWN_OPTION_VALUE);
    EXPECT_EQ(outcome.elaboration, bad);
  }
}

TEST(OptionString, LongNamesAndValuesAreCutNotRefused) {
  {
    // A name is cut to 255 characters before it is looked up.
    const std::string name = "Simulate" + std::string(300, 'x');
    InitOptions options;
    const Outcome outcome = Parse((name + "=1").c_str(), &options);
    EXPECT_EQ(outcome.status, ZOR_ERROR_UNKNOWN_OPTION_NAME);
    EXPECT_EQ(outcome.elaboration, name.substr(0, 255));
  }
  {
    // 255 characters of blanks leave no name once cut and trimmed.
    InitOptions options;
    EXPECT_EQ(Parse((std::string(260, ' ') + "Simulate=1").c_str(), &options).status,
              ZOR_ERROR_OPTION_NAME_MISSING);
    EXPECT_EQ(Parse((std::string(254, ' ') + "Simulate=1").c_str(), &options).status,
              ZOR_ERROR_UNKNOWN_OPTION_NAME);  // "S" is no option
    EXPECT_EQ(Parse((std::string(247, ' ') + "Simulate=1").c_str(), &options).status, VI_SUCCESS);
    EXPECT_EQ(options.simulate, VI_TRUE);
    EXPECT_EQ(Parse((std::string(260, ' ') + "Simulate").c_str(), &options).status, VI_SUCCESS)
        << "without '=' a blank name is a blank entry";
  }
  {
    // A value is cut to 511 characters: a driver setup is stored cut.
    const std::string value(600, 'v');
    InitOptions options;
    ASSERT_EQ(Parse(("DriverSetup=" + value).c_str(), &options).status, VI_SUCCESS);
    ASSERT_TRUE(options.driverSetup);
    EXPECT_EQ(*options.driverSetup, value.substr(0, 511));
    ASSERT_EQ(Parse(("DriverSetup=" + std::string(511, 'w') + "  ").c_str(), &options).status, VI_SUCCESS);
    EXPECT_EQ(options.driverSetup->size(), 511u);
  }
  {
    // The cut comes before the trim, so 511 blanks and a value are no value at all.
    InitOptions options;
    EXPECT_EQ(Parse(("Simulate=" + std::string(511, ' ') + "1").c_str(), &options).status,
              ZOR_ERROR_OPTION_VALUE_MISSING);
    EXPECT_EQ(Parse(("Simulate=" + std::string(510, ' ') + "1").c_str(), &options).status, VI_SUCCESS);
  }
  {
    // An unknown value is reported cut to what the error information holds.
    const std::string value(600, 'y');
    InitOptions options;
    const Outcome outcome = Parse(("Cache=" + value).c_str(), &options);
    EXPECT_EQ(outcome.status, ZOR_ERROR_UNKNOWN_OPTION_VALUE);
    EXPECT_EQ(outcome.elaboration, value.substr(0, 255));
  }
}

TEST(OptionString, LogicalNameExtraction) {
  const struct {
    const char* optionString;
    const char* logicalName;
  } cases[] = {
      {nullptr, ""},
      {"", ""},
      {"Simulate=1", ""},
      {"LogicalName=MyDmm", "MyDmm"},
      {"Simulate=1, LogicalName =  My Dmm  ,Cache=0", "My Dmm"},
      {"LogicalName=", ""},
      {"LogicalName=   ", ""},
      {"LogicalName", ""},
      {"LogicalName,Simulate=1", ""},  // the '=' of another entry does not count
      {"logicalname=MyDmm", ""},       // found by exact spelling only
      {"LogicalName=first,LogicalName=second", "first"},
      {"DriverSetup=LogicalName=inner", "inner"},  // found anywhere in the string
      {"XLogicalNameY=z", "z"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.optionString != nullptr ? c.optionString : "(null)");
    char name[kLogicalNameSize];
    std::memset(name, 'x', sizeof name);
    ExtractLogicalName(c.optionString, name);
    EXPECT_STREQ(name, c.logicalName);
  }
  // Cut to 255 characters, then trimmed.
  char name[kLogicalNameSize];
  ExtractLogicalName(("LogicalName=" + std::string(300, 'n')).c_str(), name);
  EXPECT_EQ(std::string(name), std::string(255, 'n'));
  ExtractLogicalName(("LogicalName=" + std::string(254, 'n') + "  tail").c_str(), name);
  EXPECT_EQ(std::string(name), std::string(254, 'n'));
}

}  // namespace
}  // namespace zor::options
