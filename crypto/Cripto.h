#pragma once
// The record cipher: seals a text (its SHA-256 digest appended, Blowfish under the
// fixed record key, upper-case hexadecimal, "#", digest of the hexadecimal text)
// and opens it again; appends a digest to a whole line and checks it.
// Texts are single-byte strings: one byte per character.

#include <string>

namespace tesedra {

// The 35-byte record key; its inverted question mark is the single byte 0xBF.
const std::string& ClaveRegistro();

// Sets the Blowfish key state from the bytes of `clave`.
void FijarClave(const std::string& clave);

// Seals `texto`; true when sealed.
bool CifrarRegistro(const std::string& texto, std::string& sellado);

// Opens a sealed text; P is the deciphered text, padding removed. Intact means both
// digests are right: the one after '#' (of the hexadecimal part) and the one sealed
// inside, after P's last ';' (of the text before it). Never fails outward:
//  - no '#':                       abierto = "-- Registro incorrecto --;NOK", result true, intacto untouched;
//  - hex part unreadable or empty: abierto = "-- Registro incorrecto --;NOK", result true,
//                                  intacto = whether the digest after '#' matches;
//  - both digests match:           abierto = P + ";OK", intacto true, result true;
//  - either digest differs:        abierto = P + "--Registro incorrecto --;NOK", intacto false, result false.
bool DescifrarRegistro(const std::string& sellado, std::string& abierto, bool& intacto);

// linea = texto + ";" + SHA256(texto).
bool AnadirResumen(const std::string& texto, std::string& linea);

// Splits `linea` at its last ';' into body and digest; true when the digest matches.
// A line without ';' cannot be split: false, and `cuerpo` is left empty.
bool ComprobarResumen(const std::string& linea, std::string& cuerpo);

// Conversions used by the cipher, exposed for tests.
std::string BlowfishEncipherText(const std::string& texto);
std::string BlowfishDecipherText(const std::string& bytes);
std::string HexFromText(const std::string& bytes);
// False when a pair is not hexadecimal; a final lone digit is ignored.
bool BytesFromHex(const std::string& hex, std::string& bytes);

} // namespace tesedra
