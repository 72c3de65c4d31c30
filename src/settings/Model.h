// The values of every option: toggle-state tables, slider positions and texts.
// Texts are held as the game writes them: Windows-1252 bytes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/Options.h"

namespace quillet {

// Told of every change, so that a view can follow (value labels, pictures, the help line).
class ModelObserver {
 public:
  virtual ~ModelObserver() = default;
  virtual void toggleChanged(Table, int /*index*/) {}
  virtual void sliderChanged(const Option&) {}
  virtual void textChanged(const Option&) {}
  // A reader writes a value label directly (the smoke label's "High" / "Medium" / "Low").
  virtual void valueLabelWritten(const Option&, std::string_view /*text*/) {}
};

// A value in a game file that its control cannot show (out of the slider's range, not a number,
// a form the control does not know). Save writes the file's own item back while the control
// still shows what it showed when the value was read.
struct KeptValue {
  const Option* option = nullptr;
  std::string item;       // the item as the file holds it ("fps_max 300")
  std::string_view file;  // "config.cfg"
  int line = 0;           // the line of the file that holds it, from 1
  // Another file's value where the files the option writes disagree: the control shows the value
  // of the file the game reads for it, and this one is only listed.
  bool other = false;
  // What the control showed when the value was read.
  bool checked = false;
  int position = 0;
  std::string text;
};

// A change of a key binding or an alias (the Keys page, quillet-cli bind, unbind, alias), made
// by Save in the bytes it writes for `file`: the last line there that binds the key (or
// defines the alias) is changed in place, or a new line is added at the file's end.
struct KeyEdit {
  enum class Kind { Bind, Unbind, Alias };
  Kind kind = Kind::Bind;
  std::string name;     // the key's game name ("MOUSE1", "w"), or the alias's name
  std::string command;  // what the key or the alias runs (Bind, Alias)
  std::string file = "config.cfg";
  bool inPlace = false;
};

class Model {
 public:
  Model();

  bool checked(Table t, int index) const;
  bool checked(const Option& o) const { return checked(o.table, o.index); }
  // Sets the entry; an index outside the table is ignored.
  void setToggle(Table t, int index, bool on);
  void setChecked(const Option& o, bool on) { setToggle(o.table, o.index, on); }
  // Every entry of every table False (pictures follow).
  void clearToggles();

  int position(const Option& slider) const { return values_[slider.id]; }
  // Moves the slider; a position outside its range is refused (false). Setting the current
  // position again is no change and notifies nobody.
  bool setPosition(const Option& slider, int position);

  const std::string& text(const Option& o) const { return texts_[o.id]; }
  void setText(const Option& o, std::string value);

  // The hidden writer of a value label (see ModelObserver::valueLabelWritten).
  void writeValueLabel(const Option& slider, std::string_view text) const;

  void setObserver(ModelObserver* observer) { observer_ = observer; }

  // Which options the user changed since the folder was read (a click, a drag, a typed text,
  // Load defaults, a --set): "Keep my own lines" rewrites only their lines.
  bool changed(const Option& o) const { return changed_[o.id]; }
  bool anyChanged() const;
  void setChanged(const Option& o, bool on = true) { changed_[o.id] = on; }
  void clearChanged() { changed_.assign(changed_.size(), false); }
  // While one lives, every value that changes is marked as changed by the user.
  class UserChange {
   public:
    explicit UserChange(Model& model) : model_(model) { ++model_.userChanging_; }
    ~UserChange() { --model_.userChanging_; }
    UserChange(const UserChange&) = delete;
    UserChange& operator=(const UserChange&) = delete;

   private:
    Model& model_;
  };
  // Every value as the window is built with: toggles off, sliders and texts at their design
  // values, the net-graph box enabled, nothing kept or marked changed (observers are told).
  void resetToDesign();

  // Lines of config.cfg that Quillet does not own, each ending in CR LF.
  std::string configKeptLines;
  // Key bindings and aliases changed since the load, in the order they were made.
  std::vector<KeyEdit> keyEdits;
  // The briefing shown on the map page (bytes of the map's text file).
  std::string mapInfo;
  // The composed launch options shown on the Commandline page.
  std::string shortcut;
  // The net-graph position box is enabled (only the net-graph toggle's clicks change it).
  bool netgraphEnabled = true;
  // Files the last load sequence found but could not read to their end, as "config.cfg:
  // Input/output error". The pages do not hold what such a file holds, so Save writes nothing
  // while any is listed; the next load sequence that reads them clears the list.
  std::vector<std::string> unreadable;
  // The map-cycle load message was reported once in this run.
  bool mapcycleReported = false;

  // "Keep my own lines": Save merges with the user's files and the load sequence reads the
  // values in force from every file. Set by the load sequence from the store, unless
  // `keepOwnLinesForRun` (the command line's choice for one run) holds a value.
  bool keepOwnLines = false;
  std::optional<bool> keepOwnLinesForRun;
  // The values read in that mode that their controls cannot show, one per option.
  std::vector<KeptValue> keptValues;
  // The kept value of `option` that its control could not show, while the control still shows
  // what it showed; else nullptr.
  const KeptValue* keptValue(const Option& option) const;

 private:
  std::array<std::vector<bool>, kTableCount> tables_;
  std::vector<int> values_;
  std::vector<std::string> texts_;
  std::vector<bool> changed_;
  int userChanging_ = 0;
  ModelObserver* observer_ = nullptr;
};

}  // namespace quillet
