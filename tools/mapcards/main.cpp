// quillet-mapcards <outdir>: draws the map preview cards into <outdir>/img/<map>.jpg.
// Needs no display: without a platform of its own choosing it paints on the offscreen one.
#include <QGuiApplication>

#include <cstdio>

#include "MapCards.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillet-mapcards <outdir>\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QString error;
  if (!quillet::mapcards::writeCards(QString::fromLocal8Bit(argv[1]), &error)) {
    std::fprintf(stderr, "quillet-mapcards: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
