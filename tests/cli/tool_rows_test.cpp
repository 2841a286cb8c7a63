// A tool's rows for the batch, on the throwaway tool: columns found by
// name, constants, blank and faulty fields, and the output fields.
// Expected values worked by hand: volume = flow × hours, nitrogen = volume
// × share / 100, split_first = volume / 2.
#include "cli/tool_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/scratch/scratch_tool.h"

namespace pyrelon::cli {
namespace {

using pyrelon::testing::scratchTool;

// The row's output as "volume|nitrogen|split_first|error".
std::string computeRow(RowComputer::Worker& worker, const std::vector<std::string_view>& record) {
  std::vector<std::string> results;
  std::string error;
  worker.compute(record, results, error);
  std::string out;
  for (std::size_t i = 0; i < 3; ++i)
    out += (error.empty() && i < results.size() ? results[i] : "") + "|";
  return out + error;
}

ToolRows rowsOf(std::vector<std::optional<double>> constants = {},
                std::vector<std::pair<std::string, std::string>> names = {},
                bool decimalComma = false) {
  ToolRows rows;
  rows.tool = &scratchTool();
  rows.constants = std::move(constants);
  rows.columnNames = std::move(names);
  rows.path = "log.csv";
  rows.decimalComma = decimalComma;
  return rows;
}

TEST(ToolRows, ComputeEachRecordFromItsColumns) {
  const auto computer = toolRowComputer(rowsOf());
  const std::vector<std::string> header{"time", " FLOW ", "hours", "Share"};
  const RowColumns columns = computer->columns(header);
  EXPECT_EQ(columns.problem, "");
  EXPECT_EQ(columns.names, (std::vector<std::string>{"volume", "nitrogen", "split_first"}));
  const auto worker = computer->makeWorker();
  // clang-format off
  const struct {
    const char* name;
    std::vector<std::string_view> record;
    const char* fields;
  } cases[] = {
      {"all_given", {"06:00", "12.5", "8", "40"}, "100.00|40.0|50.0|"},
      {"blank_share_not_given", {"06:00", "12.5", "8", " "}, "100.00||50.0|"},
      {"blank_hours_take_the_start_value", {"06:00", "5", "", ""}, "40.00||20.0|"},
      {"short_record", {"06:00", "5"}, "40.00||20.0|"},
      {"out_of_range", {"06:00", "5", "30", ""}, "|||The run time must be between 0.5 and 24 h."},
      {"not_a_number", {"06:00", "5", "8", "4,0"},
       "|||The nitrogen share \"4,0\" is not a number."},
      {"control_bytes_quoted", {"06:00", "\x1b[2J", "8", ""},
       "|||The gas flow \"\\x1B[2J\" is not a number."},
      {"calculator_refuses", {"06:00", "100", "21", "1"}, "|||The volume must be at most 2000 m³."},
  };
  // clang-format on
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(computeRow(*worker, row.record), row.fields);
  }
}

TEST(ToolRows, ConstantsMapsAndDecimalComma) {
  // --share 50 for every row; the flow read from "Q"; a decimal comma.
  const auto computer =
      toolRowComputer(rowsOf({std::nullopt, 50.0, std::nullopt}, {{"flow", "Q"}}, true));
  const std::vector<std::string> header{"q", "share", "hours"};
  EXPECT_EQ(computer->columns(header).problem, "");
  // 2.5 × 3 = 7.5, half of it 3.75 (the share column is not read)
  EXPECT_EQ(computeRow(*computer->makeWorker(), {"2,5", "99", "3"}), "7,50|3,75|3,8|");

  const auto unmapped = toolRowComputer(rowsOf({}, {{"flow", "Q"}}));
  const std::vector<std::string> noQ{"flow", "hours"};
  EXPECT_EQ(unmapped->columns(noQ).problem,
            "no column \"Q\" for the gas flow in log.csv (--map flow=Q)");
  // Without a column, an input is not given: its start value holds.
  const auto bare = toolRowComputer(rowsOf());
  const std::vector<std::string> onlyTime{"time"};
  EXPECT_EQ(bare->columns(onlyTime).problem, "");
  EXPECT_EQ(computeRow(*bare->makeWorker(), {"06:00"}), "80.00||40.0|");
}

}  // namespace
}  // namespace pyrelon::cli
