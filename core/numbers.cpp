#include "core/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace pyrelon {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void appendInt(std::string& out, int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

// Saturates, so that an exponent of a thousand digits cannot overflow an int.
constexpr int kExponentCap = 99999;

// Parses the unsigned decimal number "<whole>.<frac>e<exp>" whose parts have
// already been checked; tells overflow from underflow by the position of the
// first significant digit, since from_chars reports both as out of range.
ReadResult parseDecimal(const std::string& whole, const std::string& frac, int exponent,
                        bool negative) {
  std::string buffer;
  buffer.reserve(whole.size() + frac.size() + 16);
  buffer += whole.empty() ? "0" : whole;
  if (!frac.empty()) {
    buffer += '.';
    buffer += frac;
  }
  buffer += 'e';
  appendInt(buffer, exponent);

  double value = 0.0;
  const auto [end, ec] =
      std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    // Decimal exponent of the first significant digit.
    long long leading = 0;
    const auto firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string::npos) {
      leading = static_cast<long long>(whole.size() - firstWhole) - 1;
    } else {
      const auto firstFrac = frac.find_first_not_of('0');
      if (firstFrac == std::string::npos) return {negative ? -0.0 : 0.0, {}};
      leading = -static_cast<long long>(firstFrac) - 1;
    }
    if (leading + exponent > 0) return {0.0, ReadError::Overflow};
    return {negative ? -0.0 : 0.0, {}};
  }
  if (ec != std::errc()) return {0.0, ReadError::TypeMismatch};
  return {negative ? -value : value, {}};
}

// Reads "[E|e][+|-]digits" at `pos`. Returns false, leaving `pos`, when no
// digit follows the letter and its sign.
bool readExponent(std::string_view s, std::size_t& pos, int& exponent) {
  std::size_t p = pos;
  if (p >= s.size() || (s[p] != 'E' && s[p] != 'e')) return false;
  ++p;
  bool negative = false;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
  if (p >= s.size() || !isDigit(s[p])) return false;
  int magnitude = 0;
  while (p < s.size() && isDigit(s[p])) {
    magnitude = magnitude >= kExponentCap ? kExponentCap : magnitude * 10 + (s[p] - '0');
    ++p;
  }
  if (magnitude > kExponentCap) magnitude = kExponentCap;
  exponent = negative ? -magnitude : magnitude;
  pos = p;
  return true;
}

ReadResult readRadix(std::string_view s, int radix, std::size_t& count) {
  double value = 0.0;
  count = 0;
  for (char c : s) {
    int digit = -1;
    if (isDigit(c)) digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || digit >= radix) break;
    ++count;
    value = value * radix + digit;
    if (std::isinf(value)) return {0.0, ReadError::Overflow};
  }
  return {value, {}};
}

// A finite magnitude written with 15 significant digits, the last one
// rounded half away from zero: value = 0.d1d2...d15 x 10^(exponent + 1),
// i.e. `exponent` is the power of ten of the first digit.
struct Digits15 {
  std::array<char, 15> digits{};
  int exponent = 0;
  bool zero = true;
};

Digits15 toDigits15(double magnitude) {
  Digits15 out;
  out.digits.fill('0');
  if (magnitude == 0.0) return out;
  out.zero = false;
  // Sixty digits settle the 16th digit, including exact ties, for every
  // double.
  char buffer[96];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, 59);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  // text: "d.ddd...e[+-]xx"
  std::string mantissa;
  mantissa.reserve(60);
  std::size_t pos = 0;
  for (; pos < text.size() && text[pos] != 'e'; ++pos)
    if (isDigit(text[pos])) mantissa += text[pos];
  int exponent = 0;
  std::from_chars(text.data() + pos + 1 + (text[pos + 1] == '+'), text.data() + text.size(),
                  exponent);

  bool carry = mantissa[15] >= '5';
  for (int i = 14; i >= 0; --i) {
    char d = mantissa[static_cast<std::size_t>(i)];
    if (carry) {
      if (d == '9') {
        d = '0';
      } else {
        ++d;
        carry = false;
      }
    }
    out.digits[static_cast<std::size_t>(i)] = d;
  }
  if (carry) {  // 9.99...95 became 10.0
    out.digits.fill('0');
    out.digits[0] = '1';
    ++exponent;
  }
  out.exponent = exponent;
  return out;
}

// Adds one unit in the last place of a string of decimal digits; returns
// true when the carry runs off the front.
bool incrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it == '9') {
      *it = '0';
    } else {
      ++*it;
      return false;
    }
  }
  return true;
}

// The 15-digit magnitude as whole and fractional digit strings, the whole
// part without leading zeros (empty below 1).
void splitFixed(const Digits15& d, std::string& whole, std::string& frac) {
  whole.clear();
  frac.clear();
  if (d.zero) return;
  const std::string digits(d.digits.begin(), d.digits.end());
  if (d.exponent >= 0) {
    const auto wholeCount = static_cast<std::size_t>(d.exponent) + 1;
    if (wholeCount >= digits.size()) {
      whole = digits;
      whole.append(wholeCount - digits.size(), '0');
    } else {
      whole = digits.substr(0, wholeCount);
      frac = digits.substr(wholeCount);
    }
  } else {
    frac.assign(static_cast<std::size_t>(-d.exponent - 1), '0');
    frac += digits;
  }
}

void stripTrailingZeros(std::string& frac, std::size_t keep) {
  while (frac.size() > keep && frac.back() == '0') frac.pop_back();
}

bool allZeros(const std::string& s) { return s.find_first_not_of('0') == std::string::npos; }

}  // namespace

namespace {

// The Val rule over `text` with its blanks already dropped. `end` is where
// reading stopped in the text without blanks; `number` is false when no
// digit was read.
ReadResult scanStripped(const std::string& s, std::size_t& end, bool& number) {
  end = 0;
  number = false;
  if (s.size() >= 2 && s[0] == '&') {
    const char radix = s[1];
    const int base = radix == 'H' || radix == 'h' ? 16 : radix == 'O' || radix == 'o' ? 8 : 0;
    if (base == 0) return {0.0, {}};
    const std::string_view digits = std::string_view(s).substr(2);
    std::size_t count = 0;
    const ReadResult result = readRadix(digits, base, count);
    number = count > 0;
    end = number ? 2 + count : 0;
    return result;
  }

  std::size_t pos = 0;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';
  std::string whole;
  std::string frac;
  while (pos < s.size() && isDigit(s[pos])) whole += s[pos++];
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    while (pos < s.size() && isDigit(s[pos])) frac += s[pos++];
  }
  if (whole.empty() && frac.empty()) return {0.0, {}};
  number = true;
  int exponent = 0;
  readExponent(s, pos, exponent);
  end = pos;
  return parseDecimal(whole, frac, exponent, negative);
}

bool isValBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

std::string withoutBlanks(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (!isValBlank(c)) s += c;
  return s;
}

}  // namespace

ReadResult readVal(std::string_view text) {
  std::size_t end = 0;
  bool number = false;
  return scanStripped(withoutBlanks(text), end, number);
}

ValScan scanVal(std::string_view text) {
  ValScan scan;
  std::size_t stripped = 0;
  scan.result = scanStripped(withoutBlanks(text), stripped, scan.number);
  // Back from the text without blanks to `text`: past `stripped` characters
  // that are not blanks, and past the blanks that follow the last of them
  // only when nothing but blanks remains.
  std::size_t pos = 0;
  for (std::size_t kept = 0; pos < text.size() && kept < stripped; ++pos)
    if (!isValBlank(text[pos])) ++kept;
  std::size_t rest = pos;
  while (rest < text.size() && isValBlank(text[rest])) ++rest;
  scan.end = !scan.number ? 0 : rest == text.size() ? rest : pos;
  return scan;
}

ReadResult readLocaleNumber(std::string_view text, std::string_view decimalSeparator,
                            std::string_view groupSeparator) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  const ReadResult mismatch{0.0, ReadError::TypeMismatch};

  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
    negative = text[pos++] == '-';
  std::string whole;
  std::string frac;
  while (pos < text.size()) {
    if (isDigit(text[pos])) {
      whole += text[pos++];
    } else if (!whole.empty() && !groupSeparator.empty() && groupSeparator != decimalSeparator &&
               text.substr(pos).starts_with(groupSeparator)) {
      pos += groupSeparator.size();
    } else {
      break;
    }
  }
  if (!decimalSeparator.empty() && text.substr(pos).starts_with(decimalSeparator)) {
    pos += decimalSeparator.size();
    while (pos < text.size() && isDigit(text[pos])) frac += text[pos++];
  }
  if (whole.empty() && frac.empty()) return mismatch;
  int exponent = 0;
  if (pos < text.size() && !readExponent(text, pos, exponent)) return mismatch;
  if (pos != text.size()) return mismatch;
  return parseDecimal(whole, frac, exponent, negative);
}

std::string formatPattern(double value, std::string_view pattern,
                          std::string_view decimalSeparator) {
  if (!std::isfinite(value)) return {};

  const auto point = pattern.find('.');
  const std::string_view wholePattern = pattern.substr(0, point);
  const std::string_view fracPattern =
      point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
  const auto firstZero = wholePattern.find('0');
  const std::size_t minWholeDigits =
      firstZero == std::string_view::npos ? 0 : wholePattern.size() - firstZero;
  const std::size_t decimals = fracPattern.size();
  const auto lastZero = fracPattern.rfind('0');
  const std::size_t forcedDecimals = lastZero == std::string_view::npos ? 0 : lastZero + 1;

  std::string whole;
  std::string frac;
  splitFixed(toDigits15(std::fabs(value)), whole, frac);

  if (frac.size() > decimals) {
    const bool roundUp = frac[decimals] >= '5';
    frac.resize(decimals);
    if (roundUp) {
      std::string all = whole + frac;
      if (incrementDigits(all)) all.insert(all.begin(), '1');
      whole = all.substr(0, all.size() - decimals);
      frac = all.substr(all.size() - decimals);
    }
  }
  frac.append(decimals - frac.size(), '0');
  const bool showsZero = allZeros(whole) && allZeros(frac);

  const auto firstSignificant = whole.find_first_not_of('0');
  whole.erase(0, firstSignificant == std::string::npos ? whole.size() : firstSignificant);
  if (whole.size() < minWholeDigits) whole.insert(0, minWholeDigits - whole.size(), '0');
  stripTrailingZeros(frac, forcedDecimals);

  std::string out;
  out.reserve(whole.size() + frac.size() + 4);
  if (value < 0 && !showsZero) out += '-';
  out += whole;
  if (point != std::string_view::npos) {
    out += decimalSeparator;
    out += frac;
  }
  return out;
}

std::string plainForm(double value, std::string_view decimalSeparator) {
  if (!std::isfinite(value)) return {};
  const Digits15 d = toDigits15(std::fabs(value));
  if (d.zero) return "0";

  std::string out = value < 0 ? "-" : "";
  if (d.exponent >= -5 && d.exponent < 15) {
    std::string whole;
    std::string frac;
    splitFixed(d, whole, frac);
    stripTrailingZeros(frac, 0);
    out += whole.empty() ? "0" : whole;
    if (!frac.empty()) {
      out += decimalSeparator;
      out += frac;
    }
    return out;
  }
  std::string rest(d.digits.begin() + 1, d.digits.end());
  stripTrailingZeros(rest, 0);
  out += d.digits[0];
  if (!rest.empty()) {
    out += decimalSeparator;
    out += rest;
  }
  out += d.exponent < 0 ? "E-" : "E+";
  const int magnitude = std::abs(d.exponent);
  if (magnitude < 10) out += '0';
  appendInt(out, magnitude);
  return out;
}

std::string signedForm(double value) {
  std::string text = plainForm(value, ".");
  if (!text.starts_with('-')) text.insert(text.begin(), ' ');
  return text;
}

bool keyFilterPasses(std::string_view currentText, int code) {
  return currentText.find('.') != std::string_view::npos || (code >= 48 && code <= 57);
}

}  // namespace pyrelon
