#include "save/Save.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <span>
#include <system_error>
#include <tuple>

#include "Stringconverter/Commands.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/StoredPreferences.h"
#include "platform/FileLayer.h"
#include "platform/GamePath.h"
#include "platform/Text.h"
#include "save/Backups.h"
#include "save/Diff.h"
#include "save/KeyLines.h"
#include "settings/ValueForms.h"

namespace quillet {
namespace {

constexpr std::string_view kEol = "\r\n";
constexpr int kHeaderWidth = 84;

// A header line: the text padded with blanks to 83 columns and "*" in the 84th.
std::string boxed(std::string text) {
  text.resize(kHeaderWidth - 1, ' ');
  return text + '*';
}

// The five header lines, each followed by an extra carriage return.
std::string header() {
  const std::string rule = "//" + std::string(kHeaderWidth - 2, '*');
  std::string out;
  for (const std::string& line :
       {rule, boxed("//*" + std::string(28, ' ') + "Quillet generated config file"),
        boxed("//*    Visit www.quillet.example for info and updates"),
        boxed("//*" + std::string(20, ' ') + "Bugreports, flames, tips to bugs@quillet.example"), rule})
    (out += line) += "\r\r\n";
  return out;
}

// The bytes of one file as Save composes them: parts written one after another, each either
// composed here or a view of a big text that the model holds (the message of the day, the kept
// lines of config.cfg, a long text value), which is thus written without being copied.
class FileText {
 public:
  // The composed part at the end, to append to.
  std::string& text() {
    if (pieces_.empty() || !pieces_.back().own) {
      owned_.emplace_back();
      pieces_.push_back({&owned_.back(), {}});
    }
    return *pieces_.back().own;
  }
  FileText& operator+=(std::string_view bytes) {
    text() += bytes;
    return *this;
  }
  // A text that outlives the composition; a small one is copied.
  void borrow(std::string_view bytes) {
    if (bytes.size() < kBorrowFrom) text() += bytes;
    else pieces_.push_back({nullptr, bytes});
  }
  // Holds `bytes` for as long as the composition, for views of it.
  std::string_view hold(std::string bytes) { return owned_.emplace_back(std::move(bytes)); }
  std::vector<std::string_view> parts() const {
    std::vector<std::string_view> out;
    for (const Piece& p : pieces_) out.push_back(p.own ? std::string_view(*p.own) : p.view);
    return out;
  }
  std::string str() const {
    std::size_t size = 0;
    for (std::string_view part : parts()) size += part.size();
    std::string out;
    out.reserve(size);
    for (std::string_view part : parts()) out += part;
    return out;
  }

 private:
  static constexpr std::size_t kBorrowFrom = 64 * 1024;
  struct Piece {
    std::string* own;  // a composed part, or nullptr for a view
    std::string_view view;
  };
  std::deque<std::string> owned_;  // stays where it is while parts are added
  std::vector<Piece> pieces_;
};

// The line an option writes: with "Keep my own lines", a value its control cannot show goes back
// as the file had it.
std::string lineText(const Model& model, const Option& o, bool autoexec) {
  if (const KeptValue* kept = model.keepOwnLines ? model.keptValue(o) : nullptr) return kept->item;
  return consoleLine(model, o, autoexec);
}

void appendLines(FileText& out, const Model& model, std::span<const Option* const> lines, bool autoexec) {
  for (const Option* o : lines) {
    // "Keep my own lines": a value its control cannot show goes back as the file had it.
    if (const KeptValue* kept = model.keepOwnLines ? model.keptValue(*o) : nullptr) {
      out.borrow(kept->item);
    } else if (o->form == Form::Text && writtenAsIs(model.text(*o))) {
      ((out += consoleName(*o, autoexec)) += " ").borrow(model.text(*o));
    } else {
      out += consoleLine(model, *o, autoexec);
    }
    out += kEol;
  }
}

constexpr std::string_view kClosingEcho = "echo    **Quillet generated config-file successfully loaded**";
constexpr std::string_view kSectionTitles[] = {"//Video settings", "//Client settings", "//Server settings",
                                               "//Control settings", "//Sound settings"};

FileText serverFile(const Model& model, bool listen) {
  FileText out;
  out += header();
  out += "\r\n\r\n";
  appendLines(out, model, listen ? listenserverLines() : sectionLines(Section::Server), false);
  (out += kClosingEcho) += kEol;
  return out;
}

// Every line end of a multi-line text as CR LF: a text that has no other kind is written as it
// stands.
void appendCrLf(FileText& file, std::string_view text, std::size_t after = 0) {
  bool crLfOnly = true;
  for (std::size_t pos = scan::lineEnd(text, 0); pos < text.size(); pos = scan::lineEnd(text, pos + 2)) {
    if (text[pos] != '\r' || pos + 1 >= text.size() || text[pos + 1] != '\n') {
      crLfOnly = false;
      break;
    }
  }
  if (crLfOnly) {
    file.borrow(text);
    return;
  }
  // Each lone CR or LF grows by one byte: room for all of them, and for `after` more bytes, is
  // made at once, so a big text is never copied while it grows.
  std::string& out = file.text();
  out.reserve(out.size() + text.size() + scan::countLineEnds(text) + after);
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t at = scan::lineEnd(text, pos);
    out.append(text.data() + pos, at - pos);
    if (at == text.size()) break;
    out += kEol;
    pos = scan::afterLineEnd(text, at);
  }
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

FileText composeMapcycle(const Model& model) {
  FileText out;
  for (int i = 0; i < static_cast<int>(kMaps.size()); ++i)
    if (model.checked(Table::Map, i)) ((out += kMaps[i]) += kEol) += kEol;
  return out;
}

FileText composeMotd(const Model& model) {
  FileText out;
  appendCrLf(out, model.text(option("txtmotd")), 2);
  out += kEol;
  return out;
}

FileText composeConfig(const Model& model) {
  // The user's own lines first (without white space at their two ends), then the program's.
  // With "Keep my own lines" only empty lines give way, so that every line stays as written.
  const auto trims = [&](char c) { return model.keepOwnLines ? c == '\r' || c == '\n' : isSpace(c); };
  FileText out;
  // Key bindings and aliases changed since the load are changed among the user's lines (with
  // "Keep my own lines" in the bytes of the file instead, see bytesFor).
  std::string_view kept = model.keyEdits.empty() || model.keepOwnLines
                              ? std::string_view(model.configKeptLines)
                              : out.hold(applyKeyEdits("config.cfg", model.configKeptLines, model.keyEdits));
  while (!kept.empty() && trims(kept.front())) kept.remove_prefix(1);
  std::size_t end = kept.size();
  while (end > 0 && trims(kept[end - 1])) --end;
  // A tab does not end a line's first word: cut off, the tabs that end a last line such as
  // "brightness<tab>" would make it read back as the program's own "brightness", dropped at the
  // next load. Such a line keeps its tabs; every other line is trimmed as always.
  std::size_t lineStart = kept.find_last_of("\r\n", end == 0 ? 0 : end - 1) + 1;
  // The reader takes the first word after the blanks and tabs that lead the line.
  while (lineStart < end && (kept[lineStart] == ' ' || kept[lineStart] == '\t')) ++lineStart;
  const std::string lastWord = lowerAscii(kept.substr(lineStart, std::min<std::size_t>(end - lineStart, 64)));
  if (end > 0 && lastWord.find(' ') == std::string::npos &&
      std::ranges::find(configOwnedNames(), lastWord) != configOwnedNames().end())
    for (std::size_t i = end; i < kept.size() && kept[i] != '\r' && kept[i] != '\n'; ++i)
      if (kept[i] == '\t') end = i + 1;
  kept = kept.substr(0, end);
  out += "\r\n";
  if (!kept.empty()) {
    appendCrLf(out, kept, 8192);
    out += kEol;
  }
  out += kEol;
  appendLines(out, model, configLines(), false);
  return out;
}

FileText composeAutoexec(const Model& model) {
  // Each section: the empty lines before it, its title, its lines.
  struct Section {
    std::string_view before, title;
    quillet::Section lines;
  };
  static constexpr Section kSections[] = {
      {"\r\r\n\r\r\n\r\n\r\n", kSectionTitles[0], quillet::Section::Video},
      {"\r\n\r\n", kSectionTitles[1], quillet::Section::Client},
      {"\r\n\r\n\r\n\r\n", kSectionTitles[2], quillet::Section::Server},
      {"\r\n\r\n", kSectionTitles[3], quillet::Section::Controls},
      {"\r\n\r\n", kSectionTitles[4], quillet::Section::Sound},
  };
  FileText out;
  out += header();
  for (const Section& s : kSections) {
    ((out += s.before) += s.title) += kEol;
    appendLines(out, model, sectionLines(s.lines), true);
  }
  return out;
}

FileText composeServer(const Model& model) { return serverFile(model, false); }
FileText composeListenserver(const Model& model) { return serverFile(model, true); }

}  // namespace

std::string mapcycleText(const Model& model) { return composeMapcycle(model).str(); }
std::string motdText(const Model& model) { return composeMotd(model).str(); }
std::string configText(const Model& model) { return composeConfig(model).str(); }
std::string autoexecText(const Model& model) { return composeAutoexec(model).str(); }
std::string serverText(const Model& model) { return composeServer(model).str(); }
std::string listenserverText(const Model& model) { return composeListenserver(model).str(); }

namespace {

// The options whose lines Save writes into `file`, in file order.
std::vector<const Option*> linesOf(GameFile file) {
  std::vector<const Option*> out;
  const auto add = [&](std::span<const Option* const> lines) { out.insert(out.end(), lines.begin(), lines.end()); };
  switch (file) {
    case GameFile::Autoexec:
      for (quillet::Section s : {quillet::Section::Video, quillet::Section::Client, quillet::Section::Server,
                                 quillet::Section::Controls, quillet::Section::Sound})
        add(sectionLines(s));
      break;
    case GameFile::Config: add(configLines()); break;
    case GameFile::Server: add(sectionLines(quillet::Section::Server)); break;
    case GameFile::Listenserver: add(listenserverLines()); break;
  }
  return out;
}

// The line end a file uses: LF where its first line ends in a bare LF, else CR LF.
std::string_view lineEndOf(std::string_view bytes) {
  const std::size_t lf = bytes.find('\n');
  return lf != std::string_view::npos && (lf == 0 || bytes[lf - 1] != '\r') ? "\n" : kEol;
}

bool oddQuotes(std::string_view text) { return std::ranges::count(text, '"') % 2 != 0; }

// Where lines are added to a file: before the closing echo line of a server file, else at its
// end.
std::size_t addPlace(std::string_view bytes) {
  for (std::size_t end = bytes.size(); end > 0;) {
    const std::size_t lf = end >= 2 ? bytes.rfind('\n', end - 2) : std::string_view::npos;
    const std::size_t start = lf == std::string_view::npos ? 0 : lf + 1;
    const std::string_view line = trimBack(bytes.substr(start, end - start), "\r\n ");
    if (line == kClosingEcho) return start;
    if (!line.empty()) break;
    end = start;
  }
  return bytes.size();
}

}  // namespace

bool needsRewrite(const Model& model, const Option& o) {
  if (model.changed(o)) return true;
  // The colour line is written from three sliders.
  if (o.form == Form::Colour)
    for (const Option& other : catalogue())
      if (other.form == Form::Colour && model.changed(other)) return true;
  return false;
}

std::string editInPlace(GameFile file, std::string_view oldBytes, const Model& model) {
  std::vector<const Option*> options;
  for (const Option* o : linesOf(file))
    if (needsRewrite(model, *o)) options.push_back(o);
  if (options.empty()) return std::string(oldBytes);
  const bool autoexec = file == GameFile::Autoexec;
  const std::string_view eol = lineEndOf(oldBytes);
  // The commands of the variables to write, and no others: a big file costs no list of all.
  std::vector<std::string> wanted;
  for (const Option* o : options)
    for (std::string& key : keysIn(*o, file)) wanted.push_back(std::move(key));
  std::vector<CommandSpan> spans;
  forEachCommand(oldBytes, [&](const CommandSpan& c) {
    if (std::find(wanted.begin(), wanted.end(), c.key) != wanted.end()) spans.push_back(c);
  });
  struct Edit {
    std::size_t from, to;
    std::string text;
  };
  std::vector<Edit> edits;
  std::string added;
  for (const Option* o : options) {
    std::string text = lineText(model, *o, autoexec);
    const std::vector<std::string> keys = keysIn(*o, file);
    const auto last = std::find_if(spans.rbegin(), spans.rend(), [&](const CommandSpan& c) {
      return std::find(keys.begin(), keys.end(), c.key) != keys.end();
    });
    if (last == spans.rend()) {
      if (!text.empty()) (added += text) += eol;
      continue;
    }
    // A command the console cut keeps what followed the cut a command of its own, and so does
    // one given new text that leaves a quote open.
    const auto breakAt = [&](const CommandSpan& c, bool openQuote) {
      if ((c.cut || openQuote) && c.end < oldBytes.size() && oldBytes[c.end] != '\n')
        edits.push_back({c.end, c.end, "\n"});
    };
    // The command's words give way; a comment after them stays, unless a quote left open in
    // them or in the new text would change how the console splits what follows.
    const auto replace = [&](const CommandSpan& c, std::string with) {
      const bool open = oddQuotes(with);
      const bool whole = open || oddQuotes(oldBytes.substr(c.wordsFrom, c.wordsTo - c.wordsFrom));
      edits.push_back({c.wordsFrom, whole ? c.end : c.wordsTo, std::move(with)});
      breakAt(c, open);
    };
    if (text.empty()) {
      // The option's unchecked form writes no line ("gl_polyoffset 20" / nothing): every command
      // of its variable gives way, or an earlier one would still be in force.
      for (const CommandSpan& c : spans)
        if (std::find(keys.begin(), keys.end(), c.key) != keys.end()) replace(c, "");
      continue;
    }
    replace(*last, std::move(text));
  }
  if (!added.empty()) {
    const std::size_t at = addPlace(oldBytes);
    // The last line gets a line feed first: a CR before it would join its last word (a quote
    // left open runs to the end of the command).
    const bool lineEnd = at == 0 || oldBytes[at - 1] == '\n';
    edits.push_back({at, at, lineEnd ? std::move(added) : '\n' + added});
  }
  // By place; a line feed put at a command's end goes before an edit of the next command there.
  std::sort(edits.begin(), edits.end(),
            [](const Edit& a, const Edit& b) { return std::tie(a.from, a.to) < std::tie(b.from, b.to); });
  std::string out;
  out.reserve(oldBytes.size() + 256);
  std::size_t pos = 0;
  for (const Edit& e : edits) {
    out.append(oldBytes.substr(pos, e.from - pos));
    out += e.text;
    pos = e.to;
  }
  out.append(oldBytes.substr(pos));
  return out;
}

std::string editMapcycle(std::string_view oldBytes, const Model& model) {
  const auto changedMap = [&](std::size_t i) {
    const Option* map = findToggle(Table::Map, static_cast<int>(i));
    return map && model.changed(*map);
  };
  std::string out;
  std::vector<bool> listed(kMaps.size(), false);
  for (std::size_t pos = 0; pos < oldBytes.size();) {
    const std::size_t end = scan::lineEnd(oldBytes, pos);
    const std::size_t next = scan::afterLineEnd(oldBytes, end);
    const std::string_view name = trim(oldBytes.substr(pos, end - pos));
    const auto map = std::find(kMaps.begin(), kMaps.end(), name);
    const auto i = static_cast<std::size_t>(map - kMaps.begin());
    // A standard map the user unchecked goes; every other line stays as it is.
    if (map == kMaps.end() || !changedMap(i) || model.checked(Table::Map, static_cast<int>(i))) {
      out.append(oldBytes.substr(pos, next - pos));
      if (map != kMaps.end()) listed[i] = true;
    }
    pos = next;
  }
  const std::string_view eol = lineEndOf(oldBytes);
  std::string added;
  for (std::size_t i = 0; i < kMaps.size(); ++i)
    if (changedMap(i) && model.checked(Table::Map, static_cast<int>(i)) && !listed[i])
      (((added += kMaps[i]) += eol) += eol);
  if (!added.empty() && !out.empty() && out.back() != '\n' && out.back() != '\r') out += eol;
  return out + added;
}

namespace {

struct Step {
  std::string_view name;
  FileText (*compose)(const Model&);
};
constexpr Step kSteps[] = {{kSavedFiles[0], composeMapcycle}, {kSavedFiles[1], composeMotd},
                           {kSavedFiles[2], composeConfig},   {kSavedFiles[3], composeAutoexec},
                           {kSavedFiles[4], composeServer},   {kSavedFiles[5], composeListenserver}};

// The bytes Save writes for one file. With "Keep my own lines" an existing file is edited in
// place: only the lines of the options the user changed change; `same` tells that nothing did.
// `error` is set when the file is there but cannot be read: the edit would lose it.
FileText bytesFor(const Model& model, const std::string& gamePath, const Step& step, int& error, bool* same = nullptr) {
  error = 0;
  if (same) *same = false;
  // Key bindings and aliases changed since the load go into the bytes of their file; config.cfg's
  // in the default mode among its kept lines, as it is composed.
  const bool keyEdits =
      (model.keepOwnLines || step.name != "config.cfg") &&
      std::any_of(model.keyEdits.begin(), model.keyEdits.end(), [&](const KeyEdit& e) { return e.file == step.name; });
  const auto withKeyEdits = [&](FileText bytes) {
    if (!keyEdits) return bytes;
    FileText out;
    out += applyKeyEdits(step.name, bytes.str(), model.keyEdits);
    return out;
  };
  if (!model.keepOwnLines) return withKeyEdits(step.compose(model));
  const files::ReadResult old = files::readFile(gameFile(gamePath, step.name));
  if (old.status == files::ReadResult::Status::Missing) return withKeyEdits(step.compose(model));
  if (!old.ok()) {
    error = old.error;
    return {};
  }
  std::string edited;
  if (step.name == "mapcycle.txt") edited = editMapcycle(old.bytes, model);
  else if (step.name == "motd.txt") edited = model.changed(option("txtmotd")) ? step.compose(model).str() : old.bytes;
  else
    for (GameFile f : kGameFiles)
      if (step.name == fileName(f)) edited = editInPlace(f, old.bytes, model);
  if (keyEdits) edited = applyKeyEdits(step.name, std::move(edited), model.keyEdits);
  if (same) *same = edited == old.bytes;
  FileText out;
  out += edited;
  return out;
}

}  // namespace

std::string savedBytes(const Model& model, const std::string& gamePath, std::string_view name) {
  int unused = 0;
  for (const Step& step : kSteps)
    if (step.name == name) return bytesFor(model, gamePath, step, unused).str();
  return {};
}

std::string savePreview(const Model& model, const std::string& gamePath) {
  std::string out;
  for (const Step& step : kSteps) {
    const std::string name(step.name);
    int unused = 0;
    const std::string text = bytesFor(model, gamePath, step, unused).str();
    const files::ReadResult now = files::readFile(gameFile(gamePath, step.name));
    if (now.status == files::ReadResult::Status::Missing) out += name + ": new file\n" + unifiedDiff(name, "", text);
    else if (!now.ok()) out += name + ": cannot be read: " + files::causeText(now.error) + "\n";
    else if (now.bytes == text) out += name + ": unchanged\n";
    else out += unifiedDiff(name, now.bytes, text);
  }
  return out;
}

namespace {

// The six files' bytes, composed (and with "Keep my own lines" merged with the files as they
// are) and every target checked, before anything is written: any failure, and nothing is.
std::optional<SaveFailure> prepareSave(const Model& model, const std::string& gamePath, Store& store,
                                       const SaveOptions& options, std::vector<FileText>& texts,
                                       std::vector<bool>& same) {
  // Pages that do not hold what a file holds would overwrite the user's values with others.
  if (!model.unreadable.empty()) {
    SaveFailure failure;
    for (const std::string& problem : model.unreadable)
      failure.detail +=
          (failure.detail.empty() ? "" : "\n") + problem + " (when the settings were loaded; nothing was written)";
    return failure;
  }
  // A text the game would cut or drop is not written at all (typed texts cannot be that long;
  // these come from files). With "Keep my own lines" a text is written only where the user changed it or a file it
  // goes into is new; the lines of the others stay as they are.
  const auto written = [&](const Option& o) {
    if (!model.keepOwnLines || needsRewrite(model, o)) return true;
    for (GameFile f : kGameFiles)
      if (!keysIn(o, f).empty() &&
          files::readFile(gameFile(gamePath, fileName(f))).status == files::ReadResult::Status::Missing)
        return true;
    return false;
  };
  for (const Option& o : catalogue())
    if (o.form == Form::Text && model.text(o).size() > kMaxTextLength && written(o))
      return SaveFailure{"\"" + std::string(o.caption) + "\" holds " + std::to_string(model.text(o).size()) +
                         " characters, more than the " + std::to_string(kMaxTextLength) +
                         " the game takes whole; shorten it (nothing was written)"};
  const auto failed = [](std::string_view name, const std::string& cause) {
    return SaveFailure{std::string(name) + ": " + cause};
  };
  texts.reserve(std::size(kSteps));
  for (const Step& step : kSteps) {
    int unreadable = 0;
    bool unchanged = false;
    texts.push_back(bytesFor(model, gamePath, step, unreadable, &unchanged));
    same.push_back(unchanged);
    if (unreadable) return failed(step.name, files::causeText(unreadable) + "; nothing was written");
  }
  for (std::size_t i = 0; i < std::size(kSteps); ++i) {
    const Step& step = kSteps[i];
    if (same[i]) continue;  // a file that keeps its bytes is not written
    const files::ReplaceCheck check = files::checkReplace(gameFile(gamePath, step.name));
    if (!check.ok())
      return failed(step.name, files::causeText(check.error) + " (" + replaceHint(check) + "); nothing was written");
  }
  if (options.backup) {
    // A backup folder that is there must take a new folder; one that is not is made in the game
    // folder, checked above.
    const std::filesystem::path root = gameFile(gamePath, kBackupFolder);
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(root, ec))) {
      const files::ReplaceCheck check = files::checkFolder(root);
      if (!check.ok())
        return failed(kBackupFolder, files::causeText(check.error) + " (" +
                                         (check.error == ENOTDIR ? "a file stands where the backup folder belongs"
                                                                 : "the backup folder cannot be written to") +
                                         "); nothing was written");
    }
  }
  if (auto problem = store.problem())
    return failed("autoexec.cfg",
                  "the launch options and text colour could not be stored: " + *problem + "; nothing was written");
  return std::nullopt;
}

}  // namespace

std::optional<SaveFailure> checkSave(const Model& model, const std::string& gamePath, Store& store,
                                     const SaveOptions& options) {
  std::vector<FileText> texts;
  std::vector<bool> same;
  return prepareSave(model, gamePath, store, options, texts, same);
}

std::optional<SaveFailure> saveFiles(const Model& model, const std::string& gamePath, Store& store,
                                     const SaveOptions& options, std::vector<std::string>* writtenOut) {
  std::vector<FileText> texts;
  std::vector<bool> same;
  if (auto failure = prepareSave(model, gamePath, store, options, texts, same)) return failure;
  BackupSet backups(gamePath);
  std::vector<std::string> written;
  // A failure part-way (an I/O error no check could foresee): the files before it are new and
  // whole, it and the later ones keep their old bytes; the detail says which are which.
  const auto failed = [&](std::size_t at, const std::string& cause) {
    std::string detail = std::string(kSteps[at].name) + ": " + cause;
    detail += "\nWritten: " + (written.empty() ? std::string("none") : joinNames(written));
    std::vector<std::string> old;
    for (std::size_t i = at; i < std::size(kSteps); ++i) old.emplace_back(kSteps[i].name);
    detail += "\nNot written, old bytes kept: " + joinNames(old);
    return SaveFailure{detail};
  };
  for (std::size_t i = 0; i < std::size(kSteps); ++i) {
    const Step& step = kSteps[i];
    if (same[i]) {
      // With "Keep my own lines" a file that already holds these bytes is neither written nor
      // backed up; the preferences are still stored in its turn.
      if (step.name == "autoexec.cfg") {
        StorePreferences(model, store);
        if (auto error = store.commit())
          return failed(i, "the launch options and text colour could not be stored: " + *error);
      }
      continue;
    }
    const std::vector<std::string_view> parts = texts[i].parts();
    // The old bytes are on disk in the backup folder before the file is replaced.
    if (options.backup)
      if (std::string cause = backups.keep(step.name, parts); !cause.empty()) return failed(i, cause);
    files::AtomicWrite file(gameFile(gamePath, step.name));
    if (const int error = file.prepare(parts)) return failed(i, files::causeText(error));
    // The preferences are stored once autoexec.cfg is ready to take the old one's place; a
    // store that cannot be written leaves autoexec.cfg as it was.
    if (step.name == "autoexec.cfg") {
      StorePreferences(model, store);
      if (auto error = store.commit())
        return failed(i, "the launch options and text colour could not be stored: " + *error);
    }
    if (const int error = file.commit()) return failed(i, files::causeText(error));
    written.emplace_back(step.name);
  }
  if (options.backup) backups.prune();
  if (writtenOut) *writtenOut = std::move(written);
  return std::nullopt;
}

bool saveCommand(const Model& model, const std::string& gamePath, Store& store, Dialogs& dialogs) {
  Message confirm = saveConfirmMessage();
  confirm.detail = savePreview(model, gamePath);
  if (dialogs.show(confirm) != Answer::Yes) return false;
  std::vector<std::string> written;
  if (auto failure = saveFiles(model, gamePath, store, {}, &written)) {
    dialogs.show(saveErrorMessage(gamePath, *failure));
    return false;
  }
  Message success = saveSuccessMessage();
  if (model.keepOwnLines && written.empty()) success.detail = std::string(kNothingToSave);
  dialogs.show(success);
  return true;
}

Message saveConfirmMessage() {
  return {"Confirm",
          "This will overwrite your old:\r\nautoexec.cfg\r\nserver.cfg\r\nlistenserver.cfg\r\n"
          "mapcycle.txt\r\nIf you want to keep it, please take a backup of this file now.\r\n"
          "Continue?",
          Buttons::YesNo, Icon::None};
}

Message saveSuccessMessage() { return {"Success", "Settings saved!", Buttons::Ok, Icon::Information}; }

Message saveErrorMessage(const std::string& gamePath, const SaveFailure& failure) {
  return {"Error saving file",
          "Quillet was for some reason unable to save your settings.\rMost likely one or more of "
          "the files in " +
              gamePath + " are writeprotected",
          Buttons::Ok, Icon::Exclamation, failure.detail};
}

}  // namespace quillet
