// Key bindings and aliases as the game ends up with them: the files it runs at start, read by
// the console's rules, in the order it runs them.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::keys {

// The game's names of the keys that are not a printable character, in the order a person
// finds them on a keyboard and a mouse.
const std::vector<std::string_view>& namedKeys();

// The game's name of the key `word` names, matched without regard to case: a named key in
// capitals ("MOUSE1", "KP_ENTER"), any other printable character as its lower-case self ("w",
// "~"); nullopt for a word the game knows no key by.
std::optional<std::string> keyName(std::string_view word);

// Where a command stands: the file as the game names it ("config.cfg", "cfg/buy.cfg") and its
// 1-based line.
struct Place {
  std::string file;
  std::size_t line = 0;
  bool operator==(const Place&) const = default;
};

struct Binding {
  std::string key;      // the game's name (keyName)
  std::string command;  // what the key runs
  Place place;
  std::string via;  // the alias whose run made the binding, empty for a file's own command
  enum class State { InForce, Overridden, Unbound };
  State state = State::InForce;
  // For Overridden and Unbound: the command that ended it (a later binding of the key, an
  // unbind or an unbindall).
  Place endedBy;
};

struct Alias {
  std::string name;      // as the file spells it
  std::string commands;  // what it runs
  Place place;
  bool inForce = true;  // false once a later definition of the name replaced it
  bool used = false;    // a binding in force, or an alias in force, runs it
};

struct KeyTable {
  // In the order the game runs them; every key's last one in force is the one that wins.
  std::vector<Binding> bindings;
  std::vector<Alias> aliases;
  // What was not followed, in order: "autoexec.cfg line 3: exec userconfig.cfg: not in the
  // game folder".
  std::vector<std::string> notes;

  // The binding of `key` (any case) in force, or nullptr.
  const Binding* winner(std::string_view key) const;
  // The alias definition of `name` (any case) in force, or nullptr.
  const Alias* alias(std::string_view name) const;
};

// The bytes of a file of the game folder by the name an exec line gives it (relative to the
// folder), or nullopt when there is no such file.
using FileSource = std::function<std::optional<std::string>(const std::string& name)>;

// The game's start: config.cfg, then autoexec.cfg, each followed into the files it execs.
KeyTable readKeys(const FileSource& files);

// The files of the game folder `gamePath`: a name that leaves the folder (absolute, or through
// "..") is not read; a name is matched without regard to case, as on the game's own system.
FileSource folderSource(const std::string& gamePath);

// What a binding's or an alias's state is, in words: "in force", "overridden at config.cfg:12",
// "unbound at autoexec.cfg:3"; "in force, used", "in force, unused", "replaced".
std::string stateText(const Binding& binding);
std::string stateText(const Alias& alias);
std::string placeText(const Place& place);  // "config.cfg:12"

// The commands a binding or an alias runs, as the console splits its text: each as its words
// joined by single blanks.
std::vector<std::string> splitCommands(std::string_view text);

// The lines Quillet writes: bind "KEY" "COMMAND", unbind "KEY", alias "NAME" "COMMANDS".
std::string bindLine(std::string_view key, std::string_view command);
std::string unbindLine(std::string_view key);
std::string aliasLine(std::string_view name, std::string_view commands);

// Why the console would not run the line Quillet writes as the one binding or alias asked
// for, in words for the person who typed it; empty when it would. Refused: a key the game does
// not know, an alias name that is not one word of the console, an empty command, a `"` inside
// the command (it would end the quoted text early), a line break or another control
// character, and a command so long that the console drops or cuts it.
std::string keyProblem(std::string_view key);
std::string commandProblem(std::string_view command);
std::string aliasNameProblem(std::string_view name);

// The longest command a binding or an alias can carry: the console drops a word of 515 bytes
// or more, and the command is one quoted word of the line.
inline constexpr std::size_t kMaxCommandBytes = 514;
// Alias names are held in 32 bytes with their end.
inline constexpr std::size_t kMaxAliasName = 31;

}  // namespace quillet::keys
