#pragma once
// Reading the line values (attenuation, noise margin) that the routers print, and
// judging them against the limits of a service modality.

#include <cstdint>
#include <optional>
#include <string>

namespace tesedra {

// A reading in decibels held exactly: valor = mantisa / 10^escala.
struct LecturaDecibelios {
    int64_t mantisa = 0;
    int escala = 0;
};

// The routers write readings in decibels with a point before the decimals and
// sometimes a unit after them: "22.5", "45.5 dB", "8", "-3.5".
//
// The judgement of the line takes the converted reading divided by 10 as decibels.
// The conversion that judgement was made for read the point as a digit-group mark
// ("45.5" -> 455), so that quotient is the reading in decibels: 45.5 dB. A conversion
// that followed the station's number format would instead give a tenth of the reading
// wherever the point is the decimal mark, and pass every line.
//
// So the reading is taken here directly in decibels: optional blanks, an optional
// sign, digits with at most one "." and its decimals, then the end of the text or a
// blank or a letter (the unit and anything after it are ignored). No locale takes part,
// so the result is the same on every station. The value is kept exact (no binary
// fractions), so a reading of exactly the limit ("61", "61.0") compares equal to it.
//
// Anything else ("", "-", "n/a", "12.3.4", "45,5") is no reading: empty optional.
std::optional<LecturaDecibelios> LeerDecibelios(const std::string& texto);

// -1, 0 or 1 as the reading is below, at or above `limite` decibels.
int CompararConLimite(const LecturaDecibelios& lectura, int limite);

// Limits of a service modality in decibels; `valida` false for an unknown code.
struct LimitesLinea {
    bool valida = false;
    int atenuacionBajadaMax = 0;
    int atenuacionSubidaMax = 0;
    int margenRuidoMin = 0;
};
LimitesLinea LimitesModalidad(int16_t modalidad);

} // namespace tesedra
