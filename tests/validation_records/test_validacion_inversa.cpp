// The reverse validation run over real folders: whole output files compared byte for byte.
#include "Ayudas.h"

#include "DialogosPrueba.h"
#include "base/Idiomas.h"
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

const QDate kDia(2001, 12, 5);
const std::string kRegistroIncorrecto = "--Registro incorrecto--;NOK";

class InversaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        ASSERT_TRUE(raiz.isValid());
        ASSERT_TRUE(QDir(raiz.path()).mkpath(QStringLiteral("origen")));
        ASSERT_TRUE(QDir(raiz.path()).mkpath(QStringLiteral("destino")));
        origen = raiz.filePath(QStringLiteral("origen"));
        destino = raiz.filePath(QStringLiteral("destino"));
    }

    QString EnOrigen(const QString& n) const { return QDir(origen).filePath(n); }
    QString EnDestino(const QString& n) const { return QDir(destino).filePath(n); }

    // Saves `cuantos` validations with the real writer; returns the record file's path.
    QString TresGuardados(int cuantos = 3)
    {
        QString ruta;
        for (int i = 1; i <= cuantos; ++i) {
            ValoresInstalacion v = ValoresConocidos(i);
            EXPECT_TRUE(GuardarValidacion(origen, v, &ruta, kDia));
        }
        return ruta;
    }

    std::vector<std::string> LineasDe(const QString& ruta)
    {
        std::vector<std::string> lineas;
        const std::string texto = Leer(ruta);
        size_t inicio = 0;
        while (inicio < texto.size()) {
            const size_t fin = texto.find("\r\n", inicio);
            lineas.push_back(texto.substr(inicio, fin - inicio));
            inicio = fin + 2;
        }
        return lineas;
    }

    QStringList EnDestino() const
    {
        return QDir(destino).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir raiz;
    QString origen, destino;
    DialogosPrueba dialogos;
};

TEST_F(InversaTest, ThreeSavesGiveThreeSoundLines)
{
    TresGuardados();
    std::vector<ProgresoInversa> pasos;
    const ResultadoInversa r =
        EjecutarValidacionInversa(origen, destino, [&](const ProgresoInversa& p) { pasos.push_back(p); });
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.ficherosEscritos, 1);
    EXPECT_EQ(r.enSitio, 3);
    EXPECT_EQ(r.movidos, 0);
    EXPECT_EQ(r.danados, 0);
    ASSERT_EQ(r.ficheros.size(), 1);
    EXPECT_EQ(r.ficheros[0].origen, EnOrigen(QStringLiteral("AI051201.txt")));
    EXPECT_EQ(r.ficheros[0].destino, EnDestino(QStringLiteral("AI051201.des")));
    EXPECT_TRUE(MismoContenido(Leer(EnDestino(QStringLiteral("AI051201.des"))),
              SalidaCompleta({SalidaEnSitio(ValoresConocidos(1), " 1"), SalidaEnSitio(ValoresConocidos(2), " 2"),
                              SalidaEnSitio(ValoresConocidos(3), " 3")})));
    EXPECT_EQ(EnDestino(), QStringList{QStringLiteral("AI051201.des")});
    EXPECT_TRUE(dialogos.mensajes.empty());

    ASSERT_GE(pasos.size(), 2u);
    EXPECT_EQ(pasos.front().ficherosHechos, 0);
    EXPECT_EQ(pasos.front().ficherosTotal, 1);
    EXPECT_EQ(pasos.back().ficherosHechos, 1);
    EXPECT_EQ(pasos.back().registrosHechos, 3);
}

TEST_F(InversaTest, DeletedFirstLineMovesEveryOtherLine)
{
    const QString ruta = TresGuardados();
    std::vector<std::string> lineas = LineasDe(ruta);
    ASSERT_EQ(lineas.size(), 3u);
    Escribir(ruta, lineas[1] + kFin + lineas[2] + kFin);
    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.movidos, 2);
    EXPECT_TRUE(MismoContenido(Leer(EnDestino(QStringLiteral("AI051201.des"))),
              SalidaCompleta({SalidaMovida(ValoresConocidos(2), " 2"), SalidaMovida(ValoresConocidos(3), " 3")})));
}

TEST_F(InversaTest, SwappedLinesAreBothOutOfSequence)
{
    const QString ruta = TresGuardados();
    std::vector<std::string> l = LineasDe(ruta);
    Escribir(ruta, l[1] + kFin + l[0] + kFin + l[2] + kFin);
    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.enSitio, 1);
    EXPECT_EQ(r.movidos, 2);
    EXPECT_TRUE(MismoContenido(Leer(EnDestino(QStringLiteral("AI051201.des"))),
              SalidaCompleta({SalidaMovida(ValoresConocidos(2), " 2"), SalidaMovida(ValoresConocidos(1), " 1"),
                              SalidaEnSitio(ValoresConocidos(3), " 3")})));
}

// Damaged lines of every kind among sound ones: none stops the run, every one is
// reported in its own output line, and the lines after them keep their numbers.
TEST_F(InversaTest, DamagedLinesNeverStopTheFile)
{
    const QString ruta = TresGuardados(2);
    std::vector<std::string> l = LineasDe(ruta);
    const ValoresInstalacion v4 = ValoresConocidos(4);
    const LineaRegistro r7 = SellarRegistro(ValoresConocidos(7), " 7");
    std::string alterada = r7.linea;
    CambiarCifra(alterada, alterada.find('#') + 65 + 10);  // E2 altered, line digest left

    const std::string contenido = l[0] + kFin          // 1 sound
                                  + "" + kFin          // 2 empty
                                  + "sin punto y coma" + kFin  // 3 no ';'
                                  + l[1] + kFin        // 4 record " 2", moved
                                  + "ABC;DEF" + kFin   // 5 no '#'
                                  + SellarRegistro(v4, " 6").linea + kFin  // 6 sound
                                  + alterada;          // 7 short record, last line without CR LF
    Escribir(ruta, contenido);

    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.enSitio, 2);
    EXPECT_EQ(r.movidos, 1);
    EXPECT_EQ(r.danados, 4);
    EXPECT_TRUE(MismoContenido(Leer(EnDestino(QStringLiteral("AI051201.des"))),
              SalidaCompleta({
                  SalidaEnSitio(ValoresConocidos(1), " 1"),
                  kRegistroIncorrecto,
                  kRegistroIncorrecto,
                  SalidaMovida(ValoresConocidos(2), " 2"),
                  "\xBF\xBF\xBF-- Registro incorrecto --;NOK???;NOK",
                  SalidaEnSitio(v4, " 6"),
                  ValoresConocidos(7).telefono + ";" + Resumen(S1(ValoresConocidos(7), " 7")) + ";OK",
              })));
}

TEST_F(InversaTest, LineNumbersGoPast16Bits)
{
    // 32 769 lines that are no records, then a sound record numbered 32 770.
    const ValoresInstalacion v = ValoresConocidos();
    std::string contenido;
    for (int i = 0; i < 32769; ++i)
        contenido += "x\r\n";
    contenido += SellarRegistro(v, " 32770").linea + kFin;
    Escribir(EnOrigen(QStringLiteral("AI010101.TXT")), contenido);

    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.danados, 32769);
    EXPECT_EQ(r.enSitio, 1);
    std::vector<std::string> esperadas(32769, kRegistroIncorrecto);
    esperadas.push_back(SalidaEnSitio(v, " 32770"));
    EXPECT_TRUE(MismoContenido(Leer(EnDestino(QStringLiteral("AI010101.des"))), SalidaCompleta(esperadas)));
}

TEST_F(InversaTest, FileNamesMatchInAnyLetterCaseAndAreSortedByName)
{
    const ValoresInstalacion v = ValoresConocidos();
    const std::string registro = SellarRegistro(v, " 1").linea + kFin;
    for (const char* nombre : {"ai020202.txt", "AI010101.TXT", "Ai030303.Txt", "AX010101.TXT", "AI010101.csv",
                               "notas.txt", "AI040404.TXT.bak"})
        Escribir(EnOrigen(QString::fromLatin1(nombre)), registro);
    ASSERT_TRUE(QDir(origen).mkdir(QStringLiteral("AI999999.TXT")));  // a folder is no record file

    EXPECT_EQ(FicherosRegistro(origen),
              (QStringList{QStringLiteral("AI010101.TXT"), QStringLiteral("Ai030303.Txt"),
                           QStringLiteral("ai020202.txt")}));

    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.ficherosEscritos, 3);
    EXPECT_EQ(EnDestino(), (QStringList{QStringLiteral("AI010101.des"), QStringLiteral("Ai030303.des"),
                                        QStringLiteral("ai020202.des")}));
    for (const QString& n : EnDestino())
        EXPECT_TRUE(MismoContenido(Leer(EnDestino(n)), SalidaCompleta({SalidaEnSitio(v, " 1")}))) << n.toStdString();
}

TEST(NombreSalida, CutAtTheFirstDot)
{
    EXPECT_EQ(NombreSalida(QStringLiteral("AI051201.TXT")), QStringLiteral("AI051201.des"));
    EXPECT_EQ(NombreSalida(QStringLiteral("ai051201.txt")), QStringLiteral("ai051201.des"));
    EXPECT_EQ(NombreSalida(QStringLiteral("AI05.12.01.TXT")), QStringLiteral("AI05.des"));
}

TEST_F(InversaTest, FolderWithoutRecordFiles)
{
    Escribir(EnOrigen(QStringLiteral("otro.txt")), "nada\r\n");
    int llamadas = 0;
    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino, [&](const ProgresoInversa& p) {
        ++llamadas;
        EXPECT_EQ(p.ficherosTotal, 0);
    });
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.ficherosEscritos, 0);
    EXPECT_TRUE(r.ficheros.isEmpty());
    EXPECT_TRUE(EnDestino().isEmpty());
    EXPECT_EQ(llamadas, 1);
    EXPECT_TRUE(dialogos.mensajes.empty());
}

TEST_F(InversaTest, RunningTwiceReplacesTheOutput)
{
    TresGuardados(1);
    Escribir(EnDestino(QStringLiteral("AI051201.des")), std::string(100000, 'z'));
    ASSERT_TRUE(EjecutarValidacionInversa(origen, destino).ok());
    ASSERT_TRUE(EjecutarValidacionInversa(origen, destino).ok());
    EXPECT_TRUE(MismoContenido(Leer(EnDestino(QStringLiteral("AI051201.des"))), SalidaCompleta({SalidaEnSitio(ValoresConocidos(1), " 1")})));
    EXPECT_EQ(EnDestino(), QStringList{QStringLiteral("AI051201.des")});
}

TEST_F(InversaTest, DestinationThatIsAFileStopsTheRunWithAMessage)
{
    TresGuardados(1);
    const QString fichero = raiz.filePath(QStringLiteral("un-fichero"));
    Escribir(fichero, "ocupado");
    const ResultadoInversa r = EjecutarValidacionInversa(origen, fichero);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.carpetasIguales);
    EXPECT_TRUE(r.error.contains(fichero)) << r.error.toStdString();
    EXPECT_EQ(r.ficherosEscritos, 0);
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_NE(dialogos.mensajes[0].texto.find(fichero.toStdString()), std::string::npos);
    EXPECT_TRUE(MismoContenido(Leer(fichero), "ocupado"));
}

TEST_F(InversaTest, OutputNameTakenByAFolderFailsThatFileOnly)
{
    const std::string registro = SellarRegistro(ValoresConocidos(), " 1").linea + kFin;
    Escribir(EnOrigen(QStringLiteral("AI010101.TXT")), registro);
    Escribir(EnOrigen(QStringLiteral("AI020202.TXT")), registro);
    ASSERT_TRUE(QDir(destino).mkdir(QStringLiteral("AI010101.des")));

    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.isEmpty());
    ASSERT_EQ(r.ficheros.size(), 2);
    EXPECT_TRUE(r.ficheros[0].error.contains(EnDestino(QStringLiteral("AI010101.des"))))
        << r.ficheros[0].error.toStdString();
    EXPECT_TRUE(r.ficheros[1].error.isEmpty());
    EXPECT_EQ(r.ficherosEscritos, 1);
    // The following file was still written, and no temporary file was left behind.
    EXPECT_TRUE(MismoContenido(Leer(EnDestino(QStringLiteral("AI020202.des"))), SalidaCompleta({SalidaEnSitio(ValoresConocidos(), " 1")})));
    EXPECT_EQ(EnDestino(), (QStringList{QStringLiteral("AI010101.des"), QStringLiteral("AI020202.des")}));
    EXPECT_TRUE(QFileInfo(EnDestino(QStringLiteral("AI010101.des"))).isDir());
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_EQ(dialogos.mensajes[0].texto.rfind("Error escribiendo en fichero: ", 0), 0u);
}

TEST_F(InversaTest, UnreadableSourceIsReportedAndTheOthersAreDone)
{
    const std::string registro = SellarRegistro(ValoresConocidos(), " 1").linea + kFin;
    ASSERT_TRUE(QFile::link(raiz.filePath(QStringLiteral("no-existe")), EnOrigen(QStringLiteral("AI010101.TXT"))));
    Escribir(EnOrigen(QStringLiteral("AI020202.TXT")), registro);

    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino);
    EXPECT_FALSE(r.ok());
    ASSERT_EQ(r.ficheros.size(), 2);
    EXPECT_TRUE(r.ficheros[0].error.contains(EnOrigen(QStringLiteral("AI010101.TXT"))));
    EXPECT_TRUE(r.ficheros[1].error.isEmpty());
    EXPECT_EQ(EnDestino(), QStringList{QStringLiteral("AI020202.des")});
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_NE(dialogos.mensajes[0].texto.find("AI010101.TXT"), std::string::npos);
}

TEST_F(InversaTest, TwoSourcesWithOneOutputNameDoNotOverwriteEachOther)
{
    Escribir(EnOrigen(QStringLiteral("AI01.a.TXT")), SellarRegistro(ValoresConocidos(1), " 1").linea + kFin);
    Escribir(EnOrigen(QStringLiteral("AI01.b.TXT")), SellarRegistro(ValoresConocidos(2), " 1").linea + kFin);
    const ResultadoInversa r = EjecutarValidacionInversa(origen, destino);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.ficherosEscritos, 1);
    ASSERT_EQ(r.ficheros.size(), 2);
    EXPECT_FALSE(r.ficheros[1].error.isEmpty());
    EXPECT_TRUE(MismoContenido(Leer(EnDestino(QStringLiteral("AI01.des"))), SalidaCompleta({SalidaEnSitio(ValoresConocidos(1), " 1")})));
}

TEST_F(InversaTest, EqualFoldersAreRefused)
{
    TresGuardados(1);
    for (const QString& otro : {origen, origen + QStringLiteral("/."), raiz.filePath(QStringLiteral("destino/../origen"))}) {
        dialogos.mensajes.clear();
        const ResultadoInversa r = EjecutarValidacionInversa(origen, otro);
        EXPECT_TRUE(r.carpetasIguales) << otro.toStdString();
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.ficheros.isEmpty());
        ASSERT_EQ(dialogos.mensajes.size(), 1u);
        EXPECT_EQ(dialogos.mensajes[0].texto, "Los directorios origen y destino no pueden coincidir");
        EXPECT_EQ(dialogos.mensajes[0].icono, IconoMensaje::Informacion);
    }
    EXPECT_FALSE(QFileInfo::exists(EnOrigen(QStringLiteral("AI051201.des"))));
}

TEST_F(InversaTest, MissingSourceFolderIsNamed)
{
    const QString falta = raiz.filePath(QStringLiteral("no-existe"));
    const ResultadoInversa r = EjecutarValidacionInversa(falta, destino);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.carpetasIguales);
    EXPECT_TRUE(r.error.contains(falta));
    ASSERT_EQ(dialogos.mensajes.size(), 1u);
    EXPECT_NE(dialogos.mensajes[0].texto.find(falta.toStdString()), std::string::npos);
    EXPECT_TRUE(EnDestino().isEmpty());
}

} // namespace
