// The headless entry point of the `tarvelo` executable: sub-commands that
// need no display, print to the given streams and return the exit code.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace tarvelo::cli {

// args excludes the program name. Returns -1 when there is no sub-command
// (the caller then starts the desktop program).
int runCommandLine(std::span<const std::string> args, std::istream& in, std::ostream& out,
                   std::ostream& err);

const char* generalHelp();

} // namespace tarvelo::cli
