#pragma once
// The serial console channel: the program's one serial port, and the exchange of
// one console command with the router up to its prompt.
// Texts are single-byte strings exactly as the console sends them.

#include <cstdint>
#include <functional>
#include <string>

namespace tesedra {

// What each model's console prints: its prompt, and the paging prompt it stops at
// in a long reply until it is answered.
inline constexpr char kPrompt5660[] = "Command->";
inline constexpr char kPrompt812[] = "3Com-DSL>";
inline constexpr char kPaginado5660[] = "Press any key to continue";
inline constexpr char kPaginado812[] = "---Press <return> or type More for more";

// Console prompt of a model code (kPrompt5660 for 1, kPrompt812 for 2, "" otherwise).
const std::string& PromptModelo(int16_t modelo);

// Device path of port number n: on Windows \\.\COMn; on Linux the value of the
// environment variable TESEDRA_COM<n> when set, else the n-th detected serial
// port (console/PuertosSerie.h), else /dev/ttyS<n-1>.
std::string RutaPuerto(int16_t puerto);

bool AbrirPuerto(int16_t puerto, int32_t baudios, const std::string& paridad, int16_t bitsDatos, int16_t bitsParada);
// Opens a device by path instead of by number (command line --device).
bool AbrirPuertoRuta(const std::string& ruta, int32_t baudios, const std::string& paridad, int16_t bitsDatos,
                     int16_t bitsParada);
bool EscribirPuerto(const std::string& texto);
// The same for a secret (the console password): the transcript shows "****".
bool EscribirPuertoSecreto(const std::string& texto);
std::string LeerPuerto(int pausaMs);
// Bytes read from the port since the program started, before any cleaning: tells
// whether a read got anything, even what LeerPuerto's cleaning drops (a lone LF).
uint64_t BytesRecibidos();
bool EnviarComando(const std::string& comando, std::string& respuesta, int16_t modelo, int limiteSegundos);
// Reads and drops whatever the console still sends until it has been silent for
// `silencioMs` (at most `maximoMs` in all, ended at once by a closed port). The log-on
// leaves output in flight (the rest of a banner, the prompts that answer its empty
// lines): it must not become part of the first command's reply.
void DescartarHastaSilencio(int silencioMs, int maximoMs);

// Sends one console command with no time limit and collects its reply: the way the
// checks and the validation gathering send theirs.
// True only when the exchange ended at the prompt with the port still open: a port
// closed meanwhile (the user cancelled) makes the exchange a failure whatever the
// channel returned, so a cancelled run never reports success with a partial reply.
bool EnviarOrden(const std::string& comando, std::string& respuesta, int16_t modelo);

// Progress of the exchanges, for front ends that show it (the command line on a
// terminal). Called with the command text just before each EnviarOrden sends it.
using AvisoProgreso = std::function<void(const std::string& comando)>;
void FijarAvisoProgreso(AvisoProgreso aviso);
// The longest the program may wait for the router without a byte from it, in whole
// seconds (the waits of the reads summed since its last byte; the program's own
// pauses do not count), from the next open on; 0 (the desktop program's way) waits
// for ever.
// When it passes, the exchange fails as with a lost device, with a message that
// says the router stopped answering.
void FijarLimiteSilencio(int segundos);
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
