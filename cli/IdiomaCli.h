#pragma once
// The language of tesedra-cli, taken from the environment as terminal programs do.

#include <cstdint>

namespace tesedra::cli {

// The first of LC_ALL, LC_MESSAGES and LANG that is set and not empty decides:
// Spanish when it starts with "es", English otherwise (and when none is set).
int16_t IdiomaDelEntorno();

// Loads the product's message and caption tables in that language; Txt and Traducir
// then give its texts.
void CargarIdiomaDelEntorno();

} // namespace tesedra::cli
