// The window's start: the first run's path window, a folder typed that passes, the start's
// picture.
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>

#include "Stringconverter/Readers.h"
#include "harness.h"

using namespace quillet;
using namespace quillet::qt;
using namespace quillet::qt::test;

class WindowStartup : public QObject {
  Q_OBJECT
 private slots:
  // The first run shows the path window alone, centred; a folder typed into it that passes
  // loads the pages, with the user's decimal separator.
  void firstRunAsksForTheFolderCentred() {
    Fixture f;
    writeFile(f.game + "/autoexec.cfg", "gamma 2.5\r\n");
    const QLocale was;
    QLocale::setDefault(QLocale::German);  // the value labels take the user's decimal separator
    MainWindow& w = f.start();
    QLocale::setDefault(was);
    QVERIFY2(f.dialogs.shown.empty(), "an empty store must not show a message");
    QCOMPARE(w.windowTitle(), QString::fromLatin1(kPathCaption));
    QVERIFY(!w.menuBar()->isVisibleTo(&w));
    QVERIFY(!f.find("framebuttons")->isVisibleTo(&w));
    QVERIFY(f.find("framechangepath")->isVisibleTo(&w));
    QCOMPARE(f.find<QLabel>("lblchecker")->text(), QString::fromLatin1(w.core().checkerCaption()));
    QCOMPARE(f.find("txtpath")->accessibleName(), f.find<QLabel>("lblchecker")->text());
    for (int p = 0; p < kPageCount; ++p) QVERIFY2(!w.page(Page(p))->isVisibleTo(&w), pageInfo(Page(p)).frame.data());
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY2((w.frameGeometry().center() - screenCentre).manhattanLength() <= 2, "the path window is not centred");
    // Its client area holds the whole change-path frame.
    QVERIFY(w.centralWidget()->rect().contains(f.find("framechangepath")->geometry()));
    auto* path = f.find<QLineEdit>("txtpath");
    path->setFocus();
    QTest::keyClicks(path, f.game);
    click(f.find("cmdsearch"));
    QCOMPARE(w.windowTitle(), QString::fromLatin1(kMainCaption));
    QVERIFY(w.menuBar()->isVisibleTo(&w) && f.find("framebuttons")->isVisibleTo(&w));
    QVERIFY(w.page(Page::Video)->isVisibleTo(&w) && !f.find("framechangepath")->isVisibleTo(&w));
    QCOMPARE(shown(w, option("scrollgamma")), QStringLiteral("25 2,5"));
  }

  // The start's preview picture is decoded after the first frame, but checked by the load
  // sequence: one that cannot be read is reported at once.
  void startPictureIsCheckedByTheLoad() {
    const std::pair<const char*, bool> cases[] = {// img/as_forest.jpg: kept, missing, not a picture
                                                  {"", false},
                                                  {nullptr, true},
                                                  {"GIF? no, text", true}};
    for (const auto& [bytes, reported] : cases) {
      Fixture f;
      const QString picture = f.program + QStringLiteral("/img/as_forest.jpg");
      if (!bytes) QFile::remove(picture);
      else if (*bytes) writeFile(picture, bytes);
      f.startInGame();
      QVERIFY(!f.dialogs.shown.empty());  // the empty game folder's files are reported too
      QVERIFY2((f.dialogs.shown[0].text.find(kPictureError) != std::string::npos) == reported, bytes ? bytes : "none");
    }
  }
};

QTEST_MAIN(WindowStartup)
#include "startup_test.moc"
