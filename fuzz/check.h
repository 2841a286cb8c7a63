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
  std::fprintf(stderr, "\n*** property broken: %.*s\n    %.*s\n", static_cast<int>(property.size()),
               property.data(), static_cast<int>(detail.size()), detail.data());
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

// Whether `text` shows the largest doubles rounded to 15 digits:
// 1.79769313486232E+308, in exponent form or written out in full (any sign,
// blank or decimals). That number lies beyond the double range, so such a
// text reads back as an overflow, as the same text typed into the original
// platform did; it is the one text the program writes that cannot read back.
inline bool showsDoubleLimit(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '-')) text.remove_prefix(1);
  if (text.find('E') != std::string_view::npos)
    return text.size() == 21 && text.substr(2) == "79769313486232E+308" && text[0] == '1';
  std::size_t wholeDigits = 0;
  while (wholeDigits < text.size() && text[wholeDigits] >= '0' && text[wholeDigits] <= '9')
    ++wholeDigits;
  return wholeDigits == 309 && text.starts_with("179769313486232") &&
         text.substr(15, 309 - 15).find_first_not_of('0') == std::string_view::npos;
}

inline bool containsInfOrNan(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

}  // namespace pyrelon::fuzz
