#include "shell/tool_form.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/chars.h"
#include "core/numbers.h"

namespace pyrelon {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The decimal digits of a magnitude, the first standing for 10^exponent;
// digits beyond `count` are zeros.
struct DecimalDigits {
  char digits[48];
  int count = 0;
  int exponent = 0;

  char at(int index) const { return index >= 0 && index < count ? digits[index] : '0'; }
};

// |value| written with `significant` digits (at most 41), correctly rounded.
DecimalDigits scientificDigits(double value, int significant) {
  char buffer[80];
  const auto written =
      chars::writeScientific(buffer, buffer + sizeof buffer - 1, std::fabs(value), significant - 1);
  *written.ptr = '\0';
  DecimalDigits out;
  const char* p = buffer;
  for (; p != written.ptr && *p != 'e'; ++p)
    if (isDigit(*p)) out.digits[out.count++] = *p;
  if (p != written.ptr) out.exponent = std::atoi(p + 1);
  return out;
}

// Keeps `kept` significant digits, rounding the rest half away from zero.
// A carry past the first digit adds a digit and raises the exponent.
DecimalDigits keep(DecimalDigits number, int kept) {
  if (kept < 0) return {{}, 0, number.exponent};
  if (kept >= number.count) return number;
  const bool up = number.digits[kept] >= '5';
  number.count = kept;
  if (up) {
    int i = kept - 1;
    while (i >= 0 && number.digits[i] == '9') number.digits[i--] = '0';
    if (i >= 0) {
      ++number.digits[i];
    } else {
      for (int d = number.count; d > 0; --d) number.digits[d] = number.digits[d - 1];
      number.digits[0] = '1';
      ++number.count;
      ++number.exponent;
    }
  }
  return number;
}

// |value| rounded half away from zero to the significant digits
// `keptFor(exponent)` gives. Seventeen digits tell every double apart and
// never carry into a new power of ten, so they give the exponent; they
// decide the rounding too, unless the digits after the kept ones read
// 5000… or 4999…, where the value may lie on either side of the half: then
// 41 digits do.
template <typename KeptFor>
DecimalDigits rounded(double value, KeptFor keptFor) {
  const DecimalDigits first = scientificDigits(value, 17);
  const int kept = keptFor(first.exponent);
  if (kept < 17) {
    bool borderline = kept >= 0 && (first.at(kept) == '5' || first.at(kept) == '4');
    for (int d = kept + 1; d < 17 && borderline; ++d)
      borderline = first.at(d) == (first.at(kept) == '5' ? '0' : '9');
    if (!borderline) return keep(first, kept);
  }
  return keep(scientificDigits(value, 41), kept);
}

bool allZero(const DecimalDigits& number) {
  for (int d = 0; d < number.count; ++d)
    if (number.digits[d] != '0') return false;
  return true;
}

// The digits written out with `places` decimals.
void appendFixed(std::string& out, const DecimalDigits& number, int places, bool negative,
                 std::string_view separator) {
  if (negative && !allZero(number)) out += '-';
  for (int power = std::max(number.exponent, 0); power >= 0; --power)
    out += number.at(number.exponent - power);
  if (places > 0) out += separator;
  for (int power = -1; power >= -places; --power) out += number.at(number.exponent - power);
}

// The digits as d.dd…e±XX, `shown` digits in all.
void appendScientific(std::string& out, const DecimalDigits& number, int shown, bool negative,
                      std::string_view separator) {
  if (negative && !allZero(number)) out += '-';
  out += number.at(0);
  if (shown > 1) out += separator;
  for (int d = 1; d < shown; ++d) out += number.at(d);
  int exponent = allZero(number) ? 0 : number.exponent;
  out += exponent < 0 ? "e-" : "e+";
  exponent = std::abs(exponent);
  if (exponent < 10) out += '0';
  out += std::to_string(exponent);
}

std::string decimalSeparatorOf(std::string_view separator) {
  return separator.empty() ? std::string(".") : std::string(separator);
}

void appendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      (out += '\\') += c;
    } else if (byte < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

// A small writer of indented JSON, members one a line as `indent` says.
class JsonWriter {
 public:
  explicit JsonWriter(int indent) : indent_(indent) {}

  void open(char bracket) {
    out_ += bracket;
    ++depth_;
    first_ = true;
  }
  void close(char bracket) {
    --depth_;
    if (!first_) newline();
    out_ += bracket;
    first_ = false;
  }
  void key(std::string_view name) {
    item();
    appendJsonString(out_, name);
    out_ += indent_ > 0 ? ": " : ":";
    keyed_ = true;
  }
  void raw(std::string_view text) {
    item();
    out_ += text;
  }
  void string(std::string_view text) {
    item();
    appendJsonString(out_, text);
  }
  void openValue(char bracket) {
    item();
    open(bracket);
  }
  std::string take() { return std::move(out_); }

 private:
  // Before a value: the comma and line of a new member, unless a key
  // already stands before it.
  void item() {
    if (keyed_) {
      keyed_ = false;
      return;
    }
    if (depth_ == 0) return;
    if (!first_) out_ += ',';
    newline();
    first_ = false;
  }
  void newline() {
    if (indent_ <= 0) return;
    out_ += '\n';
    out_.append(static_cast<std::size_t>(indent_) * static_cast<std::size_t>(depth_), ' ');
  }

  std::string out_;
  int indent_;
  int depth_ = 0;
  bool first_ = true;
  bool keyed_ = false;
};

void writeValue(JsonWriter& json, const ToolValue& value, const ToolResult& result) {
  if (result.form == ResultForm::Group) {
    json.openValue('{');
    for (std::size_t m = 0; m < result.members.size(); ++m) {
      json.key(result.members[m].key);
      static const ToolValue kAbsent;
      writeValue(json, m < value.members.size() ? value.members[m] : kAbsent, result.members[m]);
    }
    json.close('}');
    return;
  }
  switch (value.kind) {
    case ToolValue::Kind::Number: json.raw(jsonNumber(value.number)); return;
    case ToolValue::Kind::Text: json.string(value.text); return;
    case ToolValue::Kind::List:
      json.openValue('[');
      for (const std::string& word : value.list) json.string(word);
      json.close(']');
      return;
    default: json.raw("null"); return;
  }
}

// The outcome made whole: one value per result and per member, numbers
// finite.
void sanitize(ToolValue& value, const ToolResult& result) {
  if (value.kind == ToolValue::Kind::Number && !std::isfinite(value.number)) {
    value.kind = ToolValue::Kind::Absent;
    value.number = 0;
  }
  if (result.form == ResultForm::Group) {
    value.members.resize(result.members.size());
    for (std::size_t m = 0; m < result.members.size(); ++m)
      sanitize(value.members[m], result.members[m]);
  }
}

}  // namespace

std::optional<double> readToolNumber(std::string_view text, std::string_view decimalSeparator) {
  text = trimmed(text);
  const bool comma = decimalSeparator == ",";
  std::string number;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) number += text[i++], ++digits;
  if (i < text.size() && (text[i] == '.' || (comma && text[i] == ','))) {
    number += '.';
    ++i;
    while (i < text.size() && isDigit(text[i])) number += text[i++], ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    number += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    std::size_t exponentDigits = 0;
    while (i < text.size() && isDigit(text[i])) number += text[i++], ++exponentDigits;
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  const char* first = number.data();
  const char* last = first + number.size();
  const auto read = chars::readDouble(first, last, value);
  if (read.ec == std::errc::result_out_of_range) {
    // Below the smallest denormal reads as zero; beyond the range is no number.
    const std::size_t e = number.find('e');
    if (e != std::string::npos && number.find('-', e) != std::string::npos) return 0.0;
    return std::nullopt;
  }
  if (read.ec != std::errc() || read.ptr != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool isBlankText(std::string_view text) { return trimmed(text).empty(); }

std::string toolRangeText(const ToolInput& input, std::string_view decimalSeparator) {
  std::string text = plainForm(input.range.min, decimalSeparatorOf(decimalSeparator)) + " to " +
                     plainForm(input.range.max, decimalSeparatorOf(decimalSeparator));
  if (!input.unit.empty()) (text += ' ') += input.unit;
  return text;
}

std::string outOfRangeSentence(const ToolInput& input, std::string_view decimalSeparator) {
  const std::string separator = decimalSeparatorOf(decimalSeparator);
  std::string sentence = "The " + std::string(input.what) + " must be between " +
                         plainForm(input.range.min, separator) + " and " +
                         plainForm(input.range.max, separator);
  if (!input.unit.empty()) (sentence += ' ') += input.unit;
  return sentence + ".";
}

std::string neededSentence(const ToolInput& input, std::string_view decimalSeparator) {
  const std::string separator = decimalSeparatorOf(decimalSeparator);
  std::string sentence = "The " + std::string(input.what) + " is needed, from " +
                         plainForm(input.range.min, separator) + " to " +
                         plainForm(input.range.max, separator);
  if (!input.unit.empty()) (sentence += ' ') += input.unit;
  return sentence + ".";
}

std::string notANumberSentence(const ToolInput& input, std::string_view text) {
  return "The " + std::string(input.what) + " \"" + std::string(trimmed(text)) +
         "\" is not a number.";
}

ToolForm checkToolReadings(const ToolDescriptor& tool, std::span<const std::optional<double>> given,
                           std::string_view decimalSeparator) {
  ToolForm form;
  checkToolReadingsInto(tool, given, decimalSeparator, form);
  return form;
}

void checkToolReadingsInto(const ToolDescriptor& tool, std::span<const std::optional<double>> given,
                           std::string_view decimalSeparator, ToolForm& form) {
  form.error.clear();
  form.failedInput = -1;
  form.readings.resize(tool.inputs.size());
  for (std::size_t i = 0; i < tool.inputs.size(); ++i) {
    const ToolInput& input = tool.inputs[i];
    const std::optional<double> value = i < given.size() ? given[i] : std::nullopt;
    if (!value) {
      form.readings[i] = input.start;
      if (input.required && !input.start && form.ok()) {
        form.error = neededSentence(input, decimalSeparator);
        form.failedInput = static_cast<int>(i);
      }
      continue;
    }
    form.readings[i] = value;
    if (!std::isfinite(*value) || !input.range.accepts(*value)) {
      if (form.ok()) {
        form.error = outOfRangeSentence(input, decimalSeparator);
        form.failedInput = static_cast<int>(i);
      }
    }
  }
}

ToolForm readToolForm(const ToolDescriptor& tool, std::span<const std::string> texts,
                      std::string_view decimalSeparator) {
  std::vector<std::optional<double>> given(tool.inputs.size());
  int notANumber = -1;
  for (std::size_t i = 0; i < tool.inputs.size() && i < texts.size(); ++i) {
    if (isBlankText(texts[i])) continue;
    given[i] = readToolNumber(texts[i], decimalSeparator);
    if (!given[i] && notANumber < 0) notANumber = static_cast<int>(i);
  }
  ToolForm form = checkToolReadings(tool, given, decimalSeparator);
  // A text that is no number comes before a range fault further down.
  if (notANumber >= 0 && (form.ok() || form.failedInput > notANumber)) {
    const auto i = static_cast<std::size_t>(notANumber);
    form.error = notANumberSentence(tool.inputs[i], texts[i]);
    form.failedInput = notANumber;
    form.readings[i] = std::nullopt;
  }
  return form;
}

ToolOutcome runTool(const ToolDescriptor& tool, const ToolForm& form) {
  ToolOutcome outcome;
  if (!form.ok()) {
    outcome.error = form.error;
    outcome.failedInput = form.failedInput;
  } else if (tool.calculate != nullptr) {
    outcome = tool.calculate(form.readings);
  }
  if (!outcome.error.empty()) {
    // A fault leaves no result standing.
    outcome.results.assign(tool.results.size(), ToolValue{});
  }
  outcome.results.resize(tool.results.size());
  for (std::size_t r = 0; r < tool.results.size(); ++r)
    sanitize(outcome.results[r], tool.results[r]);
  return outcome;
}

namespace {
void resetValue(ToolValue& value) {
  value.kind = ToolValue::Kind::Absent;
  value.number = 0;
  value.text.clear();
  value.list.clear();
  value.note.clear();
  for (ToolValue& member : value.members) resetValue(member);
}
}  // namespace

void resetToolOutcome(ToolOutcome& outcome) {
  outcome.error.clear();
  outcome.failedInput = -1;
  for (ToolValue& value : outcome.results) resetValue(value);
}

void runToolInto(const ToolDescriptor& tool, const ToolForm& form, ToolOutcome& outcome) {
  if (tool.fill == nullptr || !form.ok()) {
    outcome = runTool(tool, form);
    return;
  }
  resetToolOutcome(outcome);
  tool.fill(form.readings, outcome);
  if (!outcome.error.empty()) {
    for (ToolValue& value : outcome.results) value = ToolValue{};
  }
  outcome.results.resize(tool.results.size());
  for (std::size_t r = 0; r < tool.results.size(); ++r)
    sanitize(outcome.results[r], tool.results[r]);
}

std::string formatToolNumber(double value, Digits digits, int places,
                             std::string_view decimalSeparator) {
  if (!std::isfinite(value)) return {};
  const std::string separator = decimalSeparatorOf(decimalSeparator);
  const bool negative = std::signbit(value);
  std::string out;
  if (digits == Digits::Decimals) {
    places = std::max(places, 0);
    const DecimalDigits shown =
        value == 0 ? DecimalDigits{}
                   : rounded(value, [places](int exponent) { return exponent + places + 1; });
    appendFixed(out, shown, places, negative, separator);
    return out;
  }
  const int significant = std::max(places, 1);
  // A carry to a new first digit leaves one digit more, a zero.
  const DecimalDigits shown =
      value == 0 ? DecimalDigits{} : rounded(value, [significant](int) { return significant; });
  if (digits == Digits::Scientific ||
      (value != 0 && (shown.exponent < -5 || shown.exponent >= 15))) {
    appendScientific(out, shown, significant, negative, separator);
  } else {
    appendFixed(out, shown, std::max(significant - 1 - shown.exponent, 0), negative, separator);
  }
  return out;
}

std::string jsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  if (value == 0) return "0";
  // The fewest significant digits that read back to the same double.
  DecimalDigits number;
  for (int significant = 1; significant <= 17; ++significant) {
    number = scientificDigits(value, significant);
    char text[64];
    int length = 0;
    for (int d = 0; d < number.count; ++d) text[length++] = number.digits[d];
    text[length++] = 'e';
    const char* end =
        std::to_chars(text + length, text + sizeof text, number.exponent - number.count + 1).ptr;
    double back = 0;
    chars::readDouble(text, end, back);
    if (back == std::fabs(value)) break;
  }
  while (number.count > 1 && number.digits[number.count - 1] == '0') --number.count;
  std::string out;
  if (number.exponent < -6 || number.exponent >= 21) {
    appendScientific(out, number, number.count, value < 0, ".");
    return out;
  }
  appendFixed(out, number, std::max(number.count - 1 - number.exponent, 0), value < 0, ".");
  return out;
}

std::string jsonQuoted(std::string_view text) {
  std::string out;
  appendJsonString(out, text);
  return out;
}

namespace {
// A sentence of the tool's (a note, a text result) as the numbers around it
// are shown: with a decimal comma, "0.340 %C at 800 °C" reads "0,340 %C".
std::string shownSentence(const std::string& text, std::string_view decimalSeparator) {
  return decimalSeparator == "," ? withDecimalComma(text) : text;
}
}  // namespace

std::string shownToolValue(const ToolValue& value, const ToolResult& result,
                           std::string_view decimalSeparator) {
  switch (value.kind) {
    case ToolValue::Kind::Number:
      return formatToolNumber(value.number, result.digits, result.places, decimalSeparator);
    case ToolValue::Kind::Text: return shownSentence(value.text, decimalSeparator);
    case ToolValue::Kind::List: {
      if (value.list.empty()) return "none";
      std::string out;
      for (const std::string& word : value.list) {
        if (!out.empty()) out += ", ";
        out += word;
      }
      return out;
    }
    case ToolValue::Kind::Group: return {};
    case ToolValue::Kind::Absent: break;
  }
  if (result.form == ResultForm::Group) return {};
  return value.note.empty() ? std::string("\u2014") : shownSentence(value.note, decimalSeparator);
}

std::vector<ToolLine> toolLines(const ToolDescriptor& tool, const ToolOutcome& outcome,
                                std::string_view decimalSeparator) {
  std::vector<ToolLine> lines;
  const auto line = [&](const ToolValue& value, const ToolResult& result, std::string path,
                        int depth) {
    ToolLine out;
    out.path = std::move(path);
    out.label = result.label;
    out.depth = depth;
    out.value = shownToolValue(value, result, decimalSeparator);
    if (value.kind == ToolValue::Kind::Number) out.unit = result.unit;
    if (value.kind != ToolValue::Kind::Absent)
      out.note = shownSentence(value.note, decimalSeparator);
    out.absent = value.kind == ToolValue::Kind::Absent;
    lines.push_back(std::move(out));
  };
  for (std::size_t r = 0; r < tool.results.size(); ++r) {
    const ToolResult& result = tool.results[r];
    static const ToolValue kAbsent;
    const ToolValue& value = r < outcome.results.size() ? outcome.results[r] : kAbsent;
    if (result.form != ResultForm::Group) {
      line(value, result, std::string(result.key), 0);
      continue;
    }
    ToolLine heading;
    heading.path = result.key;
    heading.label = result.label;
    heading.note = shownSentence(value.note, decimalSeparator);
    heading.heading = true;
    lines.push_back(std::move(heading));
    for (std::size_t m = 0; m < result.members.size(); ++m) {
      line(m < value.members.size() ? value.members[m] : kAbsent, result.members[m],
           std::string(result.key) + "." + std::string(result.members[m].key), 1);
    }
  }
  return lines;
}

std::string toolJson(const ToolDescriptor& tool, std::span<const std::optional<double>> readings,
                     const ToolOutcome& outcome, int indent) {
  JsonWriter json(indent);
  json.open('{');
  json.key("tool");
  json.string(tool.id);
  json.key("inputs");
  json.openValue('{');
  for (std::size_t i = 0; i < tool.inputs.size(); ++i) {
    json.key(memberNameOf(tool.inputs[i].key));
    const std::optional<double> reading = i < readings.size() ? readings[i] : std::nullopt;
    json.raw(reading ? jsonNumber(*reading) : std::string("null"));
  }
  json.close('}');
  json.key("results");
  json.openValue('{');
  for (std::size_t r = 0; r < tool.results.size(); ++r) {
    json.key(tool.results[r].key);
    static const ToolValue kAbsent;
    writeValue(json, r < outcome.results.size() ? outcome.results[r] : kAbsent, tool.results[r]);
  }
  json.close('}');
  json.key("error");
  if (outcome.error.empty()) {
    json.raw("null");
  } else {
    json.string(outcome.error);
  }
  json.close('}');
  return json.take();
}

ToolColumnPlace placeOfColumn(const ToolDescriptor& tool, const ToolColumn& column) {
  for (std::size_t r = 0; r < tool.results.size(); ++r) {
    const ToolResult& result = tool.results[r];
    if (result.key != column.result) continue;
    if (column.member.empty()) return {static_cast<int>(r), -1};
    for (std::size_t m = 0; m < result.members.size(); ++m)
      if (result.members[m].key == column.member) return {static_cast<int>(r), static_cast<int>(m)};
  }
  return {};
}

void appendColumnValue(std::string& out, const ToolDescriptor& tool, ToolColumnPlace place,
                       const ToolOutcome& outcome, std::string_view decimalSeparator) {
  if (place.result < 0 || place.result >= static_cast<int>(outcome.results.size())) return;
  const auto r = static_cast<std::size_t>(place.result);
  const ToolValue* value = &outcome.results[r];
  const ToolResult* result = &tool.results[r];
  if (place.member >= 0) {
    const auto m = static_cast<std::size_t>(place.member);
    if (m >= value->members.size() || m >= result->members.size()) return;
    value = &value->members[m];
    result = &result->members[m];
  }
  if (value->kind == ToolValue::Kind::Absent || value->kind == ToolValue::Kind::Group) return;
  out += shownToolValue(*value, *result, decimalSeparator);
}

}  // namespace pyrelon
