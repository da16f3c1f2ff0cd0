#pragma once
// The serial console channel: the program's one serial port, and the exchange of
// one console command with the router up to its prompt.
// Texts are single-byte strings exactly as the console sends them.

#include <cstdint>
#include <string>

namespace tesedra {

// Console prompt of a model code ("Command->" for 1, "3Com-DSL>" for 2).
const std::string& PromptModelo(int16_t modelo);

// Device path of port number n: on Windows COMn; on Linux the value of the
// environment variable TESEDRA_COM<n> when set, else /dev/ttyS<n-1>.
std::string RutaPuerto(int16_t puerto);

bool AbrirPuerto(int16_t puerto, int32_t baudios, const std::string& paridad, int16_t bitsDatos,
                 int16_t bitsParada);
// Opens a device by path instead of by number (command line --device).
bool AbrirPuertoRuta(const std::string& ruta, int32_t baudios, const std::string& paridad,
                     int16_t bitsDatos, int16_t bitsParada);
bool EscribirPuerto(const std::string& texto);
std::string LeerPuerto(int pausaMs);
bool EnviarComando(const std::string& comando, std::string& respuesta, int16_t modelo, int limiteSegundos);
// Reads and drops whatever the console still sends until it has been silent for
// `silencioMs` (at most `maximoMs` in all, ended at once by a closed port). The log-on
// leaves output in flight (the rest of a banner, the prompts that answer its empty
// lines): it must not become part of the first command's reply.
void DescartarHastaSilencio(int silencioMs, int maximoMs);
void CerrarPuerto();
bool PuertoAbierto();
void Esperar(int ms);
std::string NormalizarRespuesta(const std::string& texto);

// Pacing figures of the channel since the last reset (for measurements): the
// fixed pauses asked for (before commands and reads) and the reads made.
struct ContadoresCanal {
    long long pausasMs = 0;
    long long lecturas = 0;
};
const ContadoresCanal& contadoresCanal();
void ReiniciarContadoresCanal();

} // namespace tesedra
