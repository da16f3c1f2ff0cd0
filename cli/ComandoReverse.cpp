// tesedra-cli reverse SOURCE_DIR DEST_DIR: reverse validation of a folder of record files.
#include "cli/Comandos.h"
#include "cli/Terminal.h"

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
    return s.toLocal8Bit();
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
        std::fprintf(stderr, "\r[%s] %d/%d files, %lld records", barra.c_str(), p.ficherosHechos,
                     p.ficherosTotal, static_cast<long long>(p.registrosHechos));
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
    parser.setApplicationDescription(QStringLiteral(
        "Verifies and deciphers every record file (AI*.TXT, any letter case) of SOURCE_DIR and\n"
        "writes one semicolon-separated file per record file (AI<ddmmyy>.des) into DEST_DIR.\n"
        "Altered, moved or unreadable records are marked in their output lines.\n"
        "Exit status: 0 all files written, 1 a folder or file could not be read or written,\n"
        "2 wrong usage or equal folders."));
    const QCommandLineOption ayuda = parser.addHelpOption();
    const QCommandLineOption sinProgreso(QStringLiteral("no-progress"),
                                         QStringLiteral("Do not draw the progress bar on standard error."));
    parser.addOption(sinProgreso);
    parser.addPositionalArgument(QStringLiteral("SOURCE_DIR"), QStringLiteral("Folder of the record files."));
    parser.addPositionalArgument(QStringLiteral("DEST_DIR"), QStringLiteral("Folder for the output files."));

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
        std::fprintf(stderr, "tesedra-cli reverse: expected SOURCE_DIR and DEST_DIR\n");
        std::fprintf(stderr, "%s", Ayuda(parser).constData());
        return kSalidaUso;
    }

    if (mensajes().msgDirectoriosIguales.empty())
        CargarMensajes(kIdiomaEspanol);

    DialogosTerminal terminal;
    InstalarDialogos(&terminal);
    const auto restaurar = qScopeGuard([] { InstalarDialogos(nullptr); });
    BarraProgreso barra(!parser.isSet(sinProgreso) && ErrorEsTerminal());
    terminal.antesDeEscribir = [&barra] { barra.Borrar(); };

    const ResultadoInversa r = EjecutarValidacionInversa(
        posicionales[0], posicionales[1], [&barra](const ProgresoInversa& p) { barra.Mostrar(p); });
    barra.Borrar();

    if (r.carpetasIguales)
        return kSalidaUso;
    if (!r.error.isEmpty())
        return kSalidaFallo;

    for (const ResumenFichero& f : r.ficheros) {
        const QByteArray origen = Local(QFileInfo(f.origen).fileName());
        if (!f.error.isEmpty()) {
            std::fprintf(stdout, "%s: not written: %s\n", origen.constData(), Local(f.error).constData());
            continue;
        }
        std::fprintf(stdout, "%s -> %s: %lld records, %lld in place, %lld moved, %lld damaged\n",
                     origen.constData(), Local(QFileInfo(f.destino).fileName()).constData(),
                     static_cast<long long>(f.enSitio) + f.movidos + f.danados,
                     static_cast<long long>(f.enSitio), static_cast<long long>(f.movidos),
                     static_cast<long long>(f.danados));
    }
    if (r.ficheros.isEmpty())
        std::fprintf(stdout, "No record files (AI*.TXT) in %s\n", Local(posicionales[0]).constData());
    std::fprintf(stdout, "Total: %d of %lld files written, %lld records, %lld in place, %lld moved, %lld damaged\n",
                 r.ficherosEscritos, static_cast<long long>(r.ficheros.size()),
                 static_cast<long long>(r.enSitio) + r.movidos + r.danados, static_cast<long long>(r.enSitio),
                 static_cast<long long>(r.movidos), static_cast<long long>(r.danados));
    std::fflush(stdout);
    return r.Ok() ? kSalidaBien : kSalidaFallo;
}

} // namespace tesedra::cli
