// Golden files: a text compared byte for byte with a file a person has read,
// or written to it under PYRELON_WRITE_GOLDEN=1 (then read the diff before
// committing). Shared by the help page, the command-line transcript, the
// sample charts and the window dumps.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace pyrelon::testing {

inline bool writingGoldens() { return std::getenv("PYRELON_WRITE_GOLDEN") != nullptr; }

inline std::string readGolden(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The first line where two texts differ, for the failure message.
inline std::string firstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream a(expected), b(actual);
  std::string lineA, lineB;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(a, lineA));
    const bool moreB = static_cast<bool>(std::getline(b, lineB));
    if (!moreA && !moreB) return "no line differs";
    if (lineA != lineB || moreA != moreB) {
      return "line " + std::to_string(line) + "\n expected: " + lineA.substr(0, 400) +
             "\n actual:   " + lineB.substr(0, 400);
    }
  }
}

// Compares `actual` with the file at `path`: empty when they are the same,
// else the path and the first line that differs. Under PYRELON_WRITE_GOLDEN
// writes `actual` there instead and gives back empty.
inline std::string goldenMismatch(const std::string& path, const std::string& actual) {
  if (writingGoldens()) {
    std::ofstream(path, std::ios::binary) << actual;
    return {};
  }
  const std::string golden = readGolden(path);
  return actual == golden ? std::string() : path + ": " + firstDifference(golden, actual);
}

}  // namespace pyrelon::testing
