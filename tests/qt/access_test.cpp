// What assistive technology sees: names, roles, states, values, the Tab order of the rows, the
// help strip's sentence and the message boxes.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "harness.h"
#include "qt/QtPlatform.h"

using namespace quillet;
using namespace quillet::qt;
using namespace quillet::qt::test;

Q_DECLARE_METATYPE(quillet::PageButton)

namespace {

QAccessibleInterface* face(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

// WCAG contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b) {
  auto lum = [](const QColor& c) {
    auto ch = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
  };
  const double la = lum(a), lb = lum(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

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
  // A screen reader's own actions take the road of a click or a key: the core sees them.
  void accessibleActionsGoThroughTheCore() {
    Fixture f;
    MainWindow& w = f.startInGame();
    w.core().cmdserver_Click();
    QAccessibleInterface* a = face(w.toggle(Table::Server, 6));
    QVERIFY(a->state().checkable && !a->state().checked);
    a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY2(w.model().checked(Table::Server, 6), "the toggle action must reach the state table");
    QVERIFY(a->state().checked);
    const Option& bomb = option("scrollbombtimer");
    QAccessibleInterface* s = face(w.control(bomb.control));
    const int before = w.model().position(bomb);
    s->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(w.model().position(bomb), before + bomb.smallStep);
    s->valueInterface()->setCurrentValue(bomb.min);
    QCOMPARE(w.model().position(bomb), bomb.min);
  }

  // Every group frame is named by its own caption, to the byte, not by the page around it.
  void groupsAreNamedByTheirOwnCaption() {
    Fixture f;
    f.startInGame();
    f.buildEveryPage();
    const std::pair<const char*, const char*> groups[] = {{"Frame3", "Preferences"},
                                                          {"Frame1", "Connection"},
                                                          {"Frame15", "Advanced"},
                                                          {"Frame18", "Hud / ingame text color"},
                                                          {"Frame16", "Misc"},
                                                          {"Frame7", "Preferences"},
                                                          {"Frame8", "Advanced "},
                                                          {"frame50", "Controls / sound"},
                                                          {"Frame12", "Mouse"},
                                                          {"Frame10", "Joystick"},
                                                          {"Frame11", "General"},
                                                          {"frame34", "Sound"},
                                                          {"Frame17", "Main"},
                                                          {"frmdedicated", "Performance"},
                                                          {"Frame5", "Preferences"},
                                                          {"Frame14", "Restrictions"},
                                                          {"frame23", "Message Of The Day"},
                                                          {"Frame13", "Timer"},
                                                          {"Frame9", "Advanced"},
                                                          {"frame63", "Launch options"},
                                                          {"Frame4", "Maps to cycle"},
                                                          {"Frame2", "Info / Objectives"},
                                                          {"frameclient", "Client"},
                                                          {"framemoreclient", "More client"},
                                                          {"framemore", "More server"},
                                                          {"framelaunch", "Commandline / Launch options"}};
    for (const auto& [name, caption] : groups) {
      QWidget* group = f.find(name);
      QVERIFY2(group, name);
      QCOMPARE(face(group)->text(QAccessible::Name), QString::fromLatin1(caption));
      QCOMPARE(face(group)->role(), QAccessible::Grouping);
    }
  }

  // Every control of the catalogue: labelled by its caption label (only), named by the
  // caption's exact text, described by its help sentence.
  void everyOptionIsLabelledByItsCaption() {
    Fixture f;
    MainWindow& w = f.startInGame();
    int checked = 0;
    for (const Option& o : catalogue()) {
      if (o.kind == Kind::Hidden) continue;
      const QString what = QString::fromUtf8(o.control.data(), qsizetype(o.control.size()));
      QWidget* c = w.control(o.control);
      QVERIFY2(c, qPrintable(what));
      QAccessibleInterface* a = face(c);
      const auto labels = a->relations(QAccessible::Label);
      QVERIFY2(!labels.isEmpty(), qPrintable(what + " has no label"));
      const QString label = labels.first().first->text(QAccessible::Name);
      const QString caption = QString::fromUtf8(o.caption.data(), qsizetype(o.caption.size()));
      if (o.control == "cmbnetgraphpos") {
        QCOMPARE(label, QStringLiteral("Netgraph position"));
      } else if (o.control == "txtmotd") {
        QCOMPARE(label, QStringLiteral("Message Of The Day"));
      } else {
        QVERIFY2(label == caption, qPrintable(what + ": labelled by '" + label + "'"));
        QVERIFY2(qobject_cast<QLabel*>(labels.first().first->object()), qPrintable(what));
      }
      if (o.kind == Kind::Toggle || o.kind == Kind::Slider) {
        QCOMPARE(a->text(QAccessible::Name), caption);
        QVERIFY2(labels.size() == 1, qPrintable(what + " is labelled by more than its caption"));
        QCOMPARE(a->role(), o.kind == Kind::Toggle ? QAccessible::CheckBox : QAccessible::Slider);
      }
      const std::string_view help = !o.help.empty() ? o.help : o.captionText();
      QCOMPARE(a->text(QAccessible::Description), QString::fromUtf8(help.data(), qsizetype(help.size())).trimmed());
      ++checked;
    }
    QVERIFY2(checked > 110, qPrintable(QString::number(checked)));
  }

  // A sub-page lies over its base page: the base page and what it holds report themselves hidden.
  void coveredPageReportsHidden_data() {
    QTest::addColumn<quillet::PageButton>("button");
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("sub");
    QTest::newRow("client") << quillet::PageButton::Client << int(Page::Client) << int(Page::MoreClient);
    QTest::newRow("server") << quillet::PageButton::Server << int(Page::Server) << int(Page::MoreServer);
  }
  void coveredPageReportsHidden() {
    QFETCH(quillet::PageButton, button);
    QFETCH(int, base);
    QFETCH(int, sub);
    Fixture f;
    MainWindow& w = f.startInGame();
    activate(w);
    click(w.pageButton(button));
    QWidget* more = f.find(base == int(Page::Client) ? "cmdmoreclient" : "cmdmore");
    QVERIFY(!face(w.page(Page(base)))->state().invisible);
    click(more);
    // The sub-page is the one seen; the covered base page is hidden (the core keeps it beneath).
    QWidget* seen = w.centralWidget()->childAt(w.page(Page(base))->geometry().center());
    QVERIFY2(seen && (seen == w.page(Page(sub)) || w.page(Page(sub))->isAncestorOf(seen)), "the sub-page lies above");
    QVERIFY(face(w.page(Page(base)))->state().invisible);
    QVERIFY(face(more)->state().invisible);
    QVERIFY(!face(w.page(Page(sub)))->state().invisible);
    click(f.find(base == int(Page::Client) ? "cmdmoreclientback" : "cmdback"));
    QVERIFY(!face(w.page(Page(base)))->state().invisible);
    QVERIFY(face(w.page(Page(sub)))->state().invisible);
  }

  // The keys move every slider in the platform's direction by its own small and large steps;
  // the accessible value and value text follow.
  void sliderKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("small");  // steps moved, small and large; 99: to an end
    QTest::addColumn<int>("large");
    QTest::newRow("Right") << int(Qt::Key_Right) << 1 << 0;
    QTest::newRow("Up") << int(Qt::Key_Up) << 1 << 0;
    QTest::newRow("Left") << int(Qt::Key_Left) << -1 << 0;
    QTest::newRow("Down") << int(Qt::Key_Down) << -1 << 0;
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 0 << 1;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0 << -1;
    QTest::newRow("Home") << int(Qt::Key_Home) << -99 << 0;
    QTest::newRow("End") << int(Qt::Key_End) << 99 << 0;
  }
  void sliderKeys() {
    QFETCH(int, key);
    QFETCH(int, small);
    QFETCH(int, large);
    Fixture f;
    MainWindow& w = f.startInGame();
    for (const Option& o : catalogue()) {
      if (o.kind != Kind::Slider) continue;
      f.showPageOf(o);
      auto* bar = qobject_cast<QScrollBar*>(w.control(o.control));
      const int middle = (o.min + o.max) / 2;
      bar->setValue(middle);
      QTest::keyClick(bar, Qt::Key(key));
      const int want = small == 99    ? o.max
                       : small == -99 ? o.min
                                      : std::clamp(middle + small * o.smallStep + large * o.largeStep, o.min, o.max);
      QVERIFY2(w.model().position(o) == want, o.control.data());
      QAccessibleInterface* a = face(bar);
      QCOMPARE(a->valueInterface()->currentValue().toInt(), want);
      QCOMPARE(a->text(QAccessible::Value), w.valueLabel(o)->text());
    }
  }

  // A page button, More and Back put the focus on the first control of the page they show,
  // and the help line keeps the button's own sentence.
  void focusLandsOnThePage_data() {
    QTest::addColumn<QString>("press");  // page buttons, then More / Back on the page shown
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("help");
    const auto row = [](const char* name, const char* press, const char* focus, const char* help) {
      QTest::newRow(name) << QString(press) << QString(focus) << QString(help);
    };
    row("video", "cmdvideo", "scrollgamma", "Tune your video settings");
    row("client", "cmdclient", "txtname", "Setup client side settings");
    row("maps", "cmdmaps", "img_map(0)", "Choose your maps.");
    row("controls", "cmdcontrols", "img_controls(0)", "Setup sound and control settings.");
    row("launch", "cmdlaunch", "img_launch(0)", "Set command-line options.");
    row("more client", "cmdclient cmdmoreclient", "scrollred", "Setup client side settings");
    row("client back", "cmdclient cmdmoreclient cmdmoreclientback", "txtname", "Setup client side settings");
    row("more server", "cmdserver cmdmore", "img_moreserver(0)", "Setup your server.");
    row("server back", "cmdserver cmdmore cmdback", "txtservername", "Setup your server.");
  }
  void focusLandsOnThePage() {
    QFETCH(QString, press);
    QFETCH(QString, focus);
    QFETCH(QString, help);
    Fixture f;
    MainWindow& w = f.startInGame();
    activate(w);
    for (const QString& name : press.split(' ')) {
      QWidget* button = f.find(qPrintable(name));
      button->setFocus();
      QTest::keyClick(button, Qt::Key_Space);
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(f.explained(), help);
  }

  // Each sentence is announced once, whole, when it stands complete; never a typed frame.
  void helpStripAnnouncesEachSentenceOnce() {
    Fixture f;
    MainWindow& w = f.startInGame();
    f.finishHelp();
    QSignalSpy said(f.strip(), &HelpStrip::announced);
    click(w.pageButton(quillet::PageButton::Maps));
    QVERIFY2(f.strip()->frame().endsWith(" _"), "the sentence is still being typed");
    QCOMPARE(said.count(), 0);
    f.finishHelp();
    QCOMPARE(said.count(), 1);
    QCOMPARE(said[0][0].toString(), QStringLiteral("Choose your maps."));
    QCOMPARE(face(f.strip())->text(QAccessible::Description), QStringLiteral("Choose your maps."));
  }

  // Every sentence of the catalogue is drawn whole inside the strip, on two lines at most, both
  // while it is typed and when it stands; no character is lost or doubled at a line break.
  void helpStripShowsEverySentenceWhole() {
    Fixture f;
    MainWindow& w = f.startInGame();
    HelpStrip* strip = f.strip();
    const int room = std::min(strip->width(), w.centralWidget()->width() - strip->x());
    for (const Option& o : catalogue()) {
      for (std::string_view text : {o.help, o.captionText()}) {
        if (text.empty()) continue;
        const QString sentence = QString::fromUtf8(text.data(), qsizetype(text.size()));
        w.core().ShowHelp(text);
        for (int i = 0; i < 1000 && w.core().timerEnabled(); ++i) {
          QCOMPARE(strip->lines().join(QString()), strip->frame());
          w.core().Timer1_Timer();
        }
        const QStringList lines = strip->lines();
        QCOMPARE(lines.join(QString()), sentence);
        QVERIFY2(lines.size() <= 2, qPrintable(sentence));
        QFont font = strip->font();
        font.setPointSizeF(strip->pointSize());
        QVERIFY2(QFontMetrics(font).lineSpacing() * lines.size() <= strip->height(), qPrintable(sentence));
        for (const QString& line : lines)
          QVERIFY2(QFontMetrics(font).horizontalAdvance(line) <= room, qPrintable(line));
      }
    }
  }

  // The page buttons' fixed back colours keep a readable text whatever the palette.
  void pageButtonsReadableInEveryPalette_data() {
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::newRow("light") << QColor(239, 239, 239) << QColor(0, 0, 0);
    QTest::newRow("dark") << QColor(53, 53, 53) << QColor(255, 255, 255);
    QTest::newRow("dark, grey text") << QColor(30, 30, 30) << QColor(190, 190, 190);
  }
  void pageButtonsReadableInEveryPalette() {
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette palette = QApplication::style()->standardPalette();
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) palette.setColor(role, window);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) palette.setColor(role, text);
    QApplication::setPalette(palette);
    Fixture f;
    MainWindow& w = f.startInGame();
    for (int b = 0; b < kPageButtonCount; ++b) {
      w.core().pageButton_Click(quillet::PageButton(b));
      for (int other = 0; other < kPageButtonCount; ++other) {
        auto* pb = w.pageButton(quillet::PageButton(other));
        // The inkiest pixel of the drawn button against its back colour.
        const QImage image = pb->grab().toImage();
        double best = 1;
        for (int y = 3; y < image.height() - 3; ++y)
          for (int x = 3; x < image.width() - 3; ++x)
            best = std::max(best, contrast(QColor(image.pixel(x, y)), pb->backColor()));
        QVERIFY2(best >= 4.5, qPrintable(pb->text() + " " + QString::number(best)));
      }
    }
    QApplication::setPalette(QApplication::style()->standardPalette());
  }

  // The start's map preview is decoded once the first frame is painted and appears without the
  // user doing anything, in a page built before or after that; it is the picture made for the
  // screen's pixel ratio.
  void mapPreviewAtTheScreenRatio_data() {
    QTest::addColumn<bool>("pageFirst");
    QTest::newRow("page built before the first frame") << true;
    QTest::newRow("page built after the picture") << false;
  }
  void mapPreviewAtTheScreenRatio() {
    QFETCH(bool, pageFirst);
    Fixture f;
    MainWindow& w = f.startInGame();
    if (pageFirst) {
      w.page(Page::Maps);
      QVERIFY2(f.find<QLabel>("imgmapshot")->pixmap().isNull(), "the picture was decoded before the first frame");
    }
    activate(w);
    if (!pageFirst) {
      QTest::qWait(20);
      click(w.pageButton(quillet::PageButton::Maps));
    }
    auto* shot = f.find<QLabel>("imgmapshot");
    QTRY_VERIFY(!shot->pixmap().isNull());
    const qreal ratio = shot->devicePixelRatioF();
    QCOMPARE(shot->pixmap().devicePixelRatio(), ratio > 1 ? 2.0 : 1.0);
    QCOMPARE(shot->pixmap().width(), ratio > 1 ? 64 : 32);
  }

  // No caption, value label or button text on any page is wider than its room.
  void nothingIsClipped() {
    Fixture f;
    MainWindow& w = f.startInGame();
    for (Page p : {Page::Client, Page::MoreClient, Page::Video, Page::Controls, Page::Server, Page::MoreServer,
                   Page::Maps, Page::Launch, Page::Keys}) {
      for (QWidget* c : w.page(p)->findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(c)) text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(c)) text = button->text();
        if (text.isEmpty() || !c->isVisibleTo(w.page(p))) continue;
        QVERIFY2(c->fontMetrics().horizontalAdvance(text) <= c->width(), qPrintable(c->objectName() + ": " + text));
      }
    }
  }

  void tabFollowsTheRows_data() {
    QTest::addColumn<quillet::PageButton>("button");
    QTest::addColumn<bool>("more");
    QTest::addColumn<QStringList>("order");
    const QString buttons = "cmdclient cmdserver cmdmaps cmdcontrols cmdlaunch cmdkeys ";
    QTest::newRow("video") << quillet::PageButton::Video << false
                           << (buttons +
                               "scrollgamma scrollbrightness scrollsmoke img_video(0) img_video(1) img_video(2) "
                               "img_video(3) scrollgibparts scrollgibsvisible img_video(5) img_video(6) img_video(7) "
                               "img_video(8) img_video(9) img_video(10)")
                                  .split(' ');
    QTest::newRow("more server")
        << quillet::PageButton::Server << true
        << (buttons +
            "img_moreserver(0) img_moreserver(1) img_moreserver(2) img_moreserver(3) "
            "img_moreserver(4) img_moreserver(5) scrollmaxhostagekills scrollteamdiffer txtmotd "
            "scrollresetinterval scrolltimelimit scrollroundtime img_moreserver(6) scrollcompensate "
            "scrollcalculatepackets cmdback")
               .split(' ');
    QTest::newRow("keys") << quillet::PageButton::Keys << false
                          << (buttons +
                              "txtkeyfilter tblkeys cmdchangekey txtkeycommand cmdbindkey cmdunbindkey tblaliases "
                              "txtaliasname txtaliascommands cmdsetalias")
                                 .split(' ');
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

  void messageBoxesAreNamedByTitleAndText_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::newRow("ok, information") << int(Buttons::Ok) << int(Icon::Information);
    QTest::newRow("ok, exclamation") << int(Buttons::Ok) << int(Icon::Exclamation);
    QTest::newRow("yes/no, no icon") << int(Buttons::YesNo) << int(Icon::None);
    QTest::newRow("save/discard/cancel") << int(Buttons::SaveDiscardCancel) << int(Icon::Exclamation);
  }
  void messageBoxesAreNamedByTitleAndText() {
    QFETCH(int, buttons);
    QFETCH(int, icon);
    const Message m{"Error loading settings", "first\r\nsecond\rthird", Buttons(buttons), Icon(icon)};
    std::unique_ptr<QMessageBox> box(buildMessageBox(m, nullptr));
    QCOMPARE(box->windowTitle(), QStringLiteral("Error loading settings"));
    QCOMPARE(box->text(), QStringLiteral("first\nsecond\nthird"));
    const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning};
    QCOMPARE(box->icon(), icons[icon]);
    if (Buttons(buttons) == Buttons::YesNo) {
      QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
      QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
    } else if (Buttons(buttons) == Buttons::SaveDiscardCancel) {
      QCOMPARE(box->standardButtons(), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
      QCOMPARE(box->defaultButton(), box->button(QMessageBox::Save));
      QCOMPARE(box->escapeButton(), box->button(QMessageBox::Cancel));
    } else {
      QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QAccessibleInterface* a = face(box.get());
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Error loading settings"));
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("first\nsecond\nthird"));
  }

  // A long diff in its own window: resizable, fixed-pitch, unwrapped, reached by Tab, the
  // changed lines coloured, a list of the files to jump to.
  void theDetailViewShowsALongDiffReadably() {
    std::string diff = "motd.txt: unchanged\n--- server.cfg\n+++ server.cfg\n@@ -1,300 +1,300 @@\n";
    for (int i = 0; i < 150; ++i) diff += "-old " + std::to_string(i) + "\n+new " + std::to_string(i) + "\n";
    diff += "config.cfg: new file\n--- config.cfg\n+++ config.cfg\n@@ -1,0 +1,1 @@\n+" + std::string(200, 'x') + "\n";
    std::unique_ptr<QMessageBox> box(
        buildMessageBox({"Confirm", "Continue?", Buttons::YesNo, Icon::None, diff}, nullptr));
    auto* details = box->findChild<QPushButton*>("showdetails");
    QVERIFY(details);
    std::unique_ptr<QDialog> view(buildDetailView(QStringLiteral("Confirm: details"), diff, nullptr));
    auto* text = view->findChild<QPlainTextEdit*>("detailtext");
    QVERIFY(view->isSizeGripEnabled());
    QCOMPARE(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(QFontInfo(text->font()).fixedPitch());
    QVERIFY(text->focusPolicy() & Qt::TabFocus);
    QCOMPARE(text->blockCount(), 310);
    const QTextBlock added = text->document()->findBlockByNumber(5);
    QCOMPARE(added.text(), QStringLiteral("+new 0"));
    QVERIFY(!added.layout()->formats().isEmpty());
    QCOMPARE(added.layout()->formats().first().format.foreground().color(),
             text->document()->findBlockByNumber(7).layout()->formats().first().format.foreground().color());
    auto* files = view->findChild<QComboBox*>("detailfiles");
    QCOMPARE(files->count(), 3);
    QCOMPARE(files->itemText(2), QStringLiteral("config.cfg: new file"));
  }
};

QTEST_MAIN(WindowAccess)
#include "access_test.moc"
