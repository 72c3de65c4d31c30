// Start-up measurement: with the environment variable QUILLET_FIRST_FRAME set, the program
// prints the steady clock (nanoseconds, the clock every process on the machine shares) once the
// first frame of its window has been painted, and ends at once. The start-up benchmark starts
// the program and compares that time with the moment it started it.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace quillet::qt {

class FirstFrameProbe : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // A frame is painted in one pass over every visible widget; the zero timer fires once that
    // pass (and its flush to the screen) is over.
    if (event->type() == QEvent::Paint && !armed_) {
      armed_ = true;
      QTimer::singleShot(0, this, [] {
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
        std::printf("first-frame %lld\n", static_cast<long long>(ns));
        std::fflush(stdout);
        std::_Exit(0);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool armed_ = false;
};

// Call before the window is shown.
inline void probeFirstFrame() {
  if (qEnvironmentVariableIsEmpty("QUILLET_FIRST_FRAME")) return;
  QCoreApplication::instance()->installEventFilter(new FirstFrameProbe(QCoreApplication::instance()));
}

}  // namespace quillet::qt
