// How the game's console reads a command file: which commands it runs and with which words.
// Quillet uses it to check that what it writes is what the game will set, and to read a
// command the way the game would.
//
// The rules, as the console applies them:
// - The file is split into commands at every line feed and at every `;` outside double quotes.
//   The quote state starts even on each command and flips at every `"`, even one inside a `//`
//   comment.
// - A command longer than kMaxCommand bytes is cut there; the rest runs as the next command.
// - A command is split into words. Blanks are the bytes up to 0x20 and, outside quotes, the bytes
//   from 0x80 up (the console compares signed characters). A word that begins with `//` starts a
//   comment to the end of the command. A word that begins with `"` runs to the next `"` or to the
//   end of the command, without its quotes and without escapes. Each of `{ } ( ) ' :` is a word
//   of its own and ends the word before it. A `"` inside a word is part of it.
// - Words of kMaxWord bytes or more are dropped; the first kMaxWords words are kept.
// - A variable is set from its first argument only; without an argument it is only printed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::console {

inline constexpr std::size_t kMaxCommand = 1023;  // longer commands are cut here
inline constexpr std::size_t kMaxWord = 515;      // words this long or longer are dropped
inline constexpr std::size_t kMaxWords = 80;      // words after these are ignored

struct Command {
  std::vector<std::string> words;  // never empty
  std::size_t line = 0;            // the 1-based line of the file the command starts on
};

// Where the command that starts at `from` of a file's bytes ends, as the console splits a file.
struct CommandEnd {
  std::size_t end = 0;   // past its last byte; the `;` or line feed that ends it is not part of it
  std::size_t next = 0;  // where the next command starts
  bool cut = false;      // cut at kMaxCommand: the next command follows with no separator
};
CommandEnd commandEnd(std::string_view bytes, std::size_t from);

// Each word of `command` in order, as the console splits it, whatever its length:
// `visit(start, end, word)` with the bytes [start, end) the word takes in `command` (its quotes
// included) and the word without its quotes; returning false stops the scan.
template <class Visit>
void forEachWord(std::string_view command, Visit&& visit) {
  const auto isBlank = [](char c) { return static_cast<signed char>(c) <= ' '; };
  const auto isOwnWord = [](char c) { return c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ':'; };
  const std::size_t n = command.size();
  for (std::size_t i = 0;;) {
    while (i < n && isBlank(command[i])) ++i;
    if (i >= n || command.compare(i, 2, "//") == 0) return;  // a comment to the end of the command
    const std::size_t start = i;
    std::string_view word;
    if (command[i] == '"') {
      const std::size_t close = command.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? n : close;
      word = command.substr(i + 1, end - i - 1);
      i = close == std::string_view::npos ? n : close + 1;
    } else if (isOwnWord(command[i])) {
      word = command.substr(i++, 1);
    } else {
      do ++i;
      while (i < n && !isBlank(command[i]) && !isOwnWord(command[i]));
      word = command.substr(start, i - start);
    }
    if (!visit(start, i, word)) return;
  }
}

// The commands the game runs from a file's bytes, in order; commands without words are left out.
std::vector<Command> commands(std::string_view fileBytes);

// One command's words (at most kMaxWords, none of kMaxWord bytes or more).
std::vector<std::string> words(std::string_view command);

// The value a file leaves `variable` with: the first argument of the last command whose first
// word is `variable` (compared without regard to ASCII case, as the console finds its
// variables) and that has an argument; nullopt when no command sets it.
std::optional<std::string> valueSet(std::string_view fileBytes, std::string_view variable);

}  // namespace quillet::console
