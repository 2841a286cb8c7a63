// -o / --output: the batch's rows into a file instead of standard output,
// which replaces the file only when the batch keeps its rows.
#include <dirent.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_cli.h"

namespace pyrelon::testing {
namespace {

// The names in a folder, the temporary files of an interrupted output too.
std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
  }
  return names;
}

TEST(Output, WritesTheRowsIntoTheFileAndReplacesItOnlyWhenTheBatchKeepsThem) {
  const std::string folder = scratch("output");
  const std::string reading = "h2,nh3\n10,31.61\n";
  // NK = 31.61 / 10^1.5 x 10 = 10.00 (the nitriding panel's own example).
  const std::string rows = "h2,nh3,nk,error\n10,31.61,10.00,\n";
  const std::string earlier = "an earlier file\n";
  // clang-format off
  const struct {
    const char* name;
    std::vector<std::string> args;  // @ stands for the output file
    std::string input;
    int status;
    std::string file;  // the output file afterwards
  } cases[] = {
      {"short form", {"nitriding", "--csv", "-", "-o", "@"}, reading, 0, rows},
      {"long form", {"nitriding", "--csv", "-", "--output", "@"}, reading, 0, rows},
      {"with the option's value after an equals sign", {"nitriding", "--csv", "-", "--output=@"},
       reading, 0, rows},
      {"rows that fail keep their place in the file", {"nitriding", "--csv", "-", "-o", "@"},
       "h2,nh3\n10\n", 1, "h2,nh3,nk,error\n10,,,The row has no nh3 field.\n"},
      {"a missing column leaves the earlier file", {"nitriding", "--csv", "-", "-o", "@"},
       "h2,ammonia\n10,31.61\n", 2, earlier},
      {"without --csv it is refused", {"nitriding", "--h2", "10", "--nh3", "31.61", "-o", "@"}, "",
       2, earlier},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ::system(("rm -rf '" + folder + "' && mkdir '" + folder + "'").c_str());
    const std::string file = folder + "/rows.csv";
    writeFile(file, earlier);
    std::vector<std::string> args;
    for (const std::string& a : c.args) {
      std::string arg = a;
      if (const auto at = arg.find('@'); at != std::string::npos) arg.replace(at, 1, file);
      args.push_back(arg);
    }
    const CliRun run = runCli(args, c.input);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(readFile(file), c.file);
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"rows.csv"});
  }
}

TEST(Output, RefusesTheInputFileAndAFolderItCannotWriteIn) {
  const std::string input = scratch("readings.csv");
  writeFile(input, "h2,nh3\n10,31.61\n");
  const std::string other = scratch(".") + "/readings.csv";
  const std::string absent = scratch("absent") + "/rows.csv";
  const struct {
    const char* name;
    std::string output;
    std::string err;
  } cases[] = {
      {"the input itself", input,
       "pyrelon-cli: The output is the input file; write the results elsewhere.\n"},
      {"the input through another path", other,
       "pyrelon-cli: The output is the input file; write the results elsewhere.\n"},
      {"a folder that does not exist", absent,
       "pyrelon-cli: cannot write " + absent + ": No such file or directory\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun run = runCli({"nitriding", "--csv", input, "-o", c.output});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(readFile(input), "h2,nh3\n10,31.61\n");
  }
}

}  // namespace
}  // namespace pyrelon::testing
