// quillet-icon: renders the application icon (an SVG file) into PNG files of the sizes that
// desktops ask for, at build time: OUT/<N>x<N>/apps/<name>.png.
#include <QGuiApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
  // Draws without a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: quillet-icon ICON.svg OUTDIR\n");
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "quillet-icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString name = QFileInfo(QString::fromLocal8Bit(argv[1])).completeBaseName();
  const QDir out(QString::fromLocal8Bit(argv[2]));
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    const QString file = out.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    if (!out.mkpath(folder) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "quillet-icon: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
