#include "save/KeyLines.h"

#include "Stringconverter/Console.h"
#include "platform/GamePath.h"
#include "platform/Text.h"
#include "save/Save.h"

namespace quillet {
namespace {

std::string lineFor(const KeyEdit& e) {
  switch (e.kind) {
    case KeyEdit::Kind::Bind: return keys::bindLine(e.name, e.command);
    case KeyEdit::Kind::Unbind: return keys::unbindLine(e.name);
    case KeyEdit::Kind::Alias: return keys::aliasLine(e.name, e.command);
  }
  return {};
}

// The command is the one the edit changes: a binding of its key, or the alias's definition.
bool changes(const KeyEdit& e, const console::Command& c) {
  if (c.words.size() < 2) return false;
  if (e.kind == KeyEdit::Kind::Alias) return equalsNoCase(c.words[0], "alias") && equalsNoCase(c.words[1], e.name);
  return equalsNoCase(c.words[0], "bind") && c.words.size() >= 3 && keys::keyName(c.words[1]) == e.name;
}

// Where line `line` (1-based; the console counts line feeds) starts in `bytes`.
std::size_t lineStart(std::string_view bytes, std::size_t line) {
  std::size_t at = 0;
  for (std::size_t n = 1; n < line && at != std::string_view::npos; ++n) {
    at = bytes.find('\n', at);
    if (at != std::string_view::npos) ++at;
  }
  return at == std::string_view::npos ? bytes.size() : at;
}

void applyOne(std::string& bytes, const KeyEdit& e) {
  const std::string text = lineFor(e);
  std::size_t line = 0;
  std::size_t commandsOnLine = 0;
  bool boundBefore = false;  // an earlier line of the file binds the key too
  if (e.inPlace) {
    const std::vector<console::Command> commands = console::commands(bytes);
    for (const console::Command& c : commands)
      if (changes(e, c)) {
        boundBefore = boundBefore || line != 0;
        line = c.line;
      }
    for (const console::Command& c : commands) commandsOnLine += c.line == line ? 1 : 0;
  }
  if (line == 0) {
    // A new line after the last line that holds anything, ending like the line before it.
    const std::size_t last = bytes.find_last_not_of(" \t\r\n");
    const std::size_t feed = last == std::string::npos ? std::string::npos : bytes.find('\n', last);
    if (last == std::string::npos) {
      bytes.insert(0, text + "\r\n");
    } else if (feed == std::string::npos) {
      (bytes += "\r\n") += text;
    } else {
      const bool lfOnly = feed == 0 || bytes[feed - 1] != '\r';
      bytes.insert(feed + 1, text + (lfOnly ? "\n" : "\r\n"));
    }
    return;
  }
  const std::size_t start = lineStart(bytes, line);
  const std::size_t feed = bytes.find('\n', start);
  std::size_t end = feed == std::string::npos ? bytes.size() : feed;
  const bool crLf = end > start && bytes[end - 1] == '\r';
  if (crLf) --end;
  if (commandsOnLine == 1) {
    // The line is the binding alone: it gives way to the new one. An unbind takes it out, unless
    // an earlier line binds the key too: that one would win then, so the unbind takes its place.
    if (e.kind == KeyEdit::Kind::Unbind && !boundBefore)
      bytes.erase(start, feed == std::string::npos ? bytes.size() - start : feed + 1 - start);
    else bytes.replace(start, end - start, text);
    return;
  }
  // Other commands share the line: the change runs right after it, on a line of its own.
  const std::string ending = feed == std::string::npos ? "\r\n" : crLf ? "\r\n" : "\n";
  const std::size_t after = feed == std::string::npos ? bytes.size() : feed + 1;
  bytes.insert(after, feed == std::string::npos ? ending + text : text + ending);
}

}  // namespace

std::string applyKeyEdits(std::string_view name, std::string bytes, const std::vector<KeyEdit>& edits) {
  for (const KeyEdit& e : edits)
    if (e.file == name) applyOne(bytes, e);
  return bytes;
}

keys::KeyTable keysAfterSave(const Model& model, const std::string& gamePath) {
  const keys::FileSource disk = keys::folderSource(gamePath);
  return keys::readKeys([&](const std::string& name) -> std::optional<std::string> {
    for (std::string_view saved : {"config.cfg", "autoexec.cfg"})
      if (equalsNoCase(name, saved)) return savedBytes(model, gamePath, saved);
    return disk(name);
  });
}

KeyEditPlan planKeyEdit(const Model& model, const std::string& gamePath, KeyEdit::Kind kind, std::string_view name,
                        std::string_view command) {
  KeyEditPlan plan;
  const bool alias = kind == KeyEdit::Kind::Alias;
  plan.problem = alias ? keys::aliasNameProblem(name) : keys::keyProblem(name);
  if (plan.problem.empty() && kind != KeyEdit::Kind::Unbind) plan.problem = keys::commandProblem(command);
  if (!plan.problem.empty()) return plan;

  KeyEdit edit{kind, alias ? std::string(name) : *keys::keyName(name), std::string(command), "config.cfg", false};
  const keys::KeyTable now = keysAfterSave(model, gamePath);
  // The line in force, where Save writes the user's lines of its file.
  const keys::Place* place = nullptr;
  if (alias) {
    if (const keys::Alias* a = now.alias(name)) place = &a->place;
  } else if (const keys::Binding* b = now.winner(edit.name); b && b->via.empty()) {
    place = &b->place;
  } else if (kind == KeyEdit::Kind::Unbind && !b) {
    plan.problem = "\"" + edit.name + "\" is not bound";
    return plan;
  }
  if (place && (place->file == "config.cfg" || (place->file == "autoexec.cfg" && model.keepOwnLines))) {
    edit.file = place->file;
    edit.inPlace = true;
  }

  // What the game ends with once Save has written the change.
  const auto holds = [&](const KeyEdit& candidate, std::string* why) {
    Model after = model;
    after.keyEdits.push_back(candidate);
    const keys::KeyTable t = keysAfterSave(after, gamePath);
    if (alias) {
      const keys::Alias* a = t.alias(edit.name);
      if (a && a->commands == edit.command) return true;
      if (a) *why = keys::placeText(a->place) + " defines it again later";
      return false;
    }
    const keys::Binding* b = t.winner(edit.name);
    if (kind == KeyEdit::Kind::Unbind ? !b : b && b->command == edit.command) return true;
    if (b)
      *why = keys::placeText(b->place) + " binds it again later" +
             (b->via.empty() ? "" : " (through alias " + b->via + ")");
    else *why = "a later unbind or unbindall takes it away";
    return false;
  };
  std::string why;
  if (holds(edit, &why)) {
    plan.edit = edit;
    return plan;
  }
  // Else a new line at the end of config.cfg's lines, or of autoexec.cfg, which runs after
  // everything config.cfg and autoexec.cfg run, when Save keeps autoexec.cfg's lines.
  std::vector<KeyEdit> others;
  if (edit.inPlace) others.push_back({kind, edit.name, edit.command, "config.cfg", false});
  if (model.keepOwnLines) others.push_back({kind, edit.name, edit.command, "autoexec.cfg", false});
  for (const KeyEdit& other : others)
    if (std::string unused; holds(other, &unused)) {
      plan.edit = other;
      return plan;
    }
  plan.problem = "the game would not end with this change: " + why + ", in a file that Save does not rewrite";
  return plan;
}

void keyEditsSaved(Model& model) {
  if (!model.keepOwnLines && !model.keyEdits.empty())
    model.configKeptLines = applyKeyEdits("config.cfg", std::move(model.configKeptLines), model.keyEdits);
  model.keyEdits.clear();
}

}  // namespace quillet
