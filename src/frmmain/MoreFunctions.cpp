#include "frmmain/MoreFunctions.h"

namespace quillet {

void LoadDefaults(Model& model) {
  // The factory values count as the user's changes.
  Model::UserChange user(model);
  const auto apply = [&](const Option& o) {
    switch (o.factory) {
      case Factory::Checked: model.setChecked(o, true); break;
      case Factory::Unchecked: model.setChecked(o, false); break;
      case Factory::Value: model.setPosition(o, o.factoryValue); break;
      case Factory::Kept: break;
    }
  };
  // A factory value replaces a value kept as the file had it.
  std::erase_if(model.keptValues, [](const KeptValue& k) { return k.option->factory != Factory::Kept; });
  // The row set last is the slider whose help sentence the strip ends with.
  for (const Option& o : catalogue())
    if (!o.defaultsLast) apply(o);
  for (const Option& o : catalogue())
    if (o.defaultsLast) apply(o);
}

}  // namespace quillet
