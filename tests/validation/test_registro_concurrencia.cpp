// The record file against other programs and people: two programs saving into one
// day file at once, a program that holds it, and cipher text changed by someone who
// made its digests again.
#include "crypto/Cripto.h"
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"

#include "Esperar.h"
#include "Programas.h"
#include "Registro.h"

#include "console/Tiempos.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <openssl/sha.h>

#include <string>
#include <vector>

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
    EXPECT_NE(texto.find(dia.toStdString()), std::string::npos) << texto;

    otro.kill();
    ASSERT_TRUE(otro.waitForFinished());
    ASSERT_TRUE(QFileInfo::exists(RutaBloqueo(dia)));
    EXPECT_TRUE(GuardarValidacion(dir_.path(), v, nullptr, kDia));
    EXPECT_EQ(v.numeroRegistro, " 2");
    EXPECT_FALSE(QFileInfo::exists(RutaBloqueo(dia)));
    EXPECT_EQ(dialogos_.mensajes.size(), 1u);
}

// The lines of a golden record file, split at CR LF.
std::vector<std::string> Lineas(const std::string& nombre)
{
    const std::string texto = GoldenValidacion(nombre);
    std::vector<std::string> lineas;
    for (size_t inicio = 0; inicio <= texto.size();) {
        const size_t fin = std::min(texto.find("\r\n", inicio), texto.size());
        lineas.push_back(texto.substr(inicio, fin - inicio));
        inicio = fin + 2;
    }
    return lineas;
}

// The digest of `s` by OpenSSL, the independent reference: 64 lower-case digits.
std::string Sha(const std::string& s)
{
    unsigned char r[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char*>(s.data()), s.size(), r);
    return QByteArray(reinterpret_cast<const char*>(r), sizeof r).toHex().toStdString();
}

// Someone who knows the record layout but not the key: he changes the cipher digits of
// the full part (16 digits a Blowfish block) and makes its digest and the line's digest
// again. Both digests are then right, and only the digest sealed inside the cipher tells.
TEST(ValidarLinea, CipherTamperedWithItsDigestsMadeAgainIsDamaged)
{
    const std::vector<std::string> sanas = Lineas("origen/AI051201.txt");
    ASSERT_EQ(sanas.size(), 4u);
    // The full part's cipher digits, and a line made of a record's short part and new ones.
    auto CifraCompleta = [](const std::string& linea) {
        const size_t e2 = linea.find('#') + 65;
        return linea.substr(e2, linea.find('#', e2) - e2);
    };
    auto Rehacer = [](const std::string& linea, const std::string& cifra) {
        const std::string cuerpo = linea.substr(0, linea.find('#') + 65) + cifra + "#" + Sha(cifra);
        return cuerpo + ";" + Sha(cuerpo);
    };
    const std::string c2 = CifraCompleta(sanas[1]), c3 = CifraCompleta(sanas[2]);
    auto Bloque = [](const std::string& c, size_t i) { return c.substr(16 * i, 16); };
    auto Poner = [](std::string c, size_t i, const std::string& b) { return c.replace(16 * i, 16, b); };
    size_t j = 1; // the first block after the number's where records 2 and 3 differ
    while (Bloque(c2, j) == Bloque(c3, j))
        ++j;
    ASSERT_LT(16 * (j + 2), c2.size());
    auto Digito = [](std::string c, size_t pos) {
        c[pos] = c[pos] == 'A' ? 'B' : 'A';
        return c;
    };

    const struct {
        const char* caso;
        std::string cifra; // record 2's full part after the change
        Veredicto veredicto;
    } casos[] = {
        {"nothing changed, digests made again", c2, Veredicto::EnSitio},
        {"a digit of a value block", Digito(c2, 16 * j + 5), Veredicto::Danado},
        {"a digit of the number's block", Digito(c2, 3), Veredicto::Danado},
        {"a block from another record", Poner(c2, j, Bloque(c3, j)), Veredicto::Danado},
        {"the number's block from another record", Poner(c2, 0, Bloque(c3, 0)), Veredicto::Danado},
        {"a block over the next", Poner(c2, j + 1, Bloque(c2, j)), Veredicto::Danado},
        {"a block twice", c2.substr(0, 16 * (j + 1)) + c2.substr(16 * j), Veredicto::Danado},
    };
    const std::string destino = GoldenValidacion("destino/AI051201.des");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const std::string linea = Rehacer(sanas[1], c.cifra);
        ValidadorLineas validador;
        std::string salida;
        EXPECT_EQ(validador.Validar(linea, 2, salida), c.veredicto) << salida;
        EXPECT_EQ(salida.find("--Registro incorrecto --;NOK") != std::string::npos, c.veredicto == Veredicto::Danado)
            << salida;
        // Among the records the program wrote, which stay sound and come out as before.
        ResumenFichero r;
        const std::string contenido = ValidarContenido(sanas[0] + "\r\n" + linea + "\r\n" + sanas[2] + "\r\n", &r);
        EXPECT_EQ(r.enSitio, c.veredicto == Veredicto::EnSitio ? 3 : 2);
        const size_t d2 = destino.find("telefono a\xF1o 2"), d3 = destino.find("telefono a\xF1o 3");
        EXPECT_EQ(contenido, destino.substr(0, d2) + salida + "\r\n" + destino.substr(d3));
    }
}

} // namespace
