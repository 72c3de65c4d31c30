#include "Stringconverter/StoredPreferences.h"

#include <charconv>
#include <optional>

#include "Stringconverter/Codepage.h"
#include "Stringconverter/Filereader.h"
#include "frmmain/MoreFunctions.h"

namespace quillet {
namespace {

constexpr std::string_view kSection = "settings";

constexpr std::string_view kColours[] = {"scrollred", "scrollgreen", "scrollblue"};
// The order in which the keys are written, and the order in which they are restored.
constexpr std::string_view kStoreOrder[] = {
    "scrollred",     "scrollgreen",   "scrollblue",    "img_launch(3)", "img_launch(4)",
    "img_launch(5)", "img_launch(6)", "img_launch(2)", "txtmaxplayers", "txtipaddress",
    "txtport",       "cmbdeafultmap", "img_launch(0)", "img_launch(1)"};
constexpr std::string_view kRestoreToggles[] = {"img_launch(2)", "img_launch(4)", "img_launch(5)",
                                                "img_launch(3)", "img_launch(6)", "img_launch(0)",
                                                "img_launch(1)"};
constexpr std::string_view kRestoreTexts[] = {"txtmaxplayers", "txtipaddress", "txtport",
                                              "cmbdeafultmap"};

// A stored number as a 16-bit whole number: the whole text (blanks around it allowed) must be
// a number; a fraction rounds half to even.
std::optional<int> storedInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                         std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return roundToPosition(value);
}

}  // namespace

void StorePreferences(const Model& model, Store& store) {
  for (std::string_view control : kStoreOrder) {
    const Option& o = option(control);
    std::string value;
    if (o.kind == Kind::Slider) value = std::to_string(model.position(o));
    else if (o.isToggle()) value = model.checked(o) ? "True" : "False";
    else value = cp1252ToUtf8(model.text(o));
    store.save(kStoreApp, kSection, o.storeKey, value);
  }
}

void LoadStoredPreferences(Model& model, Store& store) {
  // The first colour that cannot be applied ends the whole restore.
  for (std::string_view control : kColours) {
    const Option& o = option(control);
    const auto value = storedInteger(store.read(kStoreApp, kSection, o.storeKey));
    if (!value || !model.setPosition(o, *value)) return;
  }
  for (std::string_view control : kRestoreToggles) {
    const Option& o = option(control);
    if (store.read(kStoreApp, kSection, o.storeKey) == "True") model.setChecked(o, true);
  }
  for (std::string_view control : kRestoreTexts) {
    const Option& o = option(control);
    std::string value = utf8ToCp1252(store.read(kStoreApp, kSection, o.storeKey));
    const bool changed = value != model.text(o);
    model.setText(o, std::move(value));
    // The address, port and map fields compose the launch line again when they change.
    if (changed && control != "txtmaxplayers") model.shortcut = composeLaunchLine(model);
  }
}

}  // namespace quillet
