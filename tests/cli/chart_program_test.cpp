// --chart FILE.svg on the tools that draw one: the same document the chart
// module's golden files hold (and the page draws), written whole or not at
// all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "run_cli.h"

namespace pyrelon::testing {
namespace {

std::string golden(const std::string& name) {
  return readFile(std::string(PYRELON_CHART_GOLDEN) + "/" + name + ".svg");
}

bool exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

TEST(ChartOption, WritesTheToolsChartAsTheGoldenDocument) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    const char* golden;
  } rows[] = {
      // The published check point: 925 °C, 20 % CO, 40 % H2, 1013.25 mbar.
      {"atmosphere",
       {"atmosphere", "--temp", "925", "--dew-point", "-5.6", "--mv", "1138", "--target-carbon",
        "0.8"},
       "atmosphere"},
      {"atmosphere, JSON",
       {"atmosphere", "--json", "--temp", "925", "--dew-point", "-5.6", "--mv", "1138",
        "--target-carbon", "0.8"},
       "atmosphere"},
      {"nitriding potential",
       {"nitriding-potential", "--temp", "500", "--burette", "30"},
       "nitriding_potential"},
      {"nitriding potential, a decimal comma",
       {"nitriding-potential", "--decimal-comma", "--temp", "500", "--burette", "30,0"},
       "nitriding_potential_comma"},
  };
  for (const auto& row : rows) {
    const std::string path = scratch(std::string(row.golden) + ".svg");
    std::vector<std::string> args = row.args;
    args.push_back("--chart");
    args.push_back(path);
    const CliRun run = runCli(args);
    EXPECT_EQ(run.status, 0) << row.name << ": " << run.err;
    EXPECT_EQ(run.err, "") << row.name;
    EXPECT_FALSE(run.out.empty()) << row.name;  // the results still go to standard output
    EXPECT_TRUE(readFile(path) == golden(row.golden)) << row.name;
  }
}

TEST(ChartOption, NoFileWhereTheToolRefusesOrTheFileCannotBeWritten) {
  const std::string refused = scratch("refused.svg");
  const CliRun outOfRange = runCli({"atmosphere", "--temp", "1200", "--chart", refused});
  EXPECT_EQ(outOfRange.status, 1);
  EXPECT_FALSE(exists(refused));

  const CliRun noFolder =
      runCli({"atmosphere", "--temp", "925", "--chart", scratch("no-such-folder/chart.svg")});
  EXPECT_EQ(noFolder.status, 1);
  EXPECT_NE(noFolder.err.find("no-such-folder/chart.svg"), std::string::npos) << noFolder.err;

  // The option is listed; with a batch it is a usage error (a chart is of one reading).
  EXPECT_NE(runCli({"nitriding-potential", "--help"}).out.find("--chart"), std::string::npos);
  const CliRun withBatch =
      runCli({"atmosphere", "--csv", "-", "--chart", scratch("batch.svg")}, "temp\n925\n");
  EXPECT_EQ(withBatch.status, 2);
  EXPECT_FALSE(exists(scratch("batch.svg")));
}

}  // namespace
}  // namespace pyrelon::testing
