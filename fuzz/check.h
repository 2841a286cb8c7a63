// Property checks for the fuzz targets: a broken property prints what was
// expected and aborts, so libFuzzer keeps the input as a crash.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace pyrelon::fuzz {

[[noreturn]] inline void fail(std::string_view property, std::string_view detail) {
  std::fprintf(stderr, "\n*** property broken: %.*s\n    %.*s\n",
               static_cast<int>(property.size()), property.data(),
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}

inline void require(bool holds, std::string_view property, std::string_view detail) {
  if (!holds) fail(property, detail);
}

// A double in its shortest round-trip form, for failure messages.
inline std::string describe(double value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

// "[" + text + "]" with control and non-ASCII bytes as \xNN.
inline std::string quote(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "[";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) {
      out += c;
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out + "]";
}

// The largest magnitude whose 15-digit rounding is still a double. From
// 1.797693134862315e308 up, the 15 digits read 1.79769313486232E+308, which
// lies beyond the double range: such a text reads back as an overflow (as
// the same text typed into the original platform's Val did).
inline constexpr double kLargest15DigitDouble = 1.797693134862315e308;

inline bool containsInfOrNan(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

}  // namespace pyrelon::fuzz
