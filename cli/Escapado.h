#pragma once
// The escaping of the values `tesedra-cli validate --raw` prints: CR, LF, TAB and
// backslash written as \r, \n, \t and \\, so that each field stays on its one line,
// and its inverse for whoever reads those lines back.

#include <string>

namespace tesedra::cli {

std::string Escapar(const std::string& valor);

// The value an escaped text stands for. False (and `valor` unspecified) when the text
// is not one Escapar writes: a lone backslash at its end or before another letter.
bool Desescapar(const std::string& escapado, std::string& valor);

} // namespace tesedra::cli
