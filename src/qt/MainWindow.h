// The main window `frmmain` on Qt Widgets: draws the pages from the option catalogue, forwards
// every user event to the frmmain core and redraws from the core's state when told to.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "frmmain/frmmain.h"
#include "qt/QtPlatform.h"
#include "settings/Model.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QWidget;

namespace quillet::qt {

class ClickLabel;
class FrameBox;
class HelpStrip;
class PageButton;
class SliderBar;
class ToggleImage;

class MainWindow : public QMainWindow, private FrmmainView {
  Q_OBJECT
 public:
  // `programDir` holds the "img" folder of map pictures (normally the executable's folder).
  MainWindow(Store& store, Dialogs& dialogs, std::filesystem::path programDir, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The window's load event: reads the stored folder and loads the pages, or asks for the
  // folder. Run once, before the window is shown.
  void start();

  frmmain& core() { return *core_; }
  Model& model() { return model_; }
  QtTimer& helpTimer() { return timer_; }

  // The widgets of the catalogue's options, by control name ("img_client(3)", "scrollgamma",
  // "txtname"), and their value or caption labels. A page is built when it is first shown, or
  // when one of these asks for it or for a widget on it; a page built late shows the current
  // values of the model, exactly as one built at the start would.
  QWidget* control(std::string_view name);
  ToggleImage* toggle(Table t, int index);
  QLabel* valueLabel(const Option& slider);
  QWidget* page(Page p);
  PageButton* pageButton(quillet::PageButton b) const { return buttons_[static_cast<int>(b)]; }
  HelpStrip* helpStrip() const { return help_; }

 signals:
  // The core asked the program to end (Exit, or Abort at the first start).
  void endRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // FrmmainView
  void windowChanged() override;
  void pagesChanged() override;
  void helpDrawn(std::string_view frame) override;
  void toggleChanged(Table t, int index) override;
  void sliderMoved(const Option& slider) override;
  void valueLabelChanged(const Option& slider, std::string_view text) override;
  void colourPreviewChanged(Rgb colour) override;
  void textChanged(const Option& field) override;
  void mapInfoChanged() override;
  void shortcutChanged() override;
  void netgraphEnabledChanged(bool enabled) override;
  void keepOwnLinesChanged(bool on) override;
  void defaultMapListChanged() override;
  void pathTextChanged() override;
  void quitRequested() override;
  std::optional<std::string> chooseFolder(const std::string& start) override;
  void keysChanged() override;

  void buildMenus();
  void buildPageButtons(QWidget* central);
  // Builds a page (once), puts it where it stands among the other pages and applies the
  // visibility the core gives it.
  QWidget* buildPage(Page p);
  void applyPageState(Page p);
  void buildGroup(FrameBox* box, Page page, std::string_view group, int width, int height);
  void buildMapsPage(QWidget* pageWidget);
  void buildKeysPage(QWidget* pageWidget);
  // "Change key...": the box that takes the next key.
  void openKeyCapture();
  void buildChangePath(QWidget* central);
  QWidget* addToggle(QWidget* parent, const Option& o, int left, int top, int captionLeft, int captionWidth);
  void addSlider(QWidget* parent, const Option& o, int top, int groupWidth);
  QWidget* addField(QWidget* parent, const Option& o, int left, int top, int width, int height);
  void setFieldText(const Option& o);
  void refillChoice(QComboBox* box, const std::vector<std::string>& items, const Option& o);
  // The widgets built so far, without building anything (the core's redraws reach only those).
  QWidget* builtControl(std::string_view name) const;
  ToggleImage* builtToggle(Table t, int index) const;
  QLabel* builtValueLabel(const Option& slider) const;
  void focusChanged(QWidget* old, QWidget* now);
  // Puts the focus on the first control of the page in front (after a page button, More, Back).
  void focusShownPage();
  void setMenusEnabled(bool enabled);

  Model model_;
  QtTimer timer_;
  QtPictureLoader pictures_;
  std::unique_ptr<frmmain> core_;

  std::map<std::string, QWidget*, std::less<>> controls_;
  std::map<std::string, QLabel*, std::less<>> valueLabels_;
  std::array<std::vector<ToggleImage*>, kTableCount> toggles_;
  std::array<QWidget*, kPageCount> pages_{};
  std::array<PageButton*, kPageButtonCount> buttons_{};
  std::vector<QAction*> menuActions_;
  std::vector<QMenu*> menus_;
  QWidget* frameButtons_ = nullptr;
  QWidget* frameChangePath_ = nullptr;
  QLabel* lblChecker_ = nullptr;
  QLineEdit* txtPath_ = nullptr;
  HelpStrip* help_ = nullptr;
  QWidget* lines_[2] = {nullptr, nullptr};
  QLabel* colourSample_ = nullptr;
  QPlainTextEdit* mapInfo_ = nullptr;
  QPlainTextEdit* shortcut_ = nullptr;
  QLabel* mapShot_ = nullptr;
  QWidget* central_ = nullptr;
  // The Keys page.
  QTableWidget* keyTable_ = nullptr;
  QTableWidget* aliasTable_ = nullptr;
  QLineEdit* keyFilter_ = nullptr;
  QLabel* keyName_ = nullptr;
  QLineEdit* keyCommand_ = nullptr;
  QLabel* keyCheck_ = nullptr;
  QLineEdit* aliasName_ = nullptr;
  QLineEdit* aliasCommands_ = nullptr;
  QLabel* aliasCheck_ = nullptr;
  bool quitting_ = false;
  bool painted_ = false;  // the first frame was painted
  int updating_ = 0;      // >0 while the program itself writes into a widget
  int quietFocus_ = 0;    // >0 while the program itself moves the focus
};

}  // namespace quillet::qt
