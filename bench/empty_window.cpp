// The yardstick of the start-up benchmark: an empty main window, built like Quillet's.
#include <QApplication>
#include <QMainWindow>

#include "qt/FirstFrame.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  quillet::qt::probeFirstFrame();
  QMainWindow window;
  window.show();
  return app.exec();
}
