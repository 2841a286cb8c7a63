#include "core/numbers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>

#include "core/chars.h"

namespace pyrelon {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void appendInt(std::string& out, int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

// Saturates, so that an exponent of a thousand digits cannot overflow an int
// (ten times the cap plus a digit stays below 2^31). It lies above the length
// of any text read, so that a run of zeros, however long, meets its exponent
// exactly: "0.<200000 zeros>1e200001" is 1.
constexpr int kExponentCap = 99'999'999;

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
  const auto [end, ec] = chars::readDouble(buffer.data(), buffer.data() + buffer.size(), value);
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
    if (isDigit(c))
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    if (digit < 0 || digit >= radix) break;
    ++count;
    value = value * radix + digit;
    if (std::isinf(value)) return {0.0, ReadError::Overflow};
  }
  return {value, {}};
}

// A finite magnitude written with 15 significant digits, the last one
// rounded half away from zero: value = d1.d2...d15 x 10^exponent, i.e.
// `exponent` is the power of ten of the first digit, which is not '0'.
struct Digits15 {
  std::array<char, 16> digits{};  // the 16th is a spare '0'
  int exponent = 0;
  bool zero = true;
};
// How many of them are significant: all but the spare.
constexpr long long kSignificantDigits =
    static_cast<long long>(std::tuple_size_v<decltype(Digits15::digits)>) - 1;

// The eight decimal digits of `value` (below 10^8, leading zeros kept) as
// eight characters, the first in the lowest byte: each step splits every
// lane of the word in two (4 + 4 digits, 2 + 2, 1 + 1) with a multiply by
// a reciprocal, exact for the lane widths used.
std::uint64_t eightDigits(std::uint64_t value) {
  const std::uint64_t fours = value / 10000 | (value % 10000) << 32;
  const std::uint64_t hundreds = ((fours * 10486) >> 20) & 0x0000007F0000007FULL;
  const std::uint64_t twos = hundreds | (fours - hundreds * 100) << 16;
  const std::uint64_t tens = ((twos * 103) >> 10) & 0x000F000F000F000FULL;
  const std::uint64_t ones = tens | (twos - tens * 10) << 8;
  return ones + 0x3030303030303030ULL;
}

void storeEightDigits(char* to, std::uint64_t value) {
  const std::uint64_t text = eightDigits(value);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(to, &text, sizeof text);
  } else {
    for (int i = 0; i < 8; ++i) to[i] = static_cast<char>(text >> (8 * i));
  }
}

// Writes `value`, 0 to 99, as two digits at `to`: 7 -> "07".
void writeTwoDigits(char* to, int value) {
  to[0] = static_cast<char>('0' + value / 10);
  to[1] = static_cast<char>('0' + value % 10);
}

__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t kTen14 = 100'000'000'000'000ULL;
constexpr std::uint64_t kTen15 = 1'000'000'000'000'000ULL;

constexpr std::array<Wide, 33> kPowersOfFive = [] {
  std::array<Wide, 33> powers{};
  Wide power = 1;
  for (auto& p : powers) {
    p = power;
    power *= 5;
  }
  return powers;
}();

// The exact rounding for the magnitudes results have, from 2^-59 (about
// 1.7e-18) up to below 1e15. There magnitude = mantissa / 2^k with a 53-bit
// mantissa, and magnitude x 10^s (s = 14 - exponent, 0 <= s <= 32) is
// mantissa x 5^s / 2^(k - s): a product below 2^128, shifted right by 3 to
// 80 bits, whose integer part holds the 15 digits and whose remainder
// settles the rounding, ties included. False outside that range.
// It rounds as the sixty-digit path below does: a remainder other than an
// exact half lies at least 2^-80 of the last digit's unit away from it,
// far more than sixty digits can blur.
bool exactDigits15(double magnitude, Digits15& out) {
  if (!(magnitude >= 0x1p-59 && magnitude < 1e15)) return false;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> 52);  // the sign bit is clear
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  // floor(e2 x log10(2)) for the binary exponent e2 (exact for |e2| < 1650):
  // the decimal exponent or one less.
  int exponent = ((biased - 1023) * 78913) >> 18;
  int scale = 14 - exponent;
  int shift = 1075 - biased - scale;
  Wide scaled = Wide{mantissa} * kPowersOfFive[static_cast<std::size_t>(scale)];
  auto leading = static_cast<std::uint64_t>(scaled >> shift);
  if (leading >= kTen15) {
    ++exponent;
    --scale;
    ++shift;
    scaled = Wide{mantissa} * kPowersOfFive[static_cast<std::size_t>(scale)];
    leading = static_cast<std::uint64_t>(scaled >> shift);
  }
  if (leading < kTen14 || leading >= kTen15) return false;  // cannot happen; stay safe
  const Wide rest = scaled & ((Wide{1} << shift) - 1);
  if (rest >= (Wide{1} << (shift - 1))) ++leading;  // half away from zero
  if (leading == kTen15) {                          // 9.99...95 became 10.0
    leading = kTen14;
    ++exponent;
  }
  // Two whole-word stores, which the word-sized reads of the digits that
  // follow can take straight from the store buffer.
  storeEightDigits(out.digits.data(), leading / 10'000'000);
  storeEightDigits(out.digits.data() + 8, leading % 10'000'000 * 10);
  out.exponent = exponent;
  out.zero = false;
  return true;
}

// Every other magnitude: sixty significant digits settle the 16th digit,
// exact ties included, for every double; the 15 digits are then rounded
// on the 16th.
void scientificDigits15(double magnitude, Digits15& out) {
  char buffer[96];
  const auto result = chars::writeScientific(buffer, buffer + sizeof buffer, magnitude, 59);
  // buffer: "d.ddd...de[+-]xx", 60 digits
  char mantissa[60];
  mantissa[0] = buffer[0];
  std::memcpy(mantissa + 1, buffer + 2, 59);
  const char* p = buffer + 62;  // the exponent's sign
  const bool negative = *p == '-';
  int exponent = 0;
  for (++p; p < result.ptr; ++p) exponent = exponent * 10 + (*p - '0');
  if (negative) exponent = -exponent;

  bool carry = mantissa[15] >= '5';
  for (int i = 14; i >= 0; --i) {
    char d = mantissa[i];
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
  out.digits[15] = '0';
  if (carry) {  // 9.99...95 became 10.0
    out.digits.fill('0');
    out.digits[0] = '1';
    ++exponent;
  }
  out.exponent = exponent;
  out.zero = false;
}

void toDigits15(double magnitude, Digits15& out) {
  if (magnitude == 0.0) {
    out.digits.fill('0');
    out.exponent = 0;
    out.zero = true;
    return;
  }
  if (!exactDigits15(magnitude, out)) scientificDigits15(magnitude, out);
}

// Grows `out` by `size` characters and returns where they start.
char* grow(std::string& out, std::size_t size) {
  const std::size_t start = out.size();
  out.resize(start + size);
  return out.data() + start;
}

char* put(char* to, std::string_view text) {
  std::memcpy(to, text.data(), text.size());
  return to + text.size();
}

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
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
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

CompiledPattern compilePattern(std::string_view pattern) {
  // One pass; patterns are a few characters long.
  CompiledPattern compiled;
  std::size_t wholeEnd = pattern.size();
  std::size_t firstZero = pattern.size();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (!compiled.hasPoint) {
      if (c == '.') {
        compiled.hasPoint = true;
        wholeEnd = i;
      } else if (c == '0' && firstZero == pattern.size()) {
        firstZero = i;
      }
    } else if (c == '0') {
      compiled.forcedDecimals = i - wholeEnd;  // decimals up to this one
    }
  }
  if (firstZero < wholeEnd) compiled.minWholeDigits = wholeEnd - firstZero;
  if (compiled.hasPoint) compiled.decimals = pattern.size() - wholeEnd - 1;
  return compiled;
}

void appendPattern(std::string& out, double value, const CompiledPattern& pattern,
                   std::string_view decimalSeparator) {
  if (!std::isfinite(value)) return;
  Digits15 d;
  toDigits15(std::fabs(value), d);

  // The magnitude rounded to the pattern's decimals: the significant digits
  // shown[0..count), shown[0] at the power of ten `first`; every other
  // position holds a zero. count == 0 when the value shows as zero.
  char shown[16];
  long long count = 0;
  long long first = 0;
  if (!d.zero) {
    // No digit of a double lies more than 340 places after the point, so
    // with 400 decimals or more all 15 digits stay.
    const long long decimals =
        static_cast<long long>(pattern.decimals < 400 ? pattern.decimals : 400);
    const long long keep = d.exponent + 1 + decimals;  // digits down to the last decimal
    first = d.exponent;
    if (keep >= kSignificantDigits) {
      count = kSignificantDigits;
      std::memcpy(shown, d.digits.data(), 16);
    } else if (keep <= 0) {
      // Even the first digit lies beyond the decimals: zero, or one unit
      // of the last decimal when the first digit is that decimal's half.
      if (keep == 0 && d.digits[0] >= '5') {
        shown[0] = '1';
        count = 1;
        first = -decimals;
      }
    } else {
      count = keep;
      std::memcpy(shown, d.digits.data(), 16);
      if (d.digits[static_cast<std::size_t>(keep)] >= '5') {
        long long i = keep - 1;
        while (i >= 0 && shown[i] == '9') shown[i--] = '0';
        if (i >= 0) {
          ++shown[i];
        } else {  // 99.96 became 100.0
          shown[0] = '1';
          count = 1;
          ++first;
        }
      }
    }
  }

  const std::size_t wholeDigits = count > 0 && first >= 0 ? static_cast<std::size_t>(first) + 1 : 0;
  const std::size_t wholeWidth =
      wholeDigits > pattern.minWholeDigits ? wholeDigits : pattern.minWholeDigits;
  // Decimals shown: up to the last nonzero one, at least the forced ones.
  std::size_t fracDigits = pattern.forcedDecimals;
  for (long long i = count - 1; i >= 0; --i) {
    if (shown[i] != '0') {
      // A nonzero digit among the whole ones (i - first <= 0) asks for none.
      fracDigits =
          static_cast<std::size_t>(std::max(static_cast<long long>(fracDigits), i - first));
      break;
    }
  }
  const bool minus = std::signbit(value) && count > 0;  // nothing shown: no sign

  const std::size_t size =
      (minus ? 1 : 0) + wholeWidth + (pattern.hasPoint ? decimalSeparator.size() + fracDigits : 0);
  char* to = grow(out, size);
  if (minus) *to++ = '-';
  std::memset(to, '0', wholeWidth);
  to += wholeWidth - wholeDigits;
  const std::size_t wholeFromShown =
      wholeDigits < static_cast<std::size_t>(count) ? wholeDigits : static_cast<std::size_t>(count);
  std::memcpy(to, shown, wholeFromShown);
  to += wholeDigits;
  if (!pattern.hasPoint) return;
  to = put(to, decimalSeparator);
  for (std::size_t j = 1; j <= fracDigits; ++j) {
    const long long i = first + static_cast<long long>(j);  // index of the digit at 10^-j
    *to++ = i >= 0 && i < count ? shown[i] : '0';
  }
}

std::string formatPattern(double value, std::string_view pattern,
                          std::string_view decimalSeparator) {
  std::string out;
  appendPattern(out, value, compilePattern(pattern), decimalSeparator);
  return out;
}

void appendPlain(std::string& out, double value, std::string_view decimalSeparator) {
  if (!std::isfinite(value)) return;
  Digits15 d;
  toDigits15(std::fabs(value), d);
  if (d.zero) {
    out += '0';
    return;
  }
  const bool minus = value < 0;
  const char* digits = d.digits.data();
  auto last = static_cast<int>(kSignificantDigits) - 1;  // the last nonzero digit
  while (digits[last] == '0') --last;

  if (d.exponent >= 0 && d.exponent < 15) {
    const int whole = d.exponent + 1;
    const int frac = last >= whole ? last + 1 - whole : 0;
    char* to =
        grow(out, (minus ? 1 : 0) + static_cast<std::size_t>(whole) +
                      (frac > 0 ? decimalSeparator.size() + static_cast<std::size_t>(frac) : 0));
    if (minus) *to++ = '-';
    to = put(to, {digits, static_cast<std::size_t>(whole)});
    if (frac > 0) put(put(to, decimalSeparator), {digits + whole, static_cast<std::size_t>(frac)});
    return;
  }
  if (d.exponent < 0 && d.exponent >= -5) {  // "0", the separator, zeros, the digits
    const int zeros = -d.exponent - 1;
    char* to = grow(out, (minus ? 2 : 1) + decimalSeparator.size() +
                             static_cast<std::size_t>(zeros) + static_cast<std::size_t>(last) + 1);
    if (minus) *to++ = '-';
    *to++ = '0';
    to = put(to, decimalSeparator);
    std::memset(to, '0', static_cast<std::size_t>(zeros));
    put(to + zeros, {digits, static_cast<std::size_t>(last) + 1});
    return;
  }
  // Exponent form: "d[<sep>ddd]E+xx", at least two exponent digits.
  const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
  const int exponentDigits = magnitude >= 100 ? 3 : 2;
  char* to =
      grow(out, (minus ? 1 : 0) + 1 +
                    (last > 0 ? decimalSeparator.size() + static_cast<std::size_t>(last) : 0) + 2 +
                    static_cast<std::size_t>(exponentDigits));
  if (minus) *to++ = '-';
  *to++ = digits[0];
  if (last > 0) to = put(put(to, decimalSeparator), {digits + 1, static_cast<std::size_t>(last)});
  *to++ = 'E';
  *to++ = d.exponent < 0 ? '-' : '+';
  if (exponentDigits == 3) *to++ = static_cast<char>('0' + magnitude / 100);
  writeTwoDigits(to, magnitude % 100);
}

std::string plainForm(double value, std::string_view decimalSeparator) {
  std::string out;
  appendPlain(out, value, decimalSeparator);
  return out;
}

std::string signedForm(double value) {
  // The plain form starts with '-' exactly for a finite negative value
  // (-0 shows as "0").
  std::string text = std::isfinite(value) && value < 0 ? "" : " ";
  appendPlain(text, value, ".");
  return text;
}

bool keyFilterPasses(std::string_view currentText, int code) {
  return currentText.find('.') != std::string_view::npos || (code >= '0' && code <= '9');
}

std::string withDecimalComma(std::string_view text) {
  std::string out(text);
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  for (std::size_t i = 1; i + 1 < out.size(); ++i)
    if (out[i] == '.' && digit(out[i - 1]) && digit(out[i + 1])) out[i] = ',';
  return out;
}

}  // namespace pyrelon
