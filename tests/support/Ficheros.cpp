#include "Ficheros.h"

#include <QSaveFile>
#include <QtGlobal>

#include <gtest/gtest.h>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tesedra::prueba {

std::string LeerFichero(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return "<cannot read " + ruta.toStdString() + ">";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

bool EscribirFichero(const QString& ruta, const std::string& contenido)
{
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(contenido.data(), static_cast<qint64>(contenido.size())) == static_cast<qint64>(contenido.size());
}

std::string Golden(const std::string& rutaRelativa)
{
    return LeerFichero(QStringLiteral(TESEDRA_SOURCE_DIR "/") + QString::fromStdString(rutaRelativa));
}

std::string Golden(const std::string& rutaRelativa, const std::string& actual)
{
    if (qEnvironmentVariableIsSet("TESEDRA_GOLDEN_NUEVOS")) {
        const QString nuevo = QStringLiteral(TESEDRA_BINARY_DIR "/golden-nuevos/")
                              + QString::fromStdString(rutaRelativa);
        QDir().mkpath(QFileInfo(nuevo).path());
        EscribirFichero(nuevo, actual);
    }
    return Golden(rutaRelativa);
}

std::string Visible(const std::string& s)
{
    std::string r;
    for (char c : s) {
        if (c == '\r')
            r += "<CR>";
        else if (c == '\n')
            r += "<LF>\n";
        else if (c == '\t')
            r += "<TAB>";
        else
            r += c;
    }
    return r;
}

FicheroIlegible::FicheroIlegible(const QString& ruta)
{
#ifdef Q_OS_WIN
    EscribirFichero(ruta, "held\r\n");
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(ruta.utf16()), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << ruta.toStdString();
    abierto_ = h;
#else
    EXPECT_TRUE(QFile::link(ruta + QStringLiteral(".destino-que-no-existe"), ruta)) << ruta.toStdString();
#endif
}

FicheroIlegible::~FicheroIlegible()
{
#ifdef Q_OS_WIN
    if (abierto_ != INVALID_HANDLE_VALUE)
        CloseHandle(static_cast<HANDLE>(abierto_));
#endif
}

} // namespace tesedra::prueba
