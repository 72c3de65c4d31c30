// What assistive technology and the eye see: names, roles, states, values, the Tab order of the
// rows, the page buttons, the help strip and its timer, the start's picture, nothing clipped, the
// message boxes, the chooser and the detail view.
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "Stringconverter/Readers.h"
#include "harness.h"
#include "qt/QtPlatform.h"

using namespace quillet::qt::test;

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
  // Every control of the catalogue: labelled by its caption label (only), named by the
  // caption's exact text, described by its help sentence, inside the group frame its row names
  // (by its own caption), inside the frame of its page.
  void everyOptionIsLabelledByItsCaption() {
    Fixture f;
    MainWindow& w = f.startInGame();
    const auto groupsAround = [](QWidget* c) {
      QStringList names;
      for (QWidget* p = c->parentWidget(); p; p = p->parentWidget())
        if (face(p)->role() == QAccessible::Grouping) names << face(p)->text(QAccessible::Name);
      return names;
    };
    for (const Option& o : catalogue()) {
      if (o.kind == Kind::Hidden) continue;
      const QString what = QString::fromUtf8(o.control) + ": ", caption = QString::fromUtf8(o.caption);
      QAccessibleInterface* a = face(w.control(o.control));
      const auto labels = a->relations(QAccessible::Label);
      QVERIFY2(!labels.isEmpty(), qPrintable(what + "no label"));
      QCOMPARE(what + labels.first().first->text(QAccessible::Name),
               what + (o.control == "cmbnetgraphpos" ? QStringLiteral("Netgraph position")
                       : o.control == "txtmotd"      ? QStringLiteral("Message Of The Day")
                                                     : caption));
      QVERIFY2(qobject_cast<QLabel*>(labels.first().first->object()) || o.caption.empty(), qPrintable(what));
      if (o.kind == Kind::Toggle || o.kind == Kind::Slider) {
        QCOMPARE(a->text(QAccessible::Name), caption);
        QVERIFY2(labels.size() == 1, qPrintable(what + "labelled by more than its caption"));
        QCOMPARE(a->role(), o.kind == Kind::Toggle ? QAccessible::CheckBox : QAccessible::Slider);
      }
      const std::string_view help = !o.help.empty() ? o.help : o.captionText();
      QCOMPARE(a->text(QAccessible::Description), QString::fromUtf8(help).trimmed());
      QStringList groups = {o.group.empty() ? QStringLiteral("Switches") : QString::fromUtf8(o.group)};
      if (o.page != Page::Maps) groups << QString::fromUtf8(pageInfo(o.page).caption);
      QCOMPARE(what + groupsAround(w.control(o.control)).join(" / "), what + groups.join(" / "));
    }
    QCOMPARE(face(f.find("Frame2"))->text(QAccessible::Name), QStringLiteral("Info / Objectives"));
  }

  // The keys and a screen reader's actions move every slider in the platform's direction by its
  // own small and large steps; the accessible value and value text follow.
  void sliderKeys() {
    Fixture f;
    MainWindow& w = f.startInGame();
    const std::tuple<Qt::Key, int, int> keys[] = {
        // steps moved, small and large (Home and End: to an end)
        {Qt::Key_Right, 1, 0},  {Qt::Key_Up, 1, 0},        {Qt::Key_Left, -1, 0},     {Qt::Key_Down, -1, 0},
        {Qt::Key_PageUp, 0, 1}, {Qt::Key_PageDown, 0, -1}, {Qt::Key_Home, -99999, 0}, {Qt::Key_End, 99999, 0}};
    for (const Option& o : catalogue()) {
      if (o.kind != Kind::Slider) continue;
      f.showPageOf(o);
      auto* bar = qobject_cast<QScrollBar*>(w.control(o.control));
      for (const auto& [key, small, large] : keys) {
        const int middle = (o.min + o.max) / 2;
        bar->setValue(middle);
        QTest::keyClick(bar, key);
        const int want = std::clamp(middle + small * o.smallStep + large * o.largeStep, o.min, o.max);
        QVERIFY2(w.model().position(o) == want, qPrintable(QString::fromUtf8(o.control) + " " + QString::number(key)));
        QCOMPARE(face(bar)->valueInterface()->currentValue().toInt(), want);
        QCOMPARE(face(bar)->text(QAccessible::Value), w.valueLabel(o)->text());
      }
      // A screen reader's own actions take the road of a key: the core sees them.
      bar->setValue(o.min);
      face(bar)->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
      QCOMPARE(w.model().position(o), o.min + o.smallStep);
      face(bar)->valueInterface()->setCurrentValue(o.max);
      QCOMPARE(w.model().position(o), o.max);
    }
  }

  // A page button, More and Back (pressed by Space) show their page alone (a sub-page's base page
  // beneath it reports itself hidden), highlight the page's button, put the focus on the page's
  // first control; the help line keeps the button's sentence.
  void pageButtonsShowTheirPageAndFocusIt() {
    Fixture f;
    MainWindow& w = f.startInGame(true);
    const std::tuple<const char*, Page, const char*, const char*> rows[] = {
        // buttons pressed, the page shown, focus, help
        {"cmdserver cmdmore cmdvideo", Page::Video, "scrollgamma", "Tune your video settings"},
        {"cmdclient", Page::Client, "txtname", "Setup client side settings"},
        {"cmdmaps", Page::Maps, "img_map(0)", "Choose your maps."},
        {"cmdcontrols", Page::Controls, "img_controls(0)", "Setup sound and control settings."},
        {"cmdlaunch", Page::Launch, "img_launch(0)", "Set command-line options."},
        {"cmdkeys", Page::Keys, "txtkeyfilter", "See and change your keys and aliases."},
        {"cmdclient cmdmoreclient", Page::MoreClient, "scrollred", "Setup client side settings"},
        {"cmdclient cmdmoreclient cmdmoreclientback", Page::Client, "txtname", "Setup client side settings"},
        {"cmdserver cmdmore", Page::MoreServer, "img_moreserver(0)", "Setup your server."},
        {"cmdserver cmdmore cmdback", Page::Server, "txtservername", "Setup your server."}};
    for (const auto& [press, page, focus, help] : rows) {
      for (const QString& name : QString::fromLatin1(press).split(' ')) {
        QWidget* button = f.find(qPrintable(name));
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
      }
      for (int p = 0; p < kPageCount; ++p)
        QVERIFY2(face(w.page(Page(p)))->state().invisible == (Page(p) != page), press);
      for (int b = 0; b < kPageButtonCount; ++b)
        QCOMPARE(
            w.pageButton(quillet::PageButton(b))->backColor(),
            pageOfButton(quillet::PageButton(b)) == basePage(page) ? QColor(245, 245, 245) : QColor(255, 255, 255));
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(focus));
      QCOMPARE(f.explained(), QString::fromLatin1(help));
    }
  }

  // The help timer types a sentence onto the strip, frame by frame as the core draws them, and
  // stops when it stands; the strip then announces it once, whole, never a typed frame. A caption
  // explains its toggle without flipping it. Every sentence of the catalogue is drawn whole inside
  // the strip, on two lines at most, both while it is typed and when it stands; no character is
  // lost or doubled at a line break.
  void helpStripTypesAndShowsEverySentenceWhole() {
    Fixture f;
    MainWindow& w = f.startInGame();
    HelpStrip* strip = f.strip();
    f.finishHelp();
    QSignalSpy said(strip, &HelpStrip::announced);
    click(w.pageButton(quillet::PageButton::Client));
    QCOMPARE(strip->frame(), QStringLiteral(" _"));
    QVERIFY2(w.helpTimer().isActive(), "the help timer must run while typing");
    QTRY_VERIFY2(strip->frame().size() > 2, "the timer itself types on");
    QCOMPARE(said.count(), 0);
    f.finishHelp();
    QCOMPARE(strip->frame(), QString::fromStdString(w.core().helpFrame()));
    QVERIFY2(!w.helpTimer().isActive(), "the help timer must stop when the sentence stands");
    QCOMPARE(said.count(), 1);
    QCOMPARE(said[0][0].toString(), strip->frame().trimmed());
    QCOMPARE(face(strip)->text(QAccessible::Description), said[0][0].toString());
    click(f.find("Label42"));
    QCOMPARE(f.explained(), QString::fromUtf8(option("img_client(17)").captionText()).trimmed());
    QVERIFY(!w.model().checked(Table::Client, 17));
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

  // The page buttons' fixed back colours, the highlighted one's and the others', keep a readable
  // text whatever the palette.
  void pageButtonsReadableInEveryPalette() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    const std::pair<QColor, QColor> palettes[] = {// window, text: light, dark, dark with grey text
                                                  {QColor(239, 239, 239), QColor(0, 0, 0)},
                                                  {QColor(53, 53, 53), QColor(255, 255, 255)},
                                                  {QColor(30, 30, 30), QColor(190, 190, 190)}};
    for (const auto& [window, text] : palettes) {
      QPalette palette = QApplication::style()->standardPalette();
      for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) palette.setColor(role, window);
      for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) palette.setColor(role, text);
      QApplication::setPalette(palette);
      Fixture f;
      MainWindow& w = f.startInGame();
      for (int b = 0; b < kPageButtonCount; ++b) {
        auto* pb = w.pageButton(quillet::PageButton(b));
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

  // The start's map preview is checked by the load sequence: one that cannot be read is reported
  // at once. One that can is decoded once the first frame is painted and appears without the user
  // doing anything, in a page built before or after that; it is the picture made for the screen's
  // pixel ratio.
  void startPictureCheckedAtOnceShownAtTheScreenRatio() {
    for (const char* bytes : {"", "GIF? no, text"}) {  // img/as_forest.jpg missing, not a picture
      Fixture f;
      const QString picture = f.program + QStringLiteral("/img/as_forest.jpg");
      if (*bytes) writeFile(picture, bytes);
      else QFile::remove(picture);
      f.startInGame();
      QVERIFY2(f.dialogs.shown.at(0).text.find(kPictureError) != std::string::npos, bytes);
    }
    for (const bool pageFirst : {true, false}) {
      Fixture f;
      MainWindow& w = f.startInGame();
      QVERIFY(f.dialogs.shown.at(0).text.find(kPictureError) == std::string::npos);  // the empty folder's report
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
  }

  // No caption, value label or button text on any page is wider than its room.
  void nothingIsClipped() {
    Fixture f;
    MainWindow& w = f.startInGame();
    for (int p = 0; p < kPageCount; ++p)
      for (QWidget* c : w.page(Page(p))->findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(c)) text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(c)) text = button->text();
        if (text.isEmpty() || !c->isVisibleTo(w.page(Page(p)))) continue;
        QVERIFY2(c->fontMetrics().horizontalAdvance(text) <= c->width(), qPrintable(c->objectName() + ": " + text));
      }
  }

  // Tab visits the page buttons, then the page's controls row by row; in the path window only
  // its own controls.
  void tabFollowsTheRows() {
    Fixture f;
    MainWindow& w = f.startInGame(true);
    const QString buttons = "cmdclient cmdserver cmdmaps cmdcontrols cmdlaunch cmdkeys ";
    const std::tuple<quillet::PageButton, bool, const char*> rows[] = {
        // the page, More... pressed, the order
        {quillet::PageButton::Video, false,
         "scrollgamma scrollbrightness scrollsmoke img_video(0) img_video(1) img_video(2) img_video(3) scrollgibparts "
         "scrollgibsvisible img_video(5) img_video(6) img_video(7) img_video(8) img_video(9) img_video(10)"},
        {quillet::PageButton::Server, true,
         "img_moreserver(0) img_moreserver(1) img_moreserver(2) img_moreserver(3) img_moreserver(4) "
         "img_moreserver(5) scrollmaxhostagekills scrollteamdiffer txtmotd scrollresetinterval scrolltimelimit "
         "scrollroundtime img_moreserver(6) scrollcompensate scrollcalculatepackets cmdback"},
        {quillet::PageButton::Keys, false,
         "txtkeyfilter tblkeys cmdchangekey txtkeycommand cmdbindkey cmdunbindkey tblaliases txtaliasname "
         "txtaliascommands cmdsetalias"}};
    for (const auto& [button, more, order] : rows) {
      w.core().pageButton_Click(button);
      if (more) w.core().cmdmore_Click();
      QCOMPARE(tabWalk(w.pageButton(quillet::PageButton::Video)).join(' '), buttons + QString::fromLatin1(order));
    }
    w.core().cmdlaunch_Click();  // a page left visible beneath the path frame
    w.core().mnuchangePath_Click();
    QCOMPARE(tabWalk(f.find("txtpath")), (QStringList{"cmdbrowse", "cmdsearch", "cmdabort"}));
  }

  // Each kind of message box: its title, text (every line end a line), icon, buttons with their
  // default and Escape buttons, what a screen reader hears, and the answer of each button pressed.
  // The chooser lists the lines in the given order, the first one current, and picks the line
  // double-clicked (-1: cancelled).
  void messageBoxesAndTheChooser() {
    using B = QMessageBox;
    const std::pair<B::StandardButton, Answer> answers[] = {{B::Yes, Answer::Yes},       {B::No, Answer::No},
                                                            {B::Save, Answer::Save},     {B::Discard, Answer::Discard},
                                                            {B::Cancel, Answer::Cancel}, {B::Ok, Answer::Ok}};
    QtDialogs dialogs(nullptr);
    const std::tuple<Buttons, Icon, B::Icon, B::StandardButtons, B::StandardButton, B::StandardButton> kinds[] = {
        {Buttons::Ok, Icon::Information, B::Information, B::Ok, B::Ok, B::Ok},
        {Buttons::Ok, Icon::Exclamation, B::Warning, B::Ok, B::Ok, B::Ok},
        {Buttons::YesNo, Icon::None, B::NoIcon, B::Yes | B::No, B::Yes, B::No},
        {Buttons::SaveDiscardCancel, Icon::Exclamation, B::Warning, B::Save | B::Discard | B::Cancel, B::Save,
         B::Cancel}};
    for (const auto& [buttons, icon, boxIcon, boxButtons, byDefault, onEscape] : kinds) {
      const std::string detail = buttons == Buttons::YesNo ? "what happens" : "";  // the Details button with it
      std::unique_ptr<QMessageBox> box(
          buildMessageBox({"Error loading", "first\r\nsecond\rthird", buttons, icon, detail}, nullptr));
      QCOMPARE(box->findChild<QPushButton*>("showdetails") != nullptr, !detail.empty());
      QCOMPARE(box->windowTitle(), QStringLiteral("Error loading"));
      QCOMPARE(box->text(), QStringLiteral("first\nsecond\nthird"));
      QCOMPARE(box->icon(), boxIcon);
      QCOMPARE(box->standardButtons(), boxButtons);
      QCOMPARE(box->defaultButton(), box->button(byDefault));
      QCOMPARE(box->escapeButton(), box->button(onEscape));
      QCOMPARE(face(box.get())->text(QAccessible::Name), QStringLiteral("Error loading"));
      QCOMPARE(face(box.get())->text(QAccessible::Description), QStringLiteral("first\nsecond\nthird"));
      for (const auto& [press, answer] : answers) {
        if (!boxButtons.testFlag(press)) continue;
        QTimer::singleShot(0, [press] { qobject_cast<B*>(QApplication::activeModalWidget())->button(press)->click(); });
        QCOMPARE(dialogs.show({"Exit", "Save your changes?", buttons, icon}), answer);
      }
    }
    QTimer::singleShot(0, [] {
      auto* list = QApplication::activeModalWidget()->findChild<QListWidget*>("chooselist");
      QCOMPARE(list->count(), 2);
      QCOMPARE(list->currentRow(), 0);
      doubleClick(list->viewport(), list->visualItemRect(list->item(1)).center());
      QDialog* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog) QTimer::singleShot(0, dialog, &QDialog::reject);  // not taken by the double-click: no hang
    });
    QCOMPARE(dialogs.choose("Restore backup", "Pick one", {"newer", "older"}), 1);
    QTimer::singleShot(0, [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
    QCOMPARE(dialogs.choose("Restore backup", "Pick one", {"newer"}), -1);
  }

  // A long diff in its own window: resizable, fixed-pitch, unwrapped, reached by Tab, the
  // changed lines coloured, a list of the files to jump to.
  void theDetailViewShowsALongDiffReadably() {
    std::string diff = "motd.txt: unchanged\n--- server.cfg\n+++ server.cfg\n@@ -1,300 +1,300 @@\n";
    for (int i = 0; i < 150; ++i) diff += "-old " + std::to_string(i) + "\n+new " + std::to_string(i) + "\n";
    diff += "config.cfg: new file\n--- config.cfg\n+++ config.cfg\n@@ -1,0 +1,1 @@\n+" + std::string(200, 'x') + "\n";
    std::unique_ptr<QDialog> view(buildDetailView(QStringLiteral("Confirm: details"), diff, nullptr));
    auto* text = view->findChild<QPlainTextEdit*>("detailtext");
    QVERIFY(view->isSizeGripEnabled());
    QCOMPARE(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(QFontInfo(text->font()).fixedPitch());
    QVERIFY(text->focusPolicy() & Qt::TabFocus);
    QCOMPARE(text->blockCount(), int(std::count(diff.begin(), diff.end(), '\n')) + 1);  // a block a line
    const QTextBlock added = text->document()->findBlockByNumber(5);
    QCOMPARE(added.text(), QStringLiteral("+new 0"));
    QVERIFY(!added.layout()->formats().isEmpty());
    QCOMPARE(text->document()->findBlockByNumber(1).layout()->formats().first().format.fontWeight(), QFont::Bold);
    QCOMPARE(added.layout()->formats().first().format.foreground().color(),
             text->document()->findBlockByNumber(7).layout()->formats().first().format.foreground().color());
    auto* files = view->findChild<QComboBox*>("detailfiles");
    QCOMPARE(files->count(), 3);
    QCOMPARE(files->itemText(2), QStringLiteral("config.cfg: new file"));
  }
};

QTEST_MAIN(WindowAccess)
#include "access_test.moc"
