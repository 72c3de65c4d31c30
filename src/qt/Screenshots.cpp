#include "qt/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QStyle>
#include <cstdio>

#include "qt/KeyCapture.h"
#include "qt/MainWindow.h"

namespace quillet::qt {

namespace {

// Types the help sentence to its end so the picture shows it whole.
void finishHelp(MainWindow& window) {
  for (int guard = 0; window.core().timerEnabled() && guard < 10000; ++guard) window.core().Timer1_Timer();
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
      std::fprintf(stderr, "quillet: %s: '%s' needs %d px, has %d\n", qPrintable(picture), qPrintable(text), need,
                   w->width());
  }
}

bool shoot(MainWindow& window, const QDir& dir, const QString& name, const QString& suffix) {
  finishHelp(window);
  QApplication::processEvents();
  reportClipped(window, name);
  return window.grab().save(dir.filePath(name + suffix + QStringLiteral(".png")));
}

}  // namespace

void useScreenshotLook(const QString& palette) {
  QApplication::setStyle(QStringLiteral("Fusion"));
  QPalette p = QApplication::style()->standardPalette();
  if (palette == QLatin1String("dark")) {
    p = QPalette(QColor(53, 53, 53), QColor(53, 53, 53));
    const QColor text(230, 230, 230), dim(127, 127, 127);
    p.setColor(QPalette::Base, QColor(35, 35, 35));
    p.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
      p.setColor(role, text);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      p.setColor(QPalette::Disabled, role, dim);
    p.setColor(QPalette::ToolTipBase, QColor(25, 25, 25));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    p.setColor(QPalette::Link, QColor(90, 160, 240));
  }
  QApplication::setPalette(p);
}

int takeScreenshots(MainWindow& window, const QString& dir, const QString& suffix) {
  QDir out(dir);
  if (!out.mkpath(QStringLiteral("."))) return 0;
  frmmain& core = window.core();
  int written = 0;
  if (core.window().mode == Mode::ChangePath) return shoot(window, out, QStringLiteral("changepath"), suffix);

  const std::pair<quillet::PageButton, const char*> pages[] = {
      {quillet::PageButton::Video, "video"},       {quillet::PageButton::Client, "client"},
      {quillet::PageButton::Server, "server"},     {quillet::PageButton::Maps, "maps"},
      {quillet::PageButton::Controls, "controls"}, {quillet::PageButton::Launch, "launch"},
      {quillet::PageButton::Keys, "keys"}};
  for (const auto& [button, name] : pages) {
    core.pageButton_Click(button);
    written += shoot(window, out, QString::fromLatin1(name), suffix);
    if (button == quillet::PageButton::Client) {
      core.cmdmoreclient_Click();
      // The page's longest sentence, as clicking its toggle shows it: it wraps in the strip.
      core.ShowHelp(option("img_moreclient(0)").help);
      written += shoot(window, out, QStringLiteral("moreclient"), suffix);
      core.cmdmoreclientback_Click();
    } else if (button == quillet::PageButton::Keys) {
      // A binding chosen in the table, and a command the console would cut, refused.
      core.keyRow_Click(0);
      core.txtkeycommand_Change("say \"hi\"");
      written += shoot(window, out, QStringLiteral("keys-refused"), suffix);
      // The box of "Change key...", as it waits for a key.
      if (auto* change = window.findChild<QAbstractButton*>(QStringLiteral("cmdchangekey"))) change->click();
      for (KeyCaptureBox* box : window.findChildren<KeyCaptureBox*>()) {
        QApplication::processEvents();
        written += box->grab().save(out.filePath(QStringLiteral("keys-capture") + suffix + QStringLiteral(".png")));
        box->reject();
      }
    } else if (button == quillet::PageButton::Server) {
      core.cmdmore_Click();
      written += shoot(window, out, QStringLiteral("moreserver"), suffix);
      core.cmdback_Click();
    }
  }
  core.mnuchangePath_Click();
  written += shoot(window, out, QStringLiteral("changepath"), suffix);
  core.cmdabort_Click();
  return written;
}

}  // namespace quillet::qt
