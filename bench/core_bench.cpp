// Speed of the work done at start-up and at Save.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "Checkpath/Checkpath.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/Readers.h"
#include "frmmain/MoreFunctions.h"
#include "save/Save.h"

namespace {

using namespace quillet;

// A config.cfg the size of a heavily customised one: binds, aliases and variables.
std::string bigConfig(int lines) {
  std::string out;
  for (int i = 0; i < lines; ++i) {
    switch (i % 4) {
      case 0: out += "bind \"k" + std::to_string(i) + "\" \"+attack\"\r\n"; break;
      case 1: out += "alias a" + std::to_string(i) + " \"say hi; wait; say bye\"\r\n"; break;
      case 2: out += "sensitivity \"3.5\"\r\n"; break;
      default: out += "con_color 255,180,30\r\n"; break;
    }
  }
  return out;
}

struct GameFolder {
  std::filesystem::path path;
  explicit GameFolder(int configLines) {
    path = std::filesystem::temp_directory_path() / ("quillet-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(path / "cl_dlls");
    Model model;
    LoadDefaults(model);
    MemoryStore store;
    saveFiles(model, path.string(), store);
    std::ofstream(path / "config.cfg", std::ios::binary) << bigConfig(configLines);
  }
  ~GameFolder() { std::filesystem::remove_all(path); }
};

void LoadSequence(benchmark::State& state) {
  GameFolder folder(static_cast<int>(state.range(0)));
  MemoryStore store;
  for (auto _ : state) {
    Model model;
    benchmark::DoNotOptimize(runLoadSequence(model, folder.path.string(), store));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LoadSequence)->Arg(100)->Arg(10000);

void SaveSixFiles(benchmark::State& state) {
  GameFolder folder(100);
  MemoryStore store;
  Model model;
  runLoadSequence(model, folder.path.string(), store);
  for (auto _ : state) benchmark::DoNotOptimize(saveFiles(model, folder.path.string(), store));
}
BENCHMARK(SaveSixFiles);

void ComposeAutoexec(benchmark::State& state) {
  Model model;
  LoadDefaults(model);
  for (auto _ : state) benchmark::DoNotOptimize(autoexecText(model));
}
BENCHMARK(ComposeAutoexec);

void ReadItems(benchmark::State& state) {
  const std::string text = bigConfig(10000);
  for (auto _ : state) {
    ListReader reader(text);
    std::size_t n = 0;
    while (!reader.atEnd()) n += reader.next().size();
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(ReadItems);

void Numbers(benchmark::State& state) {
  const char* texts[] = {"2.5", "\"0.800000\"", "-50", "1e3", "&HFF", "abc", " 1 2 "};
  for (auto _ : state)
    for (const char* t : texts) benchmark::DoNotOptimize(NumericValue(t));
}
BENCHMARK(Numbers);

}  // namespace
