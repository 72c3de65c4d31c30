#include "cli/Cli.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>

#include "Checkpath/Checkpath.h"
#include "Stringconverter/Codepage.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/Readers.h"
#include "frmmain/MoreFunctions.h"
#include "platform/Platform.h"
#include "qt/store/QtStore.h"
#include "save/Save.h"
#include "settings/ValueForms.h"

#ifndef QUILLET_VERSION
#define QUILLET_VERSION "unknown"
#endif

namespace quillet {
namespace {

constexpr std::string_view kProgram = "quillet-cli";

constexpr std::string_view kUsage =
    "Usage:\n"
    "  quillet-cli save GAMEDIR [--store FILE] [--defaults] [--set NAME=VALUE]...\n"
    "  quillet-cli show GAMEDIR [--store FILE] [--json]\n"
    "  quillet-cli --help | --version\n"
    "\n"
    "GAMEDIR is the game's mod folder, the one that holds cl_dlls (for example\n"
    "c:\\games\\half-life\\cstrike). Both commands first read its autoexec.cfg, config.cfg,\n"
    "mapcycle.txt and motd.txt, and the launch options and text colour kept in the store.\n"
    "\n"
    "save   writes mapcycle.txt, motd.txt, config.cfg, autoexec.cfg, server.cfg and\n"
    "       listenserver.cfg into GAMEDIR, and the launch options and text colour into the\n"
    "       store. Nothing is written when any --set is refused.\n"
    "  --defaults        put the factory values in first\n"
    "  --set NAME=VALUE  change one option (repeatable, applied in order). NAME is a control\n"
    "                    name such as scrollgamma, img_server(4), txtname, cmbnetgraphpos,\n"
    "                    img_map(13), img_launch(2); VALUE is a slider position (a whole\n"
    "                    number in the slider's range), 1 or 0 for an on/off option, or the\n"
    "                    text (quote it when it holds blanks: --set \"txtname=Red Fox\").\n"
    "                    NAME may also be a console variable with its value as the game's\n"
    "                    files carry it: gamma=2.5, mp_friendlyfire=0, \"hostname=My server\".\n"
    "show   prints every option: control name, console variables, value, page and caption,\n"
    "       one tab-separated line each (CR, LF, tab and backslash as \\r \\n \\t \\\\).\n"
    "  --json            print one JSON object keyed by control name instead\n"
    "\n"
    "  --store FILE      keep the stored preferences in the INI file FILE (created when\n"
    "                    missing) instead of the user's own store; the environment variable\n"
    "                    QUILLET_STORE names such a file too. The user's own store is\n"
    "                    quillet/quillet.ini in the configuration folder (~/.config), or\n"
    "                    the registry on Windows. The game folder kept there is never changed.\n"
    "\n"
    "Exit status: 0 done, 1 the files could not be saved, 2 bad command line or input.\n";

// ---------------------------------------------------------------- small text helpers

std::string describe(const Option& o) {
  std::string d(o.control);
  if (!o.caption.empty()) d += " (" + std::string(o.caption) + ")";
  return d;
}

bool isWholeNumber(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  if (i == s.size()) return false;
  return std::all_of(s.begin() + static_cast<std::ptrdiff_t>(i), s.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; });
}

// A number as the game's files write one: sign, digits, a fraction, an exponent, or &H / &O
// notation, with blanks around it. Texts such as "2.5abc" or "yes" are refused even though the
// game would read them (as 2.5 and 0): on the command line they are more likely typing errors.
bool isNumberText(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  if (s.empty()) return false;
  auto digitsWhile = [&](std::size_t& i, auto pred) {
    const std::size_t start = i;
    while (i < s.size() && pred(static_cast<unsigned char>(s[i]))) ++i;
    return i > start;
  };
  std::size_t i = 0;
  if (s.size() > 2 && s[0] == '&' && (s[1] == 'h' || s[1] == 'H')) {
    i = 2;
    return digitsWhile(i, [](unsigned char c) { return std::isxdigit(c) != 0; }) && i == s.size();
  }
  if (s.size() > 2 && s[0] == '&' && (s[1] == 'o' || s[1] == 'O')) {
    i = 2;
    return digitsWhile(i, [](unsigned char c) { return c >= '0' && c <= '7'; }) && i == s.size();
  }
  auto digit = [](unsigned char c) { return std::isdigit(c) != 0; };
  if (s[i] == '+' || s[i] == '-') ++i;
  bool any = digitsWhile(i, digit);
  if (i < s.size() && s[i] == '.') {
    ++i;
    any = digitsWhile(i, digit) || any;
  }
  if (!any) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (!digitsWhile(i, digit)) return false;
  }
  return i == s.size();
}

std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

// ---------------------------------------------------------------- names

// Which options a console name stands for, and whether its line carries a value.
struct VariableUse {
  std::vector<const Option*> options;
  bool takesValue = true;  // false for lines such as "+mlook" or "drawradar"
};

const std::map<std::string, VariableUse>& variableIndex() {
  static const auto index = [] {
    std::map<std::string, VariableUse> m;
    auto add = [&](std::string_view name, const Option& o, bool takesValue) {
      if (name.empty()) return;
      VariableUse& use = m[lowerAscii(name)];
      if (std::find(use.options.begin(), use.options.end(), &o) == use.options.end()) use.options.push_back(&o);
      use.takesValue = use.takesValue && takesValue;
    };
    for (const Option& o : catalogue()) {
      if (o.form == Form::Lines && !o.cvar.empty()) {
        // The line is the whole command when the toggle is read by its name alone.
        const bool valued = o.autoexecRead != Read::Name;
        add(o.cvar, o, valued);
        for (std::string_view line : {o.on, o.off}) {
          const std::string_view word = line.substr(0, line.find(' '));
          if (word != o.cvar) add(word, o, false);
        }
      } else {
        add(o.cvar, o, true);
        add(o.autoexecAlias, o, true);
      }
    }
    return m;
  }();
  return index;
}

const Option* findControl(std::string_view name) {
  if (const Option* o = findOption(name)) return o;
  for (const Option& o : catalogue())
    if (equalsNoCase(o.control, name)) return &o;
  return nullptr;
}

std::string suggestions(std::string_view name) {
  const std::string lower = lowerAscii(name);
  std::vector<std::pair<std::size_t, std::string>> near;
  std::set<std::string> seen;
  auto consider = [&](std::string_view candidate) {
    const std::string c(candidate);
    if (!seen.insert(c).second) return;
    const std::size_t d = editDistance(lower, lowerAscii(c));
    if (d <= 2) near.emplace_back(d, c);
  };
  for (const Option& o : catalogue()) consider(o.control);
  for (const auto& [variable, use] : variableIndex()) consider(variable);
  std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  if (near.empty()) return {};
  std::string out = "; did you mean ";
  for (std::size_t i = 0; i < near.size() && i < 3; ++i) {
    if (i > 0) out += " or ";
    out += near[i].second;
  }
  return out + "?";
}

std::string unknownName(std::string_view name) {
  // A control array named without an index.
  for (int t = 0; t < kTableCount; ++t) {
    const TableInfo& info = tableInfo(static_cast<Table>(t));
    if (equalsNoCase(info.array, name) || equalsNoCase(info.name, name)) {
      std::string example;
      for (const Option& o : catalogue())
        if (o.isToggle() && o.table == static_cast<Table>(t) && o.kind == Kind::Toggle) {
          example = "--set " + std::string(o.control) + "=1 (" + std::string(o.caption) + ")";
          break;
        }
      return std::string(name) + " is a row of on/off options; name one of them by its index, for example " +
             example + ". 'quillet-cli show GAMEDIR' lists them all";
    }
  }
  return "no option is named '" + std::string(name) + "'" + suggestions(name) +
         " ('quillet-cli show GAMEDIR' lists every control name and console variable)";
}

// ---------------------------------------------------------------- values

std::string sliderRangeAsVariable(const Option& o) {
  auto value = [&](int position) {
    switch (o.form) {
      case Form::D: return formD(position);
      case Form::Negated: return formN(-position);
      default: return formN(position);
    }
  };
  const std::string a = value(o.min), b = value(o.max);
  return o.form == Form::Negated ? b + " to " + a : a + " to " + b;
}

SetParse refuse(std::string error) { return SetParse{std::nullopt, std::move(error)}; }

SetParse accept(Assignment a) { return SetParse{std::move(a), {}}; }

// A text from the command line (UTF-8) as the model holds it (Windows-1252), checked against
// the field's limits.
SetParse textValue(const Option& o, std::string_view utf8) {
  const std::string bytes = utf8ToCp1252(utf8);
  if (cp1252ToUtf8(bytes) != utf8)
    return refuse(describe(o) + ": the text is not UTF-8, or holds a character that the game's files "
                  "cannot store (they use the Western European code page Windows-1252)");
  if (!o.multiLine && bytes.find_first_of("\r\n") != std::string::npos)
    return refuse(describe(o) + " is a single-line field; the text cannot hold a line break");
  if (o.maxLength > 0 && bytes.size() > static_cast<std::size_t>(o.maxLength))
    return refuse(describe(o) + " holds at most " + std::to_string(o.maxLength) + " characters; the text has " +
                  std::to_string(bytes.size()));
  Assignment a;
  a.option = &o;
  a.text = bytes;
  return accept(std::move(a));
}

// VALUE for a control named by its control name.
SetParse controlValue(const Option& o, std::string_view value) {
  Assignment a;
  a.option = &o;
  switch (o.kind) {
    case Kind::Toggle:
    case Kind::Hidden:
      if (value != "0" && value != "1")
        return refuse(describe(o) + " is an on/off option: give 1 (on) or 0 (off), not '" + std::string(value) + "'");
      a.checked = value == "1";
      return accept(std::move(a));
    case Kind::Slider: {
      const std::string range = std::to_string(o.min) + " to " + std::to_string(o.max);
      if (!isWholeNumber(value))
        return refuse(describe(o) + " is a slider: give a whole number from " + range + ", not '" +
                      std::string(value) + "'" +
                      (o.form != Form::N && o.form != Form::D && o.form != Form::Negated
                           ? std::string()
                           : " (or set " + std::string(o.cvar) + " to " + sliderRangeAsVariable(o) + ")"));
      const std::string digits(value);
      errno = 0;
      const long p = std::strtol(digits.c_str(), nullptr, 10);
      if (errno != 0 || p < o.min || p > o.max)
        return refuse(describe(o) + " takes a position from " + range + "; " + std::string(value) +
                      " is out of range");
      a.position = static_cast<int>(p);
      return accept(std::move(a));
    }
    case Kind::Choice:
      if (o.form == Form::Netgraph) {
        for (int n = 1; n <= 3; ++n)
          if (equalsNoCase(value, netgraphItem(n)) || value == std::to_string(n)) {
            a.text = std::string(netgraphItem(n));
            return accept(std::move(a));
          }
        return refuse(describe(o) + " takes \"Bottom right\", \"Center\" or \"Left\" (or 1, 2, 3), not '" +
                      std::string(value) + "'");
      }
      return textValue(o, value);
    case Kind::Text: return textValue(o, value);
  }
  return refuse("cannot set " + describe(o));
}

// VALUE for an option named by its console variable, read as the game's file would carry it.
SetParse variableValue(const Option& o, std::string_view variable, std::string_view raw) {
  const std::string value = stripQuotes(raw);
  const std::string name(variable);
  Assignment a;
  a.option = &o;
  auto needNumber = [&](std::string_view what) {
    return refuse(name + " sets " + describe(o) + " and takes " + std::string(what) + ", not '" + std::string(raw) +
                  "'");
  };

  if (o.isToggle()) {
    if (o.autoexecRead == Read::LinearMipmap) {
      a.checked = lowerAscii(value) == "gl_linear_mipmap_linear";
      return accept(std::move(a));
    }
    const int on = o.autoexecRead == Read::Equals20 ? 20 : 1;
    if (!isNumberText(value))
      return needNumber(on == 20 ? "a number (20 on, 0 off)" : "a number (1 on, 0 off)");
    const auto v = NumericValue(value);
    a.checked = v && *v == on;
    return accept(std::move(a));
  }

  switch (o.form) {
    case Form::N:
    case Form::D:
    case Form::Negated: {
      const std::string range = sliderRangeAsVariable(o);
      if (!isNumberText(value)) return needNumber("a number from " + range);
      const auto v = NumericValue(value);
      const std::optional<int> p = v ? sliderPositionFor(o, *v, o.autoexecRead) : std::nullopt;
      if (!p || *p < o.min || *p > o.max)
        return refuse(name + " sets " + describe(o) + " and takes " + range + "; " + std::string(raw) +
                      " is out of range");
      a.position = *p;
      return accept(std::move(a));
    }
    case Form::Smoke: {
      if (!isNumberText(value)) return needNumber("0, 1 or 2");
      const auto v = NumericValue(value);
      if (!v || (*v != 0 && *v != 1 && *v != 2)) return needNumber("0, 1 or 2");
      a.position = 2 - static_cast<int>(*v);
      return accept(std::move(a));
    }
    case Form::Netgraph: {
      const auto v = isNumberText(value) ? NumericValue(value) : std::nullopt;
      if (!v || (*v != 1 && *v != 2 && *v != 3))
        return needNumber("1 (bottom right), 2 (center) or 3 (left)");
      a.text = std::string(netgraphItem(static_cast<int>(*v)));
      return accept(std::move(a));
    }
    case Form::Text: {
      SetParse r = textValue(o, value);
      if (!r.assignment) r.error = name + ": " + r.error;
      return r;
    }
    default: break;
  }
  return refuse(name + " cannot be set directly; use --set " + std::string(o.control) + "=VALUE");
}

// ---------------------------------------------------------------- output helpers

void printLines(std::ostream& err, std::string_view prefix, std::string_view text, bool dropBullet) {
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (dropBullet && line.starts_with("- ")) line.remove_prefix(2);
    if (!line.empty()) err << kProgram << ": " << prefix << line << '\n';
    if (end == text.size()) break;
    pos = end + 1;
  }
}

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += separator;
    out += items[i];
  }
  return out;
}

// ---------------------------------------------------------------- the store

// Keeps everything away from the stored game folder: the command line is given its folder on
// each run and must not change the one the window starts with.
class NoGameFolderStore : public Store {
 public:
  explicit NoGameFolderStore(Store& inner) : inner_(inner) {}
  std::string read(std::string_view app, std::string_view section, std::string_view key) override {
    return inner_.read(app, section, key);
  }
  void save(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override {
    if (equalsNoCase(section, "init") && equalsNoCase(key, "cspath")) return;
    inner_.save(app, section, key, value);
  }
  std::optional<std::string> commit() override { return inner_.commit(); }

 private:
  Store& inner_;
};

// ---------------------------------------------------------------- the command line

struct Command {
  std::string name;  // "save" or "show"
  std::string gameDir;
  bool haveGameDir = false;
  std::optional<std::string> store;
  bool defaults = false;
  bool json = false;
  std::vector<std::string> sets;
};

int usageError(std::ostream& err, std::string_view text) {
  err << kProgram << ": " << text << '\n' << "Try 'quillet-cli --help' for more information.\n";
  return kExitUsage;
}

// Parses the words after the command's name; returns an error text or nothing.
std::optional<std::string> parseCommand(const std::vector<std::string>& args, Command& c) {
  bool optionsEnded = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto valueOf = [&](std::string_view option, std::string& value) -> std::optional<std::string> {
      const std::string withEquals = std::string(option) + "=";
      if (a.starts_with(withEquals)) {
        value = a.substr(withEquals.size());
        return std::nullopt;
      }
      if (i + 1 >= args.size()) return std::string(option) + " needs a value";
      value = args[++i];
      return std::nullopt;
    };
    if (!optionsEnded && a == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (a == "--store" || a.starts_with("--store="))) {
      if (c.store) return std::string("--store is given twice");
      std::string v;
      if (auto e = valueOf("--store", v)) return *e + " (the INI file that keeps the stored preferences)";
      if (v.empty()) return std::string("--store needs a file name");
      c.store = v;
    } else if (!optionsEnded && (a == "--set" || a.starts_with("--set="))) {
      if (c.name != "save") return "--set belongs to 'save'; 'show' only reads";
      std::string v;
      if (auto e = valueOf("--set", v)) return *e + " of the form NAME=VALUE";
      c.sets.push_back(v);
    } else if (!optionsEnded && a == "--defaults") {
      if (c.name != "save") return std::string("--defaults belongs to 'save'");
      c.defaults = true;
    } else if (!optionsEnded && a == "--json") {
      if (c.name != "show") return std::string("--json belongs to 'show'");
      c.json = true;
    } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
      return "unknown option '" + a + "'";
    } else if (!c.haveGameDir) {
      c.gameDir = a;
      c.haveGameDir = true;
    } else {
      return "one GAMEDIR only; '" + a + "' is one too many (quote a folder name that holds blanks)";
    }
  }
  if (!c.haveGameDir) return "'" + c.name + "' needs GAMEDIR, the game's mod folder (the one that holds cl_dlls)";
  if (c.gameDir.empty()) return std::string("GAMEDIR is empty");
  return std::nullopt;
}

// Explains a folder that failed the check.
std::string folderProblem(const std::string& dir) {
  std::error_code ec;
  const std::filesystem::path p(dir);
  if (!std::filesystem::exists(p, ec)) return "'" + dir + "' does not exist";
  if (!std::filesystem::is_directory(p, ec)) return "'" + dir + "' is not a folder";
  return "'" + dir + "' holds no cl_dlls, so it is not the game's mod folder; give the folder that holds "
         "cl_dlls, autoexec.cfg and config.cfg";
}

void printShowPlain(const Model& model, std::ostream& out) {
  for (const Option& o : catalogue()) {
    std::string value;
    if (o.isToggle()) value = model.checked(o) ? "on" : "off";
    else if (o.kind == Kind::Slider) value = std::to_string(model.position(o));
    else value = escapeField(cp1252ToUtf8(model.text(o)));
    out << o.control << '\t' << escapeField(joined(optionVariables(o), ",")) << '\t' << value << '\t'
        << escapeField(pageInfo(o.page).caption) << '\t' << escapeField(o.caption) << '\n';
  }
}

void printShowJson(const Model& model, std::ostream& out) {
  out << "{\n";
  bool first = true;
  for (const Option& o : catalogue()) {
    if (!first) out << ",\n";
    first = false;
    out << "  " << jsonString(o.control) << ": {\"variables\": [";
    const auto vars = optionVariables(o);
    for (std::size_t i = 0; i < vars.size(); ++i) out << (i ? ", " : "") << jsonString(vars[i]);
    out << "], \"value\": ";
    if (o.isToggle()) out << (model.checked(o) ? "true" : "false");
    else if (o.kind == Kind::Slider) out << model.position(o);
    else out << jsonString(cp1252ToUtf8(model.text(o)));
    out << ", \"page\": " << jsonString(pageInfo(o.page).caption) << ", \"caption\": " << jsonString(o.caption)
        << "}";
  }
  out << "\n}\n";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--") break;
    if (a == "--set" || a == "--store") ++i;  // their value is not an option
    else if (a == "--help" || a == "-h") {
      out << kUsage;
      return kExitOk;
    }
  }
  if (args.empty()) return usageError(err, "no command given; the commands are 'save' and 'show'");
  if (args[0] == "--version" || args[0] == "-V") {
    if (args.size() > 1) return usageError(err, "--version takes nothing after it");
    out << kProgram << ' ' << QUILLET_VERSION << '\n';
    return kExitOk;
  }
  if (args[0] == "help") {
    out << kUsage;
    return kExitOk;
  }

  Command c;
  c.name = args[0];
  if (c.name != "save" && c.name != "show") {
    if (!c.name.empty() && c.name[0] == '-') return usageError(err, "unknown option '" + c.name + "'; give a command first (save or show)");
    return usageError(err, "unknown command '" + c.name + "'; the commands are 'save' and 'show'");
  }
  if (auto e = parseCommand(args, c)) return usageError(err, *e);

  // Every --set is checked before anything is read or written.
  std::vector<Assignment> assignments;
  bool refused = false;
  for (const std::string& s : c.sets) {
    SetParse p = parseSet(s);
    if (p.assignment) {
      assignments.push_back(std::move(*p.assignment));
    } else {
      err << kProgram << ": --set " << s << ": " << p.error << '\n';
      refused = true;
    }
  }
  if (refused) {
    err << kProgram << ": nothing was written\n";
    return kExitUsage;
  }

  if (!hasClDlls(c.gameDir)) {
    err << kProgram << ": " << kInvalidPathText << '\n';
    err << kProgram << ": " << folderProblem(c.gameDir) << '\n';
    return kExitUsage;
  }

  std::unique_ptr<QtStore> qtStore = c.store ? std::make_unique<QtStore>(*c.store) : std::make_unique<QtStore>();
  if (!qtStore->error().empty()) {
    if (c.name == "save") {
      err << kProgram << ": " << qtStore->error() << '\n' << kProgram << ": nothing was written\n";
      return kExitUsage;
    }
    err << kProgram << ": warning: " << qtStore->error() << '\n';
  }
  NoGameFolderStore store(*qtStore);

  Model model;
  const std::string loadErrors = runLoadSequence(model, c.gameDir, store);
  printLines(err, "warning: ", loadErrors, true);
  for (const std::string& problem : model.unreadable) printLines(err, "warning: ", problem, false);

  if (c.name == "show") {
    if (c.json) printShowJson(model, out);
    else printShowPlain(model, out);
    return kExitOk;
  }

  if (c.defaults) LoadDefaults(model);
  for (const Assignment& a : assignments) applyAssignment(a, model);

  if (const auto failure = saveFiles(model, c.gameDir, store)) {
    printLines(err, "", saveErrorMessage(c.gameDir).text, false);
    printLines(err, "", failure->detail, false);
    return kExitSaveFailed;
  }
  if (!qtStore->error().empty()) {
    err << kProgram << ": the game's files were written, but the launch options and text colour "
        << "could not be stored: " << qtStore->error() << '\n';
    return kExitSaveFailed;
  }
  out << "Saved mapcycle.txt, motd.txt, config.cfg, autoexec.cfg, server.cfg and listenserver.cfg in "
      << c.gameDir << '\n';
  return kExitOk;
}

}  // namespace

// ---------------------------------------------------------------- public

std::vector<std::string> optionVariables(const Option& o) {
  std::vector<std::string> vars;
  auto add = [&](std::string_view v) {
    if (!v.empty() && std::find(vars.begin(), vars.end(), v) == vars.end()) vars.emplace_back(v);
  };
  add(o.cvar);
  add(o.autoexecAlias);
  // The lines of the launch page's toggles are switches of the game's shortcut, not console
  // commands; those toggles have no console variable.
  if (o.form == Form::Lines && !o.cvar.empty())
    for (std::string_view line : {o.on, o.off}) add(line.substr(0, line.find(' ')));
  return vars;
}

SetParse parseSet(std::string_view s) {
  const std::size_t eq = s.find('=');
  if (eq == std::string_view::npos)
    return refuse("expected NAME=VALUE (for example scrollgamma=25 or gamma=2.5)");
  const std::string_view name = s.substr(0, eq);
  const std::string_view value = s.substr(eq + 1);
  if (name.empty()) return refuse("the name before '=' is missing (for example scrollgamma=25)");

  if (const Option* o = findControl(name)) return controlValue(*o, value);

  const auto& index = variableIndex();
  const auto it = index.find(lowerAscii(name));
  if (it == index.end()) return refuse(unknownName(name));
  const VariableUse& use = it->second;
  if (use.options.size() > 1) {
    std::vector<std::string> controls;
    for (const Option* o : use.options) controls.push_back(std::string(o->control));
    return refuse(std::string(name) + " is written from several controls; set them one by one: " +
                  joined(controls, ", ") + " (for example --set " + controls.front() + "=255)");
  }
  const Option& o = *use.options.front();
  if (!use.takesValue)
    return refuse("'" + std::string(name) + "' is a command without a value, written by " + describe(o) +
                  "; use --set " + std::string(o.control) + "=1 (" + std::string(o.on) + ") or " +
                  std::string(o.control) + "=0 (" + (o.off.empty() ? std::string("nothing") : std::string(o.off)) +
                  ")");
  return variableValue(o, name, value);
}

void applyAssignment(const Assignment& a, Model& model) {
  const Option& o = *a.option;
  if (o.isToggle()) model.setChecked(o, a.checked);
  else if (o.kind == Kind::Slider) model.setPosition(o, a.position);
  else model.setText(o, a.text);
}

std::string jsonString(std::string_view s) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

std::string escapeField(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    return run(args, out, err);
  } catch (const std::exception& e) {
    err << kProgram << ": unexpected failure: " << e.what() << '\n';
  } catch (...) {
    err << kProgram << ": unexpected failure\n";
  }
  return kExitSaveFailed;
}

}  // namespace quillet
