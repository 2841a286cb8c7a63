#include "cli/batch_command.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <stdexcept>

#include "cli/output_file.h"

namespace pyrelon::cli {

std::vector<std::pair<std::string, std::string>> columnMaps(const std::vector<std::string>& maps,
                                                            std::span<const std::string_view> keys,
                                                            std::string_view command) {
  std::vector<std::pair<std::string, std::string>> names;
  for (const std::string& map : maps) {
    std::string_view rest = map;
    while (!rest.empty()) {
      const std::string_view pair = rest.substr(0, rest.find(','));
      rest = pair.size() < rest.size() ? rest.substr(pair.size() + 1) : std::string_view{};
      const auto equals = pair.find('=');
      if (equals == std::string_view::npos || equals == 0 || equals + 1 == pair.size())
        throw UsageError{"--map \"" + std::string(pair) + "\" is not KEY=COLUMN"};
      const std::string key(pair.substr(0, equals));
      bool known = false;
      for (const std::string_view k : keys) known = known || k == key;
      if (!known) throw UsageError{"--map: \"" + key + "\" is no input of " + std::string(command)};
      names.emplace_back(key, std::string(pair.substr(equals + 1)));
    }
  }
  return names;
}

int runBatchTo(const BatchOptions& options, RowComputer& computer, const std::string& outputPath) {
  if (outputPath.empty()) return runBatch(options, computer);
  std::optional<OutputFile> output;
  try {
    output.emplace(outputPath, options.path);
  } catch (const std::runtime_error& e) {
    throw UsageError{e.what()};
  }
  const int status = runBatch(options, computer);
  if (status == 2) return status;
  try {
    output->keep();
  } catch (const std::runtime_error& e) {
    throw UsageError{e.what()};
  }
  return status;
}

void addBatchOptions(CLI::App& sub, BatchFlags& batch, OutputFlags& output) {
  sub.add_option("--csv", batch.csvPath,
                 "compute every row of a CSV file of readings (- for standard input)")
      ->type_name("FILE");
  sub.add_option("-o,--output", batch.outputPath,
                 "write the rows to FILE, replacing it, instead of standard output")
      ->type_name("FILE")
      ->needs(sub.get_option("--csv"));
  sub.add_option("--map", batch.maps, "read an input from a column of another name")
      ->type_name("KEY=COLUMN,...");
  sub.add_option(
         "--threads", batch.threads,
         "threads for --csv, 0 to " + std::to_string(kMostThreads) + " (default 0: one per core)")
      ->check(CLI::Range(0u, kMostThreads).description(""))
      ->type_name("N");
  sub.add_flag("--json", output.json, "JSON instead of text; JSON Lines with --csv");
  sub.add_flag("--decimal-comma", output.decimalComma,
               "read and write numbers with a decimal comma; CSV fields separated by ';'");
  sub.add_flag("--no-progress", output.noProgress, "no progress bar with --csv");
  sub.add_flag("--progress", output.progress,
               "a progress bar with --csv even where standard error is no terminal");
}

BatchOptions batchOptions(const BatchFlags& batch, const OutputFlags& output) {
  BatchOptions options;
  options.path = batch.csvPath;
  options.decimalComma = output.decimalComma;
  options.jsonLines = output.json;
  options.progress = output.noProgress ? BatchOptions::Progress::Never
                     : output.progress ? BatchOptions::Progress::Always
                                       : BatchOptions::Progress::Auto;
  options.threads = batch.threads;
  return options;
}

}  // namespace pyrelon::cli
