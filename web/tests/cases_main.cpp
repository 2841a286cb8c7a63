// Answers each line of standard input with runCase, natively: the other
// half of the differential check (web/tests/differential.js).
#include <iostream>
#include <string>

#include "web/tests/cases.h"

int main() {
  std::ios::sync_with_stdio(false);
  std::string line;
  while (std::getline(std::cin, line)) std::cout << pyrelon::web::runCase(line) << '\n';
}
