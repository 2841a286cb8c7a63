// Runs the pyrelon-cli program as a user would, with its standard input
// from a text, and gives back its exit status and what it wrote.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/golden.h"  // readGolden: a file's bytes

namespace pyrelon::testing {

struct CliRun {
  int status = -1;
  std::string out, err;
};

// A folder of its own for each test program.
inline std::string scratch(const std::string& name) {
  static const std::string dir = [] {
    char pattern[] = "/tmp/pyrelon-cli-test-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    return std::string(made ? made : "/tmp");
  }();
  return dir + "/" + name;
}

// The text as one word of a shell command line, whatever it holds.
inline std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

inline CliRun runCli(const std::vector<std::string>& args, const std::string& input = "") {
  const std::string in = scratch("stdin"), out = scratch("stdout"), err = scratch("stderr");
  std::ofstream(in, std::ios::binary) << input;
  std::string command = shellQuoted(PYRELON_CLI);
  for (const std::string& a : args) command += " " + shellQuoted(a);
  command += " < " + shellQuoted(in) + " > " + shellQuoted(out) + " 2> " + shellQuoted(err);
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readGolden(out), readGolden(err)};
}

}  // namespace pyrelon::testing
