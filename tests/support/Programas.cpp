#include "Programas.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace tesedra::prueba {

QString Programa(const QString& nombre)
{
    return QStringLiteral(TESEDRA_BINARY_DIR "/bin/") + nombre;
}

Salida Ejecutar(const QString& programa, const QStringList& args, const QByteArray& entrada,
                const QProcessEnvironment& entorno, const QString& carpeta)
{
    QProcess p;
    p.setProgram(programa);
    p.setWorkingDirectory(carpeta);
    p.setArguments(args);
    p.setProcessEnvironment(entorno);
    QEventLoop bucle;
    QObject::connect(&p, &QProcess::finished, &bucle, &QEventLoop::quit);
    QObject::connect(&p, &QProcess::errorOccurred, &bucle, &QEventLoop::quit);
    // A bound against a hang only.
    QTimer::singleShot(120000, &bucle, &QEventLoop::quit);
    p.start();
    if (!p.waitForStarted(10000))
        return {};
    if (!entrada.isNull()) {
        p.write(entrada);
        p.closeWriteChannel();
    }
    if (p.state() != QProcess::NotRunning)
        bucle.exec();
    Salida s;
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        s.errores = p.readAllStandardError();
        return s;
    }
    s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.salida = p.readAllStandardOutput();
    s.errores = p.readAllStandardError();
    return s;
}

} // namespace tesedra::prueba
