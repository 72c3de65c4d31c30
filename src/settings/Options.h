// The option catalogue: every setting Quillet edits, described once as data.
// The pages, the file writers, the readers, the defaults and the command line all
// read these rows; no other place repeats an option's facts.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

enum class Kind : std::uint8_t {
  Toggle,  // an on/off image with a caption; its truth is a toggle-state table entry
  Slider,  // a horizontal scroll bar with a whole-number position and a value label
  Text,    // a free text field
  Choice,  // an editable drop-down box
  Hidden,  // a toggle-state entry with no control (the game's console switch)
};

// The eight toggle-state tables, one per toggle control array.
enum class Table : std::uint8_t { Client, MoreClient, Video, Controls, Server, MoreServer, Launch, Map };
inline constexpr int kTableCount = 8;

struct TableInfo {
  std::string_view name;   // "ClientOptions"
  std::string_view array;  // "img_client"
  int size;
};
const TableInfo& tableInfo(Table t);

enum class Page : std::uint8_t { Client, MoreClient, Video, Controls, Server, MoreServer, Maps, Launch, Keys };
inline constexpr int kPageCount = 9;

struct PageInfo {
  std::string_view frame;    // "frameclient"
  std::string_view caption;  // "Client"; pages without a caption use their heading here
};
const PageInfo& pageInfo(Page p);

// How an option's value is written after its console variable.
enum class Form : std::uint8_t {
  None,
  Flag,      // toggle: "<cvar> 1" / "<cvar> 0"
  Lines,     // toggle: the option's own `on` / `off` lines
  N,         // position as a whole number
  D,         // position / 10 with "." and no fraction when whole
  Negated,   // the negative of the position
  Smoke,     // 2 - position
  Colour,    // "con_color r,g,b" from the three colour sliders (written by the red one)
  Netgraph,  // "Bottom right" / "Center" / "Left" as 1 / 2 / 3
  Text,      // the text as typed (quoted when the game would split it)
};

// How a reader applies an item whose name matches the option.
enum class Read : std::uint8_t {
  None,
  On,             // numeric value exactly 1 turns the toggle on; nothing turns it off
  OnOff,          // numeric value exactly 1 turns it on, anything else off
  Name,           // the name alone turns the toggle on
  Equals20,       // numeric value exactly 20 turns the toggle on
  LinearMipmap,   // the value "gl_linear_mipmap_linear" turns the toggle on
  Slider,         // numeric value times the form's factor, rounded half to even
  SliderCeiling,  // as Slider, a value above 10 giving 10
  Smoke,          // 0 / 1 / 2 give the positions 2 / 1 / 0
  Netgraph,       // 1 / 2 / 3 pick the three items of the choice box
  Text,           // the item's text after the name, quote-stripped
  Ghosts,         // "setinfo ghosts" with a third word whose numeric value is 1
  Setinfo,        // "setinfo <key>" (key bare or quoted) with the value text "1"
};

enum class Factory : std::uint8_t { Kept, Checked, Unchecked, Value };

// What a field of the Commandline page takes, so that the game's launcher reads each switch of
// the composed line with exactly the field's text as its value (see fieldProblem).
enum class Input : std::uint8_t {
  Any,
  Count,    // a whole number from the option's min to its max
  Address,  // an IP address: four numbers from 0 to 255
  Word,     // one word the game's console takes as it is (a map's name)
};

// The value label of a slider.
enum class LabelForm : std::uint8_t {
  None,
  Plain,      // p
  Sec,        // p + " sec"
  Packets,    // p + " packets"
  Percent,    // p + "%"
  Tenths,     // p / 10
  TenthsSec,  // p / 10 + " sec"
  MinMax,     // "Min" at 0, "Max" at 10, else p
  Off,        // "Off" at 0, else p
  OffSec,     // "Off" at 0, else p + " sec"
  Smoke,      // "Low", "Med", "High"
};

// Which slider events start the option's help text.
enum HelpEvent : std::uint8_t { OnChange = 1, OnScroll = 2, OnFocus = 4 };

// The sections of autoexec.cfg, in file order. The server block stands in the Server section
// and is the body of server.cfg and listenserver.cfg as well.
enum class Section : std::uint8_t { None, Video, Client, Server, Controls, Sound };

// A place in a run of lines: the section and the line's place in it, counted from 1.
struct Place {
  Section section = Section::None;
  int at = 0;
};

// Where an option's line stands in the files Save writes; 0 (or Section::None): not written there.
struct Placement {
  Place autoexec{};          // a client section of autoexec.cfg
  int server = 0;            // the server block (server.cfg, listenserver.cfg, autoexec.cfg)
  bool listenserver = true;  // listenserver.cfg holds the server block's line too
  int config = 0;            // Quillet's own lines at the end of config.cfg
};

// One option's whole story: its control on the page, its values, the lines it writes where,
// how the readers take it back, what the per-user store keeps of it, and its help text.
struct Option {
  // ---- the control
  std::string_view control{};  // "scrollgamma", "img_client(3)", "txtname"
  Kind kind = Kind::Toggle;
  Page page = Page::Client;
  std::string_view group{};         // the caption of the group frame that holds it
  std::string_view caption{};       // the caption label beside it (empty when none)
  std::string_view captionLabel{};  // control name of the caption label
  bool captionExplains = true;      // clicking the caption shows a help text at all
  bool sharesRow = false;           // stands on the row of the toggle before it

  Table table = Table::Client;  // toggles and the hidden option
  int index = -1;

  // ---- sliders
  int min = 0, max = 0, smallStep = 1, largeStep = 1;
  int design = 0;                 // the position the window is built with
  std::string_view valueLabel{};  // the label that shows the value
  LabelForm label = LabelForm::None;
  std::uint8_t helpOn = 0;  // HelpEvent bits

  // ---- text fields and choice boxes
  std::string_view designText{};
  int maxLength = 0;         // 0: unlimited
  Input input = Input::Any;  // launch fields: what they take (Count: from min to max)
  bool multiLine = false;

  // ---- "Load defaults"
  Factory factory = Factory::Kept;
  int factoryValue = 0;  // Factory::Value

  // ---- the game's files
  std::string_view cvar{};  // the console name read and written; empty when none
  Form form = Form::None;
  // Form::Lines: the line written when checked / unchecked. On the Commandline page: the switch
  // a toggle adds to the launch line when checked / unchecked, or a field's switch ("-port").
  std::string_view on{}, off{};
  std::string_view autoexecAlias{};  // name written into autoexec.cfg when it differs
  Placement writes{};
  Read autoexecRead = Read::None;  // rule of the autoexec.cfg reader
  Read configRead = Read::None;    // rule of the config.cfg readers

  // ---- the per-user store ("settings" section)
  std::string_view storeKey{};
  int storeAt = 0;    // place in the order Save writes the keys, from 1
  int restoreAt = 0;  // place in the order the start-up restores them, from 1

  // ---- the launch line
  bool launchOnChange = false;  // a change of the field composes the launch line again
  bool launchOnClick = false;   // so does a click into it, before its help

  // ---- roles of single rows
  bool enablesNetgraphPos = false;  // the toggle whose state enables the net graph's position box
  bool defaultsLast = false;        // "Load defaults" sets it after all others: its help is the one typed

  // ---- the help line
  std::string_view help{};         // the help line's sentence (empty: none)
  std::string_view captionHelp{};  // what clicking the caption shows, when it differs from `help`

  int id = 0;  // position in the catalogue

  bool isToggle() const { return kind == Kind::Toggle || kind == Kind::Hidden; }
  bool hasText() const { return kind == Kind::Text || kind == Kind::Choice; }
  // What clicking the caption label shows (empty: nothing).
  std::string_view captionText() const {
    return !captionExplains ? std::string_view() : captionHelp.empty() ? help : captionHelp;
  }
  // Factor a reader multiplies the numeric value by to get the slider position.
  int readFactor() const { return form == Form::D ? 10 : form == Form::Negated ? -1 : 1; }
};

// Every option, page by page in the order of their rows.
std::span<const Option> catalogue();

// The option with this control name, or nullptr.
const Option* findOption(std::string_view control);
// Same, for code that names a row of the catalogue itself: a missing name is a programming error.
const Option& option(std::string_view control);
// The toggle of table `t` at `index`, or nullptr when the table has no toggle there.
const Option* findToggle(Table t, int index);

// The options whose lines Save writes into a section of autoexec.cfg (Section::Server: the
// server block), in file order.
std::span<const Option* const> sectionLines(Section section);
// The server block as listenserver.cfg holds it.
std::span<const Option* const> listenserverLines();
// Quillet's own lines at the end of config.cfg, in file order.
std::span<const Option* const> configLines();
// The options the per-user store keeps, in the order Save writes them / the start-up restores them.
std::span<const Option* const> storedInWriteOrder();
std::span<const Option* const> storedInRestoreOrder();

// The four console files whose lines the catalogue's rows place.
enum class GameFile : std::uint8_t { Autoexec, Config, Server, Listenserver };
inline constexpr GameFile kGameFiles[] = {GameFile::Autoexec, GameFile::Config, GameFile::Server,
                                          GameFile::Listenserver};
std::string_view fileName(GameFile file);  // "autoexec.cfg"

// The six files Save writes (and backs up, and restores), in the order it writes them.
inline constexpr std::string_view kSavedFiles[] = {"mapcycle.txt", "motd.txt",   "config.cfg",
                                                   "autoexec.cfg", "server.cfg", "listenserver.cfg"};

// What names a console line, as the readers see its first list item: the item's first word
// (up to a blank), lower-cased; for "setinfo" the info key after it joins, quote-stripped
// ("setinfo ah").
std::string lineKey(std::string_view line);
// The keys of the lines an option writes into `file` (both lines of a switch such as
// "+mlook" / "-mlook"); empty when it writes nothing there.
std::vector<std::string> keysIn(const Option& option, GameFile file);
// True when Save writes a line with this key into `file`.
bool writesKey(GameFile file, std::string_view key);
// The option that writes lines with this key into any of the four files, or nullptr.
const Option* writerOfKey(std::string_view key);

// First words that config.cfg's reader also leaves out of the kept lines in the default mode,
// though Save writes no line for them.
inline constexpr std::string_view kConfigAlsoDropped[] = {"bgmvolume", "5"};
// The lower-cased first words of the lines config.cfg's reader leaves out of the kept lines:
// the first word of each of Quillet's own config.cfg lines, then the words above.
const std::vector<std::string>& configOwnedNames();

// The nineteen standard maps, in the order of the map page.
inline constexpr std::array<std::string_view, 19> kMaps = {
    "as_forest", "as_oilrig",  "as_tundra",   "cs_747",   "cs_assault", "cs_backalley", "cs_docks",
    "cs_estate", "cs_italy",   "cs_militia",  "cs_siege", "de_aztec",   "de_cbble",     "de_dust",
    "de_nuke",   "de_prodigy", "de_railroad", "de_train", "es_trinity"};

}  // namespace quillet
