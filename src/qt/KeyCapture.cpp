#include "qt/KeyCapture.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "Stringconverter/Keys.h"

namespace quillet::qt {

std::optional<std::string> gameKeyName(const QKeyEvent& event) {
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    switch (key) {
      case Qt::Key_Home:
      case Qt::Key_7: return "KP_HOME";
      case Qt::Key_Up:
      case Qt::Key_8: return "KP_UPARROW";
      case Qt::Key_PageUp:
      case Qt::Key_9: return "KP_PGUP";
      case Qt::Key_Left:
      case Qt::Key_4: return "KP_LEFTARROW";
      case Qt::Key_Clear:
      case Qt::Key_5: return "KP_5";
      case Qt::Key_Right:
      case Qt::Key_6: return "KP_RIGHTARROW";
      case Qt::Key_End:
      case Qt::Key_1: return "KP_END";
      case Qt::Key_Down:
      case Qt::Key_2: return "KP_DOWNARROW";
      case Qt::Key_PageDown:
      case Qt::Key_3: return "KP_PGDN";
      case Qt::Key_Enter:
      case Qt::Key_Return: return "KP_ENTER";
      case Qt::Key_Insert:
      case Qt::Key_0: return "KP_INS";
      case Qt::Key_Delete:
      case Qt::Key_Period:
      case Qt::Key_Comma: return "KP_DEL";
      case Qt::Key_Slash: return "KP_SLASH";
      case Qt::Key_Minus: return "KP_MINUS";
      case Qt::Key_Plus: return "KP_PLUS";
      default: break;
    }
  }
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return "TAB";
    case Qt::Key_Return:
    case Qt::Key_Enter: return "ENTER";
    case Qt::Key_Escape: return "ESCAPE";
    case Qt::Key_Space: return "SPACE";
    case Qt::Key_Backspace: return "BACKSPACE";
    case Qt::Key_Up: return "UPARROW";
    case Qt::Key_Down: return "DOWNARROW";
    case Qt::Key_Left: return "LEFTARROW";
    case Qt::Key_Right: return "RIGHTARROW";
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return "ALT";
    case Qt::Key_Control:
    case Qt::Key_Meta: return "CTRL";
    case Qt::Key_Shift: return "SHIFT";
    case Qt::Key_Insert: return "INS";
    case Qt::Key_Delete: return "DEL";
    case Qt::Key_PageDown: return "PGDN";
    case Qt::Key_PageUp: return "PGUP";
    case Qt::Key_Home: return "HOME";
    case Qt::Key_End: return "END";
    case Qt::Key_Pause: return "PAUSE";
    case Qt::Key_CapsLock: return "CAPSLOCK";
    case Qt::Key_Semicolon: return "SEMICOLON";
    default: break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return "F" + std::to_string(key - Qt::Key_F1 + 1);
  // Other printable keys by their character, which keyName gives in lower case.
  if (key > 0x20 && key < 0x7f) return keys::keyName(std::string(1, static_cast<char>(key)));
  return std::nullopt;
}

std::optional<std::string> gameButtonName(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return "MOUSE1";
    case Qt::RightButton: return "MOUSE2";
    case Qt::MiddleButton: return "MOUSE3";
    case Qt::BackButton: return "MOUSE4";
    case Qt::ForwardButton: return "MOUSE5";
    default: return std::nullopt;
  }
}

KeyCaptureBox::KeyCaptureBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("keycapture"));
  setWindowTitle(QStringLiteral("Change key"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  prompt_ = new QLabel(QStringLiteral("Press the key, click the mouse button here or turn the wheel.\n"
                                      "Every key counts: Tab, Escape and Enter too."),
                       this);
  prompt_->setObjectName(QStringLiteral("lblkeycapture"));
  prompt_->setMinimumHeight(60);
  layout->addWidget(prompt_);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cmdcapturecancel"));
  // The keyboard never reaches it: every key is taken. A click does.
  cancel->setFocusPolicy(Qt::NoFocus);
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(cancel);
  setAccessibleName(windowTitle());
  setAccessibleDescription(prompt_->text());
  setFocusPolicy(Qt::StrongFocus);
}

void KeyCaptureBox::take(const std::string& name) {
  if (done_) return;
  done_ = true;
  // Said aloud by a screen reader before the box closes.
  const QString said = QStringLiteral("Key ") + QString::fromStdString(name);
  prompt_->setText(said);
  setAccessibleDescription(said);
  QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
  QAccessibleEvent alert(prompt_, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
  emit taken(QString::fromStdString(name));
  accept();
}

bool KeyCaptureBox::event(QEvent* e) {
  // Before the dialog's own handling: Tab would move the focus, Escape and Enter close it.
  if (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    e->accept();
    if (e->type() == QEvent::KeyPress && !key->isAutoRepeat())
      if (const std::optional<std::string> name = gameKeyName(*key)) take(*name);
    return true;
  }
  return QDialog::event(e);
}

void KeyCaptureBox::mousePressEvent(QMouseEvent* e) {
  if (const std::optional<std::string> name = gameButtonName(e->button())) take(*name);
}

void KeyCaptureBox::wheelEvent(QWheelEvent* e) {
  const int delta = e->angleDelta().y();
  if (delta != 0) take(delta > 0 ? "MWHEELUP" : "MWHEELDOWN");
}

}  // namespace quillet::qt
