#pragma once
// Small text cuts shared by the checks and the validation gathering, and the one
// way both send a console command.
// Every cut here gives what it has when the separator it looks for is missing,
// rather than failing: a reply in an unexpected layout must not end a whole run.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tesedra {

// Blanks (character 32 only) removed at both ends; CR, LF and tabs stay.
std::string RecortarBlancos(const std::string& texto);

// Everything after the first `separador`; the whole text when it does not occur.
std::string DespuesDe(const std::string& texto, const std::string& separador);
// Everything before the first `separador`; the whole text when it does not occur.
std::string AntesDe(const std::string& texto, const std::string& separador);

inline bool Contiene(const std::string& texto, const std::string& buscado)
{
    return texto.find(buscado) != std::string::npos;
}

// One "cut": the text from its first blank on, blanks trimmed at both ends.
// A text without a blank is left as it is.
std::string Cortar(const std::string& texto, int veces = 1);

// First line of `texto` with its CR LF (ExtraerLinea); the rest stays in `texto`.
std::string ExtraerLineaTexto(std::string& texto);

// The lines of a reply, each with its CR LF, in order (ExtraerLinea until it gives "").
template <typename F>
void RecorrerLineas(std::string texto, F&& alLinea)
{
    for (;;) {
        std::string linea = ExtraerLineaTexto(texto);
        if (linea.empty())
            return;
        alLinea(linea);
    }
}

// The lines of `texto`, in order and with their CR LF, that hold none of `descartes`.
std::string FiltrarLineas(const std::string& texto, const std::vector<std::string>& descartes);

// Sends one console command with no time limit and collects its reply.
// True only when the exchange ended at the prompt with the port still open: a port
// closed meanwhile (the user cancelled) makes the exchange a failure whatever the
// channel returned, so a cancelled run never reports success with a partial reply.
bool EnviarOrden(const std::string& comando, std::string& respuesta, int16_t modelo);

// Progress of the exchanges, for front ends that show it (the command line on a
// terminal). Called with the command text just before each command is sent.
using AvisoProgreso = std::function<void(const std::string& comando)>;
void FijarAvisoProgreso(AvisoProgreso aviso);

} // namespace tesedra
