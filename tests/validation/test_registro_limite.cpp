// A record save that comes up short on the process's file size limit (POSIX
// RLIMIT_FSIZE), and saves into a missing folder or onto a folder.
#include "validation/FicheroRegistro.h"

#include "Registro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <optional>

#include <sys/resource.h>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

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

} // namespace
