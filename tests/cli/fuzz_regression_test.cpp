// Inputs that once broke a fuzz target's check (tests/fixtures/fuzz/<target>/) and hostile inputs
// every target must survive (tests/fixtures/fuzz/every/): each runs through the same check as the
// libFuzzer harness, which starts from them too (scripts/fuzz.sh). roundtrip/config-last-kept-*:
// config.cfg's last kept line lost its tab on Save, so its word 1 became an owned name and the
// line was dropped at the next load: the second Save wrote another config.cfg.
#include <gtest/gtest.h>

#include <filesystem>

#include "../../fuzz/Checks.h"
#include "../core/test_support.h"

namespace quillet::fuzz {
namespace {

namespace fs = std::filesystem;

TEST(FuzzChecks, InputsHoldInTheirTargets) {
  for (const auto& dir : fs::directory_iterator(test::fixtureDir() / "fuzz")) {
    const std::string target = dir.path().filename().string();
    ASSERT_TRUE(target == "every" || checkFor(target)) << "no fuzz target " << target;
    for (const auto& file : fs::directory_iterator(dir))
      for (const Target& t : targets())
        if (target == "every" || target == t.name) {
          EXPECT_EQ(t.check(test::TempDir::readFile(file)), "") << t.name << " on " << file.path();
        }
  }
}

}  // namespace
}  // namespace quillet::fuzz
