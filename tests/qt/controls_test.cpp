// The controls of the pages wired to the core: toggles, captions, sliders, the built-late pages,
// the map page, the launch line and the Keys page. What the core does with each event is tested
// in tests/core; here each kind of widget is checked once for reaching the core and showing the
// core's state.
#include <QAccessible>
#include <QApplication>
#include <QTableWidget>

#include "harness.h"
#include "qt/KeyCapture.h"

using namespace quillet::qt::test;

class WindowControls : public QObject {
  Q_OBJECT
 private slots:
  // Every toggle of the catalogue: a click, a double-click, Space and the accessible toggle action
  // reach the core and come back, the help strip explains it, and the net graph's box follows its toggle.
  void everyToggleAnswersClickAndSpace() {
    Fixture f;
    MainWindow& w = f.startInGame(true);
    auto* netgraph = qobject_cast<QComboBox*>(w.control("cmbnetgraphpos"));
    for (const Option& o : catalogue()) {
      if (o.kind != Kind::Toggle) continue;
      f.showPageOf(o);
      ToggleImage* image = w.toggle(o.table, o.index);
      QVERIFY2(image && image->isVisibleTo(&w), o.control.data());
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(image);
      // The model, the picture, what a screen reader hears and the net graph's box agree.
      const auto shows = [&](bool checked) {
        return w.model().checked(o) == checked && image->isChecked() == checked && a->state().checked == checked &&
               netgraph->isEnabledTo(w.page(Page::Client)) == w.model().netgraphEnabled;
      };
      const bool before = w.model().checked(o);
      QVERIFY2(shows(before), o.control.data());
      click(image);
      QVERIFY2(shows(!before), o.control.data());
      if (!o.help.empty()) QCOMPARE(f.explained(), helpOf(o));
      // A click and a double-click: a toggle ends as it was, a map as the click left it.
      doubleClick(image);
      const bool now = o.table == Table::Map ? before : !before;
      QVERIFY2(shows(now), o.control.data());
      image->setFocus();
      QTest::keyClick(image, Qt::Key_Space);  // Space on the focused toggle is a click
      QVERIFY2(shows(!now), o.control.data());
      a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());  // a screen reader's click
      QVERIFY2(shows(now), o.control.data());
    }
  }

  // A page is built when it is first shown, with the values in force then: also those the model
  // took while the page was not built yet.
  void pagesBuiltLateShowTheModel() {
    Fixture f;
    MainWindow& w = f.startInGame();
    for (const Option& o : catalogue()) {
      QVERIFY2(o.page == Page::Video || !w.findChild<QWidget*>(QString::fromUtf8(o.control)), o.control.data());
      if (o.kind == Kind::Toggle) w.model().setChecked(o, !w.model().checked(o));
      else if (o.kind == Kind::Slider) w.model().setPosition(o, o.max);
      else if (o.hasText()) w.model().setText(o, "Caf\xE9");
    }
    for (const Option& o : catalogue()) {
      QString want = QString::fromLatin1(quillet::test::valueText(w.model(), o));  // "Caf\xE9": the same in Latin-1
      if (o.kind == Kind::Slider) want += " " + QString::fromStdString(w.core().valueLabel(o));
      if (o.kind != Kind::Hidden)
        QCOMPARE(QString::fromLatin1(o.control) + " " + shown(w, o), QString::fromLatin1(o.control) + " " + want);
    }
  }

  // A drag is the Scroll event (label and colour sample only), its end the Change event, and the
  // focus the GotFocus event. The logo cache's button on the same page deletes it.
  void dragReleaseAndFocusOfASlider() {
    Fixture f;
    MainWindow& w = f.startInGame(true);
    const Option& o = option("scrollred");
    f.showPageOf(o);
    for (const char* c : {"scrollgreen", "scrollblue"}) qobject_cast<QScrollBar*>(w.control(c))->setValue(0);
    auto* red = qobject_cast<QScrollBar*>(w.control(o.control));
    const QString helpBefore = f.explained();
    QVERIFY(helpBefore != helpOf(o));
    red->setSliderDown(true);
    red->setSliderPosition(255);
    QCOMPARE(w.valueLabel(o)->text(), QStringLiteral("255"));
    QCOMPARE(f.find<QLabel>("lblcolorexample")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(f.explained(), helpBefore);
    QVERIFY2(w.model().position(o) != 255, "a drag must not change the value before it ends");
    red->setSliderDown(false);
    QCOMPARE(w.model().position(o), 255);
    QCOMPARE(f.explained(), helpOf(o));
    w.control("scrollgreen")->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.explained(), helpOf(option("scrollgreen")));
    writeFile(f.game + "/custom.hpk", "logos");  // the page's button
    click(f.find("cmddelCustom"));
    QVERIFY(!QFile::exists(f.game + "/custom.hpk"));
  }

  void mapClicksFlipAndPreview() {
    Fixture f;
    writeFile(f.game + "/maps/de_dust.txt", "Dust \x80 briefing\r\nline two");
    MainWindow& w = f.startInGame();
    click(w.pageButton(quillet::PageButton::Maps));
    auto* shot = f.find<QLabel>("imgmapshot");
    shot->clear();
    click(w.toggle(Table::Map, 13));
    QCOMPARE(f.find<QPlainTextEdit>("txtmapinfo")->toPlainText(), QStringLiteral("Dust \u20AC briefing\nline two"));
    QVERIFY2(!shot->pixmap().isNull(), "the de_dust picture must be shown");
    // A name shows the preview without flipping; a map without picture keeps the last one.
    click(f.find("lbl_map(3)"));
    QVERIFY(!w.model().checked(Table::Map, 3));
    QCOMPARE(f.find<QPlainTextEdit>("txtmapinfo")->toPlainText(), QString());
    QVERIFY(!shot->pixmap().isNull());
    // Select all: the default-map box lists every map when the launch page opens.
    click(f.find("cmdallmaps"));
    click(w.pageButton(quillet::PageButton::Launch));
    QCOMPARE(f.find<QComboBox>("cmbdeafultmap")->count(), tableInfo(Table::Map).size);
  }

  // The launch line shows the core's new line after each of its triggers: a toggle, a typed port
  // (letters and a number above 65535 are not taken), a click into the player count, a map
  // typed into the box.
  void launchLineFollowsItsTriggers() {
    Fixture f;
    MainWindow& w = f.startInGame();
    click(w.pageButton(quillet::PageButton::Launch));
    auto* line = f.find<QPlainTextEdit>("txtshortcut");
    QString last = line->toPlainText();
    const auto recomposed = [&] {
      const QString was = std::exchange(last, line->toPlainText());
      return last != was && last == QString::fromStdString(w.model().shortcut);
    };
    click(w.toggle(Table::Launch, 0));
    QVERIFY(recomposed());
    auto* port = f.find<QLineEdit>("txtport");
    typeText(port, QStringLiteral("27a015x9"));
    QCOMPARE(port->text(), QStringLiteral("27015"));
    QVERIFY(recomposed());
    auto* players = f.find<QLineEdit>("txtmaxplayers");
    players->selectAll();
    typeText(players, QStringLiteral("20"));
    click(players);
    QVERIFY(recomposed());
    f.find<QComboBox>("cmbdeafultmap")->setEditText(QStringLiteral("de_custom"));
    QVERIFY(recomposed());
  }

  // The Keys page as a person uses it: a key taken by the capture box (Tab, then a mouse
  // button), a command with a quote inside refused, a good one bound, an alias set, saved.
  void keysPageBindsAPressedKey() {
    Fixture f;
    writeFile(f.game + "/config.cfg", "bind \"TAB\" \"+showscores\"\r\n");
    MainWindow& w = f.startInGame(true);
    click(w.pageButton(quillet::PageButton::Keys));
    auto* table = f.find<QTableWidget>("tblkeys");
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("+showscores"));
    const auto press = [&](auto&& input, const char* name) {  // the game's name of what was pressed
      click(f.find("cmdchangekey"));
      auto* box = qobject_cast<KeyCaptureBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      input(box);
      QVERIFY(!box->isVisible());
      QCOMPARE(f.find<QLabel>("lblkeyname")->text(), QString::fromLatin1(name));
    };
    press([](QWidget* box) { QTest::keyClick(box, Qt::Key_Tab); }, "TAB");
    QVERIFY2(f.explained().contains("+showscores"), "a key bound already is named before it is taken");
    press([](QWidget* box) { QTest::mouseClick(box, Qt::BackButton, {}, box->rect().center()); }, "MOUSE4");

    auto* command = f.find<QLineEdit>("txtkeycommand");
    typeText(command, QStringLiteral("say \"hi\""));
    QVERIFY(f.find<QLabel>("lblkeycheck")->text().startsWith(QStringLiteral("Refused: a \" inside")));
    click(f.find("cmdbindkey"));
    QVERIFY(w.model().keyEdits.empty());
    command->selectAll();
    typeText(command, QStringLiteral("say hi; kill"));
    QCOMPARE(f.find<QLabel>("lblkeycheck")->text(), QStringLiteral("Runs: say hi | kill"));
    click(f.find("cmdbindkey"));
    QCOMPARE(table->item(table->rowCount() - 1, 0)->text(), QStringLiteral("MOUSE4"));
    // An alias: its commands checked as typed, set by Return, listed in the aliases' table.
    typeText(f.find("txtaliasname"), QStringLiteral("greet"));
    auto* commands = f.find("txtaliascommands");
    typeText(commands, QStringLiteral("say hi; wave"));
    QCOMPARE(f.find<QLabel>("lblaliascheck")->text(), QStringLiteral("Runs: say hi | wave"));
    QTest::keyClick(commands, Qt::Key_Return);
    auto* aliases = f.find<QTableWidget>("tblaliases");
    QCOMPARE(aliases->item(aliases->rowCount() - 1, 0)->text(), QStringLiteral("greet"));
    // Saved, they are among config.cfg's lines: a later Save after another change keeps them.
    for (int save = 0; save < 2; ++save) {
      if (save == 1) w.core().toggle_Click(quillet::Table::Client, 5);
      f.find<QAction>("mnusave")->trigger();
      QVERIFY(readFile(f.game + "/config.cfg")
                  .contains("bind \"TAB\" \"+showscores\"\r\nbind \"MOUSE4\" \"say hi; kill\"\r\n"
                            "alias \"greet\" \"say hi; wave\"\r\n"));
    }
    QCOMPARE(table->item(table->rowCount() - 1, 3)->text(), QStringLiteral("in force"));
  }
};

QTEST_MAIN(WindowControls)
#include "controls_test.moc"
