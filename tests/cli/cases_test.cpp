// pyrelon-cli's answers, typed by hand into case files a person can read
// and paste into a terminal. Each *.txt file of PYRELON_CASES holds cases:
//
//   # Lines starting with '#' say what the case below them shows and how
//   # its figures were worked out.
//   $ pyrelon-cli temperature --from celsius 850
//   °Fahrenheit   1562.0
//   Kelvin        1123.2
//   °Rankine      2021.7
//   [exit 0]
//
// The line after "$ " is run by bash (with pipefail) in an empty folder of
// its own, in the C locale, for at most a minute; pyrelon-cli is the
// program under test and $GOLDEN the golden files' folder. A line ending in
// a backslash goes on on the next. What follows is its standard output,
// then, after "[standard error]", its standard error, each line for line;
// a line "..." stands for any number of lines, and a line ending in " ..."
// for one line that starts with what comes before. "[exit N]" ends the
// case: N is the exit status (124 where the minute ran out). Nothing here
// is ever written by the program: these files are the oracle.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "run_cli.h"

namespace pyrelon::testing {
namespace {

struct Case {
  std::string name;     // file, line and command, as a test's name
  std::string where;    // file:line, for the failure message
  std::string command;  // bash text
  std::vector<std::string> out, err;
  int status = -1;
};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (!text.empty() && !text.ends_with('\n')) lines.emplace_back("[no newline at end]");
  return lines;
}

// A case's test name: its file, its line and the words of its command
// ("panels_14_temperature_from_celsius_850"), letters, digits and
// underscores only, the words cut after 48 characters.
std::string caseName(const std::string& stem, std::size_t line, std::string_view command) {
  if (const auto at = command.find("pyrelon-cli"); at != std::string_view::npos)
    command.remove_prefix(at + 11);
  std::string words;
  for (const char c : command) {
    if (words.size() == 48) break;
    if (std::isalnum(static_cast<unsigned char>(c))) {
      words += c;
    } else if (!words.empty() && words.back() != '_') {
      words += '_';
    }
  }
  while (!words.empty() && words.back() == '_') words.pop_back();
  return stem + "_" + std::to_string(line) + (words.empty() ? "" : "_" + words);
}

// A malformed file is a failure of its own, named after the file.
std::vector<Case> parse(const std::string& file, const std::string& stem) {
  std::vector<Case> cases;
  const std::vector<std::string> lines = linesOf(readGolden(file));
  Case current;
  std::size_t firstLine = 0;
  enum { Between, Command, Out, Err } state = Between;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string where = file + ":" + std::to_string(i + 1);
    if (state == Between) {
      if (line.empty() || line[0] == '#') continue;
      if (!line.starts_with("$ ")) {
        cases.push_back({stem + "_malformed_line" + std::to_string(i + 1), where, "", {}, {}, -2});
        return cases;
      }
      current = {"", where, line.substr(2), {}, {}, -1};
      firstLine = i + 1;
      state = line.ends_with("\\") ? Command : Out;
    } else if (state == Command) {
      current.command += "\n" + line;
      if (!line.ends_with("\\")) state = Out;
    } else if (line == "[standard error]" && state == Out) {
      state = Err;
    } else if (line.starts_with("[exit ") && line.ends_with("]")) {
      const char* first = line.data() + 6;
      const char* last = line.data() + line.size() - 1;
      if (std::from_chars(first, last, current.status).ptr != last) current.status = -2;
      current.name = caseName(stem, firstLine, current.command);
      cases.push_back(current);
      state = Between;
    } else {
      (state == Out ? current.out : current.err).push_back(line);
    }
  }
  if (state != Between) cases.push_back({stem + "_unended", file, "", {}, {}, -2});
  return cases;
}

std::vector<Case> allCases() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(PYRELON_CASES))
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::vector<Case> cases;
  for (const std::filesystem::path& file : files) {
    std::string stem = file.stem();
    std::replace_if(
        stem.begin(), stem.end(), [](char c) { return !std::isalnum(c); }, '_');
    for (Case& c : parse(file, stem)) cases.push_back(c);
  }
  return cases;
}

// Lines against expected lines, where "..." takes any run of lines.
bool matches(const std::vector<std::string>& got, std::size_t g,
             const std::vector<std::string>& wanted, std::size_t w) {
  if (w == wanted.size()) return g == got.size();
  if (wanted[w] == "...") {
    for (std::size_t skip = g; skip <= got.size(); ++skip)
      if (matches(got, skip, wanted, w + 1)) return true;
    return false;
  }
  if (g == got.size()) return false;
  const std::string& line = wanted[w];
  const bool same =
      line.ends_with(" ...") ? got[g].starts_with(line.substr(0, line.size() - 3)) : got[g] == line;
  return same && matches(got, g + 1, wanted, w + 1);
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// A case is shown by its file and line within the cases' folder (a test
// list prints it beside each name), not by its bytes.
void PrintTo(const Case& c, std::ostream* os) {
  const std::string_view folder = PYRELON_CASES "/";
  *os << (c.where.starts_with(folder) ? c.where.substr(folder.size()) : c.where);
}

class CliCase : public ::testing::TestWithParam<Case> {};

TEST_P(CliCase, AnswersAsTyped) {
  const Case& c = GetParam();
  ASSERT_NE(c.status, -2) << c.where << ": a case is \"$ command\", its output and \"[exit N]\"";
  char pattern[] = "/tmp/pyrelon-case-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string dir = pattern;
  std::filesystem::create_directory(dir + "/bin");
  std::filesystem::create_directory(dir + "/work");
  std::filesystem::create_symlink(PYRELON_CLI, dir + "/bin/pyrelon-cli");
  std::ofstream(dir + "/case.sh", std::ios::binary) << c.command << "\n";
  const std::string run =
      "cd " + shellQuoted(dir + "/work") + " && PATH=" + shellQuoted(dir + "/bin") +
      ":\"$PATH\" GOLDEN=" + shellQuoted(PYRELON_GOLDEN_DIR) +
      " LC_ALL=C timeout 60 bash -o pipefail " + shellQuoted(dir + "/case.sh") + " < /dev/null > " +
      shellQuoted(dir + "/out") + " 2> " + shellQuoted(dir + "/err");
  const int raw = std::system(run.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  const std::vector<std::string> out = linesOf(readGolden(dir + "/out"));
  const std::vector<std::string> err = linesOf(readGolden(dir + "/err"));
  std::error_code ignored;  // what cannot be removed stays behind
  std::filesystem::remove_all(dir, ignored);
  SCOPED_TRACE(c.where + ": $ " + c.command);
  EXPECT_EQ(status, c.status) << joined(err);
  EXPECT_TRUE(matches(out, 0, c.out, 0)) << "standard output:\n"
                                         << joined(out) << "wanted:\n"
                                         << joined(c.out);
  EXPECT_TRUE(matches(err, 0, c.err, 0)) << "standard error:\n"
                                         << joined(err) << "wanted:\n"
                                         << joined(c.err);
}

INSTANTIATE_TEST_SUITE_P(Typed, CliCase, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace pyrelon::testing
