// The help page's sections of the atmosphere tools: each equation, note,
// constant with its value and source, citation and input range, as a user
// reads them on the page (text escaped for HTML).
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "atmosphere/atmosphere.h"
#include "atmosphere/nitriding_potential.h"
#include "shell/help.h"
#include "shell/tool_form.h"
#include "shell/tools.h"

namespace pyrelon {
namespace {

std::string escapedForPage(std::string_view text) {
  std::string out;
  for (const char c : text) {
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

TEST(AtmosphereHelp, BothToolsAreRegisteredInMenuOrder) {
  ASSERT_GE(tools().size(), 2u);
  EXPECT_EQ(tools()[0], &atmosphereTool());
  EXPECT_EQ(tools()[1], &nitridingPotentialTool());
  EXPECT_EQ(toolById("atmosphere"), &atmosphereTool());
  EXPECT_EQ(toolById("nitriding-potential"), &nitridingPotentialTool());
}

TEST(AtmosphereHelp, ThePageStatesEquationsConstantsSourcesAndRanges) {
  const std::string page = helpHtml();
  for (const ToolDescriptor* tool : {&atmosphereTool(), &nitridingPotentialTool()}) {
    const std::string id(tool->id);
    EXPECT_NE(page.find("<h2 id=\"tool-" + id + "\">"), std::string::npos) << id;
    for (const std::string_view equation : tool->equations) {
      EXPECT_NE(page.find("<li>" + escapedForPage(equation) + "</li>"), std::string::npos)
          << id << ": " << equation;
    }
    for (const std::string_view note : tool->notes) {
      EXPECT_NE(page.find("<li>" + escapedForPage(note) + "</li>"), std::string::npos)
          << id << ": " << note;
    }
    for (const std::string_view work : tool->references) {
      EXPECT_NE(page.find("<li>" + escapedForPage(work) + "</li>"), std::string::npos)
          << id << ": " << work;
    }
    for (const ToolConstant& c : tool->constants) {
      const std::string row = "<td>" + escapedForPage(c.name) + "</td><td>" + jsonNumber(c.value) +
                              "</td><td>" + escapedForPage(c.unit) + "</td><td>" +
                              escapedForPage(c.source) + "</td>";
      EXPECT_NE(page.find(row), std::string::npos) << id << ": " << c.name;
    }
  }
  // The rows a reader checks first, typed from the published figures.
  struct Row {
    const char* name;
    const char* text;
  };
  const Row rows[] = {
      {"temperature, required",
       "<td>Temperature</td><td>--temp</td><td>°C</td><td>800 to 1100</td><td>required</td>"},
      {"CO with its start value",
       "<td>CO</td><td>--co</td><td>%</td><td>0.1 to 60</td><td>20</td>"},
      {"frost point range", "<td>--frost-point</td><td>°C</td><td>-60 to 0</td>"},
      {"nitriding temperature", "<td>--temp</td><td>°C</td><td>400 to 590</td><td>required</td>"},
      {"Magnus over water", "6.112 exp(17.62 t / (243.12 + t)) hPa"},
      {"Magnus over ice", "6.112 exp(22.46 t / (272.62 + t)) hPa"},
      {"Gunnarson", "log10 aC = 2300 / T - 2.21 + 0.15 %C + log10 %C"},
      {"alloy factor", "log10 q = 0.055 Si - 0.013 Mn - 0.04 Cr + 0.014 Ni - 0.013 Mo"},
      {"Kn", "Kn = pNH3 / pH2^1.5"},
      {"burette", "x_H2 = 1.5 (f - x_NH3) / (1 + f)"},
      {"JANAF citation", "J. Phys. Chem. Ref. Data Monograph 9 (1998)"},
      {"Brunauer citation", "J. Am. Chem. Soc. 53 (1931) 1778"},
      {"Sonntag citation", "Z. Meteorol. 40 (1990) 340"},
  };
  for (const Row& r : rows) EXPECT_NE(page.find(r.text), std::string::npos) << r.name;
}

}  // namespace
}  // namespace pyrelon
