#include "cli/tool_rows.h"

#include "cli/rows.h"
#include "shell/tool_form.h"

namespace pyrelon::cli {
namespace {

class ToolComputer final : public RowComputer {
 public:
  explicit ToolComputer(const ToolRows& rows)
      : rows_(rows), tool_(*rows.tool), separator_(rows.decimalComma ? "," : ".") {
    rows_.constants.resize(tool_.inputs.size());
    for (const ToolColumn& column : tool_.columns) places_.push_back(placeOfColumn(tool_, column));
  }

  RowColumns columns(std::span<const std::string> header) override {
    RowColumns out;
    column_.assign(tool_.inputs.size(), -1);
    std::size_t next = 0;
    for (const ToolInput& input : tool_.inputs) {
      const std::size_t i = next++;
      if (rows_.constants[i]) continue;
      std::string wanted = memberNameOf(input.key);
      bool mapped = false;
      for (const auto& [key, column] : rows_.columnNames) {
        if (key == input.key) {
          wanted = column;
          mapped = true;
        }
      }
      const std::string name = columnKey(wanted);
      for (std::size_t c = 0; c < header.size() && column_[i] < 0; ++c)
        if (columnKey(header[c]) == name) column_[i] = static_cast<int>(c);
      if (mapped && column_[i] < 0) {
        out.problem = "no column \"" + wanted + "\" for the " + std::string(input.what) + " in " +
                      rows_.path + " (--map " + std::string(input.key) + "=" + wanted + ")";
        return out;
      }
    }
    for (const ToolColumn& column : tool_.columns) out.names.emplace_back(column.name);
    return out;
  }

  std::unique_ptr<Worker> makeWorker() const override {
    return std::make_unique<ToolWorker>(*this);
  }

 private:
  class ToolWorker final : public Worker {
   public:
    explicit ToolWorker(const ToolComputer& computer)
        : c_(computer), given_(computer.tool_.inputs.size()) {}

    void compute(std::span<const std::string_view> fields, std::vector<std::string>& results,
                 std::string& error) override {
      error.clear();
      const ToolDescriptor& tool = c_.tool_;
      for (std::size_t i = 0; i < tool.inputs.size(); ++i) {
        given_[i] = c_.rows_.constants[i];
        const int column = c_.column_[i];
        if (given_[i] || column < 0 || static_cast<std::size_t>(column) >= fields.size()) continue;
        const std::string_view field = fields[static_cast<std::size_t>(column)];
        if (isBlankText(field)) continue;
        given_[i] = readToolNumber(field, c_.separator_);
        if (!given_[i]) {
          error = "The " + std::string(tool.inputs[i].what) + " " + quotedField(field) +
                  " is not a number.";
          return;
        }
      }
      checkToolReadingsInto(tool, given_, c_.separator_, form_);
      runToolInto(tool, form_, outcome_);
      if (!outcome_.error.empty()) {
        error = outcome_.error;
        return;
      }
      results.resize(c_.places_.size());
      for (std::size_t r = 0; r < c_.places_.size(); ++r) {
        results[r].clear();
        appendColumnValue(results[r], tool, c_.places_[r], outcome_, c_.separator_);
      }
    }

   private:
    const ToolComputer& c_;
    std::vector<std::optional<double>> given_;
    // Kept from row to row so that a row allocates nothing for them.
    ToolForm form_;
    ToolOutcome outcome_;
  };

  ToolRows rows_;
  const ToolDescriptor& tool_;
  std::string separator_;
  std::vector<ToolColumnPlace> places_;
  std::vector<int> column_;  // per input: its column, or -1
};

}  // namespace

std::unique_ptr<RowComputer> toolRowComputer(const ToolRows& rows) {
  return std::make_unique<ToolComputer>(rows);
}

}  // namespace pyrelon::cli
