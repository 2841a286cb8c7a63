// The command line and the window agree: thousands of random readings per
// panel, valid, out of range and faulting, pressed in the in-memory window
// and computed by pyrelon-cli in one batch each, give the same results and
// the same sentences.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "cli/csv.h"
#include "cli/rows.h"
#include "run_cli.h"
#include "shell/panels.h"
#include "shell/press.h"
#include "tests/fake_window.h"

namespace pyrelon::testing {
namespace {

// A reading as a logger writes it: mostly inside the panel's limits, some
// just past them, a few far off or beyond the double range.
std::string randomReading(std::mt19937_64& rng, const InputSpec& input) {
  std::uniform_real_distribution<double> unit(0, 1);
  const double r = unit(rng);
  if (r < 0.02) return "1E400";
  if (r < 0.04) return "-1e309";
  double low = -1000, high = 3000;
  if (input.limits) {
    const double span = input.limits->max - input.limits->min;
    low = input.limits->min - 0.1 * span;
    high = input.limits->max + 0.1 * span;
  }
  if (r < 0.08) {
    low *= 1e6;
    high *= 1e6;
  }
  const double value = low + (high - low) * unit(rng);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", static_cast<int>(rng() % 5), value);
  return text;
}

TEST(Agreement, TheCommandLineShowsWhatTheWindowShows) {
  std::mt19937_64 rng(20261206);
  int compared = 0;
  for (const PanelDescriptor* panel : panels()) {
    const int entries = panel->list ? static_cast<int>(panel->list->entries.size()) : 1;
    for (int entry = 0; entry < entries; ++entry) {
      const bool comma = (entry + static_cast<int>(panel->id.size())) % 2 == 1;
      const std::vector<int> read = cli::inputsRead(*panel, panel->list ? entry : -1);
      const auto input = [&](std::size_t k) -> const InputSpec& {
        return panel->inputs[static_cast<std::size_t>(read[k])];
      };
      const auto separator = [&](std::size_t k) { return k == 0 ? "" : comma ? ";" : ","; };
      std::string csv;
      for (std::size_t k = 0; k < read.size(); ++k) csv += separator(k) + std::string(input(k).key);
      std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(3600 / entries));
      for (std::vector<std::string>& row : rows) {
        csv += "\n";
        for (std::size_t k = 0; k < read.size(); ++k) {
          std::string text = row.emplace_back(randomReading(rng, input(k)));
          if (comma) std::replace(text.begin(), text.end(), '.', ',');
          csv += separator(k) + text;
        }
      }
      csv += "\n";
      std::vector<std::string> args{std::string(panel->id), "--csv", "-"};
      if (panel->list) {
        args.push_back("--" + std::string(panel->list->key));
        args.emplace_back(panel->list->entries[static_cast<std::size_t>(entry)].text);
      }
      if (comma) args.emplace_back("--decimal-comma");
      const CliRun run = runCli(args, csv);
      ASSERT_LE(run.status, 1) << run.err;

      cli::MemorySource source(run.out);
      cli::CsvReader reader(source, {.separator = comma ? ';' : ','});
      ASSERT_EQ(reader.next(), cli::CsvStatus::Record);  // the header
      const FakeWindow started = startedWindow(comma ? commaSettings() : pointSettings());
      for (const auto& row : rows) {
        ASSERT_EQ(reader.next(), cli::CsvStatus::Record);
        const auto fields = reader.fields();
        const std::span<const ResultSpec> results = panel->resultsFor(panel->list ? entry : -1);
        ASSERT_EQ(fields.size(), read.size() + results.size() + 1);

        FakeWindow window = started;
        if (panel->list) window.setSelectedIndex(panel->list->name, entry);
        for (std::size_t k = 0; k < read.size(); ++k) window.setText(input(k).box, row[k]);
        pressPanel(window, *panel);

        const std::string context = std::string(panel->id) + " entry " + std::to_string(entry) +
                                    " " + (row.empty() ? "" : row[0]);
        const std::string_view error = fields.back();
        if (window.infoBoxes.empty()) {
          EXPECT_EQ(error, "") << context;
          for (std::size_t r = 0; r < results.size(); ++r)
            EXPECT_EQ(fields[read.size() + r], window.caption(results[r].label)) << context;
        } else {
          const std::string& box = window.infoBoxes.back().text;
          // A fault's sentence is the box; a limit's line is one of its lines.
          const bool isLine =
              box.find(std::string(error) + "\n") != std::string::npos || box.ends_with(error);
          EXPECT_TRUE(!error.empty() && (box == error || isLine)) << context << ": " << error;
        }
        ++compared;
      }
      EXPECT_EQ(reader.next(), cli::CsvStatus::End);
    }
  }
  // Each panel compares 3600 rows less what its entries leave over.
  EXPECT_GE(compared, static_cast<int>(panels().size()) * 3000);
}

}  // namespace
}  // namespace pyrelon::testing
