// tesedra-cli reverse SOURCE_DIR DEST_DIR: reverse validation of a folder of record files.
#include "cli/Comandos.h"
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

constexpr int kSalidaBien = 0;
constexpr int kSalidaFallo = 1;
constexpr int kSalidaUso = 2;

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

// The parser names the program by its path; the usage line names the subcommand.
QByteArray Ayuda(const QCommandLineParser& parser)
{
    QString texto = parser.helpText();
    const qsizetype fin = texto.indexOf(QLatin1String(" [options]"));
    if (texto.startsWith(QLatin1String("Usage: ")) && fin > 0)
        texto.replace(7, fin - 7, QStringLiteral("tesedra-cli reverse"));
    return Local(texto);
}

} // namespace

int ComandoReverse(const QStringList& argumentos)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Txt(kTxtDescripcionReverse));
    const QCommandLineOption ayuda = parser.addHelpOption();
    const QCommandLineOption sinProgreso(QStringLiteral("no-progress"), Txt(kTxtOpcionSinProgreso));
    parser.addOption(sinProgreso);
    parser.addPositionalArgument(QStringLiteral("SOURCE_DIR"), Txt(kTxtCarpetaOrigen));
    parser.addPositionalArgument(QStringLiteral("DEST_DIR"), Txt(kTxtCarpetaDestino));

    QStringList args = argumentos;
    if (!args.isEmpty())
        args[0] = QStringLiteral("tesedra-cli reverse");
    if (!parser.parse(args)) {
        std::fprintf(stderr, "tesedra-cli reverse: %s\n", Local(parser.errorText()).constData());
        std::fprintf(stderr, "%s", Ayuda(parser).constData());
        return kSalidaUso;
    }
    if (parser.isSet(ayuda)) {
        std::fprintf(stdout, "%s", Ayuda(parser).constData());
        return kSalidaBien;
    }
    const QStringList posicionales = parser.positionalArguments();
    if (posicionales.size() != 2) {
        std::fprintf(stderr, "tesedra-cli reverse: %s\n", Local(Txt(kTxtFaltanCarpetas)).constData());
        std::fprintf(stderr, "%s", Ayuda(parser).constData());
        return kSalidaUso;
    }

    DialogosTerminal terminal;
    InstalarDialogos(&terminal);
    const auto restaurar = qScopeGuard([] { InstalarDialogos(nullptr); });
    BarraProgreso barra(!parser.isSet(sinProgreso) && ErrorEsTerminal());
    terminal.antesDeEscribir = [&barra] { barra.Borrar(); };

    const ResultadoInversa r = EjecutarValidacionInversa(posicionales[0], posicionales[1],
                                                         [&barra](const ProgresoInversa& p) { barra.Mostrar(p); });
    barra.Borrar();

    if (r.carpetasIguales)
        return kSalidaUso;
    if (!r.error.isEmpty())
        return kSalidaFallo;

    for (const ResumenFichero& f : r.ficheros) {
        if (!f.error.isEmpty()) {
            std::fprintf(stdout, "%s\n",
                         Local(Txt(kTxtNoEscrito).arg(QFileInfo(f.origen).fileName(), f.error)).constData());
            continue;
        }
        const QString linea = Txt(kTxtResumenFichero)
                                  .arg(QFileInfo(f.origen).fileName(), QFileInfo(f.destino).fileName())
                                  .arg(f.enSitio + f.movidos + f.danados)
                                  .arg(f.enSitio)
                                  .arg(f.movidos)
                                  .arg(f.danados);
        std::fprintf(stdout, "%s\n", Local(linea).constData());
    }
    if (r.ficheros.isEmpty())
        std::fprintf(stdout, "%s\n", Local(Txt(kTxtSinFicheros).arg(posicionales[0])).constData());
    const QString total = Txt(kTxtTotal)
                              .arg(r.ficherosEscritos)
                              .arg(r.ficheros.size())
                              .arg(r.enSitio + r.movidos + r.danados)
                              .arg(r.enSitio)
                              .arg(r.movidos)
                              .arg(r.danados);
    std::fprintf(stdout, "%s\n", Local(total).constData());
    std::fflush(stdout);
    return r.Ok() ? kSalidaBien : kSalidaFallo;
}

} // namespace tesedra::cli
