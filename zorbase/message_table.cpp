// The standard message table for drivers, and the joining of a message with an elaboration.
// Texts are stored without a final period; the pointers handed out point into the table.
#include <cstring>
#include <string>

#include "base_status.h"
#include "error_record.h"

namespace {

constexpr ViStatus S(unsigned long bits) { return static_cast<ViStatus>(bits); }

const ZorErrorMessageEntry kStandardMessages[] = {
    {S(0xBFFA0000), "Unrecoverable failure"},
    {S(0xBFFA0001), "Instrument error detected"},
    {S(0xBFFA0002), "File could not be opened"},
    {S(0xBFFA0003), "File is being read"},
    {S(0xBFFA0004), "File is being modified"},
    {S(0xBFFA000B), "The path name is invalid"},
    {S(0xBFFA000C), "Attribute ID not recognized"},
    {S(0xBFFA000D), "Attribute is read-only"},
    {S(0xBFFA000E), "Attribute is write-only"},
    {S(0xBFFA0010), "Invalid value for parameter or property"},
    {S(0xBFFA0011), "Function or method not supported"},
    {S(0xBFFA0012), "Attribute or property not supported"},
    {S(0xBFFA0013), "The enumeration value for the parameter is not supported"},
    {S(0xBFFA0015), "The attribute and function parameter types do not match"},
    {S(0xBFFA001D), "A connection to the instrument has not been initialized"},
    {S(0xBFFA0020), "Channel name specified is not valid for the instrument"},
    {S(0xBFFA0023), "Too many files opened"},
    {S(0xBFFA0044), "Channel name required"},
    {S(0xBFFA0045), "The channel name is not allowed"},
    {S(0xBFFA0049), "The option string contains an entry without a name"},
    {S(0xBFFA004A), "The option string contains an entry without a value"},
    {S(0xBFFA004B), "The option string contains an entry with an unknown option name"},
    {S(0xBFFA004C), "The option string contains an entry with an unknown option value"},
    {S(0xBFFA0056), "The necessary memory could not be allocated"},
    {S(0xBFFA0057), "Operation in progress"},
    {S(0xBFFA0058), "Null pointer passed for parameter or property"},
    {S(0xBFFA0059), "Unexpected response from the instrument"},
    {S(0xBFFA005B), "File not found"},
    {S(0xBFFA005C), "The file format is invalid"},
    {S(0xBFFA005D), "instrument status is not available"},
    {S(0xBFFA005E), "Instrument ID query failed"},
    {S(0xBFFA005F), "Instrument reset failed"},
    {S(0xBFFA0060), "Insufficient location information or resource not present in the system"},
    {S(0xBFFA0062), "The simulation state cannot be changed"},
    {S(0x3FFA0065), "Identification query not supported"},
    {S(0x3FFA0066), "Reset operation not supported"},
    {S(0x3FFA0067), "Self test operation not supported"},
    {S(0x3FFA0068), "Error query operation not supported"},
    {S(0x3FFA0069), "Revision query not supported"},
    {0, ""},
};

// Walks to the first row whose code is `code` or 0; an unknown code yields the end row's text.
ViConstString LookUp(const ZorErrorMessageEntry* table, ViStatus code) {
  while (table->code != code && table->code != 0) ++table;
  return table->message;
}

bool IsNullOrEmpty(ViConstString text) { return text == nullptr || text[0] == '\0'; }

}  // namespace

using namespace zor::base;

extern "C" {

ZOR_EXPORT ViStatus ZorErrorMessage_Get(ViStatus code, const ZorErrorMessageEntry messageTable[],
                                        ViConstString* message) {
  return Guarded([&] {
    if (message == nullptr) Raise(kNullPointer);
    if (code == 0) {
      *message = "";
      return kSuccess;
    }
    ViConstString found = messageTable != nullptr ? LookUp(messageTable, code) : nullptr;
    if (IsNullOrEmpty(found)) found = LookUp(kStandardMessages, code);
    if (IsNullOrEmpty(found)) {
      *message = "";
      return kInvalidValue;
    }
    *message = found;
    return kSuccess;
  });
}

ZOR_EXPORT ViStatus ZorErrorMessage_FormatWithElaboration(ViConstString message,
                                                          ViConstString elaboration,
                                                          ViInt32 bufferSize, ViChar buffer[]) {
  return Guarded([&] {
    if (message == nullptr || elaboration == nullptr) return kInvalidValue;
    std::string text = message;
    text += " : ";
    text += elaboration;
    return CopyOutByBufferRule(text.c_str(), text.size(), bufferSize, buffer);
  });
}

}  // extern "C"
