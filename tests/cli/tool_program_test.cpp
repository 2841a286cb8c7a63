// A tool's subcommand, run as a user runs it, on a test build that
// registers the throwaway tool and nothing else: the subcommand, its
// options, --json, --help and the completion come from the description.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/run_cli.h"

namespace pyrelon::testing {
namespace {

struct Row {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* out;
  const char* err;
};

TEST(ToolProgram, OneShotTextAndFaults) {
  const Row rows[] = {
      {"given_share",
       {"scratch-mix", "--flow", "12.5", "--share", "40"},
       0,
       // 12.5 m³/h × 8 h = 100 m³; 40 % of it; 12.5 / 3600 = 0.003472 m³/s
       "Volume           100.00 m³\n"
       "Nitrogen volume  40.0 m³\n"
       "Rate per second  3.47e-03 m³/s\n"
       "Verdict          running\n"
       "Flags            none\n"
       "Split\n"
       "  First half     50.0 m³\n"
       "  Second half    50.0 m³\n",
       ""},
      {"start_values_and_a_note",
       {"scratch-mix", "--hours", "13", "--decimal-comma"},
       0,
       // 10 × 13 = 130; 10 / 3600 = 0.002778
       "Volume           130,00 m³\n"
       "Nitrogen volume  give the nitrogen share\n"
       "Rate per second  2,78e-03 m³/s\n"
       "Verdict          running\n"
       "Flags            long\n"
       "Split\n"
       "  First half     65,0 m³\n"
       "  Second half    65,0 m³\n",
       ""},
      {"comma_read_with_decimal_comma",
       {"scratch-mix", "--hours", "0,5", "--decimal-comma", "--flow", "0"},
       0,
       "Volume           0,00 m³\n"
       "Nitrogen volume  give the nitrogen share\n"
       "Rate per second  0,00e+00 m³/s\n"
       "Verdict          idle\n"
       "Flags            none\n"
       "Split\n"
       "  First half     0,0 m³\n"
       "  Second half    0,0 m³\n",
       ""},
      {"note_in_parentheses",
       {"scratch-mix", "--share", "95", "--hours", "2"},
       0,
       // 10 × 2 = 20; 95 % of it 19
       "Volume           20.00 m³\n"
       "Nitrogen volume  19.0 m³  (nearly pure nitrogen)\n"
       "Rate per second  2.78e-03 m³/s\n"
       "Verdict          running\n"
       "Flags            rich\n"
       "Split\n"
       "  First half     10.0 m³\n"
       "  Second half    10.0 m³\n",
       ""},
      {"above_range",
       {"scratch-mix", "--hours", "24.5"},
       1,
       "",
       "pyrelon-cli: The run time must be between 0.5 and 24 h.\n"},
      {"beyond_double_is_out_of_range",
       {"scratch-mix", "--flow", "-1e400"},
       1,
       "",
       "pyrelon-cli: The gas flow must be between 0 and 100 m³/h.\n"},
      {"calculator_refuses",
       {"scratch-mix", "--flow", "100", "--hours", "21", "--share", "1"},
       1,
       "",
       "pyrelon-cli: The volume must be at most 2000 m³.\n"},
      {"malformed_number",
       {"scratch-mix", "--flow", "12abc"},
       2,
       "",
       "pyrelon-cli: --flow \"12abc\" is not a number\n"},
      {"point_with_decimal_comma",
       {"scratch-mix", "--flow", "1.5", "--decimal-comma"},
       2,
       "",
       "pyrelon-cli: --flow \"1.5\" is not a number (with a decimal comma)\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CliRun run = runCli(row.args);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.out, row.out);
    EXPECT_EQ(run.err, row.err);
  }
}

TEST(ToolProgram, JsonHasTheToolsEnvelope) {
  const CliRun run = runCli({"scratch-mix", "--json", "--flow", "12.5", "--hours", "13"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "{\n"
            "  \"tool\": \"scratch-mix\",\n"
            "  \"inputs\": {\n"
            "    \"flow\": 12.5,\n"
            "    \"share\": null,\n"
            "    \"hours\": 13\n"
            "  },\n"
            "  \"results\": {\n"
            "    \"volume\": 162.5,\n"
            "    \"nitrogen\": null,\n"
            "    \"rate\": 0.003472222222222222,\n"
            "    \"verdict\": \"running\",\n"
            "    \"flags\": [\n"
            "      \"long\"\n"
            "    ],\n"
            "    \"split\": {\n"
            "      \"first\": 81.25,\n"
            "      \"second\": 81.25\n"
            "    }\n"
            "  },\n"
            "  \"error\": null\n"
            "}\n");
  const CliRun fault = runCli({"scratch-mix", "--json", "--share", "101"});
  EXPECT_EQ(fault.status, 1);
  EXPECT_NE(fault.out.find("\"share\": 101,"), std::string::npos) << fault.out;
  EXPECT_NE(fault.out.find("\"volume\": null,"), std::string::npos) << fault.out;
  EXPECT_NE(fault.out.find("\"error\": \"The nitrogen share must be between 0 and 100 %.\""),
            std::string::npos)
      << fault.out;
}

TEST(ToolProgram, HelpAndCompletionListTheTool) {
  const CliRun help = runCli({"--help"});
  EXPECT_NE(help.out.find("scratch-mix"), std::string::npos) << help.out;
  const CliRun toolHelp = runCli({"scratch-mix", "--help"});
  EXPECT_EQ(toolHelp.status, 0);
  for (const char* part : {"--flow", "Gas flow, m³/h (0 to 100; default 10)", "--share",
                           "Nitrogen share, % (0 to 100; optional)", "--hours", "--json"}) {
    SCOPED_TRACE(part);
    EXPECT_NE(toolHelp.out.find(part), std::string::npos) << toolHelp.out;
  }
  const CliRun completion = runCli({"completion"});
  EXPECT_NE(completion.out.find("scratch-mix:*) opts=\"--json --csv --output --map --decimal-comma "
                                "--threads --progress --no-progress --help --flow --share "
                                "--hours\";;"),
            std::string::npos)
      << completion.out;
  const CliRun unknown = runCli({"scratch"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("scratch-mix, "), std::string::npos) << unknown.err;
}

TEST(ToolProgram, CsvStreamsEveryRowThroughTheTool) {
  // 12.5 × 8 = 100 and 40 % of it; 5 × 8 (the start value) = 40; 30 h is
  // out of range; --share 10 is no column of the file.
  const std::string csv =
      "time,flow,hours\n"
      "06:00,12.5,8\n"
      "06:01,5,\n"
      "06:02,5,30\n";
  const CliRun run = runCli({"scratch-mix", "--csv", "-", "--share", "40", "--no-progress"}, csv);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "time,flow,hours,volume,nitrogen,split_first,error\n"
            "06:00,12.5,8,100.00,40.0,50.0,\n"
            "06:01,5,,40.00,16.0,20.0,\n"
            "06:02,5,30,,,,The run time must be between 0.5 and 24 h.\n");
  EXPECT_EQ(run.err,
            "pyrelon-cli: 3 rows, 2 computed, 1 failed (first on line 4: The run time must be "
            "between 0.5 and 24 h.)\n");
  // An option out of range holds for no row: the batch does not start.
  const CliRun refused = runCli({"scratch-mix", "--csv", "-", "--share", "140"}, csv);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "pyrelon-cli: The nitrogen share must be between 0 and 100 %.\n");
  const CliRun badMap = runCli({"scratch-mix", "--csv", "-", "--map", "speed=Q"}, csv);
  EXPECT_EQ(badMap.status, 2);
  EXPECT_EQ(badMap.err, "pyrelon-cli: --map: \"speed\" is no input of scratch-mix\n");
}

}  // namespace
}  // namespace pyrelon::testing
