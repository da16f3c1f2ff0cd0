// tesedra-cli reverse, run as a separate process over real folders.
#include "Ayudas.h"

#include "DialogosPrueba.h"
#include "validation/FicheroRegistro.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

struct Salida {
    int codigo = -1;
    std::string out, err;
};

Salida Ejecutar(const QStringList& argumentos)
{
    QProcess p;
    p.start(QStringLiteral(TESEDRA_BINARY_DIR "/bin/tesedra-cli"), QStringList{QStringLiteral("reverse")} + argumentos);
    Salida s;
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000)) {
        ADD_FAILURE() << "tesedra-cli did not run: " << p.errorString().toStdString();
        p.kill();
        p.waitForFinished();
        return s;
    }
    s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.out = p.readAllStandardOutput().toStdString();
    s.err = p.readAllStandardError().toStdString();
    return s;
}

class CliReverseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(raiz.isValid());
        QDir(raiz.path()).mkpath(QStringLiteral("origen"));
        QDir(raiz.path()).mkpath(QStringLiteral("destino"));
        origen = raiz.filePath(QStringLiteral("origen"));
        destino = raiz.filePath(QStringLiteral("destino"));
    }
    QTemporaryDir raiz;
    QString origen, destino;
    DialogosPrueba dialogos;
};

TEST_F(CliReverseTest, WritesTheOutputAndSummarises)
{
    for (int i = 1; i <= 2; ++i) {
        ValoresInstalacion v = ValoresConocidos(i);
        ASSERT_TRUE(GuardarValidacion(origen, v, nullptr, QDate(2001, 12, 5)));
    }
    Escribir(QDir(origen).filePath(QStringLiteral("AI061201.TXT")), "roto\r\n");

    const Salida s = Ejecutar({origen, destino});
    EXPECT_EQ(s.codigo, 0) << s.err;
    EXPECT_EQ(s.out,
              "AI051201.txt -> AI051201.des: 2 records, 2 in place, 0 moved, 0 damaged\n"
              "AI061201.TXT -> AI061201.des: 1 records, 0 in place, 0 moved, 1 damaged\n"
              "Total: 2 of 2 files written, 3 records, 2 in place, 0 moved, 1 damaged\n");
    // Standard error is no terminal here: no progress bar.
    EXPECT_EQ(s.err, "");
    EXPECT_TRUE(MismoContenido(Leer(QDir(destino).filePath(QStringLiteral("AI051201.des"))),
              SalidaCompleta({SalidaEnSitio(ValoresConocidos(1), " 1"), SalidaEnSitio(ValoresConocidos(2), " 2")})));
    EXPECT_TRUE(MismoContenido(Leer(QDir(destino).filePath(QStringLiteral("AI061201.des"))),
              SalidaCompleta({"--Registro incorrecto--;NOK"})));
}

TEST_F(CliReverseTest, EmptyFolderIsNoError)
{
    const Salida s = Ejecutar({origen, destino});
    EXPECT_EQ(s.codigo, 0) << s.err;
    EXPECT_NE(s.out.find("No record files"), std::string::npos) << s.out;
    EXPECT_NE(s.out.find("Total: 0 of 0 files written"), std::string::npos) << s.out;
}

TEST_F(CliReverseTest, EqualFoldersExitTwoWithTheMessage)
{
    const Salida s = Ejecutar({origen, origen + QStringLiteral("/../origen")});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_NE(s.err.find("Los directorios origen y destino no pueden coincidir"), std::string::npos) << s.err;
    EXPECT_EQ(s.out, "");
}

TEST_F(CliReverseTest, MissingFolderIsNamed)
{
    const QString falta = raiz.filePath(QStringLiteral("falta"));
    Salida s = Ejecutar({falta, destino});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find(falta.toStdString()), std::string::npos) << s.err;

    s = Ejecutar({origen, falta});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find(falta.toStdString()), std::string::npos) << s.err;
    EXPECT_FALSE(QFileInfo::exists(falta));
}

TEST_F(CliReverseTest, OutputThatCannotBeWrittenFailsWithThePath)
{
    Escribir(QDir(origen).filePath(QStringLiteral("AI010101.TXT")), "x\r\n");
    QDir(destino).mkdir(QStringLiteral("AI010101.des"));
    const Salida s = Ejecutar({origen, destino});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_NE(s.err.find(QDir(destino).filePath(QStringLiteral("AI010101.des")).toStdString()), std::string::npos)
        << s.err;
    EXPECT_NE(s.out.find("AI010101.TXT: not written"), std::string::npos) << s.out;
    EXPECT_EQ(QDir(destino).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("AI010101.des")});
}

TEST_F(CliReverseTest, UsageAndHelp)
{
    Salida s = Ejecutar({QStringLiteral("--help")});
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.out.rfind("Usage: tesedra-cli reverse [options] SOURCE_DIR DEST_DIR\n", 0), 0u) << s.out;
    EXPECT_NE(s.out.find("DEST_DIR"), std::string::npos) << s.out;

    s = Ejecutar({origen});
    EXPECT_EQ(s.codigo, 2);
    EXPECT_NE(s.err.find("SOURCE_DIR"), std::string::npos) << s.err;

    s = Ejecutar({QStringLiteral("--no-such-option"), origen, destino});
    EXPECT_EQ(s.codigo, 2);
}

} // namespace
