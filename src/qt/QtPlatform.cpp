#include "qt/QtPlatform.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QPixmap>
#include <QTimer>

#include <memory>

#include "qt/GameText.h"

namespace quillet::qt {

namespace {
// A font whose letters all take the same width, so that a diff keeps its columns. The system's
// fixed font can resolve to a family that the font system does not report as fixed (some
// installations alias "monospace" that way); then the first fixed family known here is taken.
QFont fixedPitchFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (QFontInfo(font).fixedPitch()) return font;
  for (const QString& family : QFontDatabase::families())
    if (QFontDatabase::isFixedPitch(family)) {
      font.setFamily(family);
      if (QFontInfo(font).fixedPitch()) return font;
    }
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

// The program's messages break lines with CR LF, or a lone CR; a label breaks on LF.
QString displayText(const std::string& text) {
  QString s = fromUtf8(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar(u'\r'), QChar(u'\n'));
  return s;
}

// Colours the lines of a unified diff: removed red, added green, hunk heads blue, file heads
// bold; readable on a light and on a dark palette.
class DiffHighlighter : public QSyntaxHighlighter {
 public:
  DiffHighlighter(QTextDocument* document, bool dark) : QSyntaxHighlighter(document) {
    removed_.setForeground(dark ? QColor(255, 140, 140) : QColor(170, 0, 0));
    added_.setForeground(dark ? QColor(140, 230, 140) : QColor(0, 120, 0));
    hunk_.setForeground(dark ? QColor(140, 180, 255) : QColor(0, 60, 170));
    head_.setFontWeight(QFont::Bold);
  }

 protected:
  void highlightBlock(const QString& text) override {
    if (text.startsWith(QLatin1String("--- ")) || text.startsWith(QLatin1String("+++ ")) || isFileLine(text))
      setFormat(0, int(text.size()), head_);
    else if (text.startsWith(u'-')) setFormat(0, int(text.size()), removed_);
    else if (text.startsWith(u'+')) setFormat(0, int(text.size()), added_);
    else if (text.startsWith(QLatin1String("@@"))) setFormat(0, int(text.size()), hunk_);
  }

 private:
  QTextCharFormat removed_, added_, hunk_, head_;

 public:
  // "server.cfg: new file", "motd.txt: unchanged", "config.cfg: cannot be read: ...".
  static bool isFileLine(const QString& text) {
    const int colon = int(text.indexOf(QLatin1String(": ")));
    return colon > 0 && !text.startsWith(u' ') && !text.startsWith(u'+') && !text.startsWith(u'-') &&
           !text.left(colon).contains(u' ') && text.left(colon).contains(u'.');
  }
};

}  // namespace

QDialog* buildDetailView(const QString& title, const std::string& detail, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setObjectName(QStringLiteral("detailview"));
  dialog->setWindowTitle(title);
  dialog->setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(dialog);
  auto* text = new QPlainTextEdit(dialog);
  text->setObjectName(QStringLiteral("detailtext"));
  text->setReadOnly(true);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // A diff keeps its columns; a failure's cause is read as sentences.
  const QString shown = fromUtf8(detail);
  static const QRegularExpression kDiffLine(QStringLiteral("^(--- |\\S+: (unchanged|new file)$)"),
                                            QRegularExpression::MultilineOption);
  const bool diff = shown.contains(kDiffLine);
  text->setLineWrapMode(diff ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  text->setFont(fixedPitchFont());
  text->setFocusPolicy(Qt::StrongFocus);
  text->setTabChangesFocus(true);
  text->setPlainText(shown);
  text->setAccessibleName(title);
  text->setAccessibleDescription(QStringLiteral("Lines starting with - are removed, lines starting with + are added."));
  const bool dark = text->palette().color(QPalette::Base).lightness() < 128;
  if (diff) (new DiffHighlighter(text->document(), dark))->rehighlight();
  // The files of a diff, each a place to jump to.
  auto* files = new QComboBox(dialog);
  files->setObjectName(QStringLiteral("detailfiles"));
  for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next()) {
    const QString line = b.text();
    if (line.startsWith(QLatin1String("--- "))) {
      // A new file's diff follows its "name: new file" line, already listed.
      const QTextBlock before = b.previous();
      if (before.isValid() && before.text() == line.mid(4) + QStringLiteral(": new file")) continue;
      files->addItem(line.mid(4), b.blockNumber());
    } else if (DiffHighlighter::isFileLine(line)) {
      files->addItem(line, b.blockNumber());
    }
  }
  auto* top = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("&File:"), dialog);
  label->setBuddy(files);
  top->addWidget(label);
  top->addWidget(files, 1);
  QObject::connect(files, &QComboBox::activated, text, [text, files](int index) {
    QTextCursor cursor(text->document()->findBlockByNumber(files->itemData(index).toInt()));
    text->moveCursor(QTextCursor::End);  // the file's first line at the top of the view
    text->setTextCursor(cursor);
    text->ensureCursorVisible();
  });
  if (diff && files->count() > 1) layout->addLayout(top);
  else delete top, delete label, delete files;
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
  // Wide enough for a line of the program's files (84 columns), tall enough for 30 lines.
  const QFontMetrics metrics(text->font());
  dialog->resize(metrics.horizontalAdvance(QString(92, u'x')) + 40, metrics.lineSpacing() * (diff ? 30 : 10) + 120);
  text->setFocus();
  return dialog;
}

QMessageBox* buildMessageBox(const Message& message, QWidget* parent) {
  auto* box = new QMessageBox(parent);
  box->setObjectName(QStringLiteral("messagebox"));
  box->setWindowTitle(fromUtf8(message.title));
  box->setText(displayText(message.text));
  box->setTextFormat(Qt::PlainText);
  if (!message.detail.empty()) {
    // Its own button opens the detail in a window of its own (the box stays open).
    QPushButton* details = box->addButton(QStringLiteral("Show &Details..."), QMessageBox::ActionRole);
    details->setObjectName(QStringLiteral("showdetails"));
    details->disconnect();
    const QString title = fromUtf8(message.title) + QStringLiteral(": details");
    const std::string detail = message.detail;
    QObject::connect(details, &QPushButton::clicked, box, [box, title, detail] {
      std::unique_ptr<QDialog> view(buildDetailView(title, detail, box));
      view->exec();
    });
  }
  switch (message.icon) {
    case Icon::None: box->setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box->setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box->setIcon(QMessageBox::Warning); break;
  }
  if (message.buttons == Buttons::YesNo) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
  } else if (message.buttons == Buttons::SaveDiscardCancel) {
    box->setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Save);
    box->setEscapeButton(QMessageBox::Cancel);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
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
  if (message.buttons == Buttons::SaveDiscardCancel)
    return pressed == QMessageBox::Save      ? Answer::Save
           : pressed == QMessageBox::Discard ? Answer::Discard
                                             : Answer::Cancel;
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
