// What assistive technology sees: names, roles, states, values, the Tab order of the rows, the
// help strip's sentence and the message boxes.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "Harness.h"
#include "qt/QtPlatform.h"

using namespace quillet;
using namespace quillet::qt;
using namespace quillet::qt::test;

Q_DECLARE_METATYPE(quillet::PageButton)

namespace {

QAccessibleInterface* face(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

// The object names that Tab visits from `start` until it comes back to it.
QStringList tabWalk(QWidget* start) {
  QStringList names;
  start->setFocus();
  for (int i = 0; i < 200; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* now = QApplication::focusWidget();
    if (!now || now == start) break;
    names << now->objectName();
  }
  return names;
}

}  // namespace

class WindowAccess : public QObject {
  Q_OBJECT
 private slots:
  void toggleIsACheckBoxThatFlipsThroughTheCore() {
    Fixture f;
    MainWindow& w = f.startInGame();
    w.core().cmdserver_Click();
    ToggleImage* image = w.toggle(Table::Server, 6);
    QAccessibleInterface* a = face(image);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::CheckBox);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Allow flashlight"));
    QVERIFY(a->state().checkable);
    QVERIFY(!a->state().checked);
    QVERIFY(a->actionInterface());
    a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY2(w.model().checked(Table::Server, 6), "the toggle action must reach the state table");
    QVERIFY(a->state().checked);
  }

  void sliderTellsItsValueAndLabel() {
    Fixture f;
    MainWindow& w = f.startInGame();
    auto* bar = qobject_cast<QScrollBar*>(w.control("scrollfreezetime"));
    bar->setValue(0);
    QAccessibleInterface* a = face(bar);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Freezetime"));
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("Off"));
    QVERIFY(a->valueInterface());
    QCOMPARE(a->valueInterface()->currentValue().toInt(), 0);
    bar->setValue(12);
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("12 sec"));
    QCOMPARE(a->valueInterface()->currentValue().toInt(), 12);
  }

  void everyControlOfEveryPageHasAName() {
    Fixture f;
    MainWindow& w = f.startInGame();
    for (int b = 0; b < kPageButtonCount + 2; ++b) {  // the six pages, then the two sub-pages
      w.core().pageButton_Click(b < kPageButtonCount ? quillet::PageButton(b)
                                : b == kPageButtonCount ? quillet::PageButton::Client
                                                        : quillet::PageButton::Server);
      if (b == kPageButtonCount) w.core().cmdmoreclient_Click();
      if (b > kPageButtonCount) w.core().cmdmore_Click();
      int controls = 0;
      for (QWidget* c : w.page(*w.core().shownPage())->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(&w) || !(c->focusPolicy() & Qt::TabFocus)) continue;
        if (qobject_cast<QComboBox*>(c->parentWidget())) continue;  // the box's own line edit
        ++controls;
        QVERIFY2(!face(c)->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(c->objectName()));
      }
      QVERIFY2(controls > 3, qPrintable(w.page(*w.core().shownPage())->objectName()));
    }
  }

  void tabFollowsTheRows_data() {
    QTest::addColumn<quillet::PageButton>("button");
    QTest::addColumn<bool>("more");
    QTest::addColumn<QStringList>("order");
    const QString buttons = "cmdclient cmdserver cmdmaps cmdcontrols cmdlaunch ";
    QTest::newRow("video") << quillet::PageButton::Video << false
        << (buttons + "scrollgamma scrollbrightness scrollsmoke img_video(0) img_video(1) img_video(2) "
                      "img_video(3) scrollgibparts scrollgibsvisible img_video(5) img_video(6) img_video(7) "
                      "img_video(8) img_video(9) img_video(10)").split(' ');
    QTest::newRow("more server") << quillet::PageButton::Server << true
        << (buttons + "img_moreserver(0) img_moreserver(1) img_moreserver(2) img_moreserver(3) "
                      "img_moreserver(4) img_moreserver(5) scrollmaxhostagekills scrollteamdiffer txtmotd "
                      "scrollresetinterval scrolltimelimit scrollroundtime img_moreserver(6) scrollcompensate "
                      "scrollcalculatepackets cmdback").split(' ');
  }
  void tabFollowsTheRows() {
    QFETCH(quillet::PageButton, button);
    QFETCH(bool, more);
    QFETCH(QStringList, order);
    Fixture f;
    MainWindow& w = f.startInGame();
    activate(w);
    w.core().pageButton_Click(button);
    if (more) w.core().cmdmore_Click();
    QCOMPARE(tabWalk(w.pageButton(quillet::PageButton::Video)), order);
  }

  void pathWindowTabsThroughItsOwnControlsOnly() {
    Fixture f;
    MainWindow& w = f.startInGame();
    w.core().cmdlaunch_Click();  // a page left visible beneath the path frame
    w.core().mnuchangePath_Click();
    activate(w);
    QCOMPARE(tabWalk(f.find("txtpath")), (QStringList{"cmdbrowse", "cmdsearch", "cmdabort"}));
  }

  void helpStripReadsTheWholeSentence() {
    Fixture f;
    MainWindow& w = f.startInGame();
    click(w.pageButton(quillet::PageButton::Maps));
    auto* strip = f.find<HelpStrip>("Picture1");
    QVERIFY2(strip->frame().endsWith(" _"), "the sentence is still being typed");
    QCOMPARE(face(strip)->text(QAccessible::Description), QStringLiteral("Choose your maps."));
  }

  void messageBoxesAreNamedByTitleAndText_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::newRow("ok, information") << int(Buttons::Ok) << int(Icon::Information);
    QTest::newRow("ok, exclamation") << int(Buttons::Ok) << int(Icon::Exclamation);
    QTest::newRow("yes/no, no icon") << int(Buttons::YesNo) << int(Icon::None);
  }
  void messageBoxesAreNamedByTitleAndText() {
    QFETCH(int, buttons);
    QFETCH(int, icon);
    const Message m{"Error loading settings", "first\r\nsecond\rthird", Buttons(buttons), Icon(icon)};
    std::unique_ptr<QMessageBox> box(buildMessageBox(m, nullptr));
    QCOMPARE(box->windowTitle(), QStringLiteral("Error loading settings"));
    QCOMPARE(box->text(), QStringLiteral("first\nsecond\nthird"));
    const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                       QMessageBox::Warning};
    QCOMPARE(box->icon(), icons[icon]);
    if (Buttons(buttons) == Buttons::YesNo) {
      QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
      QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
    } else {
      QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QAccessibleInterface* a = face(box.get());
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Error loading settings"));
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("first\nsecond\nthird"));
  }
};

QTEST_MAIN(WindowAccess)
#include "tst_access.moc"
