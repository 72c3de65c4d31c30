// The window's start: the first run's path window, a folder typed that passes, the start's
// picture, the close box.
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>

#include "Stringconverter/Readers.h"
#include "harness.h"

using namespace quillet;
using namespace quillet::qt;
using namespace quillet::qt::test;

class WindowStartup : public QObject {
  Q_OBJECT
 private slots:
  // The first run shows the path window alone, centred; a folder typed into it that passes
  // loads the pages, with the user's decimal separator and the byte 0xEB of a file shown as its
  // Windows-1252 character.
  void firstRunAsksForTheFolderCentred() {
    Fixture f;
    writeFile(f.game + "/autoexec.cfg", "gamma 2.5\r\nname Zo\xEB\r\n");
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
    QCOMPARE(shown(w, option("txtname")), QStringLiteral("Zo\u00EB"));
  }

  // The start's preview picture is decoded after the first frame, but checked by the load
  // sequence: one that cannot be read is reported at once.
  void startPictureIsCheckedByTheLoad_data() {
    QTest::addColumn<QByteArray>("bytes");  // of img/as_forest.jpg; empty: no such file
    QTest::addColumn<bool>("reported");
    QTest::newRow("a JPEG") << QByteArray("keep") << false;
    QTest::newRow("missing") << QByteArray() << true;
    QTest::newRow("not a picture") << QByteArray("GIF? no, text") << true;
  }
  void startPictureIsCheckedByTheLoad() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, reported);
    Fixture f;
    const QString picture = f.program + QStringLiteral("/img/as_forest.jpg");
    if (bytes.isEmpty()) QFile::remove(picture);
    else if (bytes != "keep") writeFile(picture, bytes);
    f.startInGame();
    QVERIFY(!f.dialogs.shown.empty());  // the empty game folder's files are reported too
    QCOMPARE(f.dialogs.shown[0].text.find(kPictureError) != std::string::npos, reported);
  }

  // The close box after Change path is refused and returns to the main window (what stays:
  // tests/core); from the main window it ends the program.
  void closeBoxAfterChangePathReturns() {
    Fixture f;
    MainWindow& w = f.startInGame();
    w.show();
    QSignalSpy ended(&w, &MainWindow::endRequested);
    w.core().cmdclient_Click();
    w.core().mnuchangePath_Click();
    QVERIFY2(!w.close(), "the close request must be refused");
    QCOMPARE(ended.count(), 0);
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QString::fromLatin1(kMainCaption));
    QVERIFY2(w.page(Page::Client)->isVisibleTo(&w), "the highlighted page shows again");
    QVERIFY(w.close());
    QCOMPARE(ended.count(), 1);
  }
};

QTEST_MAIN(WindowStartup)
#include "startup_test.moc"
