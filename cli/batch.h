// The batch mode: a CSV file of readings in, one output row per input row,
// streamed, in order, on every core.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/panel.h"

namespace pyrelon::cli {

struct BatchOptions {
  const PanelDescriptor* panel = nullptr;
  int entry = 0;
  // Per input of the panel: a constant given as an option, already read
  // strictly and written with a point; empty where the input comes from a
  // column.
  std::vector<std::optional<std::string>> constants;
  // Input key -> column name, from --map.
  std::vector<std::pair<std::string, std::string>> columnNames;
  std::string path;  // "-" for standard input
  bool decimalComma = false;
  bool jsonLines = false;
  // The progress bar: by default shown only when standard error is a
  // terminal and the input a file of known size.
  enum class Progress { Auto, Always, Never } progress = Progress::Auto;
  unsigned threads = 0;  // 0: one per core
};

// Runs the batch; writes the rows to standard output and a summary to
// standard error. Returns 0 when every row computed, 1 when some failed, 2
// on a usage error (a missing column, an unreadable file), after a one-line
// message naming the problem.
int runBatch(const BatchOptions& options);

}  // namespace pyrelon::cli
