#include "platform/Platform.h"

#include <algorithm>

namespace quillet {

std::ostream& operator<<(std::ostream& out, const Message& m) {
  return out << "[" << m.title << "] \"" << m.text << "\" buttons=" << static_cast<int>(m.buttons)
             << " icon=" << static_cast<int>(m.icon) << (m.detail.empty() ? "" : " detail=\"" + m.detail + "\"");
}

std::string MemoryStore::fold(std::string_view app, std::string_view section, std::string_view key) {
  // A NUL cannot stand in a name, so it separates the three parts unambiguously.
  std::string k = lowerAscii(app);
  k += '\0';
  k += lowerAscii(section);
  k += '\0';
  k += lowerAscii(key);
  return k;
}

std::string MemoryStore::read(std::string_view app, std::string_view section, std::string_view key) {
  auto it = values_.find(fold(app, section, key));
  return it == values_.end() ? std::string() : it->second;
}

void MemoryStore::save(std::string_view app, std::string_view section, std::string_view key, std::string_view value) {
  values_[fold(app, section, key)] = std::string(value);
}

}  // namespace quillet
