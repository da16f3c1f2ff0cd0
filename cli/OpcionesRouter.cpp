#include "cli/OpcionesRouter.h"
#include "base/Version.h"
#include "base/Latin1.h"
#include "cli/TextosCli.h"
#include "cli/Terminal.h"

#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Tiempos.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "base/Sesion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <iostream>
#include <string>

namespace tesedra::cli {

namespace {

// The variable that may hold the router password.
constexpr char kVariableClave[] = "TESEDRA_PASSWORD";

// --timeout's largest value: a day, well within the channel's millisecond timer.
constexpr int kSilencioMaximoS = 24 * 3600;

// One line from standard input, without its line end; without echo on a terminal.
bool LeerClave(std::string& clave)
{
    const bool terminal = EntradaEsTerminal();
    bool sinEco = false;
    if (terminal) {
        std::fputs(ParaTerminal(Txt(kTxtPideClave)).constData(), stderr);
        std::fflush(stderr);
        sinEco = ApagarEco();
    }
    std::string linea;
    const bool leida = static_cast<bool>(std::getline(std::cin, linea));
    if (sinEco)
        RestaurarEco();
    if (terminal)
        std::fprintf(stderr, "\n");
    if (!leida)
        return false;
    while (!linea.empty() && (linea.back() == '\r' || linea.back() == '\n'))
        linea.pop_back();
    clave = ToL1(DesdeTerminal(QByteArray::fromStdString(linea)));
    return true;
}

} // namespace

void Error(const QString& texto)
{
    std::fprintf(stderr, "tesedra-cli: %s\n", ParaTerminal(texto).constData());
    std::fflush(stderr);
}

void AnadirOpcionesRouter(QCommandLineParser& p)
{
    p.addOption({QStringLiteral("model"), Txt(kTxtOpcionModelo), QStringLiteral("MODEL")});
    p.addOption({QStringLiteral("port"), Txt(kTxtOpcionPuerto), QStringLiteral("N")});
    p.addOption({QStringLiteral("device"), Txt(kTxtOpcionDispositivo), QStringLiteral("PATH")});
    p.addOption({QStringLiteral("password"), Txt(kTxtOpcionClave), QStringLiteral("P")});
    p.addOption({QStringLiteral("password-file"), Txt(kTxtOpcionFicheroClave), QStringLiteral("FILE")});
    p.addOption(
        {QStringLiteral("timeout"), Txt(kTxtOpcionSilencio).arg(tiempos().silencioCliS), QStringLiteral("SECONDS")});
    p.addHelpOption();
}

QByteArray TextoAyuda(const QCommandLineParser& p, const char* subcomando)
{
    return ParaTerminal(tesedra::TextoAyuda(p, QStringLiteral("tesedra-cli ") + QLatin1String(subcomando)));
}

bool PideAyuda(const QCommandLineParser& p)
{
    return p.isSet(QStringLiteral("help")) || p.isSet(QStringLiteral("help-all"));
}

bool LeerOpcionesRouter(const QCommandLineParser& p, OpcionesRouter& o)
{
    const QString modelo = p.value(QStringLiteral("model"));
    if (modelo == QLatin1String("812"))
        o.modelo = kOfficeRemote812;
    else if (modelo == QLatin1String("5660"))
        o.modelo = kEfficient5660;
    else {
        Error(modelo.isEmpty() ? Txt(kTxtFaltaModelo) : Txt(kTxtModeloDesconocido).arg(modelo));
        return false;
    }

    const bool hayPuerto = p.isSet(QStringLiteral("port"));
    const bool hayDispositivo = p.isSet(QStringLiteral("device"));
    if (hayPuerto == hayDispositivo) {
        Error(Txt(kTxtPuertoODispositivo));
        return false;
    }
    if (hayPuerto) {
        bool ok = false;
        const int n = p.value(QStringLiteral("port")).toInt(&ok);
        if (!ok || n < 1 || n > 255) {
            Error(Txt(kTxtPuertoNumero));
            return false;
        }
        sesion().Puerto = static_cast<int16_t>(n);
        FijarRutaDispositivo({});
    } else {
        QString ruta = p.value(QStringLiteral("device"));
        if (ruta.isEmpty()) {
            Error(Txt(kTxtDispositivoRuta));
            return false;
        }
        // A bare name is a device of the system's folder unless a file of that name
        // stands here: the technician who names a file in the current folder means it.
        if (!ruta.contains(QLatin1Char('/')) && !ruta.contains(QLatin1Char('\\')) && QFileInfo::exists(ruta))
            ruta = QFileInfo(ruta).absoluteFilePath();
        FijarRutaDispositivo(QFile::encodeName(ruta).toStdString());
    }

    // An unattended run must not wait for ever on a router that went quiet.
    int silencio = tiempos().silencioCliS;
    if (p.isSet(QStringLiteral("timeout"))) {
        bool ok = false;
        silencio = p.value(QStringLiteral("timeout")).toInt(&ok);
        if (!ok || silencio < 0 || silencio > kSilencioMaximoS) {
            Error(Txt(kTxtSilencioNumero));
            return false;
        }
    }
    FijarLimiteSilencio(silencio);
    return true;
}

bool LeerClaveRouter(const QCommandLineParser& p)
{
    // In order: the option (which every user of the machine sees in the process
    // list), a file only its owner may read, the environment, standard input.
    if (p.isSet(QStringLiteral("password"))) {
        sesion().ClaveModem = ToL1(p.value(QStringLiteral("password")));
        return true;
    }
    if (p.isSet(QStringLiteral("password-file"))) {
        const QString ruta = p.value(QStringLiteral("password-file"));
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly)) {
            Error(Txt(kTxtFicheroClave).arg(QDir::toNativeSeparators(ruta), f.errorString()));
            return false;
        }
        // Its first line, without its line end: a file written by an editor ends in one.
        QByteArray linea = f.readLine();
        while (linea.endsWith('\n') || linea.endsWith('\r'))
            linea.chop(1);
        sesion().ClaveModem = ToL1(QString::fromLocal8Bit(linea));
        return true;
    }
    if (qEnvironmentVariableIsSet(kVariableClave)) {
        sesion().ClaveModem = ToL1(qEnvironmentVariable(kVariableClave));
        return true;
    }
    if (!LeerClave(sesion().ClaveModem)) {
        Error(Txt(kTxtSinClave));
        return false;
    }
    return true;
}

void PrepararConsola()
{
    static DialogosTerminal d("tesedra-cli");
    InstalarDialogos(&d);
}

ProgresoTerminal::ProgresoTerminal() : activo_(ErrorEsTerminal())
{
    if (activo_) {
        FijarAvisoProgreso([](const std::string& comando) {
            std::fprintf(stderr, "  > %s\n", ParaTerminal(comando).constData());
            std::fflush(stderr);
        });
    }
}

ProgresoTerminal::~ProgresoTerminal()
{
    if (activo_)
        FijarAvisoProgreso({});
}

void ProgresoTerminal::Paso(const QString& texto)
{
    if (activo_) {
        std::fprintf(stderr, "%s\n", ParaTerminal(texto).constData());
        std::fflush(stderr);
    }
}

} // namespace tesedra::cli
