// tesedra-cli: the command-line front end over the core library.
#include "cli/Comandos.h"
#include "base/Version.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

using namespace tesedra::cli;

namespace {

const Comando kComandos[] = {
    {"reverse", "verify and decipher a folder of record files", ComandoReverse},
    {"check", "run a line check against a router", ComandoCheck},
    {"validate", "gather and judge the installation values of a router", ComandoValidate},
    {"ports", "list the serial ports Com 1..Com 6 open", ComandoPorts},
};

// To standard output when asked for with --help, to standard error after a wrong call.
void Uso(std::FILE* salida)
{
    std::fprintf(salida, "Usage: tesedra-cli COMMAND [OPTIONS]\n\nCommands:\n");
    for (const auto& c : kComandos)
        std::fprintf(salida, "  %-10s %s\n", c.nombre, c.resumen);
    std::fprintf(salida, "\n'tesedra-cli COMMAND --help' describes a command;"
                         " 'tesedra-cli --version' prints the version.\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (tesedra::AtenderVersion("tesedra-cli", argc, argv))
        return 0;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tesedra-cli"));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h")) {
        const bool pedida = args.size() >= 2;
        Uso(pedida ? stdout : stderr);
        return pedida ? 0 : 2;
    }
    for (const auto& c : kComandos) {
        if (args[1] == QLatin1String(c.nombre))
            return c.ejecutar(args.mid(1));
    }
    std::fprintf(stderr, "tesedra-cli: unknown command '%s'\n", qPrintable(args[1]));
    Uso(stderr);
    return 2;
}
