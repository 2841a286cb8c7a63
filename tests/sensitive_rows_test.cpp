// Rows whose results lie right beside a rounding step of their pattern, so
// that a change of a single digit of any constant a formula reads (a factor
// of the pressure table, a value of the fuel table, an offset, a Nernst
// factor, a calibration coefficient) moves at least one shown text. The
// other tests check what the panels show at ordinary readings, where the
// last digits of a constant rarely reach the shown decimals.
//
// The readings and texts come from scripts/find_sensitive_rows.py: a separate
// model of the calculators in Python that evaluates each formula in the
// same grouping with IEEE doubles and searches the accepted readings for
// results within a small relative distance of a step, yet far enough from
// it that rounding noise cannot decide the text. `find_sensitive_rows.py --check`
// recomputes every row below and lists which single-digit changes the rows
// catch.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/outcome.h"
#include "shell/panels.h"
#include "shell/press.h"

namespace pyrelon {
namespace {

// A panel's entry; the boxes typed into (every other input of the panel
// holds "0"); "Label=text" for each result written, in the order written.
using Boxes = std::vector<std::pair<std::string, std::string>>;
// clang-format off
struct Row { const char* panel; int entry; Boxes boxes; const char* shown; };
// clang-format on

// What one press of the panel's Solve button writes, as "Label=text ...";
// anything but a written result shows as well, so a row that ends in a
// fault or the limits box does not pass.
std::string pressRow(const Row& row) {
  const PanelDescriptor* panel = panelById(row.panel);
  if (panel == nullptr) return "no panel " + std::string(row.panel);
  std::vector<std::string> texts(panel->inputs.size(), "0");
  for (const auto& [box, text] : row.boxes) {
    const int input = panel->inputIndex(box);
    if (input < 0) return "no box " + box;
    texts[static_cast<std::size_t>(input)] = text;
  }
  const Outcome out = pressPanel(*panel, texts, row.entry, NumberSettings{".", ","});
  std::string shown;
  for (const Step& step : out.steps()) {
    static const char* const kKinds[] = {"", "cleared:", "reset:", "box:", "beep:"};
    shown += (shown.empty() ? "" : " ") + std::string(kKinds[step.kind]) + step.control + "=" +
             step.text;
  }
  return shown;
}

// clang-format off
const Row kRows[] = {
  // Temperature: every offset beside a step of its column, in each direction.
  {"temperature", 0, {{"DataText", "1877.99"}}, "Lab2=3412.4 Lab4=2151.1 Label12=3872.1"},
  {"temperature", 0, {{"DataText", "-3.901"}}, "Lab2=25.0 Lab4=269.2 Label12=484.6"},
  {"temperature", 1, {{"DataText", "2984.0899"}}, "Lab2=1640.0 Lab4=1913.2 Label12=3443.8"},
  {"temperature", 1, {{"DataText", "7.679"}}, "Lab2=-13.5 Lab4=259.7 Label12=467.3"},
  {"temperature", 2, {{"DataText", "6.899"}}, "Lab4=-266.3 Lab2=-447.3 Label12=12.4"},
  {"temperature", 2, {{"DataText", "666.8"}}, "Lab4=393.7 Lab2=740.7 Label12=1200.2"},
  {"temperature", 3, {{"DataText", "1722.41"}}, "Lab4=956.9 Lab2=1262.7 Label12=683.7"},
  {"temperature", 3, {{"DataText", "1692.01"}}, "Lab4=940.0 Lab2=1232.3 Label12=666.9"},
  {"temperature", 3, {{"DataText", "2234.42"}}, "Lab4=1241.3 Lab2=1774.8 Label12=968.2"},
  // Pressure: one reading per source unit, large enough that every digit of
  // every factor of the source reaches the shown decimals.
  {"pressure", 0, {{"PresText", "97.86"}}, "Lab10=1420.32 Lab11=9786.0 Lab12=73414.6 Lab13=999640 Lab14=99.79 Lab20=97860"},
  {"pressure", 1, {{"PresText", "27141128"}}, "Lab10=393652.05 Lab11=2714112.8 Lab12=20358560.1 Lab13=277246623 Lab14=27675.82 Lab20=27141.13"},
  {"pressure", 2, {{"PresText", "46016229"}}, "Lab10=3170518.18 Lab11=317272695.7 Lab12=2379724681.1 Lab13=32444202419 Lab14=3234940.90 Lab20=3172680941"},
  {"pressure", 3, {{"PresText", "52764720"}}, "Lab10=7650884.40 Lab11=527647.20 Lab12=395767058.8 Lab13=5389916148 Lab14=538041.85 Lab20=527647200"},
  {"pressure", 4, {{"PresText", "148956840"}}, "Lab10=2879335.72 Lab11=19855946.8 Lab12=198112.60 Lab13=2028717682 Lab14=202477.80 Lab20=198589259"},
  {"pressure", 5, {{"PresText", "49857186"}}, "Lab10=70790.91 Lab11=488078.2 Lab12=3659517.5 Lab13=4880.78 Lab14=4976.96 Lab20=4880304"},
  {"pressure", 6, {{"PresText", "97.36"}}, "Lab10=1384.78 Lab11=9547.9 Lab12=71614.0 Lab13=975352 Lab14=95.48 Lab20=95481"},
  // Carbon potential.
  {"carbon", 0, {{"MvZccTxt", "1335.512"}, {"TempTxt", "730"}, {"CoTxt", "31"}}, "CarbonLbl=206.504"},
  {"carbon", 1, {{"MvZccTxt", "1192.1740097"}, {"TempTxt", "1237"}, {"CoTxt", "4"}}, "CarbonLbl=0.125"},
  {"carbon", 1, {{"MvZccTxt", "1314.719262"}, {"TempTxt", "1269"}, {"CoTxt", "20.3"}}, "CarbonLbl=1.922"},
  {"carbon", 1, {{"MvZccTxt", "985.99901"}, {"TempTxt", "1237"}, {"CoTxt", "4"}}, "CarbonLbl=0.006"},
  {"carbon", 1, {{"MvZccTxt", "985.9990069"}, {"TempTxt", "1237"}, {"CoTxt", "4"}}, "CarbonLbl=0.005"},
  {"carbon", 1, {{"MvZccTxt", "1222.5953322"}, {"TempTxt", "683"}, {"CoTxt", "33"}}, "CarbonLbl=6.598"},
  {"carbon", 1, {{"MvZccTxt", "1137.7099555"}, {"TempTxt", "1265.3"}, {"CoTxt", "19"}}, "CarbonLbl=0.228"},
  {"carbon", 2, {{"MvZccTxt", "1328.76335"}, {"TempTxt", "679"}, {"CoTxt", "36.5"}}, "CarbonLbl=172.927"},
  // Oxygen.
  {"oxygen", 0, {{"MvZrO2Txt", "-7.1057"}, {"TempZrO2Txt", "663"}, {"BiasZrO2Txt", "3"}}, "OxyLbl=34.59"},
  {"oxygen", 0, {{"MvZrO2Txt", "11.93"}, {"TempZrO2Txt", "933"}, {"BiasZrO2Txt", "3"}}, "OxyLbl=14.86"},
  // Nitriding factor.
  {"nitriding", 0, {{"HTxt", "20"}, {"NTxt", "92.17"}}, "NkLbl=10.30"},
  // Flow.
  {"flow", 1, {{"RefTempTxt", "326"}, {"RefPresTxt", "3681"}, {"FlowTxt", "483.74"}, {"FlowTempTxt", "84"}, {"FlowPresTxt", "2223"}, {"AtmPresTxt", "954"}}, "FlowLbl=626.55"},
  {"flow", 3, {{"RefTempTxt", "366"}, {"RefPresTxt", "888"}, {"FlowTxt", "387.26"}, {"FlowTempTxt", "7"}, {"FlowPresTxt", "4105"}, {"AtmPresTxt", "951"}}, "FlowLbl=969.90"},
  // Lambda: each result follows from the one before as shown, so the fuel
  // values reach the text only where that chain ends beside a step.
  {"lambda", 0, {{"MvZo2Txt", "3.1643"}, {"MvOffTxt", "2.3"}, {"KOffTxt", "-125.7"}, {"AirTxt", "106"}, {"FlueTXt", "594"}}, "WetLbl=12.0 AirLbl=2.490 DryLbl=13.1 Co2Lbl=4.4 NetLbl=46.9 GrossLbl=52.2"},
  {"lambda", 0, {{"MvZo2Txt", "43.216"}, {"MvOffTxt", "4"}, {"KOffTxt", "-20"}, {"AirTxt", "-4"}, {"FlueTXt", "699"}}, "WetLbl=1.6 AirLbl=1.092 DryLbl=1.9 Co2Lbl=10.6 NetLbl=63.8 GrossLbl=71.4"},
  {"lambda", 0, {{"MvZo2Txt", "19.4"}, {"MvOffTxt", "4"}, {"KOffTxt", "-196"}, {"AirTxt", "1"}, {"FlueTXt", "662"}}, "WetLbl=4.2 AirLbl=1.278 DryLbl=5.0 Co2Lbl=8.9 NetLbl=60.8 GrossLbl=68.0"},
  {"lambda", 1, {{"MvZo2Txt", "8.335"}, {"MvOffTxt", "-2"}, {"KOffTxt", "25"}, {"AirTxt", "106"}, {"FlueTXt", "745"}}, "WetLbl=8.1 AirLbl=1.686 DryLbl=8.9 Co2Lbl=7.9 NetLbl=58.3 GrossLbl=63.6"},
  {"lambda", 1, {{"MvZo2Txt", "24.8"}, {"KOffTxt", "-102"}, {"AirTxt", "181"}, {"FlueTXt", "401"}}, "WetLbl=2.9 AirLbl=1.175 DryLbl=3.4 Co2Lbl=11.6 NetLbl=84.3 GrossLbl=91.5"},
  {"lambda", 2, {{"MvZo2Txt", "17.194"}, {"MvOffTxt", "2"}, {"KOffTxt", "86"}, {"AirTxt", "62"}, {"FlueTXt", "776"}}, "WetLbl=6.8 AirLbl=1.526 DryLbl=7.6 Co2Lbl=8.9 NetLbl=58.1 GrossLbl=63.1"},
  {"lambda", 2, {{"MvZo2Txt", "6.06"}, {"MvOffTxt", "-9"}, {"KOffTxt", "93"}, {"AirTxt", "193"}, {"FlueTXt", "387"}}, "WetLbl=6.9 AirLbl=1.538 DryLbl=7.8 Co2Lbl=8.8 NetLbl=83.1 GrossLbl=89.9"},
  {"lambda", 3, {{"MvZo2Txt", "5.38"}, {"MvOffTxt", "5"}, {"KOffTxt", "-92"}, {"AirTxt", "135"}, {"FlueTXt", "314"}}, "WetLbl=12.7 AirLbl=2.654 DryLbl=13.3 Co2Lbl=5.5 NetLbl=75.7 GrossLbl=80.8"},
  {"lambda", 3, {{"MvZo2Txt", "41.091"}, {"MvOffTxt", "-1"}, {"KOffTxt", "118"}, {"AirTxt", "63"}, {"FlueTXt", "772"}}, "WetLbl=2.0 AirLbl=1.113 DryLbl=2.3 Co2Lbl=13.4 NetLbl=64.3 GrossLbl=68.8"},
  {"lambda", 4, {{"MvZo2Txt", "3.152"}, {"MvOffTxt", "4"}, {"KOffTxt", "128"}, {"AirTxt", "-27"}, {"FlueTXt", "763"}}, "WetLbl=15.0 AirLbl=3.809 DryLbl=15.8 Co2Lbl=2.9 NetLbl=-14.5 GrossLbl=-14.4"},
  {"lambda", 4, {{"MvZo2Txt", "10.492"}, {"KOffTxt", "-2"}, {"AirTxt", "26"}, {"FlueTXt", "575"}}, "WetLbl=7.8 AirLbl=1.658 DryLbl=8.9 Co2Lbl=6.7 NetLbl=57.9 GrossLbl=65.6"},
  {"lambda", 5, {{"MvZo2Txt", "9.1717"}, {"MvOffTxt", "8"}, {"KOffTxt", "-88"}, {"AirTxt", "128"}, {"FlueTXt", "666"}}, "WetLbl=12.2 AirLbl=2.550 DryLbl=13.2 Co2Lbl=4.3 NetLbl=41.5 GrossLbl=47.5"},
  {"lambda", 5, {{"MvZo2Txt", "40.135"}, {"MvOffTxt", "1"}, {"KOffTxt", "99"}, {"AirTxt", "154"}, {"FlueTXt", "788"}}, "WetLbl=2.2 AirLbl=1.130 DryLbl=2.7 Co2Lbl=10.2 NetLbl=65.4 GrossLbl=73.9"},
};
// clang-format on

TEST(SensitiveRows, ResultsBesideARoundingStep) {
  for (const Row& row : kRows) EXPECT_EQ(pressRow(row), row.shown) << row.panel << " " << row.entry;
}

}  // namespace
}  // namespace pyrelon
