#include "fuzz/reference_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace pyrelon::reference {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void appendInt(std::string& out, int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
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
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 59);
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

}  // namespace pyrelon::reference
