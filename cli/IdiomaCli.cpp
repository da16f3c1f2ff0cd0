#include "cli/IdiomaCli.h"

#include "base/Idiomas.h"

#include <cstdlib>
#include <cstring>

namespace tesedra::cli {

int16_t IdiomaDelEntorno()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* valor = std::getenv(variable);
        if (valor && *valor)
            return std::strncmp(valor, "es", 2) == 0 ? kIdiomaEspanol : kIdiomaIngles;
    }
    return kIdiomaIngles;
}

void CargarIdiomaDelEntorno()
{
    const int16_t idioma = IdiomaDelEntorno();
    CargarMensajes(idioma);
    CargarTextosControles(idioma);
}

} // namespace tesedra::cli
