#include "Checks.h"

#include <array>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <vector>

#include "Checkpath/Checkpath.h"
#include "Stringconverter/Codepage.h"
#include "Stringconverter/Console.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/Keys.h"
#include "Stringconverter/Readers.h"
#include "Stringconverter/StoredPreferences.h"
#include "cli/Cli.h"
#include "frmmain/MoreFunctions.h"
#include "save/KeyLines.h"
#include "save/Save.h"
#include "settings/ValueForms.h"

namespace quillet::fuzz {
namespace fs = std::filesystem;
namespace {

// One game folder per process (fuzzers and test runs may go side by side), in memory where
// the system offers a memory file system; removed when the process ends normally.
const fs::path& folder() {
  static const struct Folder {
    std::error_code ec;
    fs::path path = (fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                    ("quillet-fuzz-" + std::to_string(std::random_device()()) + std::to_string(std::random_device()()));
    Folder() {
      for (const char* sub : {"cl_dlls", "maps"}) fs::create_directories(path / sub);
    }
    ~Folder() { fs::remove_all(path, ec); }
  } dir;
  return dir.path;
}

void put(std::string_view name, std::string_view bytes) {
  std::ofstream(folder() / name, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string get(std::string_view name) {
  std::ifstream in(folder() / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every slider within its range.
std::string saneModel(const Model& model) {
  for (const Option& o : catalogue())
    if (o.kind == Kind::Slider && (model.position(o) < o.min || model.position(o) > o.max))
      return std::string(o.control) + " at " + std::to_string(model.position(o)) + ", outside its range";
  return {};
}

std::string loaded(std::string_view name, void (*reader)(const fs::path&, Model&, std::string&), std::string_view bytes,
                   Model& model) {
  put(name, bytes);
  std::string errors;
  reader(folder() / name, model, errors);
  if (!errors.empty()) return "a readable file reported: " + errors;
  return saneModel(model);
}

std::string checkAutoexec(std::string_view bytes) {
  Model model;
  return loaded("autoexec.cfg", LoadAutoexec, bytes, model);
}

// Every kept line is one line: no line break inside it, each ended by CR LF.
std::string keptLinesSound(const std::string& kept) {
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (kept[i] == '\r' && (i + 1 >= kept.size() || kept[i + 1] != '\n')) return "a lone CR in a kept line";
    if (kept[i] == '\n' && (i == 0 || kept[i - 1] != '\r')) return "a lone LF in a kept line";
  }
  if (!kept.empty() && !kept.ends_with("\r\n")) return "kept lines do not end with CR LF";
  return {};
}

// Every pass over config.cfg: the three option passes and the kept lines, then the same bytes
// as "Keep my own lines" reads them (the values in force, the lines that give way only to what
// Save writes itself). The load sequence's one scan must find what the two readings find.
std::string checkConfig(std::string_view bytes) {
  const std::optional<std::string> content{std::string(bytes)};
  const std::array<const std::string*, 4> inForce{nullptr, &*content, nullptr, nullptr};
  for (const bool keep : {false, true}) {
    Model model, once;
    model.keepOwnLines = once.keepOwnLines = keep;
    std::string errors;
    LoadConfig(content, model, errors);
    if (!errors.empty()) return "readable bytes reported: " + errors;
    if (keep) LoadValuesInForce(inForce, model);
    CollectConfigLines(content, model);
    if (auto e = keptLinesSound(model.configKeptLines); !e.empty()) return e;
    if (auto e = saneModel(model); !e.empty()) return e;
    LoadConfigWithKeptLines(content, once, errors);
    if (keep) LoadValuesInForce(inForce, once);
    if (once.configKeptLines != model.configKeptLines) return "one scan keeps other lines than the two readings";
    for (const Option& o : catalogue())
      if (once.checked(o) != model.checked(o) || once.position(o) != model.position(o) || once.text(o) != model.text(o))
        return "one scan reads " + std::string(o.control) + " otherwise than the two readings";
  }
  return {};
}

std::string checkMapcycle(std::string_view bytes) {
  Model model;
  return loaded("mapcycle.txt", LoadMapcycle, bytes, model);
}

std::string checkMotd(std::string_view bytes) {
  Model model;
  if (auto e = loaded("motd.txt", LoadMotd, bytes, model); !e.empty()) return e;
  const std::string& text = model.text(option("txtmotd"));
  if (!std::string_view(bytes).starts_with(text) || bytes.size() - text.size() > 2)
    return "the message is not the file's bytes";
  // What Save writes reads back to what it wrote.
  const std::string first = motdText(model);
  Model again;
  if (auto e = loaded("motd.txt", LoadMotd, first, again); !e.empty()) return e;
  if (motdText(again) != first) return "motd.txt changes when loaded and saved again";
  return {};
}

std::string checkBriefing(std::string_view bytes) {
  Model model;
  put("maps/as_forest.txt", bytes);
  LoadMapBriefing(folder() / "maps/as_forest.txt", model);
  if (model.mapInfo != bytes) return "the briefing is not the file's bytes";
  if (utf8ToCp1252(cp1252ToUtf8(bytes)) != bytes) return "the briefing's characters do not map back to its bytes";
  return {};
}

std::string checkFields(std::string_view bytes) {
  if (bytes.size() < 2) return {};
  const int first = static_cast<signed char>(bytes[0]);
  const int last = static_cast<signed char>(bytes[1]);
  const std::string_view text = bytes.substr(2);
  const std::string field = GetField(text, " ", first, last);
  if (text.find(field) == std::string_view::npos) return "a field that is not part of the text";
  if (text.find(' ') == std::string_view::npos && field != text) return "no blank, yet not the whole text";
  if (text.find(' ') != std::string_view::npos &&
      GetField(text, " ", 1, 1) + " " + GetField(text, " ", 2, 32767) != text)
    return "word 1 and the rest do not make the text again";
  const std::string stripped = stripQuotes(text);
  if (stripped.size() > text.size() || text.find(stripped) == std::string_view::npos)
    return "quote stripping added characters";
  const auto value = NumericValue(text);
  if (!value) return {};
  // A position is the nearest whole number (a half to the even one) and fails only outside a
  // slider's widest range; a value above 10 read with the ceiling gives 10.
  const auto position = roundToPosition(*value);
  if (position ? std::abs(*position - *value) > 0.5 || (std::abs(*position - *value) == 0.5 && *position % 2 != 0)
               : *value > -32768.5 && *value < 32767.5)
    return "the position of " + std::to_string(*value) + " is not its nearest whole number";
  for (const Option& o : catalogue())
    if (o.kind == Kind::Slider &&
        sliderPositionFor(o, *value, Read::SliderCeiling) !=
            (*value > 10 ? std::optional<int>(10) : sliderPositionFor(o, *value, Read::Slider)))
      return std::string(o.control) + " read with the ceiling does not stop at 10";
  return {};
}

// The bytes as the stored values, in the order Save stores them.
std::string checkStore(std::string_view bytes) {
  MemoryStore store;
  const auto stored = storedInWriteOrder();
  const auto values = splitAtNul(bytes, stored.size());
  for (std::size_t i = 0; i < values.size(); ++i) store.save(kStoreApp, "settings", stored[i]->storeKey, values[i]);
  Model model;
  LoadStoredPreferences(model, store);
  if (auto e = saneModel(model); !e.empty()) return e;
  // What was restored is stored and restored again unchanged.
  MemoryStore again;
  StorePreferences(model, again);
  Model back;
  LoadStoredPreferences(back, again);
  for (const Option* o : stored) {
    const bool same = o->kind == Kind::Slider ? back.position(*o) == model.position(*o)
                      : o->isToggle()         ? back.checked(*o) == model.checked(*o)
                                              : back.text(*o) == model.text(*o);
    if (!same) return std::string(o->control) + " does not come back from the store";
  }
  return {};
}

// The first word of each command the game's console runs from `bytes`.
std::vector<std::string> commandNames(std::string_view bytes) {
  std::vector<std::string> out;
  for (console::Command& c : console::commands(bytes)) out.push_back(std::move(c.words.front()));
  return out;
}

std::string checkSet(std::string_view bytes) {
  using Text = std::string (*)(const Model&);
  static constexpr Text kTexts[] = {autoexecText, configText, serverText, listenserverText};
  // The files as the factory values write them, made once.
  static const std::vector<std::string> kWas = [] {
    Model defaults;
    LoadDefaults(defaults);
    std::vector<std::string> out;
    for (Text text : kTexts) out.push_back(text(defaults));
    return out;
  }();
  Model model;
  LoadDefaults(model);
  for (std::string_view arg : splitAtNul(bytes, 8)) {
    const SetParse parsed = parseSet(arg);
    if (parsed.assignment) applyAssignment(*parsed.assignment, model);
    else if (parsed.error.empty()) return "a refused value without a reason";
  }
  // The files the game runs as commands keep their lines and, read by the console's own rules,
  // their commands (the same first words in the same order: no command added, cut or lost), and
  // every text option is set in the game to exactly its text.
  for (std::size_t t = 0; t < std::size(kTexts); ++t) {
    const std::string now = kTexts[t](model);
    if (std::ranges::count(kWas[t], '\n') != std::ranges::count(now, '\n'))
      return "a value changed the number of lines:\n" + now;
    if (commandNames(kWas[t]) != commandNames(now)) return "a value changed the commands the game runs:\n" + now;
    for (const Option& o : catalogue())
      if (o.form == Form::Text && !keysIn(o, kGameFiles[t]).empty() && !model.text(o).empty() &&
          console::valueSet(now, o.cvar) != model.text(o))
        return std::string(o.control) + " does not reach the game as set: " + model.text(o) + "\n" + now;
  }
  return saneModel(model);
}

// A text read from a file that is too long for the game: Save refuses it and writes nothing.
bool tooLongText(const Model& model) {
  for (const Option& o : catalogue())
    if (o.form == Form::Text && model.text(o).size() > kMaxTextLength) return true;
  return false;
}

// The bytes as the six game files and a briefing, loaded and saved twice, by default and with
// "Keep my own lines": the second Save writes what the first wrote.
std::string checkRoundtrip(std::string_view bytes) {
  static constexpr std::string_view kRead[] = {"autoexec.cfg",       "config.cfg", "mapcycle.txt",    "motd.txt",
                                               "maps/as_forest.txt", "server.cfg", "listenserver.cfg"};
  const auto pieces = splitAtNul(bytes, std::size(kRead));
  for (const bool keep : {false, true}) {
    for (std::size_t i = 0; i < std::size(kRead); ++i) put(kRead[i], i < pieces.size() ? pieces[i] : "");
    MemoryStore store;
    std::string rounds[2][std::size(kSavedFiles)];
    for (auto& round : rounds) {
      Model model;
      model.keepOwnLinesForRun = keep;
      runLoadSequence(model, folder().string(), store);
      if (auto e = saneModel(model); !e.empty()) return e;
      if (auto failure = saveFiles(model, folder().string(), store, {.backup = false}))
        return tooLongText(model) ? std::string() : "Save failed: " + failure->detail;
      for (std::size_t i = 0; i < std::size(kSavedFiles); ++i) round[i] = get(kSavedFiles[i]);
    }
    for (std::size_t i = 0; i < std::size(kSavedFiles); ++i)
      if (rounds[0][i] != rounds[1][i])
        return std::string(kSavedFiles[i]) + (keep ? " (keeping own lines)" : "") + " differs on the second Save:\n" +
               rounds[0][i] + "\n---\n" + rounds[1][i];
  }
  return {};
}

// The bytes as config.cfg, autoexec.cfg and a.cfg (which either may exec): the key table ends,
// holds one binding in force per key, says where every other one ended; and the binding in
// force of config.cfg, changed in place, reads back as the new command.
std::string checkKeys(std::string_view bytes) {
  const auto pieces = splitAtNul(bytes, 3);
  std::map<std::string, std::string> files;
  const char* names[] = {"config.cfg", "autoexec.cfg", "a.cfg"};
  for (std::size_t i = 0; i < pieces.size(); ++i) files[names[i]] = std::string(pieces[i]);
  const auto source = [&](const std::string& name) -> std::optional<std::string> {
    const auto it = files.find(name);
    return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
  };
  const keys::KeyTable table = keys::readKeys(source);
  std::map<std::string, int> inForce;
  for (const keys::Binding& b : table.bindings) {
    if (!keys::keyName(b.key) || *keys::keyName(b.key) != b.key) return "a key not in the game's form: " + b.key;
    if (b.state == keys::Binding::State::InForce) {
      if (++inForce[b.key] > 1) return "two bindings of " + b.key + " in force";
    } else if (b.endedBy.line == 0) {
      return "a binding of " + b.key + " ended nowhere";
    }
  }
  for (const auto& [key, count] : inForce) {
    const keys::Binding* b = table.winner(key);
    if (!b || b->via.empty() == false || b->place.file != "config.cfg") continue;
    const KeyEdit edit{KeyEdit::Kind::Bind, key, "say fuzz", "config.cfg", true};
    files["config.cfg"] = applyKeyEdits("config.cfg", files["config.cfg"], {edit});
    const keys::KeyTable after = keys::readKeys(source);
    const keys::Binding* now = after.winner(key);
    if (!now || now->command != "say fuzz")
      return key + " changed in place reads back as " + (now ? now->command : std::string("unbound")) + ":\n" +
             files["config.cfg"];
    break;
  }
  return {};
}

constexpr Target kTargets[] = {{"autoexec", checkAutoexec}, {"config", checkConfig},     {"mapcycle", checkMapcycle},
                               {"motd", checkMotd},         {"briefing", checkBriefing}, {"fields", checkFields},
                               {"store", checkStore},       {"set", checkSet},           {"roundtrip", checkRoundtrip},
                               {"keys", checkKeys}};

}  // namespace

std::span<const Target> targets() { return kTargets; }

Check checkFor(std::string_view target) {
  for (const Target& t : kTargets)
    if (t.name == target) return t.check;
  return nullptr;
}

std::vector<std::string_view> splitAtNul(std::string_view bytes, std::size_t count) {
  std::vector<std::string_view> out;
  while (out.size() + 1 < count) {
    const std::size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos) break;
    out.push_back(bytes.substr(0, nul));
    bytes.remove_prefix(nul + 1);
  }
  out.push_back(bytes);
  return out;
}

}  // namespace quillet::fuzz
