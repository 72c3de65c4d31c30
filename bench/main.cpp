// Runs every benchmark, then prints the figures beside their targets.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "Summary.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("\n%-52s %12s   %s\n", "figure", "value", "target");
  for (const auto& [name, f] : quillet::bench::figures()) {
    std::printf("%-52s %8.2f %-4s", name.c_str(), f.value, f.unit.c_str());
    if (f.target != 0) {
      const bool met = f.atMost ? f.value <= f.target : f.value >= f.target;
      std::printf(" %s %.2f %s", f.atMost ? "<=" : ">=", f.target, met ? "met" : "MISSED");
    }
    std::printf("\n");
  }
  return 0;
}
