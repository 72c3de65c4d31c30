// --set NAME=VALUE: control names, console variables, ranges and refusals.
#include <gtest/gtest.h>

#include <string>

#include "../core/test_support.h"
#include "cli/Cli.h"

namespace quillet {
namespace {

// `want` is the option's state afterwards: a slider's position, 1 or 0 for a toggle, or a text
// (Windows-1252 bytes).
TEST(cliSet, AcceptedValuesReachTheirOption) {
  struct Case {
    const char *set, *control;
    std::string want;
  };
  const Case cases[] = {
      {"scrollgamma=25", "scrollgamma", "25"},
      {"gamma=2.5", "scrollgamma", "25"},
      {"scrollgamma=+25", "scrollgamma", "25"},
      {"Gamma=\"1\"", "scrollgamma", "10"},
      {"gamma=2.25", "scrollgamma", "22"},
      {"gamma=25E-1", "scrollgamma", "25"},
      {"pushlatency=-50", "scrolllatency", "50"},
      {"volume=25", "scrollvolume", "10"},
      {"fastsprites=0", "scrollsmoke", "2"},
      {"rate=&H1000", "scrollrate", "4096"},
      {"rate=&O10000", "scrollrate", "4096"},
      {"img_server(4)=1", "img_server(4)", "1"},
      {"IMG_SERVER(4)=0", "img_server(4)", "0"},
      {"mp_friendlyfire=1.0", "img_server(4)", "1"},
      {"mp_friendlyfire=1.5", "img_server(4)", "0"},
      {"allowupload=1", "img_client(12)", "1"},
      {"gl_polyoffset=20", "img_video(9)", "1"},
      {"gl_texturemode=GL_LINEAR_MIPMAP_LINEAR", "img_video(8)", "1"},
      {"setinfo ghosts=1", "img_client(4)", "1"},
      {"console=1", "ClientOptions(6)", "1"},
      {"img_map(13)=1", "img_map(13)", "1"},
      {"img_launch(2)=1", "img_launch(2)", "1"},
      {"txtname=Red Fox", "txtname", "Red Fox"},
      {"name=\"Red Fox\"", "txtname", "Red Fox"},
      {"hostname=My server", "txtservername", "My server"},
      {"txtname=Caf\xC3\xA9 =x", "txtname", "Caf\xE9 =x"},
      {"txtservername=123456789012345678901234567890", "txtservername", "123456789012345678901234567890"},
      {"txtmotd=Welcome\r\nhave fun", "txtmotd", "Welcome\r\nhave fun"},
      {"cmbnetgraphpos=center", "cmbnetgraphpos", "Center"},
      {"cmbnetgraphpos=3", "cmbnetgraphpos", "Left"},
      {"net_graphpos=1", "cmbnetgraphpos", "Bottom right"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(escapeField(c.set));
    const SetParse p = parseSet(c.set);
    ASSERT_TRUE(p.assignment) << "refused: " << p.error;
    const Option& o = *p.assignment->option;
    EXPECT_EQ(o.control, c.control);
    Model model;
    applyAssignment(*p.assignment, model);
    EXPECT_EQ(test::valueText(model, o), c.want);
  }
}

TEST(cliSet, RefusalsNameTheProblem) {
  struct Case {
    std::string set;
    const char* says;
  };  // `says`: a part of the error message
  const Case cases[] = {
      {"scrollgamma", "NAME=VALUE"},
      {"=5", "name before"},
      {"scrollgamma=31", "0 to 30"},
      {"scrollgamma=2.5", "whole number from 0 to 30, not '2.5' (or set gamma to 0 to 3)"},
      {"scrollrate=2.5", "not '2.5' (or set rate to 1500 to 20000)"},
      {"scrollrate=99999999999999999999", "out of range"},
      {"gamma=5", "0 to 3"},
      {"gamma=abc", "number"},
      {"gamma=2.5abc", "number"},
      {"pushlatency=50", "-1000 to 0"},
      {"fastsprites=3", "0, 1 or 2"},
      {"img_server(4)=yes", "1 (on) or 0 (off)"},
      {"mp_friendlyfire=on", "1 on, 0 off"},
      {"cmbnetgraphpos=top", "Bottom right"},
      {"net_graphpos=4", "1 (bottom right)"},
      {"txtservername=1234567890123456789012345678901", "at most 30"},
      {"txtname=\xE6\x97\xA5", "Windows-1252"},
      {"txtname=a\nb", "single-line"},
      {"txtname=say \"hi\"", "double quote"},
      {"team=a\tb", "control character"},
      {"txtname=" + std::string(128, 'A'), "at most 127"},
      {"txtport=abc", "from 1 to 65535"},
      {"txtmaxplayers=0", "from 1 to 32"},
      {"txtipaddress=10.0.0", "four numbers"},
      {"cmbdeafultmap=my map", "map's name"},
      {"con_color=255,0,0", "scrollred, scrollgreen, scrollblue"},
      {"+mlook=1", "img_controls(1)=1"},
      {"drawradar=1", "img_video(3)"},
      {"nosuch=1", "no option is named 'nosuch'"},
      {"img_video(x)=1", "; did you mean img_video(0) or img_video(1) or img_video(2)?"},
      {"cl_x=1", "; did you mean cl_lb or cl_lc or cl_lw?"},
      {"img_server=1", "by its index, for example --set img_server(2)=1"},
  };
  for (const Case& c : cases) {
    const SetParse p = parseSet(c.set);
    EXPECT_FALSE(p.assignment) << escapeField(c.set);
    EXPECT_NE(p.error.find(c.says), std::string::npos) << escapeField(c.set) << ": " << p.error;
  }
}

}  // namespace
}  // namespace quillet
