// Where each option's line stands in the files Save writes, by control name.
#pragma once

#include <string_view>

namespace quillet::layout {

inline constexpr std::string_view kAutoexecVideo[] = {
    "scrollgamma",  "scrollbrightness", "scrollsmoke",  "img_video(0)",  "img_video(1)",
    "img_video(2)", "img_video(3)",     "img_video(5)", "img_video(6)",  "img_video(7)",
    "img_video(8)", "img_video(9)",     "img_video(10)", "scrollgibparts", "scrollgibsvisible"};

inline constexpr std::string_view kAutoexecClient[] = {
    "txtname",           "txtteam",          "img_client(0)",        "img_client(1)",
    "img_client(2)",     "img_client(3)",    "img_client(4)",        "img_client(5)",
    "ClientOptions(6)",  "img_client(11)",   "cmbnetgraphpos",       "scrollrate",
    "img_client(12)",    "img_client(13)",   "img_client(14)",       "img_client(15)",
    "img_client(16)",    "img_client(17)",   "scrollfromserverrate", "scrolltoserverrate",
    "scrolllatency",     "scrollred",        "img_moreclient(0)",    "scrollmsgtime",
    "scrolldeathmsgtime", "scrollmaxfps"};

// The server block of autoexec.cfg and server.cfg; listenserver.cfg leaves out mp_decals.
inline constexpr std::string_view kServerBlock[] = {
    "txtservername",       "scrollvisibleshells",   "scrollvisiblesmokepuffs", "scrollghostfreq",
    "scrolldecals",        "img_server(2)",         "img_server(3)",           "img_server(4)",
    "img_server(5)",       "img_server(6)",         "img_server(7)",           "img_server(8)",
    "img_server(9)",       "img_server(10)",        "img_server(11)",          "img_server(12)",
    "scrollbombtimer",     "scrollfreezetime",      "scrollmapratio",          "scrolldecalfreq",
    "img_moreserver(0)",   "img_moreserver(1)",     "img_moreserver(2)",       "img_moreserver(3)",
    "img_moreserver(4)",   "img_moreserver(5)",     "scrollmaxhostagekills",   "scrollteamdiffer",
    "scrollresetinterval", "scrolltimelimit",       "scrollroundtime",         "img_moreserver(6)",
    "scrollcompensate",    "scrollcalculatepackets"};
inline constexpr std::string_view kNotInListenserver = "scrolldecals";

inline constexpr std::string_view kAutoexecControls[] = {
    "img_controls(0)", "img_server(6)",   "img_controls(1)", "img_controls(2)", "img_controls(3)",
    "img_controls(4)", "img_controls(5)", "img_controls(6)", "scrollsensity"};

inline constexpr std::string_view kAutoexecSound[] = {"img_controls(7)", "scrollvolume",
                                                      "scrollsuitvolume"};

// The program's own lines at the end of config.cfg.
inline constexpr std::string_view kConfig[] = {
    "ClientOptions(6)",  "img_video(2)",    "scrollgamma",          "scrollbrightness",
    "scrollmaxfps",      "scrollred",       "img_client(11)",       "cmbnetgraphpos",
    "img_moreserver(5)", "scrolldecals",    "img_video(6)",         "img_video(9)",
    "img_controls(7)",   "scrollvolume",    "scrollsuitvolume",     "txtname",
    "txtteam",           "scrollrate",      "scrollfromserverrate", "img_client(16)",
    "img_client(15)",    "img_video(5)",    "img_client(12)",       "img_client(13)",
    "img_client(14)",    "scrolltoserverrate", "scrolllatency",     "img_controls(0)",
    "img_server(6)",     "img_controls(1)", "img_controls(2)",      "img_controls(3)",
    "img_controls(4)",   "img_controls(5)", "img_controls(6)",      "scrollsensity",
    "scrollsmoke",       "img_moreclient(0)", "img_client(2)",      "img_client(0)"};

// Names config.cfg's reader also leaves out of the kept lines though Save writes no line for them.
inline constexpr std::string_view kConfigAlsoOwned[] = {"bgmvolume", "5"};

}  // namespace quillet::layout
