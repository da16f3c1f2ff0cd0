#include "console/Acceso.h"

#include "console/ComSerie.h"
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

// One round of a log-on dialogue: window events, an empty line to wake the console
// (false when it cannot be sent: the port was closed), then what came back appended.
bool Ronda(std::string& recogido)
{
    AtenderEventos();
    if (!EscribirPuerto(std::string()))
        return false;
    recogido += LeerPuerto(tiempos().pausaLecturaMs);
    return true;
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
    const QDeadlineTimer plazo = PlazoAcceso();
    const std::string& prompt = PromptModelo(kEfficient5660);
    std::string recogido;
    for (;;) {
        if (!Ronda(recogido))
            return false;
        // The logged-on prompt is looked for first: once it has come, the password
        // must not be typed again at the command line.
        if (recogido.find(prompt) != std::string::npos)
            return true;
        if (recogido.find(kPassword) != std::string::npos && !EscribirPuertoSecreto(sesion().ClaveModem))
            return false;
        if (plazo.hasExpired()) {
            MostrarError(mensajes().msgTiempoModem);
            return false;
        }
    }
}

bool AccederOfficeRemote812()
{
    const QDeadlineTimer plazo = PlazoAcceso();
    const std::string& prompt = PromptModelo(kOfficeRemote812);
    std::string recogido;
    for (;;) {
        if (!Ronda(recogido))
            return false;
        if (TerminaCon(recogido, kPassword, kVentanaPassword812) && !EscribirPuertoSecreto(sesion().ClaveModem))
            return false;
        if (plazo.hasExpired()) {
            MostrarError(mensajes().msgTiempoModem);
            return false;
        }
        if (recogido.find(prompt) != std::string::npos)
            break;
    }
    if (recogido.find(kSetup) != std::string::npos && !EscribirPuerto("n"))
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
