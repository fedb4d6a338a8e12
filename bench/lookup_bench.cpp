// Lookups that every attribute operation starts with: attribute by id, and an instance name
// to its position in a repeated capability. Both must stay logarithmic: the cost per lookup at
// 10,000 entries should be within 2.5 times the cost at 100.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/attribute.h"
#include "core/session.h"
#include "repcap/repcap.h"

namespace zor {
namespace {

constexpr std::size_t kProbes = 4096;  // a shuffled sequence of keys, so no single path stays hot

struct Fixture {
  explicit Fixture(std::int64_t entries) {
    NewEngineSession(&vi);
    LookupSession(vi, &data);
    auto built = std::make_unique<RepCapTable>();
    for (std::int64_t i = 0; i < entries; ++i) {
      const auto id = static_cast<ViAttr>(1000000 + 7 * i);
      const Value zero = Value::OfInt32(0);
      AttributeDefinition definition;
      definition.id = id;
      definition.name = "attribute";
      definition.type = ZOR_TYPE_INT32;
      definition.defaultValue = &zero;
      std::unique_ptr<AttributeRecord> record;
      CreateAttributeRecord(*data, definition, &record);
      InsertAttributeRecord(*data, std::move(record));
      ids.push_back(id);
      char name[32];
      std::snprintf(name, sizeof name, "Channel_%lld", static_cast<long long>(i));
      built->Add(name);
      names.emplace_back(name);
    }
    table = built.get();
    data->repCapTables.Insert("Channel", std::move(built));
    std::mt19937 random(42);
    for (std::size_t i = 0; i < kProbes; ++i) {
      idProbes.push_back(ids[random() % ids.size()]);
      nameProbes.push_back(names[random() % names.size()].c_str());
    }
  }
  ~Fixture() { Zor_Dispose(vi); }

  ViSession vi = 0;
  SessionData* data = nullptr;
  RepCapTable* table = nullptr;
  std::vector<ViAttr> ids;
  std::vector<std::string> names;
  std::vector<ViAttr> idProbes;
  std::vector<const char*> nameProbes;
};

void BM_FindAttribute(benchmark::State& state) {
  Fixture fixture(state.range(0));
  std::size_t i = 0;
  for (auto _ : state) {
    SessionData* session = fixture.data;
    AttributeRecord* record = nullptr;
    benchmark::DoNotOptimize(FindAttribute(session, fixture.idProbes[i++ % kProbes], &record));
    benchmark::DoNotOptimize(record);
  }
}
BENCHMARK(BM_FindAttribute)->Arg(100)->Arg(10000);

void BM_RepCapNameToPosition(benchmark::State& state) {
  Fixture fixture(state.range(0));
  std::size_t i = 0;
  for (auto _ : state) {
    ViInt32 position = 0;
    benchmark::DoNotOptimize(
        RepCapNameToPosition(*fixture.data, *fixture.table, fixture.nameProbes[i++ % kProbes], &position));
    benchmark::DoNotOptimize(position);
  }
}
BENCHMARK(BM_RepCapNameToPosition)->Arg(100)->Arg(10000);

}  // namespace
}  // namespace zor
