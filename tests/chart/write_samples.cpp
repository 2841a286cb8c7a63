// Writes every sample chart to <folder>/<name>.svg, for the XML check and
// for looking at them.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "tests/chart/samples.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: pyrelon_chart_samples FOLDER\n";
    return 2;
  }
  for (const auto& sample : pyrelon::chart::samples::all()) {
    const std::string path = std::string(argv[1]) + "/" + std::string(sample.name) + ".svg";
    std::ofstream file(path, std::ios::binary);
    file << pyrelon::chart::toSvg(sample.chart);
    if (!file) {
      std::cerr << "cannot write " << path << "\n";
      return 1;
    }
  }
  for (const auto& document : pyrelon::chart::samples::documents()) {
    const std::string path = std::string(argv[1]) + "/" + std::string(document.name) + ".svg";
    std::ofstream file(path, std::ios::binary);
    file << document.svg;
    if (!file) {
      std::cerr << "cannot write " << path << "\n";
      return 1;
    }
  }
  return 0;
}
