// The calculator's start-up, exactly as the program runs it, ended once the
// window has been painted.
#include "app/qt/start.h"
#include "first_paint.h"

int main(int argc, char* argv[]) {
  return pyrelon::qt::runCalculator(argc, argv, pyrelon::bench::quitAfterFirstPaint);
}
