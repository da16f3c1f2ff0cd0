// The day's record file and its reverse validation: the record writer, the verdict on
// each kind of altered line, and whole folders turned into output files compared byte
// for byte with tests/validation/golden/ (origen/ the record files, destino/ their
// outputs; golden/README.md tells what each line of origen/AI061201.TXT is).
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"
#include "validation/ValoresInstalacion.h"

#include "DialogosPrueba.h"
#include "Ficheros.h"
#include "Registro.h"

#include "base/Idiomas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

TEST_F(Registro, SavesAppendNumberedRecordLinesToTheDayFile)
{
    for (int i = 1; i <= 3; ++i) {
        ValoresInstalacion v = Valores(i);
        QString ruta;
        ASSERT_TRUE(GuardarValidacion(dir_.path(), v, &ruta, kDia));
        EXPECT_EQ(ruta, Ruta(QStringLiteral("AI051201.txt")));
        EXPECT_EQ(v.numeroRegistro, " " + std::to_string(i));
    }
    EXPECT_EQ(LeerFichero(Ruta(QStringLiteral("AI051201.txt"))), GoldenValidacion("origen/AI051201.txt"));
    EXPECT_TRUE(dialogos_.mensajes.empty());
    // A folder with its trailing separator, and the root folder given as empty.
    EXPECT_EQ(RutaFicheroDia(dir_.path() + QLatin1Char('/'), kDia), Ruta(QStringLiteral("AI051201.txt")));
    EXPECT_EQ(RutaFicheroDia(QString(), kDia), QStringLiteral("/AI051201.txt"));
}

TEST_F(Registro, NumberFollowsTheLinesAlreadyInTheFile)
{
    const struct {
        const char* nombre;
        std::string previo, separador;
        int numero;
    } casos[] = {
        {"CR LF lines", "uno\r\ndos\r\n", "", 3},
        {"bare LF and empty lines count, past 16 bits", std::string(40000, '\n'), "", 40001},
        {"a last line without its line end gets one", "uno\r\ndos", "\r\n", 3},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        ASSERT_TRUE(EscribirFichero(Ruta(QStringLiteral("AI051201.txt")), c.previo));
        ValoresInstalacion v = Valores(1);
        ASSERT_TRUE(GuardarValidacion(dir_.path(), v, nullptr, kDia));
        EXPECT_EQ(v.numeroRegistro, " " + std::to_string(c.numero));
        std::string linea;
        ASSERT_TRUE(ComponerRegistro(v, linea));
        EXPECT_EQ(LeerFichero(Ruta(QStringLiteral("AI051201.txt"))), c.previo + c.separador + linea + "\r\n");
    }
}

// The lines of golden/origen/AI061201.TXT, split at CR LF.
std::vector<std::string> LineasAlteradas()
{
    const std::string texto = GoldenValidacion("origen/AI061201.TXT");
    std::vector<std::string> lineas;
    for (size_t inicio = 0; inicio <= texto.size();) {
        const size_t fin = std::min(texto.find("\r\n", inicio), texto.size());
        lineas.push_back(texto.substr(inicio, fin - inicio));
        inicio = fin + 2;
    }
    return lineas;
}

TEST(ValidarLinea, EachAlteredLineGetsItsVerdict)
{
    // One letter per line of origen/AI061201.TXT, whose lines golden/README.md describes:
    // E in place, M moved (out of sequence), D damaged (what could be read is shown),
    // I unreadable (no record could be read from the line).
    const std::string veredictos = "EMEDDDDIIIIIIIIIIEIEMD";
    const std::map<char, Veredicto> kLetras = {
        {'E', Veredicto::EnSitio}, {'M', Veredicto::Movido}, {'D', Veredicto::Danado}, {'I', Veredicto::Ilegible}};
    const std::vector<std::string> lineas = LineasAlteradas();
    ASSERT_EQ(lineas.size(), veredictos.size());
    ValidadorLineas validador; // one for every line, as over a whole file
    for (size_t i = 0; i < lineas.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        std::string salida;
        EXPECT_EQ(validador.Validar(lineas[i], static_cast<int64_t>(i + 1), salida), kLetras.at(veredictos[i]));
        // Nothing of an earlier line stays in the validator: a fresh one writes the same.
        EXPECT_EQ(ValidarLinea(lineas[i], static_cast<int64_t>(i + 1)), salida);
    }

    // Line numbers past 16 bits.
    ValoresInstalacion v = Valores(1);
    v.numeroRegistro = " 70000";
    std::string linea, salida;
    ASSERT_TRUE(ComponerRegistro(v, linea));
    EXPECT_EQ(validador.Validar(linea, 70000, salida), Veredicto::EnSitio);
    EXPECT_EQ(validador.Validar(linea, 70000 - 65536, salida), Veredicto::Movido);
}

TEST_F(Registro, ReverseWritesOneOutputPerRecordFileOfTheFolder)
{
    const QString origen = Ruta(QStringLiteral("origen")), destino = Ruta(QStringLiteral("destino"));
    ASSERT_TRUE(QDir(origen).mkpath(QStringLiteral("AI999999.TXT")) && QDir().mkpath(destino)); // a folder is no file
    for (const char* n : {"AI051201.txt", "AI061201.TXT"})
        ASSERT_TRUE(EscribirFichero(origen + "/" + n, GoldenValidacion(std::string("origen/") + n)));
    // Record files by any letter case, and names that are no record files.
    for (const char* n : {"ai020202.txt", "Ai030303.Txt", "AI04.04.04.TXT", "AX010101.TXT", "AI010101.csv", "notas.txt",
                          "AI040404.TXT.bak"})
        ASSERT_TRUE(EscribirFichero(origen + "/" + n, GoldenValidacion("origen/AI051201.txt")));
    // An older, longer output is replaced whole.
    ASSERT_TRUE(EscribirFichero(destino + "/AI061201.des", std::string(100000, 'z')));

    std::vector<ProgresoInversa> pasos;
    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino,
                                                         [&](const ProgresoInversa& p) { pasos.push_back(p); });
    ASSERT_TRUE(r.Ok()) << r.error.toStdString();
    EXPECT_EQ(FicherosRegistro(origen),
              (QStringList{"AI04.04.04.TXT", "AI051201.txt", "AI061201.TXT", "Ai030303.Txt", "ai020202.txt"}));
    const QStringList salidas = QDir(destino).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                                        QDir::Name);
    ASSERT_EQ(salidas, (QStringList{"AI04.des", "AI051201.des", "AI061201.des", "Ai030303.des", "ai020202.des"}));
    for (const QString& n : salidas) {
        const std::string golden = n == QLatin1String("AI061201.des") ? "destino/AI061201.des" : "destino/AI051201.des";
        EXPECT_EQ(LeerFichero(destino + "/" + n), GoldenValidacion(golden)) << n.toStdString();
    }
    EXPECT_EQ(r.ficherosEscritos, 5);
    EXPECT_EQ(r.enSitio, 4 * 3 + 4);
    EXPECT_EQ(r.movidos, 2);
    EXPECT_EQ(r.danados, 5);
    EXPECT_EQ(r.ilegibles, 11);
    EXPECT_TRUE(dialogos_.mensajes.empty());
    ASSERT_GE(pasos.size(), 2u);
    EXPECT_EQ(pasos.front().ficherosHechos, 0);
    EXPECT_EQ(pasos.front().ficherosTotal, 5);
    EXPECT_EQ(pasos.back().ficherosHechos, 5);
    EXPECT_EQ(pasos.back().registrosHechos, 4 * 3 + 22);
}

// A copy of golden/origen/AI051201.txt in `carpeta` under `nombre`.
void Copia(const QString& carpeta, const char* nombre)
{
    ASSERT_TRUE(
        EscribirFichero(carpeta + QLatin1Char('/') + QLatin1String(nombre), GoldenValidacion("origen/AI051201.txt")));
}

// Each fault stops its own file only, except a fault of the folders, which stops the run.
// (An output name taken by a folder or by another source, and a missing source folder,
// are run through tesedra-cli, in both languages.)
TEST_F(Registro, ReverseFaultsAreReportedAndTheOtherFilesAreStillWritten)
{
    std::optional<FicheroIlegible> ilegible;
    using Preparar = std::function<QString(const QString& origen, const QString& destino, const QString& raiz)>;
    const struct {
        const char* nombre;
        Preparar preparar; // fills the folders and returns the destination to give
        int escritos;
        const char* mensaje; // held by the one message shown
        QStringList salidas; // the destination folder afterwards
    } casos[] = {
        {"destination is a file",
         [](const QString& o, const QString&, const QString& raiz) {
             Copia(o, "AI010101.TXT");
             Copia(raiz, "fichero");
             return raiz + QStringLiteral("/fichero");
         },
         0,
         "/fichero",
         {}},
        {"unreadable source",
         [&ilegible](const QString& o, const QString& d, const QString&) {
             ilegible.emplace(o + QStringLiteral("/AI010101.TXT"));
             Copia(o, "AI020202.TXT");
             return d;
         },
         1,
         "AI010101.TXT",
         {"AI020202.des"}},
        {"equal folders, spelled with '..'",
         [](const QString& o, const QString& d, const QString&) {
             Copia(o, "AI010101.TXT");
             return d + QStringLiteral("/../origen");
         },
         0,
         "Los directorios origen y destino no pueden coincidir",
         {}},
    };
    for (size_t i = 0; i < std::size(casos); ++i) {
        const auto& c = casos[i];
        SCOPED_TRACE(c.nombre);
        const QString raiz = Ruta(QString::number(i));
        ASSERT_TRUE(QDir(raiz).mkpath(QStringLiteral("origen")) && QDir(raiz).mkpath(QStringLiteral("destino")));
        const QString origen = raiz + QStringLiteral("/origen"), destino = raiz + QStringLiteral("/destino");
        dialogos_.mensajes.clear();
        const ResultadoInversa r = EjecutarValidacionInversa(origen, c.preparar(origen, destino, raiz));
        EXPECT_FALSE(r.Ok());
        EXPECT_EQ(r.ficherosEscritos, c.escritos);
        ASSERT_EQ(dialogos_.mensajes.size(), 1u);
        EXPECT_NE(dialogos_.mensajes[0].texto.find(c.mensaje), std::string::npos) << dialogos_.mensajes[0].texto;
        const QStringList salidas = QDir(destino).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
        EXPECT_EQ(salidas, c.salidas);
        for (const QString& n : salidas) {
            if (QFileInfo(destino + QLatin1Char('/') + n).isFile()) {
                EXPECT_EQ(LeerFichero(destino + QLatin1Char('/') + n), GoldenValidacion("destino/AI051201.des"));
            }
        }
    }
}

} // namespace
