#include "Stringconverter/Readers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <span>
#include <unordered_map>

#include "Stringconverter/Commands.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/StoredPreferences.h"
#include "platform/Platform.h"
#include "settings/ValueForms.h"

namespace quillet {
namespace {

// Field `n` (1 to 3) of `text` split at single blanks, as GetField(text, " ", n, n) gives it,
// as a view: no copy of a big item.
std::string_view field(std::string_view text, int n) {
  if (text.empty()) return {};
  const std::size_t first = text.find(' ');
  if (first == std::string_view::npos) return text;
  if (n == 1) return text.substr(0, first);
  std::size_t start = first + 1;
  if (n == 3) {
    const std::size_t second = text.find(' ', start);
    if (second == std::string_view::npos) return {};
    start = second + 1;
  }
  const std::size_t end = text.find(' ', start);
  return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// An item split as the config readers see it: words split at single blanks. The words are
// views into the item in its own case; where a reader compares a word with a name, it does so
// without regard to case, as if the item had been lower-cased.
struct Words {
  std::string_view w1, w2, w3;
  explicit Words(std::string_view item) : w1(field(item, 1)), w2(field(item, 2)), w3(field(item, 3)) {}
};

// The same words lower-cased, for the readers that build keys from them.
struct LowerWords {
  std::string w1, w2, w3;
  explicit LowerWords(std::string_view item) {
    const Words w(item);
    w1 = lowerAscii(w.w1);
    w2 = lowerAscii(w.w2);
    w3 = lowerAscii(w.w3);
  }
};

constexpr std::size_t kLongestName = 32;
constexpr std::array<char, 256> kLower = [] {
  std::array<char, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = lowerAscii(static_cast<char>(c));
  return t;
}();
// Word 1 of a text (up to its first blank), lower-cased into a buffer of its own, with what
// the config scan needs to know of it. Empty when the word is longer than any name.
struct LowerWord {
  char text[kLongestName + 1];
  std::size_t size = 0;
  bool plain = true;  // no comma, tab or double quote in it (scanned as far as kLongestName + 1)
  std::string_view view() const { return size > kLongestName ? std::string_view() : std::string_view(text, size); }
  explicit LowerWord(std::string_view s) {
    const std::size_t n = std::min(s.size(), kLongestName + 1);
    std::uint8_t seen = 0;
    for (; size < n && s[size] != ' '; ++size) {
      text[size] = kLower[static_cast<unsigned char>(s[size])];
      seen |= scan::classOf(s[size]);
    }
    plain = !(seen & (scan::kComma | scan::kQuote | scan::kBlank));
  }
};

// Word 1 of an item, lower-cased, without building the other words: most items of a big file
// name nothing a reader knows, and are passed over on this alone. Empty when the word is longer
// than any name (`buffer` holds the lowered word).
std::string_view firstWordLower(std::string_view item, char (&buffer)[kLongestName]) {
  const LowerWord word(item);
  const std::string_view v = word.view();
  std::copy(v.begin(), v.end(), buffer);
  return {buffer, v.size()};
}

// A text value: the item's own text after the name and its one blank, quote-stripped. A comma
// ends an unquoted item before it gets here, so a comma in the value comes from an item that
// stood wholly in double quotes ("name Smith, John"), and is kept as list input keeps it.
std::string_view textValue(std::string_view item) {
  const std::size_t blank = item.find(' ');
  if (blank == std::string_view::npos) return {};
  return unquoted(item.substr(blank + 1));
}

// The value word as the rules compare it: quote-stripped; lower-cased where a rule compares it
// with a word (numbers read the same in either case).
std::string_view ruleValue(Read rule, const Words& w, std::string& lowered) {
  const std::string_view value = unquoted(w.w2);
  // A word longer than any the rule knows matches none in any case.
  if (rule != Read::LinearMipmap || value.size() > kLongestName) return value;
  lowered = lowerAscii(value);
  return lowered;
}

using Vocabulary = std::unordered_map<std::string_view, const Option*>;

Vocabulary vocabulary(Read Option::*rule, std::initializer_list<Read> rules) {
  Vocabulary names;
  for (const Option& o : catalogue())
    for (Read r : rules)
      if (o.*rule == r) names.emplace(o.cvar, &o);
  return names;
}

const Vocabulary& autoexecNames() {
  static const Vocabulary v =
      vocabulary(&Option::autoexecRead, {Read::On, Read::OnOff, Read::Name, Read::Equals20, Read::LinearMipmap,
                                         Read::Slider, Read::SliderCeiling, Read::Smoke, Read::Netgraph, Read::Text});
  return v;
}
const Vocabulary& configSwitchNames() {
  static const Vocabulary v = vocabulary(&Option::configRead, {Read::Name});
  return v;
}
const Vocabulary& configValueNames() {
  static const Vocabulary v = vocabulary(&Option::configRead, {Read::On, Read::Slider, Read::Smoke, Read::Text});
  return v;
}
void apply(Read rule, const Option& o, const Words& w, std::string_view item, Model& model) {
  if (rule == Read::Text) {
    model.setText(o, std::string(textValue(item)));
  } else {
    std::string lowered;
    applyReadValue(o, rule, ruleValue(rule, w, lowered), model);
  }
}

template <class Apply>
void eachItem(std::string_view content, Apply&& apply) {
  ListReader reader(content);
  while (!reader.atEnd()) apply(reader.next());
}

}  // namespace

bool applyReadValue(const Option& o, Read rule, std::string_view value, Model& model) {
  const auto number = [&] { return NumericValue(value); };
  switch (rule) {
    case Read::On:
      if (number() != 1.0) return false;
      model.setChecked(o, true);
      return true;
    case Read::OnOff:
      if (const auto v = number()) {
        model.setChecked(o, *v == 1.0);
        return true;
      }
      return false;
    case Read::Name: model.setChecked(o, true); return true;
    case Read::Equals20:
      if (number() != 20.0) return false;
      model.setChecked(o, true);
      return true;
    case Read::LinearMipmap:
      if (value != "gl_linear_mipmap_linear") return false;
      model.setChecked(o, true);
      return true;
    case Read::Slider:
    case Read::SliderCeiling: {
      const auto v = number();
      const auto position = v ? sliderPositionFor(o, *v, rule) : std::nullopt;
      return position && model.setPosition(o, *position);
    }
    case Read::Smoke: {
      static constexpr std::string_view kWords[] = {"High", "Medium", "Low"};
      const auto v = number();
      if (!v || (*v != 0 && *v != 1 && *v != 2)) return false;
      const int n = static_cast<int>(*v);
      model.writeValueLabel(o, kWords[n]);
      model.setPosition(o, 2 - n);
      return true;
    }
    case Read::Netgraph:
      if (const auto v = number(); v && (*v == 1 || *v == 2 || *v == 3)) {
        model.setText(o, std::string(netgraphItem(static_cast<int>(*v))));
        return true;
      }
      return false;
    case Read::Text: model.setText(o, std::string(value)); return true;
    case Read::Ghosts:
    case Read::Setinfo:
    case Read::None: break;
  }
  return false;
}

std::optional<int> sliderPositionFor(const Option& o, double value, Read rule) {
  return roundToPosition(rule == Read::SliderCeiling && value > 10 ? 10.0 : value * o.readFactor());
}

void applyAutoexecItem(std::string_view item, Model& model) {
  char buffer[kLongestName];
  const std::string_view name = firstWordLower(item, buffer);
  const auto& names = autoexecNames();
  const auto it = names.find(name);
  if (it == names.end() && name != "setinfo") return;
  const Words w(item);
  if (it != names.end()) apply(it->second->autoexecRead, *it->second, w, item, model);
  // The ghosts rule is tested for every item, whether or not its name matched.
  if (name == "setinfo" && equalsNoCase(unquoted(w.w2), "ghosts") && NumericValue(w.w3) == 1.0)
    for (const Option& o : catalogue())
      if (o.autoexecRead == Read::Ghosts) model.setChecked(o, true);
}

void LoadAutoexec(const std::filesystem::path& file, Model& model, std::string& loadErrors) {
  LoadAutoexec(readFileBytes(file, &model.unreadable), model, loadErrors);
}

void LoadAutoexec(const std::optional<std::string>& content, Model& model, std::string& loadErrors) {
  if (!content) {
    loadErrors += kAutoexecError;
    return;
  }
  eachItem(*content, [&](std::string_view item) { applyAutoexecItem(item, model); });
}

namespace {

// The switches, then the variables with values, then the user-info lines: three passes, as a
// later pass may turn on what an earlier one left. When no toggle is read by two rows (the
// catalogue says so), the order between the passes changes nothing, and one scan applies all
// three.
bool configOneScan() {
  static const bool oneScan = [] {
    std::set<std::pair<Table, int>> seen;
    for (const Option& o : catalogue()) {
      if (o.configRead != Read::None && o.isToggle() && !seen.emplace(o.table, o.index).second) return false;
    }
    return true;
  }();
  return oneScan;
}

// A cheap hash of a name that is not empty: its length and three of its bytes.
std::size_t hashOf(std::string_view name) {
  const auto byte = [&](std::size_t i) { return static_cast<std::size_t>(static_cast<unsigned char>(name[i])); };
  return name.size() * 131 + byte(0) * 31 + byte(name.size() - 1) * 7 + byte(name.size() / 2);
}

// What a lower-cased first word means to each reading of config.cfg.
struct ConfigName {
  const Option* switchOf = nullptr;  // a switch that the name alone turns on
  const Option* valueOf = nullptr;   // a variable read from the value word
  bool setinfo = false;              // a user-info line
  bool owned = false;                // the kept-lines rule drops a line that begins with it
};

// Every name of config.cfg's readers in one open-addressed table: one look-up per item and per
// line.
class ConfigNames {
 public:
  ConfigNames() {
    for (const auto& [name, o] : configSwitchNames()) add(name).switchOf = o;
    for (const auto& [name, o] : configValueNames()) add(name).valueOf = o;
    add("setinfo").setinfo = true;
    for (const std::string& name : configOwnedNames()) add(name).owned = true;
  }
  const ConfigName* find(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (std::size_t i = hashOf(name) % kSlots;; i = (i + 1) % kSlots) {
      const Slot& slot = slots_[i];
      if (slot.name.empty()) return nullptr;
      if (slot.name == name) return &slot.what;
    }
  }

 private:
  static constexpr std::size_t kSlots = 512;
  struct Slot {
    std::string_view name;
    ConfigName what;
  };
  ConfigName& add(std::string_view name) {
    for (std::size_t i = hashOf(name) % kSlots;; i = (i + 1) % kSlots) {
      Slot& slot = slots_[i];
      if (slot.name.empty()) slot.name = name;
      if (slot.name == name) return slot.what;
    }
  }
  std::array<Slot, kSlots> slots_{};
};

const ConfigNames& configNames() {
  static const ConfigNames names;
  return names;
}

// The user-info toggles by their key as it follows "setinfo ", lower-cased: bare ("ah") and
// quoted ("\"ah\""); the map owns the spellings.
const std::unordered_map<std::string, const Option*>& setinfoKeys() {
  static const std::unordered_map<std::string, const Option*> v = [] {
    std::unordered_map<std::string, const Option*> keys;
    for (const Option& o : catalogue()) {
      if (o.configRead != Read::Setinfo) continue;
      std::string_view key = o.cvar;
      if (key.starts_with("setinfo ")) key.remove_prefix(8);
      keys.emplace(std::string(key), &o);
      std::string quoted(1, '"');
      (quoted += key) += '"';
      keys.emplace(std::move(quoted), &o);
    }
    return keys;
  }();
  return v;
}

void applyConfigValue(const Option& o, std::string_view item, Model& model) {
  const Words w(item);
  apply(o.configRead, o, w, item, model);
}

void applyConfigSetinfo(std::string_view item, Model& model) {
  // The key is word 2 as it stands (its quotes kept); the value word 3, quote-stripped.
  const Words w(item);
  if (w.w2.size() > kLongestName) return;
  const auto it = setinfoKeys().find(lowerAscii(w.w2));
  if (it != setinfoKeys().end() && unquoted(w.w3) == "1") model.setChecked(*it->second, true);
}

// One item of config.cfg through all three option readings.
void applyConfigName(const ConfigName* name, std::string_view item, Model& model) {
  if (!name) return;
  if (name->switchOf) model.setChecked(*name->switchOf, true);
  if (name->valueOf) applyConfigValue(*name->valueOf, item, model);
  if (name->setinfo) applyConfigSetinfo(item, model);
}

// One scan over config.cfg, line by line: the option readings take the line's list items (an
// item never runs past a line end), the kept-lines reading the whole line.
void scanConfig(std::string_view bytes, Model& model, bool options, bool kept) {
  using namespace scan;
  std::string& out = model.configKeptLines;
  const ConfigNames& names = configNames();
  if (kept) {
    // Room for the most the kept lines can take (every line, each end as CR LF) is asked for
    // at once, so the text is never copied while it grows; the memory is only taken up where
    // lines are written into it.
    out.reserve(out.size() + bytes.size() + 2 + countLineEnds(bytes));
  }
  for (std::size_t pos = 0; pos < bytes.size();) {
    bool comma = false;
    const std::size_t end = lineEnd(bytes, pos, &comma);
    const std::string_view line = bytes.substr(pos, end - pos);
    pos = afterLineEnd(bytes, end);
    // Word 1 of the line, after the blanks and tabs that lead it, up to the first blank. The
    // kept-lines rule drops the line when it is an owned name.
    std::size_t start = 0;
    while (start < line.size() && (classOf(line[start]) & kBlank)) ++start;
    const std::string_view rest = line.substr(start);
    const LowerWord word(rest);
    const ConfigName* name = names.find(word.view());
    if (options) {
      if (word.plain && !comma) {
        // One unquoted item, the line without its blanks and tabs at the two ends; its word 1
        // is the line's.
        std::size_t last = rest.size();
        while (last > 0 && (classOf(rest[last - 1]) & kBlank)) --last;
        applyConfigName(name, rest.substr(0, last), model);
      } else {
        for (ListReader items(line); !items.atEnd();) {
          const std::string_view item = items.next();
          applyConfigName(names.find(LowerWord(item).view()), item, model);
        }
      }
    }
    if (!kept) continue;
    // With "Keep my own lines" only the lines that Save writes itself give way.
    if (model.keepOwnLines ? writesKey(GameFile::Config, lineKey(line)) : name && name->owned) continue;
    out.append(line);
    out += "\r\n";
  }
}

void loadConfigOptions(std::string_view bytes, Model& model) {
  if (configOneScan()) {
    scanConfig(bytes, model, true, false);
    return;
  }
  const auto each = [&](auto&& step) {
    eachItem(bytes, [&](std::string_view item) {
      if (const ConfigName* name = configNames().find(LowerWord(item).view())) step(*name, item);
    });
  };
  each([&](const ConfigName& n, std::string_view) {
    if (n.switchOf) model.setChecked(*n.switchOf, true);
  });
  each([&](const ConfigName& n, std::string_view item) {
    if (n.valueOf) applyConfigValue(*n.valueOf, item, model);
  });
  each([&](const ConfigName& n, std::string_view item) {
    if (n.setinfo) applyConfigSetinfo(item, model);
  });
}

}  // namespace

void LoadConfig(const std::optional<std::string>& content, Model& model, std::string& loadErrors) {
  if (!content) {
    loadErrors += kConfigError;
    return;
  }
  loadConfigOptions(*content, model);
}

void LoadConfigWithKeptLines(const std::optional<std::string>& content, Model& model, std::string& loadErrors) {
  if (!content) {
    loadErrors += kConfigError;
    return;
  }
  if (!configOneScan()) {
    loadConfigOptions(*content, model);
    scanConfig(*content, model, false, true);
    return;
  }
  scanConfig(*content, model, true, true);
}

bool configOwnsName(std::string_view lowerWord) {
  const ConfigName* name = configNames().find(lowerWord);
  return name && name->owned;
}

void CollectConfigLines(const std::optional<std::string>& content, Model& model) {
  if (content) scanConfig(*content, model, false, true);
}

namespace {

bool numberIs(std::string_view text, double want) {
  const auto v = wholeNumber(text);
  return v && *v == want;
}

// The second word of a line of two words ("gl_texturemode gl_linear_mipmap_linear" gives
// "gl_linear_mipmap_linear"), empty for a line of one.
std::string_view secondWord(std::string_view line) {
  const std::size_t blank = line.find(' ');
  return blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
}

enum class Shown : std::uint8_t { Exactly, Rounded, Not };

// The value word of a command: the first argument, or for "setinfo <key>" the one after the key.
std::string_view valueWord(const Option& o, const CommandSpan& c) {
  return o.cvar.starts_with("setinfo ") ? std::string_view(c.words[2]) : std::string_view(c.words[1]);
}

// Puts a value in force into its option's control: exactly, rounded to what the control can
// show, or not at all (out of range, not a number, a word the control does not know).
Shown applyInForce(const Option& o, const CommandSpan& c, Model& model) {
  const std::string_view value = valueWord(o, c);
  const auto number = wholeNumber(value);
  switch (o.form) {
    case Form::Flag:
      if (!number || (*number != 0 && *number != 1)) return Shown::Not;
      model.setChecked(o, *number == 1);
      return Shown::Exactly;
    case Form::Lines: {
      // A switch ("+mlook" / "-mlook", "drawradar" / "hideradar") by its name; a line with a
      // value ("gl_texturemode ...", "gl_polyoffset 20") by the value as well.
      for (const bool on : {true, false}) {
        const std::string line = lowerAscii(on ? o.on : o.off);
        if (line.empty() || lineKey(line) != c.key) continue;
        const std::string_view want = secondWord(line);
        if (want.empty() || lowerAscii(value) == want || (wholeNumber(want) && numberIs(value, *wholeNumber(want)))) {
          model.setChecked(o, on);
          return Shown::Exactly;
        }
      }
      return Shown::Not;
    }
    case Form::N:
    case Form::D:
    case Form::Negated: {
      if (!number) return Shown::Not;
      const Read rule = o.autoexecRead == Read::SliderCeiling ? Read::SliderCeiling : Read::Slider;
      const auto position = sliderPositionFor(o, *number, rule);
      if (!position || !model.setPosition(o, *position)) return Shown::Not;
      return *position == *number * o.readFactor() ? Shown::Exactly : Shown::Rounded;
    }
    case Form::Smoke:
    case Form::Netgraph: {
      const Read rule = o.form == Form::Smoke ? Read::Smoke : Read::Netgraph;
      return number && applyReadValue(o, rule, value, model) ? Shown::Exactly : Shown::Not;
    }
    case Form::Text: model.setText(o, std::string(value)); return Shown::Exactly;
    case Form::Colour:  // the text colour comes from the store, as in the default mode
    case Form::None: break;
  }
  return Shown::Exactly;
}

// True when two commands give the option different values.
bool disagree(const Option& o, const CommandSpan& a, const CommandSpan& b) {
  if (a.key != b.key) return true;
  const std::string_view va = valueWord(o, a), vb = valueWord(o, b);
  const auto na = wholeNumber(va), nb = wholeNumber(vb);
  if (na && nb) return *na != *nb;
  return o.form == Form::Text ? va != vb : !equalsNoCase(va, vb);
}

// A key whose command sets nothing without an argument (all but the bare switches).
bool takesArgument(std::string_view key) {
  const Option* o = writerOfKey(key);
  if (!o || o->form != Form::Lines) return true;
  for (std::string_view line : {o->on, o->off})
    if (!line.empty() && lineKey(line) == key) return !secondWord(lowerAscii(line)).empty();
  return true;
}

}  // namespace

void LoadValuesInForce(const std::array<const std::string*, 4>& files, Model& model) {
  // Per file, the last command that sets each key Quillet writes there: the value the file
  // leaves in force.
  std::array<std::unordered_map<std::string, CommandSpan>, 4> last;
  for (GameFile f : kGameFiles) {
    const auto i = static_cast<std::size_t>(f);
    if (!files[i]) continue;
    forEachCommand(*files[i], [&](const CommandSpan& c) {
      const std::size_t needs = c.key.starts_with("setinfo ") ? 3 : takesArgument(c.key) ? 2 : 1;
      if (c.wordCount >= needs && writesKey(f, c.key)) last[i].insert_or_assign(c.key, c);
    });
  }
  for (const Option& o : catalogue()) {
    if (o.form == Form::Colour || o.form == Form::None) continue;
    // A server option is read from server.cfg, a client option from config.cfg then
    // autoexec.cfg (the game runs them in that order); the first file that sets it is shown.
    static constexpr GameFile kServerOrder[] = {GameFile::Server, GameFile::Listenserver, GameFile::Autoexec,
                                                GameFile::Config};
    static constexpr GameFile kClientOrder[] = {GameFile::Autoexec, GameFile::Config};
    const std::span<const GameFile> order =
        o.writes.server > 0 ? std::span<const GameFile>(kServerOrder) : std::span<const GameFile>(kClientOrder);
    const CommandSpan* shown = nullptr;
    for (GameFile f : order) {
      const auto i = static_cast<std::size_t>(f);
      const CommandSpan* found = nullptr;
      for (const std::string& key : keysIn(o, f))
        if (const auto it = last[i].find(key); it != last[i].end())
          if (!found || it->second.begin > found->begin) found = &it->second;
      if (!found) continue;
      const auto keep = [&](bool other) {
        const std::string item = files[i]->substr(found->wordsFrom, found->wordsTo - found->wordsFrom);
        model.keptValues.push_back(
            {&o, item, fileName(f), found->line, other, model.checked(o), model.position(o), model.text(o)});
      };
      if (!shown) {
        shown = found;
        if (applyInForce(o, *found, model) != Shown::Exactly) keep(false);
      } else if (disagree(o, *found, *shown)) {
        keep(true);
      }
    }
  }
}

std::string keptValueLine(const KeptValue& k) {
  std::string line = k.item + "  (" + std::string(k.file) + ", line " + std::to_string(k.line);
  return line + (k.other ? ", differs)" : ")");
}

std::optional<Message> keptValuesMessage(const Model& model) {
  if (model.keptValues.empty()) return std::nullopt;
  std::string text =
      "These values in your files are kept as they are: the pages cannot show them, or (\"differs\") "
      "the page shows the value of the file the game reads for it. Save leaves each line alone until "
      "you change its control:\r\n";
  for (const KeptValue& k : model.keptValues) (text += "\r\n") += keptValueLine(k);
  return Message{"Values kept as they are", text, Buttons::Ok, Icon::Information};
}

void LoadMapcycle(const std::filesystem::path& file, Model& model, std::string& loadErrors) {
  const auto content = readFileBytes(file, &model.unreadable);
  if (!content) {
    if (!model.mapcycleReported) loadErrors += kMapcycleError;
    model.mapcycleReported = true;
    return;
  }
  eachItem(*content, [&](std::string_view item) {
    for (int i = 0; i < static_cast<int>(kMaps.size()); ++i)
      if (item == kMaps[i]) model.setToggle(Table::Map, i, true);
  });
}

void LoadMotd(const std::filesystem::path& file, Model& model, std::string& loadErrors) {
  auto content = readFileBytes(file, &model.unreadable);
  if (!content) {
    loadErrors += kMotdError;
    return;
  }
  // Save ends the message with one line end of its own; drop it so the file does not grow.
  if (content->ends_with("\r\n")) content->resize(content->size() - 2);
  else if (content->ends_with('\n')) content->pop_back();
  model.setText(option("txtmotd"), std::move(*content));
}

void LoadMapBriefing(const std::filesystem::path& file, Model& model) {
  model.mapInfo = readFileBytes(file).value_or(std::string());
}

}  // namespace quillet
