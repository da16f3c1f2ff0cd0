// Console transcripts as text: read back to the same bytes, malformed lines refused,
// the password hidden.
#include "console/Transcripcion.h"

#include "base/Codigos.h"

#include "Ficheros.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

// Every byte value, and the texts a console sends, read back exactly; the written
// form holds printable ASCII only.
TEST(TranscriptText, RoundTripsEveryByte)
{
    std::string todos;
    for (int b = 0; b < 256; ++b)
        todos += static_cast<char>(b);
    Transcripcion t;
    t.fecha = "2026-12-06 10:00:00";
    t.modelo = 1;
    t.puerto = "/dev/pts/9";
    t.version = "1.0";
    t.operacion = "check-sync";
    const std::string piezas[] = {todos, "\r\nPassword: ", "\\x41\"\\",
                                  "Espa\xF1"
                                  "a\x1b[0m\b \b",
                                  "a"};
    for (size_t i = 0; i < std::size(piezas); ++i)
        t.tramos.push_back({static_cast<long long>(i) * 1234, i % 2 == 0, piezas[i]});
    const std::string texto = t.Texto();
    for (const char c : texto)
        ASSERT_TRUE(c == '\n' || (c >= 32 && c < 127)) << static_cast<int>(static_cast<unsigned char>(c));
    EXPECT_NE(texto.find("1.234 > \"\\r\\nPassword: \"\n"), std::string::npos) << texto;

    Transcripcion leida;
    std::string error;
    ASSERT_TRUE(LeerTranscripcion(texto, leida, error)) << error;
    EXPECT_EQ(leida.Texto(), texto);
    ASSERT_EQ(leida.tramos.size(), t.tramos.size());
    for (size_t i = 0; i < t.tramos.size(); ++i) {
        const auto& [a, b] = std::pair{leida.tramos[i], t.tramos[i]};
        EXPECT_EQ(std::tuple(a.bytes, a.ms, a.delRouter), std::tuple(b.bytes, b.ms, b.delRouter)) << i;
    }
    EXPECT_EQ(leida.modelo, 1);
    EXPECT_EQ(leida.operacion, "check-sync");
}

// What is not a transcript is refused with the line it fails at.
TEST(TranscriptText, RefusesMalformedLines)
{
    const std::string cabecera = "# tesedra console transcript\n# model: 812\n";
    const std::tuple<std::string, const char*> casos[] = {
        {"", "empty"},
        {"hello\n", "line 1"},
        {cabecera + "0.100 < \"ok\"\n0.050 > \"x\"\n", "line 4: time goes back"},
        {cabecera + "1.5 < \"x\"\n", "line 3: bad time"},
        {cabecera + "0.100 ? \"x\"\n", "line 3"},
        {cabecera + "0.100 < \"x\n", "line 3: bad quoted"},
        {cabecera + "0.100 < \"\\q\"\n", "line 3: bad quoted"},
        {cabecera + "0.100 < \"\\x4\"\n", "line 3: bad quoted"},
        {cabecera + "0.100 < \"a\"b\"\n", "line 3: bad quoted"},
        {cabecera + "0.100 < \"\\\"\n", "line 3: bad quoted"},
    };
    for (const auto& [texto, motivo] : casos) {
        SCOPED_TRACE(texto);
        Transcripcion t;
        std::string error;
        EXPECT_FALSE(LeerTranscripcion(texto, t, error));
        EXPECT_NE(error.find(motivo), std::string::npos) << error;
    }
}

// The router echoes the password, in as many reads as it likes: cut in three pieces at
// every pair of places (with the program's empty lines between them), every copy is
// hidden, and so is a copy the run's end cuts short. Nothing else changes: the other
// bytes, the order of the pieces, and the file written as the run goes, which is the
// transcript itself.
TEST(TranscriptText, EchoSplitAnywhereIsHidden)
{
    const std::string clave = "Secreto99";
    const std::string eco = "\r\nPassword: " + clave + "\r\nCommand->" + clave + clave + "\r\nCommand->Secr";
    const std::string oculto = "\r\nPassword: ****\r\nCommand->********\r\nCommand->****";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ruta = dir.filePath(QStringLiteral("t.txt"));
    Grabadora& g = Grabadora::Instancia();
    std::string error;
    ASSERT_TRUE(g.EscribirEn(QFile::encodeName(ruta).toStdString(), error)) << error;
    for (size_t i = 0; i <= eco.size(); ++i) {
        for (size_t j = i; j <= eco.size(); ++j) {
            SCOPED_TRACE(testing::Message() << "cut at " << i << " and " << j);
            g.Comenzar(kEfficient5660, "/dev/null");
            g.Anotar(false, clave, true);
            std::vector<std::string> enviado = {"****"};
            for (const auto& [desde, hasta] : {std::pair{size_t{0}, i}, {i, j}, {j, eco.size()}}) {
                g.Anotar(true, eco.substr(desde, hasta - desde));
                enviado.push_back("\r" + std::to_string(desde));
                g.Anotar(false, enviado.back());
            }
            g.Terminar();
            // The router's pieces may shrink, or go when all they held was the rest of
            // an echo, but the program's keep their order.
            std::string delRouter;
            std::vector<std::string> delPrograma;
            for (const auto& tramo : g.Ultima().tramos) {
                ASSERT_FALSE(tramo.bytes.empty());
                (tramo.delRouter ? delRouter : delPrograma.emplace_back()) += tramo.bytes;
            }
            ASSERT_EQ(delRouter, oculto);
            ASSERT_EQ(delPrograma, enviado);
            if (j == eco.size()) {
                ASSERT_EQ(LeerFichero(ruta), g.Ultima().Texto());
            }
        }
    }
    ASSERT_TRUE(g.EscribirEn({}, error));
}

} // namespace
