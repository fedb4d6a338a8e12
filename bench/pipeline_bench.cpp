// The cost of one attribute call, against a baseline of the least any cached lookup must do:
// take a recursive lock, find a record in a map, copy a double, release the lock.
#include <benchmark/benchmark.h>

#include <map>
#include <mutex>
#include <string>

#include "core/session.h"
#include "zor.h"

namespace zor {
namespace {

struct BaselineRecord {
  double value;
  char padding[56];
};

struct Baseline {
  std::recursive_mutex lock;
  std::map<std::uint32_t, BaselineRecord> records;
};

[[gnu::noinline]] double BaselineGet(Baseline& baseline, std::uint32_t id) {
  std::lock_guard<std::recursive_mutex> hold(baseline.lock);
  return baseline.records.find(id)->second.value;
}

void BM_Baseline(benchmark::State& state) {
  Baseline baseline;
  for (std::uint32_t id = 1; id <= 64; ++id) baseline.records[1000 + id] = BaselineRecord{1.0 * id, {}};
  for (auto _ : state) benchmark::DoNotOptimize(BaselineGet(baseline, 1032));
}
BENCHMARK(BM_Baseline)->ThreadRange(1, 2)->UseRealTime();

ViStatus TrivialWrite(ViSession, ViSession, ViConstString, ViAttr, ViReal64) { return VI_SUCCESS; }
ViStatus TrivialRead(ViSession, ViSession, ViConstString, ViAttr, ViReal64* value) {
  *value = 1.5;
  return VI_SUCCESS;
}

constexpr ViAttr kCached = 1001032;
constexpr ViAttr kUncached = 1001033;
constexpr ViAttr kPerChannel = 1001034;
constexpr ViAttr kText = 1001035;

// A session shaped like a small driver's: 64 attributes, eight channels.
struct DriverSession {
  DriverSession() {
    NewEngineSession(&vi);
    Zor_BuildChannelTable(vi, "CH1,CH2,CH3,CH4,CH5,CH6,CH7,CH8", 0, 0);
    for (ViAttr id = 1001001; id <= 1001064; ++id) {
      if (id == kUncached) {
        Zor_AddAttributeViReal64(vi, id, "uncached", 0.0, ZOR_VAL_NEVER_CACHE, &TrivialRead, &TrivialWrite, nullptr, 0);
      } else if (id == kPerChannel) {
        Zor_AddAttributeViReal64(vi, id, "per channel", 0.0, ZOR_VAL_CHANNEL_BASED, &TrivialRead, &TrivialWrite,
                                 nullptr, 0);
      } else if (id == kText) {
        Zor_AddAttributeViString(vi, id, "text", "0123456789abcdef0123456789abcdef", 0, nullptr, nullptr);
      } else {
        Zor_AddAttributeViReal64(vi, id, "attribute", 0.0, 0, &TrivialRead, &TrivialWrite, nullptr, 0);
      }
    }
    ViReal64 value = 0;
    Zor_GetAttributeViReal64(vi, nullptr, kCached, 0, &value);  // cache it
    Zor_GetAttributeViReal64(vi, "CH5", kPerChannel, 0, &value);
  }
  ~DriverSession() { Zor_Dispose(vi); }
  ViSession vi = 0;
};

void BM_CachedGetReal64(benchmark::State& state) {
  DriverSession session;  // one per thread: two threads work on two sessions
  ViReal64 value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Zor_GetAttributeViReal64(session.vi, nullptr, kCached, 0, &value));
  }
}
BENCHMARK(BM_CachedGetReal64)->ThreadRange(1, 2)->UseRealTime();

void BM_CachedGetByChannelName(benchmark::State& state) {
  DriverSession session;
  ViReal64 value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Zor_GetAttributeViReal64(session.vi, "CH5", kPerChannel, 0, &value));
  }
}
BENCHMARK(BM_CachedGetByChannelName);

void BM_SetEqualToCache(benchmark::State& state) {
  DriverSession session;
  Zor_SetAttributeViReal64(session.vi, nullptr, kCached, 0, 2.0);
  for (auto _ : state) benchmark::DoNotOptimize(Zor_SetAttributeViReal64(session.vi, nullptr, kCached, 0, 2.0));
}
BENCHMARK(BM_SetEqualToCache);

void BM_SetWithWriteCallback(benchmark::State& state) {
  DriverSession session;
  ViReal64 value = 0;
  for (auto _ : state) {
    value += 1.0;  // always a new value: always written
    benchmark::DoNotOptimize(Zor_SetAttributeViReal64(session.vi, nullptr, kCached, 0, value));
  }
}
BENCHMARK(BM_SetWithWriteCallback);

void BM_GetWithReadCallback(benchmark::State& state) {
  DriverSession session;
  ViReal64 value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Zor_GetAttributeViReal64(session.vi, nullptr, kUncached, 0, &value));
  }
}
BENCHMARK(BM_GetWithReadCallback);

void BM_GetString32(benchmark::State& state) {
  DriverSession session;
  char buffer[64];
  for (auto _ : state) {
    benchmark::DoNotOptimize(Zor_GetAttributeViString(session.vi, nullptr, kText, 0, sizeof buffer, buffer));
  }
}
BENCHMARK(BM_GetString32);

}  // namespace
}  // namespace zor
