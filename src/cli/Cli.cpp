#include "cli/Cli.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <CLI/CLI.hpp>

#include "Checkpath/Checkpath.h"
#include "Stringconverter/Codepage.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/Keys.h"
#include "Stringconverter/Readers.h"
#include "frmmain/MoreFunctions.h"
#include "platform/Platform.h"
#include "store/QtStore.h"
#include "save/Backups.h"
#include "save/KeyLines.h"
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
    "  quillet-cli save GAMEDIR [--store FILE] [--keep-own-lines | --replace] [--defaults]\n"
    "                           [--set NAME=VALUE]... [--no-backup] [--dry-run]\n"
    "  quillet-cli show GAMEDIR [--store FILE] [--keep-own-lines | --replace] [--json]\n"
    "  quillet-cli keys GAMEDIR [--json]\n"
    "  quillet-cli bind GAMEDIR KEY COMMAND [--store FILE] [--keep-own-lines | --replace]\n"
    "                           [--no-backup] [--dry-run]\n"
    "  quillet-cli unbind GAMEDIR KEY [same options as bind]\n"
    "  quillet-cli alias GAMEDIR NAME COMMANDS [same options as bind]\n"
    "  quillet-cli backups GAMEDIR\n"
    "  quillet-cli restore GAMEDIR [NAME]\n"
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
    "                    A text takes no double quote or control character and at most 127\n"
    "                    characters; launch fields take a number, an IP address or a map.\n"
    "  --no-backup       do not copy the files it replaces into GAMEDIR/quillet-backups\n"
    "  --dry-run         print what save would change, as a unified diff per file, and write\n"
    "                    nothing (not even the store); exit status 1 when save would fail\n"
    "show   prints every option: control name, console variables, value, page and caption,\n"
    "       one tab-separated line each (CR, LF, tab and backslash as \\r \\n \\t \\\\).\n"
    "  --json            print one JSON object keyed by control name instead\n"
    "keys   prints every key binding and alias the game runs at its start, in the order it\n"
    "       runs them (config.cfg, then autoexec.cfg, each followed into the files it execs\n"
    "       inside GAMEDIR), one tab-separated line each: bind, key, command, file:line and\n"
    "       state (in force, or overridden or unbound and where); alias, name, commands,\n"
    "       file:line and state (in force and used or unused, or replaced); note, and what\n"
    "       was not followed or does nothing.\n"
    "  --json            print one JSON object with bindings, aliases and notes instead\n"
    "bind   binds KEY (a key name such as w, MOUSE1, SPACE, F1; any case) to COMMAND and\n"
    "       saves as save does. The binding in force is changed on its own line where Save\n"
    "       writes that file with your lines (config.cfg; autoexec.cfg too with\n"
    "       --keep-own-lines); otherwise a new line goes into config.cfg. Refused, with\n"
    "       nothing written: a key the game does not know, a \" in COMMAND, a line break,\n"
    "       a command over 514 bytes, and a change the game would not end with.\n"
    "unbind takes KEY's binding away: its line goes, or an unbind line is written where\n"
    "       the key is bound by a file Quillet does not rewrite.\n"
    "alias  defines the alias NAME (or changes it where it is defined) as COMMANDS.\n"
    "backups  lists the backups in GAMEDIR/quillet-backups, newest first: name, time, origin\n"
    "       (Save or restore) and files. Before save replaces a file whose bytes change, it\n"
    "       copies the old one into a folder named by the time (YYYY-MM-DD_HHMMSS); a\n"
    "       restore's own folder ends in -restore. The 20 newest folders are kept.\n"
    "restore  brings GAMEDIR back to the moment before the save of backup NAME (the newest\n"
    "       made by a save when no NAME is given): each file from the earliest backup from\n"
    "       then on that holds it. Every file is checked first; the files it replaces are\n"
    "       backed up, so naming the restore's own backup undoes it.\n"
    "\n"
    "  --keep-own-lines  for this run, keep your own lines: read the values in force from\n"
    "                    autoexec.cfg, config.cfg, server.cfg and listenserver.cfg, and let\n"
    "                    save edit the files in place: only the lines of what --set and\n"
    "                    --defaults change are rewritten (\"Nothing to save\" when none)\n"
    "  --replace         for this run, write the files whole (the default)\n"
    "                    Without either, the choice stored by the window's Settings menu holds.\n"
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
  s = trim(s);
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
      return std::string(name) + " is a row of on/off options; name one of them by its index, for example " + example +
             ". 'quillet-cli show GAMEDIR' lists them all";
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
    return refuse(describe(o) +
                  ": the text is not UTF-8, or holds a character that the game's files "
                  "cannot store (they use the Western European code page Windows-1252)");
  if (!o.multiLine && bytes.find_first_of("\r\n") != std::string::npos)
    return refuse(describe(o) + " is a single-line field; the text cannot hold a line break");
  if (o.maxLength > 0 && bytes.size() > static_cast<std::size_t>(o.maxLength))
    return refuse(describe(o) + " holds at most " + std::to_string(o.maxLength) + " characters; the text has " +
                  std::to_string(bytes.size()));
  if (const std::string why = fieldProblem(o, bytes); !why.empty()) return refuse(describe(o) + ": " + why);
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
        return refuse(describe(o) + " is a slider: give a whole number from " + range + ", not '" + std::string(value) +
                      "'" +
                      (o.form != Form::N && o.form != Form::D && o.form != Form::Negated
                           ? std::string()
                           : " (or set " + std::string(o.cvar) + " to " + sliderRangeAsVariable(o) + ")"));
      const std::optional<long> p = parseNumber<long>(value.starts_with('+') ? value.substr(1) : value);
      if (!p || *p < o.min || *p > o.max)
        return refuse(describe(o) + " takes a position from " + range + "; " + std::string(value) + " is out of range");
      a.position = static_cast<int>(*p);
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

  // The reader's own conversion, on a model of its own: what the autoexec.cfg reader would
  // make of the value. Options that no reader takes a value for read as on/off numbers.
  Model read;
  auto readAs = [&](Read rule) { return applyReadValue(o, rule, lowerAscii(value), read); };

  if (o.isToggle()) {
    Read rule = o.autoexecRead;
    if (rule != Read::On && rule != Read::Equals20 && rule != Read::LinearMipmap) rule = Read::OnOff;
    if (rule != Read::LinearMipmap && !isNumberText(value))
      return needNumber(rule == Read::Equals20 ? "a number (20 on, 0 off)" : "a number (1 on, 0 off)");
    read.setChecked(o, false);
    readAs(rule);
    a.checked = read.checked(o);
    return accept(std::move(a));
  }

  switch (o.form) {
    case Form::N:
    case Form::D:
    case Form::Negated: {
      const std::string range = sliderRangeAsVariable(o);
      if (!isNumberText(value)) return needNumber("a number from " + range);
      const Read rule = o.autoexecRead == Read::SliderCeiling ? Read::SliderCeiling : Read::Slider;
      if (!readAs(rule))
        return refuse(name + " sets " + describe(o) + " and takes " + range + "; " + std::string(raw) +
                      " is out of range");
      a.position = read.position(o);
      return accept(std::move(a));
    }
    case Form::Smoke:
      if (!isNumberText(value) || !readAs(Read::Smoke)) return needNumber("0, 1 or 2");
      a.position = read.position(o);
      return accept(std::move(a));
    case Form::Netgraph:
      if (!isNumberText(value) || !readAs(Read::Netgraph))
        return needNumber("1 (bottom right), 2 (center) or 3 (left)");
      a.text = read.text(o);
      return accept(std::move(a));
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
    std::string_view line = trim(text.substr(pos, end - pos));
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

// What one command line asks for, filled in by the parser.
struct Command {
  std::string name;  // the subcommand: "save", "show" or "help"
  std::string gameDir;
  std::vector<std::string> stores;  // every --store given (one is allowed)
  bool defaults = false;
  bool json = false;
  bool version = false;
  bool keepOwnLines = false;
  bool replace = false;
  std::vector<std::string> sets;
  bool noBackup = false;
  bool dryRun = false;
  std::string backupName;  // restore's NAME
  std::string keyName;     // bind and unbind's KEY, alias's NAME
  std::string keyCommand;  // bind's COMMAND, alias's COMMANDS
};

int usageError(std::ostream& err, std::string_view text) {
  err << kProgram << ": " << text << '\n' << "Try 'quillet-cli --help' for more information.\n";
  return kExitUsage;
}

// The parser: one subcommand per command, each with its own options. A new option or command
// is one line here and one branch where the command runs; the help text says what it does.
// Words that fit nowhere are collected (allow_extras) and explained by commandLineProblem.
void defineCommandLine(CLI::App& app, Command& c) {
  app.set_help_flag("-h,--help");
  app.add_flag("-V,--version", c.version);
  app.allow_extras();
  // An option named twice, or with one value per use.
  auto repeatable = [](CLI::Option* o) {
    return o->expected(1)->allow_extra_args(false)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  };
  auto withGameDir = [&](CLI::App* sub) {
    sub->allow_extras();
    sub->add_option("GAMEDIR", c.gameDir);
    repeatable(sub->add_option("--store", c.stores));
    sub->add_flag("--keep-own-lines", c.keepOwnLines)->excludes(sub->add_flag("--replace", c.replace));
    sub->callback([&c, sub] { c.name = sub->get_name(); });
    return sub;
  };

  CLI::App* save = withGameDir(app.add_subcommand("save"));
  save->add_flag("--defaults", c.defaults);
  repeatable(save->add_option("--set", c.sets));
  save->add_flag("--no-backup", c.noBackup);
  save->add_flag("--dry-run", c.dryRun);

  CLI::App* show = withGameDir(app.add_subcommand("show"));
  show->add_flag("--json", c.json);

  for (const char* name : {"bind", "unbind", "alias"}) {
    CLI::App* sub = withGameDir(app.add_subcommand(name));
    sub->add_option(std::string_view(name) == "alias" ? "NAME" : "KEY", c.keyName);
    if (std::string_view(name) != "unbind")
      sub->add_option(std::string_view(name) == "alias" ? "COMMANDS" : "COMMAND", c.keyCommand);
    sub->add_flag("--no-backup", c.noBackup);
    sub->add_flag("--dry-run", c.dryRun);
  }

  CLI::App* keys = app.add_subcommand("keys");
  keys->allow_extras();
  keys->add_option("GAMEDIR", c.gameDir);
  keys->add_flag("--json", c.json);
  keys->callback([&c, keys] { c.name = keys->get_name(); });

  for (const char* name : {"backups", "restore"}) {
    CLI::App* sub = app.add_subcommand(name);
    sub->allow_extras();
    sub->add_option("GAMEDIR", c.gameDir);
    if (std::string_view(name) == "restore") sub->add_option("NAME", c.backupName);
    sub->callback([&c, sub] { c.name = sub->get_name(); });
  }

  CLI::App* help = app.add_subcommand("help");
  help->allow_extras();
  help->callback([&c] { c.name = "help"; });
}

// The option a word names ("--set" for "--set=x"), or empty when the word is not an option.
std::string optionName(const std::string& word) {
  if (word.size() < 2 || word[0] != '-') return {};
  return word.substr(0, word.find('='));
}

// The words a command did not place; the parser keeps the end-of-options mark "--" among them.
std::vector<std::string> unplaced(const CLI::App& app) {
  std::vector<std::string> words = app.remaining();
  std::erase(words, "--");
  return words;
}

// The commands as the parser knows them: "'save', 'show', ... and 'help'".
std::string commandList(const CLI::App& app) {
  const auto subs = app.get_subcommands([](const CLI::App*) { return true; });
  std::string out;
  for (std::size_t i = 0; i < subs.size(); ++i)
    out += (i == 0 ? "" : i + 1 == subs.size() ? " and " : ", ") + ("'" + subs[i]->get_name() + "'");
  return out;
}

// Explains words that the parser did not place, or returns nothing when there are none.
std::optional<std::string> commandLineProblem(const CLI::App& app, const Command& c) {
  if (const auto extra = unplaced(app); !extra.empty()) {
    const std::string& first = extra.front();
    if (c.version) return std::string("--version takes nothing after it");
    // Words after "--" that the command had no place for come back up to here.
    if (!c.name.empty())
      return "one GAMEDIR only; '" + first + "' is one too many (quote a folder name that holds blanks)";
    if (!optionName(first).empty())
      return "unknown option '" + first + "'; give a command first (" + commandList(app) + ")";
    return "unknown command '" + first + "'; the commands are " + commandList(app);
  }
  if (c.version) {
    if (!c.name.empty()) return std::string("--version takes nothing after it");
    return std::nullopt;
  }
  if (c.name.empty()) return "no command given; the commands are " + commandList(app);
  if (c.name == "help") return std::nullopt;

  const CLI::App* sub = app.get_subcommand(c.name);
  if (const auto extra = unplaced(*sub); !extra.empty()) {
    const std::string& first = extra.front();
    if (const std::string option = optionName(first); !option.empty()) {
      for (const CLI::App* other : app.get_subcommands({}))
        if (other != sub && other->get_option_no_throw(option))
          return option + " belongs to '" + other->get_name() + "'" + (c.name == "show" ? "; 'show' only reads" : "");
      return "unknown option '" + first + "'";
    }
    if (c.name == "bind" || c.name == "alias")
      return "'" + first + "' is one word too many: give the command as one argument, in quotes ('say hi; kill')";
    if (c.name == "unbind") return "'" + first + "' is one word too many: unbind takes one KEY";
    return "one GAMEDIR only; '" + first + "' is one too many (quote a folder name that holds blanks)";
  }
  if (c.stores.size() > 1) return std::string("--store is given twice");
  if (!c.stores.empty() && c.stores.front().empty()) return std::string("--store needs a file name");
  if (sub->count("GAMEDIR") == 0)
    return "'" + c.name + "' needs GAMEDIR, the game's mod folder (the one that holds cl_dlls)";
  if (c.gameDir.empty()) return std::string("GAMEDIR is empty");
  for (const char* what : {"KEY", "NAME", "COMMAND", "COMMANDS"})
    if (c.name != "restore" && sub->get_option_no_throw(what) && sub->count(what) == 0)
      return "'" + c.name + "' needs " + what + (c.name == "alias" ? " (alias GAMEDIR NAME COMMANDS)" : "");
  return std::nullopt;
}

// The parser's own complaint in the program's words.
std::string parseProblem(const CLI::ParseError& e) {
  const std::string what = e.what();
  // "--set: 1 required TEXT missing": an option given last, without its value.
  if (e.get_name() == "ArgumentMismatch") {
    const std::string option = what.substr(0, what.find(':'));
    if (option == "--set") return "--set needs a value of the form NAME=VALUE";
    if (option == "--store") return "--store needs a value (the INI file that keeps the stored preferences)";
    if (!optionName(option).empty()) return option + " needs a value";
  }
  return what;
}

std::string folderProblem(const std::string& dir) {
  std::error_code ec;
  const std::filesystem::path p(dir);
  if (!std::filesystem::exists(p, ec)) return "'" + dir + "' does not exist";
  if (!std::filesystem::is_directory(p, ec)) return "'" + dir + "' is not a folder";
  return "'" + dir +
         "' holds no cl_dlls, so it is not the game's mod folder; give the folder that holds "
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
  auto q = [](std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); };
  QJsonObject all;
  for (const Option& o : catalogue()) {
    QJsonArray variables;
    for (const std::string& v : optionVariables(o)) variables.append(q(v));
    QJsonObject entry{{"variables", variables}, {"page", q(pageInfo(o.page).caption)}, {"caption", q(o.caption)}};
    if (o.isToggle()) entry.insert("value", model.checked(o));
    else if (o.kind == Kind::Slider) entry.insert("value", model.position(o));
    else entry.insert("value", q(cp1252ToUtf8(model.text(o))));
    all.insert(q(o.control), entry);
  }
  const QByteArray text = QJsonDocument(all).toJson(QJsonDocument::Indented);
  out.write(text.constData(), text.size());
}

// The game folder passes the check the window makes; otherwise says why on `err`.
bool gameFolderPasses(const Command& c, std::ostream& err) {
  if (hasClDlls(c.gameDir)) return true;
  err << kProgram << ": " << kInvalidPathText << '\n';
  err << kProgram << ": " << folderProblem(c.gameDir) << '\n';
  return false;
}

// The store named by --store, or the user's own. A missing one is created by a Save's one
// commit only, after every check has passed, so that a dry run or a stopped Save creates none.
std::unique_ptr<QtStore> openStore(const Command& c) {
  return c.stores.empty() ? std::make_unique<QtStore>(false) : std::make_unique<QtStore>(c.stores.front(), false);
}

int runShowOrSave(const Command& c, std::ostream& out, std::ostream& err) {
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

  if (!gameFolderPasses(c, err)) return kExitUsage;

  std::unique_ptr<QtStore> qtStore = openStore(c);
  if (!qtStore->error().empty()) {
    if (c.name == "save") {
      err << kProgram << ": " << qtStore->error() << '\n' << kProgram << ": nothing was written\n";
      return kExitUsage;
    }
    err << kProgram << ": warning: " << qtStore->error() << '\n';
  }
  NoGameFolderStore store(*qtStore);

  Model model;
  if (c.keepOwnLines || c.replace) model.keepOwnLinesForRun = c.keepOwnLines;
  const std::string loadErrors = runLoadSequence(model, c.gameDir, store);
  printLines(err, "warning: ", loadErrors, true);
  for (const std::string& problem : model.unreadable) printLines(err, "warning: ", problem, false);
  for (const KeptValue& k : model.keptValues) err << kProgram << ": kept as it is: " << keptValueLine(k) << '\n';

  if (c.name == "show") {
    if (c.json) printShowJson(model, out);
    else printShowPlain(model, out);
    return kExitOk;
  }

  if (c.defaults) LoadDefaults(model);
  for (const Assignment& a : assignments) {
    applyAssignment(a, model);
    // A value set here replaces the file's own.
    std::erase_if(model.keptValues, [&](const KeptValue& k) { return k.option == a.option; });
  }

  if (c.dryRun) {
    // The files are Windows-1252; the terminal reads UTF-8, as every other output of this program.
    out << cp1252ToUtf8(savePreview(model, c.gameDir));
    // The same checks as a Save, so that a script learns beforehand that it would fail.
    if (const auto failure = checkSave(model, c.gameDir, store, {.backup = !c.noBackup})) {
      printLines(err, "", saveErrorMessage(c.gameDir).text, false);
      printLines(err, "", failure->detail, false);
      return kExitSaveFailed;
    }
    return kExitOk;
  }
  std::vector<std::string> written;
  if (const auto failure = saveFiles(model, c.gameDir, store, {.backup = !c.noBackup}, &written)) {
    printLines(err, "", saveErrorMessage(c.gameDir).text, false);
    printLines(err, "", failure->detail, false);
    return kExitSaveFailed;
  }
  if (!qtStore->error().empty()) {
    err << kProgram << ": the game's files were written, but the launch options and text colour "
        << "could not be stored: " << qtStore->error() << '\n';
    return kExitSaveFailed;
  }
  if (model.keepOwnLines && written.empty()) {
    out << kNothingToSave << '\n';
    return kExitOk;
  }
  out << "Saved mapcycle.txt, motd.txt, config.cfg, autoexec.cfg, server.cfg and listenserver.cfg in " << c.gameDir
      << '\n';
  return kExitOk;
}

QString utf8Text(std::string_view cp1252) {
  const std::string utf8 = cp1252ToUtf8(cp1252);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void printKeysPlain(const keys::KeyTable& table, std::ostream& out) {
  const auto field = [](std::string_view cp1252) { return escapeField(cp1252ToUtf8(cp1252)); };
  for (const keys::Binding& b : table.bindings)
    out << "bind\t" << field(b.key) << '\t' << field(b.command) << '\t' << field(keys::placeText(b.place)) << '\t'
        << field(keys::stateText(b)) << (b.via.empty() ? "" : " (run by alias " + field(b.via) + ")") << '\n';
  for (const keys::Alias& a : table.aliases)
    out << "alias\t" << field(a.name) << '\t' << field(a.commands) << '\t' << field(keys::placeText(a.place)) << '\t'
        << keys::stateText(a) << '\n';
  for (const std::string& note : table.notes) out << "note\t" << field(note) << '\n';
}

void printKeysJson(const keys::KeyTable& table, std::ostream& out) {
  const auto place = [](QJsonObject& o, const keys::Place& p) {
    o.insert("file", utf8Text(p.file));
    o.insert("line", static_cast<qint64>(p.line));
  };
  QJsonArray bindings, aliases, notes;
  for (const keys::Binding& b : table.bindings) {
    QJsonObject o{{"key", utf8Text(b.key)}, {"command", utf8Text(b.command)}};
    place(o, b.place);
    o.insert("wins", b.state == keys::Binding::State::InForce);
    if (b.state != keys::Binding::State::InForce) {
      QJsonObject ended;
      place(ended, b.endedBy);
      o.insert(b.state == keys::Binding::State::Overridden ? "overridden_by" : "unbound_by", ended);
    }
    if (!b.via.empty()) o.insert("via_alias", utf8Text(b.via));
    bindings.append(o);
  }
  for (const keys::Alias& a : table.aliases) {
    QJsonObject o{{"name", utf8Text(a.name)}, {"commands", utf8Text(a.commands)}};
    place(o, a.place);
    o.insert("in_force", a.inForce);
    o.insert("used", a.used);
    aliases.append(o);
  }
  for (const std::string& note : table.notes) notes.append(utf8Text(note));
  const QByteArray text =
      QJsonDocument(QJsonObject{{"bindings", bindings}, {"aliases", aliases}, {"notes", notes}}).toJson();
  out.write(text.constData(), text.size());
}

int runKeys(const Command& c, std::ostream& out, std::ostream& err) {
  if (!gameFolderPasses(c, err)) return kExitUsage;
  const keys::KeyTable table = keys::readKeys(keys::folderSource(c.gameDir));
  if (c.json) printKeysJson(table, out);
  else printKeysPlain(table, out);
  return kExitOk;
}

int runKeyEdit(const Command& c, std::ostream& out, std::ostream& err) {
  const KeyEdit::Kind kind = c.name == "bind"     ? KeyEdit::Kind::Bind
                             : c.name == "unbind" ? KeyEdit::Kind::Unbind
                                                  : KeyEdit::Kind::Alias;
  const auto refused = [&](const std::string& why) {
    err << kProgram << ": " << c.name << ' ' << c.keyName << ": " << why << '\n'
        << kProgram << ": nothing was written\n";
    return kExitUsage;
  };
  const std::string command = utf8ToCp1252(c.keyCommand);
  if (cp1252ToUtf8(command) != c.keyCommand)
    return refused(
        "the command is not UTF-8, or holds a character that the game's files cannot store (they use "
        "the Western European code page Windows-1252)");
  // What the console rules refuse is refused before anything is read.
  const bool alias = kind == KeyEdit::Kind::Alias;
  std::string problem = alias ? keys::aliasNameProblem(c.keyName) : keys::keyProblem(c.keyName);
  if (problem.empty() && kind != KeyEdit::Kind::Unbind) problem = keys::commandProblem(command);
  if (!problem.empty()) return refused(cp1252ToUtf8(problem));
  if (!gameFolderPasses(c, err)) return kExitUsage;
  std::unique_ptr<QtStore> qtStore = openStore(c);
  if (!qtStore->error().empty()) {
    err << kProgram << ": " << qtStore->error() << '\n' << kProgram << ": nothing was written\n";
    return kExitUsage;
  }
  NoGameFolderStore store(*qtStore);
  Model model;
  if (c.keepOwnLines || c.replace) model.keepOwnLinesForRun = c.keepOwnLines;
  printLines(err, "warning: ", runLoadSequence(model, c.gameDir, store), true);
  for (const std::string& problem : model.unreadable) printLines(err, "warning: ", problem, false);

  const KeyEditPlan plan = planKeyEdit(model, c.gameDir, kind, c.keyName, command);
  if (!plan.edit) return refused(cp1252ToUtf8(plan.problem));
  if (!model.keepOwnLines) {
    // The default mode writes autoexec.cfg whole: say what of the keys goes with it.
    std::size_t lost = 0;
    for (const keys::Binding& b : keys::readKeys(keys::folderSource(c.gameDir)).bindings)
      lost += b.place.file == "autoexec.cfg";
    if (lost > 0)
      err << kProgram << ": warning: " << lost
          << " binding(s) in autoexec.cfg go with this save, which writes the file whole; --keep-own-lines keeps "
             "them\n";
  }
  model.keyEdits.push_back(*plan.edit);
  if (c.dryRun) {
    out << savePreview(model, c.gameDir);
    return kExitOk;
  }
  if (const auto failure = saveFiles(model, c.gameDir, store, {.backup = !c.noBackup})) {
    printLines(err, "", saveErrorMessage(c.gameDir).text, false);
    printLines(err, "", failure->detail, false);
    return kExitSaveFailed;
  }
  const KeyEdit& e = *plan.edit;
  out << (kind == KeyEdit::Kind::Bind     ? "Bound "
          : kind == KeyEdit::Kind::Unbind ? "Unbound "
                                          : "Defined alias ")
      << cp1252ToUtf8(e.name) << (kind == KeyEdit::Kind::Unbind ? "" : " as \"" + cp1252ToUtf8(e.command) + "\"")
      << (e.inPlace ? " on its own line of " : " on a new line of ") << e.file << "; saved in " << c.gameDir << '\n';
  return kExitOk;
}

int runBackups(const Command& c, std::ostream& out, std::ostream& err) {
  if (!gameFolderPasses(c, err)) return kExitUsage;
  const std::vector<Backup> backups = listBackups(c.gameDir);
  if (c.name == "backups") {
    if (backups.empty()) out << "No backups in " << gameFile(c.gameDir, kBackupFolder).string() << '\n';
    for (const Backup& b : backups)
      out << b.name << '\t' << b.time() << '\t' << (b.ofRestore ? "restore" : "Save") << '\t' << joined(b.files, ", ")
          << '\n';
    return kExitOk;
  }
  const RestoreResult result = restoreBackup(c.gameDir, c.backupName);
  if (result.failure) {
    if (result.name.empty()) {
      // Nothing to restore from: the name is wrong or there is no backup.
      err << kProgram << ": " << *result.failure << '\n';
      return kExitUsage;
    }
    err << kProgram << ": the backup " << result.name << " could not be restored"
        << (result.restored.empty() ? "; nothing was changed" : " completely") << '\n';
    printLines(err, "", *result.failure, false);
    return kExitSaveFailed;
  }
  out << "Restored " << result.name << " into " << c.gameDir << ": "
      << (result.restored.empty() ? std::string("every file already held those bytes") : joined(result.restored, ", "))
      << '\n';
  return kExitOk;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Command c;
  CLI::App app("Saves and shows the game's settings", std::string(kProgram));
  defineCommandLine(app, c);
  try {
    // CLI11 takes the words last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << kUsage;
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    return usageError(err, parseProblem(e));
  }
  if (auto problem = commandLineProblem(app, c)) return usageError(err, *problem);
  if (c.version) {
    out << kProgram << ' ' << QUILLET_VERSION << '\n';
    return kExitOk;
  }
  if (c.name == "help") {
    out << kUsage;
    return kExitOk;
  }
  if (c.name == "backups" || c.name == "restore") return runBackups(c, out, err);
  if (c.name == "keys") return runKeys(c, out, err);
  if (c.name == "bind" || c.name == "unbind" || c.name == "alias") return runKeyEdit(c, out, err);
  return runShowOrSave(c, out, err);
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
  if (eq == std::string_view::npos) return refuse("expected NAME=VALUE (for example scrollgamma=25 or gamma=2.5)");
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
  Model::UserChange user(model);
  if (o.isToggle()) model.setChecked(o, a.checked);
  else if (o.kind == Kind::Slider) model.setPosition(o, a.position);
  else model.setText(o, a.text);
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

std::vector<std::pair<std::string, std::vector<std::string>>> commandLineWords() {
  Command c;
  CLI::App app("", std::string(kProgram));
  defineCommandLine(app, c);
  auto optionsOf = [](const CLI::App& a) {
    std::vector<std::string> names;
    for (const CLI::Option* o : a.get_options())
      if (o->nonpositional()) names.push_back(o->get_name());
    return names;
  };
  std::vector<std::pair<std::string, std::vector<std::string>>> words{{"", optionsOf(app)}};
  for (const CLI::App* sub : app.get_subcommands({})) words.emplace_back(sub->get_name(), optionsOf(*sub));
  return words;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int code = kExitSaveFailed;
  try {
    code = run(args, out, err);
  } catch (const std::exception& e) {
    err << kProgram << ": unexpected failure: " << e.what() << '\n';
  } catch (...) {
    err << kProgram << ": unexpected failure\n";
  }
  // Output that did not arrive (a full disk, a closed standard output) is a failure, not a
  // silent success.
  errno = 0;
  if (!out.flush()) {
    const int error = errno;
    err << kProgram << ": cannot write the output" << (error != 0 ? ": " + std::string(std::strerror(error)) : "")
        << '\n';
    return kExitSaveFailed;
  }
  return code;
}

}  // namespace quillet
