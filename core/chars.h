// The two floating-point text conversions the number conventions need.
// Natively they are std::from_chars and std::to_chars. The C++ library of
// the WebAssembly build (Emscripten 3.1.6) has neither for floating point,
// so there the reading goes through fast_float and the writing through
// snprintf, which converts exactly and knows no locale in that C library;
// the desktop build never sees either.
#pragma once

#include <charconv>
#include <system_error>

#ifdef __EMSCRIPTEN__
#include <fast_float/fast_float.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#endif

namespace pyrelon::chars {

// Reads a decimal number "[-]digits[.digits][e[+|-]digits]" from the start
// of [first, last) as std::from_chars(first, last, value) does: a number
// beyond the double range, or a nonzero one below the smallest denormal,
// gives result_out_of_range and leaves `value` as it was.
inline std::from_chars_result readDouble(const char* first, const char* last, double& value) {
#ifndef __EMSCRIPTEN__
  return std::from_chars(first, last, value);
#else
  double parsed = 0.0;
  const auto result = fast_float::from_chars(first, last, parsed);
  if (result.ec != std::errc()) return {result.ptr, result.ec};
  bool nonzeroDigit = false;
  bool anyDigit = false;
  for (const char* p = first; p != result.ptr && *p != 'e' && *p != 'E'; ++p) {
    anyDigit = anyDigit || (*p >= '0' && *p <= '9');
    nonzeroDigit = nonzeroDigit || (*p >= '1' && *p <= '9');
  }
  // fast_float rounds to infinity or zero without saying so; "inf" itself
  // has no digit.
  if ((std::isinf(parsed) && anyDigit) || (parsed == 0.0 && nonzeroDigit))
    return {result.ptr, std::errc::result_out_of_range};
  value = parsed;
  return {result.ptr, std::errc()};
#endif
}

// Writes `value` as std::to_chars(first, last, value,
// std::chars_format::scientific, precision) does: "d.ddde+XX", correctly
// rounded to `precision` digits after the point (at most 100 here).
inline std::to_chars_result writeScientific(char* first, char* last, double value, int precision) {
#ifndef __EMSCRIPTEN__
  return std::to_chars(first, last, value, std::chars_format::scientific, precision);
#else
  char buffer[160];
  const int written = std::snprintf(buffer, sizeof buffer, "%.*e", precision, value);
  if (written < 0 || static_cast<std::size_t>(written) >= sizeof buffer || written > last - first)
    return {last, std::errc::value_too_large};
  std::memcpy(first, buffer, static_cast<std::size_t>(written));
  return {first + written, std::errc()};
#endif
}

}  // namespace pyrelon::chars
