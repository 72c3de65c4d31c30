// Quillet's window: the settings editor for the game, on Qt Widgets.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "Checkpath/Checkpath.h"
#include "qt/FirstFrame.h"
#include "qt/FontWarmUp.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "qt/Screenshots.h"
#include "qt/Widgets.h"
#include "store/QtStore.h"

int main(int argc, char* argv[]) {
  // Reading the system's font configuration is the largest single piece of work before the
  // first frame; it runs on a second thread while the application connects to the display and
  // the window builds its menus.
  quillet::qt::FontWarmUp fonts;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillet"));
  QApplication::setStyle(new quillet::qt::LaterIconStyle(QApplication::style()));
  quillet::qt::probeFirstFrame();

  const QString shots = qEnvironmentVariable("QUILLET_SCREENSHOT_DIR");
  if (!shots.isEmpty()) quillet::qt::useScreenshotLook(qEnvironmentVariable("QUILLET_SCREENSHOT_PALETTE"));

  quillet::QtStore store;
  quillet::qt::QtDialogs dialogs;
  // The map pictures lie beside the program, or in ../share/quillet once installed.
  const std::filesystem::path programDir =
      quillet::pictureHome(QCoreApplication::applicationDirPath().toStdU16String());
  quillet::qt::MainWindow window(store, dialogs, programDir);
  dialogs.setParent(&window);
  QObject::connect(&window, &quillet::qt::MainWindow::endRequested, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);

  window.start();
  if (window.core().quitting()) return 0;
  window.show();

  if (!shots.isEmpty()) {
    QTimer::singleShot(200, &window, [&window, shots] {
      const int n = quillet::qt::takeScreenshots(window, shots, qEnvironmentVariable("QUILLET_SCREENSHOT_SUFFIX"));
      std::fprintf(stderr, "quillet: %d screenshots written to %s\n", n, qPrintable(shots));
      QCoreApplication::exit(n > 0 ? 0 : 1);
    });
  }
  return app.exec();
}
