#include "shell/shell.h"

#include <algorithm>
#include <array>

#include "combustion/lambda.h"
#include "flow/orifice.h"
#include "probes/carbon.h"
#include "probes/nitriding.h"
#include "probes/oxygen.h"
#include "units/pressure.h"
#include "units/temperature.h"
#include "core/numbers.h"
#include "shell/press.h"

namespace pyrelon {
namespace {

struct DefaultText {
  std::string_view textBox;
  std::string_view text;
};

// Written in this order at start-up; the calculators put the same texts
// back when a reading fails its limits.
constexpr std::array<DefaultText, 21> kDefaultTexts{{
    {"DataText", "0"},       {"HTxt", "10"},          {"NTxt", "31.61"},
    {"MvZccTxt", "1121"},    {"TempTxt", "830"},      {"CoTxt", "20"},
    {"MvZo2Txt", "57.16"},   {"MvOffTxt", "8"},       {"KOffTxt", "0"},
    {"AirTxt", "20"},        {"FlueTXt", "180"},      {"PresText", "1.013"},
    {"MvZrO2Txt", "87.0"},   {"TempZrO2Txt", "1100"}, {"BiasZrO2Txt", "-3.0"},
    {"RefTempTxt", "25.0"},  {"RefPresTxt", "2500"},  {"FlowTxt", "10.0"},
    {"FlowTempTxt", "25.0"}, {"FlowPresTxt", "2500"}, {"AtmPresTxt", "1013"},
}};

void fillList(Window& window, std::string_view list,
              std::initializer_list<std::string_view> entries) {
  for (std::string_view entry : entries) window.addListEntry(list, entry);
  window.setSelectedIndex(list, 0);
}

void filterKey(Window& window, std::string_view textBox, int code) {
  if (keyFilterPasses(window.text(textBox), code)) return;
  window.beep();
  window.setText(textBox, "");
}

constexpr std::array kClickHandlers{
    EventHandler{"TempBtn", TempBtn_Click},     EventHandler{"PresBtn", PresBtn_Click},
    EventHandler{"CarbonBtn", CarbonBtn_Click}, EventHandler{"OxygenBtn", OxygenBtn_Click},
    EventHandler{"NkBtn", NkBtn_Click},         EventHandler{"OxiBtn", OxiBtn_Click},
    EventHandler{"FlowBtn", FlowBtn_Click},     EventHandler{"Image1", Image1_Click},
    EventHandler{"ExitMenu", ExitMenu_Click},
};

constexpr std::array kSelectionHandlers{
    EventHandler{"GradiCmb", GradiCmb_Click},
    EventHandler{"PresCmb", PresCmb_Click},
};

constexpr std::array kKeyHandlers{
    KeyEventHandler{"HTxt", HTxt_KeyPress},
    KeyEventHandler{"NTxt", NTxt_KeyPress},
    KeyEventHandler{"DataText", DataText_KeyPress},
    KeyEventHandler{"PresText", PresText_KeyPress},
};

}  // namespace

void Form_Load(Window& window) {
  fillList(window, "GradiCmb",
           {"\u00b0Centigradi", "\u00b0Fahrenheit", "Kelvin", "\u00b0Rankine"});
  fillList(window, "ProbeCmb", {"Accucarb", "DIN 17022", "Lambda"});
  fillList(window, "FuelCmb", {"Metano", "Propano", "GPL", "Gasolio", "Nafta", "Coke"});
  fillList(window, "PresCmb", {"bar", "mbar", "psi", "kpa", "mmHg", "mmH2O", "Kg/cm2"});
  fillList(window, "FlowCmb", {"None", "Temperature", "Pressure", "Both"});
  fillList(window, "OxygenCmb", {"Standard"});

  for (const DefaultText& d : kDefaultTexts) window.setText(d.textBox, d.text);

  TempBtn_Click(window);
  PresBtn_Click(window);
  NkBtn_Click(window);
  CarbonBtn_Click(window);
  OxiBtn_Click(window);
  OxygenBtn_Click(window);
  FlowBtn_Click(window);
}

void ExitMenu_Click(Window& window) { window.endProgram(); }

void Image1_Click(Window& window) {
  // The author's name and the maker's two addresses are left empty; the
  // lines stay so the layout of the box holds.
  window.showInfoBox(infoBoxText({"The Pyrelon ", "Release 1.7 (23-09-2002)", "Author ",
                                  "Factory Quorvent", "", ""},
                                 true));
}

void HTxt_KeyPress(Window& window, int code) { filterKey(window, "HTxt", code); }
void NTxt_KeyPress(Window& window, int code) { filterKey(window, "NTxt", code); }
void DataText_KeyPress(Window&, int) {}
void PresText_KeyPress(Window&, int) {}

std::span<const EventHandler> clickHandlers() { return kClickHandlers; }
std::span<const EventHandler> selectionHandlers() { return kSelectionHandlers; }
std::span<const KeyEventHandler> keyHandlers() { return kKeyHandlers; }

Handler findHandler(std::span<const EventHandler> table, std::string_view control) {
  const auto it = std::find_if(table.begin(), table.end(),
                               [control](const EventHandler& e) { return e.control == control; });
  return it == table.end() ? nullptr : it->handler;
}

KeyHandler findKeyHandler(std::string_view control) {
  const auto it =
      std::find_if(kKeyHandlers.begin(), kKeyHandlers.end(),
                   [control](const KeyEventHandler& e) { return e.control == control; });
  return it == kKeyHandlers.end() ? nullptr : it->handler;
}

const InputLimit* inputLimitFor(std::string_view textBox) {
  for (const auto limits : {carbonLimits(), oxygenLimits(), nitridingLimits(), lambdaLimits()}) {
    for (const InputLimit& limit : limits)
      if (limit.textBox == textBox) return &limit;
  }
  return nullptr;
}

}  // namespace pyrelon
