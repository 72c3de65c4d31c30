// The option rows are laid out as a table, one row to an option; the formatter leaves them be.
// clang-format off
// The rows of the option catalogue.
#include <algorithm>
#include <cassert>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/Text.h"
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
    {"framekeys", "Keys"},
}};

constexpr std::array<std::string_view, kMaps.size()> kMapControls = {
    "img_map(0)",  "img_map(1)",  "img_map(2)",  "img_map(3)",  "img_map(4)",
    "img_map(5)",  "img_map(6)",  "img_map(7)",  "img_map(8)",  "img_map(9)",
    "img_map(10)", "img_map(11)", "img_map(12)", "img_map(13)", "img_map(14)",
    "img_map(15)", "img_map(16)", "img_map(17)", "img_map(18)"};

constexpr std::uint8_t kChangeFocus = OnChange | OnFocus;
constexpr std::uint8_t kChangeScroll = OnChange | OnScroll;

using T = Table;
using R = Read;

// Every row names its fields; a field a row leaves out keeps the default of struct Option.

std::vector<Option> buildCatalogue() {
  std::vector<Option> rows = {
      // ---- Client page
      {.control = "txtname", .kind = Text, .page = Client, .group = "Preferences",
       .caption = "Name", .cvar = "name", .form = Form::Text,
       .writes = {.autoexec = {.section = Section::Client, .at = 1}, .config = 16}, .autoexecRead = R::Text,
       .configRead = R::Text, .help = " Set your client name."},
      {.control = "txtteam", .kind = Text, .page = Client, .group = "Preferences",
       .caption = "Team", .cvar = "team", .form = Form::Text,
       .writes = {.autoexec = {.section = Section::Client, .at = 2}, .config = 17}, .autoexecRead = R::Text,
       .help = " Set your team name."},
      {.control = "img_client(0)", .kind = Toggle, .page = Client, .group = "Preferences",
       .caption = "Autohelp", .captionLabel = "Label13", .table = T::Client, .index = 0,
       .factory = Checked, .cvar = "setinfo ah", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 3}, .config = 40}, .configRead = R::Setinfo,
       .help = " Gives you small hints and help trough the game."},
      {.control = "img_client(1)", .kind = Toggle, .page = Client, .group = "Preferences",
       .caption = "Map briefings", .captionLabel = "Label24", .table = T::Client, .index = 1,
       .factory = Checked, .cvar = "dm", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 4}}, .autoexecRead = R::On,
       .configRead = R::Setinfo, .help = " Show map-info when you connect to a server."},
      {.control = "img_client(2)", .kind = Toggle, .page = Client, .group = "Preferences",
       .caption = "Center auto-ID", .captionLabel = "Label23", .table = T::Client, .index = 2,
       .cvar = "hud_centerid", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 5}, .config = 39}, .autoexecRead = R::On,
       .configRead = R::On, .help = " Center the auto-ID info on screen."},
      {.control = "img_client(3)", .kind = Toggle, .page = Client, .group = "Preferences",
       .caption = "Observer crosshair", .captionLabel = "Label22", .table = T::Client, .index = 3,
       .factory = Checked, .cvar = "cl_observercrosshair", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 6}}, .autoexecRead = R::On, .configRead = R::On,
       .help = " Show crosshair when in observer mode."},
      {.control = "img_client(4)", .kind = Toggle, .page = Client, .group = "Preferences",
       .caption = "See ghosts in observer mode", .captionLabel = "Label21", .table = T::Client,
       .index = 4, .factory = Checked, .cvar = "setinfo ghosts", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 7}}, .autoexecRead = R::Ghosts,
       .configRead = R::Setinfo,
       .help = " Enable you to see other 'ghosts' when you are dead. Turning this off can "
         "improve network performance."},
      {.control = "img_client(5)", .kind = Toggle, .page = Client, .group = "Preferences",
       .caption = "Hide others fragcount", .captionLabel = "Label20", .table = T::Client,
       .index = 5, .factory = Checked, .cvar = "cl_hidefrags", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 8}}, .autoexecRead = R::On, .configRead = R::On,
       .help = " Hide others fragcount."},
      {.control = "img_client(11)", .kind = Toggle, .page = Client, .group = "Preferences",
       .caption = "Show netgraph", .captionLabel = "Label19", .table = T::Client, .index = 11,
       .cvar = "net_graph", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 10}, .config = 7}, .autoexecRead = R::On,
       .configRead = R::On, .enablesNetgraphPos = true,
       .help = " Show netgraph. Shows a lot of useful info about your connection. Is however a "
         "_massive_ performance hit!"},
      {.control = "cmbnetgraphpos", .kind = Choice, .page = Client, .group = "Preferences",
       .designText = "Bottom right", .cvar = "net_graphpos", .form = Form::Netgraph,
       .writes = {.autoexec = {.section = Section::Client, .at = 11}, .config = 8}, .autoexecRead = R::Netgraph,
       .help = " Set where you want the netgraph to be displayed"},
      {.control = "ClientOptions(6)", .kind = Hidden, .page = Client, .table = T::Client,
       .index = 6, .cvar = "console", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 9}, .config = 1}, .autoexecRead = R::On,
       .configRead = R::On},
      {.control = "scrollrate", .kind = Slider, .page = Client, .group = "Connection",
       .caption = "Rate", .min = 1500, .max = 20000, .smallStep = 10, .largeStep = 100,
       .design = 1500, .valueLabel = "lblratescroller", .label = Plain, .helpOn = kChangeFocus,
       .factory = Value, .factoryValue = 3500, .cvar = "rate", .form = Form::N,
       .writes = {.autoexec = {.section = Section::Client, .at = 12}, .config = 18}, .autoexecRead = R::Slider,
       .configRead = R::Slider, .help = " Set the datarate at any given time."},
      {.control = "img_client(12)", .kind = Toggle, .page = Client, .group = "Connection",
       .caption = "Allow upload", .captionLabel = "Label6", .table = T::Client, .index = 12,
       .factory = Checked, .cvar = "cl_allowupload", .form = Form::Flag,
       .autoexecAlias = "allowupload", .writes = {.autoexec = {.section = Section::Client, .at = 13}, .config = 23},
       .autoexecRead = R::On, .configRead = R::On, .help = " Allow upload to server."},
      {.control = "img_client(13)", .kind = Toggle, .page = Client, .group = "Connection",
       .caption = "Allow download", .captionLabel = "Label10", .table = T::Client, .index = 13,
       .factory = Checked, .cvar = "cl_allowdownload", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 14}, .config = 24}, .autoexecRead = R::On,
       .configRead = R::On, .help = " Allow download from server."},
      {.control = "img_client(14)", .kind = Toggle, .page = Client, .group = "Connection",
       .caption = "Allow download in-game", .captionLabel = "Label9(0)", .table = T::Client,
       .index = 14, .factory = Checked, .cvar = "cl_download_ingame", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 15}, .config = 25}, .autoexecRead = R::On,
       .configRead = R::On,
       .help = " Allow download in-game from server. Modem users should disable this."},
      {.control = "img_client(15)", .kind = Toggle, .page = Client, .group = "Advanced",
       .caption = "Lag compensation", .captionLabel = "Label38", .table = T::Client, .index = 15,
       .factory = Checked, .cvar = "cl_lc", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 16}, .config = 21}, .autoexecRead = R::On,
       .help = " Use lag compensation."},
      {.control = "img_client(16)", .kind = Toggle, .page = Client, .group = "Advanced",
       .caption = "Client side animation", .captionLabel = "Label41", .table = T::Client,
       .index = 16, .factory = Checked, .cvar = "cl_lw", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Client, .at = 17}, .config = 20}, .autoexecRead = R::On,
       .help = " Determines whether the action must be validiated by server before it happens."},
      {.control = "img_client(17)", .kind = Toggle, .page = Client, .group = "Advanced",
       .caption = "Blood prediction", .captionLabel = "Label42", .table = T::Client, .index = 17,
       .cvar = "cl_lb", .form = Form::Flag, .writes = {.autoexec = {.section = Section::Client, .at = 18}},
       .autoexecRead = R::On, .captionHelp = " Use blod and gib prediction."},
      {.control = "scrollfromserverrate", .kind = Slider, .page = Client, .group = "Advanced",
       .caption = "Updates from server rate", .min = 10, .max = 50, .design = 10,
       .valueLabel = "lblfromserverrate", .label = Plain, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 20, .cvar = "cl_updaterate", .form = Form::N,
       .writes = {.autoexec = {.section = Section::Client, .at = 19}, .config = 19}, .autoexecRead = R::Slider,
       .help = " Set the update rate from server."},
      {.control = "scrolltoserverrate", .kind = Slider, .page = Client, .group = "Advanced",
       .caption = "Updates to server rate", .min = 10, .max = 50, .design = 10,
       .valueLabel = "lbltoserverupdate", .label = Plain, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 30, .cvar = "cl_cmdrate", .form = Form::N,
       .writes = {.autoexec = {.section = Section::Client, .at = 20}, .config = 26}, .autoexecRead = R::Slider,
       .help = " Set the update rate to server."},
      {.control = "scrolllatency", .kind = Slider, .page = Client, .group = "Advanced",
       .caption = "Push latency", .min = 0, .max = 1000, .design = 10, .valueLabel = "lblLatency",
       .label = Plain, .helpOn = kChangeFocus, .factory = Value, .factoryValue = 0,
       .cvar = "pushlatency", .form = Form::Negated,
       .writes = {.autoexec = {.section = Section::Client, .at = 21}, .config = 27}, .autoexecRead = R::Slider,
       .help = " Set the latency."},

      // ---- More client page
      {.control = "img_moreclient(0)", .kind = Toggle, .page = MoreClient, .group = "Misc",
       .caption = "Fastswitch weapons", .captionLabel = "Label50", .captionExplains = false,
       .table = T::MoreClient, .index = 0, .factory = Checked, .cvar = "hud_fastswitch",
       .form = Form::Flag, .writes = {.autoexec = {.section = Section::Client, .at = 23}, .config = 38},
       .autoexecRead = R::On,
       .help = " Change weapon instantly, instead of waiting until you press fire. Menu with "
         "more than 1 item will see no change."},
      {.control = "scrollmsgtime", .kind = Slider, .page = MoreClient, .group = "Misc",
       .caption = "Message time", .min = 1, .max = 30, .design = 1, .valueLabel = "lblmsgtime",
       .label = Sec, .helpOn = kChangeFocus, .factory = Value, .factoryValue = 6,
       .cvar = "hud_saytext_time", .form = Form::N, .writes = {.autoexec = {.section = Section::Client, .at = 24}},
       .autoexecRead = R::Slider,
       .help = " Set how long messages will remain on screen before they dissapear."},
      {.control = "scrolldeathmsgtime", .kind = Slider, .page = MoreClient, .group = "Misc",
       .caption = "Death message time", .min = 1, .max = 30, .design = 1,
       .valueLabel = "lbldeathmsgtime", .label = Sec, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 6, .cvar = "hud_deathnotice_time", .form = Form::N,
       .writes = {.autoexec = {.section = Section::Client, .at = 25}}, .autoexecRead = R::Slider,
       .help = " Set how long death massages will remain on screen before they dissapear."},
      {.control = "scrollmaxfps", .kind = Slider, .page = MoreClient, .group = "Misc",
       .caption = "Max FPS", .min = 20, .max = 100, .design = 20, .valueLabel = "lblmaxfps",
       .label = Plain, .helpOn = kChangeFocus, .factory = Value, .factoryValue = 100,
       .cvar = "fps_max", .form = Form::N,
       .writes = {.autoexec = {.section = Section::Client, .at = 26}, .config = 5}, .autoexecRead = R::Slider,
       .help = " Set max fps allowed to be rendered. Set to maximum."},
      {.control = "scrollred", .kind = Slider, .page = MoreClient,
       .group = "Hud / ingame text color", .caption = "Red", .min = 0, .max = 255, .design = 0,
       .valueLabel = "lblred", .label = Plain, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 255, .cvar = "con_color", .form = Form::Colour,
       .writes = {.autoexec = {.section = Section::Client, .at = 22}, .config = 6}, .storeKey = "scrollred",
       .storeAt = 1, .restoreAt = 1, .help = " Sets the amount of red in the text-color"},
      {.control = "scrollgreen", .kind = Slider, .page = MoreClient,
       .group = "Hud / ingame text color", .caption = "Green", .min = 0, .max = 255, .design = 0,
       .valueLabel = "lblgreen", .label = Plain, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 255, .cvar = "con_color", .form = Form::Colour, .storeKey = "scrollgreen",
       .storeAt = 2, .restoreAt = 2, .help = " Sets the amount of green in the text-color"},
      {.control = "scrollblue", .kind = Slider, .page = MoreClient,
       .group = "Hud / ingame text color", .caption = "Blue", .min = 0, .max = 255, .design = 0,
       .valueLabel = "lblblue", .label = Plain, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 255, .cvar = "con_color", .form = Form::Colour, .storeKey = "scrollblue",
       .storeAt = 3, .restoreAt = 3, .help = " Sets the amount of blue in the text-color"},

      // ---- Video page
      {.control = "scrollgamma", .kind = Slider, .page = Video, .group = "Preferences",
       .caption = "Gamma", .min = 0, .max = 30, .design = 0, .valueLabel = "lblgamma",
       .label = Tenths, .helpOn = kChangeFocus, .factory = Value, .factoryValue = 25,
       .cvar = "gamma", .form = Form::D, .writes = {.autoexec = {.section = Section::Video, .at = 1}, .config = 3},
       .autoexecRead = R::Slider, .configRead = R::Slider,
       .help = " Set your in-game gamma level."},
      {.control = "scrollbrightness", .kind = Slider, .page = Video, .group = "Preferences",
       .caption = "Brightness", .min = 0, .max = 10, .design = 0, .valueLabel = "lblbrightness",
       .label = Tenths, .helpOn = kChangeFocus, .factory = Value, .factoryValue = 8,
       .cvar = "brightness", .form = Form::D,
       .writes = {.autoexec = {.section = Section::Video, .at = 2}, .config = 4}, .autoexecRead = R::Slider,
       .configRead = R::Slider, .help = " Set your in-game brightness level."},
      {.control = "scrollsmoke", .kind = Slider, .page = Video, .group = "Preferences",
       .caption = "Smoke complexity", .captionLabel = "Label9(1)", .min = 0, .max = 2, .design = 0,
       .valueLabel = "lblsmoke", .label = LabelForm::Smoke, .helpOn = kChangeFocus,
       .factory = Value, .factoryValue = 2, .cvar = "fastsprites", .form = Form::Smoke,
       .writes = {.autoexec = {.section = Section::Video, .at = 3}, .config = 37}, .autoexecRead = R::Smoke,
       .configRead = R::Smoke,
       .help = " Set the smoke-grenade complexity. Medium or low quality looks rather ugly, but "
         "are much faster."},
      {.control = "img_video(0)", .kind = Toggle, .page = Video, .group = "Preferences",
       .caption = "Show weapon", .captionLabel = "lbl_video(10)", .table = T::Video, .index = 0,
       .factory = Checked, .cvar = "r_drawviewmodel", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Video, .at = 4}}, .autoexecRead = R::On,
       .help = " Show weapon in front of you."},
      {.control = "img_video(1)", .kind = Toggle, .page = Video, .group = "Preferences",
       .caption = "Show FPS", .captionLabel = "lbl_video(17)", .table = T::Video, .index = 1,
       .cvar = "cl_showfps", .form = Form::Flag, .writes = {.autoexec = {.section = Section::Video, .at = 5}},
       .autoexecRead = R::On, .help = " Show you Frames Per Second in the upper left corner."},
      {.control = "img_video(2)", .kind = Toggle, .page = Video, .group = "Preferences",
       .caption = "Show crosshair", .captionLabel = "lbl_video(0)", .table = T::Video, .index = 2,
       .factory = Checked, .cvar = "crosshair", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Video, .at = 6}, .config = 2}, .autoexecRead = R::OnOff,
       .configRead = R::On, .help = " Show crosshair."},
      {.control = "img_video(3)", .kind = Toggle, .page = Video, .group = "Preferences",
       .caption = "Show radar", .captionLabel = "lbl_video(1)", .table = T::Video, .index = 3,
       .factory = Checked, .cvar = "drawradar", .form = Form::Lines, .on = "drawradar",
       .off = "hideradar", .writes = {.autoexec = {.section = Section::Video, .at = 7}}, .autoexecRead = R::Name,
       .help = " Show radar."},
      {.control = "scrollgibparts", .kind = Slider, .page = Video, .group = "Preferences",
       .caption = "Number of gib parts", .captionLabel = "lbl_video(8)", .captionExplains = false,
       .min = 1, .max = 4, .design = 1, .valueLabel = "lblgibparts", .label = Plain,
       .helpOn = kChangeFocus, .factory = Value, .factoryValue = 4, .cvar = "cl_gibcount",
       .form = Form::N, .writes = {.autoexec = {.section = Section::Video, .at = 14}}, .autoexecRead = R::Slider,
       .help = " Set how many pieces a body spawns when blow up."},
      {.control = "scrollgibsvisible", .kind = Slider, .page = Video, .group = "Preferences",
       .caption = "Gibs visible for", .captionLabel = "lbl_video(9)", .captionExplains = false,
       .min = 0, .max = 25, .design = 0, .valueLabel = "lblgibsvisible", .label = Sec,
       .helpOn = kChangeFocus, .factory = Value, .factoryValue = 5, .cvar = "cl_giblife",
       .form = Form::N, .writes = {.autoexec = {.section = Section::Video, .at = 15}}, .autoexecRead = R::Slider,
       .help = " Set the time in seconds before gibs vanish."},
      {.control = "img_video(5)", .kind = Toggle, .page = Video, .group = "Advanced ",
       .caption = "High quality actors", .captionLabel = "lbl_video(6)", .table = T::Video,
       .index = 5, .cvar = "cl_himodels", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Video, .at = 8}, .config = 22}, .autoexecRead = R::On,
       .help = " Enable high quality actors. Might be buggy on some systems."},
      {.control = "img_video(6)", .kind = Toggle, .page = Video, .group = "Advanced ",
       .caption = "Use dithering", .captionLabel = "lbl_video(3)", .table = T::Video, .index = 6,
       .factory = Checked, .cvar = "gl_dither", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Video, .at = 9}, .config = 11}, .autoexecRead = R::OnOff,
       .configRead = R::On, .help = " Use color dithering."},
      {.control = "img_video(7)", .kind = Toggle, .page = Video, .group = "Advanced ",
       .caption = "Z-buffer halflength", .captionLabel = "lbl_video(5)", .table = T::Video,
       .index = 7, .cvar = "gl_ztrick", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Video, .at = 10}}, .autoexecRead = R::On,
       .help = " Saves fillrate, but might not be noticeable on TNT or better cards. Textures "
         "may flicker if enabled."},
      {.control = "img_video(8)", .kind = Toggle, .page = Video, .group = "Advanced ",
       .caption = "Trilinear (instead of bilinear)", .captionLabel = "lbl_video(4)",
       .table = T::Video, .index = 8, .cvar = "gl_texturemode", .form = Form::Lines,
       .on = "gl_texturemode gl_linear_mipmap_linear",
       .off = "gl_texturemode gl_nearest_mipmap_linear",
       .writes = {.autoexec = {.section = Section::Video, .at = 11}}, .autoexecRead = R::LinearMipmap,
       .help = " Enable trilinear filtering for better image quality. Slight performance loss."},
      {.control = "img_video(9)", .kind = Toggle, .page = Video, .group = "Advanced ",
       .caption = "Decal flicker fix", .captionLabel = "lbl_video(7)", .table = T::Video,
       .index = 9, .cvar = "gl_polyoffset", .form = Form::Lines, .on = "gl_polyoffset 20",
       .off = "", .writes = {.autoexec = {.section = Section::Video, .at = 12}, .config = 12},
       .autoexecRead = R::Equals20,
       .help = " Try to enable this if you have problems with decal-flickering. Otherwise, leave "
         "off."},
      {.control = "img_video(10)", .kind = Toggle, .page = Video, .group = "Advanced ",
       .caption = "Alternative texture sorting", .captionLabel = "lbl_video(11)", .table = T::Video,
       .index = 10, .cvar = "gl_texsort", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Video, .at = 13}}, .autoexecRead = R::On,
       .help = " Alternative texture sorting. Gives brighter, more vivid textures, but a is a "
         "performance hit."},

      // ---- Controls / sound page
      {.control = "img_controls(0)", .kind = Toggle, .page = Controls, .group = "Mouse",
       .caption = "Mousefilter", .captionLabel = "lbl_controls(2)", .table = T::Controls,
       .index = 0, .cvar = "m_filter", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Controls, .at = 1}, .config = 28}, .autoexecRead = R::On,
       .configRead = R::On, .help = " Use mouse smoothing."},
      {.control = "img_controls(1)", .kind = Toggle, .page = Controls, .group = "Mouse",
       .caption = "Mouselook", .captionLabel = "lbl_controls(3)", .table = T::Controls, .index = 1,
       .factory = Checked, .cvar = "+mlook", .form = Form::Lines, .on = "+mlook", .off = "-mlook",
       .writes = {.autoexec = {.section = Section::Controls, .at = 3}, .config = 30}, .autoexecRead = R::Name,
       .configRead = R::Name, .help = " Use mouselook."},
      {.control = "img_controls(2)", .kind = Toggle, .page = Controls, .group = "Joystick",
       .caption = "Use joystick", .captionLabel = "lbl_controls(4)", .table = T::Controls,
       .index = 2, .cvar = "joystick", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Controls, .at = 4}, .config = 31}, .autoexecRead = R::On,
       .configRead = R::On, .help = " Use joystick."},
      {.control = "img_controls(3)", .kind = Toggle, .page = Controls, .group = "Joystick",
       .caption = "Joysticklook", .captionLabel = "lbl_controls(5)", .table = T::Controls,
       .index = 3, .cvar = "+jlook", .form = Form::Lines, .on = "+jlook", .off = "-jlook",
       .writes = {.autoexec = {.section = Section::Controls, .at = 5}, .config = 32}, .autoexecRead = R::Name,
       .configRead = R::Name, .help = " Use joysticklook."},
      {.control = "img_controls(4)", .kind = Toggle, .page = Controls, .group = "General",
       .caption = "Lookspring", .captionLabel = "lbl_controls(0)", .table = T::Controls, .index = 4,
       .cvar = "lookspring", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Controls, .at = 6}, .config = 33}, .autoexecRead = R::On,
       .configRead = R::On, .help = " Use lookspring."},
      {.control = "img_controls(5)", .kind = Toggle, .page = Controls, .group = "General",
       .caption = "Lookstrafe", .captionLabel = "lbl_controls(1)", .table = T::Controls, .index = 5,
       .cvar = "lookstrafe", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Controls, .at = 7}, .config = 34}, .autoexecRead = R::On,
       .configRead = R::On, .help = " Use lookstrafe."},
      {.control = "img_controls(6)", .kind = Toggle, .page = Controls, .group = "General",
       .caption = "Capture mouse", .captionLabel = "lbl_controls(6)", .table = T::Controls,
       .index = 6, .factory = Checked, .cvar = "hud_capturemouse", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Controls, .at = 8}, .config = 35}, .autoexecRead = R::On,
       .configRead = R::On, .help = " Use mouse in windowed mode."},
      {.control = "scrollsensity", .kind = Slider, .page = Controls, .group = "General",
       .caption = "Sensitivity", .min = 1, .max = 20, .design = 10, .valueLabel = "lblsensitiv",
       .label = Plain, .helpOn = kChangeFocus, .factory = Value, .factoryValue = 7,
       .cvar = "sensitivity", .form = Form::N,
       .writes = {.autoexec = {.section = Section::Controls, .at = 9}, .config = 36}, .autoexecRead = R::Slider,
       .configRead = R::Slider, .help = " Set the mouse/joystick sensitivity."},
      {.control = "img_controls(7)", .kind = Toggle, .page = Controls, .group = "Sound",
       .caption = "High quality sound", .captionLabel = "lblsound(0)", .table = T::Controls,
       .index = 7, .factory = Checked, .cvar = "hisound", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Sound, .at = 1}, .config = 13}, .autoexecRead = R::On,
       .configRead = R::On, .help = " Use high quality sound."},
      {.control = "scrollvolume", .kind = Slider, .page = Controls, .group = "Sound",
       .caption = "Volume", .captionLabel = "lblsound(4)", .min = 0, .max = 10, .design = 0,
       .valueLabel = "lblvolume", .label = MinMax, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 10, .cvar = "volume", .form = Form::N,
       .writes = {.autoexec = {.section = Section::Sound, .at = 2}, .config = 14}, .autoexecRead = R::SliderCeiling,
       .configRead = R::Slider, .help = " Set the in-game sound volume."},
      {.control = "scrollsuitvolume", .kind = Slider, .page = Controls, .group = "Sound",
       .caption = "Suitvolume", .captionLabel = "lblsound(3)", .min = 0, .max = 10, .design = 0,
       .valueLabel = "lblsuitvolume", .label = MinMax, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 3, .cvar = "suitvolume", .form = Form::N,
       .writes = {.autoexec = {.section = Section::Sound, .at = 3}, .config = 15}, .autoexecRead = R::SliderCeiling,
       .configRead = R::Slider, .defaultsLast = true, .help = " Set the suit-sound volume."},

      // ---- Server page
      {.control = "txtservername", .kind = Text, .page = Server, .group = "Main",
       .caption = "Servername", .designText = "CS_server", .maxLength = 30, .cvar = "hostname",
       .form = Form::Text, .writes = {.server = 1}, .autoexecRead = R::Text,
       .help = " Set the name of your server"},
      {.control = "scrollvisibleshells", .kind = Slider, .page = Server, .group = "Performance",
       .caption = "Max visible shells", .min = 0, .max = 999, .design = 1,
       .valueLabel = "lblshells", .label = Plain, .helpOn = OnFocus, .factory = Value,
       .factoryValue = 150, .cvar = "max_shells", .form = Form::N, .writes = {.server = 2},
       .autoexecRead = R::Slider, .help = " Set how many shells that can be visible."},
      {.control = "scrollvisiblesmokepuffs", .kind = Slider, .page = Server, .group = "Performance",
       .caption = "Max visible smokepuffs", .min = 0, .max = 999, .design = 1,
       .valueLabel = "lblsmokepuffs", .label = Plain, .helpOn = OnFocus, .factory = Value,
       .factoryValue = 150, .cvar = "max_smokepuffs", .form = Form::N, .writes = {.server = 3},
       .autoexecRead = R::Slider, .help = " Set how many smokepuffs that can be visible."},
      {.control = "scrollghostfreq", .kind = Slider, .page = Server, .group = "Performance",
       .caption = "Ghostfrequency", .min = 1, .max = 50, .largeStep = 10, .design = 1,
       .valueLabel = "lblghostfreq", .label = TenthsSec, .helpOn = OnFocus, .factory = Value,
       .factoryValue = 1, .cvar = "mp_ghostfrequency", .form = Form::D, .writes = {.server = 4},
       .autoexecRead = R::Slider,
       .help = " Set how often ghostposition shall be updated. Higher rate reduce lag."},
      {.control = "scrolldecals", .kind = Slider, .page = Server, .group = "Performance",
       .caption = "Max decals", .min = 1, .max = 1000, .largeStep = 10, .design = 1,
       .valueLabel = "lbldecals", .label = Plain, .helpOn = OnFocus, .factory = Value,
       .factoryValue = 300, .cvar = "mp_decals", .form = Form::N,
       .writes = {.server = 5, .listenserver = false, .config = 10}, .autoexecRead = R::Slider,
       .help = " Set how many decals (bulletholes, explosions etc.) that can be visible."},
      {.control = "img_server(2)", .kind = Toggle, .page = Server, .group = "Performance",
       .caption = "Advanced decals/physics", .captionLabel = "lbl_server(0)", .table = T::Server,
       .index = 2, .cvar = "sv_sendvelocity", .form = Form::Flag, .writes = {.server = 6},
       .autoexecRead = R::On,
       .help = " Enable advanced decals/physics. Use this only if you've got a fast server with "
         "a good connection."},
      {.control = "img_server(3)", .kind = Toggle, .page = Server, .group = "Performance",
       .caption = "Restrict bulletsparks", .captionLabel = "lbl_server(1)", .table = T::Server,
       .index = 3, .cvar = "mp_lowlag", .form = Form::Flag, .writes = {.server = 7},
       .autoexecRead = R::On,
       .help = " Restrict bulletsparks. Servers connected @ cabel-speed and below should use "
         "this."},
      {.control = "img_server(4)", .kind = Toggle, .page = Server, .group = "Preferences",
       .caption = "Friendly fire", .captionLabel = "lbl_server(5)", .table = T::Server, .index = 4,
       .factory = Checked, .cvar = "mp_friendlyfire", .form = Form::Flag, .writes = {.server = 8},
       .autoexecRead = R::On,
       .help = " Toggle friendly fire. If enabled, you can kill or injure team-mates"},
      {.control = "img_server(5)", .kind = Toggle, .page = Server, .group = "Preferences",
       .caption = "Friendly grenade damage", .captionLabel = "lbl_server(6)", .table = T::Server,
       .index = 5, .factory = Checked, .cvar = "mp_friendly_grenade_damage", .form = Form::Flag,
       .writes = {.server = 9}, .autoexecRead = R::On,
       .help = " Toggle friendly grenade-damage. If enabled, you can kill or injure team-mates "
         "with grenades."},
      {.control = "img_server(6)", .kind = Toggle, .page = Server, .group = "Preferences",
       .caption = "Allow flashlight", .captionLabel = "lbl_server(7)", .table = T::Server,
       .index = 6, .factory = Checked, .cvar = "mp_flashlight", .form = Form::Flag,
       .writes = {.autoexec = {.section = Section::Controls, .at = 2}, .server = 10, .config = 29},
       .autoexecRead = R::On, .help = " Let clients use flashlight."},
      {.control = "img_server(7)", .kind = Toggle, .page = Server, .group = "Preferences",
       .caption = "Falling damage", .captionLabel = "lbl_server(11)", .table = T::Server,
       .index = 7, .factory = Checked, .cvar = "mp_falldamage", .form = Form::Flag,
       .writes = {.server = 11}, .autoexecRead = R::On,
       .help = " Toggle realistic falling damage."},
      {.control = "img_server(8)", .kind = Toggle, .page = Server, .group = "Preferences",
       .caption = "Hear client footsteps", .captionLabel = "lbl_server(8)", .table = T::Server,
       .index = 8, .factory = Checked, .cvar = "mp_footsteps", .form = Form::Flag,
       .writes = {.server = 12}, .autoexecRead = R::On,
       .help = " If enabled clients will hear other players footsteps."},
      {.control = "img_server(9)", .kind = Toggle, .page = Server, .group = "Preferences",
       .caption = "Force chasecam", .captionLabel = "lbl_server(4)", .table = T::Server, .index = 9,
       .cvar = "mp_forcechasecam", .form = Form::Flag, .writes = {.server = 13},
       .autoexecRead = R::On,
       .help = " Force chasecam makes it possible to follow only your own team's players, "
         "preventing cheating in LAN games."},
      {.control = "img_server(10)", .kind = Toggle, .page = Server, .group = "Preferences",
       .caption = "Limit observers to chasemode", .captionLabel = "lbl_server(10)",
       .table = T::Server, .index = 10, .cvar = "mp_chasecam", .form = Form::Flag,
       .writes = {.server = 14}, .autoexecRead = R::On,
       .help = "Limit observers to chasemode, not allowing them to 'ghost' around."},
      {.control = "img_server(11)", .kind = Toggle, .page = Server, .group = "Preferences",
       .caption = "Log ", .captionLabel = "lbl_server(9)", .table = T::Server, .index = 11,
       .factory = Checked, .cvar = "mp_logfile", .form = Form::Flag, .writes = {.server = 15},
       .autoexecRead = R::On, .help = " Log events on your server."},
      {.control = "img_server(12)", .kind = Toggle, .page = Server, .group = "Preferences",
       .caption = "Log messages", .captionLabel = "lbl_server(13)", .sharesRow = true,
       .table = T::Server, .index = 12, .factory = Checked, .cvar = "mp_logmessages",
       .form = Form::Flag, .writes = {.server = 16}, .autoexecRead = R::On,
       .help = " Include chatmessages in log."},
      {.control = "scrollbombtimer", .kind = Slider, .page = Server, .group = "Preferences",
       .caption = "Bomb timer", .min = 15, .max = 90, .design = 15, .valueLabel = "lblbombtimer",
       .label = Sec, .helpOn = kChangeScroll, .factory = Value, .factoryValue = 45,
       .cvar = "mp_c4timer", .form = Form::N, .writes = {.server = 17}, .autoexecRead = R::Slider,
       .help = " Set the time from C4 bomb placement until detonation."},
      {.control = "scrollfreezetime", .kind = Slider, .page = Server, .group = "Preferences",
       .caption = "Freezetime", .min = 0, .max = 60, .design = 0, .valueLabel = "lblfreezetime",
       .label = OffSec, .helpOn = kChangeScroll, .factory = Value, .factoryValue = 6,
       .cvar = "mp_freezetime", .form = Form::N, .writes = {.server = 18},
       .autoexecRead = R::Slider,
       .help = " Set the time players are frozen at start of round. Allowing you to buy weapons "
         "and equipment before action."},
      {.control = "scrollmapratio", .kind = Slider, .page = Server, .group = "Preferences",
       .caption = "Map vote ratio", .min = 1, .max = 100, .design = 1, .valueLabel = "lblmapratio",
       .label = Percent, .helpOn = kChangeScroll, .factory = Value, .factoryValue = 60,
       .cvar = "mp_mapvoteratio", .form = Form::N, .writes = {.server = 19},
       .autoexecRead = R::Slider,
       .help = " Set how many percent of players must vote for a map before the server changes "
         "to that map."},
      {.control = "scrolldecalfreq", .kind = Slider, .page = Server, .group = "Preferences",
       .caption = "Decal frequency", .min = 1, .max = 180, .design = 1,
       .valueLabel = "lbldecalfreq", .label = Sec, .helpOn = kChangeScroll, .factory = Value,
       .factoryValue = 60, .cvar = "decalfrequency", .form = Form::N, .writes = {.server = 20},
       .autoexecRead = R::Slider, .help = " Set how often clients can spray their logo."},

      // ---- More server page
      {.control = "img_moreserver(6)", .kind = Toggle, .page = MoreServer, .group = "Advanced",
       .caption = "Lag compensation", .captionLabel = "lbl_moreserver(6)", .table = T::MoreServer,
       .index = 6, .factory = Checked, .cvar = "sv_unlag", .form = Form::Flag,
       .writes = {.server = 32}, .autoexecRead = R::On,
       .help = " Use lag compensation to make gameplay less choppy. Leave on."},
      {.control = "scrollcompensate", .kind = Slider, .page = MoreServer, .group = "Advanced",
       .caption = "Compensate up to", .min = 1, .max = 1000, .largeStep = 10, .design = 1,
       .valueLabel = "lbllagcompensate", .label = Plain, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 500, .cvar = "sv_maxunlag", .form = Form::N, .writes = {.server = 33},
       .autoexecRead = R::Slider,
       .help = " Set the maximum time CS' 'anti-lag' code will attempt to avoid lag."},
      {.control = "scrollcalculatepackets", .kind = Slider, .page = MoreServer, .group = "Advanced",
       .caption = "Calculate ping on last", .min = 1, .max = 5, .design = 1,
       .valueLabel = "lblcalculatepackets", .label = Packets, .helpOn = kChangeFocus,
       .factory = Value, .factoryValue = 1, .cvar = "sv_unlagsamples", .form = Form::N,
       .writes = {.server = 34}, .autoexecRead = R::Slider,
       .help = " Set how many packets CS is calculating the clients ping. Optimal is usually 1 "
         "or 2."},
      {.control = "txtmotd", .kind = Text, .page = MoreServer, .group = "Message Of The Day",
       .multiLine = true,
       .help = " Set 'Message of the day'. That means the message clients get when they join "
         "your server."},
      {.control = "img_moreserver(0)", .kind = Toggle, .page = MoreServer, .group = "Restrictions",
       .caption = "Autokick", .captionLabel = "lbl_moreserver(0)", .table = T::MoreServer,
       .index = 0, .factory = Checked, .cvar = "mp_autokick", .form = Form::Flag,
       .writes = {.server = 21}, .autoexecRead = R::On, .help = " Autokick disruptive players."},
      {.control = "img_moreserver(1)", .kind = Toggle, .page = MoreServer, .group = "Restrictions",
       .caption = "Auto team balance", .captionLabel = "lbl_moreserver(1)", .table = T::MoreServer,
       .index = 1, .factory = Checked, .cvar = "mp_autoteambalance", .form = Form::Flag,
       .writes = {.server = 22}, .autoexecRead = R::On,
       .help = " Force clients to join team with less players."},
      {.control = "img_moreserver(2)", .kind = Toggle, .page = MoreServer, .group = "Restrictions",
       .caption = "Team mate kill penalty", .captionLabel = "lbl_moreserver(2)",
       .table = T::MoreServer, .index = 2, .factory = Checked, .cvar = "mp_tkpunish",
       .form = Form::Flag, .writes = {.server = 23}, .autoexecRead = R::On,
       .help = " Force players that kill one or more team-mates to skip the next round."},
      {.control = "img_moreserver(3)", .kind = Toggle, .page = MoreServer, .group = "Restrictions",
       .caption = "Enable cheats", .captionLabel = "lbl_moreserver(3)", .table = T::MoreServer,
       .index = 3, .cvar = "sv_cheats", .form = Form::Flag, .writes = {.server = 24},
       .autoexecRead = R::On, .help = " Allow clients to use cheats. Not recommended."},
      {.control = "img_moreserver(4)", .kind = Toggle, .page = MoreServer, .group = "Restrictions",
       .caption = "Allow pause game", .captionLabel = "lbl_moreserver(4)", .table = T::MoreServer,
       .index = 4, .cvar = "pausable", .form = Form::Flag, .writes = {.server = 25},
       .autoexecRead = R::On, .help = " Allow users to pause game. Not recommended."},
      {.control = "img_moreserver(5)", .kind = Toggle, .page = MoreServer, .group = "Restrictions",
       .caption = "Autoaim", .captionLabel = "lbl_moreserver(5)", .table = T::MoreServer,
       .index = 5, .cvar = "sv_aim", .form = Form::Flag, .writes = {.server = 26, .config = 9},
       .autoexecRead = R::On, .help = " Enable client auto-aim. Not recommended."},
      {.control = "scrollmaxhostagekills", .kind = Slider, .page = MoreServer,
       .group = "Restrictions", .caption = "Max hostagekills", .min = 0, .max = 4, .design = 0,
       .valueLabel = "lblmaxhostagekills", .label = Plain, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 2, .cvar = "mp_hostagepenalty", .form = Form::N, .writes = {.server = 27},
       .autoexecRead = R::Slider,
       .help = " Set how many hostagekills a client can do before kicked from server."},
      {.control = "scrollteamdiffer", .kind = Slider, .page = MoreServer, .group = "Restrictions",
       .caption = "Max team1 <> team2", .min = 0, .max = 8, .design = 0,
       .valueLabel = "lblmaxteamdiffer", .label = Plain, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 2, .cvar = "mp_limitteams", .form = Form::N, .writes = {.server = 28},
       .autoexecRead = R::Slider,
       .help = " Set how many players team1 can have more than team2, or vice versa."},
      {.control = "scrollresetinterval", .kind = Slider, .page = MoreServer, .group = "Timer",
       .caption = "Reset interval", .min = 0, .max = 600, .design = 0,
       .valueLabel = "lblresetinterval", .label = Off, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 60, .cvar = "sv_restartround", .form = Form::N, .writes = {.server = 29},
       .autoexecRead = R::Slider,
       .help = " Set how long between total re-setting of the game, including frags, money etc."},
      {.control = "scrolltimelimit", .kind = Slider, .page = MoreServer, .group = "Timer",
       .caption = "Map rotation time", .min = 10, .max = 300, .design = 10,
       .valueLabel = "lbltimelimit", .label = Plain, .helpOn = kChangeFocus, .factory = Value,
       .factoryValue = 30, .cvar = "mp_timelimit", .form = Form::N, .writes = {.server = 30},
       .autoexecRead = R::Slider, .help = " Set the time between forcing level change."},
      {.control = "scrollroundtime", .kind = Slider, .page = MoreServer, .group = "Timer",
       .caption = "Roundtime", .min = 3, .max = 15, .design = 3, .valueLabel = "lblroundtime",
       .label = Plain, .helpOn = kChangeFocus, .factory = Value, .factoryValue = 5,
       .cvar = "mp_roundtime", .form = Form::N, .writes = {.server = 31}, .autoexecRead = R::Slider,
       .help = " Set roundtime."},

  };

  // ---- Maps page: one toggle per standard map, captioned with the map's name.
  for (int i = 0; i < static_cast<int>(kMaps.size()); ++i)
    rows.push_back({.control = kMapControls[i], .kind = Toggle, .page = Maps,
                    .group = "Maps to cycle", .caption = kMaps[i], .table = T::Map, .index = i,
                    .factory = Checked,
                    .help = " Set maps to be included in the mapcycle.txt. If there are some maps "
                            "you don't like, simply remove them"});

  // ---- Commandline page
  const Option launch[] = {
      {.control = "img_launch(0)", .kind = Toggle, .page = Launch, .group = "Launch options",
       .caption = "LAN game", .captionLabel = "lbllaunch(1)", .table = T::Launch, .index = 0,
       .factory = Unchecked, .form = Form::Lines, .on = "+sv_lan 1", .storeKey = "Lan",
       .storeAt = 13, .restoreAt = 9, .help = " Toggle playing LAN game or internet game."},
      {.control = "img_launch(1)", .kind = Toggle, .page = Launch, .group = "Launch options",
       .caption = "Register at masterserver (WON)", .captionLabel = "lbllaunch(2)",
       .table = T::Launch, .index = 1, .factory = Checked, .form = Form::Lines, .off = "-nomaster",
       .storeKey = "Master", .storeAt = 14, .restoreAt = 10,
       .help = " Register server at WON. Uncheck if you play LAN game.",
       .captionHelp = " register server at WON. Uncheck if you play LAN game."},
      {.control = "txtmaxplayers", .kind = Text, .page = Launch, .group = "Launch options",
       .caption = "Players", .min = 1, .max = 32, .designText = "16", .maxLength = 2, .input = Input::Count,
       .on = "-players",
       .storeKey = "Players", .storeAt = 9, .restoreAt = 11, .launchOnClick = true,
       .help = " Set the maximum number of players."},
      {.control = "txtipaddress", .kind = Text, .page = Launch, .group = "Launch options",
       .caption = "IP address (optional)", .maxLength = 16, .input = Input::Address, .on = "-ip", .storeKey = "Ip",
       .storeAt = 10, .restoreAt = 12, .launchOnChange = true, .launchOnClick = true,
       .help = " Set the IP address. Optional."},
      {.control = "txtport", .kind = Text, .page = Launch, .group = "Launch options",
       .caption = "Port (optional)", .min = 1, .max = 65535, .maxLength = 6, .input = Input::Count, .on = "-port",
       .storeKey = "Port",
       .storeAt = 11, .restoreAt = 13, .launchOnChange = true, .launchOnClick = true,
       .help = " Set the port number. Optional."},
      {.control = "cmbdeafultmap", .kind = Choice, .page = Launch, .group = "Launch options",
       .caption = "Default/startup map", .input = Input::Word, .on = "-map", .storeKey = "Map", .storeAt = 12,
       .restoreAt = 14, .launchOnChange = true, .help = " Set the default startup map. Optional."},
      {.control = "img_launch(2)", .kind = Toggle, .page = Launch, .caption = "Use 32-bit colors",
       .captionLabel = "Label7", .table = T::Launch, .index = 2, .factory = Unchecked,
       .form = Form::Lines, .on = "-32bpp", .storeKey = "32bit", .storeAt = 8, .restoreAt = 4,
       .help = " Use 32-bit rendering. Performance hit for older video cards."},
      {.control = "img_launch(3)", .kind = Toggle, .page = Launch, .caption = "Show numeric ping",
       .captionLabel = "Label15", .table = T::Launch, .index = 3, .factory = Unchecked,
       .form = Form::Lines, .on = "-numericping", .storeKey = "NumericPing", .storeAt = 4,
       .restoreAt = 7, .help = " Show numeric ping instead if the dots that are default."},
      {.control = "img_launch(4)", .kind = Toggle, .page = Launch, .caption = "Disable IPX support",
       .captionLabel = "Label33", .table = T::Launch, .index = 4, .factory = Unchecked,
       .form = Form::Lines, .on = "-noipx", .storeKey = "NoIPX", .storeAt = 5, .restoreAt = 5,
       .help = " Disable IPX support."},
      {.control = "img_launch(5)", .kind = Toggle, .page = Launch,
       .caption = "Disable joystick support", .captionLabel = "Label17", .table = T::Launch,
       .index = 5, .factory = Unchecked, .form = Form::Lines, .on = "-nojoy", .storeKey = "NoJoy",
       .storeAt = 6, .restoreAt = 6, .help = " Disable joystick support."},
      {.control = "img_launch(6)", .kind = Toggle, .page = Launch, .caption = "Enable console",
       .captionLabel = "Label18", .table = T::Launch, .index = 6, .factory = Unchecked,
       .form = Form::Lines, .on = "-console", .storeKey = "Console", .storeAt = 7, .restoreAt = 8,
       .help = " Enable console/disable intro movies."},
  };
  rows.insert(rows.end(), std::begin(launch), std::end(launch));

  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].id = static_cast<int>(i);
  return rows;
}

const std::vector<Option>& rows() {
  static const std::vector<Option> all = buildCatalogue();
  return all;
}

// The rows that have a place by `place`, ordered by it.
template <class Place>
std::vector<const Option*> ordered(Place place) {
  std::vector<std::pair<int, const Option*>> placed;
  for (const Option& o : rows())
    if (const int at = place(o); at > 0) placed.emplace_back(at, &o);
  std::stable_sort(placed.begin(), placed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<const Option*> out;
  for (const auto& p : placed) out.push_back(p.second);
  return out;
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

std::span<const Option* const> sectionLines(Section section) {
  static const auto bySection = [] {
    std::array<std::vector<const Option*>, 6> m;
    for (int s = 1; s < 6; ++s)
      m[s] = static_cast<Section>(s) == Section::Server
                 ? ordered([](const Option& o) { return o.writes.server; })
                 : ordered([s](const Option& o) {
                     return o.writes.autoexec.section == static_cast<Section>(s) ? o.writes.autoexec.at : 0;
                   });
    return m;
  }();
  return bySection[static_cast<int>(section)];
}

std::span<const Option* const> listenserverLines() {
  static const auto lines = ordered([](const Option& o) { return o.writes.listenserver ? o.writes.server : 0; });
  return lines;
}

std::span<const Option* const> configLines() {
  static const auto lines = ordered([](const Option& o) { return o.writes.config; });
  return lines;
}

const std::vector<std::string>& configOwnedNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    const auto firstWord = [](std::string_view line) {
      return lowerAscii(line.substr(0, line.find(' ')));
    };
    for (const Option* o : configLines()) {
      if (o->form == Form::Lines) {
        for (std::string_view line : {o->on, o->off})
          if (!line.empty()) out.push_back(firstWord(line));
      } else {
        out.push_back(firstWord(o->cvar));
      }
    }
    for (std::string_view extra : kConfigAlsoDropped) out.emplace_back(extra);
    return out;
  }();
  return names;
}

std::span<const Option* const> storedInWriteOrder() {
  static const auto keys = ordered([](const Option& o) { return o.storeAt; });
  return keys;
}

std::span<const Option* const> storedInRestoreOrder() {
  static const auto keys = ordered([](const Option& o) { return o.restoreAt; });
  return keys;
}

std::string_view fileName(GameFile file) {
  // In the order of GameFile.
  static constexpr std::string_view kNames[] = {kSavedFiles[3], kSavedFiles[2], kSavedFiles[4], kSavedFiles[5]};
  return kNames[static_cast<int>(file)];
}

std::string lineKey(std::string_view line) {
  // The line's first list item: after the blanks and tabs before it, up to the closing quote of
  // an item that begins with one, else up to a comma.
  line = trimFront(line);
  std::string_view item;
  if (!line.empty() && line.front() == '"') {
    line.remove_prefix(1);
    item = line.substr(0, line.find('"'));
  } else {
    item = line.substr(0, line.find(','));
  }
  const std::string lower = lowerAscii(item);
  // Its words split at single blanks; an item without a blank is every word at once.
  const std::size_t blank = lower.find(' ');
  std::string key = lower.substr(0, blank);
  if (key != "setinfo") return key;
  std::string_view info = lower;
  if (blank != std::string::npos) {
    info.remove_prefix(blank + 1);
    info = info.substr(0, info.find(' '));
  }
  if (info.size() >= 2 && info.front() == '"' && info.back() == '"') info = info.substr(1, info.size() - 2);
  else if (info.size() != 1 && !info.empty() && info.front() == '"') info.remove_prefix(1);
  else if (info.size() != 1 && !info.empty() && info.back() == '"') info.remove_suffix(1);
  return key + ' ' + std::string(info);
}

std::vector<std::string> keysIn(const Option& o, GameFile file) {
  const Placement& w = o.writes;
  const bool written = file == GameFile::Autoexec       ? (w.autoexec.at > 0 || w.server > 0)
                       : file == GameFile::Config       ? w.config > 0
                       : file == GameFile::Server       ? w.server > 0
                                                        : w.server > 0 && w.listenserver;
  std::vector<std::string> keys;
  if (!written) return keys;
  if (o.form == Form::Lines) {
    for (std::string_view line : {o.on, o.off})
      if (!line.empty()) keys.push_back(lineKey(line));
  } else {
    keys.push_back(lineKey(file == GameFile::Autoexec && !o.autoexecAlias.empty() ? o.autoexecAlias : o.cvar));
  }
  return keys;
}

namespace {
struct KeyIndex {
  std::array<std::unordered_set<std::string>, 4> byFile;
  std::unordered_map<std::string, const Option*> writer;
};
const KeyIndex& keyIndex() {
  static const KeyIndex index = [] {
    KeyIndex k;
    for (const Option& o : rows())
      for (GameFile f : kGameFiles)
        for (std::string& key : keysIn(o, f)) {
          k.writer.emplace(key, &o);
          k.byFile[static_cast<int>(f)].insert(std::move(key));
        }
    return k;
  }();
  return index;
}
}  // namespace

bool writesKey(GameFile file, std::string_view key) {
  return keyIndex().byFile[static_cast<int>(file)].contains(std::string(key));
}

const Option* writerOfKey(std::string_view key) {
  const auto& writer = keyIndex().writer;
  const auto it = writer.find(std::string(key));
  return it == writer.end() ? nullptr : it->second;
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
// clang-format on
