// libFuzzer entry: any bytes as the game's files must load, save and load again without a
// crash, and the second save must write what the first wrote.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Checkpath/Checkpath.h"
#include "save/Save.h"

namespace {

std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  static const std::filesystem::path dir = [] {
    auto p = std::filesystem::temp_directory_path() / "quillet-fuzz";
    std::filesystem::create_directories(p / "cl_dlls");
    return p;
  }();
  // The input is split at NUL bytes into autoexec.cfg, config.cfg, mapcycle.txt and motd.txt.
  const std::string input(reinterpret_cast<const char*>(data), size);
  const char* names[] = {"autoexec.cfg", "config.cfg", "mapcycle.txt", "motd.txt"};
  std::size_t start = 0;
  for (const char* name : names) {
    const std::size_t end = std::min(input.find('\0', start), input.size());
    std::ofstream(dir / name, std::ios::binary) << input.substr(start, end - start);
    start = std::min(end + 1, input.size());
  }
  MemoryStore store;
  std::string first[6], second[6];
  for (std::string* round : {first, second}) {
    Model model;
    runLoadSequence(model, dir.string(), store);
    if (saveFiles(model, dir.string(), store)) std::abort();
    int i = 0;
    for (const char* name : {"mapcycle.txt", "motd.txt", "config.cfg", "autoexec.cfg", "server.cfg", "listenserver.cfg"})
      round[i++] = slurp(dir / name);
  }
  for (int i = 0; i < 6; ++i)
    if (first[i] != second[i]) std::abort();
  return 0;
}
