#pragma once
// SHA-256 (FIPS 180-2) of single-byte texts: each char is one byte as it is.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tesedra {

using ResumenSha256 = std::array<std::uint8_t, 32>;

class CSHA256 {
public:
    // The digest as 64 lower-case hexadecimal characters.
    std::string SHA256(std::string_view mensaje) const;
};

// The raw 32-byte digest. Uses the processor's SHA instructions when it has
// them, the portable rounds otherwise.
ResumenSha256 Sha256Bytes(const void* datos, std::size_t longitud);
ResumenSha256 Sha256Bytes(std::string_view mensaje);

// The same digest, always through the portable rounds.
ResumenSha256 Sha256BytesPortable(const void* datos, std::size_t longitud);

// True when Sha256Bytes uses the processor's SHA instructions.
bool Sha256Acelerado();

// Writes the 64 lower-case hexadecimal characters of `resumen` to `salida`.
void Sha256Hex(const ResumenSha256& resumen, char* salida);

} // namespace tesedra
