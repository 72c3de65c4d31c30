// Whole processes: quillet-cli over big files (time and peak memory), and the window's start-up
// against an empty main window of the same build.
#include <benchmark/benchmark.h>

#include <signal.h>

#include <algorithm>
#include <thread>

#include "Summary.h"
#include "Support.h"

namespace quillet::bench {
namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// A game folder beside a store, with one big file written into it.
struct BigFolder {
  GameFolder folder{true};
  fs::path store = folder.path() / "store.ini";
  double megabytes = 0;
  BigFolder(std::string_view name, const std::string& bytes) {
    writeFile(folder.path() / name, bytes);
    megabytes = static_cast<double>(bytes.size()) / (1 << 20);
  }
  ProcessRun cli(const char* command) const {
    return runProcess({QUILLET_CLI, command, folder.str(), "--store", store.string()});
  }
};

const std::string& config100() {
  static const std::string bytes = realisticConfig(std::size_t{100} << 20);
  return bytes;
}

// quillet-cli show and save of a file: MB/s and peak memory against the file's size.
void Cli(benchmark::State& state, const char* command, const char* name, const std::string& (*bytes)(),
         const char* what, double mbPerSecond) {
  BigFolder big(name, bytes());
  std::vector<double> seconds, cpu;
  long peak = 0;
  bool first = true;
  for (auto _ : state) {
    // Every run reads the same file: a save replaces it with its own, smaller bytes.
    if (!first) writeFile(big.folder.path() / name, bytes());
    first = false;
    const ProcessRun run = big.cli(command);
    if (run.status != 0) state.SkipWithError("quillet-cli failed");
    seconds.push_back(run.seconds);
    cpu.push_back(run.cpuSeconds);
    peak = std::max(peak, run.peakKiB);
  }
  const double s = median(cpu);
  const double peakMb = static_cast<double>(peak) / 1024;
  state.counters["MB/s"] = big.megabytes / s;
  state.counters["wall_MB/s"] = big.megabytes / median(seconds);
  state.counters["peak_MiB"] = peakMb;
  const std::string label = std::string("quillet-cli ") + command + ", " + what;
  record(label + ", throughput (CPU)", big.megabytes / s, "MB/s", mbPerSecond, false);
  record(label + ", throughput (wall)", big.megabytes / median(seconds), "MB/s", 0, false);
  record(label + ", peak memory / file", peakMb / big.megabytes, "x", mbPerSecond > 0 ? 2 : 0, true);
}

const std::string& motd100() {
  static const std::string bytes = [] {
    std::string s;
    s.reserve(std::size_t{100} << 20);
    while (s.size() < (std::size_t{100} << 20))
      s += "Welcome to the server. No camping, no team killing; have fun!\r\n";
    return s;
  }();
  return bytes;
}
const std::string& lineWithCommas() {
  static const std::string bytes = [] {
    std::string s = "echo ";
    while (s.size() < (std::size_t{50} << 20)) s += "a,bb,ccc,";
    return s;
  }();
  return bytes;
}
const std::string& lineWithoutCommas() {
  static const std::string bytes = "name " + std::string(std::size_t{50} << 20, 'x');
  return bytes;
}

BENCHMARK_CAPTURE(Cli, show_config_100MB, "show", "config.cfg", config100, "config.cfg 100 MB", 100)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Cli, save_config_100MB, "save", "config.cfg", config100, "config.cfg 100 MB", 70)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Cli, save_motd_100MB, "save", "motd.txt", motd100, "motd.txt 100 MB", 0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Cli, save_line_50MB_commas, "save", "config.cfg", lineWithCommas, "one 50 MB line with commas", 0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Cli, save_line_50MB, "save", "config.cfg", lineWithoutCommas, "one 50 MB line without commas", 0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// An X server of our own for the xcb runs, ended with the benchmark.
class Xvfb {
 public:
  Xvfb() {
    if (!fs::exists("/usr/bin/Xvfb")) return;
    for (int n = 90 + getpid() % 50; n < 200; ++n) {
      if (fs::exists("/tmp/.X" + std::to_string(n) + "-lock")) continue;
      display_ = ":" + std::to_string(n);
      std::string d = display_;
      char* argv[] = {const_cast<char*>("/usr/bin/Xvfb"), d.data(),
                      const_cast<char*>("-nolisten"),     const_cast<char*>("tcp"),
                      const_cast<char*>("-screen"),       const_cast<char*>("0"),
                      const_cast<char*>("1280x1024x24"),  nullptr};
      posix_spawn_file_actions_t actions;
      posix_spawn_file_actions_init(&actions);
      posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
      const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv, environ);
      posix_spawn_file_actions_destroy(&actions);
      if (rc != 0) break;
      for (int i = 0; i < 100 && !fs::exists("/tmp/.X11-unix/X" + std::to_string(n)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      return;
    }
    display_.clear();
  }
  ~Xvfb() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = 0;
  std::string display_;
};

// Process start to the first painted frame: the window on the sample folder against an empty
// main window, in pairs, medians of both.
void StartUp(benchmark::State& state, const char* platform, double target) {
  GameFolder folder;
  const fs::path store = folder.path() / "store.ini";
  writeFile(store, "[init]\ncspath=" + folder.str() + "\n");
  std::vector<std::string> env = {"QUILLET_FIRST_FRAME=1", "QUILLET_STORE=" + store.string(),
                                  std::string("QT_QPA_PLATFORM=") + platform, "LC_ALL=C.UTF-8"};
  std::unique_ptr<Xvfb> x;
  if (std::string_view(platform) == "xcb") {
    x = std::make_unique<Xvfb>();
    if (x->display().empty()) {
      state.SkipWithError("no Xvfb");
      for (auto _ : state) {}
      return;
    }
    env.push_back("DISPLAY=" + x->display());
  }
  std::vector<double> window, empty;
  for (auto _ : state) {
    const ProcessRun w = runProcess({QUILLET_GUI}, env, false);
    const ProcessRun e = runProcess({QUILLET_EMPTY_WINDOW}, env, false);
    const double wm = firstFrameMs(w.startNs, w.output), em = firstFrameMs(e.startNs, e.output);
    if (wm < 0 || em < 0) {
      state.SkipWithError("no first frame reported");
      break;
    }
    window.push_back(wm);
    empty.push_back(em);
  }
  const double wm = median(window), em = median(empty);
  state.counters["window_ms"] = wm;
  state.counters["empty_ms"] = em;
  state.counters["ratio"] = wm / em;
  record(std::string("start-up, ") + platform + ", window ms", wm, "ms", 0, true);
  record(std::string("start-up, ") + platform + ", empty window ms", em, "ms", 0, true);
  record(std::string("start-up, ") + platform + ", window / empty window", wm / em, "x", target, true);
}
BENCHMARK_CAPTURE(StartUp, offscreen, "offscreen", 2.0)->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartUp, xcb, "xcb", 1.25)->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet::bench
