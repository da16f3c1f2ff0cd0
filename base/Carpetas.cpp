#include "base/Carpetas.h"

#include "base/Dialogos.h"
#include "base/Sesion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tesedra {

QString CarpetaPrograma(const QString& programa, const QString& personal)
{
    // A file is really created there, with this user's rights, as the later writes
    // will be: root may write a read-only folder, and so keeps the program's own;
    // on Windows the access lists of Program Files refuse it whatever the
    // attributes (which are all QFileInfo::isWritable looks at) say.
    if (QFileInfo(programa).isDir() && CarpetaEscribible(programa))
        return programa;
    QString propia = QDir(personal).filePath(QStringLiteral("Tesedra"));
    // A failed creation is reported by the write that needs the folder.
    QDir().mkpath(propia);
    return propia;
}

bool CarpetaEscribible(const QString& carpeta, QString* motivo)
{
    QTemporaryFile prueba(QDir(carpeta).filePath(QStringLiteral(".tesedra-XXXXXX")));
    if (prueba.open())
        return true;
    if (motivo)
        *motivo = prueba.errorString();
    return false;
}

QString CarpetaPersonal()
{
#ifdef Q_OS_WIN
    // %LOCALAPPDATA%, the per-user data folder that stays on this machine.
    QString local = qEnvironmentVariable("LOCALAPPDATA");
    if (local.isEmpty() || QDir::isRelativePath(local))
        local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::fromNativeSeparators(local);
#else
    return QDir::homePath();
#endif
}

QString CarpetaPrograma()
{
    return CarpetaPrograma(QCoreApplication::applicationDirPath(), CarpetaPersonal());
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
