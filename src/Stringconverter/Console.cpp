// The game console's reading of a command file (see Console.h for the rules).
#include "Stringconverter/Console.h"

#include <algorithm>

namespace quillet::console {
namespace {

// The console compares plain (signed) characters with the space: bytes from 0x80 up are
// blanks too, except inside a quoted word.
bool isBlank(char c) { return static_cast<signed char>(c) <= ' '; }
bool isOwnWord(char c) { return c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ':'; }

bool sameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

std::vector<std::string> words(std::string_view command) {
  std::vector<std::string> out;
  std::size_t i = 0;
  const std::size_t n = command.size();
  while (out.size() < kMaxWords) {
    while (i < n && isBlank(command[i])) ++i;
    if (i >= n) break;
    if (command.compare(i, 2, "//") == 0) break;  // a comment to the end of the command
    std::string word;
    if (command[i] == '"') {
      const std::size_t close = command.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? n : close;
      word.assign(command.substr(i + 1, end - i - 1));
      i = close == std::string_view::npos ? n : close + 1;
    } else if (isOwnWord(command[i])) {
      word.assign(1, command[i++]);
    } else {
      const std::size_t start = i;
      do ++i;
      while (i < n && !isBlank(command[i]) && !isOwnWord(command[i]));
      word.assign(command.substr(start, i - start));
    }
    if (word.size() < kMaxWord) out.push_back(std::move(word));
  }
  return out;
}

std::vector<Command> commands(std::string_view fileBytes) {
  std::vector<Command> out;
  std::size_t line = 1;
  std::size_t i = 0;
  const std::size_t n = fileBytes.size();
  while (i < n) {
    const std::size_t startLine = line;
    std::size_t end = i;
    bool quoted = false;
    while (end < n && fileBytes[end] != '\n' && (quoted || fileBytes[end] != ';')) {
      if (fileBytes[end] == '"') quoted = !quoted;
      ++end;
    }
    std::size_t next = end + 1;  // past the line feed or `;` that ends the command
    if (end - i > kMaxCommand) next = end = i + kMaxCommand;
    if (end < n && fileBytes[end] == '\n') ++line;
    std::vector<std::string> w = words(fileBytes.substr(i, end - i));
    if (!w.empty()) out.push_back({std::move(w), startLine});
    i = next;
  }
  return out;
}

std::optional<std::string> valueSet(std::string_view fileBytes, std::string_view variable) {
  std::optional<std::string> value;
  for (Command& c : commands(fileBytes))
    if (c.words.size() > 1 && sameName(c.words[0], variable)) value = std::move(c.words[1]);
  return value;
}

}  // namespace quillet::console
