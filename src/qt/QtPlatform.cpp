#include "qt/QtPlatform.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QPixmap>
#include <QTimer>

#include "qt/GameText.h"

namespace quillet::qt {

namespace {

// The program's messages break lines with CR LF, or a lone CR; a label breaks on LF.
QString displayText(const std::string& text) {
  QString s = fromUtf8(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar(u'\r'), QChar(u'\n'));
  return s;
}

}  // namespace

QMessageBox* buildMessageBox(const Message& message, QWidget* parent) {
  auto* box = new QMessageBox(parent);
  box->setObjectName(QStringLiteral("messagebox"));
  box->setWindowTitle(fromUtf8(message.title));
  box->setText(displayText(message.text));
  box->setTextFormat(Qt::PlainText);
  if (!message.detail.empty()) box->setDetailedText(fromUtf8(message.detail));
  switch (message.icon) {
    case Icon::None: box->setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box->setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box->setIcon(QMessageBox::Warning); break;
  }
  if (message.buttons == Buttons::YesNo) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
  }
  // A screen reader announces the box by its title and reads the message as its description.
  box->setAccessibleName(box->windowTitle());
  box->setAccessibleDescription(box->text());
  return box;
}

Answer QtDialogs::show(const Message& message) {
  QMessageBox* box = buildMessageBox(message, parent_);
  const int pressed = box->exec();
  delete box;
  if (message.buttons == Buttons::YesNo) return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
  return Answer::Ok;
}

int QtDialogs::choose(const std::string& title, const std::string& label, const std::vector<std::string>& items) {
  QDialog dialog(parent_);
  dialog.setObjectName(QStringLiteral("choosedialog"));
  dialog.setWindowTitle(fromUtf8(title));
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QLabel(fromUtf8(label), &dialog);
  text->setWordWrap(true);
  auto* list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("chooselist"));
  for (const std::string& item : items) list->addItem(fromUtf8(item));
  list->setCurrentRow(0);
  text->setBuddy(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  layout->addWidget(text);
  layout->addWidget(list);
  layout->addWidget(buttons);
  dialog.resize(520, 320);
  if (dialog.exec() != QDialog::Accepted) return -1;
  return list->currentRow();
}

QtTimer::QtTimer(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
  timer_->setObjectName(QStringLiteral("Timer1"));
  QObject::connect(timer_, &QTimer::timeout, this, [this] {
    if (tick_) tick_();
  });
}

void QtTimer::start(int intervalMs) { timer_->start(intervalMs < 0 ? 0 : intervalMs); }
void QtTimer::stop() { timer_->stop(); }
bool QtTimer::isActive() const { return timer_->isActive(); }
int QtTimer::interval() const { return timer_->interval(); }

void QtPictureLoader::setTarget(QLabel* target) {
  target_ = target;
  if (target_ && !picture_.isNull()) target_->setPixmap(picture_);
}

bool QtPictureLoader::loadPreview(const std::filesystem::path& file) {
  const QString path = QString::fromStdU16String(file.u16string());
  if (!deferring_) {
    pending_.clear();
    return show(path);
  }
  // The start of a JPEG file is known without loading the reader's plug-ins (the marker its
  // JPEG plug-in checks); anything else is asked of the reader. The named picture decides
  // success.
  QFile picture(path);
  if (!picture.open(QIODevice::ReadOnly)) return false;
  if (picture.peek(2) != QByteArrayView("\xFF\xD8") && !QImageReader(&picture).canRead()) return false;
  pending_ = path;
  return true;
}

void QtPictureLoader::loadDeferred() {
  if (pending_.isEmpty()) return;
  const QString path = pending_;
  pending_.clear();
  show(path);
}

bool QtPictureLoader::show(const QString& path) {
  auto read = [](const QString& file) {
    QImageReader reader(file);
    reader.setAutoTransform(true);
    return reader.read();
  };
  QImage image = read(path);
  if (image.isNull()) return false;
  // On a high-density screen the picture drawn at twice the size beside it, when there is one.
  const qreal ratio = target_ ? target_->devicePixelRatioF() : qGuiApp->devicePixelRatio();
  if (ratio > 1.0) {
    const qsizetype dot = path.lastIndexOf(QChar(u'.'));
    const QString twice = dot > path.lastIndexOf(QChar(u'/')) && dot > path.lastIndexOf(QChar(u'\\'))
                              ? path.left(dot) + QStringLiteral("@2x") + path.mid(dot)
                              : path + QStringLiteral("@2x");
    const QImage sharp = read(twice);
    if (!sharp.isNull()) {
      image = sharp;
      image.setDevicePixelRatio(2.0);
    }
  }
  picture_ = QPixmap::fromImage(image);
  if (target_) target_->setPixmap(picture_);
  return true;
}

}  // namespace quillet::qt
