// The atmosphere tool through pyrelon-cli, run as a user runs it: the
// figures quoted for checking, in its JSON. The equivalents read back by
// every instrument, and the rows of a file, are typed cases
// (cases/atmosphere.txt); the words around these figures, the absent
// results and the refusals are the golden transcript's (golden_test.cpp).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "tests/cli/run_cli.h"

namespace pyrelon::testing {
namespace {

using nlohmann::json;

// Endothermic gas, 20 % CO and 40 % H2 at 1013.25 mbar, 925 °C, target
// 0.80 %C, steel Si 0.25 Mn 1.2 Cr 1.1: the figures quoted with the tool.
TEST(AtmosphereProgram, JsonOfTheTargetAt925) {
  const CliRun run = runCli({"atmosphere", "--temp", "925", "--target-carbon", "0.8", "--si",
                             "0.25", "--mn", "1.2", "--cr", "1.1", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const json r = json::parse(run.out)["results"];
  const struct {
    const char* name;
    double got, expected, tolerance;
  } figures[] = {
      {"dew point -5.6 °C", r["equivalents"]["dew_point"], -5.6, 0.05},
      {"frost point -4.9 °C", r["equivalents"]["frost_point"], -4.9, 0.05},
      {"CO2 0.147 %", r["equivalents"]["co2"], 0.147, 0.0005},
      {"probe 1138 mV", r["equivalents"]["mv"], 1138, 1},
      {"pO2 1.5e-20 bar", r["equivalents"]["po2"], 1.5e-20, 0.05e-20},
      {"saturation 1.26 %C", r["saturation"], 1.26, 0.005},
      {"alloy factor 0.900", r["alloy_factor"], 0.900, 0.0005},
      {"steel carbon 0.889 %C", r["steel_carbon"], 0.889, 0.0005},
  };
  for (const auto& f : figures) EXPECT_NEAR(f.got, f.expected, f.tolerance) << f.name;
}

}  // namespace
}  // namespace pyrelon::testing
