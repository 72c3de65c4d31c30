// The bytes Save writes: every option's line in both states, and every file's layout.
#include <gtest/gtest.h>

#include <clocale>

#include "TestSupport.h"
#include "frmmain/MoreFunctions.h"
#include "save/Save.h"
#include "settings/ValueForms.h"

namespace quillet {
namespace {

using test::crlf;

// Each toggle's line when checked and when not, as the game reads it.
TEST(ConsoleLine, EveryToggleWritesBothForms) {
  struct Case { std::string_view control, on, off; bool autoexec = false; };
  const Case cases[] = {
      {"img_client(0)", "setinfo ah 1", "setinfo ah 0"},
      {"img_client(1)", "dm 1", "dm 0"},
      {"img_client(2)", "hud_centerid 1", "hud_centerid 0"},
      {"img_client(3)", "cl_observercrosshair 1", "cl_observercrosshair 0"},
      {"img_client(4)", "setinfo ghosts 1", "setinfo ghosts 0"},
      {"img_client(5)", "cl_hidefrags 1", "cl_hidefrags 0"},
      {"ClientOptions(6)", "console 1", "console 0"},
      {"img_client(11)", "net_graph 1", "net_graph 0"},
      {"img_client(12)", "cl_allowupload 1", "cl_allowupload 0"},
      {"img_client(12)", "allowupload 1", "allowupload 0", true},
      {"img_client(13)", "cl_allowdownload 1", "cl_allowdownload 0"},
      {"img_client(14)", "cl_download_ingame 1", "cl_download_ingame 0"},
      {"img_client(15)", "cl_lc 1", "cl_lc 0"},
      {"img_client(16)", "cl_lw 1", "cl_lw 0"},
      {"img_client(17)", "cl_lb 1", "cl_lb 0"},
      {"img_moreclient(0)", "hud_fastswitch 1", "hud_fastswitch 0"},
      {"img_video(0)", "r_drawviewmodel 1", "r_drawviewmodel 0"},
      {"img_video(1)", "cl_showfps 1", "cl_showfps 0"},
      {"img_video(2)", "crosshair 1", "crosshair 0"},
      {"img_video(3)", "drawradar", "hideradar"},
      {"img_video(5)", "cl_himodels 1", "cl_himodels 0"},
      {"img_video(6)", "gl_dither 1", "gl_dither 0"},
      {"img_video(7)", "gl_ztrick 1", "gl_ztrick 0"},
      {"img_video(8)", "gl_texturemode gl_linear_mipmap_linear", "gl_texturemode gl_nearest_mipmap_linear"},
      {"img_video(9)", "gl_polyoffset 20", ""},
      {"img_video(10)", "gl_texsort 1", "gl_texsort 0"},
      {"img_controls(0)", "m_filter 1", "m_filter 0"},
      {"img_controls(1)", "+mlook", "-mlook"},
      {"img_controls(2)", "joystick 1", "joystick 0"},
      {"img_controls(3)", "+jlook", "-jlook"},
      {"img_controls(4)", "lookspring 1", "lookspring 0"},
      {"img_controls(5)", "lookstrafe 1", "lookstrafe 0"},
      {"img_controls(6)", "hud_capturemouse 1", "hud_capturemouse 0"},
      {"img_controls(7)", "hisound 1", "hisound 0"},
      {"img_server(2)", "sv_sendvelocity 1", "sv_sendvelocity 0"},
      {"img_server(3)", "mp_lowlag 1", "mp_lowlag 0"},
      {"img_server(4)", "mp_friendlyfire 1", "mp_friendlyfire 0"},
      {"img_server(5)", "mp_friendly_grenade_damage 1", "mp_friendly_grenade_damage 0"},
      {"img_server(6)", "mp_flashlight 1", "mp_flashlight 0"},
      {"img_server(7)", "mp_falldamage 1", "mp_falldamage 0"},
      {"img_server(8)", "mp_footsteps 1", "mp_footsteps 0"},
      {"img_server(9)", "mp_forcechasecam 1", "mp_forcechasecam 0"},
      {"img_server(10)", "mp_chasecam 1", "mp_chasecam 0"},
      {"img_server(11)", "mp_logfile 1", "mp_logfile 0"},
      {"img_server(12)", "mp_logmessages 1", "mp_logmessages 0"},
      {"img_moreserver(0)", "mp_autokick 1", "mp_autokick 0"},
      {"img_moreserver(1)", "mp_autoteambalance 1", "mp_autoteambalance 0"},
      {"img_moreserver(2)", "mp_tkpunish 1", "mp_tkpunish 0"},
      {"img_moreserver(3)", "sv_cheats 1", "sv_cheats 0"},
      {"img_moreserver(4)", "pausable 1", "pausable 0"},
      {"img_moreserver(5)", "sv_aim 1", "sv_aim 0"},
      {"img_moreserver(6)", "sv_unlag 1", "sv_unlag 0"},
  };
  for (const Case& c : cases) {
    Model model;
    const Option& o = option(c.control);
    model.setChecked(o, true);
    EXPECT_EQ(consoleLine(model, o, c.autoexec), c.on) << c.control;
    model.setChecked(o, false);
    EXPECT_EQ(consoleLine(model, o, c.autoexec), c.off) << c.control;
  }
}

// Each slider's line at a position, in the option's value form.
TEST(ConsoleLine, EverySliderWritesItsValueForm) {
  struct Case { std::string_view control; int position; std::string_view want; };
  const Case cases[] = {
      {"scrollrate", 3500, "rate 3500"},
      {"scrollfromserverrate", 20, "cl_updaterate 20"},
      {"scrolltoserverrate", 30, "cl_cmdrate 30"},
      {"scrolllatency", 10, "pushlatency -10"},
      {"scrolllatency", 0, "pushlatency 0"},
      {"scrolllatency", 1000, "pushlatency -1000"},
      {"scrollmsgtime", 6, "hud_saytext_time 6"},
      {"scrolldeathmsgtime", 30, "hud_deathnotice_time 30"},
      {"scrollmaxfps", 100, "fps_max 100"},
      {"scrollgamma", 25, "gamma 2.5"},
      {"scrollgamma", 10, "gamma 1"},
      {"scrollgamma", 30, "gamma 3"},
      {"scrollgamma", 5, "gamma 0.5"},
      {"scrollgamma", 0, "gamma 0"},
      {"scrollbrightness", 8, "brightness 0.8"},
      {"scrollsmoke", 0, "fastsprites 2"},
      {"scrollsmoke", 1, "fastsprites 1"},
      {"scrollsmoke", 2, "fastsprites 0"},
      {"scrollgibparts", 4, "cl_gibcount 4"},
      {"scrollgibsvisible", 25, "cl_giblife 25"},
      {"scrollsensity", 7, "sensitivity 7"},
      {"scrollvolume", 10, "volume 10"},
      {"scrollsuitvolume", 3, "suitvolume 3"},
      {"scrollvisibleshells", 999, "max_shells 999"},
      {"scrollvisiblesmokepuffs", 0, "max_smokepuffs 0"},
      {"scrollghostfreq", 50, "mp_ghostfrequency 5"},
      {"scrollghostfreq", 1, "mp_ghostfrequency 0.1"},
      {"scrollghostfreq", 25, "mp_ghostfrequency 2.5"},
      {"scrolldecals", 1000, "mp_decals 1000"},
      {"scrollbombtimer", 45, "mp_c4timer 45"},
      {"scrollfreezetime", 0, "mp_freezetime 0"},
      {"scrollmapratio", 60, "mp_mapvoteratio 60"},
      {"scrolldecalfreq", 180, "decalfrequency 180"},
      {"scrollcompensate", 500, "sv_maxunlag 500"},
      {"scrollcalculatepackets", 5, "sv_unlagsamples 5"},
      {"scrollmaxhostagekills", 2, "mp_hostagepenalty 2"},
      {"scrollteamdiffer", 8, "mp_limitteams 8"},
      {"scrollresetinterval", 600, "sv_restartround 600"},
      {"scrolltimelimit", 300, "mp_timelimit 300"},
      {"scrollroundtime", 3, "mp_roundtime 3"},
  };
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // a comma locale must not change "."
  for (const Case& c : cases) {
    Model model;
    const Option& o = option(c.control);
    ASSERT_TRUE(model.setPosition(o, c.position)) << c.control;
    EXPECT_EQ(consoleLine(model, o), c.want) << c.control << " at " << c.position;
  }
  std::setlocale(LC_ALL, "C");
}

TEST(ConsoleLine, ColourNetgraphAndTexts) {
  Model model;
  model.setPosition(option("scrollred"), 255);
  model.setPosition(option("scrollgreen"), 180);
  EXPECT_EQ(consoleLine(model, option("scrollred")), "con_color 255,180,0");

  struct Text { std::string_view control, text, want; };
  const Text texts[] = {
      {"cmbnetgraphpos", "Bottom right", "net_graphpos 1"},
      {"cmbnetgraphpos", "Center", "net_graphpos 2"},
      {"cmbnetgraphpos", "Left", "net_graphpos 3"},
      {"cmbnetgraphpos", "left", "net_graphpos 1"},
      {"cmbnetgraphpos", "Top", "net_graphpos 1"},
      {"txtname", "", "name "},
      {"txtname", "Player", "name Player"},
      {"txtname", "Red Fox", "name \"Red Fox\""},
      {"txtname", "a\tb", "name \"a\tb\""},
      {"txtname", "say \"hi\"", "name \"say 'hi'\""},
      {"txtname", "a\"b", "name a\"b"},
      {"txtname", "x\"", "name \"x'\""},
      {"txtname", "'", "name \"'\""},
      {"txtname", "don't", "name don't"},
      {"txtteam", "red;quit", "team \"red;quit\""},
      {"txtteam", "red\r\nquit", "team \"red  quit\""},
      {"txtservername", "", "hostname "},
      {"txtservername", "My server", "hostname \"My server\""},
      {"txtservername", "\xC5re", "hostname \xC5re"},
  };
  for (const Text& t : texts) {
    model.setText(option(t.control), std::string(t.text));
    EXPECT_EQ(consoleLine(model, option(t.control)), t.want) << t.control << " '" << t.text << "'";
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

const std::string kHeader =
    "//**********************************************************************************\r\r\n"
    "//*                            Quillet generated config file                       *\r\r\n"
    "//*    Visit www.quillet.example for info and updates                              *\r\r\n"
    "//*                    Bugreports, flames, tips to bugs@quillet.example            *\r\r\n"
    "//**********************************************************************************\r\r\n";

const std::string kServerLines = crlf({
    "hostname CS_server", "max_shells 150", "max_smokepuffs 150", "mp_ghostfrequency 0.1",
    "mp_decals 300", "sv_sendvelocity 0", "mp_lowlag 0", "mp_friendlyfire 1",
    "mp_friendly_grenade_damage 1", "mp_flashlight 1", "mp_falldamage 1", "mp_footsteps 1",
    "mp_forcechasecam 0", "mp_chasecam 0", "mp_logfile 1", "mp_logmessages 1", "mp_c4timer 45",
    "mp_freezetime 6", "mp_mapvoteratio 60", "decalfrequency 60", "mp_autokick 1",
    "mp_autoteambalance 1", "mp_tkpunish 1", "sv_cheats 0", "pausable 0", "sv_aim 0",
    "mp_hostagepenalty 2", "mp_limitteams 2", "sv_restartround 60", "mp_timelimit 30",
    "mp_roundtime 5", "sv_unlag 1", "sv_maxunlag 500", "sv_unlagsamples 1"});

TEST_F(Files, HeaderLinesAre84Wide) {
  std::size_t start = 0;
  for (int i = 0; i < 5; ++i) {
    const std::size_t end = kHeader.find("\r\r\n", start);
    EXPECT_EQ(end - start, 84u) << "header line " << i + 1;
    EXPECT_EQ(kHeader[end - 1], '*');
    start = end + 3;
  }
  EXPECT_TRUE(autoexecText(model).starts_with(kHeader));
}

TEST_F(Files, Autoexec) {
  const std::string want =
      kHeader + "\r\r\n\r\r\n" + "\r\n\r\n" +
      crlf({"//Video settings", "gamma 2.5", "brightness 0.8", "fastsprites 0", "r_drawviewmodel 1",
            "cl_showfps 0", "crosshair 1", "drawradar", "cl_himodels 0", "gl_dither 1", "gl_ztrick 0",
            "gl_texturemode gl_nearest_mipmap_linear", "", "gl_texsort 0", "cl_gibcount 4",
            "cl_giblife 5", "", ""}) +
      crlf({"//Client settings", "name \"Red Fox\"", "team ", "setinfo ah 1", "dm 1", "hud_centerid 0",
            "cl_observercrosshair 1", "setinfo ghosts 1", "cl_hidefrags 1", "console 0", "net_graph 0",
            "net_graphpos 2", "rate 3500", "allowupload 1", "cl_allowdownload 1",
            "cl_download_ingame 1", "cl_lc 1", "cl_lw 1", "cl_lb 0", "cl_updaterate 20",
            "cl_cmdrate 30", "pushlatency 0", "con_color 255,255,255", "hud_fastswitch 1",
            "hud_saytext_time 6", "hud_deathnotice_time 6", "fps_max 100", "", "", "", ""}) +
      "//Server settings\r\n" + kServerLines + "\r\n\r\n" +
      crlf({"//Control settings", "m_filter 0", "mp_flashlight 1", "+mlook", "joystick 0", "-jlook",
            "lookspring 0", "lookstrafe 0", "hud_capturemouse 1", "sensitivity 7", "", "",
            "//Sound settings", "hisound 1", "volume 10", "suitvolume 3"});
  EXPECT_EQ(autoexecText(model), want);
}

TEST_F(Files, ServerAndListenserver) {
  const std::string echo = "echo    **Quillet generated config-file successfully loaded**\r\n";
  EXPECT_EQ(serverText(model), kHeader + "\r\n\r\n" + kServerLines + echo);
  std::string listen = kServerLines;
  listen.erase(listen.find("mp_decals 300\r\n"), 15);
  EXPECT_EQ(listenserverText(model), kHeader + "\r\n\r\n" + listen + echo);

  // The decals slider changes server.cfg only.
  const std::string before = listenserverText(model);
  model.setPosition(option("scrolldecals"), 10);
  EXPECT_EQ(listenserverText(model), before);
  EXPECT_NE(serverText(model).find("mp_decals 10\r\n"), std::string::npos);
}

TEST_F(Files, Config) {
  const std::string lines = crlf({
      "console 0", "crosshair 1", "gamma 2.5", "brightness 0.8", "fps_max 100", "con_color 255,255,255",
      "net_graph 0", "net_graphpos 2", "sv_aim 0", "mp_decals 300", "gl_dither 1", "", "hisound 1",
      "volume 10", "suitvolume 3", "name \"Red Fox\"", "team ", "rate 3500", "cl_updaterate 20",
      "cl_lw 1", "cl_lc 1", "cl_himodels 0", "cl_allowupload 1", "cl_allowdownload 1",
      "cl_download_ingame 1", "cl_cmdrate 30", "pushlatency 0", "m_filter 0", "mp_flashlight 1",
      "+mlook", "joystick 0", "-jlook", "lookspring 0", "lookstrafe 0", "hud_capturemouse 1",
      "sensitivity 7", "fastsprites 0", "hud_fastswitch 1", "hud_centerid 0", "setinfo ah 1"});
  EXPECT_EQ(configText(model), "\r\n\r\n" + lines);

  // Kept lines stand between the two empty lines, trimmed at both ends, each with CR LF.
  model.configKeptLines = "\r\n  \r\nbind \"w\" \"+forward\"\r\n\r\nEcho Hi\n\r\n \t";
  EXPECT_EQ(configText(model), "\r\nbind \"w\" \"+forward\"\r\n\r\nEcho Hi\r\n\r\n" + lines);
}

TEST_F(Files, MapcycleAndMotd) {
  std::string all;
  for (std::string_view map : kMaps) (all += map) += "\r\n\r\n";
  EXPECT_EQ(mapcycleText(model), all);

  Model fresh;
  EXPECT_EQ(mapcycleText(fresh), "");
  fresh.setToggle(Table::Map, 13, true);
  EXPECT_EQ(mapcycleText(fresh), "de_dust\r\n\r\n");

  EXPECT_EQ(motdText(fresh), "\r\n");
  fresh.setText(option("txtmotd"), "one\r\ntwo\nthree\rfour");
  EXPECT_EQ(motdText(fresh), "one\r\ntwo\r\nthree\r\nfour\r\n");
}

TEST(ValueLabel, ShowsThePositionInTheOptionsUnit) {
  struct Case { std::string_view control; int position; std::string_view want; };
  const Case cases[] = {
      {"scrollfreezetime", 0, "Off"},    {"scrollfreezetime", 1, "1 sec"},  {"scrollvolume", 0, "Min"},
      {"scrollvolume", 10, "Max"},       {"scrollvolume", 5, "5"},          {"scrollgamma", 25, "2,5"},
      {"scrollbrightness", 10, "1"},     {"scrollghostfreq", 1, "0,1 sec"}, {"scrollmapratio", 60, "60%"},
      {"scrollcalculatepackets", 2, "2 packets"}, {"scrollresetinterval", 0, "Off"},
      {"scrollsmoke", 1, "Med"},         {"scrollsmoke", 2, "High"},        {"scrolllatency", 10, "10"},
      {"scrollbombtimer", 45, "45 sec"}, {"scrollroundtime", 5, "5"},   {"scrollsuitvolume", 0, "Min"},
      {"scrollresetinterval", 600, "600"}, {"scrollmsgtime", 30, "30 sec"}, {"scrolllatency", 1000, "1000"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(valueLabelText(option(c.control), c.position, ','), c.want) << c.control << " at " << c.position;
}

}  // namespace
}  // namespace quillet
