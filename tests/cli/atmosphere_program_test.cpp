// The atmosphere tools through pyrelon-cli, run as a user runs it: the
// figures quoted for checking (endothermic gas at 925 °C and 0.80 %C; a
// burette at 30 %; 37 % NH3 with 63 % H2), the text and JSON faces, and
// the refusals with their exit status.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/run_cli.h"

namespace pyrelon::testing {
namespace {

using nlohmann::json;

// The output's lines without their indent and with runs of blanks made one:
// "Dew point -5.565 °C".
std::vector<std::string> squeezedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::string squeezed;
    for (const char c : line) {
      if (c == ' ' && (squeezed.empty() || squeezed.back() == ' ')) continue;
      squeezed += c;
    }
    while (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
    lines.push_back(squeezed);
  }
  return lines;
}

bool hasLine(const std::vector<std::string>& lines, const std::string& wanted) {
  for (const std::string& line : lines)
    if (line == wanted) return true;
  return false;
}

TEST(AtmosphereProgram, JsonOfTheTargetAt925) {
  const CliRun run = runCli({"atmosphere", "--temp", "925", "--target-carbon", "0.8", "--si",
                             "0.25", "--mn", "1.2", "--cr", "1.1", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const json doc = json::parse(run.out);
  EXPECT_EQ(doc["tool"], "atmosphere");
  EXPECT_TRUE(doc["error"].is_null());
  EXPECT_EQ(doc["inputs"]["temp"], 925);
  EXPECT_EQ(doc["inputs"]["co"], 20);
  EXPECT_TRUE(doc["inputs"]["dew_point"].is_null());
  const json& r = doc["results"];
  struct Figure {
    const char* name;
    double got, expected, tolerance;
  };
  const Figure figures[] = {
      {"dew point -5.6 °C", r["equivalents"]["dew_point"], -5.6, 0.05},
      {"frost point -4.9 °C", r["equivalents"]["frost_point"], -4.9, 0.05},
      {"CO2 0.147 %", r["equivalents"]["co2"], 0.147, 0.0005},
      {"probe 1138 mV", r["equivalents"]["mv"], 1138, 1},
      {"pO2 1.5e-20 bar", r["equivalents"]["po2"], 1.5e-20, 0.05e-20},
      {"saturation 1.26 %C", r["saturation"], 1.26, 0.005},
      {"alloy factor 0.900", r["alloy_factor"], 0.900, 0.0005},
      {"steel carbon 0.889 %C", r["steel_carbon"], 0.889, 0.0005},
  };
  for (const Figure& f : figures) EXPECT_NEAR(f.got, f.expected, f.tolerance) << f.name;
  for (const char* member : {"probe", "dew_point", "co2", "ch4", "shim"}) {
    EXPECT_TRUE(r["activity"][member].is_null()) << member;
    EXPECT_TRUE(r["carbon_potential"][member].is_null()) << member;
  }
  EXPECT_EQ(r["sooting"], json::array());
  EXPECT_TRUE(r["spread"].is_null());
  EXPECT_TRUE(r["outlier"].is_null());
  EXPECT_TRUE(r["co_for_shim"].is_null());
}

TEST(AtmosphereProgram, TextOfTheTargetAt925) {
  const CliRun run = runCli({"atmosphere", "--temp", "925", "--target-carbon", "0.8"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto lines = squeezedLines(run.out);
  for (const char* wanted :
       {"Graphite saturation 1.262 %C", "Dew point -5.565 °C", "Frost point -4.920 °C",
        "CO2 0.147 %", "Probe 1138.532 mV", "pO2 1.48e-20 bar", "Steel surface carbon 0.800 %C"}) {
    EXPECT_TRUE(hasLine(lines, wanted)) << wanted << "\n" << run.out;
  }
}

TEST(AtmosphereProgram, ReadingsSideBySide) {
  // The equivalents of 0.80 %C read back by every instrument, a shim at
  // 0.50 %C, and methane, which soots.
  const CliRun run =
      runCli({"atmosphere", "--temp", "925", "--mv", "1138.53", "--dew-point", "-5.565", "--co2",
              "0.1467", "--ch4", "0.5", "--shim-initial-carbon", "0", "--shim-initial-mg", "1000",
              "--shim-final-mg", "1005.025", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const json r = json::parse(run.out)["results"];
  EXPECT_NEAR(r["carbon_potential"]["probe"].get<double>(), 0.8, 0.001);
  EXPECT_NEAR(r["carbon_potential"]["dew_point"].get<double>(), 0.8, 0.001);
  EXPECT_NEAR(r["carbon_potential"]["co2"].get<double>(), 0.8, 0.001);
  EXPECT_NEAR(r["carbon_potential"]["shim"].get<double>(), 0.5, 0.001);
  EXPECT_TRUE(r["carbon_potential"]["ch4"].is_null());
  EXPECT_EQ(r["sooting"], json::array({"ch4"}));
  EXPECT_NEAR(r["spread"].get<double>(), 0.3, 0.002);
  EXPECT_EQ(r["outlier"], "shim");
}

TEST(AtmosphereProgram, CsvRowsKeepTheirPlaces) {
  // The probe and the dew point, then the probe and CO2, at the 0.80 %C
  // equivalents; a row with no reading; a temperature below the range; a
  // row without its temperature.
  const CliRun run = runCli({"atmosphere", "--csv", "-"},
                            "temp,mv,dew_point,co2\n"
                            "925,1138.53,-5.565,\n"
                            "925,1138.53,,0.1467\n"
                            "925,,,\n"
                            "780,1100,,\n"
                            ",1100,,\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "temp,mv,dew_point,co2,carbon_probe,carbon_dew_point,carbon_co2,carbon_ch4,"
            "carbon_shim,spread,outlier,error\n"
            "925,1138.53,-5.565,,0.800,0.800,,,,0.000,,\n"
            "925,1138.53,,0.1467,0.800,,0.800,,,0.000,,\n"
            "925,,,,,,,,,,,\n"
            "780,1100,,,,,,,,,,The furnace temperature must be between 800 and 1100 °C.\n"
            ",1100,,,,,,,,,,\"The furnace temperature is needed, from 800 to 1100 °C.\"\n");
}

TEST(AtmosphereProgram, NitridingPotentialFigures) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* kn;
    const char* phase;
  };
  const Row rows[] = {
      {"burette 30 %, pure feed", {"--temp", "500", "--burette", "30"}, "6.56", "epsilon"},
      {"37 % NH3, 63 % H2", {"--temp", "500", "--nh3", "37", "--h2", "63"}, "0.740", "gamma-prime"},
  };
  for (const Row& row : rows) {
    std::vector<std::string> args{"nitriding-potential"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const CliRun run = runCli(args);
    ASSERT_EQ(run.status, 0) << row.name << run.err;
    const auto lines = squeezedLines(run.out);
    EXPECT_TRUE(hasLine(lines, std::string("Nitriding potential Kn ") + row.kn + " atm^-1/2"))
        << row.name << "\n"
        << run.out;
    EXPECT_TRUE(hasLine(lines, std::string("Phase of pure iron ") + row.phase)) << row.name << "\n"
                                                                                << run.out;
  }
}

TEST(AtmosphereProgram, RefusalsNameTheirBound) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* err;
  };
  const Row rows[] = {
      {"frost point above 0 °C",
       {"atmosphere", "--temp", "925", "--frost-point", "0.5"},
       1,
       "pyrelon-cli: The frost point must be between -60 and 0 °C.\n"},
      {"dew and frost point",
       {"atmosphere", "--temp", "925", "--dew-point", "-5", "--frost-point", "-5"},
       1,
       "pyrelon-cli: Give the dew point or the frost point, not both: a meter reports one of "
       "them.\n"},
      {"no temperature",
       {"atmosphere", "--target-carbon", "0.8"},
       1,
       "pyrelon-cli: The furnace temperature is needed, from 800 to 1100 °C.\n"},
      {"alloy above 5 %",
       {"atmosphere", "--temp", "925", "--cr", "3", "--ni", "2.5"},
       1,
       "pyrelon-cli: Si, Mn, Cr, Ni and Mo together must be at most 5 %.\n"},
      {"negative shim carbon",
       {"atmosphere", "--temp", "925", "--shim-initial-carbon", "0.1", "--shim-initial-mg", "1000",
        "--shim-final-mg", "998"},
       1,
       "pyrelon-cli: The shim's masses give a negative carbon: the final mass must be at least "
       "999 mg.\n"},
      {"target above saturation",
       {"atmosphere", "--temp", "925", "--target-carbon", "1.3"},
       1,
       "pyrelon-cli: The target carbon must be at most the graphite saturation, 1.262 %C at "
       "925 °C.\n"},
      {"nitriding above the eutectoid",
       {"nitriding-potential", "--temp", "600", "--burette", "30"},
       1,
       "pyrelon-cli: The nitriding temperature must be between 400 and 590 °C.\n"},
  };
  for (const Row& row : rows) {
    const CliRun run = runCli(row.args);
    EXPECT_EQ(run.status, row.status) << row.name;
    EXPECT_EQ(run.err, row.err) << row.name;
  }
  const CliRun malformed = runCli({"atmosphere", "--temp", "hot"});
  EXPECT_EQ(malformed.status, 2);
}

}  // namespace
}  // namespace pyrelon::testing
