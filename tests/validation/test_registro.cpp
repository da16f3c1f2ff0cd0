// The day's record file and its reverse validation: the record writer, the verdict on
// each kind of altered line, and whole folders turned into output files compared byte
// for byte with tests/validation/golden/ (origen/ the record files, destino/ their
// outputs; golden/README.md tells what each line of origen/AI061201.TXT is).
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"
#include "validation/ValoresInstalacion.h"

#include "DialogosPrueba.h"
#include "Esperar.h"
#include "Ficheros.h"
#include "Programas.h"

#include "base/Idiomas.h"
#include "console/Tiempos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <openssl/sha.h>

#include <csignal>
#include <map>
#include <optional>

#include <sys/resource.h>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

const QDate kDia(2001, 12, 5);

// Every field holds its own name, Spanish letters and `i`: golden/origen/AI051201.txt
// holds the records of Valores(1), (2) and (3).
ValoresInstalacion Valores(int i)
{
    ValoresInstalacion v;
    for (const auto& c : kCamposValores)
        v.*c.miembro = std::string(c.nombre) + " a\xF1o " + std::to_string(i);
    v.numeroRegistro.clear();
    return v;
}

std::string GoldenValidacion(const std::string& nombre)
{
    return Golden("tests/validation/golden/" + nombre);
}

class Registro : public ::testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        ASSERT_TRUE(dir_.isValid());
    }
    QString Ruta(const QString& nombre) const { return dir_.filePath(nombre); }

    QTemporaryDir dir_;
    DialogosPrueba dialogos_;
};

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

// A write that comes up short (here: the process's file size limit) leaves the file as
// it was, or no file at all; a missing folder or a folder in place of the file fail too.
TEST_F(Registro, FailedSaveIsReportedAndLeavesTheFileAsItWas)
{
    const QString dia = Ruta(QStringLiteral("AI051201.txt"));
    for (const std::optional<std::string>& previo :
         {std::optional<std::string>("uno\r\ndos\r\n"), std::optional<std::string>()}) {
        QFile::remove(dia);
        if (previo) {
            ASSERT_TRUE(EscribirFichero(dia, *previo));
        }
        rlimit antes{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &antes), 0);
        const auto senal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limite = antes;
        limite.rlim_cur = previo.value_or("").size() + 40; // room for a part of the line only
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limite), 0);
        ValoresInstalacion v = Valores(1);
        const bool guardado = GuardarValidacion(dir_.path(), v, nullptr, kDia);
        ::setrlimit(RLIMIT_FSIZE, &antes);
        std::signal(SIGXFSZ, senal);
        EXPECT_FALSE(guardado);
        EXPECT_EQ(QFileInfo::exists(dia), previo.has_value());
        EXPECT_EQ(previo ? LeerFichero(dia) : std::string(), previo.value_or(""));
    }
    ValoresInstalacion v = Valores(1);
    EXPECT_FALSE(GuardarValidacion(Ruta(QStringLiteral("no/existe")), v, nullptr, kDia));
    EXPECT_FALSE(QFileInfo::exists(Ruta(QStringLiteral("no"))));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("AI051201.txt")));
    EXPECT_FALSE(GuardarValidacion(dir_.path(), v, nullptr, kDia));

    const std::string prefijo = "Error grabando datos de validaci\xF3n: ";
    ASSERT_EQ(dialogos_.mensajes.size(), 4u);
    for (const auto& m : dialogos_.mensajes) {
        EXPECT_EQ(m.texto.rfind(prefijo, 0), 0u) << m.texto;
        EXPECT_GT(m.texto.size(), prefijo.size()) << "the reason is missing";
        EXPECT_EQ(m.icono, IconoMensaje::Aviso);
    }
}

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

// The lines of a golden record file (golden/origen/AI061201.TXT by default), split at
// CR LF; after a last line end comes an empty piece.
std::vector<std::string> LineasAlteradas(const std::string& nombre = "origen/AI061201.TXT")
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

TEST(ValidarLinea, EachAlteredLineGetsItsVerdict)
{
    // One letter per line of origen/AI061201.TXT, whose lines golden/README.md describes:
    // E in place, M moved (out of sequence), D damaged.
    const std::string veredictos = "EMEDDDDDDDDDDDDDDEDEMD";
    const std::map<char, Veredicto> kLetras = {
        {'E', Veredicto::EnSitio}, {'M', Veredicto::Movido}, {'D', Veredicto::Danado}};
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
    const std::vector<std::string> sanas = LineasAlteradas("origen/AI051201.txt");
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
    EXPECT_EQ(r.danados, 16);
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
    using Preparar = QString (*)(const QString& origen, const QString& destino, const QString& raiz);
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
         [](const QString& o, const QString& d, const QString& raiz) {
             QFile::link(raiz + QStringLiteral("/no-existe"), o + QStringLiteral("/AI010101.TXT"));
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
