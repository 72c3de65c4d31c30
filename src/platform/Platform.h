// The services the core asks of the platform: message boxes, the per-user store,
// picture loading and the help line's timer. The Qt layer implements them; tests
// use the in-memory ones.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Text.h"

namespace quillet {

enum class Icon { None, Information, Exclamation };
// With YesNo, Yes is the default button; with SaveDiscardCancel, Save (Cancel on Escape).
enum class Buttons { Ok, YesNo, SaveDiscardCancel };
enum class Answer { Ok, Yes, No, Save, Discard, Cancel };

// A modal message box. Text and title are UTF-8; lines are joined by CR LF (or a lone CR
// where the program's own texts have one).
struct Message {
  std::string title;
  std::string text;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  // What exactly happened, for those who want to know ("config.cfg: No space left on device");
  // shown behind the text (the window's "Show Details...", the command line's second line).
  std::string detail = {};
  bool operator==(const Message&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Message& m);

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer show(const Message& message) = 0;
  // A modal list to pick one line from (OK / Cancel): the index picked, or -1.
  virtual int choose(const std::string& /*title*/, const std::string& /*label*/,
                     const std::vector<std::string>& /*items*/) {
    return -1;
  }
};

// The per-user settings store: text values under application, section and key. Names match
// without regard to case; a key never written reads empty. Values are UTF-8.
class Store {
 public:
  virtual ~Store() = default;
  virtual std::string read(std::string_view app, std::string_view section, std::string_view key) = 0;
  virtual void save(std::string_view app, std::string_view section, std::string_view key, std::string_view value) = 0;
  // Puts every value saved since the last commit on disk at once: afterwards the store holds
  // either all of them or, on failure, its old values. Returns the cause of a failure.
  virtual std::optional<std::string> commit() { return std::nullopt; }
  // What keeps the store from being read or written (it could not be read, its file or folder
  // cannot be written), checked without writing anything; nullopt while all is well.
  virtual std::optional<std::string> problem() { return std::nullopt; }
};

// A store in memory, for tests and for runs that keep nothing.
class MemoryStore : public Store {
 public:
  std::string read(std::string_view app, std::string_view section, std::string_view key) override;
  void save(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override;
  std::size_t size() const { return values_.size(); }

 private:
  static std::string fold(std::string_view app, std::string_view section, std::string_view key);
  std::map<std::string, std::string> values_;
};

// Loads a JPEG file into the map preview; false when missing or unreadable (the preview then
// keeps what it showed).
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  virtual bool loadPreview(const std::filesystem::path& file) = 0;
};

// The help line's timer: ticks every interval while started.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void start(int intervalMs) = 0;
  virtual void stop() = 0;
};

// The application name under which everything is stored.
inline constexpr std::string_view kStoreApp = "Quillet";

}  // namespace quillet
