// The shared table of calculation error codes and their Italian messages.
#pragma once

#include <string>

namespace tarvelo {

// The message of a code (UTF-8); empty for a code not in the table.
std::string MessaggioErrore(int codice);

} // namespace tarvelo
