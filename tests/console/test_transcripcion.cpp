// Console transcripts: the desktop's keeping of the last runs. (The text form is
// tested in test_transcripcion_texto.cpp; real runs are recorded and replayed in the
// simulator's tests.)
#include "checks/Pruebas.h"
#include "console/HistorialTranscripciones.h"
#include "console/Transcripcion.h"

#include "Ficheros.h"
#include "Router.h"

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

class Grabacion : public PruebaConRouter {
protected:
    void TearDown() override
    {
        Grabadora::Instancia().FijarAlTerminar({});
        PruebaConRouter::TearDown();
    }
};

// The desktop keeps the last 50 runs in $XDG_STATE_HOME/tesedra: the 51st run
// pushes out the oldest.
TEST_F(Grabacion, DesktopKeepsTheLastFifty)
{
    QTemporaryDir estado;
    ASSERT_TRUE(estado.isValid());
    const QByteArray antes = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(estado.path()));
    const QString carpeta = estado.path() + QStringLiteral("/tesedra");
    EXPECT_EQ(CarpetaTranscripciones(), carpeta);
    ASSERT_TRUE(QDir().mkpath(carpeta));
    for (int i = 0; i < kTranscripcionesGuardadas; ++i) {
        ASSERT_TRUE(EscribirFichero(
            carpeta + QStringLiteral("/20000101-0000%1-000-check-atm.txt").arg(i, 2, 10, QLatin1Char('0')), "old"));
    }

    ActivarHistorialTranscripciones();
    Router(kEfficient5660);
    ASSERT_FALSE(EjecutarPrueba(kEfficient5660, kPruebaPPP, ParametrosPrueba{}).empty());
    if (antes.isNull())
        qunsetenv("XDG_STATE_HOME");
    else
        qputenv("XDG_STATE_HOME", antes);

    const QStringList quedan = QDir(carpeta).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(quedan.size(), kTranscripcionesGuardadas);
    EXPECT_EQ(quedan.first(), QStringLiteral("20000101-000001-000-check-atm.txt"));
    EXPECT_TRUE(quedan.last().endsWith(QStringLiteral("-check-ppp.txt"))) << quedan.last().toStdString();
    EXPECT_EQ(LeerFichero(carpeta + QLatin1Char('/') + quedan.last()), Grabadora::Instancia().Ultima().Texto());
}

} // namespace
