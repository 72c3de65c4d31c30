#include "qt/Widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "qt/Twips.h"

namespace quillet::qt {

namespace {

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

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
  if (object && object->isWidgetType() && className == QLatin1String("quillet::qt::ToggleImage"))
    return new ToggleAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

void installAccessibleFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(accessibleFactory);
    return true;
  }();
  (void)installed;
}

constexpr int kPicture = px(255);

// The two toggle pictures: a sunken white box, and the same box holding a check mark.
QPixmap drawPicture(bool checked) {
  QPixmap pm(kPicture * 2, kPicture * 2);  // drawn at twice the size for high-density screens
  pm.setDevicePixelRatio(2.0);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box(0.5, 0.5, kPicture - 1.0, kPicture - 1.0);
  p.setPen(QPen(QColor(128, 128, 128), 1.0));
  p.setBrush(Qt::white);
  p.drawRect(box);
  p.setPen(QPen(QColor(64, 64, 64), 1.0));
  p.drawLine(QPointF(1.5, 1.5), QPointF(kPicture - 1.5, 1.5));
  p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, kPicture - 1.5));
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

}  // namespace

ToggleImage::ToggleImage(QWidget* parent) : QCheckBox(parent) {
  installAccessibleFactory();
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

QSize ToggleImage::sizeHint() const { return QSize(kPicture, kPicture); }

const QPixmap& ToggleImage::picture(bool checked) {
  static const QPixmap on = drawPicture(true);
  static const QPixmap off = drawPicture(false);
  return checked ? on : off;
}

void ToggleImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, picture(isChecked()));
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

void PageButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  p.fillRect(rect(), back_);
  p.setPen(isDown() ? QColor(64, 64, 64) : QColor(160, 160, 160));
  p.drawRect(r);
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                           QPalette::ButtonText));
  p.drawText(rect().translated(isDown() ? 1 : 0, isDown() ? 1 : 0), Qt::AlignCenter, text());
  if (hasFocus()) {
    QStyleOptionFocusRect opt;
    opt.initFrom(this);
    opt.rect = rect().adjusted(3, 3, -3, -3);
    opt.backgroundColor = back_;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
  }
}

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
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                           QPalette::WindowText));
  p.drawText(text, Qt::AlignCenter, title());
}

LineWidget::LineWidget(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour) {}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colour_);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
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
  setTracking(false);
  setFocusPolicy(Qt::StrongFocus);
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
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(QStringLiteral("Help"));
}

void HelpStrip::setFrame(const QString& frame) {
  if (frame == frame_) return;
  frame_ = frame;
  update();
}

void HelpStrip::setSentence(const QString& sentence) {
  const QString text = sentence.trimmed();
  if (text == accessibleDescription()) return;
  setAccessibleDescription(text);
  // Screen readers follow the strip as a live region: announce the new sentence once.
  QAccessibleEvent event(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&event);
}

void HelpStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Window));
  p.setPen(palette().color(QPalette::WindowText));
  const QFontMetrics fm(font());
  p.drawText(QPoint(2, 2 + fm.ascent()), frame_);
}

}  // namespace quillet::qt
