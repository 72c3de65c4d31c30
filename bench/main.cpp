// Runs every benchmark, then prints the figures beside their targets.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "Summary.h"

namespace {

// quillet_bench --measure-child PROGRAM ARGS...: runs the program as a child of this small
// process and writes "status peak-KiB user-seconds system-seconds" to descriptor 3. A program
// started straight from the benchmark (posix_spawn shares the parent's memory until exec) would
// report the benchmark's own peak memory as its own whenever that is larger.
int measureChild(char** argv) {
  (void)fcntl(3, F_SETFD, FD_CLOEXEC);
  const pid_t pid = fork();
  if (pid < 0) return 1;
  if (pid == 0) {
    execv(argv[0], argv);
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return 1;
  dprintf(3, "%d %ld %ld.%06ld %ld.%06ld\n", status, usage.ru_maxrss, static_cast<long>(usage.ru_utime.tv_sec),
          static_cast<long>(usage.ru_utime.tv_usec), static_cast<long>(usage.ru_stime.tv_sec),
          static_cast<long>(usage.ru_stime.tv_usec));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string_view(argv[1]) == "--measure-child") return measureChild(argv + 2);
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
