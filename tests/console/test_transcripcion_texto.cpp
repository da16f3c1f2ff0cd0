// Console transcripts as text: read back to the same bytes, malformed lines refused,
// the password hidden.
#include "console/Transcripcion.h"

#include "base/Codigos.h"

#include <gtest/gtest.h>

#include <string>

using namespace tesedra;

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
        EXPECT_EQ(leida.tramos[i].bytes, t.tramos[i].bytes) << i;
        EXPECT_EQ(leida.tramos[i].ms, t.tramos[i].ms) << i;
        EXPECT_EQ(leida.tramos[i].delRouter, t.tramos[i].delRouter) << i;
    }
    EXPECT_EQ(leida.modelo, 1);
    EXPECT_EQ(leida.operacion, "check-sync");
}

// What is not a transcript is refused with the line it fails at.
TEST(TranscriptText, RefusesMalformedLines)
{
    const std::string cabecera = "# tesedra console transcript\n# model: 812\n";
    const struct {
        std::string texto;
        const char* error;
    } casos[] = {
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
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        Transcripcion t;
        std::string error;
        EXPECT_FALSE(LeerTranscripcion(c.texto, t, error));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

// A console that echoes the password: the echo is hidden too.
TEST(TranscriptText, EchoedPasswordIsHidden)
{
    Grabadora& g = Grabadora::Instancia();
    g.Comenzar(kOfficeRemote812, "/dev/null");
    g.Anotar(true, "Password: ");
    g.Anotar(false, "s3cr3t", true);
    g.Anotar(true, "s3cr3t\r\nWelcome s3cr3ts3cr3t\r\n");
    g.Terminar();
    const std::string texto = g.Ultima().Texto();
    EXPECT_EQ(texto.find("s3cr3t"), std::string::npos) << texto;
    EXPECT_NE(texto.find("< \"****\\r\\nWelcome ********\\r\\n\""), std::string::npos) << texto;
}

} // namespace
