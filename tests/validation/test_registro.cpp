// The day's record file and its reverse validation: the record writer, the verdict on
// each kind of altered line, and whole folders turned into output files compared byte
// for byte with tests/validation/golden/ (origen/ the record files, destino/ their
// outputs; golden/README.md tells what each line of origen/AI061201.TXT is).
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"

#include "Registro.h"

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
    const std::tuple<const char*, std::string, std::string, int> casos[] = {
        {"CR LF lines", "uno\r\ndos\r\n", "", 3},
        {"bare LF and empty lines count, past 16 bits", std::string(40000, '\n'), "", 40001},
        {"a last line without its line end gets one", "uno\r\ndos", "\r\n", 3},
    };
    for (const auto& [nombre, previo, separador, numero] : casos) {
        SCOPED_TRACE(nombre);
        ASSERT_TRUE(EscribirFichero(Ruta(QStringLiteral("AI051201.txt")), previo));
        ValoresInstalacion v = Valores(1);
        ASSERT_TRUE(GuardarValidacion(dir_.path(), v, nullptr, kDia));
        EXPECT_EQ(v.numeroRegistro, " " + std::to_string(numero));
        std::string linea;
        ASSERT_TRUE(ComponerRegistro(v, linea));
        EXPECT_EQ(LeerFichero(Ruta(QStringLiteral("AI051201.txt"))), previo + separador + linea + "\r\n");
    }
}

TEST(ValidarLinea, EachAlteredLineGetsItsVerdict)
{
    // One letter per line of origen/AI061201.TXT, whose lines golden/README.md describes:
    // E in place, M moved (out of sequence), D damaged (what could be read is shown),
    // I unreadable (no record could be read from the line).
    const std::string veredictos = "EMEDDDDIIIIIIIIIIEIEMD";
    const std::map<char, Veredicto> kLetras = {
        {'E', Veredicto::EnSitio}, {'M', Veredicto::Movido}, {'D', Veredicto::Danado}, {'I', Veredicto::Ilegible}};
    const std::vector<std::string> lineas = LineasGolden("origen/AI061201.TXT");
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
    // Written; in place, moved, damaged and unreadable.
    EXPECT_EQ(std::tuple(r.ficherosEscritos, r.enSitio, r.movidos, r.danados, r.ilegibles),
              std::tuple(5, 4 * 3 + 4, 2, 5, 11));
    EXPECT_TRUE(dialogos_.mensajes.empty());
    ASSERT_GE(pasos.size(), 2u);
    EXPECT_EQ(std::tuple(pasos.front().ficherosHechos, pasos.front().ficherosTotal), std::tuple(0, 5));
    EXPECT_EQ(std::tuple(pasos.back().ficherosHechos, pasos.back().registrosHechos), std::tuple(5, 4 * 3 + 22));
}

// Each fault stops its own file only, except a fault of the folders, which stops the run.
// (An output name taken by a folder or by another source, and a missing source folder,
// are run through tesedra-cli, in both languages.)
TEST_F(Registro, ReverseFaultsAreReportedAndTheOtherFilesAreStillWritten)
{
    // The destination given (in the case's folder, beside origen/, destino/ and a file),
    // whether origen/ holds an unreadable record file besides a sound one, the files
    // written, what the one message shown holds, and what destino/ holds afterwards.
    const std::tuple<const char*, bool, int, const char*, QStringList> casos[] = {
        {"fichero", false, 0, "/fichero", {}},
        {"destino", true, 1, "AI010101.TXT", {"AI020202.des"}},
        {"destino/../origen", false, 0, "Los directorios origen y destino no pueden coincidir", {}},
    };
    int i = 0;
    for (const auto& [dado, ilegible, escritos, mensaje, salidas] : casos) {
        SCOPED_TRACE(dado);
        const QString raiz = Ruta(QString::number(i++)), origen = raiz + "/origen", destino = raiz + "/destino";
        ASSERT_TRUE(QDir(raiz).mkpath(QStringLiteral("origen")) && QDir(raiz).mkpath(QStringLiteral("destino")));
        ASSERT_TRUE(EscribirFichero(raiz + "/fichero", "x"));
        ASSERT_TRUE(EscribirFichero(origen + "/AI020202.TXT", GoldenValidacion("origen/AI051201.txt")));
        std::optional<FicheroIlegible> sinLeer;
        if (ilegible)
            sinLeer.emplace(origen + "/AI010101.TXT");
        dialogos_.mensajes.clear();
        const ResultadoInversa r = EjecutarValidacionInversa(origen, raiz + "/" + dado);
        EXPECT_FALSE(r.Ok());
        EXPECT_EQ(r.ficherosEscritos, escritos);
        ASSERT_EQ(dialogos_.mensajes.size(), 1u);
        EXPECT_NE(dialogos_.mensajes[0].texto.find(mensaje), std::string::npos) << dialogos_.mensajes[0].texto;
        EXPECT_EQ(QDir(destino).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), salidas);
        for (const QString& n : salidas)
            EXPECT_EQ(LeerFichero(destino + "/" + n), GoldenValidacion("destino/AI051201.des"));
    }
}

} // namespace
