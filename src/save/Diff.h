// Unified diffs of text files, for showing what Save would change.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// The unified diff (three lines of context) that turns `before` into `after`, headed
// "--- name" and "+++ name". Lines are shown without their line end (CR LF or LF); any other
// carriage return shows as "\r", those just before the line end only on a removed or added
// line that differs from its counterpart by them alone. Empty when the two are equal.
std::string unifiedDiff(std::string_view name, std::string_view before, std::string_view after);

}  // namespace quillet
