// tesedra-cli validate: gathers and judges the installation values of a router, as
// the validation window does, and optionally appends the sealed record to the day's
// file of a folder, as its Save button does.
#include "cli/Comandos.h"
#include "base/Latin1.h"
#include "cli/Escapado.h"
#include "cli/OpcionesRouter.h"
#include "cli/OpcionTranscripcion.h"
#include "cli/TextosCli.h"
#include "base/Carpetas.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "validation/DatosValidacion.h"
#include "validation/FicheroRegistro.h"
#include "validation/ValoresInstalacion.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

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
    if (campo.caption == 0) {
        const std::pair<std::string ValoresInstalacion::*, const TextoDoble*> propias[] = {
            {&ValoresInstalacion::fecha, &kTxtFecha},
            {&ValoresInstalacion::veredictoVelocidad, &kTxtVeredictoVelocidad},
            {&ValoresInstalacion::veredictoRuido, &kTxtVeredictoRuido},
            {&ValoresInstalacion::veredictoAtenuacion, &kTxtVeredictoAtenuacion}};
        for (const auto& [miembro, texto] : propias)
            if (campo.miembro == miembro)
                return Txt(*texto);
        return L1(campo.etiqueta);
    }
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
        const QString linea = (f.first + QLatin1Char(':')).leftJustified(ancho + 2) + L1(*f.second);
        std::fprintf(stdout, "%s\n", ParaTerminal(linea).constData());
    }
    const std::string fallos = comprobarLinea ? MensajeFallosLinea() : std::string();
    if (!fallos.empty())
        std::fprintf(stdout, "\n%s\n", ParaTerminal(fallos).constData());
}

// A word as people type it: the modality with its accent, and in any letter case.
QString SinAcentos(const QString& texto)
{
    QString r;
    for (const QChar c : texto.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            r += c;
    return r;
}

// --save's folder: there, a folder, and one this user can write in; said on
// standard error, naming it, when not.
bool CarpetaParaGuardar(const QString& carpeta)
{
    const QFileInfo info(carpeta);
    const QString nombre = QDir::toNativeSeparators(carpeta);
    QString motivo;
    if (carpeta.isEmpty() || !info.exists())
        Error(Txt(kTxtGuardarSinCarpeta).arg(nombre));
    else if (!info.isDir())
        Error(Txt(kTxtGuardarNoCarpeta).arg(nombre));
    else if (!CarpetaEscribible(carpeta, &motivo))
        Error(Txt(kTxtGuardarNoEscribible).arg(nombre, motivo));
    else
        return true;
    return false;
}

} // namespace

int ComandoValidate(const QStringList& argumentos)
{
    QCommandLineParser p;
    p.setApplicationDescription(Txt(kTxtDescripcionValidate));
    AnadirOpcionesRouter(p);
    p.addOption({QStringLiteral("line-check"), Txt(kTxtOpcionLinea)});
    p.addOption({QStringLiteral("modality"), Txt(kTxtOpcionModalidad), QStringLiteral("MODALITY")});
    p.addOption({QStringLiteral("save"), Txt(kTxtOpcionGuardar), QStringLiteral("DIR")});
    p.addOption({QStringLiteral("raw"), Txt(kTxtOpcionCrudo)});
    AnadirOpcionTranscripcion(p);
    if (!p.parse(argumentos)) {
        Error(p.errorText());
        return kSalidaUso;
    }
    if (PideAyuda(p)) {
        std::fputs(TextoAyuda(p, "validate").constData(), stdout);
        return kSalidaBien;
    }
    if (!p.positionalArguments().isEmpty()) {
        Error(Txt(kTxtArgumentoInesperado).arg(p.positionalArguments().first()));
        return kSalidaUso;
    }

    EstadoLinea& e = estadoLinea();
    e.ComprobarLinea = p.isSet(QStringLiteral("line-check"));
    e.ModalidadServicio = kModalidadEstandar;
    if (p.isSet(QStringLiteral("modality"))) {
        const QString m = SinAcentos(p.value(QStringLiteral("modality")).toLower());
        if (m == QLatin1String("estandar"))
            e.ModalidadServicio = kModalidadEstandar;
        else if (m == QLatin1String("class"))
            e.ModalidadServicio = kModalidadClass;
        else if (m == QLatin1String("premium"))
            e.ModalidadServicio = kModalidadPremium;
        else {
            Error(Txt(kTxtModalidadDesconocida).arg(p.value(QStringLiteral("modality"))));
            return kSalidaUso;
        }
        if (!e.ComprobarLinea) {
            Error(Txt(kTxtModalidadSinLinea));
            return kSalidaUso;
        }
    }
    PrepararConsola();
    OpcionesRouter o;
    if (!LeerOpcionesRouter(p, o))
        return kSalidaUso;
    // Every path is found good before the password is asked for and the router
    // talked to: a run of minutes must not end in "cannot write".
    QString carpeta;
    if (p.isSet(QStringLiteral("save"))) {
        carpeta = p.value(QStringLiteral("save"));
        if (!CarpetaParaGuardar(carpeta))
            return kSalidaUso;
    }
    if (!PrepararTranscripcionPedida(p) || !LeerClaveRouter(p))
        return kSalidaUso;

    ValoresInstalacion v;
    bool ok = false;
    {
        ProgresoTerminal progreso;
        progreso.Paso(Txt(kTxtAccediendo));
        ok = EjecutarValidacion(o.modelo, v);
    }
    // A transcript that cannot be written fails the command, but the values still show.
    const bool transcripcionBien = TerminarTranscripcionPedida(p);
    if (!ok) {
        Error(Txt(kTxtValidacionFallida));
        return kSalidaFallo;
    }

    bool guardado = true;
    if (!carpeta.isEmpty()) {
        QString ruta;
        guardado = GuardarValidacion(carpeta, v, &ruta);
        if (guardado) {
            const QString aviso = Txt(kTxtRegistroGuardado).arg(L1(v.numeroRegistro), QDir::toNativeSeparators(ruta));
            std::fprintf(stderr, "%s\n", ParaTerminal(aviso).constData());
            AvisarTrasGuardar();
        } else {
            Error(Txt(kTxtNoGuardada));
        }
    }

    if (p.isSet(QStringLiteral("raw")))
        EscribirCrudo(v);
    else
        EscribirParaPersonas(v, e.ComprobarLinea);
    std::fflush(stdout);
    return guardado && transcripcionBien ? kSalidaBien : kSalidaFallo;
}

} // namespace tesedra::cli
