// Loads the system's font configuration on a thread of its own, where the platform keeps it in
// a library (fontconfig), so that the window finds it loaded when it measures its first text.
// Elsewhere it does nothing.
#pragma once

#include <thread>

namespace quillet::qt {

class FontWarmUp {
 public:
  FontWarmUp();
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

  // Waits for the warm-up of this process, when one runs. The window calls it before it
  // measures its first text: the library loads its configuration once per process, but a
  // second request that comes while the first still reads would read it all again itself.
  static void await();

 private:
  std::thread thread_;
  static inline FontWarmUp* running_ = nullptr;
};

}  // namespace quillet::qt
