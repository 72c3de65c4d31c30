#include "save/Diff.h"

#include <dtl/dtl.hpp>

#include <sstream>
#include <vector>

namespace quillet {
namespace {

// Parts a displayed line's text from its line end's extra carriage returns (which the diff
// compares, and shows only where two lines differ by them alone).
constexpr char kEndMark = '\x01';

// The lines of a text, each without its end; a last line without an end is marked so, so that
// adding or dropping the final line end shows as a change. Carriage returns before the line
// end follow kEndMark as "\r" each; a carriage return inside the line shows as "\r" (and
// the mark's own byte as "\x01").
std::vector<std::string> displayLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    const bool ended = end != std::string_view::npos;
    if (!ended) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (ended && line.ends_with('\r')) line.remove_suffix(1);
    std::size_t extra = 0;
    while (ended && extra < line.size() && line[line.size() - 1 - extra] == '\r') ++extra;
    line.remove_suffix(extra);
    std::string shown;
    for (char c : line) {
      if (c == '\r') shown += "\\r";
      else if (c == kEndMark) shown += "\\x01";
      else shown += c;
    }
    if (extra > 0) {
      shown += kEndMark;
      for (std::size_t i = 0; i < extra; ++i) shown += "\\r";
    }
    if (!ended) shown += "  (no line end)";
    lines.push_back(std::move(shown));
    pos = ended ? end + 1 : end;
  }
  return lines;
}

// The printed diff with each line end's carriage returns shown only on a removed or added line
// whose text another line of the same change has with a different end: elsewhere (the header
// lines of the program's files end in an extra one) they would only hide the text.
std::string showDifferingEnds(const std::string& printed) {
  std::vector<std::string> lines;
  std::istringstream in(printed);
  for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
  const auto changed = [&](std::size_t i) { return !lines[i].empty() && (lines[i][0] == '-' || lines[i][0] == '+'); };
  const auto text = [](const std::string& line) { return std::string_view(line).substr(1, line.find(kEndMark) - 1); };
  std::string out;
  for (std::size_t first = 0; first < lines.size();) {
    // One run of removed and added lines, or one other line.
    std::size_t last = first + 1;
    while (changed(first) && last < lines.size() && changed(last)) ++last;
    for (std::size_t i = first; i < last; ++i) {
      std::string line = lines[i];
      const std::size_t mark = line.find(kEndMark);
      if (mark != std::string::npos) {
        bool differs = false;
        for (std::size_t j = first; j < last && changed(i) && !differs; ++j)
          differs = lines[j][0] != line[0] && text(lines[j]) == text(line) &&
                    std::string_view(lines[j]).substr(1) != std::string_view(line).substr(1);
        if (differs) line.erase(mark, 1);
        else line.erase(mark);
      }
      (out += line) += '\n';
    }
    first = last;
  }
  return out;
}

}  // namespace

std::string unifiedDiff(std::string_view name, std::string_view before, std::string_view after) {
  if (before == after) return {};
  const std::vector<std::string> a = displayLines(before), b = displayLines(after);
  dtl::Diff<std::string, std::vector<std::string>> diff(a, b);
  diff.compose();
  diff.composeUnifiedHunks();
  std::ostringstream out;
  out << "--- " << name << "\n+++ " << name << "\n";
  if (diff.getUniHunks().empty()) {
    out << "(only the line ends differ)\n";
    return out.str();
  }
  std::ostringstream hunks;
  diff.printUnifiedFormat(hunks);
  return out.str() + showDifferingEnds(hunks.str());
}

}  // namespace quillet
