#pragma once
// Texts of the shared window code beyond the product's tables, in both languages
// (Latin-1 bytes).

#include "base/Idiomas.h"

namespace tesedra {

// Why the folder chooser cannot open a folder.
inline constexpr TextoDoble kTxtPermisoDenegado{"Permiso denegado", "Permission denied"};
inline constexpr TextoDoble kTxtNoExiste{"No existe", "Does not exist"};

} // namespace tesedra
