#include "cli/OpcionTranscripcion.h"

#include "cli/OpcionesRouter.h"
#include "cli/TextosCli.h"
#include "console/Transcripcion.h"

#include <QDir>
#include <QFile>

namespace tesedra::cli {

namespace {

bool Fallo(const QString& ruta, const std::string& error)
{
    Error(Txt(kTxtTranscripcionNoEscrita).arg(QDir::toNativeSeparators(ruta), QString::fromLocal8Bit(error.c_str())));
    return false;
}

} // namespace

void AnadirOpcionTranscripcion(QCommandLineParser& p)
{
    p.addOption({QStringLiteral("transcript"), Txt(kTxtOpcionTranscripcion), QStringLiteral("FILE")});
}

bool PrepararTranscripcionPedida(const QCommandLineParser& p)
{
    if (!p.isSet(QStringLiteral("transcript")))
        return true;
    const QString ruta = p.value(QStringLiteral("transcript"));
    std::string error;
    return Grabadora::Instancia().EscribirEn(QFile::encodeName(ruta).toStdString(), error) || Fallo(ruta, error);
}

bool TerminarTranscripcionPedida(const QCommandLineParser& p)
{
    if (!p.isSet(QStringLiteral("transcript")))
        return true;
    // The run closed its port and with it its transcript: only a fault on the way is left to tell.
    const std::string& error = Grabadora::Instancia().ErrorFichero();
    return error.empty() || Fallo(p.value(QStringLiteral("transcript")), error);
}

} // namespace tesedra::cli
