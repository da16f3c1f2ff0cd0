#include "cli/OpcionTranscripcion.h"

#include "cli/OpcionesRouter.h"
#include "cli/TextosCli.h"
#include "console/Transcripcion.h"

#include <QFile>

namespace tesedra::cli {

void AnadirOpcionTranscripcion(QCommandLineParser& p)
{
    p.addOption({QStringLiteral("transcript"), Txt(kTxtOpcionTranscripcion), QStringLiteral("FILE")});
}

bool EscribirTranscripcionPedida(const QCommandLineParser& p)
{
    if (!p.isSet(QStringLiteral("transcript")))
        return true;
    const QString ruta = p.value(QStringLiteral("transcript"));
    std::string error;
    if (!GuardarTranscripcion(Grabadora::Instancia().Ultima(), QFile::encodeName(ruta).toStdString(), error)) {
        Error(Txt(kTxtTranscripcionNoEscrita).arg(ruta, QString::fromLocal8Bit(error.c_str())));
        return false;
    }
    return true;
}

} // namespace tesedra::cli
