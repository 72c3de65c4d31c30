// The main window's behaviour without pixels: the start-up and change-path modes, the pages
// and their buttons, the typed help line, the toggles, sliders and fields, the menu commands,
// the map page and the launch line. A thin view forwards every user event to a handler here
// and redraws from the state here when a FrmmainView callback tells it to.
//
// Texts: the model's texts (fields, briefing, launch line) are Windows-1252 bytes; the help
// line, value labels, window caption, txtpath and GamePath are plain ASCII or UTF-8.
// Positions and sizes are in twips (1/1440 inch).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Stringconverter/Keys.h"
#include "platform/Platform.h"
#include "settings/Model.h"
#include "settings/Options.h"

namespace quillet {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// Back colours of the page buttons: the current page's and every other one's.
inline constexpr Rgb kHighlightColour{245, 245, 245};
inline constexpr Rgb kButtonColour{255, 255, 255};

// The window's own questions and notices.
inline const Message kEmptyPathMessage{"Enter CS path",
                                       "You must enter a valid Counter -Strike installation path. Example: "
                                       "'c:\\games\\half-life\\cstrike'",
                                       Buttons::Ok, Icon::Exclamation};
inline const Message kLoadDefaultsQuestion{"Confirm", "Are you sure you want to load default settings?", Buttons::YesNo,
                                           Icon::None};
inline const Message kExitQuestion{"Exit", "Save your changes?", Buttons::SaveDiscardCancel, Icon::Exclamation};
inline const Message kLogoCacheDeleted{"Success", "Custom.hpk file deleted", Buttons::Ok, Icon::Information};
inline const Message kNoLogoCache{"Error", "There is no file to delete, or file already deleted.", Buttons::Ok,
                                  Icon::Information};

// The page buttons, top to bottom.
enum class PageButton : std::uint8_t { Video, Client, Server, Maps, Controls, Launch, Keys };
inline constexpr int kPageButtonCount = 7;
// "cmdvideo", "cmdclient", ... and the page each button shows.
std::string_view pageButtonName(PageButton b);
Page pageOfButton(PageButton b);

// Main: the full window with menus and pages. ChangePath: the small window asking for the
// game folder (only the change-path frame is seen; menus and page buttons are hidden).
enum class Mode : std::uint8_t { Main, ChangePath };

struct WindowState {
  Mode mode = Mode::Main;
  int width = 8250;   // twips
  int height = 7700;  // twips
  double left = 0;    // twips, set by CenterWindow
  double top = 0;
  std::string caption;
  bool menusVisible = true;  // mnufile, mnusettings, mnuhelp
};

inline constexpr std::string_view kMainCaption = "Quillet beta 1.0";
inline constexpr std::string_view kPathCaption = "Enter CS installation path";
inline constexpr std::string_view kWelcomeText =
    " Welcome to Counter - Strike beta 1.0. Use the buttons to the left to navigate the program";

// What the Qt layer implements. Every callback is a request to redraw something from the
// frmmain's state; none of them calls back into a handler. Changes the user made himself
// (a text he typed, a slider he moved) are not echoed back.
class FrmmainView {
 public:
  virtual ~FrmmainView() = default;
  // Window size, caption, menus or mode changed: apply window().
  virtual void windowChanged() {}
  // Which frames are visible, or the page buttons' colours, changed: apply pageVisible(),
  // shownPage(), buttonsVisible(), changePathVisible(), buttonColour().
  virtual void pagesChanged() {}
  // The help strip: clear it and draw this text at its top-left corner.
  virtual void helpDrawn(std::string_view /*frame*/) {}
  // A toggle's state changed: redraw its picture (checked when model.checked(t, index)).
  virtual void toggleChanged(Table, int /*index*/) {}
  // A slider's position was changed by the program: move the scroll bar.
  virtual void sliderMoved(const Option&) {}
  // A value label's text changed.
  virtual void valueLabelChanged(const Option&, std::string_view /*text*/) {}
  virtual void colourPreviewChanged(Rgb) {}
  // A text field's or choice box's text was changed by the program: reread model.text(option).
  virtual void textChanged(const Option&) {}
  virtual void mapInfoChanged() {}   // txtmapinfo: reread model.mapInfo
  virtual void shortcutChanged() {}  // txtshortcut: reread model.shortcut
  virtual void netgraphEnabledChanged(bool /*enabled*/) {}
  virtual void keepOwnLinesChanged(bool /*on*/) {}  // the check mark of "Keep my own lines"
  virtual void defaultMapListChanged() {}           // cmbdeafultmap's list: reread defaultMapList()
  virtual void pathTextChanged() {}                 // txtpath: reread pathText()
  // The Keys page: reread keyRows(), aliasRows() and the fields and checks of its editors.
  virtual void keysChanged() {}
  // End the program now, without asking Form_QueryUnload; nothing is saved.
  virtual void quitRequested() {}
  // The platform's folder chooser for the browse button; nullopt when cancelled.
  virtual std::optional<std::string> chooseFolder(const std::string& /*start*/) { return std::nullopt; }
};

class frmmain : private ModelObserver {
 public:
  // `programDir` is the folder of the program's own executable (the map pictures lie in its
  // "img" folder). The frmmain takes the model's observer slot for its lifetime.
  frmmain(Model& model, Store& store, Dialogs& dialogs, Timer& timer, PictureLoader& pictures,
          std::filesystem::path programDir);
  ~frmmain() override;
  frmmain(const frmmain&) = delete;
  frmmain& operator=(const frmmain&) = delete;

  void setView(FrmmainView* view) { view_ = view; }
  // The screen size in twips, used by CenterWindow.
  void setScreenSize(double widthTwips, double heightTwips);
  // The user's decimal separator for the value labels; call before Form_Load (the labels are
  // recomputed from the current positions).
  void setDecimalSeparator(char separator);

  // ---- State the view reads
  Model& model() { return model_; }
  const WindowState& window() const { return window_; }
  bool pageVisible(Page p) const { return pageVisible_[static_cast<int>(p)]; }
  // The page seen in front: a visible sub-page covers its base page; nullopt when none.
  std::optional<Page> shownPage() const;
  // A visible page that its visible sub-page lies over exactly: kept beneath, but not seen.
  bool pageCovered(Page p) const;
  bool buttonsVisible() const { return buttonsVisible_; }              // framebuttons
  bool changePathVisible() const { return changePathVisible_; }        // framechangepath
  std::string_view checkerCaption() const { return checkerCaption_; }  // lblchecker
  int checkerLeft() const { return checkerLeft_; }
  Rgb buttonColour(PageButton b) const { return buttonColours_[static_cast<int>(b)]; }
  const std::string& helpFrame() const { return helpFrame_; }  // what the strip shows now
  const std::string& helpText() const { return helpText_; }
  int helpPosition() const { return helpPosition_; }
  bool timerEnabled() const { return timerEnabled_; }
  int timerInterval() const { return timerInterval_; }
  const std::string& valueLabel(const Option& slider) const;
  Rgb colourPreview() const { return colourPreview_; }
  bool netgraphEnabled() const { return model_.netgraphEnabled; }
  const std::string& pathText() const { return pathText_; }  // txtpath
  const std::vector<std::string>& defaultMapList() const { return defaultMaps_; }
  const std::string& GamePath() const { return gamePath_; }
  const std::string& LoadErrors() const { return loadErrors_; }
  bool ChangingPath() const { return changingPath_; }
  bool quitting() const { return quitting_; }  // the program was asked to end

  // ---- Start-up and the change-path mode
  void Form_Load();
  // Checks `folder` for an entry cl_dlls: runs the whole load sequence when it passes and
  // returns true; shows the change-path mode (with a message unless txtpath is empty) and
  // returns false when it fails.
  bool CheckGamePath(const std::string& folder);
  void SetupMainWindow();
  void ShowPathFrame();
  void CenterWindow();
  void txtpath_Change(std::string text);  // the user typed into txtpath
  void cmdsearch_Click();                 // OK
  void cmdabort_Click();                  // Abort
  void cmdbrowse_Click();                 // "..."
  void mnuchangePath_Click();
  // The window's close request; returns true when the close is cancelled (back from "Change
  // path", or the user chose not to leave when asked about unsaved changes).
  bool Form_QueryUnload();
  // True when the program may end now: nothing changed since the last Save or load, or the user
  // answered "Save your changes?" with Discard, or with Save and the Save succeeded.
  bool mayQuit();
  // A control or a key binding changed since the last Save or load.
  bool unsavedChanges() const { return model_.anyChanged() || !model_.keyEdits.empty(); }

  // ---- Pages
  void ArrangePages();
  void pageButton_Click(PageButton b);
  void cmdclient_Click() { pageButton_Click(PageButton::Client); }
  void cmdserver_Click() { pageButton_Click(PageButton::Server); }
  void cmdlaunch_Click() { pageButton_Click(PageButton::Launch); }
  void cmdmoreclient_Click();
  void cmdmoreclientback_Click();
  void cmdmore_Click();
  void cmdback_Click();

  // ---- Help line
  void ShowHelp(std::string_view text);
  void Timer1_Timer();

  // ---- Toggles (every array, the maps included) and their caption labels
  void toggle_Click(Table t, int index);
  void toggle_DblClick(Table t, int index);  // maps have none: it does nothing for them
  void img_client_Click(int i) { toggle_Click(Table::Client, i); }
  void img_launch_Click(int i) { toggle_Click(Table::Launch, i); }
  void img_client_DblClick(int i) { toggle_DblClick(Table::Client, i); }
  // A click on a caption label, by its control name ("Label42", "lbl_video(3)", "lbl_map(13)").
  void caption_Click(std::string_view label);

  // ---- Sliders (the view passes the momentary position)
  void slider_Change(const Option& slider, int position);
  void slider_Scroll(const Option& slider, int position);
  void slider_GotFocus(const Option& slider);

  // ---- Text fields and choice boxes
  void field_Change(const Option& field, std::string text);  // the user edited the text
  // A click into a text field; for cmbdeafultmap, an entry chosen from its list.
  void field_Click(const Option& field);
  void field_GotFocus(const Option& field);
  void cmdshortcut_Click();  // "Update shortcut": composes the launch line

  // ---- Menus and buttons
  void mnusave_Click();
  // File > Restore backup...: pick a backup of the game folder, restore it, load again.
  void mnurestore_Click();
  void mnuexit_Click();
  void mnudefaults_Click();
  // Settings > Keep my own lines: turns the mode on or off and stores the choice.
  void mnukeepownlines_Click();
  bool keepOwnLines() const { return model_.keepOwnLines; }
  void mnuAbout_Click();
  void cmddelCustom_Click();

  // ---- Maps
  void img_map_Click(int index);
  void lbl_map_Click(int index);
  void cmdallmaps_Click();
  void RefillDefaultMaps();

  // ---- Keys page: the bindings and aliases the game runs, with the changes made since the
  // load, and the editors of one binding and one alias.
  struct KeyRow {
    std::string key, command, place, state;  // place: "config.cfg:12"; a change to come: the file
    bool inForce = false;
  };
  struct AliasRow {
    std::string name, commands, place, state;
  };
  // The rows that hold the filter's text (any case), in the order the game runs them.
  const std::vector<KeyRow>& keyRows() const { return keyRows_; }
  const std::vector<AliasRow>& aliasRows() const { return aliasRows_; }
  const std::string& keyFilter() const { return keyFilter_; }
  const std::string& editedKey() const { return editedKey_; }  // the game's name, or empty
  const std::string& keyCommand() const { return keyCommand_; }
  // What the binding will run (the commands it splits into), or why it is refused.
  const std::string& keyCheck() const { return keyCheck_; }
  bool keyAccepted() const { return keyAccepted_; }
  const std::string& aliasName() const { return aliasName_; }
  const std::string& aliasCommands() const { return aliasCommands_; }
  const std::string& aliasCheck() const { return aliasCheck_; }
  bool aliasAccepted() const { return aliasAccepted_; }
  // Reads the folder's bindings and aliases again (the page button does it too).
  void refreshKeys();
  void txtkeyfilter_Change(std::string text);
  void keyRow_Click(int row);  // a row of the bindings table, as keyRows() holds it
  void aliasRow_Click(int row);
  void cmdchangekey_Click();                    // before the view opens its capture box
  void keyCaptured(std::string_view key);       // the box took a key: its game name
  void txtkeycommand_Change(std::string text);  // Windows-1252 bytes
  void cmdbindkey_Click();                      // "Bind": the key runs the command at the next Save
  void cmdunbindkey_Click();                    // "Remove"
  void txtaliasname_Change(std::string text);
  void txtaliascommands_Change(std::string text);  // Windows-1252 bytes
  void cmdsetalias_Click();                        // "Set alias"
  // The focus entered a control of the page ("tblkeys", "txtkeycommand"): the help line
  // explains it.
  void keysControl_GotFocus(std::string_view control);

  static Message aboutMessage();

 private:
  // ModelObserver: program changes and user changes take the same road.
  void toggleChanged(Table t, int index) override;
  void sliderChanged(const Option& slider) override;
  void textChanged(const Option& field) override;
  void valueLabelWritten(const Option& slider, std::string_view text) override;

  void setLabel(const Option& slider, std::string text);
  void updateColourPreview(const Option* moving, int position);
  void setPathText(std::string text);
  void showPages(std::initializer_list<Page> shown, std::initializer_list<Page> hidden);
  void setHighlight(std::optional<PageButton> b);
  void setTimerInterval(int ms);
  void enableTimer();
  void disableTimer();
  void showPreview(int index);
  void UnloadAll();
  // Reads the folder again, the options the user changed keeping their values and marks.
  void reloadKeepingChanges();
  void checkKeyEdit();
  void checkAliasEdit();
  void keyEditMade(KeyEdit::Kind kind, const std::string& name, const std::string& command);
  // Tells the view about the plain model fields (briefing, launch line, net-graph box) that
  // changed since it was last told.
  void syncView();

  Model& model_;
  Store& store_;
  Dialogs& dialogs_;
  Timer& timer_;
  PictureLoader& pictures_;
  std::filesystem::path programDir_;
  FrmmainView* view_ = nullptr;

  double screenWidth_ = 15360, screenHeight_ = 11520;  // 1024 x 768 pixels
  char decimalSeparator_ = '.';

  WindowState window_;
  std::array<bool, kPageCount> pageVisible_{};
  bool buttonsVisible_ = true;
  bool changePathVisible_ = false;
  std::string checkerCaption_ = "New Counter - Strike path";
  int checkerLeft_ = 720;
  std::array<Rgb, kPageButtonCount> buttonColours_;

  std::string helpText_;
  int helpPosition_ = 0;
  std::string helpFrame_;
  bool timerEnabled_ = false;
  int timerInterval_ = 1;

  std::vector<std::string> labels_;  // by option id; empty for non-sliders
  Rgb colourPreview_;
  std::string pathText_;
  std::vector<std::string> defaultMaps_;
  std::string gamePath_;
  std::string loadErrors_;
  std::vector<std::string> storeProblems_;  // why the store could not be read or written at start
  bool changingPath_ = false;
  bool quitting_ = false;

  // The option the user is changing right now, so the change is not echoed to the view.
  const Option* userEdit_ = nullptr;
  // Last values the view was told of (see syncView).
  std::string shownMapInfo_, shownShortcut_;
  bool shownNetgraph_ = true;
  bool shownKeepOwnLines_ = false;

  // The folder's bindings and aliases as last read: the filter and pending edits only redraw
  // the rows from them.
  keys::KeyTable keyTable_;
  std::vector<KeyRow> keyRows_;
  std::vector<AliasRow> aliasRows_;
  void showKeys();  // the rows of keyTable_ and the pending edits that hold the filter's text
  std::string keyFilter_, editedKey_, keyCommand_, keyCheck_, aliasName_, aliasCommands_, aliasCheck_;
  bool keyAccepted_ = false, aliasAccepted_ = false;
};

}  // namespace quillet
