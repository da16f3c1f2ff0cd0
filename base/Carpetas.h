#pragma once
// Folders the program works in.

#include <QString>

namespace tesedra {

// The folder of the program's own executable.
QString CarpetaPrograma();

} // namespace tesedra
