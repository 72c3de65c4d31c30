// Key bindings and aliases changed on the Keys page or by quillet-cli bind, unbind and alias:
// the lines Save writes for them, and the check that the game will end with what was asked.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Stringconverter/Keys.h"
#include "settings/Model.h"

namespace quillet {

// `bytes` (the bytes Save writes for the file `name`, or config.cfg's kept lines) with every
// edit aimed at that file made, in order: an edit in place replaces the last line that binds
// its key or defines its alias when that line holds nothing else (an unbind removes it), and
// otherwise goes on a new line right after it; any other edit is a new line at the end. Every
// other byte stays as it is; a new line ends like the line before it (CR LF unless that one
// ends with LF alone).
std::string applyKeyEdits(std::string_view name, std::string bytes, const std::vector<KeyEdit>& edits);

// The bindings and aliases the game will run after the next Save: config.cfg and autoexec.cfg
// as Save would write them (with the model's key edits), every other file as it is.
keys::KeyTable keysAfterSave(const Model& model, const std::string& gamePath);

// A change asked for, checked by the console's rules and placed: the line it changes, or the
// reason it is refused (nothing is changed then).
struct KeyEditPlan {
  std::optional<KeyEdit> edit;
  std::string problem;
};
// Bind `name` (a key) to `command`, unbind it, or define the alias `name` as `command`. The
// edit goes where the binding in force stands when Save writes that file with the user's
// lines (config.cfg, and autoexec.cfg with "Keep my own lines"), otherwise on a new line of
// config.cfg (autoexec.cfg when config.cfg's line would be overridden later and the mode keeps
// autoexec.cfg's lines). It is refused when the game, reading the files as Save would leave
// them, would still not end with what was asked.
KeyEditPlan planKeyEdit(const Model& model, const std::string& gamePath, KeyEdit::Kind kind, std::string_view name,
                        std::string_view command = {});

// After a Save wrote them: in the default mode config.cfg's kept lines take the changes made
// among them; the changes are done, so that the next Save does not make them again.
void keyEditsSaved(Model& model);

}  // namespace quillet
