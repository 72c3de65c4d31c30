// The first start's path window; the menu commands through their menu items and shortcuts, and
// the game's text written back.
#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>

#include "Stringconverter/Readers.h"
#include "harness.h"
#include "save/Save.h"

using namespace quillet::qt::test;

class WindowMenus : public QObject {
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
    enterPath(f, f.game);
    QCOMPARE(w.windowTitle(), QString::fromLatin1(kMainCaption));
    QVERIFY(w.menuBar()->isVisibleTo(&w) && f.find("framebuttons")->isVisibleTo(&w));
    QVERIFY(w.page(Page::Video)->isVisibleTo(&w) && !f.find("framechangepath")->isVisibleTo(&w));
    QCOMPARE(shown(w, option("scrollgamma")), QStringLiteral("25 2,5"));
  }

  // Each shortcut runs its menu command (the same first message box as the core's own handler);
  // with the menus hidden for "Change path" none of them runs. The close box.
  void shortcutsRunTheirCommands() {
    Fixture f;
    MainWindow& w = f.startInGame(true);
    f.dialogs.otherwise = Answer::No;
    const std::pair<QKeySequence, void (frmmain::*)()> commands[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), &frmmain::mnusave_Click},
        {QKeySequence(Qt::CTRL | Qt::Key_D), &frmmain::mnudefaults_Click},
        {QKeySequence(Qt::Key_F1), &frmmain::mnuAbout_Click}};
    for (const auto& [keys, handler] : commands) {
      f.dialogs.shown.clear();
      (w.core().*handler)();
      QTest::keySequence(&w, keys);
      QCOMPARE(f.dialogs.shown.size(), std::size_t(2));
      QVERIFY2(f.dialogs.shown[1] == f.dialogs.shown[0], f.dialogs.shown[1].text.c_str());
    }
    // The path window is left by Cancel, or by the close box, which does not end the program there.
    QSignalSpy ended(&w, &MainWindow::endRequested);
    for (const bool closeBox : {false, true}) {
      QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
      QCOMPARE(w.windowTitle(), QString::fromLatin1(kPathCaption));
      f.dialogs.shown.clear();
      QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
      QVERIFY2(f.dialogs.shown.empty(), "Save must not run while the menus are hidden");
      if (closeBox) QVERIFY2(!w.close(), "the close request must be refused");
      else click(f.find("cmdabort"));
      QCOMPARE(w.windowTitle(), QString::fromLatin1(kMainCaption));
      QVERIFY(w.isVisible() && w.page(Page::Video)->isVisibleTo(&w));
    }
    QVERIFY(w.close());  // from the main window it ends the program, as Exit does
    QCOMPARE(ended.count(), 1);
    activate(w);
    QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(ended.count(), 2);
    QVERIFY(!w.isVisible());
  }

  void untouchedGameTextIsWrittenBackByteForByte() {
    Fixture f;
    QByteArray high;  // every printable byte, the upper half of the code page included
    for (int b = 0x20; b < 256; ++b) high.append(char(b));
    writeFile(f.game + "/motd.txt", high + "\r\nsecond line\r\n");
    writeFile(f.game + "/autoexec.cfg", "hostname \"Caf\xE9 \x80\x9F\"\r\n");
    MainWindow& w = f.startInGame();
    w.core().cmdserver_Click();
    auto* name = f.find<QLineEdit>("txtservername");
    QCOMPARE(name->text(), QStringLiteral("Caf\u00E9 \u20AC\u0178"));
    w.core().cmdmore_Click();
    click(f.find("txtmotd"));  // looking at the text changes nothing
    f.find<QAction>("mnusave")->trigger();
    QVERIFY2(readFile(f.game + "/motd.txt").startsWith(high + "\r\nsecond line"),
             readFile(f.game + "/motd.txt").toHex().constData());
    QVERIFY(readFile(f.game + "/server.cfg").contains("hostname \"Caf\xE9 \x80\x9F\""));
    // An edit goes back through the same code page.
    w.core().cmdserver_Click();
    name->selectAll();
    typeText(name, QStringLiteral("\u00C5 \u20AC"));
    QCOMPARE(w.model().text(option("txtservername")), std::string("\xC5 \x80"));
  }

  void restoreBackupBringsTheFilesAndThePagesBack() {
    Fixture f;
    MainWindow& w = f.startInGame();
    click(w.pageButton(quillet::PageButton::Client));
    auto* name = f.find<QLineEdit>("txtname");
    typeText(name, QStringLiteral("Red"));
    f.find<QAction>("mnusave")->trigger();
    const QByteArray first = readFile(f.game + "/autoexec.cfg");
    QTest::keyClicks(name, QStringLiteral(" Fox"));
    f.find<QAction>("mnusave")->trigger();
    QVERIFY(readFile(f.game + "/autoexec.cfg") != first);
    f.dialogs.shown.clear();
    f.find<QAction>("mnurestore")->trigger();
    QVERIFY2(f.dialogs.lists.size() == 1 && f.dialogs.lists[0].size() == 1, "one chooser, one backup");
    QVERIFY2(f.dialogs.lists[0][0].ends_with("   before a Save   config.cfg, autoexec.cfg"),
             f.dialogs.lists[0][0].c_str());
    QCOMPARE(readFile(f.game + "/autoexec.cfg"), first);
    QCOMPARE(name->text(), QStringLiteral("Red"));
    // The window says what was restored.
    QCOMPARE(f.dialogs.shown.size(), std::size_t(1));
    QVERIFY2(f.dialogs.shown[0].text.ends_with(": config.cfg, autoexec.cfg."), f.dialogs.shown[0].text.c_str());
  }

  // Every menu and item has its own Alt letter, items added to a menu later included.
  void everyMenuAndItemHasAnAltLetter() {
    Fixture f;
    MainWindow& w = f.startInGame(true);
    auto* file = f.find<QMenu>("mnufile");
    file->addAction(QStringLiteral("Select all maps"));  // as a later part of the program adds one
    auto letters = [](const QList<QAction*>& actions) {  // an item without one leaves the word short
      QString seen;
      for (QAction* a : actions)
        if (!a->isSeparator()) seen += QKeySequence::mnemonic(a->text()).toString().remove("Alt+").toLower();
      return seen;
    };
    QCOMPARE(letters(w.menuBar()->actions()), QStringLiteral("fsh"));
    QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY2(file->isVisible(), "Alt+F opens the File menu");
    QCOMPARE(letters(file->actions()), QStringLiteral("srxa"));  // Save, Restore backup..., -, Exit
    // Load defaults, Keep my own lines right after it, Change path.
    QCOMPARE(letters(f.find<QMenu>("mnusettings")->actions()), QStringLiteral("dkp"));
    QCOMPARE(letters(f.find<QMenu>("mnuhelp")->actions()), QStringLiteral("a"));
  }

  // "Keep my own lines": checkable, explained in the status bar,
  // showing and storing the choice; with it on, a value no control can show is listed after start
  // and when the mode is turned on.
  void keepOwnLinesItem() {
    Fixture f;
    writeFile(f.game + "/config.cfg", "fps_max 300\r\n");
    f.storeGamePath(f.game, "[settings]\nkeepownlines=True\n");
    f.start();
    auto* keep = f.find<QAction>("mnukeepownlines");  // its place: the Alt letters' order
    QCOMPARE(keep->text().remove(QChar(u'&')), QStringLiteral("Keep my own lines"));
    QVERIFY(keep->isCheckable());
    QVERIFY(!keep->statusTip().isEmpty());
    QVERIFY(keep->isChecked());
    QCOMPARE(f.dialogs.shown.back(), *keptValuesMessage(f.window->model()));
    QVERIFY(f.dialogs.shown.back().text.find("fps_max 300") != std::string::npos);
    f.dialogs.shown.clear();
    for (const std::string stored : {"False", "True"}) {
      keep->trigger();
      QCOMPARE(keep->isChecked(), stored == "True");
      QCOMPARE(f.store->read(kStoreApp, "settings", "KeepOwnLines"), stored);
    }
    // Turned on again, the folder is read again and the kept values listed once more.
    QCOMPARE(f.dialogs.shown.size(), std::size_t(1));
    QCOMPARE(f.dialogs.shown.back(), *keptValuesMessage(f.window->model()));
  }

  // Ticked on a real server folder, the mode reads the folder again: a Save then changes no byte
  // and says so; a slider dragged afterwards keeps its value through a turn of the mode and
  // changes only the lines of its variable.
  void keepOwnLinesSavesOnlyWhatChanged() {
    Fixture f;
    const QString root = quillet::test::haveCorpus() ? QUILLET_CORPUS_DIR : QUILLET_SOURCE_DIR "/tests/fixtures";
    QMap<QString, QByteArray> before;
    for (std::string_view file : quillet::test::gameFiles()) {
      const QString name = QString::fromLatin1(file), kind = name.section(QLatin1Char('.'), 0, 0);
      const QString last = QDir(root + "/" + kind).entryList(QDir::Files, QDir::Name).constLast();
      writeFile(f.game + "/" + name, before[name] = readFile(root + "/" + kind + "/" + last));
    }
    MainWindow& w = f.startInGame(true);
    f.find<QAction>("mnukeepownlines")->trigger();
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.dialogs.shown.back().title, std::string("Success"));
    QCOMPARE(f.dialogs.shown.back().detail, std::string(kNothingToSave));
    for (const QString& name : before.keys()) QVERIFY2(readFile(f.game + "/" + name) == before[name], qPrintable(name));
    QVERIFY(!QDir(f.game + "/quillet-backups").exists());

    f.showPageOf(option("scrolltimelimit"));
    auto* bar = f.find<QScrollBar>("scrolltimelimit");
    const int dragged = bar->value() == bar->maximum() ? bar->minimum() : bar->maximum();
    bar->setValue(dragged);
    // Off and on again, the folder is read twice; the dragged slider keeps its value.
    for (int i = 0; i < 2; ++i) f.find<QAction>("mnukeepownlines")->trigger();
    QCOMPARE(bar->value(), dragged);
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.dialogs.shown.back().detail, std::string());
    for (const QString& name : before.keys()) {
      QList<QByteArray> was = before[name].split('\n'), is = readFile(f.game + "/" + name).split('\n');
      while (!was.isEmpty() && !is.isEmpty() && was.first() == is.first()) was.removeFirst(), is.removeFirst();
      while (!was.isEmpty() && !is.isEmpty() && was.last() == is.last()) was.removeLast(), is.removeLast();
      for (const QByteArray& line : was + is)
        QVERIFY2(line.toLower().contains("mp_timelimit") || line.trimmed().isEmpty(), qPrintable(name + ": " + line));
      if (name.contains("server"))
        QVERIFY(readFile(f.game + "/" + name).contains("mp_timelimit " + QByteArray::number(bar->value())));
    }
  }

  // Change path, in both modes: every page shows what a first start on the new folder shows,
  // nothing of the folder before.
  void changePathShowsOnlyTheNewFolder() {
    for (const QByteArray& mode : {QByteArray(), QByteArray("[settings]\nkeepownlines=True\n")}) {
      Fixture f, fresh;
      const QByteArray first =
          "hostname \"Quillet test server\"\r\nmp_c4timer 45\r\nmp_freezetime 6\r\nmp_timelimit 30\r\n"
          "gamma 2.5\r\nfastsprites 0\r\nname Zoe\r\nnet_graphpos 3\r\n";
      for (const char* name : {"/autoexec.cfg", "/server.cfg"}) writeFile(f.game + name, first);
      writeFile(f.game + "/motd.txt", "Welcome");
      const QString other = f.dir.filePath(QStringLiteral("other"));
      QDir().mkpath(other + "/cl_dlls");
      for (const QString& game : {other, fresh.game}) writeFile(game + "/autoexec.cfg", "mp_c4timer 20\r\n");
      for (Fixture* x : {&f, &fresh}) {
        x->storeGamePath(x->game, mode);
        x->start();
        for (int p = 0; p < kPageCount; ++p) x->window->page(Page(p));  // every page built
      }
      QCOMPARE(shown(*f.window, option("txtservername")), QStringLiteral("Quillet test server"));
      f.window->core().mnuchangePath_Click();
      enterPath(f, other);
      for (const Option& o : catalogue())
        QCOMPARE(QString::fromLatin1(o.control) + ": " + shown(*f.window, o),
                 QString::fromLatin1(o.control) + ": " + shown(*fresh.window, o));
    }
  }
};

QTEST_MAIN(WindowMenus)
#include "menus_test.moc"
