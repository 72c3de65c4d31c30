// --set NAME=VALUE: control names, console variables, ranges and refusals.
#include <gtest/gtest.h>

#include <string>

#include "../core/test_support.h"
#include "cli/Cli.h"

namespace quillet {
namespace {

// tests/golden/cli/set.txt: each text with the option it sets and that option's state afterwards,
// or the whole message that refuses it.
TEST(cliSet, ValuesReachTheirOptionOrAreRefused) {
  const auto set = [](const std::string& text) {
    const SetParse p = parseSet(text);
    if (!p.assignment) return "refused: " + p.error;
    Model model;
    applyAssignment(*p.assignment, model);
    return std::string(p.assignment->option->control) + " = " + test::valueText(model, *p.assignment->option);
  };
  EXPECT_EQ(test::goldenCasesDiff("cli/set.txt", set), "");
}

}  // namespace
}  // namespace quillet
