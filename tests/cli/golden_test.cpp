// What a user reads, word for word, against files a person has read: the
// help page, and a transcript of pyrelon-cli's help, usage, refusals and the
// tools' answers. Every number in the transcript is one the tools' own tests
// work out by hand or the independent model confirms; the golden files hold
// the words around them. After a deliberate change, run with
// PYRELON_WRITE_GOLDEN=1, then read the diff of tests/golden/ line by line
// (and the help page in a browser) before committing it.
#include "tests/golden.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "shell/help.h"
#include "tests/cli/run_cli.h"

namespace pyrelon::testing {
namespace {

const std::string kGoldenDir = PYRELON_GOLDEN_DIR;

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

TEST(Golden, HelpPage) { EXPECT_EQ(goldenMismatch(kGoldenDir + "/help.html", helpHtml()), ""); }

// One command a line, its arguments separated by single spaces; a line
// starting with '#' says what the commands below it show. GOLDEN/ stands
// for the golden files' folder, in the arguments and in what is written.
TEST(Golden, CommandLineTranscript) {
  std::istringstream commands(readGolden(kGoldenDir + "/cli-commands.txt"));
  ASSERT_TRUE(commands.good()) << "no cli-commands.txt";
  std::string transcript, line;
  while (std::getline(commands, line)) {
    if (line.empty()) continue;
    if (line[0] == '#') {
      transcript += line + "\n";
      continue;
    }
    std::vector<std::string> args;
    std::istringstream words(line);
    for (std::string word; std::getline(words, word, ' ');) {
      replaceAll(word, "GOLDEN/", kGoldenDir + "/");
      args.push_back(word);
    }
    CliRun run = runCli(args);
    for (std::string* text : {&run.out, &run.err}) replaceAll(*text, kGoldenDir + "/", "GOLDEN/");
    transcript += "$ pyrelon-cli " + line + "\n" + run.out;
    if (!run.err.empty()) transcript += "[standard error]\n" + run.err;
    transcript += "[exit " + std::to_string(run.status) + "]\n\n";
  }
  EXPECT_EQ(goldenMismatch(kGoldenDir + "/cli-transcript.txt", transcript), "");
}

}  // namespace
}  // namespace pyrelon::testing
