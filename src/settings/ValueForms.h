// How positions and texts are written: into the game's files and onto the value labels.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/Model.h"

namespace quillet {

// The position as a plain whole number ("-10", "0", "250").
std::string formN(int position);
// The position divided by 10 with "." as separator, no fraction when whole ("0.5", "2", "2.5").
std::string formD(int position);
// The net-graph position for the choice box's text: "Bottom right" 1, "Center" 2, "Left" 3
// (compared exactly); any other text "1".
std::string_view netgraphNumber(std::string_view text);
// The choice box's item for a position number 1..3, or empty.
std::string_view netgraphItem(int number);
inline constexpr std::string_view kNetgraphItems[] = {"Bottom right", "Center", "Left"};

// A text value as it stands after its console name. The game's console splits an unquoted
// value at blanks (every byte up to 0x20), skips the bytes from 0x80 up, makes a word of each of
// { } ( ) ' : of its own, ends the command at ";" and takes a value that begins with "//" for a
// comment; a text that holds any of these, or begins or ends with a quote, goes between double
// quotes. Any other text stands as typed, the empty text too ("name " sets nothing). Inside the
// quotes a double quote becomes a single one and a line break a blank: texts the user types
// hold neither (see fieldProblem), these come only from files.
std::string quotedText(std::string_view text);
// quotedText leaves the text as it is.
bool writtenAsIs(std::string_view text);

// The longest text written as a console value: far below what the console cuts or drops (a
// command is cut at 1,023 bytes, a word of 515 bytes is dropped), and more than any name needs.
inline constexpr std::size_t kMaxTextLength = 127;

// Why `text` cannot be `field`'s value, as a sentence for the help line or an error message;
// empty when it can. A text written into a command file (name, team, server name) reaches the
// game whole only without a double quote, a line break or another control character, and with
// at most kMaxTextLength characters. A field of the Commandline page takes what its Input says,
// or nothing, so that the launcher splits the composed line into each switch and exactly its
// value. `typing`: the text is being typed, so the beginning of a value is taken too ("192.168.").
// Other fields take any text.
std::string fieldProblem(const Option& field, std::string_view text, bool typing = false);

// The value written after the option's console name ("2.5" for gamma at 25); for toggles the
// whole line is the option's own (see consoleLine).
std::string writtenValue(const Model& model, const Option& option);
// The line the option writes into a file; `autoexec` picks the autoexec.cfg spelling where the
// two files differ.
std::string consoleLine(const Model& model, const Option& option, bool autoexec = false);
// The console name that begins the line of an option with a value.
std::string_view consoleName(const Option& option, bool autoexec = false);

// The text of a slider's value label at `position`; `decimalSeparator` is the user's.
std::string valueLabelText(const Option& slider, int position, char decimalSeparator = '.');

}  // namespace quillet
