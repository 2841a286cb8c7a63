#include "cli/tool_rows.h"

namespace pyrelon::cli {
namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

ToolRowComputer::ToolRowComputer(const ToolDescriptor& tool,
                                 std::vector<std::optional<double>> constants,
                                 std::vector<std::pair<std::string, std::string>> columnNames,
                                 bool decimalComma)
    : tool_(tool),
      constants_(std::move(constants)),
      columnNames_(std::move(columnNames)),
      separator_(decimalComma ? "," : ".") {
  constants_.resize(tool.inputs.size());
  fieldOf_.assign(tool.inputs.size(), -1);
  for (const ToolColumn& column : tool.columns) places_.push_back(placeOfColumn(tool, column));
  given_.resize(tool.inputs.size());
}

std::string ToolRowComputer::bind(std::span<const std::string_view> header) {
  fieldOf_.assign(tool_.inputs.size(), -1);
  for (std::size_t i = 0; i < tool_.inputs.size(); ++i) {
    if (constants_[i]) continue;
    std::string wanted = memberNameOf(tool_.inputs[i].key);
    bool mapped = false;
    for (const auto& [key, column] : columnNames_) {
      if (key == tool_.inputs[i].key || key == wanted) {
        wanted = column;
        mapped = true;
      }
    }
    for (std::size_t f = 0; f < header.size(); ++f) {
      if (!sameIgnoringCase(header[f], wanted)) continue;
      if (fieldOf_[i] >= 0) return "the column \"" + wanted + "\" stands twice in the header";
      fieldOf_[i] = static_cast<int>(f);
    }
    if (mapped && fieldOf_[i] < 0)
      return "--map: no column \"" + wanted + "\" for --" + std::string(tool_.inputs[i].key);
  }
  return {};
}

std::vector<std::string> ToolRowComputer::outputNames() const {
  std::vector<std::string> names;
  for (const ToolColumn& column : tool_.columns) names.emplace_back(column.name);
  names.emplace_back("error");
  return names;
}

bool ToolRowComputer::compute(std::span<const std::string_view> record,
                              std::vector<std::string>& fields) {
  fields.resize(tool_.columns.size() + 1);
  for (std::string& field : fields) field.clear();
  std::string& error = fields.back();
  int notANumber = -1;
  for (std::size_t i = 0; i < tool_.inputs.size(); ++i) {
    given_[i] = constants_[i];
    const int f = fieldOf_[i];
    if (given_[i] || f < 0 || static_cast<std::size_t>(f) >= record.size()) continue;
    const std::string_view text = record[static_cast<std::size_t>(f)];
    if (isBlankText(text)) continue;
    given_[i] = readToolNumber(text, separator_);
    if (!given_[i] && notANumber < 0) {
      notANumber = static_cast<int>(i);
      error = notANumberSentence(tool_.inputs[i], text);
    }
  }
  form_ = checkToolReadings(tool_, given_, separator_);
  if (notANumber >= 0 && (form_.ok() || form_.failedInput > notANumber)) {
    form_.failedInput = notANumber;
    form_.error = error;
  }
  outcome_ = runTool(tool_, form_);
  error = outcome_.error;
  if (!error.empty()) return false;
  for (std::size_t c = 0; c < places_.size(); ++c)
    appendColumnValue(fields[c], tool_, places_[c], outcome_, separator_);
  return true;
}

}  // namespace pyrelon::cli
