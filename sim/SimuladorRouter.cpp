#include "sim/SimuladorRouter.h"
#include "console/Respuesta.h"
#include "base/Latin1.h"

#include <QFile>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

// The reply data built into the library (sim/datos_sim.qrc).
static void CargarRecursosSimulador()
{
    Q_INIT_RESOURCE(datos_sim);
}

namespace tesedra::sim {

namespace {

// The routers' own texts, written out here rather than taken from the console link:
// the simulator stands for the router, so a wrong prompt in the program shows against it.
const std::string kPrompt5660 = "Command->";
const std::string kPrompt812 = "3Com-DSL>";
const std::string kPagina5660 = "Press any key to continue";
const std::string kPagina812 = "---Press <return> or type More for more";
const std::string kPidePassword = "Password: ";
const std::string kSetup812 = "The unit has not been configured yet. Setup? (y/n)";

// The console's line: 8 data bits, no parity, 1 stop bit, at the model's speed.
speed_t VelocidadModelo(int16_t modelo)
{
    return modelo == 1 ? B38400 : B9600;
}

void AjustarLinea(termios& t, int16_t modelo)
{
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
    t.c_cflag |= CS8;
    cfsetispeed(&t, VelocidadModelo(modelo));
    cfsetospeed(&t, VelocidadModelo(modelo));
}

void Reemplazar(std::string& texto, const std::string& de, const std::string& a)
{
    if (de.empty())
        return;
    for (size_t p = texto.find(de); p != std::string::npos; p = texto.find(de, p + a.size()))
        texto.replace(p, de.size(), a);
}

} // namespace

SimuladorRouter::SimuladorRouter(OpcionesSimulador o, QObject* parent) : QObject(parent), o_(std::move(o))
{
    CargarRecursosSimulador();
    reloj_ = new QTimer(this);
    reloj_->setSingleShot(true);
    reloj_->setTimerType(Qt::PreciseTimer);
    connect(reloj_, &QTimer::timeout, this, [this] {
        enPausa_ = false;
        Bombear();
    });
    ritmoReloj_ = new QTimer(this);
    ritmoReloj_->setSingleShot(true);
    ritmoReloj_->setTimerType(Qt::PreciseTimer);
    connect(ritmoReloj_, &QTimer::timeout, this, &SimuladorRouter::Bombear);
    asincrono_ = new QTimer(this);
    asincrono_->setSingleShot(true);
    asincrono_->setInterval(0);
    connect(asincrono_, &QTimer::timeout, this, &SimuladorRouter::ProcesarPendientes);
    reintento_ = new QTimer(this);
    reintento_->setSingleShot(true);
    reintento_->setInterval(100);
    connect(reintento_, &QTimer::timeout, this, [this] {
        if (lectura_)
            lectura_->setEnabled(true);
    });
}

SimuladorRouter::~SimuladorRouter()
{
    Desaparecer();
}

OpcionesSimulador& SimuladorRouter::Opciones()
{
    return o_;
}

const std::string& SimuladorRouter::Prompt() const
{
    return o_.modelo == 1 ? kPrompt5660 : kPrompt812;
}

const std::string& SimuladorRouter::TextoPaginado() const
{
    return o_.modelo == 1 ? kPagina5660 : kPagina812;
}

QString SimuladorRouter::RutaDispositivo() const
{
    return ruta_;
}

const std::vector<std::string>& SimuladorRouter::LineasRecibidas() const
{
    return recibidas_;
}

void SimuladorRouter::FijarRespuesta(const std::string& comando, const std::string& respuesta)
{
    fijadas_[RecortarBlancos(comando)] = respuesta;
}

bool SimuladorRouter::Iniciar()
{
    if (!o_.transcripcion.isEmpty() && !CargarReproduccion())
        return false;
    if (!CargarTabla())
        return false;

    // Neither end is handed down to programs started meanwhile (a test that runs the
    // command-line tool against this simulator): a copy held by them would keep the
    // pseudo-terminal alive after the router vanished.
    maestro_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (maestro_ < 0 || grantpt(maestro_) != 0 || unlockpt(maestro_) != 0) {
        std::fprintf(stderr, "tesedra-routersim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
        Desaparecer();
        return false;
    }
    const char* nombre = ptsname(maestro_);
    if (!nombre) {
        std::fprintf(stderr, "tesedra-routersim: no name for the pseudo-terminal: %s\n", std::strerror(errno));
        Desaparecer();
        return false;
    }
    ruta_ = QString::fromLocal8Bit(nombre);
    fcntl(maestro_, F_SETFL, fcntl(maestro_, F_GETFL) | O_NONBLOCK);

    // The simulator holds the serial end open itself, in raw mode and with the line
    // settings of its model: the line never echoes on its own, and the master never
    // reads "no one there" between the program's sessions.
    esclavo_ = ::open(nombre, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (esclavo_ >= 0) {
        termios t{};
        if (tcgetattr(esclavo_, &t) == 0) {
            cfmakeraw(&t);
            AjustarLinea(t, o_.modelo);
            tcsetattr(esclavo_, TCSANOW, &t);
        }
    }

    lectura_ = new QSocketNotifier(maestro_, QSocketNotifier::Read, this);
    connect(lectura_, &QSocketNotifier::activated, this, &SimuladorRouter::AlLeer);
    escritura_ = new QSocketNotifier(maestro_, QSocketNotifier::Write, this);
    escritura_->setEnabled(false);
    connect(escritura_, &QSocketNotifier::activated, this, [this] {
        escritura_->setEnabled(false);
        Bombear();
    });
    return true;
}

bool SimuladorRouter::IniciarEnMemoria()
{
    if (!CargarTabla())
        return false;
    enMemoria_ = true;
    return true;
}

void SimuladorRouter::Teclear(const std::string& bytes)
{
    for (size_t i = 0; i < bytes.size() && Abierto(); ++i)
        ProcesarByte(bytes[i]);
    // What was typed ahead during a reply runs now: there is no event loop to wait for.
    ProcesarPendientes();
}

std::string SimuladorRouter::TomarSalida()
{
    std::string s;
    s.swap(memoria_);
    return s;
}

void SimuladorRouter::Desaparecer()
{
    enMemoria_ = false;
    delete lectura_;
    lectura_ = nullptr;
    delete escritura_;
    escritura_ = nullptr;
    if (maestro_ >= 0)
        ::close(maestro_);
    maestro_ = -1;
    if (esclavo_ >= 0)
        ::close(esclavo_);
    esclavo_ = -1;
    if (reloj_)
        reloj_->stop();
    if (ritmoReloj_)
        ritmoReloj_->stop();
    cola_.clear();
    salida_.clear();
    pendiente_.clear();
    enPausa_ = false;
    estado_ = Estado::Callado;
}

// ---- reply table ----

QString SimuladorRouter::LeerDato(const QString& fichero) const
{
    QString carpeta = o_.carpetaDatos;
    if (carpeta.isEmpty())
        carpeta = o_.modelo == 1 ? QStringLiteral(":/sim/data/5660") : QStringLiteral(":/sim/data/812");
    QFile f(carpeta + QLatin1Char('/') + fichero);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll());
}

bool SimuladorRouter::CargarTabla()
{
    // comandos.txt: one pattern per line, "words | reply file"; "<x>" stands for any
    // one word, whose value replaces {x} in the reply; "*" is the reply to anything else.
    const QString tabla = LeerDato(QStringLiteral("comandos.txt"));
    if (tabla.isEmpty()) {
        std::fprintf(stderr, "tesedra-routersim: no reply table (comandos.txt) in the data folder\n");
        return false;
    }
    patrones_.clear();
    for (const QString& linea : tabla.split(QLatin1Char('\n'))) {
        const QString l = linea.trimmed();
        if (l.isEmpty() || l.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype barra = l.lastIndexOf(QLatin1Char('|'));
        if (barra < 0)
            continue;
        Patron p;
        p.palabras = l.left(barra).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        p.fichero = l.mid(barra + 1).trimmed();
        if (!p.palabras.isEmpty() && !p.fichero.isEmpty())
            patrones_.push_back(p);
    }
    return !patrones_.empty();
}

std::vector<SimuladorRouter::Tramo> SimuladorRouter::TramosDe(const std::string& texto,
                                                              const std::map<QString, QString>& valores) const
{
    // A reply file: every line is printed with CR LF, except directives:
    //   "@pausa N"  N milliseconds pass (the command is still running)
    //   "@prompt"   the prompt shows now; what follows keeps coming after it
    //   "@ ..."     a comment;  "@@..." a line that starts with "@"
    std::string t = texto;
    for (const auto& [clave, valor] : valores)
        Reemplazar(t, QStringLiteral("{%1}").arg(clave).toStdString(), ToL1(valor));

    std::vector<std::string> lineas;
    size_t desde = 0;
    while (desde <= t.size()) {
        size_t fin = t.find('\n', desde);
        if (fin == std::string::npos)
            fin = t.size();
        std::string l = t.substr(desde, fin - desde);
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        lineas.push_back(l);
        desde = fin + 1;
    }
    if (!lineas.empty() && lineas.back().empty())
        lineas.pop_back();

    // Lines printed before the prompt (only those are paged).
    int antesDelPrompt = 0;
    for (const auto& l : lineas) {
        if (l == "@prompt")
            break;
        if (l.empty() || l[0] != '@' || l.rfind("@@", 0) == 0)
            ++antesDelPrompt;
    }

    std::vector<Tramo> tramos;
    int impresas = 0;
    bool trasPrompt = false;
    for (const auto& l : lineas) {
        if (!l.empty() && l[0] == '@' && l.rfind("@@", 0) != 0) {
            if (l.rfind("@pausa", 0) == 0) {
                Tramo p;
                p.tipo = Tramo::Tipo::Pausa;
                p.ms = std::max(0, std::atoi(l.c_str() + 6));
                tramos.push_back(p);
            } else if (l == "@prompt") {
                Tramo p;
                p.tipo = Tramo::Tipo::Prompt;
                tramos.push_back(p);
                trasPrompt = true;
            }
            continue;
        }
        Tramo tx;
        tx.texto = (l.rfind("@@", 0) == 0 ? l.substr(1) : l) + "\r\n";
        tramos.push_back(tx);
        ++impresas;
        if (!trasPrompt && o_.paginado > 0 && impresas % o_.paginado == 0 && impresas < antesDelPrompt) {
            Tramo pg;
            pg.tipo = Tramo::Tipo::Pagina;
            tramos.push_back(pg);
        }
    }
    return tramos;
}

std::vector<SimuladorRouter::Tramo> SimuladorRouter::RespuestaPara(const std::string& linea)
{
    std::map<QString, QString> valores;
    valores[QStringLiteral("linea")] = L1(linea);

    const auto fijada = fijadas_.find(linea);
    if (fijada != fijadas_.end())
        return TramosDe(fijada->second, valores);

    const QStringList palabras = L1(linea).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const Patron* elegido = nullptr;
    const Patron* otro = nullptr;
    for (const auto& p : patrones_) {
        if (p.palabras.size() == 1 && p.palabras[0] == QLatin1String("*")) {
            if (!otro)
                otro = &p;
            continue;
        }
        if (p.palabras.size() != palabras.size())
            continue;
        std::map<QString, QString> ligadas;
        bool casa = true;
        for (qsizetype i = 0; i < palabras.size() && casa; ++i) {
            const QString& w = p.palabras[i];
            if (w.size() > 2 && w.startsWith(QLatin1Char('<')) && w.endsWith(QLatin1Char('>')))
                ligadas[w.mid(1, w.size() - 2)] = palabras[i];
            else
                casa = w.compare(palabras[i], Qt::CaseInsensitive) == 0;
        }
        if (casa) {
            valores.insert(ligadas.begin(), ligadas.end());
            elegido = &p;
            break;
        }
    }
    if (!elegido)
        elegido = otro;
    if (!elegido)
        return {};
    const QString datos = LeerDato(elegido->fichero);
    if (datos.isNull()) {
        std::fprintf(stderr, "tesedra-routersim: reply file %s is missing\n", qPrintable(elegido->fichero));
        return {};
    }
    return TramosDe(ToL1(datos), valores);
}

// ---- input ----

bool SimuladorRouter::LineaCorrecta() const
{
    // On Linux the master reports the settings of the serial end, which are the ones
    // its user opened it with. A pseudo-terminal there keeps 8 data bits and drops the
    // parity enable bit whatever is asked, so of a wrong parity only the odd, mark and
    // space bits remain to be seen.
    termios t{};
    if (tcgetattr(maestro_, &t) != 0)
        return false;
    tcflag_t paridad = PARENB | PARODD;
#ifdef CMSPAR
    paridad |= CMSPAR;
#endif
    return cfgetispeed(&t) == VelocidadModelo(o_.modelo) && cfgetospeed(&t) == VelocidadModelo(o_.modelo)
           && (t.c_cflag & CSIZE) == CS8 && (t.c_cflag & paridad) == 0 && (t.c_cflag & CSTOPB) == 0;
}

void SimuladorRouter::Registrar(const std::string& linea)
{
    recibidas_.push_back(linea);
}

void SimuladorRouter::AlLeer()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(maestro_, buf, sizeof buf);
        if (n > 0) {
            // Characters sent with other line settings reach a real console as noise:
            // it answers none of them.
            if (!LineaCorrecta())
                continue;
            for (ssize_t i = 0; i < n && maestro_ >= 0; ++i)
                ProcesarByte(buf[i]);
            if (maestro_ < 0)
                return;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // No one holds the serial end: look again a little later.
        if (lectura_) {
            lectura_->setEnabled(false);
            reintento_->start();
        }
        return;
    }
}

void SimuladorRouter::ProcesarByte(char c)
{
    if (c == '\n')
        return;

    if (o_.silencioso || estado_ == Estado::Callado) {
        if (c == '\r') {
            Registrar(linea_);
            linea_.clear();
        } else if (c == '\x03') {
            Registrar(std::string(1, c));
        } else {
            linea_.push_back(c);
        }
        return;
    }

    if (reproduccion_) {
        ProcesarByteReproduccion(c);
        return;
    }

    switch (estado_) {
    case Estado::Dormido:
        if (c == '\r') {
            Registrar(linea_);
            linea_.clear();
            if (o_.pedirPassword) {
                EncolarTexto("\r\n" + kPidePassword);
                estado_ = Estado::Password;
            } else {
                EncolarTexto("\r\n");
                Encolar(TramosDe(ToL1(LeerDato(QStringLiteral("bienvenida.txt"))), {}), true);
            }
            Bombear();
        }
        return;

    case Estado::Password:
        if (c == '\r') {
            const std::string dada = linea_;
            Registrar(dada);
            linea_.clear();
            if (dada == o_.password) {
                EncolarTexto("\r\n");
                auto tramos = TramosDe(ToL1(LeerDato(QStringLiteral("bienvenida.txt"))), {});
                if (o_.modelo == 2 && o_.preguntaSetup) {
                    setupPendiente_ = true;
                    Tramo s;
                    s.texto = kSetup812 + "\r\n";
                    tramos.push_back(s);
                }
                Encolar(std::move(tramos), true);
            } else {
                EncolarTexto(o_.modelo == 1 ? "\r\nInvalid password.\r\n" + kPidePassword
                                            : "\r\nLogin incorrect\r\n" + kPidePassword);
            }
            Bombear();
        } else if (c == '\b' || c == '\x7f') {
            if (!linea_.empty())
                linea_.pop_back();
        } else if (c != '\x03') {
            linea_.push_back(c);
        }
        return;

    case Estado::Prompt:
        if (c == '\r') {
            LineaCompleta();
        } else if (c == '\x03') {
            Registrar(std::string(1, c));
            Interrumpir();
        } else if (c == '\b' || c == '\x7f') {
            if (!linea_.empty()) {
                linea_.pop_back();
                Emitir("\b \b");
            }
        } else {
            linea_.push_back(c);
            Emitir(std::string(1, c));
        }
        return;

    case Estado::Ejecutando:
        if (c == '\x03') {
            Registrar(std::string(1, c));
            Interrumpir();
        } else {
            pendiente_.push_back(c);
        }
        return;

    case Estado::Paginando:
        if (c == '\x03') {
            Registrar(std::string(1, c));
            Interrumpir();
            return;
        }
        // The 5660 goes on at any key; the 812 at a return (a typed "More" included).
        if (o_.modelo == 2 && c != '\r') {
            linea_.push_back(c);
            return;
        }
        Registrar(c == '\r' ? linea_ : std::string(1, c));
        linea_.clear();
        estado_ = Estado::Ejecutando;
        Emitir("\r\n");
        return;

    case Estado::Callado: return;
    }
}

void SimuladorRouter::LineaCompleta()
{
    const std::string linea = linea_;
    linea_.clear();
    Registrar(linea);
    Emitir("\r\n");
    Ejecutar(RecortarBlancos(linea));
}

void SimuladorRouter::Ejecutar(const std::string& linea)
{
    if (linea.empty()) {
        std::vector<Tramo> t;
        if (setupPendiente_) {
            Tramo s;
            s.texto = kSetup812 + "\r\n";
            t.push_back(s);
        }
        Encolar(std::move(t), true);
        return;
    }
    if (setupPendiente_) {
        const QString r = L1(linea).toLower();
        if (r == QLatin1String("n") || r == QLatin1String("no") || r == QLatin1String("y")
            || r == QLatin1String("yes")) {
            setupPendiente_ = false;
            Tramo s;
            s.texto = r.startsWith(QLatin1Char('n')) ? "Setup skipped.\r\n"
                                                     : "Setup is only available from the web interface.\r\n";
            Encolar({s}, true);
            return;
        }
    }
    Encolar(RespuestaPara(linea), true);
}

// ---- replay of a transcript ----

bool SimuladorRouter::CargarReproduccion()
{
    QFile f(o_.transcripcion);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tesedra-routersim: cannot read the transcript %s: %s\n", qPrintable(o_.transcripcion),
                     qPrintable(f.errorString()));
        return false;
    }
    const QByteArray datos = f.readAll();
    auto r = std::make_unique<Reproduccion>();
    std::string error;
    if (!r->Cargar(std::string(datos.constData(), static_cast<size_t>(datos.size())), error)) {
        std::fprintf(stderr, "tesedra-routersim: %s: %s\n", qPrintable(o_.transcripcion), error.c_str());
        return false;
    }
    o_.modelo = r->Modelo();
    reproduccion_ = std::move(r);
    return true;
}

void SimuladorRouter::EncolarSegmento(const std::vector<Reproduccion::Pieza>& piezas)
{
    std::vector<Tramo> tramos;
    for (const auto& p : piezas) {
        const long long ms = o_.pausaMaximaMs >= 0 ? std::min<long long>(p.pausaMs, o_.pausaMaximaMs) : p.pausaMs;
        if (ms > 0) {
            Tramo pausa;
            pausa.tipo = Tramo::Tipo::Pausa;
            pausa.ms = static_cast<int>(std::min<long long>(ms, 24LL * 3600 * 1000));
            tramos.push_back(pausa);
        }
        Tramo t;
        t.texto = p.bytes;
        tramos.push_back(std::move(t));
    }
    Encolar(std::move(tramos), false);
}

std::vector<SimuladorRouter::Tramo> SimuladorRouter::RespuestaDesconocida(const std::string& linea)
{
    // The model's own error reply: the table's catch-all entry.
    for (const auto& p : patrones_) {
        if (p.palabras.size() == 1 && p.palabras[0] == QLatin1String("*"))
            return TramosDe(ToL1(LeerDato(p.fichero)), {{QStringLiteral("linea"), L1(linea)}});
    }
    return {};
}

void SimuladorRouter::ProcesarByteReproduccion(char c)
{
    // The recorded output already holds the router's echo: nothing is echoed here.
    if (c != '\r') {
        linea_.push_back(c);
        return;
    }
    const std::string linea = linea_;
    linea_.clear();
    Registrar(linea);

    // The key that answers a paging prompt brings the rest of the reply.
    if (!segmentosPendientes_.empty()) {
        const auto segmento = std::move(segmentosPendientes_.front());
        segmentosPendientes_.pop_front();
        EncolarSegmento(segmento);
        return;
    }

    const bool enClave = esperandoClave_;
    const Reproduccion::Respuesta* r = reproduccion_->Siguiente(linea, enClave);
    if (!r || r->segmentos.empty()) {
        esperandoClave_ = false;
        const std::string texto = RecortarBlancos(linea);
        Emitir(linea + "\r\n");
        Encolar(texto.empty() ? std::vector<Tramo>{} : RespuestaDesconocida(texto), true);
        return;
    }
    esperandoClave_ = r->pideClave;
    for (size_t i = 1; i < r->segmentos.size(); ++i)
        segmentosPendientes_.push_back(r->segmentos[i]);
    EncolarSegmento(r->segmentos.front());
}

// ---- output ----

void SimuladorRouter::Emitir(const std::string& texto)
{
    // Echo and line ends go out at once, ahead of any output still queued.
    salida_ += texto;
    Bombear();
}

void SimuladorRouter::EncolarTexto(const std::string& texto)
{
    Tramo t;
    t.texto = texto;
    cola_.push_back(t);
}

void SimuladorRouter::Encolar(std::vector<Tramo> tramos, bool terminaConPrompt)
{
    const bool tienePrompt = std::any_of(tramos.begin(), tramos.end(),
                                         [](const Tramo& t) { return t.tipo == Tramo::Tipo::Prompt; });
    for (auto& t : tramos)
        cola_.push_back(std::move(t));
    if (terminaConPrompt && !tienePrompt) {
        Tramo p;
        p.tipo = Tramo::Tipo::Prompt;
        cola_.push_back(p);
    }
    estado_ = Estado::Ejecutando;
    Bombear();
}

void SimuladorRouter::MostrarPrompt()
{
    Encolar({}, true);
}

void SimuladorRouter::Interrumpir()
{
    cola_.clear();
    salida_.clear();
    enPausa_ = false;
    reloj_->stop();
    linea_.clear();
    EncolarTexto("^C\r\n");
    MostrarPrompt();
}

void SimuladorRouter::ProcesarPendientes()
{
    while (!pendiente_.empty() && estado_ == Estado::Prompt && Abierto()) {
        const char c = pendiente_.front();
        pendiente_.erase(0, 1);
        ProcesarByte(c);
    }
}

void SimuladorRouter::Bombear()
{
    if (!Abierto())
        return;
    for (;;) {
        if (!salida_.empty()) {
            EscribirAhora();
            if (!salida_.empty() || maestro_ < 0)
                return;
        }
        if (enPausa_ || estado_ == Estado::Paginando || estado_ == Estado::Callado || cola_.empty()) {
            ritmo_.invalidate();
            return;
        }
        Tramo t = std::move(cola_.front());
        cola_.pop_front();
        switch (t.tipo) {
        case Tramo::Tipo::Texto: salida_ += t.texto; break;
        case Tramo::Tipo::Pausa:
            if (enMemoria_)
                break;
            enPausa_ = true;
            reloj_->start(t.ms);
            break;
        case Tramo::Tipo::Pagina:
            salida_ += TextoPaginado();
            estado_ = Estado::Paginando;
            break;
        case Tramo::Tipo::Prompt:
            salida_ += Prompt();
            estado_ = Estado::Prompt;
            if (!pendiente_.empty() && !enMemoria_)
                asincrono_->start();
            break;
        }
    }
}

void SimuladorRouter::EscribirAhora()
{
    if (!Abierto()) {
        salida_.clear();
        return;
    }
    long long n = static_cast<long long>(salida_.size());
    if (o_.cortarTrasBytes >= 0)
        n = std::min(n, std::max(0LL, o_.cortarTrasBytes - enviados_));
    if (o_.desaparecerTrasBytes >= 0)
        n = std::min(n, std::max(0LL, o_.desaparecerTrasBytes - enviados_));
    if (o_.baudios > 0 && n > 0 && !enMemoria_) {
        // Ten bit times per character; the credit grows with the time since the
        // output started, so the pace holds whatever the timer granularity.
        if (!ritmo_.isValid()) {
            ritmo_.start();
            permitidos_ = 0;
        }
        const long long credito = 1 + ritmo_.elapsed() * o_.baudios / 10000 - permitidos_;
        if (credito <= 0) {
            const int msPorCaracter = std::max(1, 10000 / o_.baudios);
            ritmoReloj_->start(std::max(10, msPorCaracter));
            return;
        }
        n = std::min(n, credito);
    }
    if (n > 0 && enMemoria_) {
        memoria_.append(salida_, 0, static_cast<size_t>(n));
        salida_.erase(0, static_cast<size_t>(n));
        enviados_ += n;
    } else if (n > 0) {
        const ssize_t w = ::write(maestro_, salida_.data(), static_cast<size_t>(n));
        if (w > 0) {
            salida_.erase(0, static_cast<size_t>(w));
            enviados_ += w;
            permitidos_ += w;
        } else if (w < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (escritura_)
                escritura_->setEnabled(true);
            return;
        }
    }
    if (o_.desaparecerTrasBytes >= 0 && enviados_ >= o_.desaparecerTrasBytes) {
        Desaparecer();
        return;
    }
    if (o_.cortarTrasBytes >= 0 && enviados_ >= o_.cortarTrasBytes) {
        cola_.clear();
        salida_.clear();
        estado_ = Estado::Callado;
        return;
    }
    if (!salida_.empty() && !enMemoria_) {
        if (o_.baudios > 0)
            ritmoReloj_->start(std::max(10, 10000 / o_.baudios));
        else if (escritura_)
            escritura_->setEnabled(true);
    }
}

} // namespace tesedra::sim
