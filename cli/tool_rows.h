// A tool's rows for the batch: which field of a CSV record holds each of
// the tool's inputs, and the output fields of one record (the tool's CSV
// columns, then `error`). Self-contained: the batch pipeline streams the
// records and hands each one here.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/tool.h"
#include "shell/tool_form.h"

namespace pyrelon::cli {

class ToolRowComputer {
 public:
  // `constants`: per input of the tool, a value given as an option, used
  // for every row (and its column, if any, is not read); nullopt where the
  // input comes from a column or is not given. `columnNames`: input key ->
  // column name, from --map. `decimalComma`: fields hold a decimal comma
  // and results are written with one.
  ToolRowComputer(const ToolDescriptor& tool, std::vector<std::optional<double>> constants,
                  std::vector<std::pair<std::string, std::string>> columnNames, bool decimalComma);

  // Finds each input's column in the header, by its member name
  // ("dew_point") or its --map name, without regard to case; an input
  // with no column is not given in any row. Gives a usage error sentence
  // for a --map column the header lacks, or a column named twice; empty
  // when the header is usable.
  std::string bind(std::span<const std::string_view> header);

  // The names of the output fields: the tool's CSV columns, then "error".
  std::vector<std::string> outputNames() const;

  // Computes one record. `fields` gets one text per output name (reusing
  // its strings): the results, empty where absent or where the row
  // failed, and the error sentence, empty when the row computed. Returns
  // whether the row computed. A record shorter than the header has its
  // missing fields blank.
  bool compute(std::span<const std::string_view> record, std::vector<std::string>& fields);

  // The readings and outcome of the last record computed, for JSON Lines.
  const std::vector<std::optional<double>>& readings() const { return form_.readings; }
  const ToolOutcome& outcome() const { return outcome_; }

 private:
  const ToolDescriptor& tool_;
  std::vector<std::optional<double>> constants_;
  std::vector<std::pair<std::string, std::string>> columnNames_;
  std::string separator_;
  std::vector<int> fieldOf_;  // per input: the record's field, or -1
  std::vector<ToolColumnPlace> places_;
  std::vector<std::optional<double>> given_;
  ToolForm form_;
  ToolOutcome outcome_;
};

}  // namespace pyrelon::cli
