#include "qt/Widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QIconEngine>
#include <QPointer>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <cmath>
#include <QTextLayout>
#include <map>

#include "qt/Twips.h"

namespace quillet::qt {

QPushButton* pushButton(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                        std::function<void()> clicked) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button, std::move(clicked));
  return button;
}

namespace {

// The labels that name a control: its buddy captions, without the group frame that Qt adds for
// a control inside a group box (the group is named on its own).
QList<QPair<QAccessibleInterface*, QAccessible::Relation>> captionRelations(
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> rels) {
  rels.removeIf([](const QPair<QAccessibleInterface*, QAccessible::Relation>& r) {
    return r.second == QAccessible::Label && r.first && qobject_cast<QGroupBox*>(r.first->object());
  });
  return rels;
}

// A toggle seen by assistive technology: a check box whose toggle and press actions click it,
// so that a flip made by a screen reader goes through the same path as a mouse click.
class ToggleAccessible : public QAccessibleWidget {
 public:
  explicit ToggleAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::CheckBox) {}

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = static_cast<ToggleImage*>(widget())->isChecked();
    return s;
  }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
    return captionRelations(QAccessibleWidget::relations(match));
  }
  QStringList actionNames() const override {
    return QStringList{toggleAction(), pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == toggleAction() || name == pressAction()) {
      if (widget()->isEnabled()) static_cast<ToggleImage*>(widget())->click();
      return;
    }
    QAccessibleWidget::doAction(name);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (name == toggleAction() || name == pressAction()) return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(name);
  }
};

// A slider seen by assistive technology: its value is the position, its value text what the
// value label shows ("2.5", "Off"), and increase and decrease move it by one small step.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit SliderAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Slider) {
    addControllingSignal(QStringLiteral("valueChanged(int)"));
  }
  SliderBar* bar() const { return static_cast<SliderBar*>(widget()); }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return bar()->valueText();
    return QAccessibleWidget::text(t);
  }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
    return captionRelations(QAccessibleWidget::relations(match));
  }
  QStringList actionNames() const override {
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (!widget()->isEnabled()) return;
    if (name == increaseAction()) bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else if (name == decreaseAction()) bar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else QAccessibleWidget::doAction(name);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (name == increaseAction()) return {QStringLiteral("Right")};
    if (name == decreaseAction()) return {QStringLiteral("Left")};
    return QAccessibleWidget::keyBindingsForAction(name);
  }

  QVariant currentValue() const override { return bar()->value(); }
  void setCurrentValue(const QVariant& value) override {
    if (widget()->isEnabled()) bar()->setValue(value.toInt());
  }
  QVariant maximumValue() const override { return bar()->maximum(); }
  QVariant minimumValue() const override { return bar()->minimum(); }
  QVariant minimumStepSize() const override { return bar()->singleStep(); }
};

// The help strip seen by assistive technology: a status line named "Help" whose description is
// the last finished sentence.
class HelpAccessible : public QAccessibleWidget {
 public:
  explicit HelpAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::StatusBar) {}
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* w = static_cast<QWidget*>(object);
  if (className == QLatin1String("quillet::qt::ToggleImage")) return new ToggleAccessible(w);
  if (className == QLatin1String("quillet::qt::SliderBar")) return new SliderAccessible(w);
  if (className == QLatin1String("quillet::qt::HelpStrip")) return new HelpAccessible(w);
  return nullptr;
}

void installAccessibleFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(accessibleFactory);
    return true;
  }();
  (void)installed;
}

// WCAG contrast ratio of two colours (1 to 21).
double contrast(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

constexpr int kPicture = px(255);

// The two toggle pictures, drawn for a screen of device-pixel ratio `ratio`: a sunken white box,
// and the same box holding a check mark.
QPixmap drawPicture(bool checked, qreal ratio) {
  const int side = static_cast<int>(std::ceil(kPicture * ratio));
  QPixmap pm(side, side);
  pm.setDevicePixelRatio(ratio);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // One device pixel wide lines, on device pixel centres.
  const qreal d = 1.0 / ratio;
  const QRectF box(d / 2, d / 2, kPicture - d, kPicture - d);
  p.setPen(QPen(QColor(128, 128, 128), d));
  p.setBrush(Qt::white);
  p.drawRect(box);
  p.setPen(QPen(QColor(64, 64, 64), d));
  p.drawLine(QPointF(d * 1.5, d * 1.5), QPointF(kPicture - d * 1.5, d * 1.5));
  p.drawLine(QPointF(d * 1.5, d * 1.5), QPointF(d * 1.5, kPicture - d * 1.5));
  if (checked) {
    QPainterPath tick;
    tick.moveTo(kPicture * 0.22, kPicture * 0.52);
    tick.lineTo(kPicture * 0.42, kPicture * 0.74);
    tick.lineTo(kPicture * 0.80, kPicture * 0.26);
    p.setPen(QPen(QColor(0, 110, 0), kPicture * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
  }
  return pm;
}

// An icon that asks a style for its standard icon when it is first drawn or measured.
class StyleIconEngine : public QIconEngine {
 public:
  StyleIconEngine(QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
      : style_(style), which_(which), widget_(const_cast<QWidget*>(widget)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return icon().pixmap(size, scale, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return icon().availableSizes(mode, state);
  }
  // Asked before anything is drawn: an icon not taken yet counts as one.
  bool isNull() override { return taken_ && icon_.isNull(); }
  QString key() const override { return QStringLiteral("quillet::StyleIconEngine"); }
  QIconEngine* clone() const override { return new StyleIconEngine(*this); }

 private:
  const QIcon& icon() {
    if (!taken_) {
      taken_ = true;
      if (style_) icon_ = style_->standardIcon(which_, nullptr, widget_);
    }
    return icon_;
  }

  QPointer<QStyle> style_;
  QStyle::StandardPixmap which_;
  QPointer<QWidget> widget_;
  bool taken_ = false;
  QIcon icon_;
};

}  // namespace

QIcon LaterIconStyle::standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const {
  if (!option && (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton))
    return QIcon(new StyleIconEngine(baseStyle(), which, widget));
  return QProxyStyle::standardIcon(which, option, widget);
}

ToggleImage::ToggleImage(QWidget* parent) : QCheckBox(parent) {
  installAccessibleFactory();
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

QSize ToggleImage::sizeHint() const { return QSize(kPicture, kPicture); }

QPixmap ToggleImage::picture(bool checked, qreal ratio) {
  static std::map<std::pair<bool, int>, QPixmap> drawn;
  if (!(ratio > 0)) ratio = 1.0;
  QPixmap& pm = drawn[{checked, qRound(ratio * 100)}];
  if (pm.isNull()) pm = drawPicture(checked, ratio);
  return pm;
}

void ToggleImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, picture(isChecked(), devicePixelRatioF()));
  if (hasFocus()) {
    QPen pen(palette().color(QPalette::Highlight), 1.0, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

bool ToggleImage::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void ToggleImage::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double-click would end in a second click on its release; the owner
  // decides what a double-click does instead.
  event->accept();
  setDown(false);
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

PageButton::PageButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAutoDefault(false);
}

void PageButton::setBackColor(const QColor& colour) {
  if (back_ == colour) return;
  back_ = colour;
  update();
}

QColor PageButton::textColor() const {
  // Text wants a contrast of 4.5 to 1 against its back; a disabled button's dimmed text 3 to 1.
  const bool enabled = isEnabled();
  const QColor own = palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
  const double wanted = enabled ? 4.5 : 3.0;
  if (contrast(own, back_) >= wanted) return own;
  const QColor dark = enabled ? QColor(0, 0, 0) : QColor(112, 112, 112);
  const QColor light = enabled ? QColor(255, 255, 255) : QColor(160, 160, 160);
  return contrast(dark, back_) >= contrast(light, back_) ? dark : light;
}

void PageButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  p.fillRect(rect(), back_);
  p.setPen(isDown() ? QColor(64, 64, 64) : QColor(160, 160, 160));
  p.drawRect(r);
  const QColor ink = textColor();
  p.setPen(ink);
  p.drawText(rect().translated(isDown() ? 1 : 0, isDown() ? 1 : 0), Qt::AlignCenter, text());
  if (hasFocus()) {
    // Drawn in the text's colour: the style's own focus frame follows the palette, which may
    // be as light as the button.
    p.setPen(QPen(ink, 1.0, Qt::DotLine));
    p.drawRect(rect().adjusted(3, 3, -4, -4));
  }
}

FrameBox::FrameBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) { setAccessibleName(title); }

void FrameBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics fm(font());
  const int lineY = fm.height() / 2;
  const QRect r = rect().adjusted(0, lineY, -2, -2);
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(r);
  p.setPen(palette().color(QPalette::Light));
  p.drawRect(r.translated(1, 1));
  if (title().isEmpty()) return;
  const QRect text(8, 0, fm.horizontalAdvance(title()) + 4, fm.height());
  p.fillRect(text, palette().color(QPalette::Window));
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  p.drawText(text, Qt::AlignCenter, title());
}

LineWidget::LineWidget(QPalette::ColorRole role, QWidget* parent) : QWidget(parent), role_(role) {}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(role_));
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void ClickLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit clicked();
}

void ClickTextEdit::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit clicked();
}

SliderBar::SliderBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  installAccessibleFactory();
  setTracking(false);
  setFocusPolicy(Qt::StrongFocus);
  // A scroll bar turns Up and Page Up towards its start, as a vertical one scrolls; a slider
  // grows with them.
  setInvertedControls(false);
}

void SliderBar::setValueText(const QString& text) {
  if (text == valueText_) return;
  valueText_ = text;
  // A value change travels as its own event kind, which carries the value.
  QAccessibleValueChangeEvent event(this, value());
  QAccessible::updateAccessibility(&event);
}

void SliderBar::focusInEvent(QFocusEvent* event) {
  QScrollBar::focusInEvent(event);
  emit focusGained();
}

void SliderBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (hasFocus()) {
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), 1.0, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

HelpStrip::HelpStrip(QWidget* parent) : QWidget(parent) {
  installAccessibleFactory();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(QStringLiteral("Help"));
}

void HelpStrip::setFrame(const QString& frame, const QString& sentence, bool complete) {
  if (frame != frame_ || sentence != sentence_) {
    frame_ = frame;
    sentence_ = sentence;
    update();
  }
  if (!complete) return;
  // The sentence stands whole: say it once, in full.
  setAccessibleDescription(sentence.trimmed());
  QAccessibleEvent event(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&event);
  emit announced(accessibleDescription());
}

QRect HelpStrip::textArea() const {
  // The strip may reach past the window's edge: only the part inside the window is read.
  QRect area = rect();
  if (parentWidget()) area &= QRect(mapFromParent(QPoint(0, 0)), parentWidget()->size());
  return area.adjusted(2, 2, -4, -1);
}

const HelpStrip::Layout& HelpStrip::layout() const {
  const QRect area = textArea();
  if (laidOut_ == sentence_ && laidOutWidth_ == area.width() && layout_.lineSpacing > 0) return layout_;
  laidOut_ = sentence_;
  laidOutWidth_ = area.width();
  // Room for the cursor behind the last character while it is typed.
  const QString text = sentence_ + QStringLiteral(" _");
  QFont f = font();
  const qreal largest = f.pointSizeF() > 0 ? f.pointSizeF() : 8.0;
  for (qreal size = largest;; size -= 0.5) {
    f.setPointSizeF(size);
    const QFontMetrics fm(f);
    QTextLayout tl(text, f);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    tl.setTextOption(option);
    QList<int> breaks;
    tl.beginLayout();
    for (QTextLine line = tl.createLine(); line.isValid(); line = tl.createLine()) {
      line.setLineWidth(area.width());
      if (line.textStart() > 0) breaks << line.textStart();
    }
    tl.endLayout();
    const int lines = static_cast<int>(breaks.size()) + 1;
    const bool fits = lines <= 2 && lines * fm.lineSpacing() <= area.height() + fm.leading();
    if (fits || size <= 5.0) {
      layout_ = Layout{f, breaks, fm.lineSpacing()};
      return layout_;
    }
  }
}

QStringList HelpStrip::lines() const {
  // The frame is the first characters of the sentence, with " _" behind them while typing.
  const bool typing = frame_ != sentence_ && frame_.endsWith(QStringLiteral(" _"));
  const QString shown = typing ? frame_.chopped(2) : frame_;
  if (!sentence_.startsWith(shown)) return {frame_};
  const Layout& l = layout();
  QStringList out;
  for (int i = 0; i <= l.breaks.size(); ++i) {
    const int start = i == 0 ? 0 : l.breaks[i - 1];
    const int end = i < l.breaks.size() ? l.breaks[i] : static_cast<int>(sentence_.size());
    if (i > 0 && start >= shown.size()) break;
    out << shown.mid(start, std::max(0, std::min<int>(end, static_cast<int>(shown.size())) - start));
  }
  if (typing) out.last() += QStringLiteral(" _");
  return out;
}

qreal HelpStrip::pointSize() const { return layout().font.pointSizeF(); }

void HelpStrip::resizeEvent(QResizeEvent*) { laidOutWidth_ = -1; }

void HelpStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Window));
  p.setPen(palette().color(QPalette::WindowText));
  const Layout& l = layout();
  p.setFont(l.font);
  const QFontMetrics fm(l.font);
  const QRect area = textArea();
  int y = area.top() + fm.ascent();
  for (const QString& line : lines()) {
    p.drawText(QPoint(area.left(), y), line);
    y += l.lineSpacing;
  }
}

}  // namespace quillet::qt
