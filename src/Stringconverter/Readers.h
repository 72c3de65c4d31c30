// The start-up readers: the game's files back into the model.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "settings/Model.h"

namespace quillet {

// Each reader appends its own message to `loadErrors` when it cannot open its file.
void LoadAutoexec(const std::filesystem::path& file, Model& model, std::string& loadErrors);
// The same over the file's bytes, nullopt when it could not be opened.
void LoadAutoexec(const std::optional<std::string>& content, Model& model, std::string& loadErrors);
// The first reading of config.cfg over the file's bytes (nullopt when it could not be opened):
// the switches first, then the values, then the setinfo keys, each pass over the whole file.
void LoadConfig(const std::optional<std::string>& content, Model& model, std::string& loadErrors);
// The second reading: the lines whose first word Quillet does not own go to configKeptLines.
void CollectConfigLines(const std::optional<std::string>& content, Model& model);
// Both readings in one scan of the bytes, as the load sequence runs them: the same options and
// the same kept lines as LoadConfig followed by CollectConfigLines.
void LoadConfigWithKeptLines(const std::optional<std::string>& content, Model& model, std::string& loadErrors);
void LoadMapcycle(const std::filesystem::path& file, Model& model, std::string& loadErrors);
void LoadMotd(const std::filesystem::path& file, Model& model, std::string& loadErrors);
// The briefing of a map into model.mapInfo; empty when the file cannot be read.
void LoadMapBriefing(const std::filesystem::path& file, Model& model);

// "Keep my own lines": the values in force, from the bytes of autoexec.cfg, config.cfg,
// server.cfg and listenserver.cfg (indexed by GameFile; nullptr for a file that is missing),
// each read as the game's console runs it. A client option shows what config.cfg then
// autoexec.cfg leave it with, a server option what server.cfg does (or, where it sets nothing,
// the first of listenserver.cfg, autoexec.cfg, config.cfg that does). A value the control cannot
// show (or only rounded), and another file's value where the files disagree, go to
// model.keptValues with their file and line.
void LoadValuesInForce(const std::array<const std::string*, 4>& files, Model& model);
// One kept value as the box and the command line list it: the item, its file and line, and
// ", differs" where the page shows another file's value.
std::string keptValueLine(const KeptValue& kept);
// The box that lists the kept values after the start-up, nullopt when there are none.
std::optional<Message> keptValuesMessage(const Model& model);

// Item-level entry points, also used by the command line to read a value as a file would.
void applyAutoexecItem(std::string_view item, Model& model);

// One value as the readers take it for `option` under `rule`: `value` is the field after the
// console name, without its quotes and in lower case, as the readers see it. Sets what the
// reader sets and returns false when the reader would leave the option alone (a number it
// does not take, a slider position outside the range, a rule that reads no value).
bool applyReadValue(const Option& option, Read rule, std::string_view value, Model& model);

// The slider position a file's number asks for under `rule` (Read::Slider or
// Read::SliderCeiling): the number times the option's factor, rounded half to even; nullopt
// beyond 16 bits. The slider's own range is not checked here.
std::optional<int> sliderPositionFor(const Option& slider, double value, Read rule);

// The first words of lines that config.cfg's reader leaves out of the kept lines.
bool configOwnsName(std::string_view lowerWord);

inline constexpr std::string_view kAutoexecError =
    "- Cannot open Autoexec.cfg.\rNOTE: If this is the first time you run this program, the "
    "autoexec.cfg  may not have been created yet.\r";
inline constexpr std::string_view kConfigError = "- Cannot open config.cfg.\r\n";
inline constexpr std::string_view kMapcycleError = "- Cannot open mapcycle.txt.\r\n";
inline constexpr std::string_view kMotdError = "Cannot find motd.txt\r\n";
inline constexpr std::string_view kPictureError =
    "The 'img' folder that was provided with the installation of Quillet, has been moved or "
    "deleted. Please reinstall\r";

}  // namespace quillet
