#pragma once

#include <string>

namespace engine {

// What a failed system call means, in the program's own Italian words
// ("disco pieno", "la cartella non esiste"...), whatever the system's locale.
std::string systemErrorText(int errorNumber);

} // namespace engine
