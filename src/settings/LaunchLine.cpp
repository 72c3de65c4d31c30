#include "settings/LaunchLine.h"

namespace quillet {

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
