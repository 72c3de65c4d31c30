#include "settings/ValueForms.h"

#include <cstdlib>

namespace quillet {

std::string formN(int position) { return std::to_string(position); }

std::string formD(int position) {
  const int whole = position / 10;
  const int tenths = std::abs(position % 10);
  std::string out = (position < 0 && whole == 0) ? "-0" : std::to_string(whole);
  if (tenths != 0) out += '.' + std::to_string(tenths);
  return out;
}

std::string_view netgraphNumber(std::string_view text) {
  if (text == kNetgraphItems[1]) return "2";
  if (text == kNetgraphItems[2]) return "3";
  return "1";
}

std::string_view netgraphItem(int number) {
  return number >= 1 && number <= 3 ? kNetgraphItems[number - 1] : std::string_view();
}

namespace {
bool isQuote(char c) { return c == '"' || c == '\''; }
}  // namespace

bool writtenAsIs(std::string_view text) {
  if (text.empty()) return true;
  if (isQuote(text.front()) || isQuote(text.back()) || text.starts_with("//")) return false;
  for (const char c : text) {
    // Blanks, and the bytes the console skips outside quotes.
    if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x80) return false;
    if (c == ';' || c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ':') return false;
  }
  return true;
}

namespace {

// A whole number without a leading zero, not above `max`; `typing`
// takes the empty text too.
bool numberUpTo(std::string_view text, long max, bool typing) {
  if (text.empty()) return typing;
  if (text.size() > 5 || (text.size() > 1 && text.front() == '0')) return false;
  long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value <= max;
}

bool isAddress(std::string_view text, bool typing) {
  int groups = 0;
  for (std::size_t from = 0;; ++groups) {
    const std::size_t dot = text.find('.', from);
    if (groups == 4 || !numberUpTo(text.substr(from, dot - from), 255, typing)) return false;
    if (dot == std::string_view::npos) break;
    from = dot + 1;
  }
  return typing || groups == 3;
}

}  // namespace

std::string fieldProblem(const Option& field, std::string_view text, bool typing) {
  const std::string name = "\"" + std::string(field.caption) + "\"";
  if (field.form == Form::Text) {
    if (text.find('"') != std::string_view::npos)
      return name + " cannot hold a double quote (\"): the game would end the text there.";
    for (const char c : text)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
        return name +
               " cannot hold a line break, a tab or another control character: the game would cut the text there.";
    if (text.size() > kMaxTextLength)
      return name + " holds at most " + std::to_string(kMaxTextLength) +
             " characters: the game would cut a longer text or drop it.";
    return {};
  }
  if (text.empty()) return {};
  switch (field.input) {
    case Input::Count:
      if (numberUpTo(text, field.max, typing) && (typing || std::stol(std::string(text)) >= field.min)) return {};
      return name + " takes a whole number from " + std::to_string(field.min) + " to " + std::to_string(field.max) +
             ", or nothing.";
    case Input::Address:
      if (isAddress(text, typing)) return {};
      return name + " takes an IP address, four numbers from 0 to 255 (192.168.0.2), or nothing.";
    case Input::Word:
      if (writtenAsIs(text) && text.find('"') == std::string_view::npos) return {};
      return name +
             " takes a map's name, without blanks, quotes, control characters, accented letters or any of "
             "; { } ( ) ' :, or nothing.";
    case Input::Any: break;
  }
  return {};
}

std::string quotedText(std::string_view input) {
  if (writtenAsIs(input)) return std::string(input);
  // A console line cannot hold a line break: it would start a command of its own.
  std::string text(input);
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (char c : text) out += c == '"' ? '\'' : c;
  out += '"';
  return out;
}

std::string writtenValue(const Model& model, const Option& o) {
  switch (o.form) {
    case Form::Flag: return model.checked(o) ? "1" : "0";
    case Form::N: return formN(model.position(o));
    case Form::D: return formD(model.position(o));
    case Form::Negated: return formN(-model.position(o));
    case Form::Smoke: return formN(2 - model.position(o));
    case Form::Colour:
      return formN(model.position(option("scrollred"))) + "," + formN(model.position(option("scrollgreen"))) + "," +
             formN(model.position(option("scrollblue")));
    case Form::Netgraph: return std::string(netgraphNumber(model.text(o)));
    case Form::Text: return quotedText(model.text(o));
    case Form::Lines:
    case Form::None: break;
  }
  return {};
}

std::string consoleLine(const Model& model, const Option& o, bool autoexec) {
  if (o.form == Form::Lines) return std::string(model.checked(o) ? o.on : o.off);
  return std::string(consoleName(o, autoexec)) + ' ' + writtenValue(model, o);
}

std::string_view consoleName(const Option& o, bool autoexec) {
  return autoexec && !o.autoexecAlias.empty() ? o.autoexecAlias : o.cvar;
}

std::string valueLabelText(const Option& o, int p, char decimalSeparator) {
  std::string tenths = formD(p);
  for (char& c : tenths)
    if (c == '.') c = decimalSeparator;
  switch (o.label) {
    case LabelForm::Plain: return formN(p);
    case LabelForm::Sec: return formN(p) + " sec";
    case LabelForm::Packets: return formN(p) + " packets";
    case LabelForm::Percent: return formN(p) + "%";
    case LabelForm::Tenths: return tenths;
    case LabelForm::TenthsSec: return tenths + " sec";
    case LabelForm::MinMax: return p == 0 ? "Min" : p == 10 ? "Max" : formN(p);
    case LabelForm::Off: return p == 0 ? "Off" : formN(p);
    case LabelForm::OffSec: return p == 0 ? "Off" : formN(p) + " sec";
    case LabelForm::Smoke: return p == 0 ? "Low" : p == 1 ? "Med" : p == 2 ? "High" : "";
    case LabelForm::None: break;
  }
  return {};
}

}  // namespace quillet
