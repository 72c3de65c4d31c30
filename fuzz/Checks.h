// What must hold for any input bytes, one check per fuzz target. The libFuzzer harnesses abort
// on a failed check; the regression tests run the inputs that once failed through the same
// checks. Each check returns an empty text when everything held, else what went wrong.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::fuzz {

using Check = std::string (*)(std::string_view bytes);

struct Target {
  std::string_view name;
  Check check;
};

// autoexec, config, mapcycle, motd, briefing, fields, store, set, roundtrip, keys.
std::span<const Target> targets();
Check checkFor(std::string_view target);

// Splits bytes at NUL into at most `count` pieces (the last one takes the rest).
std::vector<std::string_view> splitAtNul(std::string_view bytes, std::size_t count);

}  // namespace quillet::fuzz
