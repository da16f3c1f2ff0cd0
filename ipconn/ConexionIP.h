#pragma once
// The IP connectivity runs without the window: the field checks, the setting up
// of a run from the PC and the loading of its output file, and the whole run
// from the router (log-on, command, waits, result).

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tesedra {

class clsExecCmd;

// The two commands of the window, as its command list shows them.
inline constexpr const char* kComandoTracert = "tracert";
inline constexpr const char* kComandoPing = "ping";

// Name of the output file of a run from the PC, in the program's folder
// (CarpetaPrograma: ~/Tesedra when the program's own is not writable).
inline constexpr const char* kFicheroSalidaPC = "tracert.tmp";

// True when `texto` is empty or its last character is a digit 0..9. Otherwise
// shows msgRango9 titled msgFormatoNoValido (exclamation) and returns false.
bool ComprobarDigito(const QString& texto);
// One of the digits 0 to 9 (nothing else counts as a digit in these boxes).
bool EsDigito(QChar c);

// The value of an octet text: digits only, 1 to 3 of them, below 256.
std::optional<int> ValorOcteto(const QString& texto);
// True when ValorOcteto has a value. Otherwise shows msgRango255, a space and
// msgFormatoNoValido titled "Error" and returns false.
bool ComprobarOcteto(const QString& texto);

// The value of a wait-time text: digits only, 1 to 3 of them (0..999).
std::optional<int> ValorRetardo(const QString& texto);
// The wait-time message: msgRango999 titled msgFormatoNoValido (exclamation).
void MensajeRetardo();

// The dotted address of four octet texts, only when every one of them passes
// the octet rule; each octet is written as its decimal value.
std::optional<std::string> DireccionIP(const std::array<QString, 4>& octetos);

// Reads the output file of a run into `texto`, one CR LF ended line per
// non-empty line of the file, each without its own line end (CR and LF, which
// the commands of some platforms double), as single-byte text (decoded from
// the encoding the commands write: the locale's, on Windows the OEM code page). False when the file cannot be opened
// or read; `texto` is left as it was when the file could not be opened, and
// holds the lines read so far after a read error.
bool CargarFichero(const QString& ruta, std::string& texto);

#ifdef Q_OS_WIN
// Bytes of the code page `pagina` (the console's OEM one, GetOEMCP, in which ping
// and tracert write) as single-byte Latin-1 text; what Latin-1 lacks becomes "?".
std::string DesdePaginaCodigos(const std::string& bytes, unsigned pagina);
#endif

// The command line of a run from the PC on Windows: the command interpreter,
// the command and the redirection of its output into the output file of `carpeta`.
QString LineaComandoPC(const QString& comspec, bool tracert, const std::string& direccion, const QString& carpeta);

// Program and arguments of a run from the PC where there is no command
// interpreter: "ping -c 4 <address>" or "traceroute -n -m 5 <address>".
struct ProgramaPC {
    QString programa;
    QStringList argumentos;
};
ProgramaPC ProgramaPCPara(bool tracert, const std::string& direccion);

// The programs a run from the PC starts (empty: look ping and traceroute up in
// PATH and then in the system folders) and the folder of its output file
// (empty: the program's own folder). Tests point them elsewhere.
struct OpcionesPC {
    QString ping;
    QString traceroute;
    QString carpetaSalida;
};
OpcionesPC& opcionesPC();

// The output file of a run from the PC: tracert.tmp in the program's folder
// (or in opcionesPC().carpetaSalida when set).
QString FicheroSalidaPC();

// Sets the command of a run from the PC on `proceso`: on Windows the command
// interpreter's line (LineaComandoPC, output redirected by it), elsewhere the
// program and arguments of ProgramaPCPara with the runner sending the output,
// standard error included, to FicheroSalidaPC. Returns the program started,
// for the message when it cannot start.
QString PrepararComandoPC(clsExecCmd& proceso, bool tracert, const std::string& direccion);

// A ping or route trace from the router: logs on to `modelo` (a model code; any
// other code runs nothing), sends "ping " or "traceroute " and the address,
// and closes the port. The 5660's reply runs up to its prompt (cut at `retardo`
// seconds) and is shaped by ResultadoRouter5660. The 812 shows its prompt at once
// and goes on with the output: the whole wait time is waited (a cancel, which
// closes the port, ends it at once) and what came meanwhile is added.
// The result text, or "" when the log-on or the command failed.
std::string EjecutarRouter(int16_t modelo, bool tracert, const std::string& direccion, int retardo);

// The result text of a reply of the Efficient 5660: line by line, a line that
// holds the prompt (whatever the letter case) loses as many leading characters
// as the prompt has, any other line is kept whole with its CR LF.
std::string ResultadoRouter5660(std::string respuesta, const std::string& prompt);

} // namespace tesedra
