#include "shell/help.h"

#include <string_view>

#include "combustion/lambda.h"
#include "core/numbers.h"
#include "shell/panels.h"
#include "shell/press.h"
#include "units/pressure.h"

namespace pyrelon {
namespace {

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string number(double value) { return plainForm(value, "."); }

// A table row of cells, each escaped.
std::string row(std::initializer_list<std::string_view> cells, bool header = false) {
  std::string out = "<tr>";
  for (std::string_view cell : cells)
    out += (header ? "<th>" : "<td>") + escaped(cell) + (header ? "</th>" : "</td>");
  return out + "</tr>\n";
}

// Hand-written per panel: the equations, then what an expert may stumble on.
struct PanelNotes {
  std::string_view id;
  std::string_view equations;    // HTML, one <li> per line
  std::string_view conventions;  // HTML, one <li> per line; may be empty
};

// clang-format off
constexpr PanelNotes kNotes[] = {
  {"temperature",
   "<li>°F = 9/5 × °C + 32;  K = °C + 273.15;  °R = 9/5 × °C + 491.67</li>"
   "<li>from °F: °C = (°F − 32) × 5/9;  K = °C + 273.15;  °R = °F + 459.67</li>"
   "<li>from K: °C = K − 273.15;  °F = 9/5 × °C + 32;  °R = 9/5 × K</li>"
   "<li>from °R: K = 5/9 × °R;  °F = °R − 459.67;  °C = 5/9 × °R − 273.15</li>",
   "<li>From °F, the kelvin column is computed from the °C column as shown, rounded to "
   "one decimal; from K, the °F column likewise.</li>"
   "<li>Choosing a source unit writes the freezing point of water in that unit into the "
   "input and solves.</li>"},
  {"pressure",
   "<li>Each column: value = input × factor, or input ÷ factor, with the factor of the "
   "source unit and column in the pressure table below.</li>",
   "<li>Each column is computed from the input alone with its own constant. A pair of "
   "factors and its reverse are not exact inverses, so converting there and back may "
   "differ in the last digit.</li>"
   "<li>Choosing a source unit writes one bar in that unit into the input and solves.</li>"},
  {"nitriding",
   "<li>K<sub>N</sub> = (NH3 / 100) / (H2 / 100)<sup>1.5</sup>, both contents in %</li>",
   "<li>The hydrogen and ammonia boxes take digits; a key other than a digit, typed into "
   "a box without a point, beeps and empties the box first. A paste counts as one such "
   "key.</li>"},
  {"carbon",
   "<li>Accucarb: C<sub>p</sub> = exp(((a1·t − a0) + E + (b1·t + b0)·ln CO) / (d1·t − d0))</li>"
   "<li>Lambda: the same with E − 48 mV in place of E</li>"
   "<li>DIN 17022: k = 0.0992 × (t + 273.14); C<sub>p</sub> solves "
   "k × (0.15·C<sub>p</sub> + log10 C<sub>p</sub>) = (E − 816.1) + k × (log10(CO / 100) − "
   "1.995), by Newton steps from 0.01 % until a step is below 0.00000001 %</li>"
   "<li>E in mV, t in °C, CO in %</li>",
   "<li>The voltage, temperature and CO content are all read before any is tested.</li>"},
  {"lambda",
   "<li>U = E − (offset − 8 mV);  T = 873 K + K offset</li>"
   "<li>Wet O2 = 20.9 / exp(U / (0.02154 × T))</li>"
   "<li>Air excess λ = (20.9 + wet O2 × (wet ratio − 1)) / (20.9 − wet O2)</li>"
   "<li>Dry O2 = (λ − 1) × 20.9 / (dry ratio + (λ − 1))</li>"
   "<li>CO2 = CO2 max × (1 − dry O2 / 20.9)</li>"
   "<li>Net Eff. = (100 − net allowance) − net factor × (t flue − t air) / CO2</li>"
   "<li>Gross Eff. = 100 − gross factor × (t flue − t air) / CO2</li>",
   "<li>An offset of 8 mV means no offset: the probe voltage is used as read. Type 8, "
   "not 0, for a probe without offset.</li>"
   "<li>Each result is computed from the one before it as shown, rounded: wet O2, air "
   "excess, dry O2, CO2, then the efficiencies.</li>"
   "<li>Net Eff. is taken from 100 less the fuel's net allowance, so it comes out below "
   "Gross Eff.; this is the panel's convention, not a net efficiency on the lower "
   "heating value.</li>"
   "<li>This panel's Nernst constants are 20.9 % oxygen in the reference air and "
   "0.02154 mV/K; the oxygen probe panel uses 20.95 % and 0.0215354 mV/K. Each panel keeps "
   "its own.</li>"
   "<li>The ratios, CO2 maxima, allowances and Siegert factors are those of the fuel table "
   "below.</li>"},
  {"oxygen",
   "<li>O2 = 20.95 / exp((E − offset) / ((t + 273.12) × 0.0215354))</li>"
   "<li>E and offset in mV, t in °C</li>",
   "<li>This panel's Nernst constants are 20.95 % and 0.0215354 mV/K, and its offset to "
   "absolute temperature 273.12 K; the lambda panel uses 20.9 % and 0.02154 mV/K.</li>"
   "<li>Only the probe voltage is tested; the limits box also states an offset and a "
   "temperature range that nothing tests.</li>"},
  {"flow",
   "<li>None: Q = flow</li>"
   "<li>Temperature: Q = flow × √((t ref + 273.14) / (t + 273.14))</li>"
   "<li>Pressure: Q = flow × √((p + p atm) / (p ref + p atm))</li>"
   "<li>Both: Q = flow × both square roots</li>",
   "<li>The flow keeps the unit it was measured in. Pressures are gauge pressures in "
   "mbar, made absolute with the atmospheric pressure.</li>"
   "<li>Each compensation reads only the boxes it uses.</li>"},
};
// clang-format on

const PanelNotes* notesOf(std::string_view id) {
  for (const PanelNotes& notes : kNotes)
    if (notes.id == id) return &notes;
  return nullptr;
}

std::string inputsTable(const PanelDescriptor& panel) {
  std::string out = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  out += row({"Input", "Unit", "Accepted range", "At start-up"}, true);
  for (const InputSpec& input : panel.inputs) {
    const std::string range = input.limits
                                  ? number(input.limits->min) + " to " + number(input.limits->max)
                                  : std::string("any");
    out += row({input.what, input.unit, range, input.startText});
  }
  return out + "</table>\n";
}

std::string resultsList(const PanelDescriptor& panel) {
  std::string out = "<p><b>Results:</b> ";
  if (!panel.captionLabels.empty()) {
    return out +
           "the input in the other units, one column each, under captions naming "
           "the unit.</p>\n";
  }
  bool first = true;
  // Per-entry result sets name the same labels; the first set says what they are.
  for (const ResultSpec& result : panel.resultsFor(0)) {
    if (!first) out += ", ";
    first = false;
    out += escaped(result.what);
    if (!result.unit.empty()) out += " (" + escaped(result.unit) + ")";
  }
  return out + ".</p>\n";
}

std::string constantsTable(const PanelDescriptor& panel) {
  if (panel.constants.empty()) return {};
  std::string out =
      "<p><b>Constants</b></p>\n"
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  out += row({"Constant", "Value", "Unit"}, true);
  for (const ConstantSpec& constant : panel.constants)
    out += row({constant.name, number(constant.value), constant.unit});
  return out + "</table>\n";
}

std::string limitsBox(const PanelDescriptor& panel) {
  if (!panel.limitsBox) return {};
  std::string out =
      "<p><b>Limits box</b>, shown when a reading lies outside its range; the box is put "
      "back to its start-up value:</p>\n<ul>\n";
  for (const LimitLine& line : panel.limitsBox->lines)
    out += "<li>" + escaped(limitLineText(line, panel)) + "</li>\n";
  return out + "</ul>\n";
}

std::string fuelTableHtml() {
  std::string out =
      "<p><b>Fuel table</b></p>\n"
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  out += row({"Fuel", "Wet ratio", "Dry ratio", "CO2 max (%)", "Net allowance (%)", "Net factor",
              "Gross factor"},
             true);
  for (const Fuel& fuel : fuelTable()) {
    out +=
        row({fuel.name, number(fuel.wetRatio), number(fuel.dryRatio), number(fuel.co2Max),
             number(fuel.netAllowance), number(fuel.netLossFactor), number(fuel.grossLossFactor)});
  }
  return out + "</table>\n";
}

std::string pressureTableHtml() {
  std::string out =
      "<p><b>Pressure table</b>: each column as input × factor or input ÷ "
      "factor.</p>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  out += row({"Source unit", "One bar", "Columns"}, true);
  for (const PressureSource& source : pressureTable()) {
    std::string columns;
    for (const PressureCell& cell : source.cells) {
      if (!columns.empty()) columns += ";  ";
      columns += cell.unit;
      columns += cell.op == PressureCell::Multiply ? " = × " : " = ÷ ";
      columns += number(cell.factor);
    }
    out += row({source.unit, number(source.preset), columns});
  }
  return out + "</table>\n";
}

constexpr std::string_view kConventions =
    "<h2>Conventions</h2>\n<ul>\n"
    "<li>Inputs are always typed with a point as the decimal separator (1.013), whatever "
    "the number settings. A box is read from its start: blanks are dropped, and reading "
    "stops at the first character that cannot continue the number, so \"1,5\" reads as 1 "
    "and \"12abc\" as 12. A box read only in part, or holding no number, is marked and its "
    "tooltip says what was read.</li>\n"
    "<li>Results are shown with the decimal separator of the number settings.</li>\n"
    "<li>Enter in an input box solves its panel. Results that no longer match their "
    "inputs are dimmed until the next Solve.</li>\n"
    "<li>A result label copies its whole value with Ctrl+C; a double-click selects it; "
    "its context menu also copies all results of its panel as tab-separated lines of "
    "caption, value and unit.</li>\n"
    "<li>Hovering over an input box shows its accepted range. A reading outside it shows "
    "the panel's limits box.</li>\n"
    "</ul>\n";

}  // namespace

std::string helpHtml() {
  std::string out =
      "<html><head><meta charset=\"utf-8\"><title>Pyrelon: formulas and constants</title>"
      "</head><body>\n<h1>Formulas and constants</h1>\n";
  out += kConventions;
  for (const PanelDescriptor* panel : panelsInLayoutOrder()) {
    out += "<h2>" + escaped(panel->title) + "</h2>\n";
    out += "<p>" + escaped(panel->summary) + "</p>\n";
    const PanelNotes* notes = notesOf(panel->id);
    if (notes) out += "<p><b>Equations</b></p>\n<ul>" + std::string(notes->equations) + "</ul>\n";
    if (panel->list) {
      std::string what(panel->list->what);
      if (what.front() >= 'a' && what.front() <= 'z')
        what.front() = static_cast<char>(what.front() - 'a' + 'A');
      out += "<p><b>" + escaped(what) + ":</b> ";
      for (std::size_t i = 0; i < panel->list->entries.size(); ++i) {
        if (i > 0) out += ", ";
        out += escaped(panel->list->entries[i].text);
      }
      out += "</p>\n";
    }
    out += inputsTable(*panel);
    out += resultsList(*panel);
    out += constantsTable(*panel);
    out += limitsBox(*panel);
    if (panel->id == "lambda") out += fuelTableHtml();
    if (panel->id == "pressure") out += pressureTableHtml();
    if (notes && !notes->conventions.empty())
      out += "<p><b>Conventions</b></p>\n<ul>" + std::string(notes->conventions) + "</ul>\n";
  }
  out += toolsHelpHtml();
  return out + "</body></html>\n";
}

}  // namespace pyrelon
