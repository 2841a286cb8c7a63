#include "cli/app.h"

int main(int argc, char** argv) { return pyrelon::cli::runCli(argc, argv); }
