// tesedra-cli: the command-line front end over the core library.
#include "cli/Comandos.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

using namespace tesedra::cli;

namespace {

const Comando kComandos[] = {
    {"reverse", "verify and decipher a folder of record files", ComandoReverse},
    {"check", "run a line check against a router", ComandoCheck},
    {"validate", "gather and judge the installation values of a router", ComandoValidate},
};

void Uso()
{
    std::fprintf(stderr, "Usage: tesedra-cli COMMAND [OPTIONS]\n\nCommands:\n");
    for (const auto& c : kComandos)
        std::fprintf(stderr, "  %-10s %s\n", c.nombre, c.resumen);
    std::fprintf(stderr, "\n'tesedra-cli COMMAND --help' describes a command.\n");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tesedra-cli"));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h")) {
        Uso();
        return args.size() < 2 ? 2 : 0;
    }
    for (const auto& c : kComandos) {
        if (args[1] == QLatin1String(c.nombre))
            return c.ejecutar(args.mid(1));
    }
    std::fprintf(stderr, "tesedra-cli: unknown command '%s'\n", qPrintable(args[1]));
    Uso();
    return 2;
}
