// Repeated capabilities: named, ordered lists of instance names (channels and the like).
//
// A RepCapTable keeps its names in the order they were added (a name's position, counted from
// 1, never changes) and an index of the same entries sorted ignoring case for lookups. A
// session's tables are found by exact, case-sensitive name in its RepCapSet. Virtual names map
// to physical names before every lookup of a user's instance name.
#pragma once

#include <memory>
#include <string>

#include "core/ordered_array.h"
#include "zor.h"

namespace zor {

struct SessionData;

struct RepCapEntry {
  std::string name;   // the physical name, as the driver spelled it
  ViInt32 position;   // from 1, in order of addition
};

// One entry of a table's lookup index: the start of the name folded to lower case, stored
// inline so that a binary search reads one contiguous array, and the entry itself.
struct IndexedName {
  static constexpr std::size_t kKeySize = 24;  // folded characters kept inline, NUL padded

  explicit IndexedName(RepCapEntry* e) noexcept;
  RepCapEntry* operator->() const noexcept { return entry; }

  char key[kKeySize];
  RepCapEntry* entry;
};

struct RepCapTable {
  bool hasAttributes = false;  // set with the first attribute repeated over the table
  OrderedArray<std::unique_ptr<RepCapEntry>> names;  // by position; entries never move
  OrderedArray<IndexedName> index;                   // sorted by name ignoring case

  ViInt32 count() const noexcept { return names.count(); }
  // The physical name at `position` (1..count), or nullptr.
  const char* NameAt(ViInt32 position) const noexcept;
  // The entry whose name equals `name` ignoring case, or nullptr.
  const RepCapEntry* FindIgnoringCase(const char* name) const noexcept;
  // Appends `name` at the next position and enters it in the index. Throws std::bad_alloc.
  const RepCapEntry& Add(const std::string& name);
  // Removes the names at positions above `count` (undoing a failed addition).
  void TruncateTo(ViInt32 count) noexcept;
};

struct NamedRepCapTable {
  std::string name;
  std::unique_ptr<RepCapTable> table;
};

// The session's tables, sorted by exact name.
class RepCapSet {
 public:
  RepCapTable* Find(const char* name) const noexcept;
  // Enters `table` under `name`; the caller has checked that the name is free.
  void Insert(std::string name, std::unique_ptr<RepCapTable> table);
  // The name under which `table` is held, or nullptr.
  const char* NameOf(const RepCapTable* table) const noexcept;
  const OrderedArray<NamedRepCapTable>& tables() const noexcept { return tables_; }

 private:
  OrderedArray<NamedRepCapTable> tables_;
};

struct VirtualName {
  std::string virtualName;
  std::string physicalName;
};

// Virtual names sorted by exact virtual name. The engine adds none itself.
class VirtualNameMap {
 public:
  // The physical name `name` stands for, or `name` itself.
  const char* Resolve(const char* name) const noexcept;
  const OrderedArray<VirtualName>& pairs() const noexcept { return pairs_; }
  void Insert(VirtualName pair);

 private:
  OrderedArray<VirtualName> pairs_;
};

// True when `name` is a legal physical name: at least one character, each a letter or digit
// (isalnum), '_' or '!'.
bool IsValidRepCapName(const char* name) noexcept;

// Finds the table named `name`, following specific-driver links: when `*session` has a linked
// specific session, the search moves there (and on along its own link) and `*session` is
// replaced by the session that holds the table. Gives 0xBFFA6003 when there is no table, a
// link names no live session, or the links form a cycle.
ViStatus FindRepCapTable(SessionData*& session, const char* name, RepCapTable** table);

// The position of instance `name` in `table`, after virtual names are resolved: NULL or empty
// gives 1, an unknown name 0xBFFA0020.
ViStatus RepCapNameToPosition(const SessionData& session, const RepCapTable& table,
                              const char* name, ViInt32* position);

}  // namespace zor
