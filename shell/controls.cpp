#include "shell/controls.h"

#include <algorithm>
#include <array>

namespace pyrelon {
namespace {

using K = ControlKind;
using C = Colour;
constexpr Align L = Align::Left;
constexpr Align M = Align::Centre;

// clang-format off
constexpr std::array kControls{
  // Panels
  ControlSpec{"Frame1", K::Panel, "", "Temperature Conversion", 60, 60, 6375, 915},
  ControlSpec{"Frame5", K::Panel, "", "NK Factor", 6540, 60, 3435, 915},
  ControlSpec{"Frame2", K::Panel, "", "Pressure Conversion", 60, 1020, 9315, 1035},
  ControlSpec{"Frame4", K::Panel, "", "Lambda Oxigen Probe", 60, 2100, 7275, 1695},
  ControlSpec{"Frame6", K::Panel, "", "ZrO2 Oxigen Probe", 90, 3840, 6615, 915},
  ControlSpec{"Frame3", K::Panel, "", "ZrO2 Carbon Probe", 90, 4800, 6615, 915},
  ControlSpec{"Frame7", K::Panel, "", "Mass Flow Compensation for Orifice", 90, 5760, 9405, 1335},

  // Directly on the window
  ControlSpec{"Image1", K::Picture, "", "", 7440, 2460, 2655, 2025},
  ControlSpec{"Label8", K::Label, "", "By Quorvent", 7125, 4785, 1770, 375, C::Blue, L, Look::Maker},
  ControlSpec{"Label50", K::Label, "", "Engineering", 7125, 5205, 1845, 375, C::Blue, L, Look::Maker},
  ControlSpec{"Label16", K::Label, "", "Rel. 1.7", 9210, 5340, 825, 285, C::Yellow, L, Look::Release},
  ControlSpec{"Line29", K::Line, "", "", 8940, 5205, 7065, 5205, C::LineRed},
  ControlSpec{"Line13", K::Line, "", "", 8940, 5205, 9090, 5355, C::LineRed},
  ControlSpec{"Line14", K::Line, "", "", 9090, 5355, 9315, 4830, C::LineRed},
  ControlSpec{"Line15", K::Line, "", "", 9315, 4830, 9390, 5205, C::LineRed},
  ControlSpec{"Line16", K::Line, "", "", 9390, 5205, 9540, 4980, C::LineRed},
  ControlSpec{"Line28", K::Line, "", "", 9540, 4980, 9690, 5205, C::LineRed},

  // Temperature Conversion
  ControlSpec{"Label4", K::Label, "Frame1", "Source Unit", 255, 240, 1095, 255, C::Red, L},
  ControlSpec{"GradiCmb", K::List, "Frame1", "", 180, 480, 1365, 330},
  ControlSpec{"Label52", K::Label, "Frame1", "Input", 1680, 240, 660, 255, C::Blue, M},
  ControlSpec{"DataText", K::TextBox, "Frame1", "", 1620, 480, 870, 330},
  ControlSpec{"TempBtn", K::Button, "Frame1", "Solve", 2580, 480, 720, 315},
  ControlSpec{"Lab1", K::Label, "Frame1", "\u00b0 Fahrenheit", 3255, 240, 1095, 255, C::Magenta, M},
  ControlSpec{"Lab2", K::ResultLabel, "Frame1", "", 3420, 465, 840, 330},
  ControlSpec{"Lab3", K::Label, "Frame1", "Kelvin", 4335, 240, 960, 255, C::Magenta, M},
  ControlSpec{"Lab4", K::ResultLabel, "Frame1", "", 4380, 465, 870, 330},
  ControlSpec{"Label6", K::Label, "Frame1", "\u00b0Rankine", 5325, 240, 960, 255, C::Magenta, M},
  ControlSpec{"Label12", K::ResultLabel, "Frame1", "", 5370, 465, 870, 330},

  // NK Factor
  ControlSpec{"Label34", K::Label, "Frame5", "% H2", 120, 240, 690, 255, C::Blue, M},
  ControlSpec{"HTxt", K::TextBox, "Frame5", "", 150, 495, 720, 315},
  ControlSpec{"Label35", K::Label, "Frame5", "% NH3", 960, 240, 675, 255, C::Blue, M},
  ControlSpec{"NTxt", K::TextBox, "Frame5", "", 930, 495, 750, 315},
  ControlSpec{"NkBtn", K::Button, "Frame5", "Solve", 1740, 480, 720, 315},
  ControlSpec{"Lab6", K::Label, "Frame5", "NK Factor", 2520, 240, 840, 255, C::Magenta, M},
  ControlSpec{"NkLbl", K::ResultLabel, "Frame5", "", 2550, 480, 735, 315},

  // Pressure Conversion
  ControlSpec{"Label23", K::Label, "Frame2", "Source Unit", 240, 300, 1095, 255, C::Red, L},
  ControlSpec{"PresCmb", K::List, "Frame2", "", 120, 570, 1320, 330},
  ControlSpec{"Label21", K::Label, "Frame2", "Input", 1590, 300, 810, 255, C::Blue, M},
  ControlSpec{"PresText", K::TextBox, "Frame2", "", 1545, 570, 870, 315},
  ControlSpec{"Lab15", K::Label, "Frame2", "psi", 2400, 300, 1095, 255, C::Magenta, M},
  ControlSpec{"Lab10", K::ResultLabel, "Frame2", "", 2535, 570, 840, 315},
  ControlSpec{"Lab16", K::Label, "Frame2", "kpa", 3480, 300, 960, 255, C::Magenta, M},
  ControlSpec{"Lab11", K::ResultLabel, "Frame2", "", 3480, 585, 870, 315},
  ControlSpec{"Lab17", K::Label, "Frame2", "mmHg", 4470, 300, 960, 255, C::Magenta, M},
  ControlSpec{"Lab12", K::ResultLabel, "Frame2", "", 4470, 570, 870, 315},
  ControlSpec{"Lab18", K::Label, "Frame2", "mmH2O", 5415, 300, 960, 255, C::Magenta, M},
  ControlSpec{"Lab13", K::ResultLabel, "Frame2", "", 5445, 570, 870, 315},
  ControlSpec{"Lab19", K::Label, "Frame2", "Kg/cm2", 6405, 300, 960, 255, C::Magenta, M},
  ControlSpec{"Lab14", K::ResultLabel, "Frame2", "", 6405, 570, 870, 315},
  ControlSpec{"Lab21", K::Label, "Frame2", "mbar", 7395, 300, 960, 255, C::Magenta, M},
  ControlSpec{"Lab20", K::ResultLabel, "Frame2", "", 7395, 570, 870, 315},
  ControlSpec{"PresBtn", K::Button, "Frame2", "Solve", 8415, 585, 720, 315},

  // Lambda Oxigen Probe
  ControlSpec{"Label39", K::Label, "Frame4", "FuelType", 240, 315, 990, 255, C::Red, L},
  ControlSpec{"FuelCmb", K::List, "Frame4", "", 120, 555, 1305, 330},
  ControlSpec{"Label20", K::Label, "Frame4", "mV Probe", 1545, 300, 870, 255, C::Blue, M},
  ControlSpec{"MvZo2Txt", K::TextBox, "Frame4", "", 1545, 555, 840, 315},
  ControlSpec{"Label18", K::Label, "Frame4", "mV Offset", 2520, 315, 840, 255, C::Blue, M},
  ControlSpec{"MvOffTxt", K::TextBox, "Frame4", "", 2505, 555, 840, 315},
  ControlSpec{"Label19", K::Label, "Frame4", "K Offset", 3495, 300, 840, 255, C::Blue, M},
  ControlSpec{"KOffTxt", K::TextBox, "Frame4", "", 3495, 555, 840, 315},
  ControlSpec{"Label2", K::Label, "Frame4", "\u00b0C Air", 4470, 300, 840, 255, C::Blue, M},
  ControlSpec{"AirTxt", K::TextBox, "Frame4", "", 4470, 555, 840, 315},
  ControlSpec{"Label3", K::Label, "Frame4", "\u00b0C Flue gas", 5370, 315, 915, 255, C::Blue, L},
  ControlSpec{"FlueTXt", K::TextBox, "Frame4", "", 5430, 555, 840, 315},
  ControlSpec{"OxiBtn", K::Button, "Frame4", "Solve", 6480, 555, 705, 300},
  ControlSpec{"Label22", K::Label, "Frame4", "Wet % O2", 225, 1020, 975, 255, C::Magenta, M},
  ControlSpec{"WetLbl", K::ResultLabel, "Frame4", "", 255, 1245, 840, 285},
  ControlSpec{"Label5", K::Label, "Frame4", "Dry % O2", 1230, 1035, 900, 255, C::Magenta, M},
  ControlSpec{"DryLbl", K::ResultLabel, "Frame4", "", 1230, 1245, 930, 285},
  ControlSpec{"Label40", K::Label, "Frame4", "% CO2", 2280, 1020, 930, 255, C::Magenta, M},
  ControlSpec{"Co2Lbl", K::ResultLabel, "Frame4", "", 2280, 1245, 915, 285},
  ControlSpec{"Label42", K::Label, "Frame4", "Air excess", 3330, 1020, 915, 255, C::Magenta, M},
  ControlSpec{"AirLbl", K::ResultLabel, "Frame4", "", 3330, 1245, 915, 285},
  ControlSpec{"Label48", K::Label, "Frame4", "Net Eff.", 4455, 1020, 840, 255, C::Magenta, M},
  ControlSpec{"NetLbl", K::ResultLabel, "Frame4", "", 4380, 1245, 900, 285},
  ControlSpec{"Label7", K::Label, "Frame4", "Gross Eff.", 5430, 1020, 915, 255, C::Magenta, M},
  ControlSpec{"GrossLbl", K::ResultLabel, "Frame4", "", 5430, 1245, 900, 285},

  // ZrO2 Oxigen Probe
  ControlSpec{"Label15", K::Label, "Frame6", "Source Probe", 255, 240, 1245, 255, C::Red, L},
  ControlSpec{"OxygenCmb", K::List, "Frame6", "", 180, 465, 1290, 330},
  ControlSpec{"Label1", K::Label, "Frame6", "mV Probe", 1635, 240, 915, 255, C::Blue, L},
  ControlSpec{"MvZrO2Txt", K::TextBox, "Frame6", "", 1605, 465, 840, 315},
  ControlSpec{"Label14", K::Label, "Frame6", "\u00b0 C", 2655, 240, 690, 255, C::Blue, M},
  ControlSpec{"TempZrO2Txt", K::TextBox, "Frame6", "", 2580, 465, 840, 315},
  ControlSpec{"Label17", K::Label, "Frame6", "mV Offset", 3570, 240, 870, 255, C::Blue, M},
  ControlSpec{"BiasZrO2Txt", K::TextBox, "Frame6", "", 3555, 465, 915, 315},
  ControlSpec{"OxygenBtn", K::Button, "Frame6", "Solve", 4605, 465, 855, 315},
  ControlSpec{"Label25", K::Label, "Frame6", "% Oxygen", 5505, 240, 975, 255, C::Magenta, M},
  ControlSpec{"OxyLbl", K::ResultLabel, "Frame6", "", 5595, 465, 795, 315},

  // ZrO2 Carbon Probe
  ControlSpec{"Label11", K::Label, "Frame3", "Source Probe", 255, 240, 1245, 255, C::Red, L},
  ControlSpec{"ProbeCmb", K::List, "Frame3", "", 180, 465, 1290, 330},
  ControlSpec{"Label9", K::Label, "Frame3", "mV Probe", 1635, 240, 915, 255, C::Blue, L},
  ControlSpec{"MvZccTxt", K::TextBox, "Frame3", "", 1605, 465, 840, 315},
  ControlSpec{"Label10", K::Label, "Frame3", "\u00b0 C", 2655, 240, 690, 255, C::Blue, M},
  ControlSpec{"TempTxt", K::TextBox, "Frame3", "", 2580, 465, 840, 315},
  ControlSpec{"Label13", K::Label, "Frame3", "% CO", 3630, 240, 750, 255, C::Blue, M},
  ControlSpec{"CoTxt", K::TextBox, "Frame3", "", 3555, 465, 915, 315},
  ControlSpec{"CarbonBtn", K::Button, "Frame3", "Solve", 4605, 465, 855, 315},
  ControlSpec{"Lab7", K::Label, "Frame3", "% Carbon", 5505, 240, 975, 255, C::Magenta, M},
  ControlSpec{"CarbonLbl", K::ResultLabel, "Frame3", "", 5595, 465, 795, 315},

  // Mass Flow Compensation for Orifice
  ControlSpec{"Label30", K::Label, "Frame7", "Ref. Temp", 60, 420, 915, 255, C::Blue, M},
  ControlSpec{"RefTempTxt", K::TextBox, "Frame7", "", 180, 690, 720, 315},
  ControlSpec{"Label32", K::Label, "Frame7", "\u00b0C", 180, 1020, 720, 225, C::Blue, M},
  ControlSpec{"Label31", K::Label, "Frame7", "Ref. Press", 1020, 420, 945, 255, C::Blue, M},
  ControlSpec{"RefPresTxt", K::TextBox, "Frame7", "", 1140, 690, 750, 315},
  ControlSpec{"Label33", K::Label, "Frame7", "mbar", 1140, 1020, 750, 225, C::Blue, M},
  ControlSpec{"Label41", K::Label, "Frame7", "Atm. Press", 1980, 420, 1005, 255, C::Blue, M},
  ControlSpec{"AtmPresTxt", K::TextBox, "Frame7", "", 2130, 690, 750, 315},
  ControlSpec{"Label38", K::Label, "Frame7", "mbar", 2130, 1020, 750, 225, C::Blue, M},
  ControlSpec{"Line1", K::Line, "Frame7", "", 3000, 270, 3000, 1230, C::Black},
  ControlSpec{"Label29", K::Label, "Frame7", "Flow", 3150, 450, 735, 255, C::Blue, M},
  ControlSpec{"FlowTxt", K::TextBox, "Frame7", "", 3150, 690, 750, 315},
  ControlSpec{"Label24", K::Label, "Frame7", "Temp", 4050, 420, 690, 255, C::Blue, M},
  ControlSpec{"FlowTempTxt", K::TextBox, "Frame7", "", 4050, 690, 720, 315},
  ControlSpec{"Label36", K::Label, "Frame7", "\u00b0C", 4050, 1020, 720, 225, C::Blue, M},
  ControlSpec{"Label26", K::Label, "Frame7", "Press", 4950, 420, 675, 255, C::Blue, M},
  ControlSpec{"FlowPresTxt", K::TextBox, "Frame7", "", 4860, 690, 840, 315},
  ControlSpec{"Label37", K::Label, "Frame7", "mbar", 4920, 1020, 750, 225, C::Blue, M},
  ControlSpec{"Label28", K::Label, "Frame7", "Compensation Type", 5820, 240, 1260, 435, C::Magenta, M},
  ControlSpec{"FlowCmb", K::List, "Frame7", "", 5850, 690, 1275, 330},
  ControlSpec{"FlowBtn", K::Button, "Frame7", "Solve", 7320, 690, 720, 315},
  ControlSpec{"Label27", K::Label, "Frame7", "Compensed Flow", 8190, 210, 1050, 435, C::Magenta, M},
  ControlSpec{"FlowLbl", K::ResultLabel, "Frame7", "0", 8190, 690, 1035, 315},
};
// clang-format on

}  // namespace

std::span<const ControlSpec> controlTable() { return kControls; }

const ControlSpec* findControl(std::string_view name) {
  const auto it = std::find_if(kControls.begin(), kControls.end(),
                               [name](const ControlSpec& c) { return c.name == name; });
  return it == kControls.end() ? nullptr : &*it;
}

}  // namespace pyrelon
