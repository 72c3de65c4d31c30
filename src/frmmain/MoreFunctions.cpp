#include "frmmain/MoreFunctions.h"

namespace quillet {

void LoadDefaults(Model& model) {
  const Option& last = option("scrollsuitvolume");
  const auto apply = [&](const Option& o) {
    switch (o.factory) {
      case Factory::Checked: model.setChecked(o, true); break;
      case Factory::Unchecked: model.setChecked(o, false); break;
      case Factory::Value: model.setPosition(o, o.factoryValue); break;
      case Factory::Kept: break;
    }
  };
  for (const Option& o : catalogue())
    if (&o != &last) apply(o);
  apply(last);  // the suit volume is the last slider set, so its sentence is the one typed
}

std::string composeLaunchLine(const Model& model) {
  std::string line = "-game cstrike";
  for (int i = 0; i < tableInfo(Table::Launch).size; ++i) {
    const Option* o = findToggle(Table::Launch, i);
    if (!o) continue;
    const std::string_view piece = model.checked(*o) ? o->on : o->off;
    if (!piece.empty()) (line += ' ') += piece;
  }
  // The fields in the order of their rows, each with its switch.
  for (const Option& o : catalogue())
    if (o.page == Page::Launch && o.hasText() && !o.on.empty() && !model.text(o).empty())
      ((line += ' ') += o.on) += ' ' + model.text(o);
  return line;
}

}  // namespace quillet
