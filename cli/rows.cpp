#include "cli/rows.h"

#include <cstdint>
#include <cstring>
#include <iterator>

#include "shell/controls.h"
#include "shell/results.h"

namespace pyrelon::cli {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string normalizedName(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
    } else if ((c >= 'a' && c <= 'z') || isDigit(c)) {
      out += c;
    }
  }
  return out;
}

int findEntry(const ListSpec& list, std::string_view name) {
  const std::string wanted = normalizedName(name);
  if (wanted.empty()) return -1;
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    const ListEntry& e = list.entries[i];
    if (normalizedName(e.text) == wanted || (!e.alias.empty() && normalizedName(e.alias) == wanted))
      return static_cast<int>(i);
  }
  return -1;
}

std::string entryNames(const ListSpec& list) {
  std::string text;
  for (const ListEntry& e : list.entries) {
    if (!text.empty()) text += ", ";
    text += e.text;
    if (!e.alias.empty()) (text += " (") += std::string(e.alias) + ")";
  }
  return text;
}

std::optional<std::string> strictNumber(std::string_view text, bool decimalComma) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  const char separator = decimalComma ? ',' : '.';
  std::string out;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) out += text[i++], ++digits;
  if (i < text.size() && text[i] == separator) {
    out += '.';
    ++i;
    while (i < text.size() && isDigit(text[i])) out += text[i++], ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    out += text[i++];
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
    std::size_t exponentDigits = 0;
    while (i < text.size() && isDigit(text[i])) out += text[i++], ++exponentDigits;
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  return out;
}

std::optional<ReadResult> strictReading(std::string_view text, bool decimalComma) {
  // Powers of ten a double holds exactly.
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  std::string_view t = text;
  while (!t.empty() && isBlank(t.front())) t.remove_prefix(1);
  while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
  const char separator = decimalComma ? ',' : '.';
  const bool negative = t.starts_with('-');
  std::size_t i = negative || t.starts_with('+') ? 1 : 0;
  std::uint64_t mantissa = 0;
  int significant = 0;
  int digits = 0;
  int scale = 0;  // decimal digits after the separator
  bool afterSeparator = false;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    if (isDigit(c)) {
      ++digits;
      if (afterSeparator) ++scale;
      if (significant > 0 || c != '0') {
        if (++significant <= 19) mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      }
    } else if (c == separator && !afterSeparator) {
      afterSeparator = true;
    } else {
      break;
    }
  }
  // Without an exponent and with at most 15 significant digits, the
  // mantissa and the power of ten are exact and one division or product
  // rounds correctly: the Val rule's reading.
  if (digits > 0 && i == t.size() && significant <= 15 &&
      static_cast<std::size_t>(scale) < std::size(kPowers)) {
    const double value = static_cast<double>(mantissa) / kPowers[scale];
    return ReadResult{negative ? -value : value, {}};
  }
  const std::optional<std::string> number = strictNumber(text, decimalComma);
  if (!number) return std::nullopt;
  return readVal(*number);
}

namespace {

// The length of the UTF-8 character at the start of `text` (2 to 4 bytes,
// no overlong form, no surrogate, no C1 control), or 0.
std::size_t characterLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3Fu);
  }
  const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
      (code >= 0x80 && code <= 0x9F))
    return 0;
  return length;
}

}  // namespace

std::string quotedField(std::string_view field) {
  constexpr std::size_t kMostCharacters = 40;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  std::size_t characters = 0;
  std::size_t i = 0;
  while (i < field.size()) {
    if (characters == kMostCharacters) {
      out += "...";
      break;
    }
    const auto c = static_cast<unsigned char>(field[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
      ++i;
    } else if (const std::size_t length = c >= 0x80 ? characterLength(field.substr(i)) : 0) {
      out.append(field.substr(i, length));
      i += length;
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
      ++i;
    }
    ++characters;
  }
  out += '"';
  return out;
}

std::vector<int> inputsRead(const PanelDescriptor& panel, int entry) {
  std::vector<bool> read(panel.inputs.size(), false);
  if (const ReadPlan* plan = panel.planFor(entry)) {
    for (const ReadStep& step : *plan)
      if (step.kind == ReadStep::Read) read[static_cast<std::size_t>(step.input)] = true;
  }
  std::vector<int> inputs;
  for (std::size_t i = 0; i < read.size(); ++i)
    if (read[i]) inputs.push_back(static_cast<int>(i));
  return inputs;
}

std::string resultCaption(const PanelDescriptor& panel, int entry, std::size_t index) {
  const ResultSpec& result = panel.resultsFor(entry)[index];
  if (!panel.captionLabels.empty()) return std::string(result.unit);
  const ControlSpec* caption = findControl(captionLabelOf(result.label));
  return caption ? std::string(caption->text) : std::string();
}

std::string_view printedUnit(const PanelDescriptor& panel, int entry, std::size_t index) {
  const std::string_view unit = panel.resultsFor(entry)[index].unit;
  if (unit.empty() || namesUnit(resultCaption(panel, entry, index), unit)) return {};
  return unit;
}

void shownResults(const PanelDescriptor& panel, int entry, const Outcome& outcome,
                  std::vector<std::string>& shown) {
  const std::span<const ResultSpec> results = panel.resultsFor(entry);
  shown.resize(results.size());
  for (std::string& s : shown) s.clear();
  for (const Step& step : outcome.steps()) {
    if (step.kind != Step::Write && step.kind != Step::Clear) continue;
    for (std::size_t i = 0; i < results.size(); ++i)
      if (results[i].label == step.control) shown[i] = step.text;
  }
}

std::vector<std::string> shownResults(const PanelDescriptor& panel, int entry,
                                      const Outcome& outcome) {
  std::vector<std::string> shown;
  shownResults(panel, entry, outcome, shown);
  return shown;
}

std::string errorOf(const Outcome& outcome) {
  switch (outcome.ending()) {
    case Ending::Solved: return {};
    // Only a press without a list entry ends so, and every command names
    // one (the first by default): no command shows this sentence.
    case Ending::Nothing: return "Nothing to compute.";
    case Ending::OutOfLimits:
    case Ending::Fault: return outcome.message();
  }
  return {};
}

std::string columnKey(std::string_view name) {
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  std::string key(name);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

}  // namespace pyrelon::cli
