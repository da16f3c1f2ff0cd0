#include "base/Version.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstring>

namespace tesedra {

bool AtenderVersion(const char* programa, int argc, char** argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0)
        return false;
    std::printf("%s %s\n", programa, kVersion);
    return true;
}

QString TextoAyuda(const QCommandLineParser& p, const QString& uso)
{
    QStringList lineas = p.helpText().split(QLatin1Char('\n'));
    if (!lineas.isEmpty() && lineas[0].startsWith(QLatin1String("Usage: "))) {
        const qsizetype fin = lineas[0].indexOf(QLatin1String(" [options]"));
        if (fin > 0)
            lineas[0].replace(7, fin - 7, uso);
    }
    lineas.removeIf([](const QString& l) { return l.trimmed().startsWith(QLatin1String("--help-all")); });
    return lineas.join(QLatin1Char('\n'));
}

} // namespace tesedra
