#include "repcap/repcap.h"

#include <cctype>
#include <cstring>

#include "core/session.h"
#include "core/text.h"

namespace zor {
namespace {

unsigned char Fold(char c) noexcept {
  const auto u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

// Folds the first characters of `name` into `key`, NUL padded; the last byte is always NUL.
void FoldKey(const char* name, char (&key)[IndexedName::kKeySize]) noexcept {
  std::size_t i = 0;
  for (; i + 1 < IndexedName::kKeySize && name[i] != '\0'; ++i) key[i] = static_cast<char>(Fold(name[i]));
  std::memset(key + i, 0, IndexedName::kKeySize - i);
}

// Orders like CompareIgnoringCase on the whole names: the inline keys decide unless both names
// are at least as long as the key, and only then the names themselves are read.
int CompareIndexed(const char (&keyA)[IndexedName::kKeySize], const char* nameA,
                   const char (&keyB)[IndexedName::kKeySize], const char* nameB) noexcept {
  const int order = std::memcmp(keyA, keyB, IndexedName::kKeySize);
  if (order != 0 || keyA[IndexedName::kKeySize - 2] == '\0') return order;
  return text::CompareIgnoringCase(nameA, nameB);
}

}  // namespace

IndexedName::IndexedName(RepCapEntry* e) noexcept : entry(e) { FoldKey(e->name.c_str(), key); }

const char* RepCapTable::NameAt(ViInt32 position) const noexcept {
  const auto* entry = names.At(position);
  return position >= 1 && entry != nullptr ? (*entry)->name.c_str() : nullptr;
}

const RepCapEntry* RepCapTable::FindIgnoringCase(const char* name) const noexcept {
  if (name == nullptr) return nullptr;
  char key[IndexedName::kKeySize];
  FoldKey(name, key);
  const ViInt32 at = index.BinarySearch(name, [&](const IndexedName& indexed, const char* wanted) {
    return CompareIndexed(indexed.key, indexed.entry->name.c_str(), key, wanted);
  });
  return at == 0 ? nullptr : index[at].entry;
}

const RepCapEntry& RepCapTable::Add(const std::string& name) {
  auto entry = std::make_unique<RepCapEntry>(RepCapEntry{name, count() + 1});
  RepCapEntry* raw = entry.get();
  // Room for the index insert first, so that it cannot fail after the append. Growing by
  // doubling keeps building a long table from reallocating the index for every name.
  std::size_t room = 1;
  while (room < index.size() + 1) room *= 2;
  index.Reserve(room);
  names.Append(std::move(entry));
  index.InsertSorted(IndexedName(raw), [](const IndexedName& a, const IndexedName& b) {
    return CompareIndexed(a.key, a.entry->name.c_str(), b.key, b.entry->name.c_str());
  }, true);
  return *raw;
}

void RepCapTable::TruncateTo(ViInt32 keep) noexcept {
  while (count() > keep) {
    const RepCapEntry* last = names[count()].get();
    const ViInt32 at = index.FindFirst([&](const IndexedName& e) { return e.entry == last; });
    if (at != 0) index.RemoveAt(at);
    names.RemoveAt(count());
  }
}

RepCapTable* RepCapSet::Find(const char* name) const noexcept {
  if (name == nullptr) return nullptr;
  const ViInt32 at = tables_.BinarySearch(name, [](const NamedRepCapTable& t, const char* key) {
    return std::strcmp(t.name.c_str(), key);
  });
  return at == 0 ? nullptr : tables_[at].table.get();
}

void RepCapSet::Insert(std::string name, std::unique_ptr<RepCapTable> table) {
  tables_.InsertSorted(NamedRepCapTable{std::move(name), std::move(table)},
                       [](const NamedRepCapTable& a, const NamedRepCapTable& b) {
                         return std::strcmp(a.name.c_str(), b.name.c_str());
                       },
                       false);
}

const char* RepCapSet::NameOf(const RepCapTable* table) const noexcept {
  if (table == nullptr) return nullptr;
  for (const auto& named : tables_) {
    if (named.table.get() == table) return named.name.c_str();
  }
  return nullptr;
}

const char* VirtualNameMap::Resolve(const char* name) const noexcept {
  if (name == nullptr || pairs_.empty()) return name;
  const ViInt32 at = pairs_.BinarySearch(name, [](const VirtualName& pair, const char* key) {
    return std::strcmp(pair.virtualName.c_str(), key);
  });
  return at == 0 ? name : pairs_[at].physicalName.c_str();
}

void VirtualNameMap::Insert(VirtualName pair) {
  pairs_.InsertSorted(std::move(pair), [](const VirtualName& a, const VirtualName& b) {
    return std::strcmp(a.virtualName.c_str(), b.virtualName.c_str());
  }, false);
}

bool IsValidRepCapName(const char* name) noexcept {
  if (name == nullptr || *name == '\0') return false;
  for (; *name != '\0'; ++name) {
    const auto c = static_cast<unsigned char>(*name);
    if (std::isalnum(c) == 0 && c != '_' && c != '!') return false;
  }
  return true;
}

ViStatus FindRepCapTable(SessionData*& session, const char* name, RepCapTable** table) {
  *table = nullptr;
  // Tables live in the session at the end of the chain of specific-driver links.
  SessionData* current = session;
  SessionLinkWalk walk(current);
  while (current->specificDriverSession != 0) {
    SessionData* next = nullptr;
    if (LookupSession(current->specificDriverSession, &next) != VI_SUCCESS) {
      return ZOR_ERROR_REPCAP_NOT_DEFINED;
    }
    if (!walk.Visit(next)) break;
    current = next;
  }
  RepCapTable* found = current->repCapTables.Find(name);
  if (found == nullptr) return ZOR_ERROR_REPCAP_NOT_DEFINED;
  session = current;
  *table = found;
  return VI_SUCCESS;
}

ViStatus RepCapNameToPosition(const SessionData& session, const RepCapTable& table,
                              const char* name, ViInt32* position) {
  const char* physical = session.virtualNames.Resolve(name);
  if (physical == nullptr || *physical == '\0') {
    *position = 1;
    return VI_SUCCESS;
  }
  const RepCapEntry* entry = table.FindIgnoringCase(physical);
  if (entry == nullptr) return ZOR_ERROR_UNKNOWN_REPCAP_NAME;
  *position = entry->position;
  return VI_SUCCESS;
}

}  // namespace zor
