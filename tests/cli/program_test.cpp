// pyrelon-cli run as a user runs it: the examples of its manual, usage
// errors and their exit status, the probe check, and the batch mode over
// the CSV files loggers and spreadsheets write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_cli.h"

namespace pyrelon::testing {
namespace {

TEST(Program, ShowsEachPanelsResultsAsTheWindowDoes) {
  const struct {
    std::vector<std::string> args;
    const char* out;
  } rows[] = {
      // 1.8 x 850 + 32; 850 + 273.15 = 1123.15 rounds up; 1.8 x 850 + 491.67.
      {{"temperature", "--from", "celsius", "850"},
       "\u00b0Fahrenheit   1562.0\nKelvin        1123.2\n\u00b0Rankine      2021.7\n"},
      // 2.5 psi: x 0.0689, x 6.8948, x 51.7149, x 705.06, x 0.0703, x 68.947.
      {{"pressure", "--from", "psi", "2.5"},
       "bar     0.17\nkpa     17.2\nmmHg    129.3\nmmH2O   1763\nKg/cm2  0.18\nmbar    172\n"},
      {{"carbon", "--probe", "din17022", "--mv", "1121", "--temp", "830", "--co", "20"},
       "% Carbon  0.905\n"},
      {{"carbon", "--probe", "LAMBDA", "--mv", "1121", "--temp", "830", "--co", "20"},
       "% Carbon  0.442\n"},
      {{"oxygen", "--probe", "standard", "--mv", "87", "--temp", "1100", "--offset", "-3"},
       "% Oxygen  1.00\n"},
      {{"nitriding", "--h2", "10", "--nh3", "31.61"}, "NK Factor  10.00\n"},
      {{"lambda", "--fuel", "metano", "--mv", "57.16", "--offset", "8", "--kelvin-offset", "0",
        "--air", "20", "--flue", "180"},
       "Wet % O2    1.0\nAir excess  1.056\nDry % O2    1.2\n% CO2       11.0\n"
       "Net Eff.    83.5 %\nGross Eff.  93.7 %\n"},
      {{"lambda", "--fuel", "propane", "--mv", "57,16", "--offset", "8", "--kelvin-offset", "0",
        "--air", "20", "--flue", "180", "--decimal-comma"},
       "Wet % O2    1,0\nAir excess  1,054\nDry % O2    1,2\n% CO2       13,0\n"
       "Net Eff.    87,1 %\nGross Eff.  94,5 %\n"},
      {{"flow", "--type", "both", "--flow", "10", "--temp", "100", "--press", "4000", "--ref-temp",
        "25", "--ref-press", "2500", "--atm", "1013"},
       "Compensed Flow  10.68\n"},
      {{"flow", "--type", "none", "--flow", "10.50"}, "Compensed Flow  10.5\n"},
      {{"pressure", "--from", "KG/CM2", "1"},
       "psi    14.22\nkpa    98.1\nmmHg   735.6\nmmH2O  10018\nbar    0.98\nmbar   981\n"},
  };
  for (const auto& r : rows) {
    const CliRun run = runCli(r.args);
    EXPECT_EQ(run.out, r.out) << r.args[0] << " " << r.args[1] << " " << r.args[2];
    EXPECT_EQ(run.status, 0) << run.err;
  }
}

TEST(Program, ReportsUsageErrorsWithStatusTwoAndFaultsWithStatusOne) {
  // clang-format off
  const struct {
    std::vector<std::string> args;
    int status;
    const char* err;
  } rows[] = {
      {{"carbon", "--mv", "12abc", "--temp", "830", "--co", "20"}, 2,
       "pyrelon-cli: --mv \"12abc\" is not a number\n"},
      {{"carbon", "--mv", "1121", "--temp", "830"}, 2,
       "pyrelon-cli: --co (CO content) is required\n"},
      {{"nitriding", "--h2", "10"}, 2, "pyrelon-cli: --nh3 (ammonia content) is required\n"},
      {{"temperature"}, 2, "pyrelon-cli: no value given: pyrelon-cli temperature [options] VALUE\n"},
      {{"lambda", "--fuel", "nafta oil", "--mv", "57"}, 2, nullptr},
      // No alias for Nafta; a comma needs --decimal-comma.
      {{"lambda", "--fuel", "naphtha", "--mv", "57"}, 2, nullptr},
      {{"carbon", "--volts", "3"}, 2, nullptr},
      {{"temperature", "--from", "kelvin", "1,5"}, 2, nullptr},
      {{}, 2, nullptr},
      // Read, then tested: the line of the bound, and no result.
      {{"carbon", "--mv", "500", "--temp", "830", "--co", "20"}, 1,
       "pyrelon-cli: The min mV probe value is 960 mV\n"},
      {{"pressure", "--from", "bar", "1E400"}, 1,
       "pyrelon-cli: The input pressure is too large a number.\n"},
  };
  // clang-format on
  for (const auto& r : rows) {
    const CliRun run = runCli(r.args);
    EXPECT_EQ(run.status, r.status) << run.err;
    if (r.err) {
      EXPECT_EQ(run.err, r.err);
    }
    if (r.status == 2) {
      EXPECT_TRUE(run.err.starts_with("pyrelon-cli: ")) << run.err;
      EXPECT_EQ(run.out, "");
    }
  }
}

TEST(Program, JsonHoldsTheShownTexts) {
  const CliRun run = runCli(
      {"carbon", "--json", "--probe", "din 17022", "--mv", "1121", "--temp", "830", "--co", "20"});
  EXPECT_EQ(run.out,
            "{\n  \"panel\": \"carbon\",\n  \"probe\": \"DIN 17022\",\n  \"inputs\": {\n"
            "    \"mv\": \"1121\",\n    \"temp\": \"830\",\n    \"co\": \"20\"\n  },\n"
            "  \"results\": {\n    \"carbon\": \"0.905\"\n  },\n  \"error\": null\n}\n");
}

// The CO content that makes the calibration read the measured carbon,
// worked out from the Accucarb curve at 1121 mV and 830 degrees C:
// 16.37 % gives 0.84991 (shows 0.850), 16.36 % gives 0.84949.
TEST(Program, ProbeCheckFindsTheCoContentOrSaysThereIsNone) {
  CliRun run = runCli(
      {"carbon-check", "--probe", "accucarb", "--mv", "1121", "--temp", "830", "--carbon", "0.85"});
  EXPECT_EQ(run.out, "% CO      16.37\n% Carbon  0.850\n");
  EXPECT_EQ(run.status, 0);
  // Fed back, the answer shows the measured carbon.
  EXPECT_EQ(runCli({"carbon", "--mv", "1121", "--temp", "830", "--co", "16.37"}).out,
            "% Carbon  0.850\n");
  // The curve spans 0.154 to 1.647 over 2 to 37 % CO.
  run = runCli({"carbon-check", "--mv", "1121", "--temp", "830", "--carbon", "2"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "pyrelon-cli: No CO content from 2 to 37 % makes this calibration read 2.000 % C: it "
            "reads 0.154 at 2 % and 1.647 at 37 %.\n");
  run = runCli({"carbon-check", "--mv", "900", "--temp", "830", "--carbon", "0.5"});
  EXPECT_EQ(run.err, "pyrelon-cli: The min mV probe value is 960 mV\n");
}

// Batch: every input row gives one output row, in order; the input columns
// are copied as written.
TEST(Program, BatchKeepsEveryRowInOrder) {
  // clang-format off
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
  } rows[] = {
      {"quoted fields and CRLF", {"nitriding", "--csv", "-"},
       "\"note, first\",h2,NH3\r\n\"a \"\"b\"\"\",10,31.61\r\nx,1,5\r\n", 0,
       "\"note, first\",h2,NH3,nk,error\n\"a \"\"b\"\"\",10,31.61,10.00,\nx,1,5,50.00,\n"},
      {"byte-order mark, blank lines, extra columns", {"nitriding", "--csv", "-"},
       "\xEF\xBB\xBFh2,nh3,extra\n\n10,31.61,kept\n\n", 0,
       "h2,nh3,extra,nk,error\n10,31.61,kept,10.00,\n"},
      {"row errors keep their place",
       {"nitriding", "--csv", "-"},
       "h2,nh3\n12abc,5\n0.5,5\n10\n1E400,5\n10,31.61\n",
       1,
       "h2,nh3,nk,error\n12abc,5,,\"The h2 field \"\"12abc\"\" is not a number.\"\n"
       "0.5,5,,The min H2 value is 1 %\n10,,,The row has no nh3 field.\n"
       "1E400,5,,The hydrogen content is too large a number.\n10,31.61,10.00,\n"},
      {"constant from an option, columns renamed; \"din\" is not a calibration's name",
       {"carbon", "--csv", "-", "--co", "20", "--map", "mv=Probe_mV,temp=T_C", "--probe", "din"},
       "T_C,probe_mv\n830,1121\n", 2, ""},
      {"renamed columns found without regard to case",
       {"carbon", "--csv", "-", "--co", "20", "--map", "mv=Probe_mV,temp=T_C", "--probe",
        "din17022"},
       "T_C,probe_mv\n830,1121\n",
       0,
       "T_C,probe_mv,carbon,error\n830,1121,0.905,\n"},
      {"header only", {"nitriding", "--csv", "-"}, "h2,nh3\n", 0, "h2,nh3,nk,error\n"},
      {"column names from A to Z in either case",
       {"nitriding", "--csv", "-", "--map", "h2=HA,nh3=ZA"}, "ha,za\n10,31.61\n", 0,
       "ha,za,nk,error\n10,31.61,10.00,\n"},
      {"empty file", {"nitriding", "--csv", "-"}, "", 2, ""},
      {"missing column", {"nitriding", "--csv", "-"}, "h2,ammonia\n10,31.61\n", 2, ""},
      {"decimal comma", {"nitriding", "--csv", "-", "--decimal-comma"},
       "h2;nh3\n10;31,61\n12,5;40\n", 0, "h2;nh3;nk;error\n10;31,61;10,00;\n12,5;40;9,05;\n"},
  };
  // clang-format on
  for (const auto& r : rows) {
    const CliRun run = runCli(r.args, r.input);
    EXPECT_EQ(run.status, r.status) << r.name << ": " << run.err;
    EXPECT_EQ(run.out, r.out) << r.name;
    if (r.status == 2) {
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << r.name << run.err;
    }
  }
}

TEST(Program, BatchSummarisesOnStandardErrorAndTakesAMegabyteField) {
  std::string input = "note,h2,nh3\n\"" + std::string(1 << 20, 'x') + "\",10,31.61\n";
  CliRun run = runCli({"nitriding", "--csv", "-"}, input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.size(), std::string("note,h2,nh3,nk,error\n").size() + (1 << 20) + 2 + 17);
  EXPECT_EQ(run.err, "pyrelon-cli: 1 rows, 1 computed, 0 failed\n");

  run = runCli({"nitriding", "--csv", "-", "--json"}, "h2,nh3\n10,31.61\n0,5\n");
  EXPECT_EQ(
      run.out,
      "{\"line\":2,\"inputs\":{\"h2\":\"10\",\"nh3\":\"31.61\"},\"results\":{\"nk\":\"10.00\"},"
      "\"error\":null}\n"
      "{\"line\":3,\"inputs\":{\"h2\":\"0\",\"nh3\":\"5\"},\"results\":{\"nk\":null},"
      "\"error\":\"The min H2 value is 1 %\"}\n");
  EXPECT_EQ(run.err,
            "pyrelon-cli: 2 rows, 1 computed, 1 failed (first on line 3: The min H2 "
            "value is 1 %)\n");
}

// The bar counts the bytes read, so it ends full at 100 % whatever the line ends.
TEST(Program, BatchProgressEndsAtTheWholeFile) {
  writeFile(scratch("crlf.csv"), "h2,nh3\r\n10,31.61\r\n20,5\r\n");
  const CliRun run = runCli({"nitriding", "--csv", scratch("crlf.csv"), "--progress"});
  EXPECT_EQ(run.status, 0);
  // The whole bar, thirty marks wide, at the end.
  EXPECT_NE(run.err.find("[" + std::string(30, '#') + "] 100%  2 rows"), std::string::npos)
      << run.err;
  EXPECT_EQ(runCli({"nitriding", "--csv", scratch("crlf.csv")}).err,
            "pyrelon-cli: 2 rows, 2 computed, 0 failed\n");
}

TEST(Program, BatchFromAFileThatIsNotThere) {
  const CliRun run = runCli({"nitriding", "--csv", scratch("absent.csv")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("cannot open"), std::string::npos) << run.err;
}

TEST(Program, CompletionOffersSubcommandsOptionsAndEntries) {
  const std::string script = runCli({"completion"}).out;
  for (const char* word : {"carbon-check", "temperature", "--kelvin-offset", "din17022", "methane",
                           "rankine", "complete -F _pyrelon_cli pyrelon-cli"})
    EXPECT_NE(script.find(word), std::string::npos) << word;
  // Left out of the subcommands listed, it still says what it does.
  EXPECT_EQ(runCli({"--help"}).out.find("completion"), std::string::npos);
  EXPECT_NE(runCli({"completion", "--help"}).out.find("print the bash completion script"),
            std::string::npos);
  // The script at work in bash: the words offered for what is typed.
  writeFile(scratch("completion.bash"), script);
  const struct {
    const char* words;
    int current;
    const char* offered;
  } cases[] = {
      {"pyrelon-cli carb", 1, "carbon-check carbon\n"},
      {"pyrelon-cli --ver", 1, "--version\n"},
      {"pyrelon-cli nitriding --thr", 2, "--threads\n"},
      {"pyrelon-cli lambda --fuel meth", 3, "methane\n"},
      // The temperature is the command's argument, not an option.
      {"pyrelon-cli temperature --v", 2, "\n"},
  };
  for (const auto& c : cases) {
    const std::string command = "bash -c '. \"" + scratch("completion.bash") + "\"; COMP_WORDS=(" +
                                c.words + "); COMP_CWORD=" + std::to_string(c.current) +
                                "; _pyrelon_cli; printf \"%s\\n\" \"${COMPREPLY[*]}\"' > \"" +
                                scratch("offered") + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << c.words;
    EXPECT_EQ(readFile(scratch("offered")), c.offered) << c.words;
  }
}

}  // namespace
}  // namespace pyrelon::testing
