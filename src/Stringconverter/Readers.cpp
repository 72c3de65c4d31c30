#include "Stringconverter/Readers.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "Stringconverter/Filereader.h"
#include "Stringconverter/StoredPreferences.h"
#include "platform/Platform.h"
#include "settings/ValueForms.h"

namespace quillet {
namespace {

// An item split as the config readers see it: lower-cased words split at single blanks.
struct Words {
  std::string w1, w2, w3;
  explicit Words(std::string_view item) {
    const std::string lower = lowerAscii(item);
    w1 = GetField(lower, " ", 1, 1);
    w2 = GetField(lower, " ", 2, 2);
    w3 = GetField(lower, " ", 3, 3);
  }
};

// Word 1 of an item, lower-cased, without building the other words: most items of a big file
// name nothing a reader knows, and are passed over on this alone. Empty when the word is longer
// than any name (`buffer` holds the lowered word).
constexpr std::size_t kLongestName = 32;
std::string_view firstWordLower(std::string_view item, char (&buffer)[kLongestName]) {
  const std::size_t blank = item.find(' ');
  const std::string_view word = blank == std::string_view::npos ? item : item.substr(0, blank);
  if (word.size() > kLongestName) return {};
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    buffer[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return {buffer, word.size()};
}

// A text value: the item's own text after the name and its one blank, quote-stripped. A comma
// ends an unquoted item before it gets here, so a comma in the value comes from an item that
// stood wholly in double quotes ("name Smith, John"), and is kept as list input keeps it.
std::string textValue(std::string_view item) {
  const std::size_t blank = item.find(' ');
  if (blank == std::string_view::npos) return {};
  return stripQuotes(item.substr(blank + 1));
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
// "setinfo ah" and "setinfo \"ah\"" (the key bare or quoted) for every user-info toggle.
const Vocabulary& setinfoKeys() {
  static const Vocabulary v = [] {
    Vocabulary keys;
    static std::vector<std::string> spelled;
    spelled.reserve(16);
    for (const Option& o : catalogue()) {
      if (o.configRead != Read::Setinfo) continue;
      std::string_view key = o.cvar;
      if (key.starts_with("setinfo ")) key.remove_prefix(8);
      spelled.push_back("setinfo " + std::string(key));
      keys.emplace(spelled.back(), &o);
      spelled.push_back("setinfo \"" + std::string(key) + "\"");
      keys.emplace(spelled.back(), &o);
    }
    return keys;
  }();
  return v;
}

void apply(Read rule, const Option& o, const Words& w, std::string_view item, Model& model) {
  if (rule == Read::Text) model.setText(o, textValue(item));
  else applyReadValue(o, rule, stripQuotes(w.w2), model);
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
  if (w.w1 + " " + stripQuotes(w.w2) == "setinfo ghosts" && NumericValue(w.w3) == 1.0)
    for (const Option& o : catalogue())
      if (o.autoexecRead == Read::Ghosts) model.setChecked(o, true);
}

void LoadAutoexec(const std::filesystem::path& file, Model& model, std::string& loadErrors) {
  const auto content = readFileBytes(file, &model.unreadable);
  if (!content) {
    loadErrors += kAutoexecError;
    return;
  }
  eachItem(*content, [&](std::string_view item) { applyAutoexecItem(item, model); });
}

void LoadConfig(const std::optional<std::string>& content, Model& model, std::string& loadErrors) {
  if (!content) {
    loadErrors += kConfigError;
    return;
  }
  // The switches, then the variables with values, then the user-info lines: three passes, as a
  // later pass may turn on what an earlier one left. When no toggle is read by two rows (the
  // catalogue says so), the order between the passes changes nothing, and one scan applies
  // all three.
  static const bool oneScan = [] {
    std::set<std::pair<Table, int>> seen;
    for (const Option& o : catalogue()) {
      if (o.configRead != Read::None && o.isToggle() && !seen.emplace(o.table, o.index).second) return false;
    }
    return true;
  }();
  char buffer[kLongestName];
  const auto applySwitch = [&](std::string_view name) {
    if (auto it = configSwitchNames().find(name); it != configSwitchNames().end()) model.setChecked(*it->second, true);
  };
  const auto applyValue = [&](std::string_view name, std::string_view item) {
    const auto it = configValueNames().find(name);
    if (it == configValueNames().end()) return;
    const Words w(item);
    apply(it->second->configRead, *it->second, w, item, model);
  };
  const auto applySetinfo = [&](std::string_view name, std::string_view item) {
    if (name != "setinfo") return;
    const Words w(item);
    if (auto it = setinfoKeys().find(w.w1 + " " + w.w2); it != setinfoKeys().end())
      if (stripQuotes(w.w3) == "1") model.setChecked(*it->second, true);
  };
  if (oneScan) {
    eachItem(*content, [&](std::string_view item) {
      const std::string_view name = firstWordLower(item, buffer);
      applySwitch(name);
      applyValue(name, item);
      applySetinfo(name, item);
    });
    return;
  }
  eachItem(*content, [&](std::string_view item) { applySwitch(firstWordLower(item, buffer)); });
  eachItem(*content, [&](std::string_view item) { applyValue(firstWordLower(item, buffer), item); });
  eachItem(*content, [&](std::string_view item) { applySetinfo(firstWordLower(item, buffer), item); });
}

bool configOwnsName(std::string_view lowerWord) {
  static const std::vector<std::string> spelled = [] {
    std::vector<std::string> names;
    const auto firstWord = [](std::string_view line) { return lowerAscii(line.substr(0, line.find(' '))); };
    for (const Option* line : configLines()) {
      const Option& o = *line;
      if (o.form == Form::Lines) {
        for (std::string_view line : {o.on, o.off})
          if (!line.empty()) names.push_back(firstWord(line));
      } else {
        names.push_back(firstWord(o.cvar));
      }
    }
    for (std::string_view extra : kConfigAlsoDropped) names.emplace_back(extra);
    return names;
  }();
  static const std::unordered_set<std::string_view> owned(spelled.begin(), spelled.end());
  return owned.contains(lowerWord);
}

// Word 1 of a whole line as the kept-lines rule sees it: after the blanks and tabs that lead
// the line, up to the first blank.
bool keptLine(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
  char buffer[kLongestName];
  const std::string_view rest = line.substr(start);
  const std::string_view word = firstWordLower(rest, buffer);
  // A word too long for the buffer is longer than every owned name.
  if (word.empty() && !rest.empty() && rest.front() != ' ') return true;
  return !configOwnsName(word);
}

void CollectConfigLines(const std::optional<std::string>& content, Model& model) {
  if (!content) return;
  // Room for the most the kept lines can take (every line, each end as CR LF) is asked for at
  // once, so the text is never copied while it grows; the memory is only taken up where lines
  // are written into it.
  const std::string_view bytes = *content;
  model.configKeptLines.reserve(model.configKeptLines.size() + bytes.size() + 2 +
                                static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n') +
                                                         std::count(bytes.begin(), bytes.end(), '\r')));
  for (LineReader reader(bytes); !reader.atEnd();) {
    const std::string_view line = reader.next();
    if (model.keepOwnLines) {
      // Only the lines that Save writes itself give way.
      if (writesKey(GameFile::Config, lineKey(line))) continue;
    } else if (!keptLine(line)) {
      continue;
    }
    model.configKeptLines.append(line);
    model.configKeptLines += "\r\n";
  }
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

// Applies a value in force to its option; false when the control cannot show it.
bool applyInForce(const Option& o, const Words& w, std::string_view item, Model& model) {
  const bool setinfo = o.cvar.starts_with("setinfo ");
  const std::string value = stripQuotes(setinfo ? w.w3 : w.w2);
  switch (o.form) {
    case Form::Flag: model.setChecked(o, NumericValue(value) == 1.0); return true;
    case Form::Lines: {
      // A switch ("+mlook" / "-mlook", "drawradar" / "hideradar") by its name; a line with a
      // value ("gl_texturemode ...", "gl_polyoffset 20") by the value as well.
      for (const bool on : {true, false}) {
        const std::string line = lowerAscii(on ? o.on : o.off);
        if (line.empty() || lineKey(line) != w.w1) continue;
        const std::string_view want = secondWord(line);
        if (want.empty() || value == want || (wholeNumber(want) && numberIs(value, *wholeNumber(want)))) {
          model.setChecked(o, on);
          return true;
        }
      }
      return false;
    }
    case Form::N:
    case Form::D:
    case Form::Negated: {
      const auto v = wholeNumber(value);
      if (!v) return false;
      const Read rule = o.autoexecRead == Read::SliderCeiling ? Read::SliderCeiling : Read::Slider;
      const auto position = sliderPositionFor(o, *v, rule);
      return position && model.setPosition(o, *position);
    }
    case Form::Smoke: return wholeNumber(value) && applyReadValue(o, Read::Smoke, value, model);
    case Form::Netgraph: return wholeNumber(value) && applyReadValue(o, Read::Netgraph, value, model);
    case Form::Text: model.setText(o, textValue(item)); return true;
    case Form::Colour:  // the text colour comes from the store, as in the default mode
    case Form::None: return true;
  }
  return true;
}

}  // namespace

void LoadValuesInForce(std::string_view file, std::string_view bytes, Model& model) {
  // One command per line, as the game runs them: the line's first item names it (for the game a
  // comma starts no new command), so a line kept verbatim reads back as it read the first time.
  for (LineReader lines(bytes); !lines.atEnd();) {
    const std::string_view line = lines.next();
    ListReader reader(line);
    if (reader.atEnd()) continue;
    std::string item(reader.next());
    const Words w(item);
    const std::string key = w.w1 == "setinfo" ? w.w1 + " " + stripQuotes(w.w2) : w.w1;
    const Option* o = writerOfKey(key);
    if (!o || o->form == Form::Colour) continue;
    // A text runs to the line's end: a comma in it ("name \"Smith, John\"") does not end it,
    // so that what Save writes reads back the same.
    if (o->form == Form::Text && !reader.quoted()) {
      std::string_view whole = line;
      while (!whole.empty() && (whole.front() == ' ' || whole.front() == '\t')) whole.remove_prefix(1);
      while (!whole.empty() && (whole.back() == ' ' || whole.back() == '\t')) whole.remove_suffix(1);
      item = whole;
    }
    auto& kept = model.keptValues;
    std::erase_if(kept, [o](const KeptValue& k) { return k.option == o; });
    if (applyInForce(*o, w, item, model)) continue;
    kept.push_back(
        {o, reader.quoted() ? "\"" + item + "\"" : item, file, model.checked(*o), model.position(*o), model.text(*o)});
  }
}

std::optional<Message> keptValuesMessage(const Model& model) {
  if (model.keptValues.empty()) return std::nullopt;
  std::string text =
      "These values in your files cannot be shown on the pages. Save writes each back as it is "
      "until you change its control:\r\n";
  for (const KeptValue& k : model.keptValues) ((((text += "\r\n") += k.item) += "  (") += k.file) += ")";
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
