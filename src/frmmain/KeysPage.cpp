// The Keys page of the main window: the bindings and aliases the game runs, the changes made
// since the load, and the editors of one binding and one alias.
#include <algorithm>

#include "Stringconverter/Keys.h"
#include "frmmain/frmmain.h"
#include "platform/Text.h"
#include "save/KeyLines.h"

namespace quillet {
namespace {

bool holds(std::string_view text, const std::string& lowerFilter) {
  return lowerFilter.empty() || lowerAscii(text).find(lowerFilter) != std::string::npos;
}

std::string joined(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) (out += out.empty() ? "" : " | ") += p;
  return out;
}

constexpr std::string_view kNextSave = "at the next Save";

// What each control of the page is for, said on the help line when it takes the focus.
constexpr std::pair<std::string_view, std::string_view> kKeysHelp[] = {
    {"txtkeyfilter", " Shows only the bindings and aliases that hold this text: a key, a command or a file."},
    {"tblkeys",
     " Every key binding the game runs, in its order: config.cfg, then autoexec.cfg and the files they "
     "exec. A key bound twice shows the binding that wins and, overridden, the earlier ones."},
    {"cmdchangekey", " Takes the next key, mouse button or wheel step as the key to bind; Tab, Escape and Enter too."},
    {"txtkeycommand",
     " What the key runs: commands split by ; (no \" inside). Checked as the game's console reads it."},
    {"cmdbindkey", " Binds the key to the command at the next Save, on its own line."},
    {"cmdunbindkey", " Takes the key's binding away at the next Save: its line goes, or an unbind line is written."},
    {"tblaliases", " Every alias the game defines, where, and whether a binding or another alias runs it."},
    {"txtaliasname", " The alias's name: one word, run like a command."},
    {"txtaliascommands", " What the alias runs: commands split by ; (no \" inside)."},
    {"cmdsetalias", " Defines the alias at the next Save, where it is defined or on a new line of config.cfg."},
};

}  // namespace

void frmmain::refreshKeys() {
  keyTable_ = gamePath_.empty() ? keys::KeyTable{} : keys::readKeys(keys::folderSource(gamePath_));
  showKeys();
}

void frmmain::showKeys() {
  keyRows_.clear();
  aliasRows_.clear();
  const keys::KeyTable& table = keyTable_;
  const std::string filter = lowerAscii(keyFilter_);
  const auto changed = [&](KeyEdit::Kind kind, std::string_view name) {
    const bool alias = kind == KeyEdit::Kind::Alias;
    return std::any_of(model_.keyEdits.begin(), model_.keyEdits.end(), [&](const KeyEdit& e) {
      return (e.kind == KeyEdit::Kind::Alias) == alias && (alias ? equalsNoCase(e.name, name) : e.name == name);
    });
  };
  const auto keyRow = [&](KeyRow row) {
    if (holds(row.key, filter) || holds(row.command, filter) || holds(row.place, filter) || holds(row.state, filter))
      keyRows_.push_back(std::move(row));
  };
  for (const keys::Binding& b : table.bindings) {
    std::string state = keys::stateText(b);
    const bool inForce = b.state == keys::Binding::State::InForce;
    if (!b.via.empty()) state += " (run by alias " + b.via + ")";
    if (inForce && changed(KeyEdit::Kind::Bind, b.key)) state = "changed " + std::string(kNextSave);
    else if (inForce && b.place.file == "autoexec.cfg" && !model_.keepOwnLines)
      state += "; replaced at the next Save (Settings > Keep my own lines keeps it)";
    keyRow({b.key, b.command, keys::placeText(b.place), std::move(state), inForce});
  }
  for (const KeyEdit& e : model_.keyEdits)
    if (e.kind != KeyEdit::Kind::Alias)
      keyRow({e.name, e.kind == KeyEdit::Kind::Bind ? e.command : "", e.file,
              (e.kind == KeyEdit::Kind::Bind ? "bound " : "unbound ") + std::string(kNextSave), true});
  for (const keys::Alias& a : table.aliases) {
    std::string state = keys::stateText(a);
    if (a.inForce && changed(KeyEdit::Kind::Alias, a.name)) state = "changed " + std::string(kNextSave);
    else if (a.inForce && a.place.file == "autoexec.cfg" && !model_.keepOwnLines)
      state += "; replaced at the next Save (Settings > Keep my own lines keeps it)";
    if (holds(a.name, filter) || holds(a.commands, filter) || holds(a.place.file, filter))
      aliasRows_.push_back({a.name, a.commands, keys::placeText(a.place), std::move(state)});
  }
  for (const KeyEdit& e : model_.keyEdits)
    if (e.kind == KeyEdit::Kind::Alias && (holds(e.name, filter) || holds(e.command, filter)))
      aliasRows_.push_back({e.name, e.command, e.file, "defined " + std::string(kNextSave)});
  if (view_) view_->keysChanged();
}

void frmmain::keysControl_GotFocus(std::string_view control) {
  for (const auto& [name, help] : kKeysHelp)
    if (name == control) ShowHelp(help);
}

void frmmain::txtkeyfilter_Change(std::string text) {
  keyFilter_ = std::move(text);
  showKeys();
  ShowHelp(" Shows only the bindings and aliases that hold this text: a key, a command or a file.");
}

void frmmain::keyRow_Click(int row) {
  if (row < 0 || row >= static_cast<int>(keyRows_.size())) return;
  editedKey_ = keyRows_[static_cast<std::size_t>(row)].key;
  keyCommand_ = keyRows_[static_cast<std::size_t>(row)].command;
  checkKeyEdit();
  if (view_) view_->keysChanged();
  ShowHelp(
      " The binding's key and command are in the fields below: change them, then Bind, or Remove the "
      "binding.");
}

void frmmain::aliasRow_Click(int row) {
  if (row < 0 || row >= static_cast<int>(aliasRows_.size())) return;
  aliasName_ = aliasRows_[static_cast<std::size_t>(row)].name;
  aliasCommands_ = aliasRows_[static_cast<std::size_t>(row)].commands;
  checkAliasEdit();
  if (view_) view_->keysChanged();
  ShowHelp(" The alias is in the fields below: change its commands, then Set alias.");
}

void frmmain::cmdchangekey_Click() {
  ShowHelp(
      " Press the key, the mouse button or turn the wheel that should run the command; every key counts, "
      "Tab, Escape and Enter too. Cancel keeps the key.");
}

void frmmain::keyCaptured(std::string_view key) {
  const std::optional<std::string> name = keys::keyName(key);
  if (!name) {
    ShowHelp(" The game has no name for that key; choose another.");
    return;
  }
  editedKey_ = *name;
  checkKeyEdit();
  if (view_) view_->keysChanged();
  std::string said = " Key " + editedKey_ + ".";
  for (const KeyRow& row : keyRows_)
    if (row.inForce && row.key == editedKey_)
      said += " It is bound to \"" + row.command + "\" (" + row.place + "); Bind replaces that.";
  ShowHelp(said);
}

void frmmain::txtkeycommand_Change(std::string text) {
  keyCommand_ = std::move(text);
  checkKeyEdit();
  if (view_) view_->keysChanged();
  ShowHelp(" " + keyCheck_);
}

void frmmain::checkKeyEdit() {
  std::string problem = editedKey_.empty() ? "Choose a key first: Change key..." : keys::keyProblem(editedKey_);
  if (problem.empty()) problem = keys::commandProblem(keyCommand_);
  keyAccepted_ = problem.empty();
  keyCheck_ = keyAccepted_ ? "Runs: " + joined(keys::splitCommands(keyCommand_)) : "Refused: " + problem;
}

void frmmain::txtaliasname_Change(std::string text) {
  aliasName_ = std::move(text);
  checkAliasEdit();
  if (view_) view_->keysChanged();
  ShowHelp(" " + aliasCheck_);
}

void frmmain::txtaliascommands_Change(std::string text) {
  aliasCommands_ = std::move(text);
  checkAliasEdit();
  if (view_) view_->keysChanged();
  ShowHelp(" " + aliasCheck_);
}

void frmmain::checkAliasEdit() {
  std::string problem = keys::aliasNameProblem(aliasName_);
  if (problem.empty()) problem = keys::commandProblem(aliasCommands_);
  aliasAccepted_ = problem.empty();
  aliasCheck_ = aliasAccepted_ ? "Runs: " + joined(keys::splitCommands(aliasCommands_)) : "Refused: " + problem;
}

void frmmain::keyEditMade(KeyEdit::Kind kind, const std::string& name, const std::string& command) {
  const KeyEditPlan plan = planKeyEdit(model_, gamePath_, kind, name, command);
  if (!plan.edit) {
    ShowHelp(" Refused: " + plan.problem);
    return;
  }
  model_.keyEdits.push_back(*plan.edit);
  showKeys();
  ShowHelp(" Done at the next Save: " + std::string(plan.edit->inPlace ? "its line of " : "a new line of ") +
           plan.edit->file + " changes.");
}

void frmmain::cmdbindkey_Click() {
  checkKeyEdit();
  if (!keyAccepted_) return ShowHelp(" " + keyCheck_);
  keyEditMade(KeyEdit::Kind::Bind, editedKey_, keyCommand_);
}

void frmmain::cmdunbindkey_Click() {
  if (editedKey_.empty()) return ShowHelp(" Choose the binding to remove in the table, or a key: Change key...");
  keyEditMade(KeyEdit::Kind::Unbind, editedKey_, {});
}

void frmmain::cmdsetalias_Click() {
  checkAliasEdit();
  if (!aliasAccepted_) return ShowHelp(" " + aliasCheck_);
  keyEditMade(KeyEdit::Kind::Alias, aliasName_, aliasCommands_);
}

}  // namespace quillet
