#pragma once
// Cutting console replies into lines and values: the one place where the checks,
// the validation gathering and the IP runs take a reply apart.
// Every cut here gives what it has when the separator it looks for is missing,
// rather than failing: a reply in an unexpected layout must not end a whole run.

#include <string>
#include <vector>

namespace tesedra {

// First line of `texto` with its CR LF; the rest goes to `resto` (may be the same object).
std::string ExtraerLinea(const std::string& texto, std::string& resto);

// Blanks (character 32 only) removed at both ends; CR, LF and tabs stay.
std::string RecortarBlancos(const std::string& texto);
// Without CR and LF anywhere, then blanks trimmed as RecortarBlancos does.
std::string LimpiarValor(const std::string& texto);
// Without any occurrence of `caracter`.
std::string QuitarCaracter(const std::string& texto, char caracter);

// Everything after the first `separador`; the whole text when it does not occur.
std::string DespuesDe(const std::string& texto, const std::string& separador);
// Everything before the first `separador`; the whole text when it does not occur.
std::string AntesDe(const std::string& texto, const std::string& separador);

inline bool Contiene(const std::string& texto, const std::string& buscado)
{
    return texto.find(buscado) != std::string::npos;
}

// How many times `buscado` (not empty) occurs in `texto`, without overlaps.
size_t Ocurrencias(const std::string& texto, const std::string& buscado);

// One "cut": the text from its first blank on, blanks trimmed at both ends.
// A text without a blank is left as it is.
std::string Cortar(const std::string& texto, int veces = 1);

// The lines of a reply, each with its CR LF, in order: the lines ExtraerLinea gives
// until it gives "" (a line ends at a CR LF pair; a last piece without one is a line).
// The reply is walked in place rather than cut down line by line, so a long reply
// costs its length once, not once per line.
template <typename F>
void RecorrerLineas(const std::string& texto, F&& alLinea)
{
    std::string linea;
    size_t inicio = 0;
    while (inicio < texto.size()) {
        const size_t fin = texto.find("\r\n", inicio);
        const size_t siguiente = fin == std::string::npos ? texto.size() : fin + 2;
        linea.assign(texto, inicio, siguiente - inicio);
        alLinea(linea);
        inicio = siguiente;
    }
}

// The lines of `texto`, in order and with their CR LF, that hold none of `descartes`.
std::string FiltrarLineas(const std::string& texto, const std::vector<std::string>& descartes);

} // namespace tesedra
