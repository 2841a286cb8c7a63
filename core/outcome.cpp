#include "core/outcome.h"

namespace pyrelon {

void Outcome::write(std::string_view label, double value, std::string_view pattern) {
  writeText(label, formatPattern(value, pattern, settings_.decimalSeparator));
}

void Outcome::writeText(std::string_view label, std::string text) {
  steps_.push_back({Step::Write, std::string(label), std::move(text)});
}

void Outcome::clear(std::string_view label) {
  steps_.push_back({Step::Clear, std::string(label), {}});
}

void Outcome::reset(std::string_view textBox, std::string_view text) {
  steps_.push_back({Step::Reset, std::string(textBox), std::string(text)});
}

void Outcome::infoBox(std::string text) { steps_.push_back({Step::InfoBox, {}, std::move(text)}); }

void Outcome::beep() { steps_.push_back({Step::Beep, {}, {}}); }

std::string Outcome::shown(std::string_view label) const {
  for (auto it = steps_.rbegin(); it != steps_.rend(); ++it)
    if (it->control == label && (it->kind == Step::Write || it->kind == Step::Clear))
      return it->text;
  return {};
}

std::optional<double> Outcome::readBack(std::string_view label) const {
  const ReadResult read =
      readLocaleNumber(shown(label), settings_.decimalSeparator, settings_.groupSeparator);
  if (!read.ok()) return std::nullopt;
  return read.value;
}

void Outcome::faultOnly(std::string sentence) {
  ending_ = Ending::Fault;
  message_ = sentence;
  infoBox(std::move(sentence));
}

}  // namespace pyrelon
