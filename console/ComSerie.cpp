#include "console/ComSerie.h"
#include "base/Latin1.h"

#include "console/CanalSerie.h"
#include "console/PuertosSerie.h"
#include "console/Respuesta.h"
#include "console/TextosPuertos.h"
#include "console/Tiempos.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QtGlobal>

#include <utility>

namespace tesedra {

namespace {

constexpr size_t kVentanaPrompt = 15;
const std::string kInterrupcion(1, '\x03');

ContadoresCanal contadores;

AvisoProgreso& avisoProgreso()
{
    static AvisoProgreso aviso;
    return aviso;
}

CanalSerie& canal()
{
    return CanalSerie::Instancia();
}

// A console line ends at its carriage return: anything after a CR or LF inside
// the text would reach the console as further command lines, so it is not sent.
std::string HastaFinDeLinea(const std::string& texto)
{
    const size_t fin = texto.find_first_of("\r\n");
    return fin == std::string::npos ? texto : texto.substr(0, fin);
}

// The pause before a command or a read: a timer-driven wait that keeps the windows
// painted, counted for the pacing figures, and cut short when the port closes.
void Pausa(int ms)
{
    if (ms <= 0)
        return;
    contadores.pausasMs += ms;
    canal().Pausa(ms);
}

// The far end has gone, or has been silent past the limit: report it once (with the
// operation's message and the system's words, or as the router's silence), then close.
void InformarPerdida(const std::string& mensaje)
{
    std::string texto = mensaje + ToL1(canal().DescripcionPerdida());
    if (canal().Callado()) {
        texto = Traducir(kTxtRouterCallado);
        texto.replace(texto.find("%1"), 2, std::to_string((canal().LimiteSilencio() + 999) / 1000));
    }
    QString ignorado;
    canal().Cerrar(ignorado);
    MostrarError(texto);
}

// The port can carry an exchange. A loss not yet told is told now, so an exchange
// that starts after it (the log-on's tail was being dropped) still says why it failed.
bool Utilizable()
{
    if (canal().Perdido()) {
        InformarPerdida(mensajes().msgErrLecPuerto);
        return false;
    }
    return canal().Abierto();
}

bool EscribirLinea(const std::string& texto, bool secreto);

} // namespace

const ContadoresCanal& contadoresCanal()
{
    return contadores;
}

void ReiniciarContadoresCanal()
{
    contadores = {};
}

const std::string& PromptModelo(int16_t modelo)
{
    static const std::string k5660 = kPrompt5660;
    static const std::string k812 = kPrompt812;
    static const std::string ninguno;
    if (modelo == 1)
        return k5660;
    if (modelo == 2)
        return k812;
    return ninguno;
}

std::string RutaPuerto(int16_t puerto)
{
#ifdef Q_OS_WIN
    return DestinoDePuertoCom(puerto, {}).ruta;
#else
    return DestinoDePuerto(puerto).ruta;
#endif
}

bool AbrirPuertoRuta(const std::string& nombre, int32_t baudios, const std::string& paridad, int16_t bitsDatos,
                     int16_t bitsParada)
{
#ifdef Q_OS_WIN
    // A bare port name (--device COM12) opens by its device name: COM10 and above
    // open only so.
    const bool nombreCom = QRegularExpression(QStringLiteral("^COM[0-9]+$"), QRegularExpression::CaseInsensitiveOption)
                               .match(QString::fromLatin1(nombre.c_str()))
                               .hasMatch();
    const std::string ruta = nombreCom ? "\\\\.\\" + nombre : nombre;
#else
    // A bare name is a device of /dev (where the serial port looks for it): the
    // device is checked, and named in a failure, where it was looked for.
    const std::string ruta = nombre.find('/') == std::string::npos ? "/dev/" + nombre : nombre;
#endif
    QString error;
    if (!canal().Abrir(QString::fromLocal8Bit(ruta.c_str()), baudios, paridad, bitsDatos, bitsParada, error)) {
        // The device is named and the cause comes with what to do about it:
        // "Permission error" alone does not tell the technician which port was
        // tried, nor how to get it.
        const FalloApertura fallo = ClasificarFallo(canal().ErrorPuerto(), ruta);
        MostrarError(MensajeFalloApertura(fallo, ToL1(QString::fromLocal8Bit(ruta.c_str())), ToL1(error)));
        return false;
    }
    return true;
}

bool AbrirPuerto(int16_t puerto, int32_t baudios, const std::string& paridad, int16_t bitsDatos, int16_t bitsParada)
{
    return AbrirPuertoRuta(RutaPuerto(puerto), baudios, paridad, bitsDatos, bitsParada);
}

bool PuertoAbierto()
{
    return canal().Abierto();
}

bool EscribirPuerto(const std::string& texto)
{
    return EscribirLinea(texto, false);
}

bool EscribirPuertoSecreto(const std::string& texto)
{
    return EscribirLinea(texto, true);
}

namespace {

bool EscribirLinea(const std::string& texto, bool secreto)
{
    if (canal().Perdido()) {
        InformarPerdida(mensajes().msgErrEscPuerto);
        return false;
    }
    if (!canal().Abierto())
        return false;

    const uint64_t sesionPuerto = canal().Generacion();
    QString error;
    if (!canal().Escribir(HastaFinDeLinea(texto), error, secreto) || !canal().Escribir("\r", error)) {
        MostrarError(mensajes().msgErrEscPuerto + ToL1(error));
        return false;
    }
    // Until the line has left the output buffer; closing the port ends the wait.
    canal().Esperar(QDeadlineTimer(QDeadlineTimer::Forever), [] { return canal().PendientesSalida() == 0; });
    if (canal().Perdido()) {
        InformarPerdida(mensajes().msgErrEscPuerto);
        return false;
    }
    // Closed during the wait (and maybe opened again by someone else): failed.
    return canal().Abierto() && canal().Generacion() == sesionPuerto;
}

} // namespace

std::string LeerPuerto(int pausaMs)
{
    // A closed port has nothing to wait for: no pause.
    if (!canal().Abierto() && !canal().Perdido())
        return {};
    Pausa(pausaMs);
    if (canal().Perdido()) {
        InformarPerdida(mensajes().msgErrLecPuerto);
        return {};
    }
    if (!canal().Abierto())
        return {};

    ++contadores.lecturas;
    const uint64_t sesionPuerto = canal().Generacion();
    const QDeadlineTimer hasta(static_cast<qint64>(tiempos().esperaLecturaS) * 1000, Qt::PreciseTimer);
    std::string recogido;
    for (;;) {
        recogido += canal().LeerTodo();
        if (!recogido.empty() || hasta.hasExpired())
            break;
        canal().EsperarDatos(hasta);
        if (canal().Perdido()) {
            InformarPerdida(mensajes().msgErrLecPuerto);
            return {};
        }
        if (!canal().Abierto() || canal().Generacion() != sesionPuerto)
            return {};
    }
    return NormalizarRespuesta(recogido);
}

uint64_t BytesRecibidos()
{
    return canal().Leidos();
}

bool EnviarComando(const std::string& comando, std::string& respuesta, int16_t modelo, int limiteSegundos)
{
    respuesta.clear();
    const std::string& prompt = PromptModelo(modelo);
    if (prompt.empty() || !Utilizable())
        return false;

    const uint64_t sesionPuerto = canal().Generacion();
    Pausa(tiempos().pausaComandoMs);
    // The reply is what the console sends after the command: output still waiting
    // from before (the tail of an earlier reply, stray prompts) is not part of it.
    if (canal().Abierto())
        canal().LeerTodo();
    EscribirPuerto(comando);

    const QDeadlineTimer limite(static_cast<qint64>(limiteSegundos) * 1000, Qt::PreciseTimer);
    size_t paginasRespondidas = 0;
    for (;;) {
        respuesta += LeerPuerto(tiempos().pausaLecturaMs);
        // Closed by a cancel or lost: the reply is incomplete, the exchange failed.
        if (!canal().Abierto() || canal().Generacion() != sesionPuerto)
            return false;

        // Each paging prompt is answered once, when it arrives; answering it again
        // would leave stray prompts to end the next command's reply early.
        const size_t paginas = Ocurrencias(respuesta, kPaginado5660) + Ocurrencias(respuesta, kPaginado812);
        if (paginas > paginasRespondidas) {
            paginasRespondidas = paginas;
            EscribirPuerto(std::string());
        }

        if (limiteSegundos != 0 && limite.hasExpired()) {
            EscribirPuerto(kInterrupcion);
            return true;
        }

        const size_t desde = respuesta.size() > kVentanaPrompt ? respuesta.size() - kVentanaPrompt : 0;
        if (respuesta.find(prompt, desde) != std::string::npos)
            return true;
    }
}

void DescartarHastaSilencio(int silencioMs, int maximoMs)
{
    if (!canal().Abierto())
        return;
    // The closing quiet spell is a fixed cost of every log-on: counted with the pauses
    // for the pacing figures.
    contadores.pausasMs += silencioMs;
    const QDeadlineTimer total(maximoMs, Qt::PreciseTimer);
    for (;;) {
        canal().LeerTodo();
        QDeadlineTimer quieto(silencioMs, Qt::PreciseTimer);
        if (total.deadlineNSecs() < quieto.deadlineNSecs())
            quieto = total;
        const bool llego = canal().Esperar(quieto, [] { return canal().Disponibles() > 0; });
        if (!llego || !canal().Abierto() || total.hasExpired())
            return;
    }
}

bool EnviarOrden(const std::string& comando, std::string& respuesta, int16_t modelo)
{
    respuesta.clear();
    if (!Utilizable())
        return false;
    if (avisoProgreso())
        avisoProgreso()(comando);
    const bool ok = EnviarComando(comando, respuesta, modelo, 0);
    return ok && PuertoAbierto();
}

void FijarAvisoProgreso(AvisoProgreso aviso)
{
    avisoProgreso() = std::move(aviso);
}

void FijarLimiteSilencio(int segundos)
{
    canal().FijarLimiteSilencio(segundos > 0 ? segundos * 1000 : 0);
}

void CerrarPuerto()
{
    QString error;
    if (!canal().Cerrar(error))
        MostrarError(ToL1(error));
}

void Esperar(int ms)
{
    if (ms <= 0)
        return;
    canal().Pausa(ms);
}

std::string NormalizarRespuesta(const std::string& texto)
{
    // Backspaces as a terminal shows them: each one takes the character before it
    // (a backspace with nothing before it just goes).
    std::string sinRetroceso;
    sinRetroceso.reserve(texto.size());
    for (char c : texto) {
        if (c == '\b') {
            if (!sinRetroceso.empty())
                sinRetroceso.pop_back();
        } else {
            sinRetroceso.push_back(c);
        }
    }
    // Line feeds and NULs go; every carriage return becomes CR LF.
    std::string resultado;
    resultado.reserve(sinRetroceso.size() + sinRetroceso.size() / 16);
    for (char c : sinRetroceso) {
        if (c == '\n' || c == '\0')
            continue;
        resultado.push_back(c);
        if (c == '\r')
            resultado.push_back('\n');
    }
    return resultado;
}

} // namespace tesedra
