// Writes what the number conventions make of a fixed list of texts and
// doubles, one line each, so that two builds (native, WebAssembly) can be
// compared with diff. Doubles are printed as their bits in hexadecimal,
// since the WebAssembly C++ library cannot write a double itself.
// With the argument "sweep" it writes, instead, one line per double of a
// fixed pseudo-random sweep (any bit pattern, decimal ties): its bits and a
// hash of all its texts.
#include <cfloat>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "core/numbers.h"

namespace {

using namespace pyrelon;

constexpr std::string_view kPatterns[] = {
    "0.000",   "#0.00", "##0.00", "###0.00", "#0.0",  "##0.0", "###0.0",
    "####0.0", "####0", "#####0", "######0", "##.#0", "#.#0",
};

std::string hex(std::uint64_t raw) {
  char buffer[17];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, raw, 16).ptr;
  return std::string(buffer, end);
}

std::string bits(double value) {
  std::uint64_t raw = 0;
  std::memcpy(&raw, &value, sizeof raw);
  return hex(raw);
}

std::string describe(const ReadResult& read) {
  if (!read.ok()) return read.error == ReadError::Overflow ? "overflow" : "mismatch";
  return bits(read.value);
}

std::string texts(double value) {
  std::string line;
  for (std::string_view pattern : kPatterns) {
    const std::string point = formatPattern(value, pattern, ".");
    line += ' ' + point + ' ' + formatPattern(value, pattern, ",");
    line += " <" + describe(readLocaleNumber(point, ".", ",")) + '>';
  }
  const std::string signed_ = signedForm(value);
  line += " | " + plainForm(value, ",") + " |" + signed_ + "| <" + describe(readVal(signed_)) + '>';
  return line;
}

void dumpValue(double value) { std::puts((bits(value) + ":" + texts(value)).c_str()); }

// 64-bit FNV-1a.
std::uint64_t hash(std::string_view text) {
  std::uint64_t h = 14695981039346656037ULL;
  for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  return h;
}

void sweep() {
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t raw = random();
    double value = 0.0;
    std::memcpy(&value, &raw, sizeof value);
    if (i % 2 == 1) {  // a decimal half, as text, through the Val rule
      const std::string text = std::to_string(raw % 1'000'000'000) + '5' + 'e' +
                               std::to_string(static_cast<int>(raw >> 40) % 40 - 30);
      value = readVal(text).value;
    }
    if (value != value || value - value != 0) continue;  // not finite
    std::printf("%s: %s\n", bits(value).c_str(), hex(hash(texts(value))).c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string_view(argv[1]) == "sweep") {
    sweep();
    return 0;
  }
  const char* inputs[] = {
      "0",
      "-0",
      "273.15",
      " 273.15",
      "-17.75",
      "987.654",
      "0.905",
      "2.675",
      "0.9995",
      "9.995",
      "1,5",
      "1.2.3",
      "1.5E3",
      "2E-2",
      "-.25",
      "&H1F",
      "&O17",
      "1E400",
      "-1e309",
      "1E-400",
      "1e-310",
      "2.4e-324",
      "3e-324",
      "4.9e-324",
      "1.7976931348623157e308",
      "1.7976931348623159e308",
      "0.1",
      "0.3",
      "1e15",
      "999999999999999.9",
      "562949953421312.5",
      "1000000000000005",
      "123456789012345678",
      "0.00001",
      "2e-7",
      "1e-7",
      "-0.0005",
      "-0.00049",
      "12345.6789e-3",
      "0.000000000000000000000000000000000000000000000001",
      "1e22",
      "1e23",
      "abc",
      "",
  };
  for (const char* text : inputs) {
    const ReadResult read = readVal(text);
    std::printf("[%s] val %s\n", text, describe(read).c_str());
    std::printf("[%s] locale %s\n", text, describe(readLocaleNumber(text, ".", ",")).c_str());
    if (read.ok()) dumpValue(read.value);
  }
  for (const double value : {DBL_MAX, -DBL_MAX, DBL_MIN, 5e-324, 1e308, 1e-300, 0.1 + 0.2, 1.0 / 3})
    dumpValue(value);
  return 0;
}
