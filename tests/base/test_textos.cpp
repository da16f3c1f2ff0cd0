// The two text tables against their golden files.
#include "Ficheros.h"

#include "base/Idiomas.h"

#include <gtest/gtest.h>

using namespace tesedra;

namespace {

// Captions 0 to 92 (0 and 92 lie outside the table) and the messages, one a line,
// in UTF-8: a text that is not single-byte Latin-1 shows up garbled.
std::string Tablas()
{
    std::string s;
    for (int n = 0; n <= 92; ++n)
        s += std::to_string(n) + ": " + Texto(n) + "\n";
    for (auto m : {&Mensajes::msgErrConfModem, &Mensajes::msgErrEscPuerto, &Mensajes::msgErrLecPuerto,
                   &Mensajes::msgClaveNoValida, &Mensajes::msgRango999, &Mensajes::msgRango9, &Mensajes::msgRango255,
                   &Mensajes::msgFormatoNoValido, &Mensajes::msgErrGrabarValidacion, &Mensajes::msgIntegridadFicheros,
                   &Mensajes::msgDirectoriosIguales, &Mensajes::msgTiempoModem, &Mensajes::msgErrEscFichero,
                   &Mensajes::msgCancelarConsulta, &Mensajes::msgAdvertencia})
        s += mensajes().*m + "\n";
    return QString::fromLatin1(s.data(), qsizetype(s.size())).toStdString();
}

} // namespace

TEST(TextTables, BothLanguagesMatchTheirGoldenFiles)
{
    for (const auto& [idioma, golden] : {std::pair{kIdiomaEspanol, "tests/base/golden/textos.es.txt"},
                                         {kIdiomaIngles, "tests/base/golden/textos.en.txt"}}) {
        // As the program does: Spanish first, so caption 38 keeps its Spanish text in English.
        CargarTextosControles(kIdiomaEspanol);
        CargarTextosControles(idioma);
        CargarMensajes(idioma);
        const std::string actual = Tablas();
        EXPECT_EQ(actual, prueba::Golden(golden, actual)) << golden;
    }
}

TEST(TextTables, PairedTextsFollowTheLanguageTheCaptionsWereLoadedIn)
{
    const TextoDoble texto{"Puerto ocupado", "Port busy"};
    CargarTextosControles(kIdiomaIngles);
    EXPECT_STREQ(Traducir(texto).c_str(), "Port busy");
    CargarTextosControles(99); // not a language: nothing changes
    EXPECT_STREQ(Traducir(texto).c_str(), "Port busy");
    CargarTextosControles(kIdiomaEspanol);
    EXPECT_STREQ(Traducir(texto).c_str(), "Puerto ocupado");
}
