#include "save/Diff.h"

#include <dtl/dtl.hpp>

#include <sstream>
#include <vector>

namespace quillet {
namespace {

// The lines of a text, each without its end; a last line without an end is marked so, so that
// adding or dropping the final line end shows as a change.
std::vector<std::string> displayLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    const bool ended = end != std::string_view::npos;
    if (!ended) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (ended && line.ends_with('\r')) line.remove_suffix(1);
    std::string shown;
    for (char c : line) {
      if (c == '\r') shown += "\\r";
      else shown += c;
    }
    if (!ended) shown += "  (no line end)";
    lines.push_back(std::move(shown));
    pos = ended ? end + 1 : end;
  }
  return lines;
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
  if (diff.getUniHunks().empty()) out << "(only the line ends differ)\n";
  else diff.printUnifiedFormat(out);
  return out.str();
}

}  // namespace quillet
