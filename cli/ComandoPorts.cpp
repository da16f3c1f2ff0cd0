// tesedra-cli ports: the device each of the ports Com 1..Com 6 (on Windows also each
// detected port above them) opens, one line a port, as the main window's port list
// shows them.
#include "base/Dialogos.h"
#include "cli/Comandos.h"
#include "cli/OpcionesRouter.h"
#include "cli/TextosCli.h"
#include "console/PuertosSerie.h"

#include <QCommandLineParser>

#include <cstdio>

namespace tesedra::cli {

namespace {

constexpr int16_t kPuertos = 6;

} // namespace

int ComandoPorts(const QStringList& argumentos)
{
    QCommandLineParser p;
    p.setApplicationDescription(Txt(kTxtDescripcionPorts));
    p.addHelpOption();
    if (!p.parse(argumentos)) {
        Error(p.errorText());
        return kSalidaUso;
    }
    if (PideAyuda(p)) {
        std::fputs(TextoAyuda(p, "ports").constData(), stdout);
        return kSalidaBien;
    }
    if (!p.positionalArguments().isEmpty()) {
        Error(Txt(kTxtPortsSinArgumentos));
        return kSalidaUso;
    }
    PrepararConsola();
    for (const PuertoOfrecido& p : DestinosPuertos(kPuertos)) {
        const QByteArray linea = ParaTerminal(EtiquetaPuerto(p.numero, p.destino));
        std::fprintf(stdout, "%s\n", linea.constData());
    }
    return std::fflush(stdout) == 0 ? kSalidaBien : kSalidaFallo;
}

} // namespace tesedra::cli
