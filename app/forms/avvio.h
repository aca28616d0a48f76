// Start-up of the desktop program, in its fixed order.
#pragma once

#include "app/cli/command_line.h"

namespace tarvelo {

// Runs the program until its main window closes; returns the exit code.
int avviaProgramma(int& argc, char** argv, const cli::AvvioGrafico& avvio,
                   const std::string& exeFolder);

} // namespace tarvelo
