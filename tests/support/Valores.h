#pragma once
// Installation values as text, the form of the validation golden files.

#include "validation/ValoresInstalacion.h"

#include <string>

namespace tesedra::prueba {

// Every field but the date as "name=value" lines (the form of the --raw output).
inline std::string CamposSinFecha(const ValoresInstalacion& v)
{
    std::string s;
    for (const auto& c : kCamposValores) {
        if (c.miembro != &ValoresInstalacion::fecha)
            s += std::string(c.nombre) + "=" + v.*c.miembro + "\n";
    }
    return s;
}

} // namespace tesedra::prueba
