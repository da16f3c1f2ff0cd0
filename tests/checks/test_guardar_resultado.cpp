// Saving a check result: the file writer and the saving sequence of the result windows.
#include "base/GuardarResultado.h"
#include "base/Idiomas.h"

#include "DialogosPrueba.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tesedra;

namespace {

QByteArray Leer(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

class GuardarResultadoTest : public testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        CargarTextosControles(kIdiomaEspanol);
        ASSERT_TRUE(dir.isValid());
    }
    QTemporaryDir dir;
    DialogosPrueba dialogosPrueba;
};

TEST_F(GuardarResultadoTest, EscribeElTextoYUnCRLFYReemplaza)
{
    const QString ruta = dir.filePath("res.txt");
    const std::string texto = "System Version:\t1.2\r\n\r\nL\xEDnea\tfin";
    ASSERT_TRUE(GuardarResultado(texto, ruta));
    EXPECT_EQ(Leer(ruta), QByteArray::fromStdString(texto + "\r\n"));

    ASSERT_TRUE(GuardarResultado("corto", ruta));
    EXPECT_EQ(Leer(ruta), QByteArray("corto\r\n"));
    EXPECT_TRUE(dialogosPrueba.mensajes.empty());
}

TEST_F(GuardarResultadoTest, ResultadoVacioDejaSoloElCRLF)
{
    const QString ruta = dir.filePath("vacio.txt");
    ASSERT_TRUE(GuardarResultado("", ruta));
    EXPECT_EQ(Leer(ruta), QByteArray("\r\n"));
}

TEST_F(GuardarResultadoTest, FalloDeEscrituraMuestraElMensajeConElMotivo)
{
    const QString ruta = dir.filePath("no/existe/res.txt");
    EXPECT_FALSE(GuardarResultado("x", ruta));
    ASSERT_EQ(dialogosPrueba.mensajes.size(), 1u);
    const auto& m = dialogosPrueba.mensajes[0];
    EXPECT_EQ(m.titulo, "Error");
    EXPECT_EQ(m.icono, IconoMensaje::Aviso);
    const std::string prefijo = mensajes().msgErrEscFichero + ": ";
    ASSERT_GT(m.texto.size(), prefijo.size());
    EXPECT_EQ(m.texto.substr(0, prefijo.size()), prefijo);
    EXPECT_FALSE(QFile::exists(ruta));
}

TEST_F(GuardarResultadoTest, FalloNoEstropeaElFicheroAnterior)
{
    // A folder in place of the file: nothing can be written there.
    const QString ruta = dir.filePath("carpeta");
    ASSERT_TRUE(QDir(dir.path()).mkdir("carpeta"));
    EXPECT_FALSE(GuardarResultado("x", ruta));
    EXPECT_EQ(dialogosPrueba.mensajes.size(), 1u);
    EXPECT_TRUE(QFileInfo(ruta).isDir());
}

TEST_F(GuardarResultadoTest, SalvarUsaElDialogoDesdeLaCarpetaDelPrograma)
{
    const QString ruta = dir.filePath("elegido.txt");
    dialogosPrueba.respuestasGuardar.push_back(ruta);
    SalvarResultado("uno\r\ndos");
    ASSERT_EQ(dialogosPrueba.carpetasIniciales.size(), 1u);
    EXPECT_EQ(dialogosPrueba.carpetasIniciales[0], QCoreApplication::applicationDirPath());
    EXPECT_EQ(Leer(ruta), QByteArray("uno\r\ndos\r\n"));
}

TEST_F(GuardarResultadoTest, SalvarCanceladoNoEscribeNiAvisa)
{
    SalvarResultado("texto");
    EXPECT_EQ(dialogosPrueba.carpetasIniciales.size(), 1u);
    EXPECT_TRUE(dialogosPrueba.mensajes.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
