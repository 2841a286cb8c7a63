#include "chart/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "core/chars.h"

namespace pyrelon::chart {

namespace {

void appendInteger(std::string& out, std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace

std::string decimalText(std::int64_t mantissa, int exponent) {
  if (mantissa == 0) return "0";
  std::string out;
  if (mantissa < 0) out += '-';
  // The magnitude as digits, dropping trailing zeros into the exponent.
  std::uint64_t magnitude = mantissa < 0 ? 0 - static_cast<std::uint64_t>(mantissa)
                                         : static_cast<std::uint64_t>(mantissa);
  while (magnitude % 10 == 0) {
    magnitude /= 10;
    ++exponent;
  }
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude).ptr;
  const std::string digits(buffer, end);
  const int count = static_cast<int>(digits.size());
  if (exponent >= 0 && exponent + count <= 13) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent), '0');
  } else if (exponent < 0 && -exponent <= 12) {
    const int whole = count + exponent;  // digits before the point
    if (whole > 0) {
      out.append(digits, 0, static_cast<std::size_t>(whole));
      out += '.';
      out.append(digits, static_cast<std::size_t>(whole));
    } else {
      out += "0.";
      out.append(static_cast<std::size_t>(-whole), '0');
      out += digits;
    }
  } else {
    out += digits[0];
    if (count > 1) {
      out += '.';
      out.append(digits, 1);
    }
    out += 'e';
    appendInteger(out, exponent + count - 1);
  }
  return out;
}

std::string fixedText(double value, int places) {
  if (!std::isfinite(value) || std::abs(value) >= 1e12) return shortScientific(value);
  places = std::clamp(places, 0, 6);
  std::int64_t scale = 1;
  for (int i = 0; i < places; ++i) scale *= 10;
  const std::int64_t scaled = std::llround(value * static_cast<double>(scale));
  std::string out;
  if (scaled < 0) out += '-';
  const std::int64_t magnitude = std::abs(scaled);  // below 10^18: no overflow
  appendInteger(out, magnitude / scale);
  if (places > 0) {
    out += '.';
    const std::string fraction = std::to_string(scale + magnitude % scale);
    out.append(fraction, 1);
  }
  return out;
}

std::string shortScientific(double value) {
  if (!std::isfinite(value)) return "?";
  if (value == 0) return "0";
  char buffer[40];
  const auto result = chars::writeScientific(buffer, buffer + sizeof buffer, value, 2);
  std::string text(buffer, result.ptr);
  // "1.50e+07" -> "1.5e7"
  const auto e = text.find('e');
  std::string mantissa = text.substr(0, e);
  while (mantissa.back() == '0') mantissa.pop_back();
  if (mantissa.back() == '.') mantissa.pop_back();
  std::string power = text.substr(e + 1);
  if (power[0] == '+') power.erase(0, 1);
  const bool negative = power[0] == '-';
  if (negative) power.erase(0, 1);
  while (power.size() > 1 && power[0] == '0') power.erase(0, 1);
  if (power == "0") return mantissa;
  return mantissa + 'e' + (negative ? "-" : "") + power;
}

void appendTenths(std::string& out, double value) {
  constexpr double kLimit = 1e6;
  if (!(value > -kLimit)) value = -kLimit;  // NaN too
  if (value > kLimit) value = kLimit;
  const auto tenths = static_cast<std::int64_t>(std::llround(value * 10));
  if (tenths < 0) out += '-';
  const std::int64_t magnitude = tenths < 0 ? -tenths : tenths;
  appendInteger(out, magnitude / 10);
  if (magnitude % 10 != 0) {
    out += '.';
    out += static_cast<char>('0' + magnitude % 10);
  }
}

void appendEscaped(std::string& out, std::string_view text) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      switch (byte) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case '\t':
        case '\n':
        case '\r': out += static_cast<char>(byte); break;
        default: out += byte < 0x20 || byte == 0x7F ? ' ' : static_cast<char>(byte);
      }
      ++i;
      continue;
    }
    // A UTF-8 sequence: its length from the lead byte, its continuation
    // bytes checked, overlong forms, surrogates and U+FFFE/U+FFFF refused.
    int length = 0;
    std::uint32_t code = 0;
    if (byte >= 0xC2 && byte <= 0xDF) {
      length = 2;
      code = byte & 0x1Fu;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
      length = 3;
      code = byte & 0x0Fu;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
      length = 4;
      code = byte & 0x07u;
    }
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      valid = (next & 0xC0u) == 0x80u;
      code = (code << 6) | (next & 0x3Fu);
    }
    if (valid) {
      const std::uint32_t smallest = length == 2 ? 0x80u : length == 3 ? 0x800u : 0x10000u;
      valid = code >= smallest && code <= 0x10FFFFu && !(code >= 0xD800u && code <= 0xDFFFu) &&
              code != 0xFFFEu && code != 0xFFFFu;
    }
    if (valid) {
      out.append(text, i, static_cast<std::size_t>(length));
      i += static_cast<std::size_t>(length);
    } else {
      out += kReplacement;
      ++i;
    }
  }
}

double portableLog10(double value) {
  constexpr double kLn2 = std::numbers::ln2;
  constexpr double kLn10 = std::numbers::ln10;
  constexpr double kSqrtHalf = std::numbers::sqrt2 / 2;  // halving is exact
  int exponent = 0;
  double mantissa = std::frexp(value, &exponent);  // value = mantissa·2^exponent, [0.5, 1)
  if (mantissa < kSqrtHalf) {
    mantissa *= 2;
    --exponent;
  }
  // ln m = 2·atanh s = 2(s + s^3/3 + s^5/5 + …), |s| < 0.172: s^2 < 0.03,
  // so fourteen terms take the remainder below 1e-20.
  const double s = (mantissa - 1) / (mantissa + 1);
  const double s2 = s * s;
  double term = s;
  double sum = 0;
  for (int k = 1; k <= 27; k += 2) {
    sum += term / k;
    term *= s2;
  }
  return (2 * sum + exponent * kLn2) / kLn10;
}

}  // namespace pyrelon::chart
