#include "Stringconverter/StoredPreferences.h"

#include <optional>

#include "Stringconverter/Codepage.h"
#include "Stringconverter/Filereader.h"
#include "platform/Text.h"
#include "settings/LaunchLine.h"

namespace quillet {
namespace {

constexpr std::string_view kSection = "settings";
constexpr std::string_view kKeepOwnLinesKey = "KeepOwnLines";

// A stored number as a 16-bit whole number: the whole text (blanks around it allowed) must be
// a number; a fraction rounds half to even.
std::optional<int> storedInteger(std::string_view text) {
  text = trim(text, " ");
  if (text.starts_with('+')) text.remove_prefix(1);
  const std::optional<double> value = parseNumber<double>(text, std::chars_format::fixed);
  if (!value) return std::nullopt;
  return roundToPosition(*value);
}

}  // namespace

void StorePreferences(const Model& model, Store& store) {
  for (const Option* key : storedInWriteOrder()) {
    const Option& o = *key;
    std::string value;
    if (o.kind == Kind::Slider) value = std::to_string(model.position(o));
    else if (o.isToggle()) value = model.checked(o) ? "True" : "False";
    else value = cp1252ToUtf8(model.text(o));
    store.save(kStoreApp, kSection, o.storeKey, value);
  }
}

bool storedKeepOwnLines(Store& store) { return store.read(kStoreApp, kSection, kKeepOwnLinesKey) == "True"; }

void storeKeepOwnLines(Store& store, bool on) {
  store.save(kStoreApp, kSection, kKeepOwnLinesKey, on ? "True" : "False");
}

void LoadStoredPreferences(Model& model, Store& store) {
  // The colours come first: the first one that cannot be applied ends the whole restore.
  for (const Option* key : storedInRestoreOrder()) {
    const Option& o = *key;
    const std::string stored = store.read(kStoreApp, kSection, o.storeKey);
    if (o.kind == Kind::Slider) {
      const auto value = storedInteger(stored);
      if (!value || !model.setPosition(o, *value)) return;
    } else if (o.isToggle()) {
      if (stored == "True") model.setChecked(o, true);
    } else {
      std::string value = utf8ToCp1252(stored);
      const bool changed = value != model.text(o);
      model.setText(o, std::move(value));
      if (changed && o.launchOnChange) model.shortcut = composeLaunchLine(model);
    }
  }
}

}  // namespace quillet
