#pragma once
// The language of tesedra-cli, taken from the environment as terminal programs do.

#include <cstdint>

namespace tesedra::cli {

// The first of LC_ALL, LC_MESSAGES and LANG that is set and not empty decides:
// Spanish when it starts with "es", English otherwise. When none is set, the
// language of the user's Windows (GetUserDefaultUILanguage) decides: Spanish for
// Spanish; elsewhere, and on Linux, English.
int16_t IdiomaDelEntorno();

// The same rule for given values (null: unset) and whether the user's system
// speaks Spanish.
int16_t IdiomaSegun(const char* lcAll, const char* lcMessages, const char* lang, bool sistemaEspanol);

// Loads the product's message and caption tables in that language; Txt and Traducir
// then give its texts.
void CargarIdiomaDelEntorno();

} // namespace tesedra::cli
