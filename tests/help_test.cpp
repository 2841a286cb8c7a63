// The help page's equations, typed here from the formulas each calculator
// computes: a sign, a constant or a grouping written wrong on the page is
// a wrong formula in an engineer's hands.
#include "shell/help.h"

#include <gtest/gtest.h>

#include <string>

namespace pyrelon {
namespace {

TEST(Help, StatesEachPanelsEquations) {
  const std::string html = helpHtml();
  const struct {
    const char *name, *line;
  } rows[] = {
      {"temperature from C",
       "<li>°F = 9/5 × °C + 32;  K = °C + 273.15;  °R = 9/5 × °C + 491.67</li>"},
      {"temperature from F",
       "<li>from °F: °C = (°F − 32) × 5/9;  K = °C + 273.15;  °R = °F + 459.67</li>"},
      {"temperature from K",
       "<li>from K: °C = K − 273.15;  °F = 9/5 × °C + 32;  °R = 9/5 × K</li>"},
      {"temperature from R",
       "<li>from °R: K = 5/9 × °R;  °F = °R − 459.67;  °C = 5/9 × °R − 273.15</li>"},
      {"pressure",
       "<li>Each column: value = input × factor, or input ÷ factor, with the factor of the "
       "source unit and column in the pressure table below.</li>"},
      {"nitriding",
       "<li>K<sub>N</sub> = (NH3 / 100) / (H2 / 100)<sup>1.5</sup>, both contents in %</li>"},
      {"carbon, Accucarb",
       "<li>Accucarb: C<sub>p</sub> = exp(((a1·t − a0) + E + (b1·t + b0)·ln CO) / (d1·t − "
       "d0))</li>"},
      {"carbon, Lambda", "<li>Lambda: the same with E − 48 mV in place of E</li>"},
      {"carbon, DIN 17022",
       "<li>DIN 17022: k = 0.0992 × (t + 273.14); C<sub>p</sub> solves "
       "k × (0.15·C<sub>p</sub> + log10 C<sub>p</sub>) = (E − 816.1) + k × (log10(CO / 100) − "
       "1.995), by Newton steps from 0.01 % until a step is below 0.00000001 %</li>"},
      {"carbon, units", "<li>E in mV, t in °C, CO in %</li>"},
      {"lambda, corrected voltage", "<li>U = E − (offset − 8 mV);  T = 873 K + K offset</li>"},
      {"lambda, wet oxygen", "<li>Wet O2 = 20.9 / exp(U / (0.02154 × T))</li>"},
      {"lambda, air excess",
       "<li>Air excess λ = (20.9 + wet O2 × (wet ratio − 1)) / (20.9 − wet O2)</li>"},
      {"lambda, dry oxygen", "<li>Dry O2 = (λ − 1) × 20.9 / (dry ratio + (λ − 1))</li>"},
      {"lambda, carbon dioxide", "<li>CO2 = CO2 max × (1 − dry O2 / 20.9)</li>"},
      {"lambda, net efficiency",
       "<li>Net Eff. = (100 − net allowance) − net factor × (t flue − t air) / CO2</li>"},
      {"lambda, gross efficiency",
       "<li>Gross Eff. = 100 − gross factor × (t flue − t air) / CO2</li>"},
      {"oxygen", "<li>O2 = 20.95 / exp((E − offset) / ((t + 273.12) × 0.0215354))</li>"},
      {"oxygen, units", "<li>E and offset in mV, t in °C</li>"},
      {"flow, none", "<li>None: Q = flow</li>"},
      {"flow, temperature", "<li>Temperature: Q = flow × √((t ref + 273.14) / (t + 273.14))</li>"},
      {"flow, pressure", "<li>Pressure: Q = flow × √((p + p atm) / (p ref + p atm))</li>"},
      {"flow, both", "<li>Both: Q = flow × both square roots</li>"},
  };
  for (const auto& r : rows) EXPECT_NE(html.find(r.line), std::string::npos) << r.name;
}

// What an expert may stumble on, as the page words it for each panel and
// for all of them.
TEST(Help, StatesTheConventions) {
  const std::string html = helpHtml();
  const struct {
    const char *name, *text;
  } rows[] = {
      {"every panel",
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
       "the panel's limits box.</li>\n"},
      {"temperature",
       "<li>From °F, the kelvin column is computed from the °C column as shown, rounded to "
       "one decimal; from K, the °F column likewise.</li>"
       "<li>Choosing a source unit writes the freezing point of water in that unit into the "
       "input and solves.</li>"},
      {"pressure",
       "<li>Each column is computed from the input alone with its own constant. A pair of "
       "factors and its reverse are not exact inverses, so converting there and back may "
       "differ in the last digit.</li>"
       "<li>Choosing a source unit writes one bar in that unit into the input and solves.</li>"},
      {"nitriding",
       "<li>The hydrogen and ammonia boxes take digits; a key other than a digit, typed into "
       "a box without a point, beeps and empties the box first. A paste counts as one such "
       "key.</li>"},
      {"carbon",
       "<li>The voltage, temperature and CO content are all read before any is tested.</li>"},
      {"lambda",
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
       "<li>This panel's Nernst constants are 20.95 % and 0.0215354 mV/K, and its offset to "
       "absolute temperature 273.12 K; the lambda panel uses 20.9 % and 0.02154 mV/K.</li>"
       "<li>Only the probe voltage is tested; the limits box also states an offset and a "
       "temperature range that nothing tests.</li>"},
      {"flow",
       "<li>The flow keeps the unit it was measured in. Pressures are gauge pressures in "
       "mbar, made absolute with the atmospheric pressure.</li>"
       "<li>Each compensation reads only the boxes it uses.</li>"},
  };
  for (const auto& r : rows) EXPECT_NE(html.find(r.text), std::string::npos) << r.name;
}

// Each panel's section opens with its title and what it computes, in the
// window's order.
TEST(Help, SaysWhatEachPanelComputesInTheWindowsOrder) {
  const std::string html = helpHtml();
  const struct {
    const char *title, *summary;
  } rows[] = {
      {"Temperature Conversion",
       "One temperature shown in degrees Celsius, Fahrenheit, Rankine and in kelvin."},
      {"NK Factor",
       "The nitriding factor of an ammonia and hydrogen atmosphere, NH3 / H2^1.5 with both "
       "contents as fractions."},
      {"Pressure Conversion", "One pressure shown in bar, mbar, psi, kPa, mmHg, mmH2O and kg/cm2."},
      {"Lambda Oxigen Probe",
       "Wet and dry oxygen, air excess, carbon dioxide and the net and gross efficiencies of a "
       "flue gas from the voltage of a lambda probe, for six fuels."},
      {"ZrO2 Oxigen Probe",
       "The oxygen content of a gas from the voltage of a zirconia oxygen probe with air as the "
       "reference, its temperature and its voltage offset."},
      {"ZrO2 Carbon Probe",
       "The carbon potential of a furnace atmosphere from the voltage of a zirconia carbon "
       "probe, its temperature and the CO content, for three calibrations."},
      {"Mass Flow Compensation for Orifice",
       "The flow of an orifice meter corrected from its reference pressure and temperature to "
       "those at which the gas flows, by the square-root law."},
  };
  std::size_t after = 0;
  for (const auto& r : rows) {
    const std::string opening =
        "<h2>" + std::string(r.title) + "</h2>\n<p>" + std::string(r.summary) + "</p>\n";
    const std::size_t at = html.find(opening);
    EXPECT_NE(at, std::string::npos) << r.title;
    if (at != std::string::npos) {
      EXPECT_GT(at, after) << r.title << " stands before the panel above it";
      after = at;
    }
  }
}

// The page's own words around the panels' data.
TEST(Help, HeadsItsTablesAndSections) {
  const std::string html = helpHtml();
  const struct {
    const char *name, *part;
  } rows[] = {
      {"the title", "<title>Pyrelon: formulas and constants</title>"},
      {"the heading", "<h1>Formulas and constants</h1>"},
      {"the inputs table",
       "<tr><th>Input</th><th>Unit</th><th>Accepted range</th><th>At start-up</th></tr>"},
      {"an input without limits",
       "<tr><td>input temperature</td><td></td><td>any</td><td>0</td></tr>"},
      {"the constants table", "<p><b>Constants</b></p>"},
      {"the constants table's head", "<tr><th>Constant</th><th>Value</th><th>Unit</th></tr>"},
      {"the fuel table",
       "<p><b>Fuel table</b></p>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n"
       "<tr><th>Fuel</th><th>Wet ratio</th><th>Dry ratio</th><th>CO2 max (%)</th>"
       "<th>Net allowance (%)</th><th>Net factor</th><th>Gross factor</th></tr>"},
      {"the pressure table",
       "<p><b>Pressure table</b>: each column as input × factor or input ÷ factor.</p>\n"
       "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n"
       "<tr><th>Source unit</th><th>One bar</th><th>Columns</th></tr>"},
      {"the bar row, as the results test reckons 1.013 bar",
       "<tr><td>bar</td><td>1</td><td>psi = ÷ 0.0689;  kpa = × 100;  mmHg = × 750.2;  "
       "mmH2O = × 10215;  Kg/cm2 = × 1.0197;  mBar = × 1000</td></tr>"},
      {"a unit panel's results",
       "<p><b>Results:</b> the input in the other units, one column each, under captions naming "
       "the unit.</p>"},
      {"one result with its unit", "<p><b>Results:</b> carbon potential (% C).</p>"},
      {"the limits box",
       "<p><b>Limits box</b>, shown when a reading lies outside its range; the box is put back to "
       "its start-up value:</p>"},
      {"a list, its name capitalised",
       "<p><b>Source unit:</b> °Centigradi, °Fahrenheit, Kelvin, °Rankine</p>"},
  };
  for (const auto& r : rows) EXPECT_NE(html.find(r.part), std::string::npos) << r.name;
}

// Each panel's list with its entries as the window lists them, and what
// its results are.
TEST(Help, NamesEachListAndResult) {
  const std::string html = helpHtml();
  const struct {
    const char *name, *part;
  } rows[] = {
      {"pressure's units", "<p><b>Source unit:</b> bar, mbar, psi, kpa, mmHg, mmH2O, Kg/cm2</p>"},
      {"the fuels", "<p><b>Fuel:</b> Metano, Propano, GPL, Gasolio, Nafta, Coke</p>"},
      {"the oxygen probe", "<p><b>Probe:</b> Standard</p>"},
      {"the carbon probes", "<p><b>Probe calibration:</b> Accucarb, DIN 17022, Lambda</p>"},
      {"the flow's compensations",
       "<p><b>Compensation type:</b> None, Temperature, Pressure, Both</p>"},
      {"nitriding's result", "<p><b>Results:</b> nitriding factor.</p>"},
      {"lambda's results",
       "<p><b>Results:</b> wet oxygen (%), air excess, dry oxygen (%), carbon dioxide content (%), "
       "net efficiency (%), gross efficiency (%).</p>"},
      {"oxygen's result", "<p><b>Results:</b> oxygen content (%).</p>"},
      {"the flow's result", "<p><b>Results:</b> compensated flow.</p>"},
  };
  for (const auto& r : rows) EXPECT_NE(html.find(r.part), std::string::npos) << r.name;
}

}  // namespace
}  // namespace pyrelon
