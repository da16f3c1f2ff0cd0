// The record tests that need Linux: a save that comes up short on the process's file
// size limit (POSIX RLIMIT_FSIZE), saves into a missing folder or onto a folder; and
// cipher text changed by someone who made its digests again, with OpenSSL's SHA-256 as
// the independent reference (the Windows build has no OpenSSL).
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"

#include "Registro.h"

#include <openssl/sha.h>

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
    const std::vector<std::string> sanas = LineasGolden("origen/AI051201.txt");
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

    // cifra: record 2's full part after the change
    const std::tuple<const char*, std::string, Veredicto> casos[] = {
        {"nothing changed, digests made again", c2, Veredicto::EnSitio},
        {"a digit of a value block", Digito(c2, 16 * j + 5), Veredicto::Danado},
        {"a digit of the number's block", Digito(c2, 3), Veredicto::Danado},
        {"a block from another record", Poner(c2, j, Bloque(c3, j)), Veredicto::Danado},
        {"the number's block from another record", Poner(c2, 0, Bloque(c3, 0)), Veredicto::Danado},
        {"a block over the next", Poner(c2, j + 1, Bloque(c2, j)), Veredicto::Danado},
        {"a block twice", c2.substr(0, 16 * (j + 1)) + c2.substr(16 * j), Veredicto::Danado},
    };
    const std::string destino = GoldenValidacion("destino/AI051201.des");
    for (const auto& [caso, cifra, veredicto] : casos) {
        SCOPED_TRACE(caso);
        const std::string linea = Rehacer(sanas[1], cifra);
        ValidadorLineas validador;
        std::string salida;
        EXPECT_EQ(validador.Validar(linea, 2, salida), veredicto) << salida;
        EXPECT_EQ(salida.find("--Registro incorrecto --;NOK") != std::string::npos, veredicto == Veredicto::Danado)
            << salida;
        // Among the records the program wrote, which stay sound and come out as before.
        ResumenFichero r;
        const std::string contenido = ValidarContenido(sanas[0] + "\r\n" + linea + "\r\n" + sanas[2] + "\r\n", &r);
        EXPECT_EQ(r.enSitio, veredicto == Veredicto::EnSitio ? 3 : 2);
        const size_t d2 = destino.find("telefono a\xF1o 2"), d3 = destino.find("telefono a\xF1o 3");
        EXPECT_EQ(contenido, destino.substr(0, d2) + salida + "\r\n" + destino.substr(d3));
    }
}

} // namespace
