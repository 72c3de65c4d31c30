#include "frmmain/frmmain.h"

#include <algorithm>
#include <system_error>

#include "Checkpath/Checkpath.h"
#include "save/Backups.h"
#include "save/KeyLines.h"
#include "Stringconverter/Readers.h"
#include "Stringconverter/StoredPreferences.h"
#include "platform/Text.h"
#include "frmmain/MoreFunctions.h"
#include "save/Save.h"
#include "settings/ValueForms.h"

namespace quillet {
namespace {

struct ButtonInfo {
  std::string_view name;
  Page page;
  std::string_view help;
};

constexpr std::array<ButtonInfo, kPageButtonCount> kButtons = {{
    {"cmdvideo", Page::Video, " Tune your video settings"},
    {"cmdclient", Page::Client, " Setup client side settings"},
    {"cmdserver", Page::Server, " Setup your server."},
    {"cmdmaps", Page::Maps, " Choose your maps."},
    {"cmdcontrols", Page::Controls, " Setup sound and control settings."},
    {"cmdlaunch", Page::Launch, " Set command-line options."},
    {"cmdkeys", Page::Keys, " See and change your keys and aliases."},
}};

constexpr std::array<Page, kPageCount> kAllPages = {Page::Client,   Page::MoreClient, Page::Video,
                                                    Page::Controls, Page::Server,     Page::MoreServer,
                                                    Page::Maps,     Page::Launch,     Page::Keys};

const std::string kNoText;

// "lbl_map(13)" gives 13.
std::optional<int> mapLabelIndex(std::string_view label) {
  constexpr std::string_view prefix = "lbl_map(";
  if (!label.starts_with(prefix) || !label.ends_with(")")) return std::nullopt;
  return parseNumber<int>(label.substr(prefix.size(), label.size() - prefix.size() - 1));
}

}  // namespace

std::string_view pageButtonName(PageButton b) { return kButtons[static_cast<int>(b)].name; }
Page pageOfButton(PageButton b) { return kButtons[static_cast<int>(b)].page; }

frmmain::frmmain(Model& model, Store& store, Dialogs& dialogs, Timer& timer, PictureLoader& pictures,
                 std::filesystem::path programDir)
    : model_(model),
      store_(store),
      dialogs_(dialogs),
      timer_(timer),
      pictures_(pictures),
      programDir_(std::move(programDir)) {
  window_.caption = std::string(kMainCaption);
  buttonColours_.fill(kButtonColour);
  labels_.resize(catalogue().size());
  setDecimalSeparator('.');
  updateColourPreview(nullptr, 0);
  shownMapInfo_ = model_.mapInfo;
  shownShortcut_ = model_.shortcut;
  shownNetgraph_ = model_.netgraphEnabled;
  model_.setObserver(this);
}

frmmain::~frmmain() { model_.setObserver(nullptr); }

void frmmain::setScreenSize(double widthTwips, double heightTwips) {
  screenWidth_ = widthTwips;
  screenHeight_ = heightTwips;
}

void frmmain::setDecimalSeparator(char separator) {
  decimalSeparator_ = separator;
  // Every value label shows its slider's position before anything is loaded, without help.
  for (const Option& o : catalogue())
    if (o.kind == Kind::Slider) setLabel(o, valueLabelText(o, model_.position(o), separator));
}

std::optional<Page> frmmain::shownPage() const {
  // A sub-page stacks above its base page.
  for (Page p : {Page::MoreClient, Page::MoreServer, Page::Video, Page::Client, Page::Server, Page::Maps,
                 Page::Controls, Page::Launch, Page::Keys})
    if (pageVisible(p)) return p;
  return std::nullopt;
}

bool frmmain::pageCovered(Page p) const {
  return (p == Page::Client && pageVisible(p) && pageVisible(Page::MoreClient)) ||
         (p == Page::Server && pageVisible(p) && pageVisible(Page::MoreServer));
}

const std::string& frmmain::valueLabel(const Option& slider) const {
  const auto id = static_cast<std::size_t>(slider.id);
  return id < labels_.size() ? labels_[id] : kNoText;
}

// ---------------------------------------------------------------- start-up and change path

void frmmain::Form_Load() {
  helpPosition_ = 0;
  helpText_ = std::string(kWelcomeText);
  model_.clearToggles();
  gamePath_ = store_.read("quillet", "init", "cspath");
  setPathText(gamePath_);
  CheckGamePath(gamePath_);
  if (storeProblems_.empty())
    if (auto problem = store_.problem()) storeProblems_.push_back(*problem);
  setHighlight(PageButton::Video);
  setTimerInterval(1);
  enableTimer();
  // The files that were there but could not be read, and a store that could not be read or
  // written, with the cause, behind the message.
  std::string detail;
  for (const std::string& problem : model_.unreadable) (detail += detail.empty() ? "" : "\n") += problem;
  for (const std::string& problem : storeProblems_) (detail += detail.empty() ? "" : "\n") += problem;
  if (!loadErrors_.empty() || !detail.empty())
    dialogs_.show({"Error loading settings", loadErrors_.empty() ? "Some settings could not be loaded." : loadErrors_,
                   Buttons::Ok, Icon::Information, detail});
  if (const auto kept = keptValuesMessage(model_)) dialogs_.show(*kept);
  syncView();
}

bool frmmain::CheckGamePath(const std::string& folder) {
  if (!hasClDlls(folder)) {
    if (!pathText_.empty()) dialogs_.show({"Error", std::string(kInvalidPathText), Buttons::Ok, Icon::Exclamation});
    ShowPathFrame();
    gamePath_ = pathText_;
    return false;
  }
  gamePath_ = pathText_;
  store_.save(kStoreApp, "init", "cspath", gamePath_);
  storeProblems_.clear();
  if (const auto error = store_.commit()) storeProblems_.push_back("the game folder could not be stored: " + *error);
  SetupMainWindow();
  CenterWindow();
  ArrangePages();
  loadErrors_ += runLoadSequence(model_, gamePath_, store_, &pictures_, programDir_);
  if (pageVisible(Page::Keys)) refreshKeys();
  syncView();
  return true;
}

void frmmain::SetupMainWindow() {
  window_.mode = Mode::Main;
  window_.width = 8250;
  window_.height = 7700;
  window_.caption = std::string(kMainCaption);
  window_.menusVisible = true;
  changePathVisible_ = false;
  buttonsVisible_ = true;
  // The arrangement would leave the maps and sound pages visible at one place; the page seen is
  // the one whose button holds the highlight (the Video page before any button has it).
  Page shown = Page::Video;
  for (int b = 0; b < kPageButtonCount; ++b)
    if (buttonColours_[b] == kHighlightColour) shown = kButtons[b].page;
  for (Page p : kAllPages) pageVisible_[static_cast<int>(p)] = p == shown;
  if (view_) {
    view_->windowChanged();
    view_->pagesChanged();
  }
}

void frmmain::ShowPathFrame() {
  pageVisible_[static_cast<int>(Page::Maps)] = false;
  buttonsVisible_ = false;
  window_.mode = Mode::ChangePath;
  window_.width = 3800;
  window_.height = 1635;
  window_.caption = std::string(kPathCaption);
  window_.menusVisible = false;
  checkerCaption_ = "Counter - Strike path";
  checkerLeft_ = 900;
  changePathVisible_ = true;
  setPathText(gamePath_);
  // The sub-page of the client page and the launch page stay as they are, under the frame.
  for (Page p : {Page::Client, Page::Maps, Page::Server, Page::Video, Page::MoreServer, Page::Controls})
    pageVisible_[static_cast<int>(p)] = false;
  if (view_) {
    view_->windowChanged();
    view_->pagesChanged();
  }
  CenterWindow();
}

void frmmain::CenterWindow() {
  window_.left = (screenWidth_ - window_.width) / 2.0;
  window_.top = (screenHeight_ - window_.height) / 2.0;
  if (view_) view_->windowChanged();
}

void frmmain::txtpath_Change(std::string text) { pathText_ = std::move(text); }

void frmmain::cmdsearch_Click() {
  if (pathText_.empty()) dialogs_.show(kEmptyPathMessage);
  CheckGamePath(pathText_);
}

void frmmain::cmdabort_Click() {
  if (changingPath_) {
    SetupMainWindow();
    CenterWindow();
  } else {
    UnloadAll();
  }
}

void frmmain::cmdbrowse_Click() {
  if (!view_) return;
  std::optional<std::string> folder;
  folder = view_->chooseFolder(pathText_);
  if (folder && !folder->empty()) setPathText(*folder);
}

void frmmain::mnuchangePath_Click() {
  changingPath_ = true;
  ShowPathFrame();
  setPathText(gamePath_);
}

bool frmmain::Form_QueryUnload() {
  // Closing the small window after "Change path" returns to the main window, where it was.
  if (window_.mode == Mode::ChangePath && changingPath_) {
    SetupMainWindow();
    return true;
  }
  return !mayQuit();
}

bool frmmain::mayQuit() {
  // Nothing is saved on the way out unless the user asks for it: a change since the last Save
  // or load is not lost without a word.
  // A key binding or alias changed on the Keys page counts as much as a control.
  if (!unsavedChanges() || window_.mode != Mode::Main) return true;
  switch (dialogs_.show(kExitQuestion)) {
    case Answer::Discard: return true;
    case Answer::Save: mnusave_Click(); return !unsavedChanges();
    default: return false;
  }
}

void frmmain::UnloadAll() {
  quitting_ = true;
  if (view_) view_->quitRequested();
}

void frmmain::setPathText(std::string text) {
  if (pathText_ == text) return;
  pathText_ = std::move(text);
  if (view_) view_->pathTextChanged();
}

// ---------------------------------------------------------------- pages

void frmmain::showPages(std::initializer_list<Page> shown, std::initializer_list<Page> hidden) {
  for (Page p : hidden) pageVisible_[static_cast<int>(p)] = false;
  for (Page p : shown) pageVisible_[static_cast<int>(p)] = true;
  if (view_) view_->pagesChanged();
}

void frmmain::ArrangePages() {
  showPages({Page::Video},
            {Page::Maps, Page::Client, Page::Server, Page::Controls, Page::MoreServer, Page::MoreClient});
}

void frmmain::setHighlight(std::optional<PageButton> b) {
  for (int i = 0; i < kPageButtonCount; ++i)
    buttonColours_[i] = b && static_cast<int>(*b) == i ? kHighlightColour : kButtonColour;
  if (view_) view_->pagesChanged();
}

void frmmain::pageButton_Click(PageButton b) {
  const ButtonInfo& info = kButtons[static_cast<int>(b)];
  setHighlight(b);
  // A page is always entered at its base page: the sub-pages are hidden too.
  for (Page p : kAllPages) pageVisible_[static_cast<int>(p)] = p == info.page;
  if (view_) view_->pagesChanged();
  if (b == PageButton::Client) {
    helpPosition_ = 0;
    setTimerInterval(10);
  }
  if (b == PageButton::Launch) RefillDefaultMaps();
  if (b == PageButton::Keys) refreshKeys();
  ShowHelp(info.help);
}

void frmmain::cmdmoreclient_Click() { showPages({Page::MoreClient}, {}); }
void frmmain::cmdmoreclientback_Click() {
  showPages({}, {Page::MoreClient});
  showPages({Page::Client}, {});
}
void frmmain::cmdmore_Click() { showPages({Page::MoreServer}, {}); }
void frmmain::cmdback_Click() {
  showPages({Page::Server}, {});
  showPages({}, {Page::MoreServer});
}

// ---------------------------------------------------------------- help line

void frmmain::setTimerInterval(int ms) {
  if (timerInterval_ == ms) return;
  timerInterval_ = ms;
  if (timerEnabled_) timer_.start(ms);
}

void frmmain::enableTimer() {
  if (timerEnabled_) return;
  timerEnabled_ = true;
  timer_.start(timerInterval_);
}

void frmmain::disableTimer() {
  if (!timerEnabled_) return;
  timerEnabled_ = false;
  timer_.stop();
}

void frmmain::ShowHelp(std::string_view text) {
  // The typing position is kept: a new sentence goes on from where the last one was.
  enableTimer();
  helpText_ = std::string(text);
  Timer1_Timer();
}

void frmmain::Timer1_Timer() {
  const std::size_t shown = std::min<std::size_t>(static_cast<std::size_t>(helpPosition_), helpText_.size());
  if (static_cast<std::size_t>(helpPosition_) >= helpText_.size()) {
    helpFrame_ = helpText_;
    helpPosition_ = 0;
    helpText_.clear();
    disableTimer();
  } else {
    helpFrame_ = helpText_.substr(0, shown) + " _";
    ++helpPosition_;
  }
  if (view_) view_->helpDrawn(helpFrame_);
}

// ---------------------------------------------------------------- toggles and captions

void frmmain::toggle_Click(Table t, int index) {
  if (t == Table::Map) {
    img_map_Click(index);
    return;
  }
  const Option* o = findToggle(t, index);
  if (!o || o->kind != Kind::Toggle) return;  // no control there (or the hidden console entry)
  {
    Model::UserChange user(model_);
    model_.setToggle(t, index, !model_.checked(t, index));
  }
  if (o->enablesNetgraphPos) model_.netgraphEnabled = model_.checked(t, index);
  if (t == Table::Launch) cmdshortcut_Click();
  if (!o->help.empty()) ShowHelp(o->help);
  syncView();
}

void frmmain::toggle_DblClick(Table t, int index) {
  // The first click of the pair has already flipped the toggle; the double-click flips it back.
  if (t != Table::Map) toggle_Click(t, index);
}

void frmmain::caption_Click(std::string_view label) {
  if (const auto map = mapLabelIndex(label)) {
    lbl_map_Click(*map);
    return;
  }
  if (label.empty()) return;
  for (const Option& o : catalogue())
    if (o.captionLabel == label) {
      // Some captions explain nothing ("Number of gib parts"; the fastswitch caption).
      if (!o.captionText().empty()) ShowHelp(o.captionText());
      return;
    }
}

void frmmain::toggleChanged(Table t, int index) {
  if (view_) view_->toggleChanged(t, index);
  if (t == Table::Map) RefillDefaultMaps();
}

// ---------------------------------------------------------------- sliders

void frmmain::setLabel(const Option& slider, std::string text) {
  const auto id = static_cast<std::size_t>(slider.id);
  if (id >= labels_.size() || labels_[id] == text) return;
  labels_[id] = std::move(text);
  if (view_) view_->valueLabelChanged(slider, labels_[id]);
}

void frmmain::updateColourPreview(const Option* moving, int position) {
  static const Option& red = option("scrollred");
  static const Option& green = option("scrollgreen");
  static const Option& blue = option("scrollblue");
  auto at = [&](const Option& o) { return moving == &o ? position : model_.position(o); };
  const Rgb colour{at(red), at(green), at(blue)};
  if (colour == colourPreview_) return;
  colourPreview_ = colour;
  if (view_) view_->colourPreviewChanged(colour);
}

void frmmain::slider_Change(const Option& slider, int position) {
  if (slider.kind != Kind::Slider) return;
  userEdit_ = &slider;
  Model::UserChange user(model_);
  model_.setPosition(slider, position);  // a real change reaches sliderChanged
  userEdit_ = nullptr;
}

void frmmain::sliderChanged(const Option& slider) {
  if (slider.kind != Kind::Slider) return;
  const int p = model_.position(slider);
  if (userEdit_ != &slider && view_) view_->sliderMoved(slider);
  std::string text = valueLabelText(slider, p, decimalSeparator_);
  if (!text.empty()) setLabel(slider, std::move(text));  // the smoke label knows 0..2 only
  if (slider.form == Form::Colour) updateColourPreview(nullptr, 0);
  if (slider.helpOn & OnChange) ShowHelp(slider.help);
}

void frmmain::slider_Scroll(const Option& slider, int position) {
  if (slider.kind != Kind::Slider || position < slider.min || position > slider.max) return;
  std::string text = valueLabelText(slider, position, decimalSeparator_);
  if (!text.empty()) setLabel(slider, std::move(text));
  if (slider.form == Form::Colour) updateColourPreview(&slider, position);
  if (slider.helpOn & OnScroll) ShowHelp(slider.help);
}

void frmmain::slider_GotFocus(const Option& slider) {
  if (slider.kind == Kind::Slider && (slider.helpOn & OnFocus)) ShowHelp(slider.help);
}

void frmmain::valueLabelWritten(const Option& slider, std::string_view text) { setLabel(slider, std::string(text)); }

// ---------------------------------------------------------------- text fields

void frmmain::field_Change(const Option& field, std::string text) {
  if (!field.hasText()) return;
  // A text the game would not take as meant is not taken: the field shows its text again and the
  // help line says why. Such a text that came from a file or the store may still be shortened.
  const std::string why = fieldProblem(field, text, true);
  const std::string& old = model_.text(field);
  if (!why.empty() && (text.size() >= old.size() || fieldProblem(field, old, true).empty())) {
    if (view_) view_->textChanged(field);
    ShowHelp(" " + why);
    return;
  }
  userEdit_ = &field;
  {
    Model::UserChange user(model_);
    model_.setText(field, std::move(text));
  }
  userEdit_ = nullptr;
  syncView();
  // The beginning of a launch field's value ("192.168.") is taken; the help line says what it
  // still needs.
  if (const std::string need = fieldProblem(field, model_.text(field)); !need.empty()) ShowHelp(" " + need);
}

void frmmain::textChanged(const Option& field) {
  if (userEdit_ != &field && view_) view_->textChanged(field);
  if (field.launchOnChange) cmdshortcut_Click();
}

void frmmain::field_Click(const Option& field) {
  if (field.kind == Kind::Text) {
    if (field.launchOnClick) cmdshortcut_Click();
    if (!field.help.empty()) ShowHelp(field.help);
  } else if (field.launchOnChange) {
    cmdshortcut_Click();  // an entry chosen from the default-map list
  }
}

void frmmain::field_GotFocus(const Option& field) {
  if (field.kind == Kind::Choice && !field.help.empty()) ShowHelp(field.help);
}

void frmmain::cmdshortcut_Click() {
  model_.shortcut = composeLaunchLine(model_);
  syncView();
}

// ---------------------------------------------------------------- menus and buttons

void frmmain::mnusave_Click() {
  // What is saved counts as changed no more.
  if (saveCommand(model_, gamePath_, store_, dialogs_)) {
    model_.clearChanged();
    // The key changes are in the files now.
    keyEditsSaved(model_);
    refreshKeys();
  }
}

void frmmain::mnurestore_Click() {
  const std::vector<Backup> backups = listBackups(gamePath_);
  if (backups.empty()) {
    dialogs_.show({"Restore backup", "There is no backup in " + gameFile(gamePath_, kBackupFolder).string(),
                   Buttons::Ok, Icon::Information});
    return;
  }
  std::vector<std::string> items;
  for (const Backup& b : backups) items.push_back(b.describe());
  const int picked = dialogs_.choose("Restore backup",
                                     "Backups of the game's files, newest first. Restoring one brings every file "
                                     "back as it was at that time; the files replaced now are backed up first, so "
                                     "a restore can be undone.",
                                     items);
  if (picked < 0 || picked >= static_cast<int>(items.size())) return;
  const RestoreResult result = restoreBackup(gamePath_, backups[static_cast<std::size_t>(picked)].name);
  if (result.failure)
    dialogs_.show({"Restore backup",
                   result.restored.empty() ? "The backup could not be restored; nothing was changed."
                                           : "The backup could not be restored completely.",
                   Buttons::Ok, Icon::Exclamation, *result.failure});
  // The pages show what the files hold now.
  const std::string errors = runLoadSequence(model_, gamePath_, store_, &pictures_, programDir_);
  if (pageVisible(Page::Keys)) refreshKeys();
  syncView();
  if (!result.failure)
    dialogs_.show({"Restore backup",
                   "Restored the files as they were at " + backups[static_cast<std::size_t>(picked)].time() + ": " +
                       (result.restored.empty() ? std::string("none needed") : joinNames(result.restored)) + ".",
                   Buttons::Ok, Icon::Information});
  if (!errors.empty()) {
    std::string detail;
    for (const std::string& problem : model_.unreadable) (detail += detail.empty() ? "" : "\n") += problem;
    dialogs_.show({"Error loading settings", errors, Buttons::Ok, Icon::Information, detail});
  }
}

void frmmain::mnuexit_Click() {
  if (mayQuit()) UnloadAll();
}

void frmmain::mnudefaults_Click() {
  if (dialogs_.show(kLoadDefaultsQuestion) != Answer::Yes) return;
  LoadDefaults(model_);
  cmdshortcut_Click();
}

Message frmmain::aboutMessage() {
  return {"Info",
          "Quillet beta 1.0, the settings editor for Counter-Strike beta 1.0, written by the "
          "Quillet project in December 2026.\r\n"
          "Information and updates: www.quillet.example\r\n"
          "\r\n"
          "Greetings to everyone in the Counter-Strike community!",
          Buttons::Ok, Icon::Information};
}

void frmmain::mnukeepownlines_Click() {
  const bool on = !model_.keepOwnLines;
  // Stored at once: the choice is kept even when no Save follows.
  storeKeepOwnLines(store_, on);
  if (const auto error = store_.commit())
    dialogs_.show({"Keep my own lines", "The choice could not be stored; it holds until Quillet is closed.",
                   Buttons::Ok, Icon::Exclamation, *error});
  model_.keepOwnLinesForRun = on;
  reloadKeepingChanges();
  // What the mode keeps as it is, as the start lists it.
  if (const auto kept = on ? keptValuesMessage(model_) : std::nullopt) dialogs_.show(*kept);
}

void frmmain::reloadKeepingChanges() {
  // The folder is read again the way the mode reads it; the values the user changed keep what
  // he gave them and stay marked as changed.
  struct Change {
    const Option* option;
    bool checked;
    int position;
    std::string text;
  };
  std::vector<Change> changes;
  for (const Option& o : catalogue())
    if (model_.changed(o)) changes.push_back({&o, model_.checked(o), model_.position(o), model_.text(o)});
  // Key changes not yet saved are made again over the new reading, planned the way its mode
  // writes them (in place, or on a new line of config.cfg).
  const std::vector<KeyEdit> keyEdits = std::move(model_.keyEdits);
  runLoadSequence(model_, gamePath_, store_, &pictures_, programDir_);
  model_.keyEdits.clear();
  std::string refused;
  for (const KeyEdit& e : keyEdits) {
    const KeyEditPlan plan = planKeyEdit(model_, gamePath_, e.kind, e.name, e.command);
    if (plan.edit) model_.keyEdits.push_back(*plan.edit);
    else refused += e.name + ": " + plan.problem + "\n";
  }
  if (!refused.empty())
    dialogs_.show({"Keep my own lines", "These key changes cannot be made in the files as they are now read:",
                   Buttons::Ok, Icon::Exclamation, refused});
  if (pageVisible(Page::Keys)) refreshKeys();
  for (const Change& c : changes) {
    const Option& o = *c.option;
    if (o.isToggle()) model_.setChecked(o, c.checked);
    else if (o.kind == Kind::Slider) model_.setPosition(o, c.position);
    else if (o.hasText()) model_.setText(o, c.text);
    model_.setChanged(o);
  }
  syncView();
}

void frmmain::mnuAbout_Click() { dialogs_.show(aboutMessage()); }

void frmmain::cmddelCustom_Click() {
  bool deleted = false;
  const std::filesystem::path file = gameFile(gamePath_, "custom.hpk");
  std::error_code ec;
  // Only a file is deleted; a folder of that name counts as no file.
  if (!std::filesystem::is_directory(file, ec)) deleted = std::filesystem::remove(file, ec);
  dialogs_.show(deleted ? kLogoCacheDeleted : kNoLogoCache);
}

// ---------------------------------------------------------------- maps

void frmmain::showPreview(int index) {
  const std::string name(kMaps[static_cast<std::size_t>(index)]);
  LoadMapBriefing(gameFile(gamePath_, "maps") / (name + ".txt"), model_);
  syncView();
  // A picture that cannot be loaded leaves the previous one in view.
  pictures_.loadPreview(programDir_ / "img" / (name + ".jpg"));
}

void frmmain::img_map_Click(int index) {
  const Option* map = findToggle(Table::Map, index);
  if (!map) return;
  ShowHelp(map->help);
  showPreview(index);
  Model::UserChange user(model_);
  model_.setToggle(Table::Map, index, !model_.checked(Table::Map, index));
}

void frmmain::lbl_map_Click(int index) {
  const Option* map = findToggle(Table::Map, index);
  if (!map) return;
  ShowHelp(map->help);
  showPreview(index);
}

void frmmain::cmdallmaps_Click() {
  Model::UserChange user(model_);
  for (int i = 0; i < static_cast<int>(kMaps.size()); ++i) model_.setToggle(Table::Map, i, true);
}

void frmmain::RefillDefaultMaps() {
  std::vector<std::string> maps;
  for (int i = 0; i < static_cast<int>(kMaps.size()); ++i)
    if (model_.checked(Table::Map, i)) maps.emplace_back(kMaps[static_cast<std::size_t>(i)]);
  if (maps == defaultMaps_) return;
  defaultMaps_ = std::move(maps);
  if (view_) view_->defaultMapListChanged();
}

// ---------------------------------------------------------------- view

void frmmain::syncView() {
  if (model_.mapInfo != shownMapInfo_) {
    shownMapInfo_ = model_.mapInfo;
    if (view_) view_->mapInfoChanged();
  }
  if (model_.shortcut != shownShortcut_) {
    shownShortcut_ = model_.shortcut;
    if (view_) view_->shortcutChanged();
  }
  if (model_.netgraphEnabled != shownNetgraph_) {
    shownNetgraph_ = model_.netgraphEnabled;
    if (view_) view_->netgraphEnabledChanged(shownNetgraph_);
  }
  if (model_.keepOwnLines != shownKeepOwnLines_) {
    shownKeepOwnLines_ = model_.keepOwnLines;
    if (view_) view_->keepOwnLinesChanged(shownKeepOwnLines_);
  }
}

}  // namespace quillet
