#pragma once
// The language of tesedra-cli, taken from the environment as terminal programs do.

#include <cstdint>

namespace tesedra::cli {

// Loads the product's message and caption tables in the environment's language
// (IdiomaDelEntorno, base/Idiomas.h); Txt and Traducir then give its texts.
void CargarIdiomaDelEntorno();

} // namespace tesedra::cli
