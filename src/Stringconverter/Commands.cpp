#include "Stringconverter/Commands.h"

#include "Stringconverter/Console.h"
#include "platform/Text.h"

namespace quillet {
namespace {

void lower(std::string_view s, std::string& out) {
  out.assign(s);
  for (char& c : out) c = lowerAscii(c);
}

// Fills the words of the command `span` of `bytes`.
void splitWords(std::string_view bytes, CommandSpan& span) {
  bool first = true;
  console::forEachWord(bytes.substr(span.begin, span.end - span.begin),
                       [&](std::size_t start, std::size_t end, std::string_view word) {
                         if (first) span.wordsFrom = span.begin + start;
                         first = false;
                         span.wordsTo = span.begin + end;
                         if (word.size() >= console::kMaxWord) return true;  // the console drops it
                         if (span.wordCount < 3) span.words[span.wordCount] = word;
                         ++span.wordCount;
                         return true;
                       });
}

}  // namespace

void forEachCommand(std::string_view bytes, const std::function<void(const CommandSpan&)>& visit) {
  CommandSpan span;
  int line = 1;
  for (std::size_t i = 0; i < bytes.size();) {
    span.wordCount = 0;
    span.words[0] = span.words[1] = span.words[2] = {};
    span.wordsFrom = span.wordsTo = 0;
    span.begin = i;
    span.line = line;
    const console::CommandEnd e = console::commandEnd(bytes, i);
    span.end = e.end;
    span.cut = e.cut;
    if (!e.cut && e.end < bytes.size() && bytes[e.end] == '\n') ++line;
    i = e.next;
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
