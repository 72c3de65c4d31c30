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
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <functional>

namespace quillet::qt {

// A push button named `name`, at `geometry`, that runs `clicked` when pressed; it never takes
// Enter as the page's default button (Enter belongs to the field that has the focus).
QPushButton* pushButton(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                        std::function<void()> clicked);

// An on/off toggle: a checkable box drawn as one of two pictures. Clicking it, or pressing Space
// while it has the focus, asks the owner to flip it (signal clicked); the state itself is set
// only from outside, by setChecked, so the picture always shows the owner's state entry.
// A double-click is reported on its own (doubleClicked) instead of a second click.
// Assistive technology sees a check box named by its caption label (the label's buddy).
class ToggleImage : public QCheckBox {
  Q_OBJECT
 public:
  explicit ToggleImage(QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

  // The two pictures, drawn for a screen of the given device-pixel ratio (kept once drawn).
  static QPixmap picture(bool checked, qreal ratio = 1.0);

 signals:
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  bool hitButton(const QPoint& pos) const override;
  void nextCheckState() override {}
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A page button: a flat button filled with its back colour. Its text takes the palette's button
// text colour when that stands out against the back colour, else black or white, whichever
// stands out more, so that a dark desktop palette never draws light text on the light buttons.
class PageButton : public QPushButton {
  Q_OBJECT
 public:
  explicit PageButton(const QString& text, QWidget* parent = nullptr);
  void setBackColor(const QColor& colour);
  QColor backColor() const { return back_; }
  QColor textColor() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor back_{255, 255, 255};
};

// A group frame drawn as an etched rectangle with its caption standing on the top line. Its
// accessible name is its own caption (not its parent's), kept to the byte.
class FrameBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit FrameBox(const QString& title = {}, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A thin horizontal line in one colour of the palette.
class LineWidget : public QWidget {
  Q_OBJECT
 public:
  LineWidget(QPalette::ColorRole role, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPalette::ColorRole role_;
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
// Keys move it as every platform slider moves: Right, Up and Page Up grow it, Left, Down and
// Page Down shrink it, Home and End go to its ends. Assistive technology sees a slider named by
// its caption label whose value text is what the value label shows.
class SliderBar : public QScrollBar {
  Q_OBJECT
 public:
  explicit SliderBar(QWidget* parent = nullptr);
  void setValueText(const QString& text);
  QString valueText() const { return valueText_; }

 signals:
  void focusGained();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QString valueText_;
};

// The help strip: draws the help line's current frame from its top-left corner. A sentence too
// long for one line wraps onto a second one, at the places where the whole sentence breaks (so a
// word never jumps while it is typed); where two lines do not hold it the face gets smaller.
// Assistive technology reads the strip as a status line whose description is the last sentence
// typed to its end; each finished sentence is announced once, the typed frames never.
class HelpStrip : public QWidget {
  Q_OBJECT
 public:
  explicit HelpStrip(QWidget* parent = nullptr);
  // `frame` is what the strip shows now; `sentence` the whole sentence it is typing (equal to
  // the frame once the sentence stands complete).
  void setFrame(const QString& frame, const QString& sentence, bool complete);
  QString frame() const { return frame_; }
  // The lines drawn for the current frame, and the point size of their face.
  QStringList lines() const;
  qreal pointSize() const;

 signals:
  // A sentence stands complete and was announced to assistive technology.
  void announced(const QString& sentence);

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  struct Layout {
    QFont font;
    QList<int> breaks;  // where each line after the first begins, in the sentence
    int lineSpacing = 0;
  };
  QRect textArea() const;
  const Layout& layout() const;

  QString frame_, sentence_;
  mutable Layout layout_;
  mutable QString laidOut_;
  mutable int laidOutWidth_ = -1;
};

// The application's style with one change of timing: the icon of a menu bar's overflow button,
// which the menu bar asks for as it is made and this window never shows (its menus fit), is
// taken from the style when it is first drawn. Taken at once, it loads the image-format
// plug-ins, some milliseconds before the first frame.
class LaterIconStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace quillet::qt
