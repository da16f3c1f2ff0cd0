#pragma once
// A router console on a pseudo-terminal: the program (or a test) opens the serial
// end with QSerialPort as it would a real port, and this object answers as the
// console of either router model would: echo, log-on, prompt, paging, Ctrl-C and
// the replies of the console commands, read from one data file per command.
// Like a real console it understands nothing sent with other line settings than its
// own (812: 9600 baud; 5660: 38400 baud; both 8 data bits, no parity, 1 stop bit).
// It runs on the thread that creates it, served by that thread's event loops
// (including the nested loops of the console channel).
//
// Linux only: it is built on a POSIX pseudo-terminal (posix_openpt), so neither
// the simulator nor the tests that drive the console through it are built on Windows.
#ifdef _WIN32
#error "The router simulator needs POSIX pseudo-terminals and is built on Linux only"
#endif

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "sim/Reproduccion.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace tesedra::sim {

struct OpcionesSimulador {
    int16_t modelo = 2;             // 1 = 5660 ("Command->"), 2 = 812 ("3Com-DSL>")
    std::string password = "admin"; // the console password
    bool pedirPassword = true;      // false: shows the prompt without asking
    bool preguntaSetup = false;     // 812: asks "Setup?" after log-on until answered
    int paginado = 0;               // paging prompt every N reply lines (0 = never)
    int baudios = 0;                // output paced at this line speed (0 = as fast as possible)
    QString carpetaDatos;           // reply data folder (empty: the built-in data of the model)
    bool silencioso = false;        // never answers anything
    int cortarTrasBytes = -1;       // stops answering after N output bytes (stays open)
    int desaparecerTrasBytes = -1;  // closes the pseudo-terminal after N output bytes
    QString transcripcion;          // replays this console transcript (the model comes from it)
    int pausaMaximaMs = -1;         // replay: each recorded gap at most this long (-1: as recorded)
};

class SimuladorRouter : public QObject {
    Q_OBJECT
public:
    explicit SimuladorRouter(OpcionesSimulador o, QObject* parent = nullptr);
    ~SimuladorRouter() override;

    // Opens the pseudo-terminal and loads the reply table; false (with a line on
    // standard error) when either fails.
    bool Iniciar();
    // The serial end, the path a QSerialPort opens.
    QString RutaDispositivo() const;
    // Replaces the reply to one exact command line (lines ended by LF or CR LF).
    void FijarRespuesta(const std::string& comando, const std::string& respuesta);
    // Every line typed at the console, password lines included, in order.
    const std::vector<std::string>& LineasRecibidas() const;
    // Closes the pseudo-terminal now, as a router switched off or unplugged.
    void Desaparecer();
    OpcionesSimulador& Opciones();

    const std::string& Prompt() const;
    const std::string& TextoPaginado() const;
    // Output bytes written so far.
    long long BytesEnviados() const { return enviados_; }

    // Without a pseudo-terminal: loads the reply table and keeps the console's output
    // in memory, so typed bytes can be fed in and the answer read back in-process.
    // Pauses in the replies and the baud pacing take no time there.
    bool IniciarEnMemoria();
    // Feeds typed bytes as if they came over the line (in-memory console only).
    void Teclear(const std::string& bytes);
    // The output since the last call (in-memory console only).
    std::string TomarSalida();

private:
    enum class Estado { Dormido, Password, Prompt, Ejecutando, Paginando, Callado };

    // One piece of pending output: text, a pause, a paging stop or the prompt.
    struct Tramo {
        enum class Tipo { Texto, Pausa, Pagina, Prompt } tipo = Tipo::Texto;
        std::string texto;
        int ms = 0;
    };
    // A command pattern of the reply table: words, "<x>" binds any one word.
    struct Patron {
        QStringList palabras;
        QString fichero;
    };

    // The serial end is set as the model's console line is (speed, data bits,
    // parity, stop bits); while it is not, whatever comes in goes unanswered.
    bool LineaCorrecta() const;
    bool CargarTabla();
    QString LeerDato(const QString& fichero) const;
    void AlLeer();
    void ProcesarByte(char c);
    void LineaCompleta();
    void Ejecutar(const std::string& linea);
    std::vector<Tramo> RespuestaPara(const std::string& linea);
    std::vector<Tramo> TramosDe(const std::string& texto, const std::map<QString, QString>& valores) const;
    void Encolar(std::vector<Tramo> tramos, bool terminaConPrompt);
    void EncolarTexto(const std::string& texto);
    void Emitir(const std::string& texto);
    void MostrarPrompt();
    void Interrumpir();
    void Bombear();
    void EscribirAhora();
    void ProcesarPendientes();
    void Registrar(const std::string& linea);
    bool CargarReproduccion();
    void ProcesarByteReproduccion(char c);
    void EncolarSegmento(const std::vector<Reproduccion::Pieza>& piezas);
    std::vector<Tramo> RespuestaDesconocida(const std::string& linea);

    OpcionesSimulador o_;
    bool Abierto() const { return maestro_ >= 0 || enMemoria_; }

    int maestro_ = -1;
    bool enMemoria_ = false; // no pseudo-terminal: output goes to memoria_
    std::string memoria_;
    int esclavo_ = -1;
    QString ruta_;
    QSocketNotifier* lectura_ = nullptr;
    QSocketNotifier* escritura_ = nullptr;
    QTimer* reloj_ = nullptr;      // pauses written in the replies
    QTimer* ritmoReloj_ = nullptr; // baud pacing
    QTimer* asincrono_ = nullptr;  // serves the output queue outside the input handler
    QTimer* reintento_ = nullptr;  // master read retry while no one holds the serial end

    Estado estado_ = Estado::Dormido;
    std::string linea_;      // the line being typed
    std::string pendiente_;  // typed while a command runs
    std::deque<Tramo> cola_; // output still to come
    std::string salida_;     // bytes ready for the master, not yet written
    bool enPausa_ = false;
    QElapsedTimer ritmo_;      // baud pacing: time since pacing started
    long long permitidos_ = 0; // bytes written since pacing started
    long long enviados_ = 0;
    bool setupPendiente_ = false;

    std::vector<Patron> patrones_;
    std::map<std::string, std::string> fijadas_;
    std::vector<std::string> recibidas_;

    // Replay of a transcript.
    std::unique_ptr<Reproduccion> reproduccion_;
    std::deque<std::vector<Reproduccion::Pieza>> segmentosPendientes_; // after the next paging key
    bool esperandoClave_ = false;
};

} // namespace tesedra::sim
