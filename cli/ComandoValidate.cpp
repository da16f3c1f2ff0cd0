// tesedra-cli validate: gathers and judges the installation values of a router, as
// the validation window does, and optionally appends the sealed record to the day's
// file of a folder, as its Save button does.
#include "cli/Comandos.h"
#include "base/Latin1.h"
#include "cli/Escapado.h"
#include "cli/OpcionesRouter.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "validation/DatosValidacion.h"
#include "validation/FicheroRegistro.h"
#include "validation/ValoresInstalacion.h"

#include <QCommandLineParser>
#include <QDir>

#include <cstdio>
#include <utility>
#include <vector>

namespace tesedra::cli {

namespace {

void EscribirCrudo(const ValoresInstalacion& v)
{
    for (const auto& campo : kCamposValores) {
        const std::string linea = std::string(campo.nombre) + "=" + Escapar(v.*campo.miembro) + "\n";
        std::fwrite(linea.data(), 1, linea.size(), stdout);
    }
}

// The label of a value: the window's caption without its trailing colon and blanks,
// or the field's own label when the window shows no caption for it.
QString Etiqueta(const CampoValores& campo)
{
    if (campo.caption == 0)
        return L1(campo.etiqueta);
    QString t = L1(Texto(campo.caption));
    while (t.endsWith(QLatin1Char(':')) || t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    return t;
}

void EscribirParaPersonas(const ValoresInstalacion& v, bool comprobarLinea)
{
    // The general values, the line readings when the line was judged, then the judgement.
    std::vector<std::pair<QString, const std::string*>> filas;
    for (const GrupoCampo grupo : {GrupoCampo::General, GrupoCampo::Linea, GrupoCampo::Juicio}) {
        if (grupo == GrupoCampo::Linea && !comprobarLinea)
            continue;
        for (const CampoValores& campo : kCamposValores) {
            if (campo.grupo == grupo)
                filas.emplace_back(Etiqueta(campo), &(v.*campo.miembro));
        }
    }
    qsizetype ancho = 0;
    for (const auto& f : filas)
        ancho = std::max(ancho, f.first.size());
    for (const auto& f : filas) {
        const QString linea = (f.first + QLatin1Char(':')).leftJustified(ancho + 2)
                              + L1(*f.second);
        std::fprintf(stdout, "%s\n", linea.toLocal8Bit().constData());
    }
    const std::string fallos = comprobarLinea ? MensajeFallosLinea() : std::string();
    if (!fallos.empty())
        std::fprintf(stdout, "\n%s\n", ParaTerminal(fallos).constData());
}

} // namespace

int ComandoValidate(const QStringList& argumentos)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Gathers the installation values of the router, judges the line when asked to\n"
        "and prints the values; --save appends the sealed record to the day's file.\n"
        "Exit status: 0 done, 1 the log-on, the gathering or the save failed, 2 wrong usage."));
    AnadirOpcionesRouter(p);
    p.addOption({QStringLiteral("line-check"), QStringLiteral("Read and judge the ADSL line values.")});
    p.addOption({QStringLiteral("modality"),
                 QStringLiteral("Service modality for the line check: estandar, class or premium (default estandar)."),
                 QStringLiteral("MODALITY")});
    p.addOption({QStringLiteral("save"), QStringLiteral("Append the record to the day's file AIddmmyy.txt in DIR."),
                 QStringLiteral("DIR")});
    p.addOption({QStringLiteral("raw"), QStringLiteral("Print one name=value line per record field instead.")});
    if (!p.parse(argumentos)) {
        Error(p.errorText());
        return kSalidaUso;
    }
    if (p.isSet(QStringLiteral("help"))) {
        std::fputs(TextoAyuda(p, "validate").constData(), stdout);
        return kSalidaBien;
    }
    if (!p.positionalArguments().isEmpty()) {
        Error(QStringLiteral("unexpected argument '%1'").arg(p.positionalArguments().first()));
        return kSalidaUso;
    }

    EstadoLinea& e = estadoLinea();
    e.ComprobarLinea = p.isSet(QStringLiteral("line-check"));
    e.ModalidadServicio = kModalidadEstandar;
    if (p.isSet(QStringLiteral("modality"))) {
        const QString m = p.value(QStringLiteral("modality")).toLower();
        if (m == QLatin1String("estandar"))
            e.ModalidadServicio = kModalidadEstandar;
        else if (m == QLatin1String("class"))
            e.ModalidadServicio = kModalidadClass;
        else if (m == QLatin1String("premium"))
            e.ModalidadServicio = kModalidadPremium;
        else {
            Error(QStringLiteral("unknown modality '%1' (estandar, class or premium)").arg(m));
            return kSalidaUso;
        }
        if (!e.ComprobarLinea) {
            Error(QStringLiteral("--modality needs --line-check"));
            return kSalidaUso;
        }
    }
    QString carpeta;
    if (p.isSet(QStringLiteral("save"))) {
        carpeta = p.value(QStringLiteral("save"));
        if (carpeta.isEmpty() || !QDir(carpeta).exists()) {
            Error(QStringLiteral("--save: no such folder '%1'").arg(carpeta));
            return kSalidaUso;
        }
    }

    PrepararConsola();
    OpcionesRouter o;
    if (!LeerOpcionesRouter(p, o))
        return kSalidaUso;

    ValoresInstalacion v;
    bool ok = false;
    {
        ProgresoTerminal progreso;
        progreso.Paso("Logging on to the router...");
        ok = EjecutarValidacion(o.modelo, v);
    }
    if (!ok) {
        Error(QStringLiteral("the validation failed: the installation values could not be gathered"));
        return kSalidaFallo;
    }

    bool guardado = true;
    if (!carpeta.isEmpty()) {
        QString ruta;
        guardado = GuardarValidacion(carpeta, v, &ruta);
        if (guardado) {
            std::fprintf(stderr, "Record%s saved to %s\n", v.numeroRegistro.c_str(),
                         QDir::toNativeSeparators(ruta).toLocal8Bit().constData());
            AvisarTrasGuardar();
        } else {
            Error(QStringLiteral("the validation was not saved"));
        }
    }

    if (p.isSet(QStringLiteral("raw")))
        EscribirCrudo(v);
    else
        EscribirParaPersonas(v, e.ComprobarLinea);
    std::fflush(stdout);
    return guardado ? kSalidaBien : kSalidaFallo;
}

} // namespace tesedra::cli
