#pragma once
// The transcript of one router run: every byte that crossed the console link, in
// order, each piece with its time from the start of the run and its direction.
// The serial channel records into the one current transcript; the log-on starts a
// new one, and closing the port ends it.
//
// Text form (plain Latin-1 lines):
//   # tesedra console transcript
//   # date: 2026-12-06 10:21:03
//   # model: 812
//   # port: /dev/ttyS0
//   # version: 1.0
//   # operation: check-sync
//   0.153 < "Password: "
//   0.160 > "****"
// "<" is what the router sent, ">" what the program sent. Inside the quotes a
// backslash escapes: \r \n \t \e \\ \" and \xNN for every other byte below 32, 127
// and above 127, so the file reads back to exactly the bytes. A secret write (the
// console password) is recorded as "****", and so is every copy of it the router
// sends back, however its bytes are split between reads.

#include <QElapsedTimer>

class QFile;

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tesedra {

inline constexpr char kSecretoTranscripcion[] = "****";

struct TramoTranscripcion {
    long long ms = 0;       // milliseconds from the start of the run
    bool delRouter = false; // true: the router sent it ("<"); false: the program (">")
    std::string bytes;
};

struct Transcripcion {
    std::string fecha;  // "yyyy-MM-dd HH:mm:ss", local time of the start
    int16_t modelo = 0; // 1 the 5660, 2 the 812
    std::string puerto;
    std::string version;
    std::string operacion;
    std::vector<TramoTranscripcion> tramos;

    // The text form above.
    std::string Texto() const;
    // Its header lines, and the line of one piece: the text form is the one, then
    // the other for each piece.
    std::string Cabecera() const;
    static std::string LineaTramo(const TramoTranscripcion& t);
};

// Reads the text form; false with a reason (line number included) when it is not one.
bool LeerTranscripcion(const std::string& texto, Transcripcion& t, std::string& error);

// A byte string in the quoted, escaped form, and back (false on a bad escape).
std::string EscaparBytes(const std::string& bytes);
bool DesescaparBytes(const std::string& citado, std::string& bytes);

// The recorder the serial channel writes into.
class Grabadora {
public:
    static Grabadora& Instancia();

    // Starts a new transcript (the previous one is kept as the last run's until then).
    void Comenzar(int16_t modelo, const std::string& puerto);
    // Bytes that crossed the link; ignored outside a run. A secret write is recorded
    // as "****", and so is the secret wherever the router sends it back (a console
    // that echoes the password) for secrets of three bytes or more, even when the
    // echo comes in several reads: while the router's last bytes could be the start
    // of such an echo they are held back (and the pieces after them, to keep the
    // order), and recorded once the next bytes settle it.
    void Anotar(bool delRouter, const std::string& bytes, bool secreto = false);
    // The run is over (the port closed): what was held back is recorded (a started
    // echo of the secret cut short by the end is masked too) and the finished
    // transcript goes to the observer.
    void Terminar();

    // From now on each run is also written to the file `ruta` as it goes: replaced
    // by the header when the run starts, then every piece appended as soon as it is
    // recorded, so whatever happened up to a failure, a time-out or a kill is there.
    // The file is created (emptied) at once, so a path that cannot be written is
    // known before any router is talked to. False with the system's reason. An
    // empty path ends the writing to a file.
    bool EscribirEn(const std::string& ruta, std::string& error);
    // The first write fault of that file, if any (empty when all went well).
    const std::string& ErrorFichero() const { return errorFichero_; }

    // The name of what the next run does ("check-sync", "validation", "ip-ping"),
    // used in the header and the names of kept files.
    void FijarOperacion(const std::string& operacion) { operacion_ = operacion; }

    bool EnCurso() const { return enCurso_; }
    // How many runs have started: a window compares it to tell whether its run
    // reached the router at all.
    uint64_t Numero() const { return numero_; }
    // The transcript of the run in progress, or of the last one finished.
    const Transcripcion& Ultima() const { return actual_; }

    // Called with every finished transcript (the desktop program keeps them).
    using AlTerminar = std::function<void(const Transcripcion&)>;
    void FijarAlTerminar(AlTerminar f) { alTerminar_ = std::move(f); }

private:
    Grabadora() = default;
    // A piece becomes part of the transcript (and of its file).
    void Registrar(TramoTranscripcion t);
    // Masks every whole copy of the secret in the held router bytes, then records
    // the held pieces up to the first that holds the start of a possible echo
    // (`final`: the end of the run; such a start is masked and all is recorded).
    void Liberar(bool final);
    void EscribirFichero(const std::string& texto);

    Transcripcion actual_;
    std::vector<TramoTranscripcion> retenidos_;
    QFile* fichero_ = nullptr;
    std::string errorFichero_;
    QElapsedTimer reloj_;
    std::string operacion_;
    std::string secreto_;
    bool enCurso_ = false;
    uint64_t numero_ = 0;
    AlTerminar alTerminar_;
};

// Writes the text form to `ruta` (replacing it); false with the system's reason.
bool GuardarTranscripcion(const Transcripcion& t, const std::string& ruta, std::string& error);

} // namespace tesedra
