// The command-line front end: saves the game's files from the command line and shows the
// values that the game's files hold, without the window.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/Model.h"

namespace quillet {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitSaveFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs one command line (`args` without the program's own name) and returns the exit code.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// One checked --set: the option and the value it gets.
struct Assignment {
  const Option* option = nullptr;
  bool checked = false;  // toggles and the hidden option
  int position = 0;      // sliders
  std::string text;      // texts and choice boxes, as Windows-1252 bytes
};

// The outcome of parsing one NAME=VALUE: an assignment, or the reason it was refused.
struct SetParse {
  std::optional<Assignment> assignment;
  std::string error;
};

// Parses NAME=VALUE. NAME is a control name (exactly, or regardless of case) or a console
// variable that exactly one option writes with a value; VALUE is read as the control takes it
// or as the game's file would carry it.
SetParse parseSet(std::string_view nameEqualsValue);

// Puts the value into the model.
void applyAssignment(const Assignment& assignment, Model& model);

// The console names an option stands for in the game's files (empty for options that only the
// program and the store know).
std::vector<std::string> optionVariables(const Option& option);

// The commands and the options each takes, as the parser defines them; the first entry, with
// an empty name, holds the options given before any command. The help text, the manual page
// and the shell completion are checked against this list.
std::vector<std::pair<std::string, std::vector<std::string>>> commandLineWords();

// Text for one tab-separated field: CR, LF, tab and backslash as \r \n \t \\.
std::string escapeField(std::string_view utf8);

}  // namespace quillet
