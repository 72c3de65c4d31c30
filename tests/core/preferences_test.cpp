// Stored preferences, factory defaults and the launch line.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <span>

#include "Stringconverter/StoredPreferences.h"
#include "frmmain/MoreFunctions.h"
#include "settings/ValueForms.h"
#include "test_support.h"

namespace quillet {
namespace {

TEST(StoredPreferences, ComeBackAfterASave) {
  Model saved;
  test::setOptions(
      saved,
      "scrollred=12 | scrollgreen=34 | scrollblue=255 | img_launch(0)=1 | img_launch(3)=1 | img_launch(6)=1 | "
      "txtmaxplayers= | txtipaddress=10.0.0.1 | txtport=27016 | cmbdeafultmap=d\xE9_dust");
  MemoryStore store;
  StorePreferences(saved, store);
  Model restored;
  LoadStoredPreferences(restored, store);
  for (const Option* o : storedInWriteOrder())
    EXPECT_EQ(test::valueText(restored, *o), test::valueText(saved, *o)) << o->control;
  EXPECT_EQ(restored.shortcut,
            "-game cstrike +sv_lan 1 -nomaster -numericping -console -ip 10.0.0.1 -port 27016 -map d\xE9_dust");
}

// Each case of tests/golden/stored-preferences.txt: stored values ("app/section/key=value", " | "
// between them) restored into a fresh model; every value that then differs from a fresh model's.
std::string restored(const std::string& input) {
  MemoryStore store;
  for (std::string_view piece : test::pieces(input)) {
    const std::size_t slash = piece.find('/'), second = piece.find('/', slash + 1), eq = piece.find('=');
    store.save(piece.substr(0, slash), piece.substr(slash + 1, second - slash - 1),
               piece.substr(second + 1, eq - second - 1), piece.substr(eq + 1));
  }
  static const Model fresh;
  Model model;
  LoadStoredPreferences(model, store);
  std::string out = "shows";
  for (const Option& o : catalogue())
    if (test::valueText(model, o) != test::valueText(fresh, o))
      out += " " + std::string(o.control) + "=" + test::valueText(model, o);
  return out;
}

TEST(StoredPreferences, TheFirstBadColourEndsTheRestoreAndOnlyTrueChecks) {
  EXPECT_EQ(test::goldenCasesDiff("stored-preferences.txt", restored), "");
}

// The factory values themselves show in the files writers_test compares after Load defaults, and
// the last slider moved in frmmain_menus_test. Here: what Load defaults leaves alone.
TEST(LoadDefaults, KeepsWhatHasNoFactoryValue) {
  Model model;
  test::setOptions(model, "img_moreserver(5)=1 | img_launch(4)=1 | txtname=Mine");
  LoadDefaults(model);
  EXPECT_TRUE(model.checked(option("img_moreserver(5)")));
  EXPECT_FALSE(model.checked(option("img_launch(4)")));
  EXPECT_TRUE(model.checked(option("img_launch(1)")));
  EXPECT_EQ(model.text(option("txtname")), "Mine");
}

// Each case of tests/golden/launch-lines.txt: the launch line after the options of the row.
std::string launchLine(const std::string& input) {
  Model model;
  test::setOptions(model, input);
  return composeLaunchLine(model);
}

TEST(LaunchLine, FollowsTogglesAndFields) { EXPECT_EQ(test::goldenCasesDiff("launch-lines.txt", launchLine), ""); }

// The catalogue checks itself: every run of lines and every store order is a whole 1..N without
// a gap or a repeat, every option is found by its name (and a toggle by its place), every slider's
// design position lies in its range, every written or read option names its variable, and no file
// holds one variable for two options.
TEST(Catalogue, PlacesOrdersAndOwnersAreWhole) {
  // Where each option of a run stands (or comes in the store).
  const auto at = [](std::span<const Option* const> run, auto where) {
    std::vector<int> v;
    for (const Option* o : run) v.push_back(where(*o));
    return v;
  };
  const auto autoexecAt = [](const Option& o) { return o.writes.autoexec.at; };
  const std::pair<const char*, std::vector<int>> runs[] = {
      {"video", at(sectionLines(Section::Video), autoexecAt)},
      {"client", at(sectionLines(Section::Client), autoexecAt)},
      {"controls", at(sectionLines(Section::Controls), autoexecAt)},
      {"sound", at(sectionLines(Section::Sound), autoexecAt)},
      {"server block", at(sectionLines(Section::Server), [](const Option& o) { return o.writes.server; })},
      {"config", at(configLines(), [](const Option& o) { return o.writes.config; })},
      {"store", at(storedInWriteOrder(), [](const Option& o) { return o.storeAt; })},
      {"restore", at(storedInRestoreOrder(), [](const Option& o) { return o.restoreAt; })},
  };
  for (const auto& [name, places] : runs)
    for (std::size_t i = 0; i < places.size(); ++i) EXPECT_EQ(places[i], static_cast<int>(i) + 1) << name;
  EXPECT_EQ(findToggle(Table::Client, 6)->kind, Kind::Hidden);
  EXPECT_EQ(findToggle(Table::Video, 4), nullptr);

  std::map<std::pair<std::string, std::string_view>, std::set<const Option*>> owners;
  for (const Option& o : catalogue()) {
    EXPECT_EQ(findOption(o.control), &o) << o.control;
    if (o.isToggle()) {
      EXPECT_EQ(findToggle(o.table, o.index), &o) << o.control;
    }
    if (o.kind == Kind::Slider) {
      EXPECT_LE(o.min, o.design) << o.control;
      EXPECT_LE(o.design, o.max) << o.control;
      EXPECT_FALSE(valueLabelText(o, o.design).empty()) << o.control;
    }
    const bool written = o.writes.autoexec.at || o.writes.server || o.writes.config;
    if (written || o.autoexecRead != Read::None || o.configRead != Read::None) {
      EXPECT_FALSE(o.cvar.empty()) << o.control;
    }
    if (written) {
      EXPECT_NE(o.form, Form::None) << o.control;
    }
    EXPECT_EQ(o.storeKey.empty(), o.storeAt == 0) << o.control;
    EXPECT_EQ(o.storeAt == 0, o.restoreAt == 0) << o.control;
    if (o.writes.autoexec.at || o.writes.server) owners[{"autoexec", o.cvar}].insert(&o);
    if (o.writes.server) owners[{"server", o.cvar}].insert(&o);
    if (o.writes.config) owners[{"config", o.cvar}].insert(&o);
  }
  for (const auto& [key, who] : owners) EXPECT_EQ(who.size(), 1u) << key.first << " " << key.second;
}

}  // namespace
}  // namespace quillet
