#include "Stringconverter/Keys.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "Stringconverter/Console.h"
#include "platform/FileLayer.h"
#include "platform/GamePath.h"
#include "platform/Text.h"

namespace quillet::keys {
namespace {

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string joinFrom(const std::vector<std::string>& words, std::size_t first) {
  std::string out;
  for (std::size_t i = first; i < words.size(); ++i) (out += i > first ? " " : "") += words[i];
  return out;
}

// A file name of an exec line with "/" between its folders, as both systems take it.
std::string relativeName(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

// The name stays inside the game folder: not absolute, no drive, no "..".
bool insideFolder(const std::string& relative) {
  if (relative.empty() || relative.front() == '/' || relative.find(':') != std::string::npos) return false;
  for (std::size_t start = 0; start <= relative.size();) {
    const std::size_t slash = std::min(relative.find('/', start), relative.size());
    if (relative.compare(start, slash - start, "..") == 0) return false;
    start = slash + 1;
  }
  return true;
}

// How deep exec lines and aliases that run aliases are followed; the game itself has no such
// limit and runs a loop until its command buffer overflows.
constexpr std::size_t kMaxExecDepth = 16;
constexpr int kMaxAliasDepth = 32;
// How many commands one reading runs at most, files and aliases together: an alias that runs
// itself twice, or files that exec each other many times, would otherwise never end.
constexpr std::size_t kMaxCommands = 200000;

// Runs the files as the game does and records what the key commands do.
class Runner {
 public:
  explicit Runner(const FileSource& files) : files_(files) {}

  // Runs the file `given` names (as an exec line spells it); `from` is that exec line.
  void runFile(const std::string& given, const Place* from) {
    const std::string name = relativeName(given);
    const auto note = [&](std::string_view why) {
      table_.notes.push_back(from->file + " line " + std::to_string(from->line) + ": exec " + given + ": " +
                             std::string(why));
    };
    if (!insideFolder(name)) return note("outside the game folder, not followed");
    if (std::find(running_.begin(), running_.end(), lowerAscii(name)) != running_.end())
      return note("already running (a loop), not followed again");
    if (running_.size() >= kMaxExecDepth) return note("too deeply nested, not followed");
    const std::optional<std::string> bytes = files_(name);
    if (!bytes) {
      if (from) note("not found in the game folder");
      return;
    }
    running_.push_back(lowerAscii(name));
    for (const console::Command& c : console::commands(*bytes)) run(c.words, Place{name, c.line}, {}, 0);
    running_.pop_back();
  }

  KeyTable finish() {
    markUsed();
    return std::move(table_);
  }

 private:
  void run(const std::vector<std::string>& words, const Place& at, const std::string& via, int aliasDepth) {
    if (words.empty() || ran_ > kMaxCommands) return;
    if (++ran_ > kMaxCommands) {
      table_.notes.push_back(at.file + " line " + std::to_string(at.line) + ": more than " +
                             std::to_string(kMaxCommands) +
                             " commands run (an alias or exec that runs itself again and again); the rest is not "
                             "followed");
      return;
    }
    const std::string verb = lowerAscii(words[0]);
    if (verb == "bind" && words.size() >= 3) {
      const std::optional<std::string> key = knownKey(words[1], at);
      if (!key) return;
      end(*key, Binding::State::Overridden, at);
      live_[*key] = table_.bindings.size();
      table_.bindings.push_back({*key, joinFrom(words, 2), at, via, Binding::State::InForce, {}});
    } else if (verb == "unbind" && words.size() >= 2) {
      if (const std::optional<std::string> key = knownKey(words[1], at)) end(*key, Binding::State::Unbound, at);
    } else if (verb == "unbindall") {
      while (!live_.empty()) end(live_.begin()->first, Binding::State::Unbound, at);
    } else if (verb == "alias" && words.size() >= 2) {
      const std::string name = lowerAscii(words[1]);
      if (const auto it = liveAliases_.find(name); it != liveAliases_.end()) table_.aliases[it->second].inForce = false;
      liveAliases_[name] = table_.aliases.size();
      table_.aliases.push_back({words[1], joinFrom(words, 2), at, true, false});
    } else if (verb == "exec" && words.size() >= 2) {
      runFile(words[1], &at);
    } else if (const auto it = liveAliases_.find(verb); it != liveAliases_.end()) {
      if (aliasDepth >= kMaxAliasDepth) return;
      // Copied: the alias may define itself anew while it runs.
      const std::string text = table_.aliases[it->second].commands;
      for (const console::Command& c : console::commands(text))
        run(c.words, at, via.empty() ? words[0] : via, aliasDepth + 1);
    }
  }

  std::optional<std::string> knownKey(const std::string& word, const Place& at) {
    std::optional<std::string> key = keyName(word);
    if (!key)
      table_.notes.push_back(at.file + " line " + std::to_string(at.line) + ": \"" + word +
                             "\" is no key the game knows; the line does nothing");
    return key;
  }

  void end(const std::string& key, Binding::State state, const Place& at) {
    const auto it = live_.find(key);
    if (it == live_.end()) return;
    Binding& b = table_.bindings[it->second];
    b.state = state;
    b.endedBy = at;
    live_.erase(it);
  }

  // An alias is used when a binding in force or a used alias runs it; a key bound to "+name"
  // also runs "-name" when it is let go.
  void markUsed() {
    std::vector<std::string> pending;
    const auto uses = [&](const std::string& text) {
      for (const std::string& command : splitCommands(text)) {
        const std::string name = lowerAscii(command.substr(0, command.find(' ')));
        pending.push_back(name);
        if (!name.empty() && name[0] == '+') {
          std::string release = name;
          release[0] = '-';
          pending.push_back(std::move(release));
        }
      }
    };
    for (const Binding& b : table_.bindings)
      if (b.state == Binding::State::InForce) uses(b.command);
    while (!pending.empty()) {
      const std::string name = pending.back();
      pending.pop_back();
      const auto it = liveAliases_.find(name);
      if (it == liveAliases_.end() || table_.aliases[it->second].used) continue;
      table_.aliases[it->second].used = true;
      uses(table_.aliases[it->second].commands);
    }
  }

  const FileSource& files_;
  KeyTable table_;
  std::size_t ran_ = 0;                             // commands run so far
  std::vector<std::string> running_;                // the files being run, lower case
  std::map<std::string, std::size_t> live_;         // key -> its binding in force
  std::map<std::string, std::size_t> liveAliases_;  // lower-case name -> its definition in force
};

}  // namespace

const std::vector<std::string_view>& namedKeys() {
  static const std::vector<std::string_view> names = {"TAB",        "ENTER",
                                                      "ESCAPE",     "SPACE",
                                                      "BACKSPACE",  "UPARROW",
                                                      "DOWNARROW",  "LEFTARROW",
                                                      "RIGHTARROW", "ALT",
                                                      "CTRL",       "SHIFT",
                                                      "F1",         "F2",
                                                      "F3",         "F4",
                                                      "F5",         "F6",
                                                      "F7",         "F8",
                                                      "F9",         "F10",
                                                      "F11",        "F12",
                                                      "INS",        "DEL",
                                                      "PGDN",       "PGUP",
                                                      "HOME",       "END",
                                                      "PAUSE",      "CAPSLOCK",
                                                      "KP_HOME",    "KP_UPARROW",
                                                      "KP_PGUP",    "KP_LEFTARROW",
                                                      "KP_5",       "KP_RIGHTARROW",
                                                      "KP_END",     "KP_DOWNARROW",
                                                      "KP_PGDN",    "KP_ENTER",
                                                      "KP_INS",     "KP_DEL",
                                                      "KP_SLASH",   "KP_MINUS",
                                                      "KP_PLUS",    "MOUSE1",
                                                      "MOUSE2",     "MOUSE3",
                                                      "MOUSE4",     "MOUSE5",
                                                      "MWHEELUP",   "MWHEELDOWN",
                                                      "SEMICOLON"};
  return names;
}

std::optional<std::string> keyName(std::string_view word) {
  if (word.size() == 1) {
    const char c = word[0];
    // The game names these two by word: a blank and ";" end a word or a command.
    if (c == ' ') return "SPACE";
    if (c == ';') return "SEMICOLON";
    if (c > ' ' && c < 0x7f && c != '"') return lowerAscii(word);
    return std::nullopt;
  }
  const std::string name = upper(word);
  const auto& named = namedKeys();
  if (std::find(named.begin(), named.end(), name) != named.end()) return name;
  return std::nullopt;
}

const Binding* KeyTable::winner(std::string_view key) const {
  const std::optional<std::string> name = keyName(key);
  if (!name) return nullptr;
  for (auto it = bindings.rbegin(); it != bindings.rend(); ++it)
    if (it->key == *name && it->state == Binding::State::InForce) return &*it;
  return nullptr;
}

const Alias* KeyTable::alias(std::string_view name) const {
  for (auto it = aliases.rbegin(); it != aliases.rend(); ++it)
    if (it->inForce && equalsNoCase(it->name, name)) return &*it;
  return nullptr;
}

KeyTable readKeys(const FileSource& files) {
  Runner runner(files);
  runner.runFile("config.cfg", nullptr);
  runner.runFile("autoexec.cfg", nullptr);
  return runner.finish();
}

FileSource folderSource(const std::string& gamePath) {
  const auto read = [gamePath](const std::string& name) -> std::optional<std::string> {
    const std::string relative = relativeName(name);
    if (!insideFolder(relative)) return std::nullopt;
    std::filesystem::path at = gameFolder(gamePath);
    std::size_t start = 0;
    while (start <= relative.size()) {
      const std::size_t slash = std::min(relative.find('/', start), relative.size());
      const std::string part = relative.substr(start, slash - start);
      start = slash + 1;
      if (part.empty() || part == ".") continue;
      std::error_code ec;
      std::filesystem::path next = at / part;
      if (!std::filesystem::exists(next, ec)) {
        // The game's own system matches names without regard to case.
        bool found = false;
        for (auto it = std::filesystem::directory_iterator(at, ec); !ec && it != std::filesystem::directory_iterator();
             it.increment(ec))
          if (equalsNoCase(it->path().filename().string(), part)) {
            next = it->path();
            found = true;
            break;
          }
        if (!found) return std::nullopt;
      }
      at = next;
    }
    files::ReadResult read = files::readFile(at);
    if (!read.ok()) return std::nullopt;
    return std::move(read.bytes);
  };
  return [read](const std::string& name) -> std::optional<std::string> {
    try {
      return read(name);
    } catch (const std::exception&) {
      // A name the system cannot spell (a byte that is no character of its code page) names no
      // file Quillet can read.
      return std::nullopt;
    }
  };
}

std::string placeText(const Place& place) { return place.file + ":" + std::to_string(place.line); }

std::string stateText(const Binding& binding) {
  switch (binding.state) {
    case Binding::State::InForce: return "in force";
    case Binding::State::Overridden: return "overridden at " + placeText(binding.endedBy);
    case Binding::State::Unbound: return "unbound at " + placeText(binding.endedBy);
  }
  return {};
}

std::string stateText(const Alias& alias) {
  if (!alias.inForce) return "replaced";
  return alias.used ? "in force, used" : "in force, unused";
}

std::string bindLine(std::string_view key, std::string_view command) {
  return "bind \"" + std::string(key) + "\" \"" + std::string(command) + "\"";
}

std::string unbindLine(std::string_view key) { return "unbind \"" + std::string(key) + "\""; }

std::string aliasLine(std::string_view name, std::string_view commands) {
  return "alias \"" + std::string(name) + "\" \"" + std::string(commands) + "\"";
}

std::string keyProblem(std::string_view key) {
  if (key.empty()) return "no key given";
  if (keyName(key)) return {};
  return "the game knows no key \"" + std::string(key) +
         "\": a key is a printable character (a, 1, /) or one of its key names (MOUSE1, SPACE, F1, "
         "KP_ENTER, MWHEELUP...)";
}

std::string commandProblem(std::string_view command) {
  if (command.empty()) return "the command is empty (to take a key's binding away, remove it)";
  if (command.find('"') != std::string_view::npos)
    return "a \" inside the command would end it early and the rest would run as other words; leave it out";
  for (const char c : command)
    if (static_cast<unsigned char>(c) < 0x20)
      return c == '\n' || c == '\r' ? "a line break would end the command; use ; between commands"
                                    : "a control character (such as a tab) cannot be part of the command";
  if (command.size() > kMaxCommandBytes)
    return "the command is " + std::to_string(command.size()) +
           " bytes; the console drops a quoted text of 515 bytes or more, so a command can be " +
           std::to_string(kMaxCommandBytes) + " bytes at most (its line then stays well under the " +
           std::to_string(console::kMaxCommand) + " bytes the console reads as one command)";
  return {};
}

std::string aliasNameProblem(std::string_view name) {
  if (name.empty()) return "the alias has no name";
  if (name.size() > kMaxAliasName)
    return "the name is " + std::to_string(name.size()) + " bytes; the game takes alias names of up to " +
           std::to_string(kMaxAliasName);
  // Run by its name as a command's first word, the name must come back as that one word.
  static constexpr std::string_view kOwnCommands[] = {"alias", "bind", "unbind", "unbindall", "exec"};
  const std::vector<std::string> words = console::words(name);
  if (words.size() != 1 || words[0] != name || name.find_first_of("\";") != std::string_view::npos ||
      std::find(std::begin(kOwnCommands), std::end(kOwnCommands), lowerAscii(name)) != std::end(kOwnCommands))
    return std::string("\"").append(name).append(
        "\" cannot be an alias name: it must be one word, without blanks, quotes, ; { } ( ) ' : or letters "
        "beyond ASCII, and not one of the game's own commands");
  return {};
}

std::vector<std::string> splitCommands(std::string_view text) {
  std::vector<std::string> out;
  for (const console::Command& c : console::commands(text))
    if (!c.words.empty()) out.push_back(joinFrom(c.words, 0));
  return out;
}

}  // namespace quillet::keys
