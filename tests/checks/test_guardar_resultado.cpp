// Saving a check result: the file writer and the saving sequence of the result windows.
#include "base/GuardarResultado.h"
#include "base/Idiomas.h"

#include "DialogosPrueba.h"
#include "Ficheros.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace tesedra;
using tesedra::prueba::LeerFichero;

namespace {

class Guardar : public testing::Test {
protected:
    void SetUp() override
    {
        CargarMensajes(kIdiomaEspanol);
        CargarTextosControles(kIdiomaEspanol);
        ASSERT_TRUE(dir_.isValid());
    }
    QTemporaryDir dir_;
    DialogosPrueba dialogos_;
};

TEST_F(Guardar, WritesTheTextAndOneCrLfReplacingTheFile)
{
    const QString ruta = dir_.filePath("res.txt");
    const std::string texto = "System Version:\t1.2\r\n\r\nL\xEDnea\tfin";
    ASSERT_TRUE(GuardarResultado(texto, ruta));
    EXPECT_EQ(LeerFichero(ruta), texto + "\r\n");
    ASSERT_TRUE(GuardarResultado("", ruta));
    EXPECT_EQ(LeerFichero(ruta), "\r\n");
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(Guardar, FailureShowsTheMessageWithTheReason)
{
    // Missing folders, and a folder where the file should be.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("carpeta"));
    for (const char* nombre : {"no/existe/res.txt", "carpeta"}) {
        SCOPED_TRACE(nombre);
        dialogos_.mensajes.clear();
        EXPECT_FALSE(GuardarResultado("x", dir_.filePath(nombre)));
        ASSERT_EQ(dialogos_.mensajes.size(), 1u);
        const auto& m = dialogos_.mensajes[0];
        EXPECT_EQ(m.titulo, "Error");
        const std::string prefijo = mensajes().msgErrEscFichero + ": ";
        EXPECT_EQ(m.texto.rfind(prefijo, 0), 0u) << m.texto;
        EXPECT_GT(m.texto.size(), prefijo.size());
    }
    EXPECT_TRUE(QFileInfo(dir_.filePath("carpeta")).isDir());
}

TEST_F(Guardar, SavingAsksFromTheProgramFolderAndACancelWritesNothing)
{
    dialogos_.respuestasGuardar.push_back(dir_.filePath("elegido.txt"));
    SalvarResultado("uno\r\ndos");
    SalvarResultado("cancelado");
    ASSERT_EQ(dialogos_.carpetasIniciales.size(), 2u);
    EXPECT_EQ(dialogos_.carpetasIniciales[0], QCoreApplication::applicationDirPath());
    EXPECT_EQ(LeerFichero(dir_.filePath("elegido.txt")), "uno\r\ndos\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"elegido.txt"});
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

} // namespace
