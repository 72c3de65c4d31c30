// The program's own work, in process: the load sequence and Save on the sample folder, and
// the config.cfg readers over generated files of 1, 10 and 100 MB.
#include <benchmark/benchmark.h>

#include "Checkpath/Checkpath.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/Readers.h"
#include "Summary.h"
#include "Support.h"
#include "save/Save.h"

namespace quillet::bench {
namespace {

// CPU milliseconds per iteration since `startCpu`.
double perIterationMs(const benchmark::State& state, double startCpu) {
  return (processCpuSeconds() - startCpu) * 1000 / static_cast<double>(state.iterations());
}

// Load sequence and Save on the sample folder without the disk: the files composed in memory,
// the preferences stored in a memory store.
void LoadAndSaveSample(benchmark::State& state) {
  GameFolder folder;
  MemoryStore store;
  const double start = processCpuSeconds();
  for (auto _ : state) {
    Model model;
    benchmark::DoNotOptimize(runLoadSequence(model, folder.str(), store));
    benchmark::DoNotOptimize(composeSave(model, store));
  }
  record("load sequence + Save, sample folder (no flush), CPU", perIterationMs(state, start), "ms", 2, true);
}
BENCHMARK(LoadAndSaveSample)->Unit(benchmark::kMicrosecond);

void LoadSample(benchmark::State& state) {
  GameFolder folder;
  MemoryStore store;
  for (auto _ : state) {
    Model model;
    benchmark::DoNotOptimize(runLoadSequence(model, folder.str(), store));
  }
}
BENCHMARK(LoadSample)->Unit(benchmark::kMicrosecond);

// Save through the file layer onto the disk, flushes included.
void SaveSampleToDisk(benchmark::State& state) {
  GameFolder folder;
  MemoryStore store;
  Model model;
  runLoadSequence(model, folder.str(), store);
  const double start = processCpuSeconds();
  for (auto _ : state) benchmark::DoNotOptimize(saveFiles(model, folder.str(), store));
  record("Save, sample folder, to disk, CPU", perIterationMs(state, start), "ms", 0, true);
}
BENCHMARK(SaveSampleToDisk)->Unit(benchmark::kMicrosecond);

// Every pass over config.cfg: the file read, the three option passes and the kept lines.
void ConfigReaders(benchmark::State& state) {
  const std::size_t mb = static_cast<std::size_t>(state.range(0));
  GameFolder folder(false);
  const fs::path file = folder.path() / "config.cfg";
  writeFile(file, realisticConfig(mb << 20));
  const auto size = static_cast<double>(fs::file_size(file));
  const double start = processCpuSeconds();
  for (auto _ : state) {
    Model model;
    std::string errors;
    const auto content = readFileBytes(file);
    LoadConfigWithKeptLines(content, model, errors);
    benchmark::DoNotOptimize(model.configKeptLines.data());
  }
  const double ms = perIterationMs(state, start);
  state.SetBytesProcessed(static_cast<std::int64_t>(size) * state.iterations());
  record("config.cfg readers, " + std::to_string(mb) + " MB, CPU", size / (1 << 20) / (ms / 1000), "MB/s", 150, false);
  static double tenMs = 0;
  if (mb == 10) tenMs = ms;
  if (mb == 100 && tenMs > 0) record("config.cfg readers, 100 MB / 10 MB CPU time", ms / tenMs, "x", 11, true);
}
BENCHMARK(ConfigReaders)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->MinTime(1);

}  // namespace
}  // namespace quillet::bench
