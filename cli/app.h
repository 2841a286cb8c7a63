// The command line: one subcommand per panel, the probe check, and the
// bash completion, all made from the panels' descriptions.
#pragma once

namespace pyrelon::cli {

// Runs the command line. Returns the exit status: 0 when every result was
// computed, 1 when a reading or a row failed, 2 on a usage error.
int runCli(int argc, char** argv);

}  // namespace pyrelon::cli
