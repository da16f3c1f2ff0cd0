// tesedra-cli check sync|atm|ppp|config: one line check against a router; the result
// text goes to standard output exactly as the check window shows it.
#include "checks/Pruebas.h"
#include "base/Latin1.h"
#include "cli/Comandos.h"
#include "cli/OpcionesRouter.h"
#include "cli/OpcionTranscripcion.h"
#include "cli/TextosCli.h"
#include "base/Sesion.h"

#include <QCommandLineParser>

#include <cstdio>
#include <utility>

namespace tesedra::cli {

int ComandoCheck(const QStringList& argumentos)
{
    QCommandLineParser p;
    p.setApplicationDescription(Txt(kTxtDescripcionCheck));
    p.addPositionalArgument(QStringLiteral("CHECK"), Txt(kTxtPruebas));
    AnadirOpcionesRouter(p);
    p.addOption({QStringLiteral("vp"), Txt(kTxtOpcionVp), QStringLiteral("VP")});
    p.addOption({QStringLiteral("vc"), Txt(kTxtOpcionVc), QStringLiteral("VC")});
    p.addOption({QStringLiteral("circuit"), Txt(kTxtOpcionCircuito), QStringLiteral("NAME")});
    AnadirOpcionTranscripcion(p);
    if (!p.parse(argumentos)) {
        Error(p.errorText());
        return kSalidaUso;
    }
    if (PideAyuda(p)) {
        std::fputs(TextoAyuda(p, "check").constData(), stdout);
        return kSalidaBien;
    }
    const QStringList pos = p.positionalArguments();
    if (pos.size() != 1) {
        Error(Txt(kTxtUnaPrueba));
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
        Error(Txt(kTxtPruebaDesconocida).arg(nombre));
        return kSalidaUso;
    }

    ParametrosPrueba params;
    // VP and VC take digits only, as the ATM window's boxes do.
    for (auto [opcion, destino] : {std::pair{"vp", &params.vp}, std::pair{"vc", &params.vc}}) {
        if (!p.isSet(QLatin1String(opcion)))
            continue;
        const std::string valor = ToL1(p.value(QLatin1String(opcion)));
        if (!SoloDigitos(valor)) {
            Error(Txt(kTxtSoloDigitos).arg(QLatin1String(opcion)));
            return kSalidaUso;
        }
        *destino = valor;
    }
    if (p.isSet(QStringLiteral("circuit")))
        params.circuito = ToL1(p.value(QStringLiteral("circuit")));

    PrepararConsola();
    OpcionesRouter o;
    // Every argument and path is found good before the password is asked for and
    // the router talked to: a run of minutes must not end in "cannot write".
    if (!LeerOpcionesRouter(p, o) || !PrepararTranscripcionPedida(p) || !LeerClaveRouter(p))
        return kSalidaUso;
    sesion().TipoPrueba = tipo;

    std::string resultado;
    {
        ProgresoTerminal progreso;
        progreso.Paso(Txt(kTxtAccediendo));
        resultado = EjecutarPrueba(o.modelo, tipo, params);
    }
    // A transcript that cannot be written fails the command, but the result still shows.
    const bool transcripcionBien = TerminarTranscripcionPedida(p);
    if (resultado.empty()) {
        Error(Txt(kTxtPruebaFallida).arg(nombre));
        return kSalidaFallo;
    }
    if (std::fwrite(resultado.data(), 1, resultado.size(), stdout) != resultado.size() || std::fflush(stdout) != 0) {
        Error(Txt(kTxtNoEscribeResultado));
        return kSalidaFallo;
    }
    return transcripcionBien ? kSalidaBien : kSalidaFallo;
}

} // namespace tesedra::cli
