// What every subcommand's --csv shares: the column names given with --map,
// and the batch run to standard output or into a file (-o).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/batch.h"
#include "cli/row_computer.h"

namespace CLI {
class App;
}

namespace pyrelon::cli {

// How a subcommand writes: JSON or text, the decimal separator, the
// progress bar. One set may serve several subcommands, since one runs.
struct OutputFlags {
  bool json = false;
  bool decimalComma = false;
  bool noProgress = false;
  bool progress = false;
};

// What --csv and its companions collect on one subcommand.
struct BatchFlags {
  std::string csvPath;     // empty: no batch
  std::string outputPath;  // -o: the rows into this file, not standard output
  std::vector<std::string> maps;
  unsigned threads = 0;  // 0: one per core
};

// The most threads --threads takes.
constexpr unsigned kMostThreads = 256;

// Adds --csv, -o/--output, --map, --threads, --json, --decimal-comma,
// --no-progress and --progress to `sub`, in that order (the order of its
// --help), writing into `batch` and `output`.
void addBatchOptions(CLI::App& sub, BatchFlags& batch, OutputFlags& output);

// The batch run those options ask for.
BatchOptions batchOptions(const BatchFlags& batch, const OutputFlags& output);

// A fault in the options of a command: exit status 2, after this message.
struct UsageError {
  std::string message;
};

// The --map options ("mv=Probe_mV,temp=T_C", given once or more) as pairs of
// input key and column name, in order. Throws UsageError for a pair that is
// not KEY=COLUMN, or a key that is none of `keys` (the inputs of `command`).
std::vector<std::pair<std::string, std::string>> columnMaps(const std::vector<std::string>& maps,
                                                            std::span<const std::string_view> keys,
                                                            std::string_view command);

// Runs the batch to standard output, or with `outputPath` into that file,
// which replaces an earlier one only when the batch ends with status 0 or
// 1. Throws UsageError where the file cannot be written.
int runBatchTo(const BatchOptions& options, RowComputer& computer, const std::string& outputPath);

}  // namespace pyrelon::cli
