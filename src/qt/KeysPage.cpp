// The Keys page of the window: two tables and the editors of one binding and one alias, drawn
// from the core's state; every event goes to the core.
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <array>
#include <utility>
#include <functional>

#include "qt/GameText.h"
#include "qt/KeyCapture.h"
#include "qt/MainWindow.h"
#include "qt/Twips.h"
#include "qt/Widgets.h"

namespace quillet::qt {
namespace {

constexpr int kPageSizeTwips = 6495;  // the square every page fills

// A table of four columns (the last stretches) that tells `chosen` the row the user clicks or
// moves to.
QTableWidget* table(QWidget* parent, const char* name, const char* accessibleName, const QStringList& headers,
                    QRect geometry, std::function<void(int)> chosen) {
  auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  t->setObjectName(QString::fromLatin1(name));
  t->setAccessibleName(QString::fromLatin1(accessibleName));
  t->setHorizontalHeaderLabels(headers);
  t->setGeometry(geometry);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionBehavior(QAbstractItemView::SelectRows);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->setTabKeyNavigation(false);
  t->setWordWrap(false);
  t->verticalHeader()->setVisible(false);
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 4);
  t->horizontalHeader()->setStretchLastSection(true);
  for (const auto& [column, twips] : {std::pair{0, 1000}, {1, 1900}, {2, 1300}}) t->setColumnWidth(column, px(twips));
  QObject::connect(t, &QTableWidget::cellClicked, t, [chosen](int row, int) { chosen(row); });
  QObject::connect(t, &QTableWidget::currentCellChanged, t, [chosen](int row, int, int old, int) {
    if (row != old && row >= 0) chosen(row);
  });
  return t;
}

// A label for what the console makes of the command typed above it.
QLabel* checkLabel(QWidget* parent, const char* name, QRect geometry) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// A caption with its Alt letter, for the field after it.
QLabel* caption(QWidget* parent, const char* name, const char* text, QRect geometry, QWidget* buddy) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setBuddy(buddy);
  buddy->setAccessibleName(label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')));
  return label;
}

// A line of text that tells the core every edit, with its caption (Alt letter) before it.
QLineEdit* field(QWidget* parent, const char* name, QRect geometry, const char* captionName, const char* captionText,
                 QRect captionGeometry, std::function<void(std::string)> edited) {
  auto* line = new QLineEdit(parent);
  line->setObjectName(QString::fromLatin1(name));
  line->setGeometry(geometry);
  caption(parent, captionName, captionText, captionGeometry, line);
  QObject::connect(line, &QLineEdit::textEdited, line,
                   [edited = std::move(edited)](const QString& t) { edited(toGameBytes(t)); });
  return line;
}

}  // namespace

void MainWindow::buildKeysPage(QWidget* pageWidget) {
  auto* binds = new FrameBox(QStringLiteral("Key bindings"), pageWidget);
  binds->setObjectName(QStringLiteral("framekeybinds"));
  binds->setGeometry(pxRect(0, 0, kPageSizeTwips, 4155));

  keyFilter_ =
      field(binds, "txtkeyfilter", pxRect(1200, 270, 5055, 285), "lblkeyfilter", "Fil&ter:", pxRect(240, 300, 960, 255),
            [this](std::string t) { core_->txtkeyfilter_Change(std::move(t)); });

  keyTable_ =
      table(binds, "tblkeys", "Key bindings",
            {QStringLiteral("Key"), QStringLiteral("Command"), QStringLiteral("File:line"), QStringLiteral("State")},
            pxRect(240, 660, 6015, 2055), [this](int row) {
              if (!updating_) core_->keyRow_Click(row);
            });

  keyName_ = new QLabel(binds);
  keyName_->setObjectName(QStringLiteral("lblkeyname"));
  keyName_->setGeometry(pxRect(1200, 2835, 1200, 255));
  auto* keyCaption = new QLabel(QStringLiteral("Key:"), binds);
  keyCaption->setObjectName(QStringLiteral("lblkey"));
  keyCaption->setGeometry(pxRect(240, 2835, 960, 255));
  pushButton(binds, "cmdchangekey", QStringLiteral("Change &key..."), pxRect(2520, 2790, 1560, 345),
             [this] { openKeyCapture(); });

  keyCommand_ = field(binds, "txtkeycommand", pxRect(1200, 3240, 2880, 285), "lblkeycommand",
                      "Co&mmand:", pxRect(240, 3270, 960, 255),
                      [this](std::string t) { core_->txtkeycommand_Change(std::move(t)); });
  pushButton(binds, "cmdbindkey", QStringLiteral("&Bind"), pxRect(4200, 3210, 975, 345),
             [this] { core_->cmdbindkey_Click(); });
  connect(keyCommand_, &QLineEdit::returnPressed, this, [this] { core_->cmdbindkey_Click(); });
  pushButton(binds, "cmdunbindkey", QStringLiteral("&Remove"), pxRect(5280, 3210, 975, 345),
             [this] { core_->cmdunbindkey_Click(); });
  keyCheck_ = checkLabel(binds, "lblkeycheck", pxRect(240, 3600, 6015, 495));

  auto* aliases = new FrameBox(QStringLiteral("Aliases"), pageWidget);
  aliases->setObjectName(QStringLiteral("framekeyaliases"));
  aliases->setGeometry(pxRect(0, 4215, kPageSizeTwips, kPageSizeTwips - 4215));
  aliasTable_ =
      table(aliases, "tblaliases", "Aliases",
            {QStringLiteral("Name"), QStringLiteral("Commands"), QStringLiteral("File:line"), QStringLiteral("State")},
            pxRect(240, 270, 6015, 1080), [this](int row) {
              if (!updating_) core_->aliasRow_Click(row);
            });
  aliasName_ = field(aliases, "txtaliasname", pxRect(840, 1440, 1140, 285), "lblaliasname",
                     "&Alias:", pxRect(240, 1470, 600, 255),
                     [this](std::string t) { core_->txtaliasname_Change(std::move(t)); });
  aliasCommands_ = field(aliases, "txtaliascommands", pxRect(3120, 1440, 1860, 285), "lblaliascommands",
                         "Comma&nds:", pxRect(2040, 1470, 1080, 255),
                         [this](std::string t) { core_->txtaliascommands_Change(std::move(t)); });
  pushButton(aliases, "cmdsetalias", QStringLiteral("Set al&ias"), pxRect(5040, 1410, 1215, 345),
             [this] { core_->cmdsetalias_Click(); });
  connect(aliasCommands_, &QLineEdit::returnPressed, this, [this] { core_->cmdsetalias_Click(); });
  aliasCheck_ = checkLabel(aliases, "lblaliascheck", pxRect(240, 1800, 6015, 435));
  keysChanged();
}

void MainWindow::openKeyCapture() {
  core_->cmdchangekey_Click();
  auto* box = new KeyCaptureBox(this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  connect(box, &KeyCaptureBox::taken, this, [this](const QString& name) { core_->keyCaptured(name.toStdString()); });
  box->open();
  box->setFocus();
}

void MainWindow::keysChanged() {
  if (!keyTable_) return;
  ++updating_;
  const auto fill = [](QTableWidget* t, const std::vector<std::array<std::string, 4>>& rows) {
    t->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
      for (int c = 0; c < 4; ++c) {
        const QString text = fromGameBytes(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
        if (QTableWidgetItem* item = t->item(r, c)) item->setText(text);
        else t->setItem(r, c, new QTableWidgetItem(text));
      }
  };
  std::vector<std::array<std::string, 4>> rows;
  for (const frmmain::KeyRow& k : core_->keyRows()) rows.push_back({k.key, k.command, k.place, k.state});
  fill(keyTable_, rows);
  // A binding that no longer wins is drawn greyed.
  for (int r = 0; r < keyTable_->rowCount(); ++r)
    for (int c = 0; c < 4; ++c)
      keyTable_->item(r, c)->setForeground(core_->keyRows()[static_cast<std::size_t>(r)].inForce
                                               ? palette().color(QPalette::Text)
                                               : palette().color(QPalette::Disabled, QPalette::Text));
  rows.clear();
  for (const frmmain::AliasRow& a : core_->aliasRows()) rows.push_back({a.name, a.commands, a.place, a.state});
  fill(aliasTable_, rows);
  const auto setText = [](QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
  };
  setText(keyFilter_, fromGameBytes(core_->keyFilter()));
  setText(keyCommand_, fromGameBytes(core_->keyCommand()));
  setText(aliasName_, fromGameBytes(core_->aliasName()));
  setText(aliasCommands_, fromGameBytes(core_->aliasCommands()));
  keyName_->setText(core_->editedKey().empty() ? QStringLiteral("(none)") : fromUtf8(core_->editedKey()));
  keyName_->setAccessibleName(QStringLiteral("Key: ") + keyName_->text());
  keyCheck_->setText(fromGameBytes(core_->keyCheck()));
  aliasCheck_->setText(fromGameBytes(core_->aliasCheck()));
  keyCommand_->setAccessibleDescription(keyCheck_->text());
  aliasCommands_->setAccessibleDescription(aliasCheck_->text());
  --updating_;
}

}  // namespace quillet::qt
