#pragma once
// The two text tables of the program: messages and control captions.
// Every text is single-byte Latin-1; convert with fromLatin1 at the window boundary.

#include <array>
#include <cstdint>
#include <string>

namespace tesedra {

inline constexpr int16_t kIdiomaEspanol = 0;
inline constexpr int16_t kIdiomaIngles = 1;

struct Mensajes {
    std::string msgErrConfModem;
    std::string msgErrEscPuerto;
    std::string msgErrLecPuerto;
    std::string msgClaveNoValida;
    std::string msgRango999;
    std::string msgRango9;
    std::string msgRango255;
    std::string msgFormatoNoValido;
    std::string msgErrGrabarValidacion;
    std::string msgIntegridadFicheros;
    std::string msgDirectoriosIguales;
    std::string msgTiempoModem;
    std::string msgErrEscFichero;
    std::string msgCancelarConsulta;
    std::string msgAdvertencia;
};

// Captions 1..91 (85 unused); index 0 is unused too.
using TextosControles = std::array<std::string, 92>;

Mensajes& mensajes();
TextosControles& textosControles();

// Language 0 Spanish, 1 English; any other code changes nothing.
void CargarMensajes(int16_t idioma);
void CargarTextosControles(int16_t idioma);
// The language of the caption table last loaded (Spanish until one is loaded).
int16_t IdiomaTextos();

// The language the environment names, as terminal programs take it: the first of
// LC_ALL, LC_MESSAGES and LANG that is set and not empty decides, Spanish when it
// starts with "es", English otherwise. When none is set, the language of the
// user's Windows (GetUserDefaultUILanguage) decides: Spanish for Spanish;
// elsewhere, and on Linux, English.
int16_t IdiomaDelEntorno();
// The same rule for given values (null: unset) and whether the user's system
// speaks Spanish.
int16_t IdiomaSegun(const char* lcAll, const char* lcMessages, const char* lang, bool sistemaEspanol);

// Caption by number; empty for a number outside 1..91.
const std::string& Texto(int numero);

// A text of the program beyond the two tables above (port errors, command-line
// messages, line indicators...), given in both languages side by side. Each
// folder keeps its own in a header of its own (for example cli/TextosCli.h), as
// `inline constexpr TextoDoble kTxt... {"es", "en"};`, Latin-1 bytes like the
// tables. Traducir picks the language the caption table was last loaded in.
struct TextoDoble {
    const char* es;
    const char* en;
};
std::string Traducir(const TextoDoble& texto);

} // namespace tesedra
