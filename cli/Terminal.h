#pragma once
// The terminal calls of the command-line tool: is a stream a terminal, and the
// echo of typed characters. POSIX terminals on Linux, the console on Windows.

namespace tesedra::cli {

// Standard input (standard error) is a terminal: a console window on Windows.
bool EntradaEsTerminal();
bool ErrorEsTerminal();

// Turns off the echo of what is typed on standard input, for a password; false
// when standard input is no terminal or the change was refused. RestaurarEco
// puts back the settings ApagarEco found.
bool ApagarEco();
void RestaurarEco();

} // namespace tesedra::cli
