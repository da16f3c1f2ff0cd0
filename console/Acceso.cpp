#include "console/Acceso.h"

#include "console/ComSerie.h"
#include "console/Respuesta.h"
#include "console/Tiempos.h"
#include "console/Transcripcion.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "base/Sesion.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

namespace tesedra {

namespace {

std::string rutaDispositivo;

const std::string kPassword = "Password:";
const std::string kSetup = "Setup?";
constexpr size_t kVentanaPassword812 = 12;

bool AbrirModelo(int16_t modelo, int32_t baudios)
{
    // Each log-on starts the transcript of a new run.
    Grabadora::Instancia().Comenzar(modelo, rutaDispositivo.empty() ? RutaPuerto(sesion().Puerto) : rutaDispositivo);
    if (!rutaDispositivo.empty())
        return AbrirPuertoRuta(rutaDispositivo, baudios, "N", 8, 1);
    return AbrirPuerto(sesion().Puerto, baudios, "N", 8, 1);
}

void AtenderEventos()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

QDeadlineTimer PlazoAcceso()
{
    return QDeadlineTimer(static_cast<qint64>(tiempos().limiteAccesoS) * 1000, Qt::PreciseTimer);
}

// What one log-on dialogue has collected and done.
struct Dialogo {
    std::string recogido;  // everything the console sent, never cleared
    size_t avisos = 0;     // password prompts accounted for (answered or refused)
    size_t respuestas = 0; // passwords sent
    bool callada = true;   // the last round read nothing (true before the first)
    QDeadlineTimer plazo = PlazoAcceso();
};

// Times the console may refuse the password (asking again after each answer)
// before the log-on gives up, so that a wrong password cannot lock the account.
constexpr size_t kRespuestasClave = 3;

// One round of a log-on dialogue: window events, then what came back appended. The
// console is woken with an empty line only when it has been quiet: it answers every
// line, and a line sent while it is still printing a password prompt would land on
// that prompt as an empty password. False when the line cannot be sent (the port
// was closed).
bool Ronda(Dialogo& d)
{
    AtenderEventos();
    if (d.callada && !EscribirPuerto(std::string()))
        return false;
    const uint64_t antes = BytesRecibidos();
    d.recogido += LeerPuerto(tiempos().pausaLecturaMs);
    d.callada = BytesRecibidos() == antes;
    return true;
}

// The password for the prompts the console has shown and nobody answered yet: sent
// once, however many rounds the prompt stays in the collected text and however many
// prompts came at once. `aLaVista`: the model's rule says a prompt is waiting. False
// when it cannot be sent, or when the console asks again after the last answer
// allowed (reported as the time-out is, whose text names the password).
bool ResponderClave(Dialogo& d, bool aLaVista)
{
    const size_t vistos = Ocurrencias(d.recogido, kPassword);
    if (!aLaVista || vistos <= d.avisos)
        return true;
    d.avisos = vistos;
    if (d.respuestas == kRespuestasClave) {
        MostrarError(mensajes().msgTiempoModem);
        return false;
    }
    ++d.respuestas;
    return EscribirPuertoSecreto(sesion().ClaveModem);
}

bool TerminaCon(const std::string& texto, const std::string& buscado, size_t ventana)
{
    const size_t desde = texto.size() > ventana ? texto.size() - ventana : 0;
    return texto.find(buscado, desde) != std::string::npos;
}

// A dialogue ends at the first prompt it sees, but the console may still be sending:
// the rest of its banner, a prompt for each empty line sent while it was busy, the
// reply to a password typed again before the prompt had come. All of it is dropped
// before the first command, whose reply would otherwise begin with it or end at one
// of those prompts.
void DescartarColaAcceso()
{
    DescartarHastaSilencio(tiempos().pausaLecturaMs, tiempos().esperaLecturaS * 1000);
}

} // namespace

void FijarRutaDispositivo(const std::string& ruta)
{
    rutaDispositivo = ruta;
}

bool AccederEfficient5660()
{
    const std::string& prompt = PromptModelo(kEfficient5660);
    Dialogo d;
    for (;;) {
        if (!Ronda(d))
            return false;
        // The logged-on prompt is looked for first: once it has come, the password
        // must not be typed again at the command line.
        if (d.recogido.find(prompt) != std::string::npos)
            return true;
        if (!ResponderClave(d, true))
            return false;
        if (d.plazo.hasExpired()) {
            MostrarError(mensajes().msgTiempoModem);
            return false;
        }
    }
}

bool AccederOfficeRemote812()
{
    const std::string& prompt = PromptModelo(kOfficeRemote812);
    Dialogo d;
    for (;;) {
        if (!Ronda(d))
            return false;
        if (d.recogido.find(prompt) != std::string::npos)
            break;
        // The 812 is answered only while its password prompt ends what has come.
        if (!ResponderClave(d, TerminaCon(d.recogido, kPassword, kVentanaPassword812)))
            return false;
        if (d.plazo.hasExpired()) {
            MostrarError(mensajes().msgTiempoModem);
            return false;
        }
    }
    if (d.recogido.find(kSetup) != std::string::npos && !EscribirPuerto("n"))
        return false;
    return true;
}

bool IniciarEfficient5660()
{
    if (AbrirModelo(kEfficient5660, 38400) && AccederEfficient5660()) {
        DescartarColaAcceso();
        return true;
    }
    CerrarPuerto();
    return false;
}

bool IniciarOfficeRemote812()
{
    if (AbrirModelo(kOfficeRemote812, 9600) && AccederOfficeRemote812() && AccederOfficeRemote812()
        && AccederOfficeRemote812()) {
        DescartarColaAcceso();
        return true;
    }
    CerrarPuerto();
    return false;
}

bool IniciarModelo(int16_t modelo)
{
    if (modelo == kEfficient5660)
        return IniciarEfficient5660();
    if (modelo == kOfficeRemote812)
        return IniciarOfficeRemote812();
    return false;
}

} // namespace tesedra
