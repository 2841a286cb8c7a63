// The calculator's start-up, exactly as the program runs it, ended at its
// mark (end_run.h).
#include "end_run.h"
#include "qt/start.h"

int main(int argc, char* argv[]) {
  return pyrelon::qt::runCalculator(argc, argv, pyrelon::bench::endRunAtMark);
}
