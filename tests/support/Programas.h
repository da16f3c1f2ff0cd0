#pragma once
// Running the project's own programs (tesedra-cli, tesedra-routersim, tesedra) from
// a test, with the event loop served meanwhile so that an in-process simulator
// keeps answering.

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace tesedra::prueba {

struct Salida {
    int codigo = -1;    // exit status; -2 when it crashed, -1 when it did not run or hung
    QByteArray salida;  // standard output
    QByteArray errores; // standard error
};

// A program of the build, e.g. Programa("tesedra-cli").
QString Programa(const QString& nombre);

// The arguments of a command line as typed (UTF-8), split at its blanks.
inline QStringList Args(const char* linea)
{
    return QString::fromUtf8(linea).split(QLatin1Char(' '));
}

// Runs `programa` with `args`, feeding `entrada` (when not null) on standard input,
// in the folder `carpeta` (empty: this process's).
Salida Ejecutar(const QString& programa, const QStringList& args, const QByteArray& entrada = {},
                const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment(),
                const QString& carpeta = {});

} // namespace tesedra::prueba
