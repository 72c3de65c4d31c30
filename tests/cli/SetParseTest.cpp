// --set NAME=VALUE: control names, console variables, ranges and refusals.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "cli/Cli.h"

namespace quillet {
namespace {

// Test names from the NAME=VALUE text, so that a failing case reads as what it sets.
template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& info) {
  std::string name;
  for (const char* c = info.param.set; *c && name.size() < 40; ++c)
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name + "_" + std::to_string(info.index);
}

struct Accepted {
  const char* set;
  const char* control;
  int position;       // sliders
  bool checked;       // toggles
  const char* text;   // texts (Windows-1252 bytes); nullptr for other kinds
};

// Shown in the test list instead of the case's bytes.
void PrintTo(const Accepted& c, std::ostream* os) { *os << escapeField(c.set); }

class SetAccepted : public testing::TestWithParam<Accepted> {};

TEST_P(SetAccepted, GivesTheOptionItsValue) {
  const Accepted& c = GetParam();
  const SetParse p = parseSet(c.set);
  ASSERT_TRUE(p.assignment) << p.error;
  const Option& o = *p.assignment->option;
  EXPECT_EQ(o.control, c.control);
  Model model;
  applyAssignment(*p.assignment, model);
  if (o.isToggle()) EXPECT_EQ(model.checked(o), c.checked);
  else if (o.kind == Kind::Slider) EXPECT_EQ(model.position(o), c.position);
  else EXPECT_EQ(model.text(o), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    cli, SetAccepted,
    testing::Values(
        Accepted{"scrollgamma=25", "scrollgamma", 25, false, nullptr},
        Accepted{"gamma=2.5", "scrollgamma", 25, false, nullptr},
        Accepted{"Gamma=\"1\"", "scrollgamma", 10, false, nullptr},
        Accepted{"gamma=2.25", "scrollgamma", 22, false, nullptr},
        Accepted{"pushlatency=-50", "scrolllatency", 50, false, nullptr},
        Accepted{"volume=25", "scrollvolume", 10, false, nullptr},
        Accepted{"fastsprites=0", "scrollsmoke", 2, false, nullptr},
        Accepted{"rate=&H1000", "scrollrate", 4096, false, nullptr},
        Accepted{"img_server(4)=1", "img_server(4)", 0, true, nullptr},
        Accepted{"IMG_SERVER(4)=0", "img_server(4)", 0, false, nullptr},
        Accepted{"mp_friendlyfire=1.0", "img_server(4)", 0, true, nullptr},
        Accepted{"mp_friendlyfire=1.5", "img_server(4)", 0, false, nullptr},
        Accepted{"allowupload=1", "img_client(12)", 0, true, nullptr},
        Accepted{"gl_polyoffset=20", "img_video(9)", 0, true, nullptr},
        Accepted{"gl_texturemode=GL_LINEAR_MIPMAP_LINEAR", "img_video(8)", 0, true, nullptr},
        Accepted{"setinfo ghosts=1", "img_client(4)", 0, true, nullptr},
        Accepted{"console=1", "ClientOptions(6)", 0, true, nullptr},
        Accepted{"img_map(13)=1", "img_map(13)", 0, true, nullptr},
        Accepted{"img_launch(2)=1", "img_launch(2)", 0, true, nullptr},
        Accepted{"txtname=Red Fox", "txtname", 0, false, "Red Fox"},
        Accepted{"name=\"Red Fox\"", "txtname", 0, false, "Red Fox"},
        Accepted{"hostname=My server", "txtservername", 0, false, "My server"},
        Accepted{"txtname=Caf\xC3\xA9 =x", "txtname", 0, false, "Caf\xE9 =x"},
        Accepted{"txtservername=123456789012345678901234567890", "txtservername", 0, false,
                 "123456789012345678901234567890"},
        Accepted{"txtmotd=Welcome\r\nhave fun", "txtmotd", 0, false, "Welcome\r\nhave fun"},
        Accepted{"cmbnetgraphpos=center", "cmbnetgraphpos", 0, false, "Center"},
        Accepted{"cmbnetgraphpos=3", "cmbnetgraphpos", 0, false, "Left"},
        Accepted{"net_graphpos=1", "cmbnetgraphpos", 0, false, "Bottom right"}),
    caseName<Accepted>);

struct Refused {
  const char* set;
  const char* says;  // a part of the error message
};

void PrintTo(const Refused& c, std::ostream* os) { *os << escapeField(c.set); }

class SetRefused : public testing::TestWithParam<Refused> {};

TEST_P(SetRefused, NamesTheProblem) {
  const SetParse p = parseSet(GetParam().set);
  EXPECT_FALSE(p.assignment);
  EXPECT_NE(p.error.find(GetParam().says), std::string::npos) << p.error;
}

INSTANTIATE_TEST_SUITE_P(
    cli, SetRefused,
    testing::Values(
        Refused{"scrollgamma", "NAME=VALUE"},
        Refused{"=5", "name before"},
        Refused{"scrollgamma=31", "0 to 30"},
        Refused{"scrollgamma=2.5", "whole number"},
        Refused{"scrollrate=99999999999999999999", "out of range"},
        Refused{"gamma=5", "0 to 3"},
        Refused{"gamma=abc", "number"},
        Refused{"gamma=2.5abc", "number"},
        Refused{"pushlatency=50", "-1000 to 0"},
        Refused{"fastsprites=3", "0, 1 or 2"},
        Refused{"img_server(4)=yes", "1 (on) or 0 (off)"},
        Refused{"mp_friendlyfire=on", "1 on, 0 off"},
        Refused{"cmbnetgraphpos=top", "Bottom right"},
        Refused{"net_graphpos=4", "1 (bottom right)"},
        Refused{"txtservername=1234567890123456789012345678901", "at most 30"},
        Refused{"txtname=\xE6\x97\xA5", "Windows-1252"},
        Refused{"txtname=a\nb", "single-line"},
        Refused{"con_color=255,0,0", "scrollred, scrollgreen, scrollblue"},
        Refused{"+mlook=1", "img_controls(1)=1"},
        Refused{"drawradar=1", "img_video(3)"},
        Refused{"nosuch=1", "no option is named 'nosuch'"},
        Refused{"scrollgama=25", "did you mean scrollgamma"},
        Refused{"img_server=1", "by its index"}),
    caseName<Refused>);

}  // namespace
}  // namespace quillet
