// potelan-cli: the engine without a window. `sweep` solves one link file over
// the axle stroke and prints every result; `compare` writes the CSV file of a
// base and a changed link file, as the table window's export does; `info`,
// `sensitivity` and `fit` are the design assistant: the characteristics of a
// linkage, how each dimension moves its curve, and the dimensions that bring
// it to a target curve.
#pragma once

#include <QStringList>
#include <ostream>

namespace potelan::cli {

enum ExitCode : int {
  kSuccess = 0,
  kBadUsage = 2,   // bad arguments, or a file that cannot be read or holds no linkage
  kNotFormed = 3,  // the linkage cannot be formed (the message names the stroke), or no set
                   // within a fit's bounds assembles
};

// Runs the command line `args` (without the program name). Results go to
// `out`, messages to `err`, both UTF-8.
int Run(const QStringList& args, std::ostream& out, std::ostream& err);

// The general --help text.
const char* HelpText();

}  // namespace potelan::cli
