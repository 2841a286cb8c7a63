// The batch mode: a CSV file of rows in, one output row per input row,
// streamed, on every core, through a row computer (cli/row_computer.h).
//
// What it promises:
//   - Order: every input record comes out once, in input order, whatever
//     the number of threads; blank lines are skipped.
//   - Names: every output name is unique (see cli/row_writers.h). CSV keeps
//     the input's fields as written and adds the computer's columns and
//     `error`; JSON Lines gives {"line","inputs","extra"?,"results","error"}.
//   - A failed row: its results are all empty and `error` says why, in one
//     line; the other rows are untouched. A row fails when the computer says
//     so, when it has a field beyond the header's that is not empty ("The
//     row has 5 fields; the header has 3."; empty ones, a trailing
//     separator, are dropped and counted), when a quote in it is never
//     closed (the record is read again from its line with that quote as a
//     plain character, so every later line is a row of its own; CSV writes
//     such a row's fields quoted), or when it breaks the record limits
//     (reading goes on at the next line end).
//   - A failed file: no header, a read error, a write error or a thread
//     that cannot start stops the batch with a one-line problem; the rows
//     before it are written.
//   - Bounds: a batch closes at `rowsPerBatch` rows or `bytesPerBatch`
//     bytes; at most threads + 2 batches are handed out and not yet
//     written; the reader hands out no batch while the input and output bytes
//     in flight (one count for every thread) would pass `bytesInFlight`,
//     unless nothing is in flight. The output of the batches being worked
//     on is counted when they are done, so the count may pass the budget by
//     the output of as many batches as there are threads.
//   - Exit status: 0 when every row computed, 1 when any row failed, 2 on a
//     failed file. Once the header is read the summary ("N rows, N
//     computed, N failed (first on line L: WHY)") always follows, on one
//     line; before it, the problem alone.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "cli/csv.h"
#include "cli/pool.h"
#include "cli/row_computer.h"

namespace pyrelon::cli {

struct BatchLimits {
  std::size_t rowsPerBatch = 4096;
  std::size_t bytesPerBatch = std::size_t{4} << 20;
  std::size_t bytesInFlight = std::size_t{24} << 20;
  std::size_t maxRecordBytes = std::size_t{4} << 20;  // per record, and for the header
  std::size_t maxFields = 65536;
  std::size_t chunkSize = std::size_t{1} << 20;  // bytes asked of each read
  ThreadStarter startThread = cli::startThread;
};

// One stream through the pipeline.
struct BatchStream {
  ByteSource* input = nullptr;
  std::string inputName;  // as messages name it
  RowComputer* computer = nullptr;
  char separator = ',';
  bool jsonLines = false;
  unsigned threads = 1;  // 1 computes on the calling thread; at most 256
  // Writes output; throws std::runtime_error("cannot write the output: ...")
  // when it cannot.
  std::function<void(std::string_view)> write;
  // Rows done so far; called after each batch written.
  std::function<void(std::uint64_t rows)> progress;
  BatchLimits limits;
};

struct BatchReport {
  int status = 0;  // 0, 1 or 2 as above
  std::uint64_t rows = 0, failed = 0;
  std::uint64_t firstFailedLine = 0;
  std::string firstError;
  std::uint64_t trailingSeparators = 0;  // rows whose empty extra fields were dropped
  std::string problem;                   // why the file failed: one line, or empty
  bool started = false;  // the header was read and the computer took it: rows follow
  std::size_t peakBytesInFlight = 0;
};

BatchReport streamRows(const BatchStream& stream);

// "3 rows, 2 computed, 1 failed (first on line 4: WHY)", and how many rows
// had a trailing separator where any had.
std::string summaryLine(const BatchReport& report);

struct BatchOptions {
  std::string path;  // "-" for standard input
  bool decimalComma = false;
  bool jsonLines = false;
  // The progress bar: by default shown only when standard error is a
  // terminal and the input a file of known size.
  enum class Progress { Auto, Always, Never } progress = Progress::Auto;
  unsigned threads = 0;  // 0: one per core (at most 256)
};

// Runs the batch over a file or standard input, to standard output; the
// problem, if any, and the summary go to standard error. Refuses an output
// that is the input file (same device and inode). Returns the exit status.
int runBatch(const BatchOptions& options, RowComputer& computer);

}  // namespace pyrelon::cli
