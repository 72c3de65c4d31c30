// A hidden hook for the documentation's screenshots: when QUILLET_SCREENSHOT_DIR names a folder,
// the program walks through its pages as a user would, saves a picture of each and ends.
#pragma once

#include <QString>

namespace quillet::qt {

class MainWindow;

// Saves <dir>/<page><suffix>.png for every page and sub-page and the change-path window;
// returns the number of pictures written.
int takeScreenshots(MainWindow& window, const QString& dir, const QString& suffix = {});

// The look the pictures are taken in, set before the window is built: the Fusion style with its
// light palette, or with a dark one ("dark"), as on a dark desktop.
void useScreenshotLook(const QString& palette);

}  // namespace quillet::qt
