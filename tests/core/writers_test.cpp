// The bytes Save writes: every option's line in both states, and every file's layout.
#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <set>

#include "test_support.h"
#include "frmmain/MoreFunctions.h"
#include "Stringconverter/Console.h"
#include "Stringconverter/Readers.h"
#include "save/Save.h"
#include "settings/ValueForms.h"

namespace quillet {
namespace {

// The line of the first option of a row of tests/golden/console-lines.txt (both states of every
// toggle and every slider at its default and at either end: the golden files of the Files tests).
std::string lineAfter(const std::string& input) {
  Model model;
  test::setOptions(model, input);
  return consoleLine(model, option(input.substr(0, input.find('='))));
}

TEST(ConsoleLine, ValueFormsAndTexts) {
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // a comma locale must not change "."
  EXPECT_EQ(test::goldenCasesDiff("console-lines.txt", lineAfter), "");
  std::setlocale(LC_ALL, "C");
}

// Every text option set to hostile texts (each byte at the start, in the middle and at the end,
// the console's limits and its special words): the text is refused as typed, or the game's
// console, reading every file it is written into, runs the same commands as before and sets
// exactly that text, and the readers take it back.
TEST(ConsoleLine, TextsReachTheGameWholeOrAreRefused) {
  std::vector<std::string> hostile = {
      "Red Fox", ";quit", "a\";bind w quit", "\"x\"", "\xC9mile", "\xC4\xD6\xDC", "O'Neil", "Srv:27015", "{x}",
      "(x)",     "//x",   "a // b;c",        " x ",   "a\\"};
  for (int b = 1; b < 256; ++b) {
    const std::string c(1, static_cast<char>(b));
    for (const std::string& v : {c, c + "ab", "a" + c + "b", "ab" + c}) hostile.push_back(v);
  }
  for (const std::size_t n : {126, 127, 128, 514, 515, 1017, 1018, 1023}) {
    hostile.push_back(std::string(n, 'A'));
    hostile.push_back(std::string(n - 1, 'A') + " bind w quit;");
  }
  using Text = std::string (*)(const Model&);
  static constexpr Text kTexts[] = {autoexecText, configText, serverText, listenserverText};
  const auto names = [](std::string_view bytes) {
    std::vector<std::string> out;
    for (const console::Command& c : console::commands(bytes)) out.push_back(c.words.front());
    return out;
  };
  const Model plain;
  for (const Option& o : catalogue()) {
    if (o.form != Form::Text) continue;
    for (const std::string& v : hostile) {
      if (!fieldProblem(o, v).empty()) continue;
      Model model;
      model.setText(o, v);
      for (const GameFile f : kGameFiles) {
        if (keysIn(o, f).empty()) continue;
        const Text text = kTexts[static_cast<int>(f)];
        const std::string bytes = text(model);
        SCOPED_TRACE(std::string(fileName(f)) + ": " + consoleLine(model, o));
        EXPECT_EQ(names(bytes), names(text(plain)));
        EXPECT_EQ(console::valueSet(bytes, o.cvar), v);
        Model back;
        std::array<const std::string*, 4> files{};
        files[static_cast<std::size_t>(f)] = &bytes;
        LoadValuesInForce(files, back);
        EXPECT_EQ(back.text(o), v);
        // The default reader reads list items: a comma ends one, quoted or not.
        if (f == GameFile::Config && o.configRead == Read::Text && v.find(',') == std::string::npos) {
          Model loaded;
          std::string errors;
          LoadConfig(bytes, loaded, errors);
          EXPECT_EQ(loaded.text(o), v) << "default reader";
        }
      }
    }
    if (HasFailure()) break;
  }
}

// The state after Load defaults with a name and a netgraph position: every file whole.
class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadDefaults(model);
    model.setText(option("txtname"), "Red Fox");
    model.setText(option("cmbnetgraphpos"), "Center");
  }
  Model model;
};

// Every file whole, as tests/golden/<set>/ holds it.
void expectGoldenFiles(const Model& model, std::string_view set) {
  for (std::size_t i = 0; i < std::size(kSavedFiles); ++i)
    EXPECT_EQ(test::goldenDiff(std::string(set) + "/" + std::string(kSavedFiles[i]), test::kSavedTexts[i](model)), "");
}

// Every file after Load defaults; then with both states of every toggle and both ends of every
// slider, in every file written with them.
TEST_F(Files, EveryFileWhole) {
  expectGoldenFiles(model, "defaults");
  for (const Option& o : catalogue())
    if (o.isToggle()) model.setChecked(o, !model.checked(o));
  for (const bool high : {false, true}) {
    for (const Option& o : catalogue())
      if (o.kind == Kind::Slider) model.setPosition(o, high ? o.max : o.min);
    expectGoldenFiles(model, high ? "flipped-high" : "flipped-low");
  }
}

TEST_F(Files, ConfigKeepsTheUsersLines) {
  // Kept lines stand between the two empty lines, trimmed at both ends, each with CR LF.
  const std::string plain = configText(model);
  model.configKeptLines = "\r\n  \r\nbind \"w\" \"+forward\"\r\n\r\nEcho Hi\n\r\n \t";
  EXPECT_EQ(configText(model), "\r\nbind \"w\" \"+forward\"\r\n\r\nEcho Hi" + plain);

  // The tabs that end the last line go, unless the line would then read back as one of the
  // program's own and be dropped at the next load.
  const std::pair<std::string, std::string> tabs[] = {{"Brightness\t\r\n", "Brightness\t"},
                                                      {"brightness\t \t \r\n", "brightness\t \t"},
                                                      {"bind\t\r\n", "bind"},
                                                      {"brightness 1\t\r\n", "brightness 1"},
                                                      {"gamma\t\r\necho x\t\r\n", "gamma\t\r\necho x"}};
  for (const auto& [kept, written] : tabs) {
    model.configKeptLines = kept;
    EXPECT_EQ(configText(model), "\r\n" + written + plain) << kept;
  }
}

TEST_F(Files, MapcycleAndMotdOfAFreshModel) {
  Model fresh;
  EXPECT_EQ(mapcycleText(fresh), "");
  fresh.setToggle(Table::Map, 13, true);
  EXPECT_EQ(mapcycleText(fresh), "de_dust\r\n\r\n");

  EXPECT_EQ(motdText(fresh), "\r\n");
  fresh.setText(option("txtmotd"), "one\r\ntwo\nthree\rfour");
  EXPECT_EQ(motdText(fresh), "one\r\ntwo\r\nthree\r\nfour\r\n");
  fresh.setText(option("txtmotd"), "a\rb");
  EXPECT_EQ(motdText(fresh), "a\r\nb\r\n");
}

// Every slider's label at either end, one step inside each and halfway, with a decimal comma,
// as tests/golden/value-labels.txt holds them.
TEST(ValueLabel, ShowsThePositionInTheOptionsUnit) {
  std::string labels;
  for (const Option& o : catalogue()) {
    if (o.kind != Kind::Slider) continue;
    for (const int p : std::set<int>{o.min, o.min + 1, (o.min + o.max) / 2, o.max - 1, o.max})
      labels += std::string(o.control) + " " + std::to_string(p) + ": " + valueLabelText(o, p, ',') + "\n";
  }
  EXPECT_EQ(test::goldenDiff("value-labels.txt", labels), "");
}

}  // namespace
}  // namespace quillet
