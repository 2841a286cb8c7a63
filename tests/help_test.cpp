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

}  // namespace
}  // namespace pyrelon
