#pragma once
// The router of a console transcript: the replies it recorded, keyed by the line
// the program typed before them. The k-th time a line is typed it gets the k-th
// reply recorded for it (past the last, the last again). A reply that stopped at a
// paging prompt is kept in segments: the next one goes out at the program's key.
// The line typed at a password prompt is kept apart: any password gets its reply.

#include "console/Transcripcion.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tesedra::sim {

class Reproduccion {
public:
    // One piece of the router's output and the time before it (since the line or
    // the piece before).
    struct Pieza {
        long long pausaMs = 0;
        std::string bytes;
    };
    struct Respuesta {
        std::vector<std::vector<Pieza>> segmentos; // split where the program answered a paging prompt
        bool pideClave = false;                    // ends asking for the password
    };

    // Reads the text of a transcript; false with the reason.
    bool Cargar(const std::string& texto, std::string& error);
    int16_t Modelo() const { return modelo_; }

    // The reply to the next sending of `linea` (trimmed of spaces); `enClave` when it
    // was typed at the password prompt. Null when the transcript has none.
    const Respuesta* Siguiente(const std::string& linea, bool enClave);

private:
    int16_t modelo_ = 0;
    std::map<std::string, std::vector<Respuesta>> respuestas_;
    std::map<std::string, size_t> enviadas_;
};

// True when `texto`, trailing spaces aside, ends with one of the models' paging prompts.
bool TerminaEnPagina(const std::string& texto);

} // namespace tesedra::sim
