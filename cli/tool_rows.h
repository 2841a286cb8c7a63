// A tool as a row computer for the batch: each row is one run of the
// tool's calculator, its inputs read strictly from their columns (or given
// once as options), its output the tool's CSV columns.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/row_computer.h"
#include "core/tool.h"

namespace pyrelon::cli {

struct ToolRows {
  const ToolDescriptor* tool = nullptr;
  // Per input of the tool: a value given as an option, for every row (its
  // column, if any, is not read); nullopt where the input comes from a
  // column or is not given.
  std::vector<std::optional<double>> constants;
  // Input key -> column name, from --map.
  std::vector<std::pair<std::string, std::string>> columnNames;
  std::string path;  // named in the message for a missing --map column
  bool decimalComma = false;
};

// Each input comes from its option, or from the column named as its JSON
// member ("dew_point", or as --map says); names match as the panels' do
// (blanks at either end dropped, A to Z in either case), the first that
// matches is read. An input with no column is not given in any row, so a
// log carries whichever readings it has; a --map column the header lacks
// is a usage error. A row's blank field is an input not given; a field
// that is no number, a reading out of range and a set of readings the
// tool refuses fail the row with the tool's sentence.
std::unique_ptr<RowComputer> toolRowComputer(const ToolRows& rows);

}  // namespace pyrelon::cli
