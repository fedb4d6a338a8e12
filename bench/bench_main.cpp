// Entry point of every benchmark program.
//
// glibc skips atomic instructions in its locks while a process has never started a thread, so
// locks would look several times cheaper than they are in any real application. Starting and
// joining one thread before measuring puts the process in its multi-threaded state for good.
#include <benchmark/benchmark.h>

#include <thread>

int main(int argc, char** argv) {
  std::thread([] {}).join();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
