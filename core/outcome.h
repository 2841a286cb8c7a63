// What a press does to a panel, as an ordered list of steps: write a label,
// clear a label, put a box back to a text, show an Info Box, beep. A face
// applies the steps in order. A face whose Info Box blocks (the desktop
// window) applies them at once; one whose dialog does not block (a browser)
// holds back the steps after an Info Box until it is closed.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/numbers.h"

namespace pyrelon {

struct Step {
  enum Kind { Write, Clear, Reset, InfoBox, Beep } kind;
  std::string control;  // the label or text box; empty for InfoBox and Beep
  std::string text;     // the text written, put back or shown
};

// How a press ended.
enum class Ending {
  Solved,       // every result written
  Nothing,      // nothing to do (no entry selected)
  OutOfLimits,  // a reading failed its limits: the limits box, one box put back
  Fault,        // the arithmetic could not go on: a sentence, some labels cleared
};

// Builds the steps of one press. Results written here can be read back as
// the user sees them, which is how the chains of the temperature and
// lambda panels go on from rounded values.
class Outcome {
 public:
  explicit Outcome(NumberSettings settings = {}) : settings_(std::move(settings)) {}

  // Starts another press with the same storage, as a batch does row after
  // row.
  void restart(const NumberSettings& settings) {
    settings_ = settings;
    steps_.clear();
    ending_ = Ending::Solved;
    message_.clear();
    failedInput_ = -1;
  }

  const NumberSettings& settings() const { return settings_; }
  const std::vector<Step>& steps() const { return steps_; }
  Ending ending() const { return ending_; }
  // The sentence of a fault, or the line of the limits box that states the
  // bound a reading failed.
  const std::string& message() const { return message_; }
  // The input that failed its limits, or -1.
  int failedInput() const { return failedInput_; }

  // Writes `value` to `label` through `pattern` with the user's separator.
  //   write("CarbonLbl", 0.9047, "0.000") -> "0.905" (or "0,905")
  void write(std::string_view label, double value, std::string_view pattern);
  // Writes a text as it stands.
  void writeText(std::string_view label, std::string text);
  void clear(std::string_view label);
  void reset(std::string_view textBox, std::string_view text);
  void infoBox(std::string text);
  void beep();

  // The last text written to `label` in this press, read back by the
  // locale-aware reading; nothing when it does not read back (only a value
  // at the very top of the double range) or nothing was written.
  std::optional<double> readBack(std::string_view label) const;
  // The last text written to `label` in this press, or empty.
  std::string shown(std::string_view label) const;

  // Clears `labels`, then shows `sentence`; the press ends with a fault.
  template <typename Labels>
  void fault(std::string sentence, const Labels& labels) {
    for (std::string_view label : labels) clear(label);
    faultOnly(std::move(sentence));
  }
  void fault(std::string sentence, std::initializer_list<std::string_view> labels) {
    for (std::string_view label : labels) clear(label);
    faultOnly(std::move(sentence));
  }
  void outOfLimits(int input, std::string line) {
    ending_ = Ending::OutOfLimits;
    failedInput_ = input;
    message_ = std::move(line);
  }
  void nothing() { ending_ = Ending::Nothing; }

 private:
  void faultOnly(std::string sentence);

  NumberSettings settings_;
  std::vector<Step> steps_;
  Ending ending_ = Ending::Solved;
  std::string message_;
  int failedInput_ = -1;
};

}  // namespace pyrelon
