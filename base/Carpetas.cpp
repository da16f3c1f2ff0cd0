#include "base/Carpetas.h"

#include <QCoreApplication>

namespace tesedra {

QString CarpetaPrograma()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace tesedra
