#include "cli/IdiomaCli.h"

#include "base/Idiomas.h"

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tesedra::cli {

int16_t IdiomaSegun(const char* lcAll, const char* lcMessages, const char* lang, bool sistemaEspanol)
{
    for (const char* valor : {lcAll, lcMessages, lang}) {
        if (valor && *valor)
            return std::strncmp(valor, "es", 2) == 0 ? kIdiomaEspanol : kIdiomaIngles;
    }
    return sistemaEspanol ? kIdiomaEspanol : kIdiomaIngles;
}

int16_t IdiomaDelEntorno()
{
#ifdef _WIN32
    const bool sistemaEspanol = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_SPANISH;
#else
    const bool sistemaEspanol = false;
#endif
    return IdiomaSegun(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"), sistemaEspanol);
}

void CargarIdiomaDelEntorno()
{
    const int16_t idioma = IdiomaDelEntorno();
    CargarMensajes(idioma);
    CargarTextosControles(idioma);
}

} // namespace tesedra::cli
