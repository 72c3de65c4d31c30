#include "frmmain/MoreFunctions.h"

namespace quillet {

void LoadDefaults(Model& model) {
  // The factory values count as the user's changes.
  Model::UserChange user(model);
  const Option& last = option("scrollsuitvolume");
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
  for (const Option& o : catalogue())
    if (&o != &last) apply(o);
  apply(last);  // the suit volume is the last slider set, so its sentence is the one typed
}

}  // namespace quillet
