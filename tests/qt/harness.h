// Drives the real window on the offscreen platform: a game folder and a settings store of the
// test's own, message boxes answered by a fake, the map pictures in a program folder of its own.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "../core/test_support.h"
#include "qt/MainWindow.h"
#include "qt/Widgets.h"
#include "store/QtStore.h"

namespace quillet::qt::test {

using namespace quillet;
using namespace quillet::qt;
using quillet::test::FakeDialogs;

// The game's files through the core suite's helpers, by Qt's names.
inline void writeFile(const QString& path, const QByteArray& bytes) {
  quillet::test::writeFile(path.toStdString(), bytes.toStdString());
}
inline QByteArray readFile(const QString& path) {
  return QByteArray::fromStdString(quillet::test::TempDir::readFile(path.toStdString()));
}

// Shows the window and makes it the active one, so that shortcuts and focus reach it.
inline void activate(QWidget& w) {
  w.show();
  w.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&w));
}

// The page a sub-page lies over; any other page itself.
inline Page basePage(Page p) { return p == Page::MoreClient ? Page::Client : p == Page::MoreServer ? Page::Server : p; }

// One window over a temporary game folder. `game` holds cl_dlls and the files the test writes;
// `program` holds img/as_forest.jpg (with its picture for high-density screens) and
// img/de_dust.jpg only.
struct Fixture {
  QTemporaryDir dir;
  QString game = dir.filePath(QStringLiteral("cstrike")), program = dir.filePath(QStringLiteral("program"));
  QString storePath = dir.filePath(QStringLiteral("store.ini"));
  FakeDialogs dialogs;
  std::unique_ptr<QtStore> store;
  std::unique_ptr<MainWindow> window;

  Fixture() {
    QDir().mkpath(game + QStringLiteral("/cl_dlls"));
    QDir().mkpath(program + QStringLiteral("/img"));
    QImage picture(32, 24, QImage::Format_RGB32);
    picture.fill(Qt::darkYellow);
    for (const char* map : {"as_forest", "de_dust"})
      picture.save(program + QStringLiteral("/img/%1.jpg").arg(QLatin1String(map)), "JPEG");
    picture.scaled(64, 48).save(program + QStringLiteral("/img/as_forest@2x.jpg"), "JPEG");
  }

  // The store names the game folder; `more`: the rest of the store.
  void storeGamePath(const QString& path, const QByteArray& more = {}) {
    writeFile(storePath, "[init]\ncspath=" + path.toUtf8() + "\n" + more);
  }

  // Builds the window and runs its load event.
  MainWindow& start() {
    store = std::make_unique<QtStore>(storePath.toStdString());
    window = std::make_unique<MainWindow>(*store, dialogs, program.toStdString());
    window->start();
    return *window;
  }

  // Builds the window over the game folder, which passes the check; `active`: shown and active.
  MainWindow& startInGame(bool active = false) {
    storeGamePath(game);
    start();
    if (active) activate(*window);
    return *window;
  }

  // Opens the page that holds the option (through its base page for a sub-page).
  void showPageOf(const Option& o) {
    for (int b = 0; b < kPageButtonCount; ++b)
      if (pageOfButton(quillet::PageButton(b)) == basePage(o.page))
        window->core().pageButton_Click(quillet::PageButton(b));
    if (o.page == Page::MoreClient) window->core().cmdmoreclient_Click();
    if (o.page == Page::MoreServer) window->core().cmdmore_Click();
  }

  template <class W = QWidget>
  W* find(const char* name) const {
    return window->findChild<W*>(QString::fromLatin1(name));
  }
  HelpStrip* strip() const { return find<HelpStrip>("Picture1"); }

  // Runs the help timer's ticks until the sentence stands whole.
  void finishHelp() {
    for (int i = 0; i < 1000 && window->core().timerEnabled(); ++i) window->core().Timer1_Timer();
  }
  // The sentence the help strip explains, once typed to its end (as a screen reader hears it).
  QString explained() {
    finishHelp();
    return strip()->accessibleDescription();
  }
};

// What the option's widget shows: "1"/"0" for a toggle, a slider's position and value label, or
// the text.
inline QString shown(MainWindow& w, const Option& o) {
  QWidget* c = w.control(o.control);
  if (auto* image = qobject_cast<ToggleImage*>(c)) return QString::number(image->isChecked());
  if (auto* bar = qobject_cast<QScrollBar*>(c)) return QString::number(bar->value()) + " " + w.valueLabel(o)->text();
  if (auto* box = qobject_cast<QComboBox*>(c)) return box->currentText();
  if (auto* line = qobject_cast<QLineEdit*>(c)) return line->text();
  if (auto* text = qobject_cast<QPlainTextEdit*>(c)) return text->toPlainText();
  return QString();
}

inline QString helpOf(const Option& o) { return QString::fromStdString(std::string(o.help)).trimmed(); }

// Types any text into the widget, given the focus first, one key press per character
// (QTest::keyClicks knows ASCII only).
inline void typeText(QWidget* w, const QString& text) {
  w->setFocus();
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), {});
}

inline void click(QWidget* w) {
  QVERIFY2(w, "no such widget");
  QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Types a folder into the path window, over what it held, and presses OK.
inline void enterPath(Fixture& f, const QString& folder) {
  auto* path = f.find<QLineEdit>("txtpath");
  path->selectAll();
  typeText(path, folder);
  click(f.find("cmdsearch"));
}

// A double-click as the platform delivers it: press, release, press, double-click, release.
inline void doubleClick(QWidget* w, QPoint at = {}) {
  QVERIFY2(w, "no such widget");
  if (at.isNull()) at = w->rect().center();
  QTest::mousePress(w, Qt::LeftButton, {}, at);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
  QTest::mousePress(w, Qt::LeftButton, {}, at);
  QTest::mouseDClick(w, Qt::LeftButton, {}, at);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

}  // namespace quillet::qt::test
