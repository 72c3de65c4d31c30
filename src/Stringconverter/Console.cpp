// The game console's reading of a command file (see Console.h for the rules).
#include "Stringconverter/Console.h"

#include "platform/Text.h"

namespace quillet::console {

CommandEnd commandEnd(std::string_view bytes, std::size_t from) {
  std::size_t end = from;
  bool quoted = false;
  while (end < bytes.size() && bytes[end] != '\n' && (quoted || bytes[end] != ';')) {
    if (bytes[end] == '"') quoted = !quoted;
    ++end;
  }
  if (end - from > kMaxCommand) return {from + kMaxCommand, from + kMaxCommand, true};
  return {end, end + 1, false};
}

std::vector<std::string> words(std::string_view command) {
  std::vector<std::string> out;
  forEachWord(command, [&](std::size_t, std::size_t, std::string_view word) {
    if (word.size() < kMaxWord) out.emplace_back(word);
    return out.size() < kMaxWords;
  });
  return out;
}

std::vector<Command> commands(std::string_view fileBytes) {
  std::vector<Command> out;
  std::size_t line = 1;
  for (std::size_t i = 0; i < fileBytes.size();) {
    const CommandEnd e = commandEnd(fileBytes, i);
    std::vector<std::string> w = words(fileBytes.substr(i, e.end - i));
    if (!w.empty()) out.push_back({std::move(w), line});
    if (!e.cut && e.end < fileBytes.size() && fileBytes[e.end] == '\n') ++line;
    i = e.next;
  }
  return out;
}

std::optional<std::string> valueSet(std::string_view fileBytes, std::string_view variable) {
  std::optional<std::string> value;
  for (Command& c : commands(fileBytes))
    if (c.words.size() > 1 && equalsNoCase(c.words[0], variable)) value = std::move(c.words[1]);
  return value;
}

}  // namespace quillet::console
