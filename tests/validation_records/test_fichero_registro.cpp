// The day's record file: record texts, the record line, line counting and the save.
#include "Ayudas.h"

#include "DialogosPrueba.h"
#include "base/Idiomas.h"
#include "validation/FicheroRegistro.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>

#ifndef _WIN32
#include <sys/resource.h>
#endif

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

const QDate kDia(2001, 12, 5);

class FicheroRegistroTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        ASSERT_TRUE(dir.isValid());
    }
    QString Ruta(const QString& nombre) const { return dir.filePath(nombre); }

    QTemporaryDir dir;
    DialogosPrueba dialogos;
};

TEST(NombresFichero, DayFileNameAndPath)
{
    EXPECT_EQ(NombreFicheroDia(kDia), QStringLiteral("AI051201.txt"));
    EXPECT_EQ(NombreFicheroDia(QDate(2024, 1, 31)), QStringLiteral("AI310124.txt"));
    EXPECT_EQ(RutaFicheroDia(QStringLiteral("/srv/val"), kDia), QStringLiteral("/srv/val/AI051201.txt"));
    EXPECT_EQ(RutaFicheroDia(QStringLiteral("/srv/val/"), kDia), QStringLiteral("/srv/val/AI051201.txt"));
    // An empty folder is the root folder.
    EXPECT_EQ(RutaFicheroDia(QString(), kDia), QStringLiteral("/AI051201.txt"));
}

TEST(TextosRegistro, NumberTextHasTheSignBlankAndNoWidthLimit)
{
    EXPECT_EQ(TextoNumeroRegistro(1), " 1");
    EXPECT_EQ(TextoNumeroRegistro(10), " 10");
    EXPECT_EQ(TextoNumeroRegistro(32768), " 32768");
    EXPECT_EQ(TextoNumeroRegistro(5000000000LL), " 5000000000");
}

TEST(TextosRegistro, ShortAndFullTextsFollowTheRecordOrder)
{
    ValoresInstalacion v;
    // Each field holds its own name, so a misplaced field shows at once.
    for (const auto& c : kCamposValores)
        v.*c.miembro = c.nombre;
    v.numeroRegistro = " 7";
    EXPECT_EQ(TextoCorto(v), " 7;telefono");
    EXPECT_EQ(TextoCompleto(v),
              " 7;telefono;tipoModem;versionSW;mac;ipLan;mascaraLan;ipWan;ipRemota;usuarioARC;downStream;"
              "dhcpInicio;dhcpFin;fecha;modalidadServicio;upStream;margenRuidoBajada;margenRuidoSubida;"
              "atenuacionBajada;atenuacionSubida;veredictoVelocidad;veredictoRuido;veredictoAtenuacion");

    // Empty fields keep their places.
    ValoresInstalacion vacio;
    vacio.numeroRegistro = " 1";
    EXPECT_EQ(TextoCompleto(vacio), " 1" + std::string(22, ';'));
    EXPECT_EQ(TextoCorto(vacio), " 1;");
}

TEST_F(FicheroRegistroTest, RecordLineIsBothSealedTextsAndTheirDigest)
{
    ValoresInstalacion v = ValoresConocidos();
    v.numeroRegistro = " 3";
    std::string linea;
    ASSERT_TRUE(ComponerRegistro(v, linea));
    const LineaRegistro esperada = SellarRegistro(v, " 3");
    EXPECT_EQ(linea, esperada.linea);

    // The layout the reader relies on: E2 begins 65 characters after the first '#'.
    const size_t almohadilla = linea.find('#');
    ASSERT_NE(almohadilla, std::string::npos);
    EXPECT_EQ(linea.substr(0, almohadilla + 65), esperada.e1);
    EXPECT_EQ(linea.substr(almohadilla + 65, esperada.e2.size()), esperada.e2);
    EXPECT_EQ(linea.size(), esperada.e1.size() + esperada.e2.size() + 1 + 64);
    EXPECT_EQ(linea.find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(dialogos.mensajes.empty());
}

struct CasoLineas {
    const char* nombre;
    std::string contenido;
    int64_t lineas;
};

TEST_F(FicheroRegistroTest, CountsLinesLikeTheReader)
{
    const std::vector<CasoLineas> casos = {
        {"empty", "", 0},
        {"one", "a\r\n", 1},
        {"last without line end", "a\r\nb", 2},
        {"only a line end", "\r\n", 1},
        {"empty line inside", "a\r\n\r\nb\r\n", 3},
        {"bare LF", "a\nb\n", 2},
        {"no line end at all", "abc", 1},
    };
    for (const auto& c : casos) {
        const QString ruta = Ruta(QStringLiteral("cuenta.txt"));
        Escribir(ruta, c.contenido);
        EXPECT_EQ(ContarLineas(ruta), c.lineas) << c.nombre;
    }
    EXPECT_EQ(ContarLineas(Ruta(QStringLiteral("no-existe.txt"))), 0);
    // A folder is not a record file.
    EXPECT_EQ(ContarLineas(dir.path()), 0);
}

TEST_F(FicheroRegistroTest, ExistenceIsForFilesOnly)
{
    const QString fichero = Ruta(QStringLiteral("f.txt"));
    Escribir(fichero, "x");
    EXPECT_TRUE(ExisteFichero(fichero));
    EXPECT_FALSE(ExisteFichero(dir.path()));
    EXPECT_FALSE(ExisteFichero(Ruta(QStringLiteral("otro.txt"))));
    EXPECT_FALSE(ExisteFichero(QString()));
}

TEST_F(FicheroRegistroTest, ThreeSavesAppendNumberedLines)
{
    std::string esperado;
    for (int i = 1; i <= 3; ++i) {
        ValoresInstalacion v = ValoresConocidos(i);
        QString ruta;
        ASSERT_TRUE(GuardarValidacion(dir.path(), v, &ruta, kDia));
        EXPECT_EQ(ruta, Ruta(QStringLiteral("AI051201.txt")));
        EXPECT_EQ(v.numeroRegistro, " " + std::to_string(i));
        esperado += SellarRegistro(ValoresConocidos(i), " " + std::to_string(i)).linea + kFin;
        EXPECT_TRUE(MismoContenido(Leer(ruta), esperado)) << "after save " << i;
    }
    EXPECT_TRUE(dialogos.mensajes.empty());
}

TEST_F(FicheroRegistroTest, NinthLineIsFollowedByTen)
{
    const QString ruta = Ruta(QStringLiteral("AI051201.txt"));
    std::string previo;
    for (int i = 0; i < 9; ++i)
        previo += "linea " + std::to_string(i) + kFin;
    Escribir(ruta, previo);
    ValoresInstalacion v = ValoresConocidos();
    ASSERT_TRUE(GuardarValidacion(dir.path(), v, nullptr, kDia));
    EXPECT_EQ(v.numeroRegistro, " 10");
    // The old lines stay as they were; the new one follows them.
    EXPECT_TRUE(MismoContenido(Leer(ruta), previo + SellarRegistro(ValoresConocidos(), " 10").linea + kFin));
}

TEST_F(FicheroRegistroTest, EmptyLinesCountAndNumbersGoPast16Bits)
{
    const QString ruta = Ruta(QStringLiteral("AI051201.txt"));
    const std::string previo = std::string(40000, '\n');
    Escribir(ruta, previo);
    ValoresInstalacion v = ValoresConocidos();
    ASSERT_TRUE(GuardarValidacion(dir.path(), v, nullptr, kDia));
    EXPECT_EQ(v.numeroRegistro, " 40001");
    EXPECT_TRUE(MismoContenido(Leer(ruta), previo + SellarRegistro(ValoresConocidos(), " 40001").linea + kFin));
}

TEST_F(FicheroRegistroTest, LastLineCutShortKeepsItsOwnLine)
{
    const QString ruta = Ruta(QStringLiteral("AI051201.txt"));
    Escribir(ruta, "uno\r\ndos");
    ValoresInstalacion v = ValoresConocidos();
    ASSERT_TRUE(GuardarValidacion(dir.path(), v, nullptr, kDia));
    EXPECT_EQ(v.numeroRegistro, " 3");
    EXPECT_TRUE(MismoContenido(Leer(ruta), "uno\r\ndos\r\n" + SellarRegistro(ValoresConocidos(), " 3").linea + kFin));
}

TEST_F(FicheroRegistroTest, MissingFolderIsReportedAndNothingIsCreated)
{
    const QString carpeta = Ruta(QStringLiteral("no/existe"));
    ValoresInstalacion v = ValoresConocidos();
    EXPECT_FALSE(GuardarValidacion(carpeta, v, nullptr, kDia));
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    const std::string prefijo = "Error grabando datos de validaci\xF3" "n: ";
    EXPECT_EQ(dialogos.mensajes[0].titulo, "Error");
    EXPECT_EQ(dialogos.mensajes[0].icono, IconoMensaje::Aviso);
    ASSERT_GT(dialogos.mensajes[0].texto.size(), prefijo.size()) << "the reason is missing";
    EXPECT_EQ(dialogos.mensajes[0].texto.substr(0, prefijo.size()), prefijo);
    EXPECT_FALSE(QFileInfo::exists(carpeta));
}

TEST_F(FicheroRegistroTest, DayFileThatIsAFolderIsReported)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("AI051201.txt")));
    ValoresInstalacion v = ValoresConocidos();
    EXPECT_FALSE(GuardarValidacion(dir.path(), v, nullptr, kDia));
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_EQ(dialogos.mensajes[0].texto.rfind("Error grabando datos de validaci\xF3" "n: ", 0), 0u);
    EXPECT_TRUE(QFileInfo(Ruta(QStringLiteral("AI051201.txt"))).isDir());
}

#ifndef _WIN32
// A write that comes up short (here: the process's file size limit) must leave the
// file exactly as it was, with no partial line, and be reported.
TEST_F(FicheroRegistroTest, ShortWriteLeavesNoPartialLine)
{
    const QString ruta = Ruta(QStringLiteral("AI051201.txt"));
    const std::string previo = "primera\r\nsegunda\r\n";
    Escribir(ruta, previo);

    struct rlimit antes {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &antes), 0);
    const auto senal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = antes;
    limite.rlim_cur = previo.size() + 40;  // room for a part of the line only
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limite), 0);

    ValoresInstalacion v = ValoresConocidos();
    const bool guardado = GuardarValidacion(dir.path(), v, nullptr, kDia);

    ::setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);

    EXPECT_FALSE(guardado);
    EXPECT_TRUE(MismoContenido(Leer(ruta), previo));
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_EQ(dialogos.mensajes[0].texto.rfind("Error grabando datos de validaci\xF3" "n: ", 0), 0u);
    EXPECT_GT(dialogos.mensajes[0].texto.size(), std::string("Error grabando datos de validaci\xF3" "n: ").size());
}
#endif

} // namespace
