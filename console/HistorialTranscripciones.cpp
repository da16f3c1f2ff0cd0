#include "console/HistorialTranscripciones.h"

#include "base/Carpetas.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace tesedra {

QString CarpetaTranscripciones()
{
#ifdef Q_OS_WIN
    // The per-user application data folder: %LOCALAPPDATA%\Tesedra\transcripts.
    return CarpetaPersonal() + QStringLiteral("/Tesedra/transcripts");
#else
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    // A relative XDG path is not valid and is ignored, as the base directory rules say.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/tesedra");
#endif
}

QString GuardarEnHistorial(const Transcripcion& t, const QString& carpeta, int maximo)
{
    QDir dir(carpeta);
    if (!dir.mkpath(QStringLiteral(".")))
        return {};

    // The name sorts by time: yyyyMMdd-HHmmss-zzz, then the operation.
    QString operacion;
    for (const char c : t.operacion) {
        const bool valido = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        operacion += valido ? QLatin1Char(c) : QLatin1Char('_');
    }
    if (operacion.isEmpty())
        operacion = QStringLiteral("console");
    const QString sello = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString ruta = dir.filePath(sello + QLatin1Char('-') + operacion + QStringLiteral(".txt"));
    for (int n = 2; QFile::exists(ruta); ++n)
        ruta = dir.filePath(sello + QLatin1Char('-') + operacion + QLatin1Char('-') + QString::number(n)
                            + QStringLiteral(".txt"));
    std::string error;
    if (!GuardarTranscripcion(t, QFile::encodeName(ruta).toStdString(), error))
        return {};

    const QStringList ficheros = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i + maximo < ficheros.size(); ++i)
        dir.remove(ficheros[i]);
    return ruta;
}

void ActivarHistorialTranscripciones()
{
    Grabadora::Instancia().FijarAlTerminar(
        [](const Transcripcion& t) { GuardarEnHistorial(t, CarpetaTranscripciones()); });
}

} // namespace tesedra
