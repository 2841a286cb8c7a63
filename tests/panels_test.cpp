// The panels' descriptions against the lists typed here from the program's
// reference: every result label with its pattern. (Each input's box,
// start-up text and limits are pinned by tests/golden/window.txt, its unit
// and range by help.html, its key by cli-transcript.txt's completion; the
// lists' entries and aliases by window.txt and cli-transcript.txt.) Then the
// press as a pure function of texts, without a window: the order of its
// steps is what a face applies. (What choosing a unit writes:
// temperature_test.cpp and pressure_test.cpp.)
#include "shell/panels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "combustion/lambda.h"
#include "fake_window.h"
#include "shell/controls.h"
#include "shell/help.h"
#include "shell/press.h"
#include "shell/tool_form.h"
#include "shell/tools.h"
#include "units/pressure.h"

namespace pyrelon {
namespace {

// "label:pattern" per result for entry 0 (and for the flow panel's other
// entries below).
const std::map<std::string, std::string> kResults{
    {"temperature", "Lab2:###0.0 Lab4:###0.0 Label12:###0.0"},
    {"pressure", "Lab10:###0.00 Lab11:####0.0 Lab12:###0.0 Lab13:######0 Lab14:##0.00 Lab20:####0"},
    {"nitriding", "NkLbl:#0.00"},
    {"carbon", "CarbonLbl:0.000"},
    {"lambda", "WetLbl:#0.0 AirLbl:0.000 DryLbl:#0.0 Co2Lbl:#0.0 NetLbl:##0.0 GrossLbl:##0.0"},
    {"oxygen", "OxyLbl:#0.00"},
    {"flow", "FlowLbl:"},
};

std::string describeResults(std::span<const ResultSpec> results) {
  std::string text;
  for (const ResultSpec& r : results)
    text += (text.empty() ? "" : " ") + std::string(r.label) + ":" + std::string(r.pattern);
  return text;
}

TEST(Panels, DescribeTheirResultsAndControls) {
  ASSERT_EQ(panels().size(), kResults.size());
  for (const PanelDescriptor* panel : panels()) {
    const std::string id(panel->id);
    EXPECT_EQ(describeResults(panel->resultsFor(0)), kResults.at(id)) << id;
    // Every control the description names is a control of the window, of
    // its own panel.
    for (const InputSpec& in : panel->inputs)
      EXPECT_EQ(findControl(in.box)->parent, panel->frame) << in.box;
    for (const ResultSpec& r : panel->resultsFor(0))
      EXPECT_EQ(findControl(r.label)->kind, ControlKind::ResultLabel) << r.label;
    EXPECT_EQ(findControl(panel->solveButton)->parent, panel->frame) << id;
  }
  EXPECT_EQ(describeResults(panelById("flow")->resultsFor(1)), "FlowLbl:##.#0");
  EXPECT_EQ(describeResults(panelById("flow")->resultsFor(2)), "FlowLbl:##.#0");
  EXPECT_EQ(describeResults(panelById("flow")->resultsFor(3)), "FlowLbl:#.#0");
  EXPECT_EQ(describeResults(panelById("pressure")->resultsFor(2)),
            "Lab10:##0.00 Lab11:####0.0 Lab12:###0.0 Lab13:#####0 Lab14:##0.00 Lab20:####0");
}

// Each bound once: the line that states it, as the command-line tool
// reports a reading past it.
TEST(Panels, AReadingPastABoundNamesTheLineOfThatBound) {
  // clang-format off
  const struct { const char *panel, *box, *text, *line; } rows[] = {
      {"carbon", "MvZccTxt", "959.99", "The min mV probe value is 960 mV"},
      {"carbon", "MvZccTxt", "1340.01", "The max mV probe value is 1340 mV"},
      {"carbon", "TempTxt", "649", "The min probe temperature value is 650 \u00b0C"},
      {"carbon", "CoTxt", "37.5", "The max %Co value is 37 %"},
      {"oxygen", "MvZrO2Txt", "-10.5", "The min mV probe value is -10 mV"},
      {"oxygen", "MvZrO2Txt", "301", "The max mV probe value is 300 mV"},
      {"nitriding", "HTxt", "0.5", "The min H2 value is 1 %"},
      {"nitriding", "NTxt", "101", "The max NH3 value is 100 %"},
      {"lambda", "KOffTxt", "-201", "The min Kelvin Temperatute Offset value is -200 K"},
      {"lambda", "FlueTXt", "801", "The max flue temperature value is 800 \u00b0C"},
  };
  // clang-format on
  for (const auto& r : rows) {
    // Each row is named by its bound: panel, box and reading.
    SCOPED_TRACE(std::string(r.panel) + " " + r.box + " " + r.text);
    const PanelDescriptor& panel = *panelById(r.panel);
    std::vector<std::string> texts;
    for (const InputSpec& in : panel.inputs) texts.emplace_back(in.startText);
    texts[static_cast<std::size_t>(panel.inputIndex(r.box))] = r.text;
    const Outcome out = pressPanel(panel, texts, 0, testing::pointSettings());
    EXPECT_EQ(out.ending(), Ending::OutOfLimits);
    EXPECT_EQ(out.message(), r.line);
    EXPECT_EQ(out.failedInput(), panel.inputIndex(r.box));
  }
}

std::string stepsOf(const Outcome& out) {
  std::string text;
  for (const Step& s : out.steps()) {
    static const char* const kKinds[] = {"write", "clear", "reset", "box", "beep"};
    text += std::string(kKinds[s.kind]) + (s.control.empty() ? "" : " " + s.control) +
            (s.kind == Step::InfoBox ? "" : "=" + s.text) + "\n";
  }
  return text;
}

// The steps in the order a face applies them: a browser holds back what
// follows an Info Box until it is closed, so the order is the contract.
TEST(Panels, APressIsAnOrderedListOfSteps) {
  // clang-format off
  const struct {
    const char *name, *panel; std::vector<std::string> texts; int entry; const char* steps;
  } rows[] = {
      {"carbon: the limits box before the reset", "carbon", {"500", "830", "20"}, 0,
       "box\nreset MvZccTxt=1121\n"},
      {"nitriding: the reset before the limits box", "nitriding", {"0", "31.61"}, -1,
       "reset HTxt=10\nbox\n"},
      {"kelvin fills its second column first, then the first from it", "temperature", {"300"}, 2,
       "write Lab4=26.9\nwrite Lab2=80.4\nwrite Label12=540.0\n"},
      // The chain stops at the wet oxygen of air: written, then the rest
      // cleared, then the sentence.
      {"lambda: the chain stops at the wet oxygen of air", "lambda",
       {"0.02", "8", "0", "20", "180"}, 0,
       "write WetLbl=20.9\nclear AirLbl=\nclear DryLbl=\nclear Co2Lbl=\nclear NetLbl=\n"
       "clear GrossLbl=\nbox\n"},
      {"pressure: overflow in a box clears every result first", "pressure", {"1E400"}, 0,
       "clear Lab10=\nclear Lab11=\nclear Lab12=\nclear Lab13=\nclear Lab14=\nclear Lab20=\nbox\n"},
      {"flow, none: reads only the flow", "flow",
       {"1E400", "1E400", "10.50", "1E400", "1E400", "1E400"}, 0, "write FlowLbl=10.5\n"},
      {"flow, temperature", "flow", {"25", "2500", "10", "100", "2500", "1013"}, 1,
       "write FlowLbl=8.94\n"},
      {"temperature without a source unit: nothing at all", "temperature", {"1E400"}, -1, ""},
  };
  // clang-format on
  for (const auto& r : rows) {
    const Outcome out = pressPanel(*panelById(r.panel), r.texts, r.entry, testing::pointSettings());
    EXPECT_EQ(stepsOf(out), r.steps) << r.name;
  }
}

// Every number the help page states is one the program computes with: a
// constant, a limit, a start-up text, a table's entry. An equation typed
// with a stale digit shows up here.
TEST(Panels, TheHelpPageStatesOnlyTheNumbersTheProgramUses) {
  std::set<std::string> known{"0",         "1", "2", "5", "9", "10", "100",  // digits, percent, 9/5
                              "17022",                                       // a standard's name
                              "0.00000001"};  // the DIN search's last step, % C
  const auto add = [&known](double v) { known.insert(plainForm(std::fabs(v), ".")); };
  for (const PanelDescriptor* panel : panels()) {
    for (const ConstantSpec& c : panel->constants) add(c.value);
    for (const InputSpec& in : panel->inputs) {
      known.insert(
          std::string(in.startText.starts_with('-') ? in.startText.substr(1) : in.startText));
      if (in.limits) {
        add(in.limits->min);
        add(in.limits->max);
      }
    }
    if (panel->limitsBox)
      for (const LimitLine& line : panel->limitsBox->lines) add(line.shownOnly);
    for (const double preset : panel->presets) add(preset);
  }
  for (const ToolDescriptor* tool : tools()) {
    for (const ToolInput& in : tool->inputs) {
      add(in.range.min);
      add(in.range.max);
      if (in.start) add(*in.start);
    }
    for (const ToolConstant& c : tool->constants) {
      add(c.value);
      known.insert(jsonNumber(std::fabs(c.value)));  // as the tools' help lists it
    }
    // A citation's year, volume and pages.
    for (const std::string_view reference : tool->references) {
      for (std::size_t i = 0; i < reference.size();) {
        std::size_t end = i;
        while (end < reference.size() && std::isdigit(static_cast<unsigned char>(reference[end])))
          ++end;
        if (end > i) known.insert(std::string(reference.substr(i, end - i)));
        i = end + 1;
      }
    }
    for (const ToolResult& result : tool->results) {
      known.insert(std::to_string(result.places));  // "3 decimals"
      for (const ToolResult& member : result.members) known.insert(std::to_string(member.places));
    }
  }
  for (const Fuel& f : fuelTable())
    for (const double v :
         {f.wetRatio, f.dryRatio, f.co2Max, f.netAllowance, f.netLossFactor, f.grossLossFactor})
      add(v);
  for (const PressureSource& source : pressureTable())
    for (const PressureCell& cell : source.cells) add(cell.factor);

  // The page's text with its tags blanked, then every number standing alone
  // (not in a word, nor part of "1.2.3"). The panels' part only: a tool's
  // section states its equations in its own description's words, and its
  // tables come from that description.
  const std::string page = helpHtml();
  std::string text;
  bool inTag = false;
  for (const char c : std::string_view(page).substr(0, page.find("<h2 id=\"tool-"))) {
    inTag = (inTag || c == '<') && c != '>';
    text += inTag || c == '>' ? ' ' : c;
  }
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const auto joins = [&](char c) {
    return digit(c) || std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.';
  };
  const char* const digits = "0123456789";
  std::vector<std::string> strangers;
  for (std::size_t i = 0, end = 0; i < text.size(); i = std::max(i + 1, end)) {
    if (!digit(text[i]) || (i > 0 && joins(text[i - 1]))) continue;
    end = std::min(text.find_first_not_of(digits, i), text.size());
    if (end + 1 < text.size() && text[end] == '.' && digit(text[end + 1]))
      end = std::min(text.find_first_not_of(digits, end + 1), text.size());
    const std::string number = text.substr(i, end - i);
    if ((end == text.size() || !joins(text[end])) && !known.contains(number))
      strangers.push_back(number);
  }
  EXPECT_EQ(strangers, std::vector<std::string>{});
}

// No text the page quotes can open or end a tag, an entity or an attribute.
TEST(Panels, TheHelpPageEscapesItsTexts) {
  EXPECT_EQ(escapedHtml("Kn < 0.1 & T > 500 \"\u00b0C\" 'a'"),
            "Kn &lt; 0.1 &amp; T &gt; 500 &quot;\u00b0C&quot; 'a'");
  EXPECT_EQ(escapedHtml("<<&&>>"), "&lt;&lt;&amp;&amp;&gt;&gt;");
}

// The help page is well-formed: every tag is a plain tag with quoted
// attributes, every element is closed in order, and no stray character
// stands where a tag ends.
TEST(Panels, TheHelpPageIsWellFormed) {
  const std::string html = helpHtml();
  const auto isLower = [](char c) { return c >= 'a' && c <= 'z'; };
  const auto isName = [&](char c) { return isLower(c) || (c >= '0' && c <= '9') || c == '-'; };
  std::vector<std::string> open;
  std::size_t at = 0;
  for (std::size_t lt = html.find('<'); lt != std::string::npos; lt = html.find('<', at)) {
    // Between two tags: text, never the '>' of a broken tag, and never
    // starting with '=' as a tag's end turned into ">=" would.
    EXPECT_EQ(html.substr(at, lt - at).find('>'), std::string::npos) << html.substr(at, lt - at);
    const std::size_t gt = html.find('>', lt);
    ASSERT_NE(gt, std::string::npos);
    const std::string tag = html.substr(lt + 1, gt - lt - 1);
    at = gt + 1;
    EXPECT_NE(html[at], '=') << tag;
    // "/name" or "name" followed by  attr="value" pairs.
    std::size_t i = tag.starts_with('/') ? 1 : 0;
    const std::size_t nameStart = i;
    while (i < tag.size() && isName(tag[i])) ++i;
    const std::string name = tag.substr(nameStart, i - nameStart);
    ASSERT_TRUE(!name.empty() && isLower(name[0])) << tag;
    while (i < tag.size()) {
      ASSERT_EQ(tag[i], ' ') << tag;
      const std::size_t attr = ++i;
      while (i < tag.size() && isName(tag[i])) ++i;
      ASSERT_TRUE(i > attr && tag.compare(i, 2, "=\"") == 0) << tag;
      const std::size_t close = tag.find('"', i + 2);
      ASSERT_NE(close, std::string::npos) << tag;
      i = close + 1;
    }
    if (name == "meta") continue;
    if (nameStart == 0) {
      open.push_back(name);
    } else {
      ASSERT_FALSE(open.empty()) << tag;
      EXPECT_EQ(open.back(), name);
      open.pop_back();
    }
  }
  EXPECT_TRUE(open.empty());
  EXPECT_EQ(html.substr(at), "\n");
}

}  // namespace
}  // namespace pyrelon
