// tesedra-cli: the command-line front end over the core library.
#include "cli/Comandos.h"
#include "base/Dialogos.h"
#include "base/Version.h"
#include "cli/IdiomaCli.h"
#include "cli/OpcionesRouter.h"
#include "cli/TextosCli.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

using namespace tesedra::cli;
using tesedra::ParaTerminal;

namespace {

const Comando kComandos[] = {
    {"reverse", &kTxtResumenReverse, ComandoReverse},
    {"check", &kTxtResumenCheck, ComandoCheck},
    {"validate", &kTxtResumenValidate, ComandoValidate},
    {"ports", &kTxtResumenPorts, ComandoPorts},
};

// To standard output when asked for with --help, to standard error after a wrong call.
void Uso(std::FILE* salida)
{
    std::fputs(ParaTerminal(Txt(kTxtUso)).constData(), salida);
    for (const auto& c : kComandos)
        std::fprintf(salida, "  %-10s %s\n", c.nombre, ParaTerminal(Txt(*c.resumen)).constData());
    std::fputs(ParaTerminal(Txt(kTxtUsoFin)).constData(), salida);
}

} // namespace

int main(int argc, char** argv)
{
#ifdef Q_OS_WIN
    // The line ends are the texts' own, as on Linux: the C runtime adds no CR
    // before each LF (the results' CR LF would become CR CR LF).
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (tesedra::AtenderVersion("tesedra-cli", argc, argv))
        return 0;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tesedra-cli"));
    CargarIdiomaDelEntorno();
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
    Error(Txt(kTxtOrdenDesconocida).arg(args[1]));
    Uso(stderr);
    return 2;
}
