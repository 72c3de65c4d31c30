#include "qt/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <cstdio>

#include "qt/MainWindow.h"

namespace quillet::qt {

namespace {

// Types the help sentence to its end so the picture shows it whole.
void finishHelp(MainWindow& window) {
  for (int guard = 0; window.core().timerEnabled() && guard < 10000; ++guard)
    window.core().Timer1_Timer();
}

// Names every caption on view whose text is wider than the room it was given.
void reportClipped(MainWindow& window, const QString& picture) {
  const auto widgets = window.findChildren<QWidget*>();
  for (QWidget* w : widgets) {
    if (!w->isVisibleTo(&window)) continue;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
    if (text.isEmpty() || text.contains(QChar(u'\n'))) continue;
    const int need = w->fontMetrics().horizontalAdvance(text);
    if (need > w->width())
      std::fprintf(stderr, "quillet: %s: '%s' needs %d px, has %d\n", qPrintable(picture),
                   qPrintable(text), need, w->width());
  }
}

bool shoot(MainWindow& window, const QDir& dir, const QString& name) {
  finishHelp(window);
  QApplication::processEvents();
  reportClipped(window, name);
  return window.grab().save(dir.filePath(name + QStringLiteral(".png")));
}

}  // namespace

int takeScreenshots(MainWindow& window, const QString& dir) {
  QDir out(dir);
  if (!out.mkpath(QStringLiteral("."))) return 0;
  frmmain& core = window.core();
  int written = 0;
  if (core.window().mode == Mode::ChangePath) return shoot(window, out, QStringLiteral("changepath"));

  const std::pair<quillet::PageButton, const char*> pages[] = {
      {quillet::PageButton::Video, "video"},   {quillet::PageButton::Client, "client"},
      {quillet::PageButton::Server, "server"}, {quillet::PageButton::Maps, "maps"},
      {quillet::PageButton::Controls, "controls"}, {quillet::PageButton::Launch, "launch"}};
  for (const auto& [button, name] : pages) {
    core.pageButton_Click(button);
    written += shoot(window, out, QString::fromLatin1(name));
    if (button == quillet::PageButton::Client) {
      core.cmdmoreclient_Click();
      written += shoot(window, out, QStringLiteral("moreclient"));
      core.cmdmoreclientback_Click();
    } else if (button == quillet::PageButton::Server) {
      core.cmdmore_Click();
      written += shoot(window, out, QStringLiteral("moreserver"));
      core.cmdback_Click();
    } else if (button == quillet::PageButton::Maps) {
      core.lbl_map_Click(13);
      written += shoot(window, out, QStringLiteral("maps-de_dust"));
    }
  }
  core.mnuchangePath_Click();
  written += shoot(window, out, QStringLiteral("changepath"));
  core.cmdabort_Click();
  return written;
}

}  // namespace quillet::qt
