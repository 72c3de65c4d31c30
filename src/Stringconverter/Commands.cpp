#include "Stringconverter/Commands.h"

namespace quillet {
namespace {

constexpr std::size_t kWordDropped = 515;

bool isBlank(char c, bool quoted) {
  const auto u = static_cast<unsigned char>(c);
  return u <= 0x20 || (!quoted && u >= 0x80);
}
bool isOwnWord(char c) { return c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ':'; }

void lower(std::string_view s, std::string& out) {
  out.assign(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

// Fills the words of the command `span` of `bytes`.
void splitWords(std::string_view bytes, CommandSpan& span) {
  std::size_t i = span.begin;
  const std::size_t n = span.end;
  bool first = true;
  while (true) {
    while (i < n && isBlank(bytes[i], false)) ++i;
    if (i >= n || bytes.compare(i, 2, "//") == 0) break;
    const std::size_t start = i;
    std::string_view word;
    if (bytes[i] == '"') {
      std::size_t close = i + 1;
      while (close < n && bytes[close] != '"') ++close;
      word = bytes.substr(i + 1, close - i - 1);
      i = close < n ? close + 1 : n;
    } else if (isOwnWord(bytes[i])) {
      word = bytes.substr(i++, 1);
    } else {
      do ++i;
      while (i < n && !isBlank(bytes[i], false) && !isOwnWord(bytes[i]));
      word = bytes.substr(start, i - start);
    }
    if (first) span.wordsFrom = start;
    first = false;
    span.wordsTo = i;
    if (word.size() >= kWordDropped) continue;  // the console drops a word this long
    if (span.wordCount < 3) span.words[span.wordCount] = word;
    ++span.wordCount;
  }
}

}  // namespace

void forEachCommand(std::string_view bytes, const std::function<void(const CommandSpan&)>& visit) {
  CommandSpan span;
  int line = 1;
  for (std::size_t i = 0; i < bytes.size();) {
    span.wordCount = 0;
    span.words[0] = span.words[1] = span.words[2] = {};
    span.wordsFrom = span.wordsTo = 0;
    span.cut = false;
    span.begin = i;
    span.line = line;
    std::size_t end = i;
    bool quoted = false;
    while (end < bytes.size() && bytes[end] != '\n' && (quoted || bytes[end] != ';')) {
      if (bytes[end] == '"') quoted = !quoted;
      ++end;
    }
    std::size_t next = end + 1;
    if (end - i > kCommandCut) {
      next = end = i + kCommandCut;
      span.cut = true;
    } else if (end < bytes.size() && bytes[end] == '\n') {
      ++line;
    }
    span.end = end;
    i = next;
    splitWords(bytes, span);
    if (span.wordCount == 0) continue;
    lower(span.words[0], span.key);
    if (span.key == "setinfo") {
      std::string info;
      lower(span.words[1], info);
      span.key.append(1, ' ').append(info);
    }
    visit(span);
  }
}

std::vector<CommandSpan> commandSpans(std::string_view bytes) {
  std::vector<CommandSpan> out;
  forEachCommand(bytes, [&](const CommandSpan& c) { out.push_back(c); });
  return out;
}

}  // namespace quillet
