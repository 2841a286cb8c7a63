// A panel as a row computer: each row is a press of the panel, its inputs
// read strictly from their columns (or given once as options), its results
// the texts the window would show.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/row_computer.h"
#include "core/panel.h"

namespace pyrelon::cli {

struct PanelRows {
  const PanelDescriptor* panel = nullptr;
  int entry = 0;
  // Per input of the panel: a constant given as an option, already read
  // strictly and written with a point; empty where the input comes from a
  // column.
  std::vector<std::optional<std::string>> constants;
  // Input key -> column name, from --map.
  std::vector<std::pair<std::string, std::string>> columnNames;
  std::string path;  // named in the message for a missing column
  bool decimalComma = false;
};

// Each input the entry reads comes from its option, or from the column named
// after its key (or as --map says). Names match with blanks and tabs at
// either end dropped and without regard to the case of A to Z: " MV " is
// the column of mv. The first column that matches is read.
std::unique_ptr<RowComputer> panelRowComputer(const PanelRows& rows);

}  // namespace pyrelon::cli
