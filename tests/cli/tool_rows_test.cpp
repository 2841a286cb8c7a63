// A tool's rows for the batch, on the throwaway tool: columns found by
// name, constants, blank and faulty fields, and the output fields.
#include "cli/tool_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/scratch/scratch_tool.h"

namespace pyrelon::cli {
namespace {

using pyrelon::testing::scratchTool;

std::string joined(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) out += (i > 0 ? "|" : "") + fields[i];
  return out;
}

TEST(ToolRows, ComputeEachRecordFromItsColumns) {
  ToolRowComputer rows(scratchTool(), {}, {}, false);
  const std::vector<std::string_view> header{"time", "FLOW", "hours", "Share"};
  ASSERT_EQ(rows.bind(header), "");
  EXPECT_EQ(rows.outputNames(),
            (std::vector<std::string>{"volume", "nitrogen", "split_first", "error"}));
  const struct {
    const char* name;
    std::vector<std::string_view> record;
    bool computed;
    const char* fields;  // volume|nitrogen|split_first|error
  } cases[] = {
      // 12.5 × 8 = 100, 40 % of it 40, half of it 50
      {"all_given", {"06:00", "12.5", "8", "40"}, true, "100.00|40.0|50.0|"},
      {"blank_share_not_given", {"06:00", "12.5", "8", " "}, true, "100.00||50.0|"},
      {"blank_hours_take_the_start_value", {"06:00", "5", "", ""}, true, "40.00||20.0|"},
      {"short_record", {"06:00", "5"}, true, "40.00||20.0|"},
      {"out_of_range",
       {"06:00", "5", "30", ""},
       false,
       "|||The run time must be between 0.5 and 24 h."},
      {"not_a_number",
       {"06:00", "5", "8", "4,0"},
       false,
       "|||The nitrogen share \"4,0\" is not a number."},
      {"no_number_before_a_later_range_fault",
       {"06:00", "x", "30", ""},
       false,
       "|||The gas flow \"x\" is not a number."},
      {"calculator_refuses",
       {"06:00", "100", "21", "1"},
       false,
       "|||The volume must be at most 2000 m³."},
  };
  std::vector<std::string> fields;
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(rows.compute(row.record, fields), row.computed);
    EXPECT_EQ(joined(fields), row.fields);
  }
}

TEST(ToolRows, ConstantsMapsAndDecimalComma) {
  // --share 50 for every row; the flow read from "Q"; a decimal comma.
  ToolRowComputer rows(scratchTool(), {std::nullopt, 50.0, std::nullopt}, {{"flow", "Q"}}, true);
  const std::vector<std::string_view> header{"q", "share", "hours"};
  ASSERT_EQ(rows.bind(header), "");
  std::vector<std::string> fields;
  const std::vector<std::string_view> record{"2,5", "99", "3"};
  EXPECT_TRUE(rows.compute(record, fields));
  // 2.5 × 3 = 7.5, half of it (the share column is not read) 3.75
  EXPECT_EQ(joined(fields), "7,50|3,75|3,8|");

  ToolRowComputer unmapped(scratchTool(), {}, {{"flow", "Q"}}, false);
  const std::vector<std::string_view> noQ{"flow", "hours"};
  EXPECT_EQ(unmapped.bind(noQ), "--map: no column \"Q\" for --flow");
  ToolRowComputer twice(scratchTool(), {}, {}, false);
  const std::vector<std::string_view> doubled{"flow", "Flow"};
  EXPECT_EQ(twice.bind(doubled), "the column \"flow\" stands twice in the header");
}

}  // namespace
}  // namespace pyrelon::cli
