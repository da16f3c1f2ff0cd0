// The record file against other programs: two programs saving into one day file at
// once, and a program that holds it. On Linux and on Windows, whose lock files
// behave differently (a held one cannot be removed; a stale one is told by its
// process being gone).
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"

#include "Esperar.h"
#include "Programas.h"
#include "Registro.h"

#include "console/Tiempos.h"

#include <QProcess>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// tests/validation/GuardarRegistros.cpp in a process of its own, on the day file of kDia
// in `carpeta`.
void Lanzar(QProcess& p, const QString& modo, const QString& carpeta, const QStringList& mas = {})
{
    p.start(Programa(QStringLiteral("guardar_registros")),
            QStringList{modo, carpeta, kDia.toString(Qt::ISODate)} + mas);
}

// The desktop program and a command-line save, or two technicians on a shared folder:
// each count and append is one step under the day file's lock, so no number is taken
// twice and no line is written over. Two programs save 20 records each, every save of
// one beginning with a save of the other (each says "listo", then "hecho" after each
// save); as not every round has two saves overlap, ten rounds are run, in ten folders.
TEST_F(Registro, TwoProgramsSavingAtOnceNumberTheirRecordsInSequence)
{
    constexpr int kPorPrograma = 20, kRondas = 10;
    for (int ronda = 0; ronda < kRondas; ++ronda) {
        SCOPED_TRACE("round " + std::to_string(ronda));
        const QString carpeta = Ruta(QString::number(ronda));
        ASSERT_TRUE(QDir().mkpath(carpeta));
        QProcess a, b;
        Lanzar(a, QStringLiteral("guardar"), carpeta, {QStringLiteral("A")});
        Lanzar(b, QStringLiteral("guardar"), carpeta, {QStringLiteral("B")});
        auto Respondido = [](QProcess& p) { return p.canReadLine() || p.state() == QProcess::NotRunning; };
        for (int i = 0; i <= kPorPrograma; ++i) {
            ASSERT_TRUE(EsperarHasta([&] { return Respondido(a) && Respondido(b); }, 60000)) << i;
            a.readLine();
            b.readLine();
            if (i < kPorPrograma) {
                a.write("\n");
                b.write("\n");
            }
        }
        a.closeWriteChannel();
        b.closeWriteChannel();
        ASSERT_TRUE(
            EsperarHasta([&] { return a.state() == QProcess::NotRunning && b.state() == QProcess::NotRunning; }));
        for (QProcess* p : {&a, &b})
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        ResumenFichero r;
        ValidarContenido(LeerFichero(carpeta + QStringLiteral("/AI051201.txt")), &r);
        EXPECT_EQ(r.enSitio, 2 * kPorPrograma);
        EXPECT_EQ(r.movidos + r.danados, 0);
    }
}

// A program that holds the day file and never lets go makes a save fail after the wait,
// saying which file; once that program is dead, its lock file is stale and is taken over.
TEST_F(Registro, DayFileHeldByAnotherProgram)
{
    const QString dia = Ruta(QStringLiteral("AI051201.txt"));
    ASSERT_TRUE(EscribirFichero(dia, "uno\r\n"));
    QProcess otro;
    Lanzar(otro, QStringLiteral("retener"), dir_.path());
    ASSERT_TRUE(EsperarHasta([&] { return otro.canReadLine(); })) << otro.readAllStandardError().toStdString();
    ASSERT_TRUE(QFileInfo::exists(RutaBloqueo(dia)));
    // The lock file is no record file.
    EXPECT_EQ(FicherosRegistro(dir_.path()), QStringList{QStringLiteral("AI051201.txt")});

    const Tiempos antes = tiempos();
    tiempos().esperaBloqueoRegistroMs = 200;
    ValoresInstalacion v = Valores(1);
    const bool guardado = GuardarValidacion(dir_.path(), v, nullptr, kDia);
    tiempos() = antes;
    EXPECT_FALSE(guardado);
    EXPECT_EQ(LeerFichero(dia), "uno\r\n");
    ASSERT_EQ(dialogos_.mensajes.size(), 1u);
    const std::string& texto = dialogos_.mensajes[0].texto;
    EXPECT_EQ(texto.rfind("Error grabando datos de validaci\xF3n: ", 0), 0u) << texto;
    EXPECT_NE(texto.find(QDir::toNativeSeparators(dia).toStdString()), std::string::npos) << texto;

    otro.kill();
    ASSERT_TRUE(otro.waitForFinished());
    ASSERT_TRUE(QFileInfo::exists(RutaBloqueo(dia)));
    EXPECT_TRUE(GuardarValidacion(dir_.path(), v, nullptr, kDia));
    EXPECT_EQ(v.numeroRegistro, " 2");
    EXPECT_FALSE(QFileInfo::exists(RutaBloqueo(dia)));
    EXPECT_EQ(dialogos_.mensajes.size(), 1u);
}

} // namespace
