#pragma once
// Splitting console replies into lines and values.

#include <string>

namespace tesedra {

// First line of `texto` with its CR LF; the rest goes to `resto` (may be the same object).
std::string ExtraerLinea(const std::string& texto, std::string& resto);
// Without CR and LF, blanks (character 32 only) trimmed at both ends.
std::string LimpiarValor(const std::string& texto);
// Without any occurrence of `caracter`.
std::string QuitarCaracter(const std::string& texto, char caracter);

} // namespace tesedra
