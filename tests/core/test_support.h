// Shared helpers of the tests: temporary game folders, file access and message boxes answered
// by a fake.
#pragma once

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileLayer.h"
#include "platform/Platform.h"
#include "save/Diff.h"
#include "save/Save.h"
#include "settings/Model.h"

namespace quillet::test {

inline void writeFile(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

// A fresh folder under the system's temporary folder, removed again at the end of the test.
class TempDir {
 public:
  explicit TempDir(bool withClDlls = true) {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("quillet-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
    if (withClDlls) std::filesystem::create_directory(path_ / "cl_dlls");
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  void write(std::string_view name, std::string_view bytes) const { writeFile(path_ / name, bytes); }
  std::string read(std::string_view name) const { return readFile(path_ / name); }
  bool exists(std::string_view name) const { return std::filesystem::exists(path_ / name); }

  static std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path path_;
};

// Records every message. Yes/No questions take the next answer of the queue, then `otherwise`;
// the chooser records each list and picks its first line (the newest backup).
struct FakeDialogs : Dialogs {
  std::vector<Message> shown;
  std::deque<Answer> answers;
  Answer otherwise = Answer::Yes;
  std::vector<std::vector<std::string>> lists;
  Answer show(const Message& m) override {
    shown.push_back(m);
    if (m.buttons == Buttons::Ok) return Answer::Ok;
    if (answers.empty()) return otherwise;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  int choose(const std::string&, const std::string&, const std::vector<std::string>& items) override {
    lists.push_back(items);
    return items.empty() ? -1 : 0;
  }
};

// A picture loader that records every file asked for and succeeds for those that exist.
struct FakePictures : PictureLoader {
  std::vector<std::filesystem::path> asked;
  std::filesystem::path shown;  // the last picture that loaded
  bool loadPreview(const std::filesystem::path& file) override {
    asked.push_back(file);
    if (!std::filesystem::is_regular_file(file)) return false;
    shown = file;
    return true;
  }
};

// A store whose values reach "disk" (what read returns) only on commit, which can be made to fail.
struct StagedStore : MemoryStore {
  int failWith = 0;
  std::vector<std::array<std::string, 4>> staged;
  std::vector<std::string> keys;  // "app/section/key=value", in the order saved
  void save(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override {
    staged.push_back({std::string(app), std::string(section), std::string(key), std::string(value)});
    keys.push_back(staged.back()[0] + "/" + staged.back()[1] + "/" + staged.back()[2] + "=" + staged.back()[3]);
  }
  std::optional<std::string> commit() override {
    if (failWith) return files::causeText(failWith);
    for (const auto& [app, section, key, value] : staged) MemoryStore::save(app, section, key, value);
    return std::nullopt;
  }
};

// An option's state as text: "1"/"0" for a toggle, a slider's position, or the text.
inline std::string valueText(const Model& m, const Option& o) {
  if (o.isToggle()) return m.checked(o) ? "1" : "0";
  if (o.kind == Kind::Slider) return std::to_string(m.position(o));
  return m.text(o);
}

// The pieces of a case's input, separated by " | ".
inline std::vector<std::string_view> pieces(std::string_view input) {
  std::vector<std::string_view> out;
  for (std::size_t at = 0, end = 0; end < input.size(); at = end + 3)
    out.push_back(input.substr(at, (end = std::min(input.find(" | ", at), input.size())) - at));
  return out;
}

// Sets options as a case's input names them: "control=value" pieces (a toggle's value 1 or 0, a
// slider's position, else the text).
inline void setOptions(Model& model, std::string_view input) {
  for (std::string_view piece : pieces(input)) {
    const Option& o = option(piece.substr(0, piece.find('=')));
    const std::string value(piece.substr(piece.find('=') + 1));
    if (o.isToggle()) model.setChecked(o, value == "1");
    else if (o.kind == Kind::Slider) model.setPosition(o, std::stoi(value));
    else model.setText(o, value);
  }
}

#ifdef QUILLET_CORPUS_DIR
// The players' own files in ../shared/corpus beside the checkout, when they are there; the
// tests that read them skip otherwise (a clone on its own has the project's fixtures only).
inline bool haveCorpus() { return std::filesystem::is_directory(QUILLET_CORPUS_DIR); }
#define QUILLET_SKIP_WITHOUT_CORPUS()                                                                  \
  do {                                                                                                 \
    if (!::quillet::test::haveCorpus())                                                                \
      GTEST_SKIP() << "the players' files are not there: " QUILLET_CORPUS_DIR                          \
                      " (a folder beside the checkout); the project's own fixtures in tests/fixtures " \
                      "cover the same rules";                                                          \
  } while (false)
#endif

#ifdef QUILLET_SOURCE_DIR
// The project's own game files of every kind, written for these tests: tests/fixtures/<kind>/.
inline std::filesystem::path fixtureDir() { return std::filesystem::path(QUILLET_SOURCE_DIR) / "tests" / "fixtures"; }

// Whole files expected byte for byte live in tests/golden/<name>. Empty when `bytes` are the
// golden file's, else a unified diff from the golden bytes to `bytes`. With
// QUILLET_UPDATE_GOLDEN=1 in the environment the golden file is rewritten with `bytes` instead
// (after a deliberate change; review the result with git diff).
inline std::string goldenDiff(std::string_view name, std::string_view bytes) {
  const std::filesystem::path file = std::filesystem::path(QUILLET_SOURCE_DIR) / "tests" / "golden" / name;
  if (const char* update = std::getenv("QUILLET_UPDATE_GOLDEN"); update && std::string_view(update) == "1") {
    writeFile(file, bytes);
    return {};
  }
  if (!std::filesystem::is_regular_file(file)) return file.string() + " is missing (QUILLET_UPDATE_GOLDEN=1 writes it)";
  const std::string want = TempDir::readFile(file);
  if (want == bytes) return {};
  const std::string diff = unifiedDiff(name, want, bytes);
  return diff.empty() ? file.string() + " differs" : diff;
}

// Bytes as text of one line: the backslash, CR, LF, tab and every other byte outside printable
// ASCII escaped (\\, \r, \n, \t, \xHH).
inline std::string escaped(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '\\' || c == '\r' || c == '\n' || c == '\t')
      (out += '\\') += c == '\\' ? '\\' : c == '\r' ? 'r' : c == '\n' ? 'n' : 't';
    else if (b < 0x20 || b >= 0x7F) ((out += "\\x") += kHex[b >> 4]) += kHex[b & 15];
    else out += c;
  }
  return out;
}

inline std::string unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char e = text[i] == '\\' && i + 1 < text.size() ? text[++i] : '\0';
    if (e == 'x' && i + 2 < text.size())
      out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)), i += 2;
    else out += e == '\0' ? text[i] : e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
  }
  return out;
}

// A golden file of cases, tests/golden/<name>: each line the input of one case, a tab, and what
// `result` makes of it, both escaped (a line starting with # is a comment). Empty when every case
// still gives what the file says, else the diff; QUILLET_UPDATE_GOLDEN=1 writes the results anew.
template <class Result>
std::string goldenCasesDiff(std::string_view name, Result result) {
  std::string now;
  std::istringstream lines(TempDir::readFile(std::filesystem::path(QUILLET_SOURCE_DIR) / "tests" / "golden" / name));
  for (std::string line; std::getline(lines, line);) {
    const std::string input = line.substr(0, line.find('\t'));
    now += line.starts_with('#') ? line + '\n' : input + '\t' + escaped(result(unescaped(input))) + '\n';
  }
  return now.find('\t') == std::string::npos ? std::string(name) + " holds no case" : goldenDiff(name, now);
}
#endif

inline std::span<const std::string_view> gameFiles() { return kSavedFiles; }

// What Save writes into each of the six game files, in the same order.
inline constexpr std::string (*kSavedTexts[])(const Model&) = {mapcycleText, motdText,   configText,
                                                               autoexecText, serverText, listenserverText};

// The six game files' bytes ("" for a missing one).
inline std::map<std::string, std::string> gameFileBytes(const TempDir& dir) {
  std::map<std::string, std::string> out;
  for (std::string_view name : gameFiles()) out[std::string(name)] = dir.read(name);
  return out;
}

}  // namespace quillet::test
