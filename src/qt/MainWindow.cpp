#include "qt/MainWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "qt/FontWarmUp.h"
#include "qt/GameText.h"
#include "qt/Twips.h"
#include "qt/Widgets.h"
#include "settings/ValueForms.h"

namespace quillet::qt {

namespace {

// ---- The window design, in twips.

// The client area below the menu bar: the window's width less its borders, and tall enough for
// the help strip at the bottom. The change-path window is its size less borders and title bar.
constexpr int kBorderWidth = 120;
constexpr int kTitleHeight = 300;
constexpr int kHelpTop = 6800, kHelpWidth = 8295, kHelpHeight = 495;
constexpr int kPageLeft = 1500, kPageTop = 200, kPageSize = 6495;

// The group frames of each page (left, top, width, height relative to the page, or to the
// "Controls / sound" frame), in reading order: left column top to bottom, then the right one.
struct GroupFrame {
  Page page;
  std::string_view caption;  // as the catalogue names the group
  std::string_view name;
  int left, top, width, height;
};
constexpr GroupFrame kGroups[] = {
    {Page::Client, "Preferences", "Frame3", 240, 240, 2895, 6015},
    {Page::Client, "Connection", "Frame1", 3360, 240, 2895, 2055},
    {Page::Client, "Advanced", "Frame15", 3360, 2400, 2895, 3375},
    {Page::MoreClient, "Hud / ingame text color", "Frame18", 240, 240, 2895, 6015},
    {Page::MoreClient, "Misc", "Frame16", 3360, 240, 2895, 5655},
    {Page::Video, "Preferences", "Frame7", 240, 240, 2895, 6015},
    {Page::Video, "Advanced ", "Frame8", 3360, 240, 2895, 6015},
    {Page::Controls, "Mouse", "Frame12", 240, 240, 2895, 1215},
    {Page::Controls, "Joystick", "Frame10", 240, 1560, 2895, 1095},
    {Page::Controls, "General", "Frame11", 240, 2760, 2895, 3495},
    {Page::Controls, "Sound", "frame34", 3360, 240, 2895, 6015},
    {Page::Server, "Main", "Frame17", 240, 240, 2895, 975},
    {Page::Server, "Performance", "frmdedicated", 240, 1320, 2895, 4935},
    {Page::Server, "Preferences", "Frame5", 3360, 240, 2895, 5655},
    {Page::MoreServer, "Restrictions", "Frame14", 240, 240, 2895, 3975},
    {Page::MoreServer, "Message Of The Day", "frame23", 240, 4320, 2895, 2055},
    {Page::MoreServer, "Timer", "Frame13", 3360, 240, 2895, 2055},
    {Page::MoreServer, "Advanced", "Frame9", 3360, 2400, 2895, 3495},
    {Page::Launch, "Launch options", "frame63", 240, 240, 3015, 5175},
    {Page::Launch, "", "Frame19", 3480, 240, 2775, 5175},
};

// The pages in their stacking order, bottom to top: a sub-page above its base page.
constexpr Page kStackOrder[] = {Page::Video, Page::Client,   Page::MoreClient, Page::Server, Page::MoreServer,
                                Page::Maps,  Page::Controls, Page::Launch,     Page::Keys};

// Where a toggle that shares the row of the toggle before it stands ("Log" and "Log messages").
constexpr int kSharedRowLeft = 1440;

// Row geometry inside a group.
constexpr int kRowLeft = 240, kCaptionLeft = 600, kToggleSize = 255, kLabelHeight = 255;
constexpr int kToggleRow = 360;
constexpr int kSliderWidth = 1800, kSliderHeight = 200, kSliderRow = 600;
constexpr int kValueLeft = kRowLeft + kSliderWidth + 60;
constexpr int kFieldWidth = 2295, kFieldHeight = 285, kChoiceHeight = 315, kFieldRow = 720;
constexpr int kShortFieldWidth = 495, kShortFieldRow = 480;

// Accessible names of the controls that have no caption of their own.
constexpr std::pair<std::string_view, std::string_view> kRoleNames[] = {
    {"cmbnetgraphpos", "Netgraph position"},
    {"txtmotd", "Message Of The Day"},
};

QColor toColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// Narrows a caption's face, down to three quarters of its width, until its text fits its room,
// so that a long caption never runs under the frame of its group.
void fitCaption(QLabel* label) {
  QFont f = label->font();
  int stretch = f.stretch() == QFont::AnyStretch ? 100 : f.stretch();
  while (stretch > 75 && QFontMetrics(f).horizontalAdvance(label->text()) > label->width()) {
    stretch -= 3;
    f.setStretch(stretch);
  }
  label->setFont(f);
}

// Gives every action without an Alt letter the first letter of its caption that no sibling uses
// yet (a word's first letter before any other), so that each menu and item can be reached by
// keyboard, those added by later parts of the program included.
void giveMnemonics(const QList<QAction*>& actions) {
  QString used;
  auto mnemonic = [](const QString& text) {
    const qsizetype at = text.indexOf(QChar(u'&'));
    return at >= 0 && at + 1 < text.size() && text[at + 1] != QChar(u'&') ? text[at + 1].toLower() : QChar();
  };
  for (QAction* a : actions)
    if (const QChar m = mnemonic(a->text()); !m.isNull()) used += m;
  for (QAction* a : actions) {
    const QString text = a->text();
    if (a->isSeparator() || text.isEmpty() || !mnemonic(text).isNull()) continue;
    qsizetype pick = -1;
    for (int pass = 0; pass < 2 && pick < 0; ++pass)
      for (qsizetype i = 0; i < text.size() && pick < 0; ++i) {
        const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
        if (text[i].isLetterOrNumber() && (pass == 1 || wordStart) && !used.contains(text[i].toLower())) pick = i;
      }
    if (pick < 0) continue;
    used += text[pick].toLower();
    QString marked = text;
    marked.insert(pick, QChar(u'&'));
    a->setText(marked);
  }
}

// The user's decimal separator when it is a single ASCII character, else the point.
char decimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point.at(0).unicode() < 128 ? static_cast<char>(point.at(0).unicode()) : '.';
}

}  // namespace

MainWindow::MainWindow(Store& store, Dialogs& dialogs, std::filesystem::path programDir, QWidget* parent)
    : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmmain"));
  // A small, narrow face like the designed one, so that the captions fit their rows.
  QFont f = font();
  f.setPointSize(8);
  f.setStretch(QFont::SemiCondensed);
  setFont(f);

  core_ = std::make_unique<frmmain>(model_, store, dialogs, timer_, pictures_, std::move(programDir));
  core_->setDecimalSeparator(decimalSeparator());
  timer_.setTick([this] { core_->Timer1_Timer(); });

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("client"));
  setCentralWidget(central);
  central_ = central;
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  // The pages are built when first shown (pagesChanged): a window shows one page at a time, and
  // building all eight before the first frame would more than double the time to it.
  buildMenus();
  FontWarmUp::await();
  buildPageButtons(central);
  buildChangePath(central);

  // Two lines above the help strip, dark over light, make an etched edge in any palette.
  lines_[0] = new LineWidget(QPalette::Mid, central);
  lines_[0]->setObjectName(QStringLiteral("lineabovehelp2"));
  lines_[0]->setGeometry(0, px(6760), px(10000), 1);
  lines_[1] = new LineWidget(QPalette::Light, central);
  lines_[1]->setObjectName(QStringLiteral("lineabovehelp"));
  lines_[1]->setGeometry(0, px(6780), px(10000), 1);

  help_ = new HelpStrip(central);
  help_->setObjectName(QStringLiteral("Picture1"));
  help_->setGeometry(pxRect(0, kHelpTop, kHelpWidth, kHelpHeight));

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect r = screen->availableGeometry();
    core_->setScreenSize(twips(r.width()), twips(r.height()));
  }
  connect(qApp, &QApplication::focusChanged, this, &MainWindow::focusChanged);

  core_->setView(this);
  windowChanged();
  pagesChanged();
}

MainWindow::~MainWindow() {
  disconnect(qApp, &QApplication::focusChanged, this, &MainWindow::focusChanged);
  core_->setView(nullptr);
  timer_.stop();
  // The widgets outlive the core by a moment: nothing they say while dying may reach it.
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

void MainWindow::start() {
  // The load sequence checks the preview picture; it is decoded once the first frame is painted.
  pictures_.setDeferring(true);
  core_->Form_Load();
  pictures_.setDeferring(false);
  // Whatever the load left for the view, drawn once more as a whole.
  windowChanged();
  pagesChanged();
  mapInfoChanged();
  shortcutChanged();
}

// ---------------------------------------------------------------- building

void MainWindow::buildMenus() {
  struct Item {
    const char* menu;
    const char* name;
    const char* caption;
    QKeySequence keys;
    void (frmmain::*handler)();
  };
  const Item items[] = {
      {"mnufile", "mnusave", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), &frmmain::mnusave_Click},
      {"mnufile", "mnurestore", "&Restore backup...", {}, &frmmain::mnurestore_Click},
      {"mnufile", "spacer2", nullptr, {}, nullptr},
      {"mnufile", "mnuexit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q), &frmmain::mnuexit_Click},
      {"mnusettings", "mnudefaults", "Load &defaults", QKeySequence(Qt::CTRL | Qt::Key_D), &frmmain::mnudefaults_Click},
      {"mnusettings", "mnukeepownlines", "Keep my own lines", {}, &frmmain::mnukeepownlines_Click},
      {"mnusettings", "space", nullptr, {}, nullptr},
      {"mnusettings", "mnuchangePath", "Change &path", QKeySequence(Qt::CTRL | Qt::Key_P),
       &frmmain::mnuchangePath_Click},
      {"mnuhelp", "mnuAbout", "&About", QKeySequence(Qt::Key_F1), &frmmain::mnuAbout_Click},
  };
  const std::pair<const char*, const char*> menus[] = {
      {"mnufile", "&File"}, {"mnusettings", "&Settings"}, {"mnuhelp", "&Help"}};
  for (const auto& [name, caption] : menus) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menus_.push_back(menu);
    // Items added to the menu later get their Alt letters when it opens.
    connect(menu, &QMenu::aboutToShow, this, [menu] { giveMnemonics(menu->actions()); });
    for (const Item& item : items) {
      if (qstrcmp(item.menu, name) != 0) continue;
      QAction* action = item.caption ? menu->addAction(QString::fromLatin1(item.caption)) : menu->addSeparator();
      action->setObjectName(QString::fromLatin1(item.name));
      if (!item.caption) continue;
      action->setShortcut(item.keys);
      action->setShortcutContext(Qt::WindowShortcut);
      // The window carries the actions too, so their shortcuts work with every menu closed.
      addAction(action);
      const auto handler = item.handler;
      connect(action, &QAction::triggered, this, [this, handler] { (core_.get()->*handler)(); });
      menuActions_.push_back(action);
    }
  }
  giveMnemonics(menuBar()->actions());
  for (QMenu* menu : menus_) giveMnemonics(menu->actions());
  if (auto* keep = findChild<QAction*>(QStringLiteral("mnukeepownlines"))) {
    keep->setCheckable(true);
    keep->setStatusTip(
        QStringLiteral("Save merges with your files: your own lines and the values the pages cannot show stay"));
  }
}

void MainWindow::keepOwnLinesChanged(bool on) {
  if (auto* keep = findChild<QAction*>(QStringLiteral("mnukeepownlines"))) keep->setChecked(on);
}

void MainWindow::buildPageButtons(QWidget* central) {
  frameButtons_ = new QWidget(central);
  frameButtons_->setObjectName(QStringLiteral("framebuttons"));
  frameButtons_->setGeometry(pxRect(120, 360, 1215, 600 * (kPageButtonCount - 1) + 615));
  const char* captions[kPageButtonCount] = {"Video",           "Client",      "Server", "Maps",
                                            "Control / Sound", "Commandline", "Keys"};
  for (int i = 0; i < kPageButtonCount; ++i) {
    const auto b = static_cast<quillet::PageButton>(i);
    auto* button = new PageButton(QString::fromLatin1(captions[i]), frameButtons_);
    button->setObjectName(fromUtf8(pageButtonName(b)));
    button->setGeometry(pxRect(0, 600 * i, 1215, 615));
    button->setAccessibleName(button->text());
    connect(button, &QPushButton::clicked, this, [this, b] {
      core_->pageButton_Click(b);
      focusShownPage();
    });
    buttons_[i] = button;
  }
}

QWidget* MainWindow::addToggle(QWidget* parent, const Option& o, int left, int top, int captionLeft, int captionWidth) {
  auto* image = new ToggleImage(parent);
  image->setObjectName(fromUtf8(o.control));
  image->setGeometry(pxRect(left, top, kToggleSize, kToggleSize));
  image->setAccessibleName(fromUtf8(o.caption));
  image->setAccessibleDescription(fromUtf8(o.help.empty() ? o.captionText() : o.help).trimmed());
  image->setChecked(model_.checked(o));
  const Table table = o.table;
  const int index = o.index;
  connect(image, &QAbstractButton::clicked, this, [this, table, index] { core_->toggle_Click(table, index); });
  connect(image, &ToggleImage::doubleClicked, this, [this, table, index] { core_->toggle_DblClick(table, index); });
  auto& row = toggles_[static_cast<int>(table)];
  if (static_cast<int>(row.size()) <= index) row.resize(static_cast<std::size_t>(index) + 1, nullptr);
  row[static_cast<std::size_t>(index)] = image;
  controls_.emplace(std::string(o.control), image);

  // The caption: its own label name, or for a map "lbl_map(i)".
  const std::string labelName = !o.captionLabel.empty() ? std::string(o.captionLabel)
                                : table == Table::Map   ? "lbl_map(" + std::to_string(index) + ")"
                                                        : std::string();
  auto* caption = new ClickLabel(fromUtf8(o.caption), parent);
  caption->setObjectName(QString::fromStdString(labelName));
  caption->setGeometry(pxRect(captionLeft, top, captionWidth, kLabelHeight));
  caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  caption->setBuddy(image);
  fitCaption(caption);
  if (!labelName.empty())
    connect(caption, &ClickLabel::clicked, this, [this, labelName] { core_->caption_Click(labelName); });
  return image;
}

void MainWindow::addSlider(QWidget* parent, const Option& o, int top, int groupWidth) {
  auto* caption = new ClickLabel(fromUtf8(o.caption), parent);
  caption->setObjectName(fromUtf8(o.control) + QStringLiteral("_caption"));
  caption->setGeometry(pxRect(kRowLeft, top, groupWidth - kRowLeft - 60, kLabelHeight));
  if (!o.captionLabel.empty()) {
    const std::string labelName(o.captionLabel);
    caption->setObjectName(QString::fromStdString(labelName));
    connect(caption, &ClickLabel::clicked, this, [this, labelName] { core_->caption_Click(labelName); });
  }

  auto* bar = new SliderBar(parent);
  bar->setObjectName(fromUtf8(o.control));
  bar->setGeometry(pxRect(kRowLeft, top + 240, kSliderWidth, kSliderHeight));
  bar->setRange(o.min, o.max);
  bar->setSingleStep(o.smallStep);
  bar->setPageStep(o.largeStep);
  bar->setValue(model_.position(o));
  bar->setAccessibleName(fromUtf8(o.caption));
  bar->setAccessibleDescription(fromUtf8(o.help).trimmed());
  caption->setBuddy(bar);
  controls_.emplace(std::string(o.control), bar);

  auto* value = new QLabel(parent);
  value->setObjectName(fromUtf8(o.valueLabel));
  value->setGeometry(pxRect(kValueLeft, top + 240 - 30, groupWidth - kValueLeft - 30, kLabelHeight));
  value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  valueLabels_.emplace(std::string(o.control), value);
  valueLabelChanged(o, core_->valueLabel(o));

  const Option* opt = &o;
  connect(bar, &QScrollBar::valueChanged, this, [this, opt](int v) {
    if (!updating_) core_->slider_Change(*opt, v);
  });
  connect(bar, &QScrollBar::sliderMoved, this, [this, opt](int v) { core_->slider_Scroll(*opt, v); });
  connect(bar, &SliderBar::focusGained, this, [this, opt] {
    if (!quietFocus_) core_->slider_GotFocus(*opt);
  });
}

QWidget* MainWindow::addField(QWidget* parent, const Option& o, int left, int top, int width, int height) {
  const Option* opt = &o;
  QWidget* field = nullptr;
  if (o.kind == Kind::Choice) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    if (o.form == Form::Netgraph)
      for (std::string_view item : kNetgraphItems) box->addItem(fromUtf8(item));
    connect(box, &QComboBox::editTextChanged, this, [this, opt](const QString& text) {
      if (!updating_) core_->field_Change(*opt, toGameBytes(text));
    });
    connect(box, &QComboBox::activated, this, [this, opt] { core_->field_Click(*opt); });
    field = box;
  } else if (o.multiLine) {
    auto* edit = new ClickTextEdit(parent);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setTabChangesFocus(true);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, opt, edit] {
      if (!updating_) core_->field_Change(*opt, toGameLines(edit->toPlainText()));
    });
    connect(edit, &ClickTextEdit::clicked, this, [this, opt] { core_->field_Click(*opt); });
    field = edit;
  } else {
    auto* edit = new ClickLineEdit(parent);
    const int limit = o.maxLength;
    connect(edit, &QLineEdit::textEdited, this, [this, opt, edit, limit](const QString& text) {
      // A longer text that came from a file may be shortened, never lengthened past the limit.
      if (limit > 0) edit->setMaxLength(std::max<int>(limit, static_cast<int>(text.size())));
      core_->field_Change(*opt, toGameBytes(text));
    });
    connect(edit, &ClickLineEdit::clicked, this, [this, opt] { core_->field_Click(*opt); });
    field = edit;
  }
  field->setObjectName(fromUtf8(o.control));
  field->setGeometry(pxRect(left, top, width, height));
  QString name = fromUtf8(o.caption);
  for (const auto& [control, role] : kRoleNames)
    if (o.control == control) name = fromUtf8(role);
  field->setAccessibleName(name);
  field->setAccessibleDescription(fromUtf8(o.help).trimmed());
  controls_.emplace(std::string(o.control), field);
  setFieldText(o);
  return field;
}

void MainWindow::buildGroup(FrameBox* box, Page page, std::string_view group, int width, int height) {
  int y = -1;
  bool lastWasToggle = false;
  for (const Option& o : catalogue()) {
    if (o.page != page || o.group != group || o.kind == Kind::Hidden) continue;
    if (y < 0) y = o.kind == Kind::Toggle ? 360 : 240;
    switch (o.kind) {
      case Kind::Toggle: {
        const bool shared = lastWasToggle && o.sharesRow;
        if (shared) {
          addToggle(box, o, kSharedRowLeft, y - kToggleRow, kSharedRowLeft + 360, width - kSharedRowLeft - 450);
        } else {
          addToggle(box, o, kRowLeft, y, kCaptionLeft, width - kCaptionLeft - 90);
          y += kToggleRow;
        }
        lastWasToggle = true;
        continue;
      }
      case Kind::Slider:
        addSlider(box, o, y, width);
        y += kSliderRow;
        break;
      case Kind::Text:
      case Kind::Choice:
        if (o.multiLine) {
          // Named by its group, which labels it.
          addField(box, o, 120, 240, width - 240, height - 360);
        } else if (o.caption.empty()) {
          // A box that belongs to the row above it (the net-graph position). It shows no caption
          // of its own; a hidden one names it for assistive technology, which reads a box's
          // name from its label.
          QWidget* field = addField(box, o, kCaptionLeft, y, kFieldWidth - (kCaptionLeft - kRowLeft), kChoiceHeight);
          auto* caption = new QLabel(field->accessibleName(), box);
          caption->setObjectName(fromUtf8(o.control) + QStringLiteral("_caption"));
          caption->setBuddy(field);
          caption->hide();
          y += kShortFieldRow;
        } else if (o.maxLength > 0 && o.maxLength <= 2) {
          // A field for a number or two: the field first, its caption to the right.
          QWidget* field = addField(box, o, kRowLeft, y, kShortFieldWidth, kFieldHeight);
          auto* caption = new QLabel(fromUtf8(o.caption), box);
          caption->setObjectName(fromUtf8(o.control) + QStringLiteral("_caption"));
          caption->setGeometry(pxRect(kRowLeft + kShortFieldWidth + 105, y, 1500, kLabelHeight));
          caption->setBuddy(field);
          y += kShortFieldRow;
        } else {
          auto* caption = new QLabel(fromUtf8(o.caption), box);
          caption->setObjectName(fromUtf8(o.control) + QStringLiteral("_caption"));
          caption->setGeometry(pxRect(kRowLeft, y, width - kRowLeft - 60, kLabelHeight));
          caption->setBuddy(
              addField(box, o, kRowLeft, y + 240, kFieldWidth, o.kind == Kind::Choice ? kChoiceHeight : kFieldHeight));
          y += kFieldRow;
        }
        break;
      case Kind::Hidden: break;
    }
    lastWasToggle = false;
  }
  if (y < 0) y = 240;

  // What a group holds besides its options.
  if (page == Page::MoreClient && group == "Misc") {
    pushButton(box, "cmddelCustom", QStringLiteral("Delete Custom.hpk"), pxRect(kRowLeft, y + 120, 1935, 375),
               [this] { core_->cmddelCustom_Click(); });
  } else if (page == Page::MoreClient && group == "Hud / ingame text color") {
    colourSample_ = new QLabel(QStringLiteral("** Fire in the hole! **"), box);
    colourSample_->setObjectName(QStringLiteral("lblcolorexample"));
    colourSample_->setGeometry(pxRect(kRowLeft, y + 120, kFieldWidth + 120, 375));
    colourSample_->setAlignment(Qt::AlignCenter);
    colourSample_->setAutoFillBackground(true);
    colourPreviewChanged(core_->colourPreview());
  }
}

void MainWindow::buildMapsPage(QWidget* pageWidget) {
  auto* list = new FrameBox(QStringLiteral("Maps to cycle"), pageWidget);
  list->setObjectName(QStringLiteral("Frame4"));
  list->setGeometry(pxRect(0, 0, 3135, 6495));
  for (const Option& o : catalogue()) {
    if (o.page != Page::Maps || o.kind != Kind::Toggle) continue;
    const int column = o.index < 10 ? 0 : 1;
    const int row = o.index - column * 10;
    const int left = column == 0 ? 240 : 1680;
    addToggle(list, o, left, 360 + 360 * row, left + 360, 1020);
  }
  pushButton(list, "cmdallmaps", QStringLiteral("Select all"), pxRect(1680, 6000, 1335, 375),
             [this] { core_->cmdallmaps_Click(); });

  auto* info = new FrameBox(QStringLiteral("Info / Objectives"), pageWidget);
  info->setObjectName(QStringLiteral("Frame2"));
  info->setGeometry(pxRect(3360, 0, 3135, 6495));
  mapInfo_ = new QPlainTextEdit(info);
  mapInfo_->setObjectName(QStringLiteral("txtmapinfo"));
  mapInfo_->setGeometry(pxRect(120, 240, 2925, 3975));
  mapInfo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mapInfo_->setReadOnly(true);
  mapInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  mapInfo_->setFocusPolicy(Qt::StrongFocus);
  mapInfo_->setTabChangesFocus(true);
  mapInfo_->setAccessibleName(QStringLiteral("Info / Objectives"));
  mapShot_ = new QLabel(info);
  mapShot_->setObjectName(QStringLiteral("imgmapshot"));
  mapShot_->setGeometry(pxRect(60, 4320, 3015, 2115));
  mapShot_->setScaledContents(true);
  mapShot_->setAccessibleName(QStringLiteral("Map preview"));
  pictures_.setTarget(mapShot_);
  mapInfoChanged();
}

QWidget* MainWindow::buildPage(Page p) {
  if (QWidget* built = pages_[static_cast<int>(p)]) return built;
  const PageInfo& info = pageInfo(p);
  QWidget* pageWidget = nullptr;
  int width = kPageSize;
  if (p == Page::Controls) width = 7095;
  if (p == Page::Maps) width = 6615;
  // The sound-and-controls page, the maps page and the keys page have no caption of their own.
  if (p == Page::Controls || p == Page::Maps || p == Page::Keys) {
    pageWidget = new QWidget(central_);
    pageWidget->setAccessibleName(fromUtf8(info.caption));
  } else {
    auto* box = new FrameBox(fromUtf8(info.caption), central_);
    pageWidget = box;
  }
  pageWidget->setObjectName(fromUtf8(info.frame));
  pageWidget->setGeometry(pxRect(kPageLeft, kPageTop, width, kPageSize));
  pageWidget->setAutoFillBackground(true);
  pages_[static_cast<int>(p)] = pageWidget;
  // Beneath the pages above it in the stacking order and beneath the change-path frame.
  QWidget* above = frameChangePath_;
  for (auto it = std::find(std::begin(kStackOrder), std::end(kStackOrder), p) + 1; it != std::end(kStackOrder); ++it)
    if (QWidget* built = pages_[static_cast<int>(*it)]) {
      above = built;
      break;
    }
  pageWidget->stackUnder(above);

  QWidget* groupParent = pageWidget;
  if (p == Page::Controls) {
    auto* frame50 = new FrameBox(fromUtf8(info.caption), pageWidget);
    frame50->setObjectName(QStringLiteral("frame50"));
    frame50->setGeometry(pxRect(0, 0, kPageSize, kPageSize));
    groupParent = frame50;
  }
  if (p == Page::Maps || p == Page::Keys) {
    if (p == Page::Maps) buildMapsPage(pageWidget);
    else buildKeysPage(pageWidget);
    applyPageState(p);
    return pageWidget;
  }
  for (const GroupFrame& g : kGroups) {
    if (g.page != p) continue;
    auto* box = new FrameBox(fromUtf8(g.caption), groupParent);
    box->setObjectName(fromUtf8(g.name));
    box->setGeometry(pxRect(g.left, g.top, g.width, g.height));
    if (g.caption.empty()) box->setAccessibleName(QStringLiteral("Switches"));
    buildGroup(box, p, g.caption, g.width, g.height);
  }

  // More and Back turn to another page: the focus follows to its first control.
  auto addButton = [&](const char* name, const char* caption, QRect geometry, void (frmmain::*handler)(),
                       bool turnsPage = true) {
    return pushButton(pageWidget, name, QString::fromLatin1(caption), geometry, [this, handler, turnsPage] {
      (core_.get()->*handler)();
      if (turnsPage) focusShownPage();
    });
  };
  switch (p) {
    case Page::Client:
      addButton("cmdmoreclient", "More...", pxRect(5040, 5880, 1215, 375), &frmmain::cmdmoreclient_Click);
      break;
    case Page::MoreClient:
      addButton("cmdmoreclientback", "Back", pxRect(5040, 6000, 1215, 375), &frmmain::cmdmoreclientback_Click);
      break;
    case Page::Server: addButton("cmdmore", "More...", pxRect(4920, 6000, 1335, 375), &frmmain::cmdmore_Click); break;
    case Page::MoreServer: addButton("cmdback", "Back", pxRect(4920, 6000, 1335, 375), &frmmain::cmdback_Click); break;
    case Page::Launch: {
      auto* label = new QLabel(QStringLiteral("Commands to add  to HL shortcut"), pageWidget);
      label->setObjectName(QStringLiteral("lblshortcut"));
      label->setGeometry(pxRect(240, 5520, 4320, kLabelHeight));
      addButton("cmdshortcut", "Update shortcut", pxRect(4680, 5445, 1575, 300), &frmmain::cmdshortcut_Click, false);
      shortcut_ = new QPlainTextEdit(pageWidget);
      shortcut_->setObjectName(QStringLiteral("txtshortcut"));
      shortcut_->setGeometry(pxRect(240, 5760, 6015, 525));
      // Read-only but reachable by keyboard, so the line can be selected and copied.
      shortcut_->setReadOnly(true);
      shortcut_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      shortcut_->setFocusPolicy(Qt::StrongFocus);
      shortcut_->setTabChangesFocus(true);
      shortcut_->setAccessibleName(label->text());
      label->setBuddy(shortcut_);
      shortcutChanged();
      break;
    }
    default: break;
  }
  // What the core keeps beside the model for the boxes on this page.
  if (QWidget* box = builtControl("cmbnetgraphpos"); box && pageWidget->isAncestorOf(box))
    box->setEnabled(core_->netgraphEnabled());
  if (p == Page::Launch && !core_->defaultMapList().empty()) defaultMapListChanged();
  applyPageState(p);
  return pageWidget;
}

void MainWindow::buildChangePath(QWidget* central) {
  auto* frame = new FrameBox(QString(), central);
  frame->setObjectName(QStringLiteral("framechangepath"));
  frame->setGeometry(pxRect(50, 0, 3615, 1335));
  frame->setAutoFillBackground(true);
  frameChangePath_ = frame;

  lblChecker_ = new QLabel(fromUtf8(core_->checkerCaption()), frame);
  lblChecker_->setObjectName(QStringLiteral("lblchecker"));
  lblChecker_->setGeometry(pxRect(core_->checkerLeft(), 120, 1935, 255));

  txtPath_ = new QLineEdit(frame);
  txtPath_->setObjectName(QStringLiteral("txtpath"));
  txtPath_->setGeometry(pxRect(120, 360, 3105, 285));
  txtPath_->setToolTip(QStringLiteral("Enter your CS path. Example 'c:\\games\\half-life\\cstrike'"));
  txtPath_->setAccessibleName(lblChecker_->text());
  lblChecker_->setBuddy(txtPath_);
  connect(txtPath_, &QLineEdit::textEdited, this,
          [this](const QString& text) { core_->txtpath_Change(text.toStdString()); });
  connect(txtPath_, &QLineEdit::returnPressed, this, [this] { core_->cmdsearch_Click(); });

  // Drawn a little left of its designed place, clear of the frame's right edge.
  auto* browse = pushButton(frame, "cmdbrowse", QStringLiteral("..."), pxRect(3300, 360, 255, 285),
                            [this] { core_->cmdbrowse_Click(); });
  browse->setToolTip(QStringLiteral("Browse for folder"));
  browse->setAccessibleName(QStringLiteral("Browse for folder"));
  pushButton(frame, "cmdsearch", QStringLiteral("OK"), pxRect(720, 720, 975, 375),
             [this] { core_->cmdsearch_Click(); });
  pushButton(frame, "cmdabort", QStringLiteral("Abort"), pxRect(1680, 720, 975, 375),
             [this] { core_->cmdabort_Click(); });
}

// ---------------------------------------------------------------- lookups

QWidget* MainWindow::page(Page p) { return buildPage(p); }

QWidget* MainWindow::control(std::string_view name) {
  if (const Option* o = findOption(name); o && o->kind != Kind::Hidden) buildPage(o->page);
  return builtControl(name);
}

ToggleImage* MainWindow::toggle(Table t, int index) {
  if (const Option* o = findToggle(t, index)) buildPage(o->page);
  return builtToggle(t, index);
}

QLabel* MainWindow::valueLabel(const Option& slider) {
  if (slider.kind != Kind::Hidden) buildPage(slider.page);
  return builtValueLabel(slider);
}

QWidget* MainWindow::builtControl(std::string_view name) const {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

ToggleImage* MainWindow::builtToggle(Table t, int index) const {
  const auto& row = toggles_[static_cast<int>(t)];
  return index >= 0 && index < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(index)] : nullptr;
}

QLabel* MainWindow::builtValueLabel(const Option& slider) const {
  auto it = valueLabels_.find(slider.control);
  return it == valueLabels_.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- the view's redraws

void MainWindow::setMenusEnabled(bool enabled) {
  for (QAction* a : menuActions_) a->setEnabled(enabled);
}

void MainWindow::windowChanged() {
  const WindowState& w = core_->window();
  setWindowTitle(fromUtf8(w.caption));
  menuBar()->setVisible(w.menusVisible);
  setMenusEnabled(w.menusVisible);
  const bool main = w.mode == Mode::Main;
  const QSize client = main ? pxSize(w.width - kBorderWidth, kHelpTop + kHelpHeight)
                            : pxSize(w.width - kBorderWidth, w.height - kTitleHeight);
  help_->setVisible(main);
  lines_[0]->setVisible(main);
  lines_[1]->setVisible(main);
  centralWidget()->setFixedSize(client);
  adjustSize();
  // The centre of the window stands where the centre of the designed window would.
  const QPoint centre(px(static_cast<int>(w.left + w.width / 2.0)), px(static_cast<int>(w.top + w.height / 2.0)));
  const QSize outer = frameGeometry().size();
  move(centre - QPoint(outer.width() / 2, outer.height() / 2));
}

void MainWindow::pagesChanged() {
  frameButtons_->setVisible(core_->buttonsVisible());
  frameChangePath_->setVisible(core_->changePathVisible());
  if (core_->changePathVisible()) frameChangePath_->raise();
  lblChecker_->setText(fromUtf8(core_->checkerCaption()));
  lblChecker_->move(px(core_->checkerLeft()), lblChecker_->y());
  txtPath_->setAccessibleName(lblChecker_->text());
  const std::optional<Page> front = core_->shownPage();
  // Hiding the page that holds the focus moves the focus on: no control explains itself for that.
  ++quietFocus_;
  for (int i = 0; i < kPageCount; ++i) {
    const auto p = static_cast<Page>(i);
    // A page not built yet is built when it is to be seen; built, it takes its state there.
    if (pages_[i]) applyPageState(p);
    else if (core_->pageVisible(p) && !core_->pageCovered(p)) buildPage(p);
  }
  if (front) buildPage(*front)->raise();
  if (core_->changePathVisible()) frameChangePath_->raise();
  --quietFocus_;
  for (int i = 0; i < kPageButtonCount; ++i)
    buttons_[i]->setBackColor(toColor(core_->buttonColour(static_cast<quillet::PageButton>(i))));
}

void MainWindow::applyPageState(Page p) {
  QWidget* w = pages_[static_cast<int>(p)];
  const std::optional<Page> front = core_->shownPage();
  ++quietFocus_;
  // A page that its sub-page covers whole stays beneath in the core but is not seen: hidden,
  // it says so to assistive technology and keeps out of the Tab order.
  w->setVisible(core_->pageVisible(p) && !core_->pageCovered(p));
  // A page covered by another, or by the change-path frame, keeps its place beneath but
  // takes no focus.
  w->setEnabled(!core_->changePathVisible() && (!front || *front == p));
  --quietFocus_;
}

void MainWindow::helpDrawn(std::string_view frame) {
  // While a sentence is typed the core still holds it whole; once complete, the frame is it.
  const bool complete = core_->helpText().empty();
  help_->setFrame(fromUtf8(frame), fromUtf8(complete ? frame : core_->helpText()), complete);
}

void MainWindow::toggleChanged(Table t, int index) {
  if (ToggleImage* image = builtToggle(t, index)) image->setChecked(model_.checked(t, index));
}

void MainWindow::sliderMoved(const Option& slider) {
  if (auto* bar = qobject_cast<QScrollBar*>(builtControl(slider.control))) {
    ++updating_;
    bar->setValue(model_.position(slider));
    --updating_;
  }
}

void MainWindow::valueLabelChanged(const Option& slider, std::string_view text) {
  const QString t = fromUtf8(text);
  if (QLabel* label = builtValueLabel(slider)) label->setText(t);
  if (auto* bar = qobject_cast<SliderBar*>(builtControl(slider.control))) bar->setValueText(t);
}

void MainWindow::colourPreviewChanged(Rgb colour) {
  if (!colourSample_) return;
  QPalette pal = colourSample_->palette();
  pal.setColor(QPalette::Window, QColor(224, 224, 224));
  pal.setColor(QPalette::WindowText, toColor(colour));
  colourSample_->setPalette(pal);
}

void MainWindow::setFieldText(const Option& o) {
  QWidget* w = builtControl(o.control);
  if (!w) return;
  ++updating_;
  if (auto* box = qobject_cast<QComboBox*>(w)) {
    box->setEditText(fromGameBytes(model_.text(o)));
  } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
    edit->setPlainText(fromGameLines(model_.text(o)));
  } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
    const QString text = fromGameBytes(model_.text(o));
    // A text from a file is shown whole even when it is longer than the field allows.
    if (o.maxLength > 0) line->setMaxLength(std::max<int>(o.maxLength, static_cast<int>(text.size())));
    line->setText(text);
  }
  --updating_;
}

void MainWindow::textChanged(const Option& field) { setFieldText(field); }

void MainWindow::mapInfoChanged() {
  if (!mapInfo_) return;
  ++updating_;
  mapInfo_->setPlainText(fromGameLines(model_.mapInfo));
  --updating_;
}

void MainWindow::shortcutChanged() {
  if (!shortcut_) return;
  ++updating_;
  shortcut_->setPlainText(fromGameBytes(model_.shortcut));
  --updating_;
}

void MainWindow::netgraphEnabledChanged(bool enabled) {
  if (QWidget* box = builtControl("cmbnetgraphpos")) box->setEnabled(enabled);
}

void MainWindow::refillChoice(QComboBox* box, const std::vector<std::string>& items, const Option& o) {
  ++updating_;
  box->clear();
  for (const std::string& item : items) box->addItem(fromUtf8(item));
  box->setCurrentIndex(-1);
  box->setEditText(fromGameBytes(model_.text(o)));
  --updating_;
}

void MainWindow::defaultMapListChanged() {
  if (auto* box = qobject_cast<QComboBox*>(builtControl("cmbdeafultmap")))
    refillChoice(box, core_->defaultMapList(), option("cmbdeafultmap"));
}

void MainWindow::pathTextChanged() {
  const QString text = QString::fromStdString(core_->pathText());
  if (txtPath_->text() != text) txtPath_->setText(text);
}

void MainWindow::quitRequested() {
  quitting_ = true;
  close();
  emit endRequested();
}

std::optional<std::string> MainWindow::chooseFolder(const std::string& start) {
  const QString folder =
      QFileDialog::getExistingDirectory(this, QStringLiteral("Browse for folder"), QString::fromStdString(start));
  if (folder.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(folder).toStdString();
}

// ---------------------------------------------------------------- events

bool MainWindow::event(QEvent* event) {
  // Once the first frame is painted, the preview picture that the load sequence checked is
  // decoded (the zero timer fires after the whole frame is on screen).
  if (event->type() == QEvent::Paint && !painted_) {
    painted_ = true;
    QTimer::singleShot(0, this, [this] { pictures_.loadDeferred(); });
  }
  return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (quitting_) {
    event->accept();
    return;
  }
  if (core_->Form_QueryUnload()) {
    event->ignore();
    return;
  }
  quitting_ = true;
  event->accept();
  emit endRequested();
}

void MainWindow::focusShownPage() {
  const std::optional<Page> front = core_->shownPage();
  if (!front || core_->changePathVisible()) return;
  QWidget* page = buildPage(*front);
  // The first control of the page in Tab order; it takes the focus without explaining itself,
  // so the help line keeps the sentence of the button pressed.
  QWidget* w = page->nextInFocusChain();
  for (int guard = 0; w && w != page && guard < 1000; ++guard, w = w->nextInFocusChain()) {
    if (!page->isAncestorOf(w) || !w->isVisibleTo(page) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
      continue;
    ++quietFocus_;
    w->setFocus(Qt::TabFocusReason);
    --quietFocus_;
    return;
  }
}

void MainWindow::focusChanged(QWidget* old, QWidget* now) {
  if (!now || quietFocus_) return;
  // The Keys page's controls explain themselves when the focus enters them.
  if (QWidget* keys = pages_[static_cast<int>(Page::Keys)]; keys && keys->isAncestorOf(now))
    for (QWidget* w = now; w && w != keys; w = w->parentWidget())
      if (!w->objectName().isEmpty() && (!old || (old != w && !w->isAncestorOf(old)))) {
        core_->keysControl_GotFocus(w->objectName().toStdString());
        break;
      }
  // The choice boxes explain themselves when the focus enters them (their line edit included).
  for (std::string_view name : {std::string_view("cmbnetgraphpos"), std::string_view("cmbdeafultmap")}) {
    QWidget* box = builtControl(name);
    if (!box) continue;
    const bool inNow = now == box || box->isAncestorOf(now);
    const bool inOld = old && (old == box || box->isAncestorOf(old));
    if (inNow && !inOld) core_->field_GotFocus(option(name));
  }
}

}  // namespace quillet::qt
