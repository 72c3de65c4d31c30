// The rows of the option catalogue.
#include <algorithm>
#include <cassert>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "settings/Options.h"

namespace quillet {
namespace {

using enum Kind;
using enum Page;
using enum Factory;
using enum LabelForm;

constexpr std::array<TableInfo, kTableCount> kTableInfo = {{
    {"ClientOptions", "img_client", 18},
    {"MoreClientOptions", "img_moreclient", 2},
    {"VideoOptions", "img_video", 18},
    {"ControlOptions", "img_controls", 8},
    {"ServerOptions", "img_server", 13},
    {"MoreServerOptions", "img_moreserver", 8},
    {"LaunchOptions", "img_launch", 7},
    {"MapOptions", "img_map", 19},
}};

constexpr std::array<PageInfo, kPageCount> kPageInfo = {{
    {"frameclient", "Client"},
    {"framemoreclient", "More client"},
    {"framevideo", "Video"},
    {"Framesoundcontrols", "Controls / sound"},
    {"frameserver", "Server"},
    {"framemore", "More server"},
    {"framemaps", "Maps"},
    {"framelaunch", "Commandline / Launch options"},
}};

// A toggle that writes "<cvar> 1" / "<cvar> 0" and is turned on by the autoexec reader.
constexpr Option toggle(std::string_view control, Table table, int index, Page page,
                        std::string_view group, std::string_view caption, std::string_view cvar,
                        Factory factory, std::string_view captionLabel, std::string_view help) {
  Option o;
  o.control = control;
  o.kind = Toggle;
  o.page = page;
  o.group = group;
  o.caption = caption;
  o.table = table;
  o.index = index;
  o.factory = factory;
  o.cvar = cvar;
  o.form = cvar.empty() ? Form::None : Form::Flag;
  o.autoexecRead = cvar.empty() ? Read::None : Read::On;
  o.captionLabel = captionLabel;
  o.help = help;
  return o;
}

constexpr Option slider(std::string_view control, Page page, std::string_view group,
                        std::string_view caption, int min, int max, int design, int factoryValue,
                        std::string_view cvar, Form form, std::string_view valueLabel,
                        LabelForm label, std::uint8_t helpOn, std::string_view help) {
  Option o;
  o.control = control;
  o.kind = Slider;
  o.page = page;
  o.group = group;
  o.caption = caption;
  o.min = min;
  o.max = max;
  o.design = design;
  o.factory = Value;
  o.factoryValue = factoryValue;
  o.cvar = cvar;
  o.form = form;
  o.autoexecRead = form == Form::Colour ? Read::None : Read::Slider;
  o.valueLabel = valueLabel;
  o.label = label;
  o.helpOn = helpOn;
  o.help = help;
  return o;
}

constexpr Option text(std::string_view control, Kind kind, Page page, std::string_view group,
                      std::string_view caption, std::string_view designText, std::string_view cvar,
                      std::string_view help) {
  Option o;
  o.control = control;
  o.kind = kind;
  o.page = page;
  o.group = group;
  o.caption = caption;
  o.designText = designText;
  o.cvar = cvar;
  o.form = cvar.empty() ? Form::None : Form::Text;
  o.autoexecRead = cvar.empty() ? Read::None : Read::Text;
  o.help = help;
  return o;
}

constexpr std::array<std::string_view, kMaps.size()> kMapControls = {
    "img_map(0)",  "img_map(1)",  "img_map(2)",  "img_map(3)",  "img_map(4)",
    "img_map(5)",  "img_map(6)",  "img_map(7)",  "img_map(8)",  "img_map(9)",
    "img_map(10)", "img_map(11)", "img_map(12)", "img_map(13)", "img_map(14)",
    "img_map(15)", "img_map(16)", "img_map(17)", "img_map(18)"};

constexpr std::uint8_t kChangeFocus = OnChange | OnFocus;
constexpr std::uint8_t kChangeScroll = OnChange | OnScroll;

using T = Table;
using R = Read;

std::vector<Option> buildCatalogue() {
  std::vector<Option> rows = {
      // ---- Client page
      text("txtname", Text, Client, "Preferences", "Name", "", "name", " Set your client name.")
          .reads(R::Text, R::Text),
      text("txtteam", Text, Client, "Preferences", "Team", "", "team", " Set your team name."),
      toggle("img_client(0)", T::Client, 0, Client, "Preferences", "Autohelp", "setinfo ah", Checked,
             "Label13", " Gives you small hints and help trough the game.")
          .reads(R::None, R::Setinfo),
      toggle("img_client(1)", T::Client, 1, Client, "Preferences", "Map briefings", "dm", Checked,
             "Label24", " Show map-info when you connect to a server.")
          .reads(R::On, R::Setinfo),
      toggle("img_client(2)", T::Client, 2, Client, "Preferences", "Center auto-ID", "hud_centerid",
             Kept, "Label23", " Center the auto-ID info on screen.")
          .reads(R::On, R::On),
      toggle("img_client(3)", T::Client, 3, Client, "Preferences", "Observer crosshair",
             "cl_observercrosshair", Checked, "Label22", " Show crosshair when in observer mode.")
          .reads(R::On, R::On),
      toggle("img_client(4)", T::Client, 4, Client, "Preferences", "See ghosts in observer mode",
             "setinfo ghosts", Checked, "Label21",
             " Enable you to see other 'ghosts' when you are dead. Turning this off can improve "
             "network performance.")
          .reads(R::Ghosts, R::Setinfo),
      toggle("img_client(5)", T::Client, 5, Client, "Preferences", "Hide others fragcount",
             "cl_hidefrags", Checked, "Label20", " Hide others fragcount.")
          .reads(R::On, R::On),
      toggle("img_client(11)", T::Client, 11, Client, "Preferences", "Show netgraph", "net_graph",
             Kept, "Label19",
             " Show netgraph. Shows a lot of useful info about your connection. Is however a "
             "_massive_ performance hit!")
          .reads(R::On, R::On),
      text("cmbnetgraphpos", Choice, Client, "Preferences", "", "Bottom right", "net_graphpos",
           " Set where you want the netgraph to be displayed")
          .withForm(Form::Netgraph)
          .reads(R::Netgraph),
      toggle("ClientOptions(6)", T::Client, 6, Client, "", "", "console", Kept, "", "")
          .reads(R::On, R::On)
          .hidden(),
      slider("scrollrate", Client, "Connection", "Rate", 1500, 20000, 1500, 3500, "rate", Form::N,
             "lblratescroller", Plain, kChangeFocus, " Set the datarate at any given time.")
          .steps(10, 100)
          .reads(R::Slider, R::Slider),
      toggle("img_client(12)", T::Client, 12, Client, "Connection", "Allow upload",
             "cl_allowupload", Checked, "Label6", " Allow upload to server.")
          .alias("allowupload")
          .reads(R::On, R::On),
      toggle("img_client(13)", T::Client, 13, Client, "Connection", "Allow download",
             "cl_allowdownload", Checked, "Label10", " Allow download from server.")
          .reads(R::On, R::On),
      toggle("img_client(14)", T::Client, 14, Client, "Connection", "Allow download in-game",
             "cl_download_ingame", Checked, "Label9(0)",
             " Allow download in-game from server. Modem users should disable this.")
          .reads(R::On, R::On),
      toggle("img_client(15)", T::Client, 15, Client, "Advanced", "Lag compensation", "cl_lc",
             Checked, "Label38", " Use lag compensation."),
      toggle("img_client(16)", T::Client, 16, Client, "Advanced", "Client side animation", "cl_lw",
             Checked, "Label41",
             " Determines whether the action must be validiated by server before it happens."),
      toggle("img_client(17)", T::Client, 17, Client, "Advanced", "Blood prediction", "cl_lb", Kept,
             "Label42", "")
          .captionHelps(" Use blod and gib prediction."),
      slider("scrollfromserverrate", Client, "Advanced", "Updates from server rate", 10, 50, 10, 20,
             "cl_updaterate", Form::N, "lblfromserverrate", Plain, kChangeFocus,
             " Set the update rate from server."),
      slider("scrolltoserverrate", Client, "Advanced", "Updates to server rate", 10, 50, 10, 30,
             "cl_cmdrate", Form::N, "lbltoserverupdate", Plain, kChangeFocus,
             " Set the update rate to server."),
      slider("scrolllatency", Client, "Advanced", "Push latency", 0, 1000, 10, 0, "pushlatency",
             Form::Negated, "lblLatency", Plain, kChangeFocus, " Set the latency."),

      // ---- More client page
      toggle("img_moreclient(0)", T::MoreClient, 0, MoreClient, "Misc", "Fastswitch weapons",
             "hud_fastswitch", Checked, "",
             " Change weapon instantly, instead of waiting until you press fire. Menu with more "
             "than 1 item will see no change.")
          .captioned("Label50", false),
      slider("scrollmsgtime", MoreClient, "Misc", "Message time", 1, 30, 1, 6, "hud_saytext_time",
             Form::N, "lblmsgtime", Sec, kChangeFocus,
             " Set how long messages will remain on screen before they dissapear."),
      slider("scrolldeathmsgtime", MoreClient, "Misc", "Death message time", 1, 30, 1, 6,
             "hud_deathnotice_time", Form::N, "lbldeathmsgtime", Sec, kChangeFocus,
             " Set how long death massages will remain on screen before they dissapear."),
      slider("scrollmaxfps", MoreClient, "Misc", "Max FPS", 20, 100, 20, 100, "fps_max", Form::N,
             "lblmaxfps", Plain, kChangeFocus,
             " Set max fps allowed to be rendered. Set to maximum."),
      slider("scrollred", MoreClient, "Hud / ingame text color", "Red", 0, 255, 0, 255,
             "con_color", Form::Colour, "lblred", Plain, kChangeFocus,
             " Sets the amount of red in the text-color")
          .stored("scrollred"),
      slider("scrollgreen", MoreClient, "Hud / ingame text color", "Green", 0, 255, 0, 255,
             "con_color", Form::Colour, "lblgreen", Plain, kChangeFocus,
             " Sets the amount of green in the text-color")
          .stored("scrollgreen"),
      slider("scrollblue", MoreClient, "Hud / ingame text color", "Blue", 0, 255, 0, 255,
             "con_color", Form::Colour, "lblblue", Plain, kChangeFocus,
             " Sets the amount of blue in the text-color")
          .stored("scrollblue"),

      // ---- Video page
      slider("scrollgamma", Video, "Preferences", "Gamma", 0, 30, 0, 25, "gamma", Form::D,
             "lblgamma", Tenths, kChangeFocus, " Set your in-game gamma level.")
          .reads(R::Slider, R::Slider),
      slider("scrollbrightness", Video, "Preferences", "Brightness", 0, 10, 0, 8, "brightness",
             Form::D, "lblbrightness", Tenths, kChangeFocus, " Set your in-game brightness level.")
          .reads(R::Slider, R::Slider),
      slider("scrollsmoke", Video, "Preferences", "Smoke complexity", 0, 2, 0, 2, "fastsprites",
             Form::Smoke, "lblsmoke", LabelForm::Smoke, kChangeFocus,
             " Set the smoke-grenade complexity. Medium or low quality looks rather ugly, but are "
             "much faster.")
          .captioned("Label9(1)")
          .reads(R::Smoke, R::Smoke),
      toggle("img_video(0)", T::Video, 0, Video, "Preferences", "Show weapon", "r_drawviewmodel",
             Checked, "lbl_video(10)", " Show weapon in front of you."),
      toggle("img_video(1)", T::Video, 1, Video, "Preferences", "Show FPS", "cl_showfps", Kept,
             "lbl_video(17)", " Show you Frames Per Second in the upper left corner."),
      toggle("img_video(2)", T::Video, 2, Video, "Preferences", "Show crosshair", "crosshair",
             Checked, "lbl_video(0)", " Show crosshair.")
          .reads(R::OnOff, R::On),
      toggle("img_video(3)", T::Video, 3, Video, "Preferences", "Show radar", "drawradar", Checked,
             "lbl_video(1)", " Show radar.")
          .lines("drawradar", "hideradar")
          .reads(R::Name),
      slider("scrollgibparts", Video, "Preferences", "Number of gib parts", 1, 4, 1, 4,
             "cl_gibcount", Form::N, "lblgibparts", Plain, kChangeFocus,
             " Set how many pieces a body spawns when blow up.")
          .captioned("lbl_video(8)", false),
      slider("scrollgibsvisible", Video, "Preferences", "Gibs visible for", 0, 25, 0, 5,
             "cl_giblife", Form::N, "lblgibsvisible", Sec, kChangeFocus,
             " Set the time in seconds before gibs vanish.")
          .captioned("lbl_video(9)", false),
      toggle("img_video(5)", T::Video, 5, Video, "Advanced ", "High quality actors", "cl_himodels",
             Kept, "lbl_video(6)", " Enable high quality actors. Might be buggy on some systems."),
      toggle("img_video(6)", T::Video, 6, Video, "Advanced ", "Use dithering", "gl_dither",
             Checked, "lbl_video(3)", " Use color dithering.")
          .reads(R::OnOff, R::On),
      toggle("img_video(7)", T::Video, 7, Video, "Advanced ", "Z-buffer halflength", "gl_ztrick",
             Kept, "lbl_video(5)",
             " Saves fillrate, but might not be noticeable on TNT or better cards. Textures may "
             "flicker if enabled."),
      toggle("img_video(8)", T::Video, 8, Video, "Advanced ", "Trilinear (instead of bilinear)",
             "gl_texturemode", Kept, "lbl_video(4)",
             " Enable trilinear filtering for better image quality. Slight performance loss.")
          .lines("gl_texturemode gl_linear_mipmap_linear",
                 "gl_texturemode gl_nearest_mipmap_linear")
          .reads(R::LinearMipmap),
      toggle("img_video(9)", T::Video, 9, Video, "Advanced ", "Decal flicker fix", "gl_polyoffset",
             Kept, "lbl_video(7)",
             " Try to enable this if you have problems with decal-flickering. Otherwise, leave "
             "off.")
          .lines("gl_polyoffset 20", "")
          .reads(R::Equals20),
      toggle("img_video(10)", T::Video, 10, Video, "Advanced ", "Alternative texture sorting",
             "gl_texsort", Kept, "lbl_video(11)",
             " Alternative texture sorting. Gives brighter, more vivid textures, but a is a "
             "performance hit."),

      // ---- Control / sound page
      toggle("img_controls(0)", T::Controls, 0, Controls, "Mouse", "Mousefilter", "m_filter", Kept,
             "lbl_controls(2)", " Use mouse smoothing.")
          .reads(R::On, R::On),
      toggle("img_controls(1)", T::Controls, 1, Controls, "Mouse", "Mouselook", "+mlook", Checked,
             "lbl_controls(3)", " Use mouselook.")
          .lines("+mlook", "-mlook")
          .reads(R::Name, R::Name),
      toggle("img_controls(2)", T::Controls, 2, Controls, "Joystick", "Use joystick", "joystick",
             Kept, "lbl_controls(4)", " Use joystick.")
          .reads(R::On, R::On),
      toggle("img_controls(3)", T::Controls, 3, Controls, "Joystick", "Joysticklook", "+jlook",
             Kept, "lbl_controls(5)", " Use joysticklook.")
          .lines("+jlook", "-jlook")
          .reads(R::Name, R::Name),
      toggle("img_controls(4)", T::Controls, 4, Controls, "General", "Lookspring", "lookspring",
             Kept, "lbl_controls(0)", " Use lookspring.")
          .reads(R::On, R::On),
      toggle("img_controls(5)", T::Controls, 5, Controls, "General", "Lookstrafe", "lookstrafe",
             Kept, "lbl_controls(1)", " Use lookstrafe.")
          .reads(R::On, R::On),
      toggle("img_controls(6)", T::Controls, 6, Controls, "General", "Capture mouse",
             "hud_capturemouse", Checked, "lbl_controls(6)", " Use mouse in windowed mode.")
          .reads(R::On, R::On),
      slider("scrollsensity", Controls, "General", "Sensitivity", 1, 20, 10, 7, "sensitivity",
             Form::N, "lblsensitiv", Plain, kChangeFocus, " Set the mouse/joystick sensitivity.")
          .reads(R::Slider, R::Slider),
      toggle("img_controls(7)", T::Controls, 7, Controls, "Sound", "High quality sound", "hisound",
             Checked, "lblsound(0)", " Use high quality sound.")
          .reads(R::On, R::On),
      slider("scrollvolume", Controls, "Sound", "Volume", 0, 10, 0, 10, "volume", Form::N,
             "lblvolume", MinMax, kChangeFocus, " Set the in-game sound volume.")
          .captioned("lblsound(4)")
          .reads(R::SliderCeiling, R::Slider),
      slider("scrollsuitvolume", Controls, "Sound", "Suitvolume", 0, 10, 0, 3, "suitvolume",
             Form::N, "lblsuitvolume", MinMax, kChangeFocus, " Set the suit-sound volume.")
          .captioned("lblsound(3)")
          .reads(R::SliderCeiling, R::Slider),

      // ---- Server page
      text("txtservername", Text, Server, "Main", "Servername", "CS_server", "hostname",
           " Set the name of your server")
          .limit(30),
      slider("scrollvisibleshells", Server, "Performance", "Max visible shells", 0, 999, 1, 150,
             "max_shells", Form::N, "lblshells", Plain, OnFocus,
             " Set how many shells that can be visible."),
      slider("scrollvisiblesmokepuffs", Server, "Performance", "Max visible smokepuffs", 0, 999, 1,
             150, "max_smokepuffs", Form::N, "lblsmokepuffs", Plain, OnFocus,
             " Set how many smokepuffs that can be visible."),
      slider("scrollghostfreq", Server, "Performance", "Ghostfrequency", 1, 50, 1, 1,
             "mp_ghostfrequency", Form::D, "lblghostfreq", TenthsSec, OnFocus,
             " Set how often ghostposition shall be updated. Higher rate reduce lag.")
          .steps(1, 10),
      slider("scrolldecals", Server, "Performance", "Max decals", 1, 1000, 1, 300, "mp_decals",
             Form::N, "lbldecals", Plain, OnFocus,
             " Set how many decals (bulletholes, explosions etc.) that can be visible.")
          .steps(1, 10),
      toggle("img_server(2)", T::Server, 2, Server, "Performance", "Advanced decals/physics",
             "sv_sendvelocity", Kept, "lbl_server(0)",
             " Enable advanced decals/physics. Use this only if you've got a fast server with a "
             "good connection."),
      toggle("img_server(3)", T::Server, 3, Server, "Performance", "Restrict bulletsparks",
             "mp_lowlag", Kept, "lbl_server(1)",
             " Restrict bulletsparks. Servers connected @ cabel-speed and below should use this."),
      toggle("img_server(4)", T::Server, 4, Server, "Preferences", "Friendly fire",
             "mp_friendlyfire", Checked, "lbl_server(5)",
             " Toggle friendly fire. If enabled, you can kill or injure team-mates"),
      toggle("img_server(5)", T::Server, 5, Server, "Preferences", "Friendly grenade damage",
             "mp_friendly_grenade_damage", Checked, "lbl_server(6)",
             " Toggle friendly grenade-damage. If enabled, you can kill or injure team-mates with "
             "grenades."),
      toggle("img_server(6)", T::Server, 6, Server, "Preferences", "Allow flashlight",
             "mp_flashlight", Checked, "lbl_server(7)", " Let clients use flashlight."),
      toggle("img_server(7)", T::Server, 7, Server, "Preferences", "Falling damage",
             "mp_falldamage", Checked, "lbl_server(11)", " Toggle realistic falling damage."),
      toggle("img_server(8)", T::Server, 8, Server, "Preferences", "Hear client footsteps",
             "mp_footsteps", Checked, "lbl_server(8)",
             " If enabled clients will hear other players footsteps."),
      toggle("img_server(9)", T::Server, 9, Server, "Preferences", "Force chasecam",
             "mp_forcechasecam", Kept, "lbl_server(4)",
             " Force chasecam makes it possible to follow only your own team's players, "
             "preventing cheating in LAN games."),
      toggle("img_server(10)", T::Server, 10, Server, "Preferences", "Limit observers to chasemode",
             "mp_chasecam", Kept, "lbl_server(10)",
             "Limit observers to chasemode, not allowing them to 'ghost' around."),
      toggle("img_server(11)", T::Server, 11, Server, "Preferences", "Log ", "mp_logfile", Checked,
             "lbl_server(9)", " Log events on your server."),
      toggle("img_server(12)", T::Server, 12, Server, "Preferences", "Log messages",
             "mp_logmessages", Checked, "lbl_server(13)", " Include chatmessages in log."),
      slider("scrollbombtimer", Server, "Preferences", "Bomb timer", 15, 90, 15, 45, "mp_c4timer",
             Form::N, "lblbombtimer", Sec, kChangeScroll,
             " Set the time from C4 bomb placement until detonation."),
      slider("scrollfreezetime", Server, "Preferences", "Freezetime", 0, 60, 0, 6, "mp_freezetime",
             Form::N, "lblfreezetime", OffSec, kChangeScroll,
             " Set the time players are frozen at start of round. Allowing you to buy weapons and "
             "equipment before action."),
      slider("scrollmapratio", Server, "Preferences", "Map vote ratio", 1, 100, 1, 60,
             "mp_mapvoteratio", Form::N, "lblmapratio", Percent, kChangeScroll,
             " Set how many percent of players must vote for a map before the server changes to "
             "that map."),
      slider("scrolldecalfreq", Server, "Preferences", "Decal frequency", 1, 180, 1, 60,
             "decalfrequency", Form::N, "lbldecalfreq", Sec, kChangeScroll,
             " Set how often clients can spray their logo."),

      // ---- More server page
      toggle("img_moreserver(6)", T::MoreServer, 6, MoreServer, "Advanced", "Lag compensation",
             "sv_unlag", Checked, "lbl_moreserver(6)",
             " Use lag compensation to make gameplay less choppy. Leave on."),
      slider("scrollcompensate", MoreServer, "Advanced", "Compensate up to", 1, 1000, 1, 500,
             "sv_maxunlag", Form::N, "lbllagcompensate", Plain, kChangeFocus,
             " Set the maximum time CS' 'anti-lag' code will attempt to avoid lag.")
          .steps(1, 10),
      slider("scrollcalculatepackets", MoreServer, "Advanced", "Calculate ping on last", 1, 5, 1, 1,
             "sv_unlagsamples", Form::N, "lblcalculatepackets", Packets, kChangeFocus,
             " Set how many packets CS is calculating the clients ping. Optimal is usually 1 or "
             "2."),
      [] {
        Option o = text("txtmotd", Text, MoreServer, "Message Of The Day", "", "", "",
                        " Set 'Message of the day'. That means the message clients get when they "
                        "join your server.");
        o.multiLine = true;
        return o;
      }(),
      toggle("img_moreserver(0)", T::MoreServer, 0, MoreServer, "Restrictions", "Autokick",
             "mp_autokick", Checked, "lbl_moreserver(0)", " Autokick disruptive players."),
      toggle("img_moreserver(1)", T::MoreServer, 1, MoreServer, "Restrictions",
             "Auto team balance", "mp_autoteambalance", Checked, "lbl_moreserver(1)",
             " Force clients to join team with less players."),
      toggle("img_moreserver(2)", T::MoreServer, 2, MoreServer, "Restrictions",
             "Team mate kill penalty", "mp_tkpunish", Checked, "lbl_moreserver(2)",
             " Force players that kill one or more team-mates to skip the next round."),
      toggle("img_moreserver(3)", T::MoreServer, 3, MoreServer, "Restrictions", "Enable cheats",
             "sv_cheats", Kept, "lbl_moreserver(3)", " Allow clients to use cheats. Not recommended."),
      toggle("img_moreserver(4)", T::MoreServer, 4, MoreServer, "Restrictions", "Allow pause game",
             "pausable", Kept, "lbl_moreserver(4)", " Allow users to pause game. Not recommended."),
      toggle("img_moreserver(5)", T::MoreServer, 5, MoreServer, "Restrictions", "Autoaim", "sv_aim",
             Kept, "lbl_moreserver(5)", " Enable client auto-aim. Not recommended."),
      slider("scrollmaxhostagekills", MoreServer, "Restrictions", "Max hostagekills", 0, 4, 0, 2,
             "mp_hostagepenalty", Form::N, "lblmaxhostagekills", Plain, kChangeFocus,
             " Set how many hostagekills a client can do before kicked from server."),
      slider("scrollteamdiffer", MoreServer, "Restrictions", "Max team1 <> team2", 0, 8, 0, 2,
             "mp_limitteams", Form::N, "lblmaxteamdiffer", Plain, kChangeFocus,
             " Set how many players team1 can have more than team2, or vice versa."),
      slider("scrollresetinterval", MoreServer, "Timer", "Reset interval", 0, 600, 0, 60,
             "sv_restartround", Form::N, "lblresetinterval", Off, kChangeFocus,
             " Set how long between total re-setting of the game, including frags, money etc."),
      slider("scrolltimelimit", MoreServer, "Timer", "Map rotation time", 10, 300, 10, 30,
             "mp_timelimit", Form::N, "lbltimelimit", Plain, kChangeFocus,
             " Set the time between forcing level change."),
      slider("scrollroundtime", MoreServer, "Timer", "Roundtime", 3, 15, 3, 5, "mp_roundtime",
             Form::N, "lblroundtime", Plain, kChangeFocus, " Set roundtime."),
  };

  // ---- Maps page: one toggle per standard map, captioned with the map's name.
  for (int i = 0; i < static_cast<int>(kMaps.size()); ++i)
    rows.push_back(toggle(kMapControls[i], T::Map, i, Maps, "Maps to cycle", kMaps[i], "", Checked,
                          "",
                          " Set maps to be included in the mapcycle.txt. If there are some maps "
                          "you don't like, simply remove them"));

  // ---- Commandline page
  const std::vector<Option> launch = {
      toggle("img_launch(0)", T::Launch, 0, Launch, "Launch options", "LAN game", "", Unchecked,
             "lbllaunch(1)", " Toggle playing LAN game or internet game.")
          .lines("+sv_lan 1", "")
          .stored("Lan"),
      toggle("img_launch(1)", T::Launch, 1, Launch, "Launch options",
             "Register at masterserver (WON)", "", Checked, "lbllaunch(2)",
             " Register server at WON. Uncheck if you play LAN game.")
          .captionHelps(" register server at WON. Uncheck if you play LAN game.")
          .lines("", "-nomaster")
          .stored("Master"),
      text("txtmaxplayers", Text, Launch, "Launch options", "Players", "16", "",
           " Set the maximum number of players.")
          .limit(2)
          .launches("-players")
          .stored("Players"),
      text("txtipaddress", Text, Launch, "Launch options", "IP address (optional)", "", "",
           " Set the IP address. Optional.")
          .limit(16)
          .launches("-ip")
          .stored("Ip"),
      text("txtport", Text, Launch, "Launch options", "Port (optional)", "", "",
           " Set the port number. Optional.")
          .limit(6)
          .launches("-port")
          .stored("Port"),
      text("cmbdeafultmap", Choice, Launch, "Launch options", "Default/startup map", "", "",
           " Set the default startup map. Optional.")
          .launches("-map")
          .stored("Map"),
      toggle("img_launch(2)", T::Launch, 2, Launch, "", "Use 32-bit colors", "", Unchecked, "Label7",
             " Use 32-bit rendering. Performance hit for older video cards.")
          .lines("-32bpp", "")
          .stored("32bit"),
      toggle("img_launch(3)", T::Launch, 3, Launch, "", "Show numeric ping", "", Unchecked,
             "Label15", " Show numeric ping instead if the dots that are default.")
          .lines("-numericping", "")
          .stored("NumericPing"),
      toggle("img_launch(4)", T::Launch, 4, Launch, "", "Disable IPX support", "", Unchecked,
             "Label33", " Disable IPX support.")
          .lines("-noipx", "")
          .stored("NoIPX"),
      toggle("img_launch(5)", T::Launch, 5, Launch, "", "Disable joystick support", "", Unchecked,
             "Label17", " Disable joystick support.")
          .lines("-nojoy", "")
          .stored("NoJoy"),
      toggle("img_launch(6)", T::Launch, 6, Launch, "", "Enable console", "", Unchecked, "Label18",
             " Enable console/disable intro movies.")
          .lines("-console", "")
          .stored("Console"),
  };
  rows.insert(rows.end(), launch.begin(), launch.end());

  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].id = static_cast<int>(i);
  return rows;
}

const std::vector<Option>& rows() {
  static const std::vector<Option> all = buildCatalogue();
  return all;
}

}  // namespace

const TableInfo& tableInfo(Table t) { return kTableInfo[static_cast<int>(t)]; }
const PageInfo& pageInfo(Page p) { return kPageInfo[static_cast<int>(p)]; }

std::span<const Option> catalogue() { return rows(); }

const Option* findOption(std::string_view control) {
  static const auto index = [] {
    std::unordered_map<std::string_view, const Option*> m;
    for (const Option& o : rows()) m.emplace(o.control, &o);
    return m;
  }();
  auto it = index.find(control);
  return it == index.end() ? nullptr : it->second;
}

const Option& option(std::string_view control) {
  const Option* o = findOption(control);
  if (!o) throw std::logic_error("no option named " + std::string(control));
  return *o;
}

const Option* findToggle(Table t, int index) {
  static const auto byTable = [] {
    std::array<std::vector<const Option*>, kTableCount> m;
    for (int t = 0; t < kTableCount; ++t) m[t].resize(kTableInfo[t].size, nullptr);
    for (const Option& o : rows())
      if (o.isToggle()) m[static_cast<int>(o.table)][o.index] = &o;
    return m;
  }();
  const auto& v = byTable[static_cast<int>(t)];
  return index >= 0 && index < static_cast<int>(v.size()) ? v[index] : nullptr;
}

}  // namespace quillet
