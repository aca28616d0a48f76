// What a command says about the files it is given to read.
#pragma once

#include <string>
#include <string_view>

namespace tarvelo::cli {

// Empty when `path` is a file that can be read from its start again (a
// regular file, or a link to one); otherwise why not: it does not exist, it
// is a folder, or it is a pipe or a device (a work is read at offsets).
std::string fileNonLeggibile(const std::string& path);

// A text from the input shown on the terminal: valid UTF-8 as it stands,
// control characters and bytes that are not UTF-8 as \xNN, so that a
// binary file's header cannot drive the terminal.
std::string testoVisibile(std::string_view testo);

} // namespace tarvelo::cli
