// tesedra-cli reverse SOURCE_DIR DEST_DIR: reverse validation of a folder of record files.
#include "cli/Comandos.h"
#include "cli/OpcionesRouter.h"
#include "cli/Terminal.h"
#include "cli/TextosCli.h"

#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "validation/ValidacionInversa.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScopeGuard>

#include <cstdio>
#include <functional>
#include <string>

namespace tesedra::cli {

namespace {

QByteArray Local(const QString& s)
{
    return ParaTerminal(s);
}

// A one-line progress bar on standard error, redrawn at most every 100 ms.
class BarraProgreso {
public:
    explicit BarraProgreso(bool activa) : activa_(activa) { reloj_.start(); }

    void Mostrar(const ProgresoInversa& p)
    {
        if (!activa_)
            return;
        const bool final = p.ficherosHechos == p.ficherosTotal;
        if (dibujada_ && !final && reloj_.elapsed() < 100)
            return;
        reloj_.restart();
        constexpr int kAncho = 30;
        const int llenos = p.ficherosTotal > 0 ? kAncho * p.ficherosHechos / p.ficherosTotal : kAncho;
        std::string barra(static_cast<size_t>(llenos), '#');
        barra.append(static_cast<size_t>(kAncho - llenos), '.');
        const QString cuenta = Txt(kTxtBarra).arg(p.ficherosHechos).arg(p.ficherosTotal).arg(p.registrosHechos);
        std::fprintf(stderr, "\r[%s] %s", barra.c_str(), Local(cuenta).constData());
        std::fflush(stderr);
        dibujada_ = true;
    }

    void Borrar()
    {
        if (!dibujada_)
            return;
        std::fprintf(stderr, "\r%79s\r", "");
        std::fflush(stderr);
        dibujada_ = false;
    }

private:
    bool activa_;
    bool dibujada_ = false;
    QElapsedTimer reloj_;
};

} // namespace

int ComandoReverse(const QStringList& argumentos)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Txt(kTxtDescripcionReverse));
    parser.addHelpOption();
    const QCommandLineOption sinProgreso(QStringLiteral("no-progress"), Txt(kTxtOpcionSinProgreso));
    const QCommandLineOption callado({QStringLiteral("q"), QStringLiteral("quiet")}, Txt(kTxtOpcionCallado));
    parser.addOptions({sinProgreso, callado});
    parser.addPositionalArgument(QStringLiteral("SOURCE_DIR"), Txt(kTxtCarpetaOrigen));
    parser.addPositionalArgument(QStringLiteral("DEST_DIR"), Txt(kTxtCarpetaDestino));

    QStringList args = argumentos;
    if (!args.isEmpty())
        args[0] = QStringLiteral("tesedra-cli reverse");
    if (!parser.parse(args)) {
        Error(parser.errorText());
        return kSalidaUso;
    }
    if (PideAyuda(parser)) {
        std::fputs(TextoAyuda(parser, "reverse").constData(), stdout);
        return kSalidaBien;
    }
    const QStringList posicionales = parser.positionalArguments();
    if (posicionales.size() != 2) {
        Error(Txt(kTxtFaltanCarpetas));
        return kSalidaUso;
    }

    // Every fault is told once, on standard error, by the run itself (through the
    // dialog seam); standard output holds what was done.
    DialogosTerminal terminal("tesedra-cli");
    InstalarDialogos(&terminal);
    const auto restaurar = qScopeGuard([] { InstalarDialogos(nullptr); });
    const bool detalle = !parser.isSet(callado);
    BarraProgreso barra(detalle && !parser.isSet(sinProgreso) && ErrorEsTerminal());
    terminal.antesDeEscribir = [&barra] { barra.Borrar(); };

    const ResultadoInversa r = EjecutarValidacionInversa(posicionales[0], posicionales[1],
                                                         [&barra](const ProgresoInversa& p) { barra.Mostrar(p); });
    barra.Borrar();

    if (r.carpetasIguales)
        return kSalidaUso;
    if (!r.error.isEmpty())
        return kSalidaFallo;

    for (const ResumenFichero& f : r.ficheros) {
        if (!detalle || !f.error.isEmpty())
            continue;
        const QString linea = Txt(kTxtResumenFichero)
                                  .arg(QFileInfo(f.origen).fileName(), QFileInfo(f.destino).fileName())
                                  .arg(f.Registros())
                                  .arg(f.enSitio)
                                  .arg(f.movidos)
                                  .arg(f.danados)
                                  .arg(f.ilegibles);
        std::fprintf(stdout, "%s\n", Local(linea).constData());
    }
    if (detalle && r.ficheros.isEmpty())
        std::fprintf(stdout, "%s\n", Local(Txt(kTxtSinFicheros).arg(posicionales[0])).constData());
    const QString total = Txt(kTxtTotal)
                              .arg(r.ficherosEscritos)
                              .arg(r.ficheros.size())
                              .arg(r.Registros())
                              .arg(r.enSitio)
                              .arg(r.movidos)
                              .arg(r.danados)
                              .arg(r.ilegibles);
    std::fprintf(stdout, "%s\n", Local(total).constData());
    std::fflush(stdout);
    return r.Ok() ? kSalidaBien : kSalidaFallo;
}

} // namespace tesedra::cli
