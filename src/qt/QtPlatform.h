// The platform services of the core on Qt: message boxes, the help line's timer and the map
// preview's picture loader.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "platform/Platform.h"

#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QWidget>
class QDialog;
class QMessageBox;
class QTimer;

namespace quillet::qt {

// Builds the modal box for a message (exact title, text, icon and buttons; Yes is the default of
// a Yes/No box). Tests inspect the box without running it.
// A message's detail is shown on "Show Details..." by buildDetailView.
QMessageBox* buildMessageBox(const Message& message, QWidget* parent);

// A message's detail (Save's diff, a failure's cause) in a window of its own: resizable, in a
// fixed-pitch font, not wrapped, scrollable and reached with Tab; in a diff the removed and added
// lines are coloured (their "-" and "+" stay for screen readers) and a list jumps to each file.
QDialog* buildDetailView(const QString& title, const std::string& detail, QWidget* parent);

// Modal QMessageBox dialogs, parented to the main window.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  Answer show(const Message& message) override;
  int choose(const std::string& title, const std::string& label, const std::vector<std::string>& items) override;

 private:
  QPointer<QWidget> parent_;
};

// The help line's timer on a QTimer; each timeout runs the given tick.
class QtTimer : public QObject, public Timer {
  Q_OBJECT
 public:
  explicit QtTimer(QObject* parent = nullptr);
  void setTick(std::function<void()> tick) { tick_ = std::move(tick); }
  void start(int intervalMs) override;
  void stop() override;
  bool isActive() const;
  int interval() const;

 private:
  QTimer* timer_;
  std::function<void()> tick_;
};

// Reads a picture file with QImageReader into a label; on failure the label keeps its picture.
// On a high-density screen it shows "<name>@2x.<ext>" instead when that file is beside it.
// The loader keeps the picture shown, so that a label built later (a page built when first
// shown) shows it too.
class QtPictureLoader : public PictureLoader {
 public:
  explicit QtPictureLoader(QLabel* target = nullptr) : target_(target) {}
  void setTarget(QLabel* target);
  bool loadPreview(const std::filesystem::path& file) override;
  // While deferring, a picture is only checked (the file opens and its header is one the reader
  // knows); loadDeferred decodes and shows the last one checked, unless a later load came first.
  void setDeferring(bool on) { deferring_ = on; }
  void loadDeferred();

 private:
  bool show(const QString& path);

  QPointer<QLabel> target_;
  QPixmap picture_;
  QString pending_;
  bool deferring_ = false;
};

}  // namespace quillet::qt
