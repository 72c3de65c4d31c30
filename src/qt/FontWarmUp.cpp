#include "qt/FontWarmUp.h"

#if QUILLET_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace quillet::qt {

FontWarmUp::FontWarmUp() {
#if QUILLET_FONTCONFIG
  thread_ = std::thread([] { FcInit(); });
  running_ = this;
#endif
}

FontWarmUp::~FontWarmUp() {
  await();
  running_ = nullptr;
}

void FontWarmUp::await() {
  if (running_ && running_->thread_.joinable()) running_->thread_.join();
}

}  // namespace quillet::qt
