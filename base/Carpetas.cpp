#include "base/Carpetas.h"

#include "base/Dialogos.h"
#include "base/Sesion.h"

#include <QCoreApplication>

namespace tesedra {

QString CarpetaPrograma()
{
    return QCoreApplication::applicationDirPath();
}

bool ElegirDirectorio(int16_t seleccion)
{
    sesion().SeleccionDirectorio = seleccion;
    const auto elegida = dialogos().ElegirCarpeta(CarpetaPrograma());
    if (!elegida)
        return false;
    const std::string ruta = elegida->toStdString();
    if (sesion().SeleccionDirectorio != 0)
        sesion().DirectorioDestino = ruta;
    else
        sesion().DirectorioOrigen = ruta;
    return true;
}

QString DirectorioSesion(int16_t seleccion)
{
    return QString::fromStdString(seleccion != 0 ? sesion().DirectorioDestino : sesion().DirectorioOrigen);
}

} // namespace tesedra
