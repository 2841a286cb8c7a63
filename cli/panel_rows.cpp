#include "cli/panel_rows.h"

#include "cli/rows.h"
#include "shell/press.h"

namespace pyrelon::cli {
namespace {

class PanelComputer final : public RowComputer {
 public:
  explicit PanelComputer(const PanelRows& rows)
      : rows_(rows),
        panel_(*rows.panel),
        settings_(rows.decimalComma ? NumberSettings{",", "."} : NumberSettings{".", ","}),
        read_(inputsRead(panel_, rows.entry)) {}

  RowColumns columns(std::span<const std::string> header) override {
    RowColumns out;
    column_.assign(panel_.inputs.size(), -1);
    constant_.assign(panel_.inputs.size(), std::string());
    for (const int input : read_) {
      const auto i = static_cast<std::size_t>(input);
      const InputSpec& spec = panel_.inputs[i];
      if (i < rows_.constants.size() && rows_.constants[i]) {
        constant_[i] = *rows_.constants[i];
        continue;
      }
      std::string wanted(spec.key);
      for (const auto& [key, column] : rows_.columnNames)
        if (key == spec.key) wanted = column;
      const std::string key = columnKey(wanted);
      for (std::size_t c = 0; c < header.size(); ++c) {
        if (columnKey(header[c]) == key) {
          column_[i] = static_cast<int>(c);
          break;
        }
      }
      if (column_[i] < 0) {
        out.problem = "no column \"" + wanted + "\" for the " + std::string(spec.what) + " in " +
                      rows_.path + "; give --" + std::string(spec.key) + " or --map " +
                      std::string(spec.key) + "=COLUMN";
        return out;
      }
    }
    for (const ResultSpec& r : panel_.resultsFor(rows_.entry)) out.names.emplace_back(r.key);
    return out;
  }

  std::unique_ptr<Worker> makeWorker() const override {
    return std::make_unique<PanelWorker>(*this);
  }

 private:
  class PanelWorker final : public Worker {
   public:
    explicit PanelWorker(const PanelComputer& computer)
        : c_(computer), readings_(computer.panel_.inputs.size()) {
      for (std::size_t i = 0; i < readings_.size(); ++i) readings_[i] = readVal(c_.constant_[i]);
    }

    void compute(std::span<const std::string_view> fields, std::vector<std::string>& results,
                 std::string& error) override {
      error.clear();
      for (const int input : c_.read_) {
        const auto i = static_cast<std::size_t>(input);
        const int column = c_.column_[i];
        if (column < 0) continue;
        const std::string_view key = c_.panel_.inputs[i].key;
        if (static_cast<std::size_t>(column) >= fields.size()) {
          error = "The row has no " + std::string(key) + " field.";
          return;
        }
        const std::string_view field = fields[static_cast<std::size_t>(column)];
        const std::optional<ReadResult> reading = strictReading(field, c_.rows_.decimalComma);
        if (!reading) {
          error = "The " + std::string(key) + " field " + quotedField(field) + " is not a number.";
          return;
        }
        readings_[i] = *reading;
      }
      pressReadings(c_.panel_, readings_, c_.rows_.entry, c_.settings_, outcome_);
      shownResults(c_.panel_, c_.rows_.entry, outcome_, results);
      error = errorOf(outcome_);
    }

   private:
    const PanelComputer& c_;
    std::vector<ReadResult> readings_;
    Outcome outcome_;
  };

  PanelRows rows_;
  const PanelDescriptor& panel_;
  NumberSettings settings_;
  std::vector<int> read_;              // the inputs the entry reads
  std::vector<int> column_;            // per input: its column, or -1
  std::vector<std::string> constant_;  // per input: the option's text
};

}  // namespace

std::unique_ptr<RowComputer> panelRowComputer(const PanelRows& rows) {
  return std::make_unique<PanelComputer>(rows);
}

}  // namespace pyrelon::cli
