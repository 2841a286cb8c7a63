// What pyrelon-cli says about itself, word for word: its usage, a panel's
// options, the probe check's, its version and the head of its completion
// script. Users read these and scripts match them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/run_cli.h"

namespace pyrelon::testing {
namespace {

TEST(HelpText, SaysWhatEachCommandTakes) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    const char* text;
  } rows[] = {
      {"the program",
       {"--help"},
       "Pyrelon's calculators from the command line and over logged readings.\n"
       "Results are shown as the desktop window shows them.\n"
       "Usage: pyrelon-cli [OPTIONS] SUBCOMMAND\n"
       "\n"
       "Options:\n"
       "  -h,--help                   Print this help message and exit\n"
       "  --version                   Display program version information and exit\n"
       "\n"
       "Subcommands:\n"
       "  temperature                 One temperature shown in degrees Celsius, Fahrenheit, "
       "Rankine and in kelvin.\n"
       "  pressure                    One pressure shown in bar, mbar, psi, kPa, mmHg, mmH2O and "
       "kg/cm2.\n"
       "  nitriding                   The nitriding factor of an ammonia and hydrogen atmosphere, "
       "NH3 / H2^1.5 with both contents as fractions.\n"
       "  carbon                      The carbon potential of a furnace atmosphere from the "
       "voltage of a zirconia carbon probe, its temperature and the CO content, for three "
       "calibrations.\n"
       "  lambda                      Wet and dry oxygen, air excess, carbon dioxide and the net "
       "and gross efficiencies of a flue gas from the voltage of a lambda probe, for six fuels.\n"
       "  oxygen                      The oxygen content of a gas from the voltage of a zirconia "
       "oxygen probe with air as the reference, its temperature and its voltage offset.\n"
       "  flow                        The flow of an orifice meter corrected from its reference "
       "pressure and temperature to those at which the gas flows, by the square-root law.\n"
       "  carbon-check                The CO content at which a carbon-probe calibration reads "
       "the carbon potential found by a shim-stock or analyser test.\n"},
      {"a panel: its inputs with units and ranges, then the common options",
       {"carbon", "--help"},
       "The carbon potential of a furnace atmosphere from the voltage of a zirconia carbon "
       "probe, its temperature and the CO content, for three calibrations.\n"
       "Usage: pyrelon-cli carbon [OPTIONS]\n"
       "\n"
       "Options:\n"
       "  -h,--help                   Print this help message and exit\n"
       "  --probe NAME                probe calibration: Accucarb, DIN 17022, Lambda (default "
       "Accucarb)\n"
       "  --mv NUMBER                 probe voltage, mV (960 to 1340)\n"
       "  --temp NUMBER               probe temperature, \u00b0C (650 to 1300)\n"
       "  --co NUMBER                 CO content, % (2 to 37)\n"
       "  --csv FILE                  compute every row of a CSV file of readings (- for "
       "standard input)\n"
       "  -o,--output FILE Needs: --csv\n"
       "                              write the rows to FILE, replacing it, instead of standard "
       "output\n"
       "  --map KEY=COLUMN,... ...    read an input from a column of another name\n"
       "  --threads N                 threads for --csv, 0 to 256 (default 0: one per core)\n"
       "  --json                      JSON instead of text; JSON Lines with --csv\n"
       "  --decimal-comma             read and write numbers with a decimal comma; CSV fields "
       "separated by ';'\n"
       "  --no-progress               no progress bar with --csv\n"
       "  --progress                  a progress bar with --csv even where standard error is no "
       "terminal\n"},
      {"the probe check",
       {"carbon-check", "--help"},
       "The CO content at which a carbon-probe calibration reads the carbon potential found by "
       "a shim-stock or analyser test.\n"
       "Usage: pyrelon-cli carbon-check [OPTIONS]\n"
       "\n"
       "Options:\n"
       "  -h,--help                   Print this help message and exit\n"
       "  --probe TEXT                calibration: Accucarb, DIN 17022, Lambda\n"
       "  --mv TEXT REQUIRED          probe voltage, mV\n"
       "  --temp TEXT REQUIRED        probe temperature, \u00b0C\n"
       "  --carbon TEXT REQUIRED      measured carbon potential, % C\n"
       "  --json                      JSON instead of text\n"
       "  --decimal-comma             numbers with a decimal comma\n"},
      {"the version", {"--version"}, "pyrelon-cli 1.7\n"},
  };
  for (const auto& r : rows) {
    const CliRun run = runCli(r.args);
    EXPECT_EQ(run.status, 0) << r.name;
    // The program's own list of subcommands runs on to the tools; the rows
    // above end where the panels' own text ends.
    EXPECT_EQ(run.out.substr(0, std::string(r.text).size()), r.text) << r.name;
  }
  // The completion names itself and what it is made from.
  const CliRun completion = runCli({"completion"});
  EXPECT_EQ(completion.out.substr(0, completion.out.find('\n') + 1),
            "# bash completion for pyrelon-cli, made from the panels' descriptions\n");
  EXPECT_EQ(runCli({"completion", "--help"}).out.substr(0, 33),
            "print the bash completion script\n");
}

}  // namespace
}  // namespace pyrelon::testing
