// pyrelon-cli's batch mode and its writes, run as a user runs it, on the
// files real loggers and spreadsheets write: malformed files, names, limits
// and writes. The computed values are those of the one-shot tests
// (program_test.cpp): nitriding 10 % H2 and 31.61 % NH3 shows 10.00; the
// DIN 17022 carbon probe at 1121 mV, 830 degrees C and 20 % CO shows 0.905.
#include <cstdlib>
#include <string>
#include <vector>

#include "run_cli.h"

namespace pyrelon::testing {
namespace {

// Runs a shell command line in which CLI stands for the program; gives its
// exit status and standard error.
CliRun shell(const std::string& command) {
  const std::string err = scratch("shell-stderr");
  std::string expanded;
  for (std::size_t i = 0; i < command.size(); ++i) {
    if (command.compare(i, 3, "CLI") == 0) {
      expanded += "'" PYRELON_CLI "'";
      i += 2;
    } else {
      expanded += command[i];
    }
  }
  const int raw = std::system(("{ " + expanded + "; } 2> '" + err + "'").c_str());
  CliRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.err = readFile(err);
  return run;
}

struct BatchCase {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  int status;
  std::string out;
  std::string err;  // empty: not checked
};

// Text with NUL bytes in it, from a literal.
template <std::size_t N>
std::string bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

// Where two long outputs first differ, and a little of each from there.
std::string firstDifference(const std::string& got, const std::string& wanted) {
  std::size_t i = 0;
  while (i < got.size() && i < wanted.size() && got[i] == wanted[i]) ++i;
  return "byte " + std::to_string(i) + " of " + std::to_string(got.size()) + ": got \"" +
         got.substr(i, 80) + "\", wanted \"" + wanted.substr(i, 80) + "\"";
}

void check(const BatchCase& c) {
  const CliRun run = runCli(c.args, c.input);
  EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err.substr(0, 300);
  EXPECT_TRUE(run.out == c.out) << c.name << ": " << firstDifference(run.out, c.out);
  if (!c.err.empty()) {
    EXPECT_EQ(run.err, c.err) << c.name;
  }
  // Whatever happened, standard error is at most two short lines.
  EXPECT_LE(run.err.size(), 400u) << c.name;
}

const std::vector<std::string> kCarbon = {"carbon", "--probe", "din17022", "--csv", "-"};
const std::vector<std::string> kNitriding = {"nitriding", "--csv", "-"};

std::vector<std::string> with(std::vector<std::string> args, const std::string& more) {
  args.push_back(more);
  return args;
}

std::string repeated(const std::string& line, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += line;
  return out;
}

TEST(BatchMalformedFiles, EveryRowComesOutOnceUnderItsOwnNames) {
  const std::string aQuarterMillion = repeated("10,31.61,x\n", 3000);
  const BatchCase cases[] = {
      {"a trailing separator is dropped and counted", kCarbon, "mv,temp,co\n1121,830,20,\n", 0,
       "mv,temp,co,carbon,error\n1121,830,20,0.905,\n",
       "pyrelon-cli: 1 rows, 1 computed, 0 failed; 1 rows ended in empty fields beyond the "
       "header, dropped\n"},
      {"trailing separators in JSON Lines", with(kCarbon, "--json"), "mv,temp,co\n1121,830,20,,\n",
       0,
       "{\"line\":2,\"inputs\":{\"mv\":\"1121\",\"temp\":\"830\",\"co\":\"20\"},"
       "\"results\":{\"carbon\":\"0.905\"},\"error\":null}\n",
       ""},
      {"an extra field that is not empty fails its row", kCarbon,
       "mv,temp,co\n1121,830,20,5\n1121,830,20\n", 1,
       "mv,temp,co,carbon,error\n1121,830,20,,The row has 4 fields; the header has 3.\n"
       "1121,830,20,0.905,\n",
       "pyrelon-cli: 2 rows, 1 computed, 1 failed (first on line 2: The row has 4 fields; the "
       "header has 3.)\n"},
      {"JSON Lines keeps the extra fields", with(kCarbon, "--json"), "mv,temp,co\n1121,830,20,5,\n",
       1,
       "{\"line\":2,\"inputs\":{\"mv\":\"1121\",\"temp\":\"830\",\"co\":\"20\"},\"extra\":[\"5\","
       "\"\"],\"results\":{\"carbon\":null},\"error\":\"The row has 5 fields; the header has "
       "3.\"}\n",
       ""},
      {"a stray quote in a column not read", kNitriding,
       "h2,nh3,note\n10,31.61,\"oops\n" + aQuarterMillion, 1,
       "h2,nh3,note,nk,error\n10,31.61,\"\"\"oops\",,The quote that opens field 3 on line 2 is "
       "never closed.\n" +
           repeated("10,31.61,x,10.00,\n", 3000),
       "pyrelon-cli: 3001 rows, 3000 computed, 1 failed (first on line 2: The quote that opens "
       "field 3 on line 2 is never closed.)\n"},
      {"a stray quote in a column read", kNitriding,
       "h2,nh3\n\"10,31.61\n" + repeated("10,31.61\n", 2) + std::string(1 << 20, 'z') + "\n", 1,
       "h2,nh3,nk,error\n\"\"\"10\",31.61,,The quote that opens field 1 on line 2 is never "
       "closed.\n10,31.61,10.00,\n10,31.61,10.00,\n" +
           std::string(1 << 20, 'z') + ",,,\"The h2 field \"\"" + std::string(40, 'z') +
           "...\"\" is not a number.\"\n",
       ""},
      {"a quote that closes on a later line is data", kNitriding,
       "note,h2,nh3\n\"two\nlines\",10,31.61\n", 0,
       "note,h2,nh3,nk,error\n\"two\nlines\",10,31.61,10.00,\n", ""},
      {"a NUL byte and escapes in a field are shown, not sent", kNitriding,
       bytes("h2,nh3\n10\0002,31.61\n1\x1b[2J,5\n") + std::string(50, '9') + "x,5\n", 1,
       bytes("h2,nh3,nk,error\n10\0002,31.61,,\"The h2 field \"\"10\\x002\"\" is not a "
             "number.\"\n") +
           "1\x1b[2J,5,,\"The h2 field \"\"1\\x1B[2J\"\" is not a number.\"\n" +
           std::string(50, '9') + "x,5,,\"The h2 field \"\"" + std::string(40, '9') +
           "...\"\" is not a number.\"\n",
       "pyrelon-cli: 3 rows, 0 computed, 3 failed (first on line 2: The h2 field \"10\\x002\" is "
       "not a number.)\n"},
  };
  for (const BatchCase& c : cases) check(c);
}

// A record past the limits fails alone; the rows before and after it are
// written.
TEST(BatchLimits, ARecordPastTheLimitsFailsAloneAtFullSize) {
  const std::string good = repeated("10,31.61\n", 10);
  const std::string goodOut = repeated("10,31.61,10.00,\n", 10);
  const BatchCase cases[] = {
      {"a 5 MiB field", kNitriding,
       "h2,nh3\n" + good + "\"" + std::string(5 << 20, 'x') + "\",1\n10,31.61\n", 1,
       "h2,nh3,nk,error\n" + goodOut + ",,,The record is longer than 4 MiB.\n10,31.61,10.00,\n",
       "pyrelon-cli: 12 rows, 11 computed, 1 failed (first on line 12: The record is longer "
       "than 4 MiB.)\n"},
      {"70,000 fields", kNitriding, "h2,nh3\n" + good + repeated("1,", 69999) + "1\n10,31.61\n", 1,
       "h2,nh3,nk,error\n" + goodOut +
           ",,,The record has more than 65536 fields.\n10,31.61,10.00,\n",
       ""},
  };
  for (const BatchCase& c : cases) check(c);
}

TEST(BatchLimits, ThreadsRunFromZeroTo256) {
  for (const char* threads : {"0", "1", "256"}) {
    const CliRun run = runCli(with(with(kNitriding, "--threads"), threads), "h2,nh3\n10,31.61\n");
    EXPECT_EQ(run.status, 0) << threads;
    EXPECT_EQ(run.out, "h2,nh3,nk,error\n10,31.61,10.00,\n") << threads;
  }
  for (const char* threads : {"257", "4294967295", "99999999999", "-1"}) {
    const CliRun run = runCli(with(with(kNitriding, "--threads"), threads), "h2,nh3\n10,31.61\n");
    EXPECT_EQ(run.status, 2) << threads;
    EXPECT_EQ(run.out, "") << threads;
    EXPECT_NE(run.err.find("256"), std::string::npos) << threads << run.err;
  }
}

TEST(BatchNames, OutputNamesNeverRepeat) {
  const BatchCase cases[] = {
      {"results and error named in the input", kCarbon,
       "mv,temp,co,carbon,error\n1121,830,20,x,y\n", 0,
       "mv,temp,co,carbon,error,carbon_2,error_2\n1121,830,20,x,y,0.905,\n", ""},
      {"names taken whatever their case and blanks", kCarbon,
       "mv,temp,co, Carbon ,ERROR,carbon_2\n1121,830,20,x,y,z\n", 0,
       "mv,temp,co, Carbon ,ERROR,carbon_2,carbon_3,error_2\n1121,830,20,x,y,z,0.905,\n", ""},
      {"the flow read from a column named flow",
       {"flow", "--type", "none", "--csv", "-"},
       "flow\n10.50\n",
       0,
       "flow,flow_2,error\n10.50,10.5,\n",
       ""},
      {"columns found with blanks around their names", kNitriding, " h2 ,\tNH3 \n10,31.61\n", 0,
       " h2 ,\tNH3 ,nk,error\n10,31.61,10.00,\n", ""},
      {"JSON: the record's own keys cannot be reached by a column", with(kNitriding, "--json"),
       "h2,nh3,line,results,error,h2,,column8\n10,31.61,a,b,c,999,d,e\n", 0,
       "{\"line\":2,\"inputs\":{\"h2\":\"10\",\"nh3\":\"31.61\",\"line\":\"a\",\"results\":\"b\","
       "\"error\":\"c\",\"h2_2\":\"999\",\"column7\":\"d\",\"column8\":\"e\"},"
       "\"results\":{\"nk\":\"10.00\"},\"error\":null}\n",
       ""},
      {"JSON: blank names, and a real column named as a blank one would be",
       with(kNitriding, "--json"), "h2,nh3,,, ,column3\n10,31.61,a,b,c,d\n", 0,
       "{\"line\":2,\"inputs\":{\"h2\":\"10\",\"nh3\":\"31.61\",\"column3_2\":\"a\",\"column4\":"
       "\"b\",\"column5\":\"c\",\"column3\":\"d\"},\"results\":{\"nk\":\"10.00\"},\"error\":null}"
       "\n",
       ""},
  };
  for (const BatchCase& c : cases) check(c);
}

// A failed row carries no result, not even those written before the fault:
// the lambda panel writes the wet oxygen before it finds no air excess.
TEST(BatchNames, AFailedRowHasNoResultsAfterOneThatComputed) {
  check({"lambda",
         {"lambda", "--fuel", "metano", "--csv", "-"},
         "mv,offset,kelvin-offset,air,flue\n57.16,8,0,20,180\n0.02,8,0,20,180\n",
         1,
         "mv,offset,kelvin-offset,air,flue,wet_o2,air_excess,dry_o2,co2,net_eff,gross_eff,error\n"
         "57.16,8,0,20,180,1.0,1.056,1.2,11.0,83.5,93.7,\n"
         "0.02,8,0,20,180,,,,,,,The wet oxygen of 20.9 % leaves no air excess to compute.\n",
         ""});
}

TEST(BatchFiles, ReadErrorsGiveTheirReason) {
  const std::string many = repeated("h,", 69999) + "h\n";
  const std::string wide = "h2,nh3," + std::string((4 << 20) + 10, 'n') + "\n10,31.61,x\n";
  const BatchCase cases[] = {
      {"a header of 70,000 fields", kNitriding, many, 2, "",
       "pyrelon-cli: cannot read the header line of -: the header has more than 65536 fields\n"},
      {"a header over 4 MiB", kNitriding, wide, 2, "",
       "pyrelon-cli: cannot read the header line of -: the header is longer than 4 MiB\n"},
      {"no header", kNitriding, "\n\n", 2, "", "pyrelon-cli: the input - holds no header line\n"},
      {"a quote in the header never closed", kNitriding, "h2,\"nh3\n10,31.61\n", 2, "",
       "pyrelon-cli: cannot read the header line of -: the quote that opens field 2 on line 1 is "
       "never closed\n"},
  };
  for (const BatchCase& c : cases) check(c);
  CliRun run = runCli({"nitriding", "--csv", "/"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "pyrelon-cli: cannot read the header line of /: Is a directory\n");
  run = shell("CLI nitriding --csv - <&- > /dev/null");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "pyrelon-cli: cannot read the header line of -: Bad file descriptor\n");
}

// Through a pipe the size is unknown: the bar counts rows and stays empty.
TEST(BatchFiles, TheProgressBarOfAPipeStaysEmpty) {
  const CliRun run =
      shell("printf 'h2,nh3\\n10,31.61\\n' | CLI nitriding --csv - --progress > /dev/null");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("\r[" + std::string(30, ' ') + "]   0%  1 rows"), std::string::npos)
      << run.err;
}

TEST(BatchFiles, TheOutputIsNeverTheInputFile) {
  const std::string path = scratch("own.csv");
  const std::string rows = "h2,nh3\n" + repeated("10,31.61\n", 100);
  for (const char* line :
       {"CLI nitriding --csv FILE >> FILE", "CLI nitriding --csv - < FILE >> FILE",
        "CLI nitriding --csv FILE 1<> FILE"}) {
    writeFile(path, rows);
    std::string command = line;
    for (std::size_t at; (at = command.find("FILE")) != std::string::npos;)
      command.replace(at, 4, "'" + path + "'");
    const CliRun run = shell(command);
    EXPECT_EQ(run.status, 2) << line;
    EXPECT_EQ(run.err, "pyrelon-cli: The output is the input file; write the results elsewhere.\n")
        << line;
    EXPECT_EQ(readFile(path), rows) << line;
  }
  // A copy is another file.
  writeFile(path, "h2,nh3\n10,31.61\n");
  const CliRun run = shell("cp '" + path + "' '" + path + ".2' && CLI nitriding --csv '" + path +
                           "' > '" + path + ".2'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(readFile(path + ".2"), "h2,nh3,nk,error\n10,31.61,10.00,\n");
}

// Every subcommand ends a failed write with the reason and status 2.
TEST(ProgramWrites, AFailedWriteIsNeverASuccess) {
  const char* commands[] = {
      "temperature 850",
      "temperature 850 --json",
      "carbon-check --mv 1121 --temp 830 --carbon 0.85",
      "carbon-check --mv 1121 --temp 830 --carbon 0.85 --json",
      "completion",
      "--help",
      "nitriding --help",
      "--version",
      "nitriding --csv - < /dev/null",  // no header: the usage error stands
  };
  for (const char* command : commands) {
    for (const auto& [target, reason] :
         {std::pair{"> /dev/full", "No space left on device"}, {">&-", "Bad file descriptor"}}) {
      const CliRun run = shell(std::string("CLI ") + command + " " + target);
      EXPECT_EQ(run.status, 2) << command << " " << target;
      if (std::string_view(command).starts_with("nitriding --csv")) continue;
      EXPECT_EQ(run.err, std::string("pyrelon-cli: cannot write the output: ") + reason + "\n")
          << command << " " << target;
    }
  }
  const std::string path = scratch("rows.csv");
  writeFile(path, "h2,nh3\n" + repeated("10,31.61\n", 10000));
  for (const char* target : {"> /dev/full", ">&-"}) {
    const CliRun run = shell("CLI nitriding --csv '" + path + "' " + target);
    EXPECT_EQ(run.status, 2) << target;
    EXPECT_NE(run.err.find("pyrelon-cli: cannot write the output: "), std::string::npos)
        << target << run.err;
  }
}

TEST(ProgramWrites, ProbeCheckReadsItsNumbersStrictly) {
  CliRun run = runCli({"carbon-check", "--mv", "1121", "--temp", "830", "--carbon", "1e309"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "pyrelon-cli: The measured carbon potential is too large a number.\n");
  run = runCli({"carbon-check", "--mv", "1121", "--temp", "830", "--carbon", "0.85x"});
  EXPECT_EQ(run.status, 2);
  // The decimal comma in, and out.
  run = runCli({"carbon-check", "--probe", "accucarb", "--mv", "1121", "--temp", "830", "--carbon",
                "0,85", "--decimal-comma"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "% CO      16,37\n% Carbon  0,850\n");
}

}  // namespace
}  // namespace pyrelon::testing
