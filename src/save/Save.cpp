#include "save/Save.h"

#include <algorithm>
#include <deque>
#include <span>
#include <system_error>

#include "Stringconverter/Filereader.h"
#include "Stringconverter/StoredPreferences.h"
#include "platform/FileLayer.h"
#include "platform/GamePath.h"
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
  // Key bindings and aliases changed since the load are changed among the user's lines.
  std::string_view kept = model.keyEdits.empty()
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

bool isQuilletLine(GameFile file, std::string_view line) {
  static const std::vector<std::string> frame = [] {
    std::vector<std::string> lines(std::begin(kSectionTitles), std::end(kSectionTitles));
    const std::string head = header();
    for (LineReader r(head); !r.atEnd();) lines.emplace_back(r.next());
    lines.emplace_back(kClosingEcho);
    lines.emplace_back(kOwnLinesTitle);
    return lines;
  }();
  if (line.empty() || std::find(frame.begin(), frame.end(), line) != frame.end()) return true;
  return writesKey(file, lineKey(line));
}

std::string mergeOwnLines(GameFile file, std::string_view oldBytes, std::string newBytes) {
  std::string block;
  for (LineReader r(oldBytes); !r.atEnd();)
    if (const std::string_view line = r.next(); !isQuilletLine(file, line)) (block += line) += kEol;
  if (block.empty()) return newBytes;
  block.insert(0, "\r\n" + std::string(kOwnLinesTitle) + "\r\n");
  // At the end of autoexec.cfg; in the server files before their closing echo line.
  const std::size_t echo = newBytes.rfind(kClosingEcho);
  newBytes.insert(file == GameFile::Autoexec || echo == std::string::npos ? newBytes.size() : echo, block);
  return newBytes;
}

std::string mergeMapcycle(std::string_view oldBytes, std::string_view newBytes) {
  std::vector<std::string_view> checked;
  for (LineReader r(newBytes); !r.atEnd();)
    if (const std::string_view line = r.next(); !line.empty()) checked.push_back(line);
  const auto trimmed = [](std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
  };
  std::string out;
  std::vector<std::string_view> listed;
  for (LineReader r(oldBytes); !r.atEnd();) {
    const std::string_view line = r.next();
    const std::string_view name = trimmed(line);
    if (std::find(kMaps.begin(), kMaps.end(), name) != kMaps.end()) {
      // A standard map stays where it stands while it is checked.
      if (std::find(checked.begin(), checked.end(), name) == checked.end()) continue;
      listed.push_back(name);
    }
    (out += line) += kEol;
  }
  for (std::string_view map : checked)
    if (std::find(listed.begin(), listed.end(), map) == listed.end()) ((out += map) += kEol) += kEol;
  return out;
}

std::string keepOwnLines(std::string_view name, std::string_view oldBytes, std::string newBytes) {
  if (name == "mapcycle.txt") return mergeMapcycle(oldBytes, newBytes);
  for (GameFile f : {GameFile::Autoexec, GameFile::Server, GameFile::Listenserver})
    if (name == fileName(f)) return mergeOwnLines(f, oldBytes, std::move(newBytes));
  return newBytes;  // config.cfg keeps its lines through the load; motd.txt is kept whole
}

namespace {

struct Step {
  std::string_view name;
  FileText (*compose)(const Model&);
};
constexpr Step kSteps[] = {{"mapcycle.txt", composeMapcycle}, {"motd.txt", composeMotd},
                           {"config.cfg", composeConfig},     {"autoexec.cfg", composeAutoexec},
                           {"server.cfg", composeServer},     {"listenserver.cfg", composeListenserver}};

// The bytes Save writes for one file: with "Keep my own lines", merged with the file as it is
// now. `error` is set when the file is there but cannot be read: the merge would lose it.
FileText bytesFor(const Model& model, const std::string& gamePath, const Step& step, int& error) {
  FileText bytes = step.compose(model);
  error = 0;
  // config.cfg's key edits are made among its kept lines as it is composed.
  const bool keyEdits = step.name != "config.cfg" && std::any_of(model.keyEdits.begin(), model.keyEdits.end(),
                                                                 [&](const KeyEdit& e) { return e.file == step.name; });
  if (!model.keepOwnLines && !keyEdits) return bytes;
  std::string text = bytes.str();
  if (model.keepOwnLines) {
    const files::ReadResult old = files::readFile(gameFile(gamePath, step.name));
    if (old.status == files::ReadResult::Status::Unreadable) error = old.error;
    text = keepOwnLines(step.name, old.bytes, std::move(text));
  }
  FileText edited;
  edited += keyEdits ? applyKeyEdits(step.name, std::move(text), model.keyEdits) : std::move(text);
  return edited;
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
                                       const SaveOptions& options, std::vector<FileText>& texts) {
  // Pages that do not hold what a file holds would overwrite the user's values with others.
  if (!model.unreadable.empty()) {
    SaveFailure failure;
    for (const std::string& problem : model.unreadable)
      failure.detail +=
          (failure.detail.empty() ? "" : "\n") + problem + " (when the settings were loaded; nothing was written)";
    return failure;
  }
  // A text the game would cut or drop is not written at all (typed texts cannot be that long;
  // these come from files).
  for (const Option& o : catalogue())
    if (o.form == Form::Text && model.text(o).size() > kMaxTextLength)
      return SaveFailure{"\"" + std::string(o.caption) + "\" holds " + std::to_string(model.text(o).size()) +
                         " characters, more than the " + std::to_string(kMaxTextLength) +
                         " the game takes whole; shorten it (nothing was written)"};
  const auto failed = [](std::string_view name, const std::string& cause) {
    return SaveFailure{std::string(name) + ": " + cause};
  };
  texts.reserve(std::size(kSteps));
  for (const Step& step : kSteps) {
    int unreadable = 0;
    texts.push_back(bytesFor(model, gamePath, step, unreadable));
    if (unreadable) return failed(step.name, files::causeText(unreadable) + "; nothing was written");
  }
  for (const Step& step : kSteps) {
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
      const files::ReplaceCheck check = files::checkReplace(root / "new");
      if (!check.ok())
        return failed(kBackupFolder, files::causeText(check.error) + " (" +
                                         (check.atFolder ? std::string("the backup folder cannot be written to")
                                                         : replaceHint(check)) +
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
  return prepareSave(model, gamePath, store, options, texts);
}

std::optional<SaveFailure> saveFiles(const Model& model, const std::string& gamePath, Store& store,
                                     const SaveOptions& options) {
  std::vector<FileText> texts;
  if (auto failure = prepareSave(model, gamePath, store, options, texts)) return failure;
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
  return std::nullopt;
}

bool saveCommand(const Model& model, const std::string& gamePath, Store& store, Dialogs& dialogs) {
  Message confirm = saveConfirmMessage();
  confirm.detail = savePreview(model, gamePath);
  if (dialogs.show(confirm) != Answer::Yes) return false;
  if (auto failure = saveFiles(model, gamePath, store)) {
    dialogs.show(saveErrorMessage(gamePath, *failure));
    return false;
  }
  dialogs.show(saveSuccessMessage());
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
