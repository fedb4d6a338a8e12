// The engine's status table: its shape, its agreement with the status macros of zor.h,
// a sample of its exact texts, and lookup by code.
#include "errors/status_table.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <set>
#include <string>

#include "zor.h"

namespace {

using zor::FindStatusMessage;
using zor::StatusMessage;
using zor::StatusTable;

struct HeaderStatus {
  ViStatus code;
  const char* name;
};

// Every status macro of zor.h, by its own name and value. The table in the engine spells its
// codes as plain numbers, so a typo on either side shows up as a mismatch here.
#define ZOR_STATUS_MACRO(name) HeaderStatus{name, #name}
const HeaderStatus kHeaderStatuses[] = {
    ZOR_STATUS_MACRO(VI_SUCCESS),
    ZOR_STATUS_MACRO(ZOR_WARN_NO_ID_QUERY),
    ZOR_STATUS_MACRO(ZOR_WARN_NO_RESET),
    ZOR_STATUS_MACRO(ZOR_WARN_NO_SELF_TEST),
    ZOR_STATUS_MACRO(ZOR_WARN_NO_ERROR_QUERY),
    ZOR_STATUS_MACRO(ZOR_WARN_NO_REVISION_QUERY),
    ZOR_STATUS_MACRO(ZOR_ERROR_PARAMETER1),
    ZOR_STATUS_MACRO(ZOR_ERROR_PARAMETER2),
    ZOR_STATUS_MACRO(ZOR_ERROR_PARAMETER3),
    ZOR_STATUS_MACRO(ZOR_ERROR_PARAMETER4),
    ZOR_STATUS_MACRO(ZOR_ERROR_PARAMETER5),
    ZOR_STATUS_MACRO(ZOR_ERROR_PARAMETER6),
    ZOR_STATUS_MACRO(ZOR_ERROR_PARAMETER7),
    ZOR_STATUS_MACRO(ZOR_ERROR_PARAMETER8),
    ZOR_STATUS_MACRO(ZOR_ERROR_IDENTIFICATION_QUERY_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_INTERPRETING_RESPONSE),
    ZOR_STATUS_MACRO(ZOR_WARN_ID_QUERY_UNSUPPORTED),
    ZOR_STATUS_MACRO(ZOR_WARN_RESET_UNSUPPORTED),
    ZOR_STATUS_MACRO(ZOR_WARN_SELF_TEST_UNSUPPORTED),
    ZOR_STATUS_MACRO(ZOR_WARN_ERROR_QUERY_UNSUPPORTED),
    ZOR_STATUS_MACRO(ZOR_WARN_REVISION_QUERY_UNSUPPORTED),
    ZOR_STATUS_MACRO(ZOR_ERROR_UNRECOVERABLE_FAILURE),
    ZOR_STATUS_MACRO(ZOR_ERROR_INSTRUMENT_ERROR_DETECTED),
    ZOR_STATUS_MACRO(ZOR_ERROR_FILE_OPEN_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_FILE_READ),
    ZOR_STATUS_MACRO(ZOR_ERROR_FILE_WRITE),
    ZOR_STATUS_MACRO(ZOR_ERROR_DRIVER_MODULE_NOT_FOUND),
    ZOR_STATUS_MACRO(ZOR_ERROR_DRIVER_MODULE_NOT_READABLE),
    ZOR_STATUS_MACRO(ZOR_ERROR_DRIVER_MODULE_INVALID),
    ZOR_STATUS_MACRO(ZOR_ERROR_DRIVER_MODULE_UNDEFINED_REFERENCES),
    ZOR_STATUS_MACRO(ZOR_ERROR_FUNCTION_NOT_IN_DRIVER_MODULE),
    ZOR_STATUS_MACRO(ZOR_ERROR_DRIVER_MODULE_LOAD_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_PATH_NAME),
    ZOR_STATUS_MACRO(ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN),
    ZOR_STATUS_MACRO(ZOR_ERROR_ATTRIBUTE_READ_ONLY),
    ZOR_STATUS_MACRO(ZOR_ERROR_ATTRIBUTE_WRITE_ONLY),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_PARAMETER),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_VALUE),
    ZOR_STATUS_MACRO(ZOR_ERROR_NOT_SUPPORTED),
    ZOR_STATUS_MACRO(ZOR_ERROR_ATTRIBUTE_NOT_SUPPORTED),
    ZOR_STATUS_MACRO(ZOR_ERROR_ENUM_VALUE_NOT_SUPPORTED),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_TYPE),
    ZOR_STATUS_MACRO(ZOR_ERROR_TYPE_MISMATCH),
    ZOR_STATUS_MACRO(ZOR_ERROR_UPDATE_PENDING),
    ZOR_STATUS_MACRO(ZOR_ERROR_ITEM_EXISTS),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_CONFIGURATION),
    ZOR_STATUS_MACRO(ZOR_ERROR_ITEM_NOT_AVAILABLE),
    ZOR_STATUS_MACRO(ZOR_ERROR_VALUE_UNKNOWN),
    ZOR_STATUS_MACRO(ZOR_ERROR_NO_RANGE_TABLE),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_RANGE_TABLE),
    ZOR_STATUS_MACRO(ZOR_ERROR_NOT_CONNECTED),
    ZOR_STATUS_MACRO(ZOR_ERROR_UNDERSPECIFIED_CONFIGURATION),
    ZOR_STATUS_MACRO(ZOR_ERROR_NO_CHANNEL_TABLE),
    ZOR_STATUS_MACRO(ZOR_ERROR_UNKNOWN_REPCAP_NAME),
    ZOR_STATUS_MACRO(ZOR_ERROR_SYSTEM_RESOURCE),
    ZOR_STATUS_MACRO(ZOR_ERROR_ACCESS_DENIED),
    ZOR_STATUS_MACRO(ZOR_ERROR_TOO_MANY_OPEN_FILES),
    ZOR_STATUS_MACRO(ZOR_ERROR_TEMP_FILE_CREATE),
    ZOR_STATUS_MACRO(ZOR_ERROR_TEMP_NAMES_USED),
    ZOR_STATUS_MACRO(ZOR_ERROR_DISK_FULL),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_FILE_NOT_FOUND),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_FILE_OPEN),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_FILE_READ),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_INVALID_VIINT32),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_INVALID_VIREAL64),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_INVALID_VIBOOLEAN),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_ENTRY_MISSING),
    ZOR_STATUS_MACRO(ZOR_ERROR_DRIVER_INIT_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_DRIVER_UNRESOLVED_REFERENCE),
    ZOR_STATUS_MACRO(ZOR_ERROR_RTE_NOT_FOUND),
    ZOR_STATUS_MACRO(ZOR_ERROR_RTE_OPEN),
    ZOR_STATUS_MACRO(ZOR_ERROR_RTE_INVALID_FORMAT),
    ZOR_STATUS_MACRO(ZOR_ERROR_RTE_MISSING_FUNCTIONS),
    ZOR_STATUS_MACRO(ZOR_ERROR_RTE_INIT_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_RTE_UNRESOLVED_REFERENCE),
    ZOR_STATUS_MACRO(ZOR_ERROR_RTE_LOAD_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_DLL_OPEN_EXPORTS),
    ZOR_STATUS_MACRO(ZOR_ERROR_DLL_CORRUPT),
    ZOR_STATUS_MACRO(ZOR_ERROR_DLL_NO_EXPORTS),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_UNKNOWN_ATTRIBUTE),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_INVALID_ATTRIBUTE_VALUE),
    ZOR_STATUS_MACRO(ZOR_ERROR_UNKNOWN_MEMORY_POINTER),
    ZOR_STATUS_MACRO(ZOR_ERROR_NO_REPCAP_STRINGS),
    ZOR_STATUS_MACRO(ZOR_ERROR_DUPLICATE_REPCAP_NAME),
    ZOR_STATUS_MACRO(ZOR_ERROR_DUPLICATE_VIRTUAL_NAME),
    ZOR_STATUS_MACRO(ZOR_ERROR_VIRTUAL_NAME_MISSING),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_VIRTUAL_NAME),
    ZOR_STATUS_MACRO(ZOR_ERROR_VIRTUAL_NAME_UNASSIGNED),
    ZOR_STATUS_MACRO(ZOR_ERROR_VIRTUAL_NAME_BAD_TARGET),
    ZOR_STATUS_MACRO(ZOR_ERROR_REPCAP_NAME_REQUIRED),
    ZOR_STATUS_MACRO(ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED),
    ZOR_STATUS_MACRO(ZOR_ERROR_ATTRIBUTE_NOT_VALID_FOR_REPCAP),
    ZOR_STATUS_MACRO(ZOR_ERROR_NOT_REPCAP_ATTRIBUTE),
    ZOR_STATUS_MACRO(ZOR_ERROR_CHANNEL_ALREADY_EXCLUDED),
    ZOR_STATUS_MACRO(ZOR_ERROR_OPTION_NAME_MISSING),
    ZOR_STATUS_MACRO(ZOR_ERROR_OPTION_VALUE_MISSING),
    ZOR_STATUS_MACRO(ZOR_ERROR_UNKNOWN_OPTION_NAME),
    ZOR_STATUS_MACRO(ZOR_ERROR_UNKNOWN_OPTION_VALUE),
    ZOR_STATUS_MACRO(ZOR_ERROR_NOT_CLASS_SESSION),
    ZOR_STATUS_MACRO(ZOR_ERROR_RESERVED_CONFIG_FILENAME),
    ZOR_STATUS_MACRO(ZOR_ERROR_DUPLICATE_RUNTIME_ENTRY),
    ZOR_STATUS_MACRO(ZOR_ERROR_INDEX_ONE_BASED),
    ZOR_STATUS_MACRO(ZOR_ERROR_INDEX_TOO_LARGE),
    ZOR_STATUS_MACRO(ZOR_ERROR_NEVER_CACHE_ATTRIBUTE),
    ZOR_STATUS_MACRO(ZOR_ERROR_EXPORTED_VIADDR_ATTRIBUTE),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_REPCAP_CHARACTERS),
    ZOR_STATUS_MACRO(ZOR_ERROR_PREFIX_MISMATCH),
    ZOR_STATUS_MACRO(ZOR_ERROR_OUT_OF_MEMORY),
    ZOR_STATUS_MACRO(ZOR_ERROR_OPERATION_PENDING),
    ZOR_STATUS_MACRO(ZOR_ERROR_NULL_POINTER),
    ZOR_STATUS_MACRO(ZOR_ERROR_UNEXPECTED_RESPONSE),
    ZOR_STATUS_MACRO(ZOR_ERROR_FILE_NOT_FOUND),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_FILE_FORMAT),
    ZOR_STATUS_MACRO(ZOR_ERROR_STATUS_NOT_AVAILABLE),
    ZOR_STATUS_MACRO(ZOR_ERROR_INSTRUMENT_ID_QUERY_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_RESET_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_RESOURCE_UNKNOWN),
    ZOR_STATUS_MACRO(ZOR_ERROR_ALREADY_INITIALIZED),
    ZOR_STATUS_MACRO(ZOR_ERROR_SIMULATION_STATE_FIXED),
    ZOR_STATUS_MACRO(ZOR_ERROR_SELECTOR_LEVELS),
    ZOR_STATUS_MACRO(ZOR_ERROR_SELECTOR_RANGE),
    ZOR_STATUS_MACRO(ZOR_ERROR_SELECTOR_UNKNOWN_NAME),
    ZOR_STATUS_MACRO(ZOR_ERROR_SELECTOR_BADLY_FORMED),
    ZOR_STATUS_MACRO(ZOR_ERROR_SELECTOR_UNKNOWN_PHYSICAL),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_SESSION_HANDLE),
    ZOR_STATUS_MACRO(ZOR_ERROR_LOCK_CREATE_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_THREAD_LOCAL_CREATE_FAILED),
    ZOR_STATUS_MACRO(ZOR_ERROR_STORE_DESERIALIZE),
    ZOR_STATUS_MACRO(ZOR_ERROR_STORE_ALREADY_DESERIALIZED),
    ZOR_STATUS_MACRO(ZOR_ERROR_STORE_SERIALIZE),
    ZOR_STATUS_MACRO(ZOR_ERROR_NAME_NOT_RESOLVED),
    ZOR_STATUS_MACRO(ZOR_ERROR_NOT_IN_GLOBAL_COLLECTION),
    ZOR_STATUS_MACRO(ZOR_ERROR_ALREADY_IN_COLLECTION),
    ZOR_STATUS_MACRO(ZOR_ERROR_MASTER_STORE_MISSING),
    ZOR_STATUS_MACRO(ZOR_ERROR_NOT_IN_COLLECTION),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_DATA_COMPONENT),
    ZOR_STATUS_MACRO(ZOR_ERROR_ELEMENT_REFERENCED),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_STORE_HANDLE),
    ZOR_STATUS_MACRO(ZOR_ERROR_INVALID_PROPERTY_ID),
    ZOR_STATUS_MACRO(ZOR_ERROR_REPCAP_LIST_FIXED),
    ZOR_STATUS_MACRO(ZOR_ERROR_ALREADY_RESTRICTED),
    ZOR_STATUS_MACRO(ZOR_ERROR_REPCAP_TABLE_EXISTS),
    ZOR_STATUS_MACRO(ZOR_ERROR_REPCAP_NOT_DEFINED),
    ZOR_STATUS_MACRO(ZOR_ERROR_REPCAP_NAME_EMPTY),
    ZOR_STATUS_MACRO(ZOR_ERROR_CONFIG_SERVER_MISSING),
};
#undef ZOR_STATUS_MACRO

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

const StatusMessage* FindByName(const std::string& name) {
  for (const StatusMessage& row : StatusTable()) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

TEST(StatusTable, HasOneRowPerEngineStatus) {
  EXPECT_EQ(StatusTable().size(), std::size_t{145});
  EXPECT_EQ(zor::kStatusTableSize, std::size_t{145});
  EXPECT_EQ(sizeof(kHeaderStatuses) / sizeof(kHeaderStatuses[0]), StatusTable().size());
}

TEST(StatusTable, CodesAndNamesAreUnique) {
  std::set<ViStatus> codes;
  std::set<std::string> names;
  for (const StatusMessage& row : StatusTable()) {
    EXPECT_TRUE(codes.insert(row.code).second) << "code repeated by " << row.name;
    EXPECT_TRUE(names.insert(row.name).second) << "name repeated: " << row.name;
  }
}

// Names follow the code's family: warnings are positive, errors negative, success is 0.
TEST(StatusTable, NamesMatchTheSignOfTheirCodes) {
  for (const StatusMessage& row : StatusTable()) {
    const std::string name = row.name;
    if (name == "VI_SUCCESS") {
      EXPECT_EQ(row.code, VI_SUCCESS);
    } else if (StartsWith(name, "ZOR_WARN_")) {
      EXPECT_GT(row.code, 0) << name;
    } else if (StartsWith(name, "ZOR_ERROR_")) {
      EXPECT_LT(row.code, 0) << name;
    } else {
      ADD_FAILURE() << "unexpected prefix: " << name;
    }
  }
}

TEST(StatusTable, EveryHeaderMacroHasTheRowOfItsName) {
  for (const HeaderStatus& macro : kHeaderStatuses) {
    const StatusMessage* row = FindByName(macro.name);
    ASSERT_NE(row, nullptr) << macro.name << " has no row";
    EXPECT_EQ(row->code, macro.code) << macro.name;
  }
}

// Lookups take the first match in stored order, so the order is part of the table.
TEST(StatusTable, KeepsItsStoredOrder) {
  const struct {
    std::size_t index;
    ViStatus code;
  } cases[] = {
      {0, VI_SUCCESS},
      {1, ZOR_WARN_NO_ID_QUERY},
      {6, ZOR_ERROR_PARAMETER1},
      {16, ZOR_WARN_ID_QUERY_UNSUPPORTED},
      {21, ZOR_ERROR_UNRECOVERABLE_FAILURE},
      {65, ZOR_ERROR_CONFIG_SERVER_MISSING},
      {66, ZOR_ERROR_INVALID_SESSION_HANDLE},
      {80, ZOR_ERROR_INVALID_PROPERTY_ID},
      {81, ZOR_ERROR_DRIVER_MODULE_NOT_FOUND},
      {144, ZOR_ERROR_ALREADY_INITIALIZED},
  };
  for (const auto& c : cases) {
    ASSERT_LT(c.index, StatusTable().size());
    EXPECT_EQ(StatusTable()[c.index].code, c.code) << "row " << c.index;
  }
}

TEST(StatusTable, MessagesAreExact) {
  const struct {
    ViStatus code;
    const char* message;
  } cases[] = {
      {VI_SUCCESS, "Operation completed successfully."},
      {ZOR_WARN_NO_SELF_TEST, "Self-test not supported."},
      {ZOR_ERROR_PARAMETER8,
       "Parameter 8 out of range, or error occurred while setting Parameter 8."},
      {ZOR_WARN_REVISION_QUERY_UNSUPPORTED, "Revision query not supported."},
      {ZOR_ERROR_INVALID_PARAMETER, "Invalid parameter."},
      // Runs of two and three spaces are part of the texts.
      {ZOR_ERROR_INSTRUMENT_ERROR_DETECTED,
       "Instrument error detected.  Call the PREFIX_error_query function and examine the "
       "error  code and error message parameters for additional information regarding the "
       "error."},
      {ZOR_ERROR_NO_CHANNEL_TABLE,
       "No channel table has been built for the session.   The instrument driver must call "
       "Zor_BuildChannelTable in its ZorInit function."},
      {ZOR_ERROR_NO_REPCAP_STRINGS, "Unable to find any channel  or repeated capability strings."},
      {ZOR_ERROR_NOT_REPCAP_ATTRIBUTE,
       "This operation requires a channel-  or repeated capability-based attribute.  The "
       "specified attribute is not channel-  or repeated capability-based."},
      {ZOR_ERROR_EXPORTED_VIADDR_ATTRIBUTE,
       "An instrument driver cannot export a ViAddr attribute to the end-user.  Use the "
       "ZOR_VAL_HIDDEN flag macro to make it a private attribute."},
      // A double quote inside the text.
      {ZOR_ERROR_RESERVED_CONFIG_FILENAME,
       "You cannot create a configuration file named \"zor.ini\".  That filename is reserved."},
      // Texts kept as they are: a misspelling and two without a final period.
      {ZOR_ERROR_NOT_CLASS_SESSION,
       "This operation is valid only on a sesssion created by a class driver."},
      {ZOR_ERROR_INVALID_REPCAP_CHARACTERS,
       "Channel  or repeated capability strings must contain only alphanumerics, underscores, "
       "or an exclamation point"},
      {ZOR_ERROR_PREFIX_MISMATCH,
       "The Prefix item in the configuration file does not match the specific driver's prefix"},
      {ZOR_ERROR_CONFIG_SERVER_MISSING, "The Config Server module is not present on the system."},
  };
  for (const auto& c : cases) {
    const StatusMessage* row = FindStatusMessage(c.code);
    ASSERT_NE(row, nullptr) << std::hex << c.code;
    EXPECT_STREQ(row->message, c.message) << row->name;
  }
}

TEST(StatusTable, MessagesAreSingleLinesWithoutEscapes) {
  for (const StatusMessage& row : StatusTable()) {
    const std::string message = row.message;
    EXPECT_FALSE(message.empty()) << row.name;
    EXPECT_EQ(message.find_first_of("\\\n\t"), std::string::npos) << row.name;
    EXPECT_NE(message.front(), ' ') << row.name;
    EXPECT_NE(message.back(), ' ') << row.name;
  }
}

TEST(StatusLookup, FindsEveryRowInPlace) {
  for (const StatusMessage& row : StatusTable()) {
    EXPECT_EQ(FindStatusMessage(row.code), &row) << row.name;
  }
}

TEST(StatusLookup, UnknownCodesYieldNull) {
  const ViStatus unknown[] = {
      // VISA's own codes are not the engine's.
      VI_ERROR_ALLOC,
      VI_ERROR_SYSTEM_ERROR,
      VI_WARN_UNKNOWN_STATUS,
      // Gaps next to engine codes.
      static_cast<ViStatus>(0xBFFA0068u),
      static_cast<ViStatus>(0xBFFA600Eu),
      static_cast<ViStatus>(0xBFFC0009u),
      static_cast<ViStatus>(0x3FFA0064u),
      1,
      -1,
  };
  for (ViStatus code : unknown) {
    EXPECT_EQ(FindStatusMessage(code), nullptr) << std::hex << code;
  }
}

}  // namespace
