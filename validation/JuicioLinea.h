#pragma once
// The judgement of each line value against its modality's limit: the one rule behind
// both the record's verdicts and the indicators beside the values in the window.

#include "validation/ValoresInstalacion.h"

#include <array>
#include <cstdint>
#include <string>

namespace tesedra {

enum class ValorJuzgado { AtenuacionBajada, AtenuacionSubida, MargenRuidoBajada, MargenRuidoSubida };
inline constexpr std::array<ValorJuzgado, 4> kValoresJuzgados = {
    ValorJuzgado::AtenuacionBajada, ValorJuzgado::AtenuacionSubida, ValorJuzgado::MargenRuidoBajada,
    ValorJuzgado::MargenRuidoSubida};

// The field that holds a judged value.
std::string ValoresInstalacion::*CampoJuzgado(ValorJuzgado que);

struct JuicioValor {
    bool juzgado = false; // a limit applies: known modality, and a value this model judges
    bool maximo = true;   // the limit is a maximum (attenuation) or a minimum (noise margin)
    int limite = 0;       // decibels
    bool leido = false;   // the text held a reading
    bool correcto = true; // the verdict the record counts; a value that was not read passes
};

// The judgement of one value's text. The 5660 judges its downstream values only. A
// text of exactly "0" is no reading (the gathering writes it for a value not found).
JuicioValor JuzgarValor(int16_t modelo, int16_t modalidad, ValorJuzgado que, const std::string& texto);

// The fault flags of a gathered line: attenuation and noise set for any value that
// fails its limit; flags already set stay set.
void MarcarFallosLinea(int16_t modelo, int16_t modalidad, const ValoresInstalacion& v, EstadoLinea& flags);

// What the indicator beside a judged value shows ("m\xE1x. 61 dB") and what a screen
// reader reads ("Atenuaci\xF3n en bajada 45.5 dB, m\xE1ximo 61 dB: correcta"), in the
// language of the text tables. Latin-1.
struct TextosJuicio {
    std::string limite;
    std::string accesible;
};
TextosJuicio DescribirJuicio(ValorJuzgado que, const JuicioValor& juicio, const std::string& texto);

} // namespace tesedra
