// The atmosphere tools through pyrelon-cli, run as a user runs it: the
// figures quoted for checking (endothermic gas at 925 °C and 0.80 %C), the
// equivalents read back by every instrument. The rows of a file are a typed
// case (cases/atmosphere.txt); the words around these figures, and the
// refusals, are the golden transcript's (golden_test.cpp).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/run_cli.h"

namespace pyrelon::testing {
namespace {

using nlohmann::json;

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

}  // namespace
}  // namespace pyrelon::testing
