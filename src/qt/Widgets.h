// The window's control kinds, drawn and wired for the view: toggles drawn as two pictures, page
// buttons with a settable back colour, clickable captions and fields, sliders that tell apart
// a change, a drag and a focus, and the typed help strip.
#pragma once

#include <QCheckBox>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace quillet::qt {

// An on/off toggle: a checkable box drawn as one of two pictures. Clicking it, or pressing Space
// while it has the focus, asks the owner to flip it (signal clicked); the state itself is set
// only from outside, by setChecked, so the picture always shows the owner's state entry.
// A double-click is reported on its own (doubleClicked) instead of a second click.
class ToggleImage : public QCheckBox {
  Q_OBJECT
 public:
  explicit ToggleImage(QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

  // The two pictures, drawn once.
  static const QPixmap& picture(bool checked);

 signals:
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  bool hitButton(const QPoint& pos) const override;
  void nextCheckState() override {}
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A page button: a flat button filled with its back colour.
class PageButton : public QPushButton {
  Q_OBJECT
 public:
  explicit PageButton(const QString& text, QWidget* parent = nullptr);
  void setBackColor(const QColor& colour);
  QColor backColor() const { return back_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor back_{255, 255, 255};
};

// A group frame drawn as an etched rectangle with its caption standing on the top line.
class FrameBox : public QGroupBox {
  Q_OBJECT
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A thin horizontal line in one colour.
class LineWidget : public QWidget {
  Q_OBJECT
 public:
  LineWidget(const QColor& colour, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor colour_;
};

// A caption label that reports clicks.
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickLabel(const QString& text = {}, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A single-line field that reports clicks (the launch fields recompose the line on a click).
class ClickLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A multi-line field that reports clicks.
class ClickTextEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  using QPlainTextEdit::QPlainTextEdit;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A horizontal slider. Without tracking, valueChanged comes once a drag ends (the Change event)
// while sliderMoved follows the thumb (the Scroll event); focusGained is the GotFocus event.
class SliderBar : public QScrollBar {
  Q_OBJECT
 public:
  explicit SliderBar(QWidget* parent = nullptr);

 signals:
  void focusGained();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

// The help strip: draws the help line's current frame at its top-left corner. Its accessible
// description is the sentence being explained, so a screen reader can read it whole.
class HelpStrip : public QWidget {
  Q_OBJECT
 public:
  explicit HelpStrip(QWidget* parent = nullptr);
  void setFrame(const QString& frame);
  QString frame() const { return frame_; }
  // The whole sentence that the frames are typing (announced once per sentence).
  void setSentence(const QString& sentence);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QString frame_;
};

}  // namespace quillet::qt
