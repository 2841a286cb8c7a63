#include "shell/press.h"

#include <array>
#include <cmath>
#include <vector>

#include "core/numbers.h"

namespace pyrelon {
namespace {

constexpr std::size_t kMaxInputs = 8;

std::vector<std::string_view> resultLabels(const PanelDescriptor& panel, int entry) {
  std::vector<std::string_view> labels;
  for (const ResultSpec& result : panel.resultsFor(entry)) labels.push_back(result.label);
  return labels;
}

// The line stating the bound that `value` fails.
const LimitLine* failedLine(const PanelDescriptor& panel, int input, double value) {
  const bool aboveMax = value > panel.inputs[static_cast<std::size_t>(input)].limits->max;
  for (const LimitLine& line : panel.limitsBox->lines)
    if (line.input == input && line.max == aboveMax) return &line;
  return nullptr;
}

}  // namespace

std::string limitLineText(const LimitLine& line, const PanelDescriptor& panel) {
  double value = line.shownOnly;
  if (line.input >= 0) {
    const Limits& limits = *panel.inputs[static_cast<std::size_t>(line.input)].limits;
    value = line.max ? limits.max : limits.min;
  }
  std::string text(line.before);
  text += plainForm(value, ".");
  text += line.after;
  return text;
}

std::string limitsBoxText(const PanelDescriptor& panel) {
  std::string text;
  for (const LimitLine& line : panel.limitsBox->lines) {
    if (!text.empty()) text += '\n';
    text += limitLineText(line, panel);
  }
  if (panel.limitsBox->finalLineFeed) text += '\n';
  return text;
}

std::string rangeText(const InputSpec& input) {
  if (!input.limits) return {};
  std::string text = plainForm(input.limits->min, ".") + " to " + plainForm(input.limits->max, ".");
  if (!input.unit.empty()) (text += ' ') += input.unit;
  return text;
}

std::string presetText(double preset) {
  return std::trunc(preset) == preset ? plainForm(preset, ".") : signedForm(preset);
}

namespace {

// The press, with `read(i)` giving the Val rule's reading of input i.
template <typename Read>
void press(const PanelDescriptor& panel, Read read, int entry, Outcome& out) {
  const ReadPlan* plan = panel.planFor(entry);
  if (plan == nullptr) {
    out.nothing();
    return;
  }
  std::array<double, kMaxInputs> values{};
  for (const ReadStep& step : *plan) {
    const auto i = static_cast<std::size_t>(step.input);
    const InputSpec& input = panel.inputs[i];
    if (step.kind == ReadStep::Read) {
      const ReadResult reading = read(i);
      if (!reading.ok()) {
        out.fault("The " + std::string(input.what) + " is too large a number.",
                  resultLabels(panel, entry));
        return;
      }
      values[i] = reading.value;
      continue;
    }
    if (input.limits->accepts(values[i])) continue;
    const LimitLine* line = failedLine(panel, step.input, values[i]);
    if (panel.limitsBox->resetBeforeBox) {
      out.reset(input.box, input.startText);
      out.infoBox(limitsBoxText(panel));
    } else {
      out.infoBox(limitsBoxText(panel));
      out.reset(input.box, input.startText);
    }
    out.outOfLimits(step.input, line ? limitLineText(*line, panel) : std::string());
    return;
  }
  panel.calculate(Readings{std::span(values.data(), panel.inputs.size()), entry, out.settings()},
                  out);
}

}  // namespace

Outcome pressPanel(const PanelDescriptor& panel, std::span<const std::string> texts, int entry,
                   const NumberSettings& settings) {
  Outcome out(settings);
  press(
      panel, [texts](std::size_t i) { return readVal(texts[i]); }, entry, out);
  return out;
}

void pressReadings(const PanelDescriptor& panel, std::span<const ReadResult> readings, int entry,
                   const NumberSettings& settings, Outcome& out) {
  out.restart(settings);
  press(
      panel, [readings](std::size_t i) { return readings[i]; }, entry, out);
}

void pressPanel(Window& window, const PanelDescriptor& panel) {
  std::vector<std::string> texts;
  texts.reserve(panel.inputs.size());
  for (const InputSpec& input : panel.inputs) texts.push_back(window.text(input.box));
  const int entry = panel.list ? window.selectedIndex(panel.list->name) : -1;
  applySteps(window, pressPanel(panel, texts, entry, window.numberSettings()));
}

Outcome selectEntry(const PanelDescriptor& panel, int entry) {
  Outcome out;
  if (entry < 0 || static_cast<std::size_t>(entry) >= panel.presets.size()) {
    out.nothing();
    return out;
  }
  const std::span<const ResultSpec> results = panel.resultsFor(entry);
  for (std::size_t c = 0; c < panel.captionLabels.size(); ++c)
    out.writeText(panel.captionLabels[c], std::string(results[c].unit));
  out.reset(panel.inputs[0].box, presetText(panel.presets[static_cast<std::size_t>(entry)]));
  return out;
}

void applySteps(Window& window, const Outcome& outcome) {
  for (const Step& step : outcome.steps()) {
    switch (step.kind) {
      case Step::Write: window.setCaption(step.control, step.text); break;
      case Step::Clear: window.setCaption(step.control, ""); break;
      case Step::Reset: window.setText(step.control, step.text); break;
      case Step::InfoBox: window.showInfoBox(step.text); break;
      case Step::Beep: window.beep(); break;
    }
  }
}

}  // namespace pyrelon
