// Where the game's console finds its commands in a file's bytes, so that one command can be
// read, or replaced, without touching the bytes around it.
//
// The commands and their words are the console's own (Console.h), found by the same scan.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Stringconverter/Console.h"

namespace quillet {

inline constexpr std::size_t kCommandCut = console::kMaxCommand;

struct CommandSpan {
  std::size_t begin = 0;      // the command's first byte
  std::size_t end = 0;        // after its last byte (the `;` or line feed that ends it excluded)
  std::size_t wordsFrom = 0;  // where its first word begins
  std::size_t wordsTo = 0;    // where its last word ends (a comment or blanks may follow)
  bool cut = false;           // cut at kCommandCut: the next command follows with no separator
  int line = 1;               // the line it begins on, from 1
  // Its first three words as the console takes them (quotes removed: views into the file's
  // bytes), and how many it has.
  std::string_view words[3];
  std::size_t wordCount = 0;
  // The first word lower-cased; for "setinfo", "setinfo " and the info key lower-cased.
  std::string key;
};

// Calls `visit` with each command of a file that has at least one word, in order; the span is
// valid during the call only (copy what is kept).
void forEachCommand(std::string_view bytes, const std::function<void(const CommandSpan&)>& visit);
// The same commands in a list.
std::vector<CommandSpan> commandSpans(std::string_view bytes);

}  // namespace quillet
