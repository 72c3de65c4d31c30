// The values of every option: toggle-state tables, slider positions and texts.
// Texts are held as the game writes them: Windows-1252 bytes.
#pragma once

#include <array>
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

  // Lines of config.cfg that Quillet does not own, each ending in CR LF.
  std::string configKeptLines;
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

 private:
  std::array<std::vector<bool>, kTableCount> tables_;
  std::vector<int> values_;
  std::vector<std::string> texts_;
  ModelObserver* observer_ = nullptr;
};

}  // namespace quillet
