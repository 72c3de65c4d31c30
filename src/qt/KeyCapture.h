// The box that takes the next key, mouse button or wheel step as a key to bind, and the game's
// name of what it took.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QKeyEvent;
class QLabel;

namespace quillet::qt {

// The game's name of a pressed key ("TAB", "KP_ENTER", "w"), nullopt for one it has none for.
std::optional<std::string> gameKeyName(const QKeyEvent& event);
// The game's name of a mouse button ("MOUSE1".."MOUSE5").
std::optional<std::string> gameButtonName(Qt::MouseButton button);

// Every key is taken as the key to bind, Tab, Escape and Enter included; only its own Cancel
// button, clicked, closes it without a key. `taken` is sent with the game's name.
class KeyCaptureBox : public QDialog {
  Q_OBJECT
 public:
  explicit KeyCaptureBox(QWidget* parent);

 signals:
  void taken(const QString& gameName);

 protected:
  bool event(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  void take(const std::string& name);
  QLabel* prompt_ = nullptr;
  bool done_ = false;
};

}  // namespace quillet::qt
