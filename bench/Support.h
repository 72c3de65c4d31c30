// Shared pieces of the benchmarks: generated game files, temporary game folders, an output
// layer that keeps files in memory, and child processes measured by wall time and peak memory.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Stringconverter/StoredPreferences.h"
#include "save/Save.h"

extern char** environ;

namespace quillet::bench {

namespace fs = std::filesystem;

// A config.cfg of about `bytes` bytes in the game's own style: binds with quoted commands and
// ";", quoted variables, comments, aliases with commas, setinfo lines, blank lines, and a mix of
// CR LF and LF line ends.
inline std::string realisticConfig(std::size_t bytes) {
  static const char* const kKeys[] = {"TAB", "ENTER", "SPACE", "a", "b", "c", "F1", "MOUSE1", "KP_END", "'"};
  std::string out;
  out.reserve(bytes + 256);
  for (unsigned n = 0; out.size() < bytes; ++n) {
    const std::string k = kKeys[n % 10];
    const std::string eol = n % 3 == 0 ? "\n" : "\r\n";
    out += "// block " + std::to_string(n) + " of the player's own lines" + eol;
    out += "bind \"" + k + "\" \"+attack; wait; -attack; say round " + std::to_string(n) + "\"" + eol;
    out += "alias buy" + std::to_string(n) + " \"buy; menuselect 4; m4a1, primammo, secammo\"" + eol;
    out += "sensitivity \"" + std::to_string(1 + n % 9) + ".5\"" + eol;
    out += "gamma \"2.5\"" + eol;
    out += "name \"Red Fox " + std::to_string(n % 100) + "\"" + eol;
    out += "setinfo \"ah\" \"1\"" + eol;
    out += "con_color 255,180,30" + eol;
    out += eol;
    out += "+mlook" + eol;
    out += "cl_updaterate \"" + std::to_string(20 + n % 80) + "\"" + eol;
  }
  return out;
}

inline void writeFile(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A copy of the sample game folder (or an empty one with cl_dlls) under the temporary folder,
// removed again at the end.
class GameFolder {
 public:
  explicit GameFolder(bool sample = true) {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("quillet-bench-" + std::to_string(random()) + std::to_string(random()));
    if (sample) fs::copy(QUILLET_SAMPLE_DIR, path_, fs::copy_options::recursive);
    fs::create_directories(path_ / "cl_dlls");
  }
  ~GameFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;
  const fs::path& path() const { return path_; }
  std::string str() const { return path_.string(); }

 private:
  fs::path path_;
};

// Save's own work without the disk: the six files composed and the preferences stored.
inline std::size_t composeSave(const Model& model, Store& store) {
  std::size_t n = 0;
  for (auto text : {mapcycleText, motdText, configText, autoexecText, serverText, listenserverText})
    n += text(model).size();
  StorePreferences(model, store);
  return n;
}

struct ProcessRun {
  double seconds = 0;     // wall time
  double cpuSeconds = 0;  // user and system time of the process
  long peakKiB = 0;
  int status = -1;
  std::int64_t startNs = 0;
  std::string output;
};

// Runs a program with extra environment entries and waits for it: wall time, peak resident
// memory and its standard output (its errors are dropped). The program runs under this
// benchmark's own --measure-child (see main.cpp), which reports its true peak memory and CPU time;
// without `measured` (start-up times) it is started directly and only its output is taken.
inline ProcessRun runProcess(std::vector<std::string> argv, const std::vector<std::string>& env = {},
                             bool measured = true) {
  if (measured) argv.insert(argv.begin(), {"/proc/self/exe", "--measure-child"});
  std::vector<std::string> environment = env;
  for (char** e = environ; *e; ++e) environment.emplace_back(*e);
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const auto& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  int pipeFd[2], reportFd[2];
  if (pipe(pipeFd) != 0) return {};
  if (pipe(reportFd) != 0) {
    close(pipeFd[0]);
    close(pipeFd[1]);
    return {};
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFd[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipeFd[0]);
  posix_spawn_file_actions_adddup2(&actions, reportFd[1], 3);
  posix_spawn_file_actions_addclose(&actions, reportFd[0]);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  ProcessRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    for (int fd : {pipeFd[0], pipeFd[1], reportFd[0], reportFd[1]}) close(fd);
    return run;
  }
  run.startNs = std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFd[1]);
  close(reportFd[1]);
  std::string out;
  char buf[4096];
  for (ssize_t n; (n = read(pipeFd[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<std::size_t>(n));
  close(pipeFd[0]);
  std::string report;
  for (ssize_t n; (n = read(reportFd[0], buf, sizeof buf)) > 0;) report.append(buf, static_cast<std::size_t>(n));
  close(reportFd[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!measured) {
    run.status = status;
    run.output = out;
    return run;
  }
  double user = 0, system = 0;
  if (status != 0 || std::sscanf(report.c_str(), "%d %ld %lf %lf", &run.status, &run.peakKiB, &user, &system) != 4)
    return run;
  run.cpuSeconds = user + system;
  run.output = out;
  return run;
}

// The CPU time this process has used, in seconds: on a machine shared with other work the wall
// time of an in-process benchmark says more about the others than about Quillet.
inline double processCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Nanoseconds from `start` of a run to the "first-frame N" line its program printed, in ms.
inline double firstFrameMs(std::int64_t startNs, const std::string& output) {
  const auto at = output.find("first-frame ");
  if (at == std::string::npos) return -1;
  return static_cast<double>(std::stoll(output.substr(at + 12)) - startNs) / 1e6;
}

}  // namespace quillet::bench
