// The engine's status table: every status code the engine defines, with its symbolic name and
// its message, in the order the engine searches them (first match wins). Lookups of a single
// code go through FindStatusMessage; StatusTable() hands out the whole table for walks.
#ifndef ZOR_ERRORS_STATUS_TABLE_H
#define ZOR_ERRORS_STATUS_TABLE_H

#include <cstddef>

#include "zor.h"

namespace zor {

struct StatusMessage {
  ViStatus code;
  const char* name;     // the macro name in zor.h, e.g. "ZOR_ERROR_INVALID_PARAMETER"
  const char* message;  // the text reported for the code
};

// A read-only view of the table: `count` rows starting at `rows`.
struct StatusTableView {
  const StatusMessage* rows;
  std::size_t count;

  const StatusMessage* begin() const noexcept { return rows; }
  const StatusMessage* end() const noexcept { return rows + count; }
  std::size_t size() const noexcept { return count; }
  const StatusMessage& operator[](std::size_t i) const noexcept { return rows[i]; }
};

inline constexpr std::size_t kStatusTableSize = 145;

// The whole table, in stored order.
StatusTableView StatusTable() noexcept;

// The first row whose code is `code`, or nullptr when the engine does not define the code.
const StatusMessage* FindStatusMessage(ViStatus code) noexcept;

}  // namespace zor

#endif  // ZOR_ERRORS_STATUS_TABLE_H
