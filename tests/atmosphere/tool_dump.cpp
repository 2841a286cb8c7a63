// Prints what the atmosphere tools compute, for the scripts that check them
// against the data and an independent model:
//   tool_dump --log-k "1000 1073.15"    -> "T logK(2CO=C+CO2) logK(CO+H2=C+H2O)
//                                           logK(CO=C+1/2O2) logK(CH4=C+2H2)" per T
//   tool_dump --boundaries "400 575"    -> "t Kn(alpha/gamma') Kn(gamma'/epsilon)" per t (°C)
//   tool_dump atmosphere < rows         -> one JSON object per row of "key=value ..."
//                                           ({"tool", "inputs", "results", "error"})
// Numbers are written in the shortest form that reads back to the same double.
#include <charconv>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "atmosphere/atmosphere.h"
#include "atmosphere/nitriding_potential.h"
#include "shell/tool_form.h"

namespace {

std::string number(double value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::optional<double> parse(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int dumpTool(const pyrelon::ToolDescriptor& tool) {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::vector<std::optional<double>> readings(tool.inputs.size());
    for (std::size_t i = 0; i < tool.inputs.size(); ++i) readings[i] = tool.inputs[i].start;
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
      const auto eq = word.find('=');
      const std::string key = word.substr(0, eq);
      for (std::size_t i = 0; i < tool.inputs.size(); ++i) {
        if (tool.inputs[i].key == key) readings[i] = parse(word.substr(eq + 1));
      }
    }
    // The calculator's own outcome, before a face would hide a value that is
    // not finite; written as the command line's JSON writes it.
    std::cout << pyrelon::toolJson(tool, readings, tool.calculate(readings), 0) << '\n';
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--log-k") {
    std::istringstream words(argv[2]);
    std::string word;
    while (words >> word) {
      const double kelvin = parse(word).value_or(0);
      std::cout << number(kelvin);
      for (auto reaction :
           {pyrelon::CarbonReaction::Boudouard, pyrelon::CarbonReaction::WaterGas,
            pyrelon::CarbonReaction::CoDissociation, pyrelon::CarbonReaction::Methane}) {
        std::cout << ' ' << number(pyrelon::log10K(reaction, kelvin));
      }
      std::cout << '\n';
    }
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--boundaries") {
    std::istringstream words(argv[2]);
    std::string word;
    while (words >> word) {
      const double kelvin = parse(word).value_or(0) + 273.15;
      std::cout << word << ' ' << number(pyrelon::boundaryKn(pyrelon::kAlphaGammaPrime, kelvin))
                << ' ' << number(pyrelon::boundaryKn(pyrelon::kGammaPrimeEpsilon, kelvin)) << '\n';
    }
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "atmosphere") return dumpTool(pyrelon::atmosphereTool());
  if (argc == 2 && std::string(argv[1]) == "nitriding-potential") {
    return dumpTool(pyrelon::nitridingPotentialTool());
  }
  std::cerr << "usage: tool_dump --log-k KELVINS | --boundaries CELSIUS | atmosphere | "
               "nitriding-potential\n";
  return 2;
}
