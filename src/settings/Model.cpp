#include "settings/Model.h"

#include <algorithm>

namespace quillet {

Model::Model() {
  for (int t = 0; t < kTableCount; ++t) tables_[t].assign(tableInfo(static_cast<Table>(t)).size, false);
  const auto all = catalogue();
  values_.resize(all.size());
  texts_.resize(all.size());
  changed_.assign(all.size(), false);
  for (const Option& o : all) {
    values_[o.id] = o.design;
    texts_[o.id] = std::string(o.designText);
  }
}

bool Model::checked(Table t, int index) const {
  const auto& v = tables_[static_cast<int>(t)];
  return index >= 0 && index < static_cast<int>(v.size()) && v[index];
}

void Model::setToggle(Table t, int index, bool on) {
  auto& v = tables_[static_cast<int>(t)];
  if (index < 0 || index >= static_cast<int>(v.size())) return;
  if (userChanging_ > 0 && v[index] != on)
    if (const Option* o = findToggle(t, index)) changed_[o->id] = true;
  v[index] = on;
  if (observer_) observer_->toggleChanged(t, index);
}

void Model::clearToggles() {
  for (int t = 0; t < kTableCount; ++t)
    for (int i = 0; i < static_cast<int>(tables_[t].size()); ++i) setToggle(static_cast<Table>(t), i, false);
}

bool Model::setPosition(const Option& slider, int position) {
  if (position < slider.min || position > slider.max) return false;
  if (values_[slider.id] == position) return true;
  values_[slider.id] = position;
  if (userChanging_ > 0) changed_[slider.id] = true;
  if (observer_) observer_->sliderChanged(slider);
  return true;
}

void Model::setText(const Option& o, std::string value) {
  if (texts_[o.id] == value) return;
  texts_[o.id] = std::move(value);
  if (userChanging_ > 0) changed_[o.id] = true;
  if (observer_) observer_->textChanged(o);
}

void Model::writeValueLabel(const Option& slider, std::string_view text) const {
  if (observer_) observer_->valueLabelWritten(slider, text);
}

const KeptValue* Model::keptValue(const Option& o) const {
  for (const KeptValue& k : keptValues) {
    if (k.option != &o || k.other) continue;
    const bool shown = o.isToggle()             ? k.checked == checked(o)
                       : o.kind == Kind::Slider ? k.position == position(o)
                                                : k.text == text(o);
    return shown ? &k : nullptr;
  }
  return nullptr;
}

bool Model::anyChanged() const { return std::find(changed_.begin(), changed_.end(), true) != changed_.end(); }

void Model::resetToDesign() {
  clearToggles();
  for (const Option& o : catalogue()) {
    if (o.kind == Kind::Slider) setPosition(o, o.design);
    else if (o.hasText()) setText(o, std::string(o.designText));
  }
  netgraphEnabled = true;
  keptValues.clear();
  clearChanged();
}

}  // namespace quillet
