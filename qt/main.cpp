#include "qt/start.h"

int main(int argc, char* argv[]) { return pyrelon::qt::runCalculator(argc, argv); }
