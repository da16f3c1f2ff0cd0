// tesedra-cli check sync|atm|ppp|config: one line check against a router; the result
// text goes to standard output exactly as the check window shows it.
#include "checks/Pruebas.h"
#include "base/Latin1.h"
#include "cli/Comandos.h"
#include "cli/OpcionesRouter.h"
#include "base/Sesion.h"

#include <QCommandLineParser>

#include <cstdio>
#include <utility>

namespace tesedra::cli {

int ComandoCheck(const QStringList& argumentos)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Runs one line check against the router and writes its result text to standard output\n"
        "(CR LF line ends and tabs as the check window shows them).\n"
        "CHECK is sync, atm, ppp or config.\n"
        "Exit status: 0 done, 1 the log-on or the check failed, 2 wrong usage."));
    p.addPositionalArgument(QStringLiteral("CHECK"), QStringLiteral("sync, atm, ppp or config"));
    AnadirOpcionesRouter(p);
    p.addOption({QStringLiteral("vp"), QStringLiteral("VP of the ATM circuit, digits (default 8)."),
                 QStringLiteral("VP")});
    p.addOption({QStringLiteral("vc"), QStringLiteral("VC of the ATM circuit, digits (default 32)."),
                 QStringLiteral("VC")});
    p.addOption({QStringLiteral("circuit"),
                 QStringLiteral("Virtual circuit name for the 812 configuration check (default WAN)."),
                 QStringLiteral("NAME")});
    if (!p.parse(argumentos)) {
        Error(p.errorText());
        return kSalidaUso;
    }
    if (p.isSet(QStringLiteral("help"))) {
        std::fputs(TextoAyuda(p, "check").constData(), stdout);
        return kSalidaBien;
    }
    const QStringList pos = p.positionalArguments();
    if (pos.size() != 1) {
        Error(QStringLiteral("name one check: sync, atm, ppp or config"));
        return kSalidaUso;
    }
    int16_t tipo = 0;
    const QString& nombre = pos.first();
    if (nombre == QLatin1String("sync"))
        tipo = kPruebaSincronizacion;
    else if (nombre == QLatin1String("atm"))
        tipo = kPruebaATM;
    else if (nombre == QLatin1String("ppp"))
        tipo = kPruebaPPP;
    else if (nombre == QLatin1String("config"))
        tipo = kPruebaConfiguracion;
    else {
        Error(QStringLiteral("unknown check '%1' (sync, atm, ppp or config)").arg(nombre));
        return kSalidaUso;
    }

    PrepararConsola();
    OpcionesRouter o;
    if (!LeerOpcionesRouter(p, o))
        return kSalidaUso;

    ParametrosPrueba params;
    // VP and VC take digits only, as the ATM window's boxes do.
    for (auto [opcion, destino] : {std::pair{"vp", &params.vp}, std::pair{"vc", &params.vc}}) {
        if (!p.isSet(QLatin1String(opcion)))
            continue;
        const std::string valor = ToL1(p.value(QLatin1String(opcion)));
        if (!SoloDigitos(valor)) {
            Error(QStringLiteral("--%1 takes digits 0 to 9 only").arg(QLatin1String(opcion)));
            return kSalidaUso;
        }
        *destino = valor;
    }
    if (p.isSet(QStringLiteral("circuit")))
        params.circuito = ToL1(p.value(QStringLiteral("circuit")));
    sesion().TipoPrueba = tipo;

    std::string resultado;
    {
        ProgresoTerminal progreso;
        progreso.Paso("Logging on to the router...");
        resultado = EjecutarPrueba(o.modelo, tipo, params);
    }
    if (resultado.empty()) {
        Error(QStringLiteral("the %1 check failed").arg(nombre));
        return kSalidaFallo;
    }
    if (std::fwrite(resultado.data(), 1, resultado.size(), stdout) != resultado.size() || std::fflush(stdout) != 0) {
        Error(QStringLiteral("cannot write the result to standard output"));
        return kSalidaFallo;
    }
    return kSalidaBien;
}

} // namespace tesedra::cli
