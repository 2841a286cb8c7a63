// What the batch mode computes for each row of a CSV file: a row computer
// takes one row's input fields and gives its output fields, or the sentence
// that says why it has none. The batch (cli/batch.h) reads, orders, bounds
// and writes; a computer only computes, and knows nothing of files.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pyrelon::cli {

// The columns a computer adds to a file, or why it cannot compute its rows.
struct RowColumns {
  std::vector<std::string> names;  // in output order; the batch adds `error` after them
  std::string problem;             // empty, or a one-line usage error
                                   // ("no column \"mv\" for the probe voltage in log.csv; ...")
};

class RowComputer {
 public:
  // The state one thread computes with. compute() is called from one thread
  // at a time; each thread has its own Worker.
  class Worker {
   public:
    virtual ~Worker() = default;
    // `fields`: the row's fields as read (unquoted), at most as many as the
    // header has, fewer for a short row. On return `results` holds one text
    // per column name and `error` is empty; or `error` says why the row has
    // no results (the batch then writes every result empty, whatever
    // `results` holds). A sentence that quotes a field quotes it through
    // quotedField() (cli/rows.h), so that no control byte reaches a terminal.
    virtual void compute(std::span<const std::string_view> fields,
                         std::vector<std::string>& results, std::string& error) = 0;
  };

  virtual ~RowComputer() = default;
  // Called once, before any row, with the header's names as written.
  virtual RowColumns columns(std::span<const std::string> header) = 0;
  // Called once per thread after columns(); the workers may share the
  // computer's state read-only.
  virtual std::unique_ptr<Worker> makeWorker() const = 0;
};

}  // namespace pyrelon::cli
