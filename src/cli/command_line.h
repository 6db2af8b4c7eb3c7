#pragma once

namespace etq {

// Runs the command that the arguments name, without a window and without a display: 0 when it
// was done, 1 when it was refused or failed (one line on standard error), 2 for a command line
// that cannot be run as written (with the usage).
int runCommandLine(int argc, char** argv);

}  // namespace etq
