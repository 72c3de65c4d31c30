// The controls of the pages wired to the core: toggles, captions, sliders, page buttons,
// More / Back, the map page and the launch line.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "Harness.h"

using namespace quillet;
using namespace quillet::qt;
using namespace quillet::qt::test;

namespace {

// Shows the page that holds `o` as a user would, so that its widgets take input.
void openPageOf(MainWindow& w, const Option& o) {
  const quillet::PageButton buttons[] = {
      quillet::PageButton::Client, quillet::PageButton::Client, quillet::PageButton::Video,
      quillet::PageButton::Controls, quillet::PageButton::Server, quillet::PageButton::Server,
      quillet::PageButton::Maps, quillet::PageButton::Launch};
  w.core().pageButton_Click(buttons[static_cast<int>(o.page)]);
  if (o.page == Page::MoreClient) w.core().cmdmoreclient_Click();
  if (o.page == Page::MoreServer) w.core().cmdmore_Click();
}

}  // namespace

class WindowControls : public QObject {
  Q_OBJECT
 private slots:
  void toggleClickFlipsStateAndPicture_data() {
    QTest::addColumn<QString>("control");
    for (const char* c : {"img_client(0)", "img_client(14)", "img_moreclient(0)", "img_video(5)",
                          "img_controls(7)", "img_server(12)", "img_moreserver(3)", "img_launch(6)"})
      QTest::newRow(c) << QString::fromLatin1(c);
  }
  void toggleClickFlipsStateAndPicture() {
    QFETCH(QString, control);
    Fixture f;
    MainWindow& w = f.startInGame();
    const Option& o = option(control.toStdString());
    openPageOf(w, o);
    ToggleImage* image = w.toggle(o.table, o.index);
    QVERIFY(image && image->isVisibleTo(&w));
    const bool before = w.model().checked(o);
    QCOMPARE(image->isChecked(), before);

    click(image);
    QCOMPARE(w.model().checked(o), !before);
    QCOMPARE(image->isChecked(), !before);
    QCOMPARE(f.find<HelpStrip>("Picture1")->accessibleDescription(),
             QString::fromStdString(std::string(o.help)).trimmed());

    // A double-click arrives as a click and a double-click: the toggle ends as it was.
    doubleClick(image);
    QCOMPARE(w.model().checked(o), !before);
    QCOMPARE(image->isChecked(), !before);

    // Space on the focused toggle is a click.
    w.show();
    image->setFocus();
    QTest::keyClick(image, Qt::Key_Space);
    QCOMPARE(w.model().checked(o), before);
    QCOMPARE(image->isChecked(), before);
  }

  void captionShowsHelpWithoutFlipping() {
    Fixture f;
    MainWindow& w = f.startInGame();
    w.core().cmdclient_Click();
    f.finishHelp();
    click(f.find("Label42"));
    f.finishHelp();
    QCOMPARE(f.find<HelpStrip>("Picture1")->frame(), QStringLiteral(" Use blod and gib prediction."));
    QVERIFY(!w.model().checked(Table::Client, 17));
    // The toggle beside it flips and leaves the help line as it was.
    click(w.toggle(Table::Client, 17));
    QVERIFY(w.model().checked(Table::Client, 17));
    QCOMPARE(f.find<HelpStrip>("Picture1")->frame(), QStringLiteral(" Use blod and gib prediction."));
  }

  void helpStripTypesOneCharacterPerTick() {
    Fixture f;
    MainWindow& w = f.startInGame();
    f.finishHelp();
    click(w.pageButton(quillet::PageButton::Client));  // starts from position 0
    auto* strip = f.find<HelpStrip>("Picture1");
    QCOMPARE(strip->frame(), QStringLiteral(" _"));
    QVERIFY2(w.helpTimer().isActive(), "the help timer must run while typing");
    w.core().Timer1_Timer();
    QCOMPARE(strip->frame(), QStringLiteral("  _"));
    f.finishHelp();
    QCOMPARE(strip->frame(), QStringLiteral(" Setup client side settings"));
    QVERIFY2(!w.helpTimer().isActive(), "the help timer must stop when the sentence stands");
  }

  void netgraphToggleEnablesItsBox() {
    Fixture f;
    MainWindow& w = f.startInGame();
    w.core().cmdclient_Click();
    auto* box = f.find<QComboBox>("cmbnetgraphpos");
    QVERIFY(box->isEnabled());
    click(w.toggle(Table::Client, 11));  // checked: enabled
    QVERIFY(box->isEnabled());
    click(w.toggle(Table::Client, 11));  // unchecked: disabled, text kept
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->currentText(), QStringLiteral("Bottom right"));
  }

  void sliderChangeSetsItsLabel_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::newRow("gamma tenths") << "scrollgamma" << 25 << "2.5";
    QTest::newRow("volume min") << "scrollvolume" << 0 << "Min";
    QTest::newRow("map ratio") << "scrollmapratio" << 60 << "60%";
    QTest::newRow("ghost tenths sec") << "scrollghostfreq" << 1 << "0.1 sec";
    QTest::newRow("smoke") << "scrollsmoke" << 1 << "Med";
  }
  void sliderChangeSetsItsLabel() {
    QFETCH(QString, control);
    QFETCH(int, position);
    QFETCH(QString, label);
    Fixture f;
    MainWindow& w = f.startInGame();
    const Option& o = option(control.toStdString());
    auto* bar = qobject_cast<QScrollBar*>(w.control(o.control));
    QVERIFY(bar);
    bar->setValue(position == bar->value() ? position + 1 : position);  // make sure it moves
    bar->setValue(position);
    QCOMPARE(w.model().position(o), position);
    QCOMPARE(w.valueLabel(o)->text(), label);
    QCOMPARE(bar->accessibleDescription(), label);
    // A change explains the slider on the help line, except where only focus does.
    const QString sentence = QString::fromStdString(std::string(o.help)).trimmed();
    const QString strip = f.find<HelpStrip>("Picture1")->accessibleDescription();
    if (control == "scrollghostfreq")
      QVERIFY2(strip != sentence, "a change of the ghost frequency must not explain it");
    else
      QCOMPARE(strip, sentence);
  }

  void draggingFollowsTheThumbWithoutHelp() {
    Fixture f;
    MainWindow& w = f.startInGame();
    w.core().cmdserver_Click();
    f.finishHelp();
    const Option& o = option("scrolldecals");
    auto* bar = qobject_cast<QScrollBar*>(w.control(o.control));
    bar->setSliderDown(true);
    bar->setSliderPosition(640);  // a drag: the Scroll event only
    QCOMPARE(w.valueLabel(o)->text(), QStringLiteral("640"));
    QCOMPARE(f.find<HelpStrip>("Picture1")->frame(), QStringLiteral(" Setup your server."));
    QVERIFY2(w.model().position(o) != 640, "a drag must not change the value before it ends");
    bar->setSliderDown(false);  // the drag ends: the Change event
    QCOMPARE(w.model().position(o), 640);
    // Moving the focus to it explains it.
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    bar->setFocus(Qt::TabFocusReason);
    f.finishHelp();
    QCOMPARE(f.find<HelpStrip>("Picture1")->frame(), QString::fromStdString(std::string(o.help)));
  }

  void colourSampleFollowsTheDraggedRedSlider() {
    Fixture f;
    MainWindow& w = f.startInGame();
    w.core().cmdclient_Click();
    w.core().cmdmoreclient_Click();
    for (const char* c : {"scrollgreen", "scrollblue"})
      qobject_cast<QScrollBar*>(w.control(c))->setValue(0);
    auto* red = qobject_cast<QScrollBar*>(w.control("scrollred"));
    red->setSliderDown(true);
    red->setSliderPosition(255);
    QCOMPARE(f.find<QLabel>("lblcolorexample")->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
    red->setSliderDown(false);
  }

  void pageButtonShowsItsPageAlone() {
    Fixture f;
    MainWindow& w = f.startInGame();
    for (int b = 0; b < kPageButtonCount; ++b) {
      const auto button = static_cast<quillet::PageButton>(b);
      w.core().cmdserver_Click();
      w.core().cmdmore_Click();  // a sub-page open before: it must not stay
      click(w.pageButton(button));
      for (int p = 0; p < kPageCount; ++p)
        QVERIFY2(w.page(Page(p))->isVisibleTo(&w) == (Page(p) == pageOfButton(button)),
                 qPrintable(w.pageButton(button)->text() + " shows " + w.page(Page(p))->objectName()));
      for (int other = 0; other < kPageButtonCount; ++other)
        QCOMPARE(w.pageButton(static_cast<quillet::PageButton>(other))->backColor(),
                 other == b ? QColor(245, 245, 245) : QColor(255, 255, 255));
    }
  }

  void moreAndBackStackSubPagesOverTheirBase() {
    Fixture f;
    MainWindow& w = f.startInGame();
    click(w.pageButton(quillet::PageButton::Server));
    click(f.find("cmdmore"));
    QVERIFY(w.page(Page::MoreServer)->isVisibleTo(&w));
    QVERIFY(w.page(Page::Server)->isVisibleTo(&w));
    // The sub-page is the one seen, and the covered base page takes no input.
    QWidget* seen = w.centralWidget()->childAt(w.page(Page::Server)->geometry().center());
    QVERIFY2(seen && (seen == w.page(Page::MoreServer) || w.page(Page::MoreServer)->isAncestorOf(seen)),
             "the sub-page must lie above its base page");
    QVERIFY(w.page(Page::MoreServer)->isEnabled());
    QVERIFY(!w.page(Page::Server)->isEnabled());
    click(f.find("cmdback"));
    QVERIFY(!w.page(Page::MoreServer)->isVisibleTo(&w));
    QVERIFY(w.page(Page::Server)->isEnabled());

    click(w.pageButton(quillet::PageButton::Client));
    click(f.find("cmdmoreclient"));
    QVERIFY(w.page(Page::MoreClient)->isVisibleTo(&w));
    click(w.pageButton(quillet::PageButton::Video));
    click(w.pageButton(quillet::PageButton::Client));
    QVERIFY2(!w.page(Page::MoreClient)->isVisibleTo(&w), "a sub-page must not be remembered");
  }

  void mapClicksFlipAndPreview() {
    Fixture f;
    writeFile(f.game + "/maps/de_dust.txt", "Dust \x80 briefing\r\nline two");
    MainWindow& w = f.startInGame();
    click(w.pageButton(quillet::PageButton::Maps));
    auto* shot = f.find<QLabel>("imgmapshot");
    shot->clear();
    click(w.toggle(Table::Map, 13));
    QVERIFY(w.model().checked(Table::Map, 13));
    QVERIFY(w.toggle(Table::Map, 13)->isChecked());
    QCOMPARE(f.find<QPlainTextEdit>("txtmapinfo")->toPlainText(),
             QStringLiteral("Dust \u20AC briefing\nline two"));
    QVERIFY2(!shot->pixmap().isNull(), "the de_dust picture must be shown");
    // A name shows the preview without flipping; a map without picture keeps the last one.
    click(f.find("lbl_map(3)"));
    QVERIFY(!w.model().checked(Table::Map, 3));
    QCOMPARE(f.find<QPlainTextEdit>("txtmapinfo")->toPlainText(), QString());
    QVERIFY(!shot->pixmap().isNull());
    // A double-click on a map flips it once.
    doubleClick(w.toggle(Table::Map, 5));
    QVERIFY(w.model().checked(Table::Map, 5));
    click(f.find("cmdallmaps"));
    for (int i = 0; i < 19; ++i) QVERIFY(w.toggle(Table::Map, i)->isChecked());
  }

  void launchLineFollowsItsTriggers() {
    Fixture f;
    MainWindow& w = f.startInGame();
    click(w.pageButton(quillet::PageButton::Launch));
    auto* line = f.find<QPlainTextEdit>("txtshortcut");
    click(w.toggle(Table::Launch, 0));
    QVERIFY2(line->toPlainText().contains(" +sv_lan 1"), qPrintable(line->toPlainText()));
    auto* port = f.find<QLineEdit>("txtport");
    QCOMPARE(port->maxLength(), 6);
    port->setFocus();
    QTest::keyClicks(port, "abcdefgh");  // six characters at most
    QCOMPARE(port->text(), QStringLiteral("abcdef"));
    QVERIFY2(line->toPlainText().endsWith(" -port abcdef"), qPrintable(line->toPlainText()));
    // A click into the player count recomposes; a map typed into the box is used as typed.
    click(f.find("txtmaxplayers"));
    QVERIFY(line->toPlainText().contains(" -players 16"));
    auto* map = f.find<QComboBox>("cmbdeafultmap");
    map->setEditText(QStringLiteral("de_custom"));
    QVERIFY(line->toPlainText().endsWith(" -map de_custom"));
  }
};

QTEST_MAIN(WindowControls)
#include "tst_controls.moc"
