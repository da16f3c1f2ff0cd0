#include "validation/ValidacionInversa.h"
#include "base/Latin1.h"

#include "crypto/Cripto.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "validation/FicheroRegistro.h"
#include "validation/TextosValidacion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace tesedra {

namespace {

constexpr std::string_view kRegistroIncorrecto = "--Registro incorrecto--;NOK";
// What opening gives for a part that is no sealed text at all.
constexpr std::string_view kAbiertoIlegible = "-- Registro incorrecto --;NOK";
constexpr std::string_view kAbreFueraDeSitio = "\xBF\xBF\xBF";
constexpr std::string_view kCierraFueraDeSitio = "???;NOK";
constexpr std::string_view kFinLinea = "\r\n";
// Length of "#" and a digest: E2 begins this far after the first "#" of the body.
constexpr size_t kAlmohadillaYResumen = 65;
// Records between two progress reports inside one file.
constexpr int64_t kPasoProgreso = 4096;

// The first field of an opened text: up to its first ';' (the whole text without one).
std::string_view PrimerCampo(std::string_view x)
{
    const size_t p = x.find(';');
    return p == std::string_view::npos ? x : x.substr(0, p);
}

// The opened text without its first field.
std::string_view SinPrimerCampo(std::string_view x)
{
    const size_t p = x.find(';');
    return p == std::string_view::npos ? std::string_view{} : x.substr(p + 1);
}

// Calls `f` with each line of `texto`: every LF ends a line (a CR before it is dropped),
// and a final line without its line end is a line too.
template <typename F>
void PorCadaLinea(std::string_view texto, F&& f)
{
    size_t inicio = 0;
    while (inicio < texto.size()) {
        const void* lf = std::memchr(texto.data() + inicio, '\n', texto.size() - inicio);
        size_t fin = lf ? static_cast<size_t>(static_cast<const char*>(lf) - texto.data()) : texto.size();
        const size_t siguiente = lf ? fin + 1 : fin;
        if (lf && fin > inicio && texto[fin - 1] == '\r')
            --fin;
        f(texto.substr(inicio, fin - inicio));
        inicio = siguiente;
    }
}

void Contar(ResumenFichero& r, Veredicto v)
{
    switch (v) {
    case Veredicto::EnSitio: ++r.enSitio; break;
    case Veredicto::Movido: ++r.movidos; break;
    case Veredicto::Danado: ++r.danados; break;
    case Veredicto::Ilegible: ++r.ilegibles; break;
    }
}

} // namespace

Veredicto ValidadorLineas::Validar(std::string_view linea, int64_t n, std::string& salida)
{
    // A line without any ';' (an empty line among them) cannot be split into body
    // and digest: it is a damaged record, and the lines after it are still read.
    if (linea.find(';') == std::string_view::npos) {
        salida += kRegistroIncorrecto;
        return Veredicto::Ilegible;
    }

    char cifras[24];
    cifras[0] = ' ';
    const auto fin = std::to_chars(cifras + 1, cifras + sizeof cifras, n).ptr;
    numero_.assign(n < 0 ? cifras + 1 : cifras, fin); // as TextoNumeroRegistro writes it

    linea_.assign(linea);
    const bool lineaIntacta = ComprobarResumen(linea_, cuerpo_);

    // The first '#' ends E1's cipher part; E1 is that part with its '#' and digest,
    // E2 the rest of the body.
    const size_t almohadilla = cuerpo_.find('#');
    const size_t corte = (almohadilla == std::string::npos ? 0 : almohadilla + 1) + kAlmohadillaYResumen - 1;
    e1_.assign(cuerpo_, 0, std::min(corte, cuerpo_.size()));
    if (corte < cuerpo_.size())
        e2_.assign(cuerpo_, corte);
    else
        e2_.clear();

    bool intacto = false;
    const bool abiertoE2 = DescifrarRegistro(e2_, abierto_, intacto);
    if (lineaIntacta || abiertoE2) {
        const bool completoIntacto = abiertoE2 && intacto;
        const Veredicto falla = abierto_ == kAbiertoIlegible ? Veredicto::Ilegible : Veredicto::Danado;
        if (PrimerCampo(abierto_) == numero_) {
            salida += SinPrimerCampo(abierto_);
            return completoIntacto ? Veredicto::EnSitio : falla;
        }
        salida += kAbreFueraDeSitio;
        salida += abierto_;
        salida += kCierraFueraDeSitio;
        return completoIntacto ? Veredicto::Movido : falla;
    }

    // The full record is damaged: what the short record still tells.
    intacto = false;
    if (!DescifrarRegistro(e1_, abierto_, intacto)) {
        salida += kRegistroIncorrecto;
        return Veredicto::Ilegible;
    }
    const Veredicto falla = abierto_ == kAbiertoIlegible ? Veredicto::Ilegible : Veredicto::Danado;
    if (PrimerCampo(abierto_) == numero_) {
        salida += SinPrimerCampo(abierto_);
        return falla;
    }
    const size_t ultimo = abierto_.rfind(';');
    salida += kAbreFueraDeSitio;
    salida.append(abierto_, 0, ultimo == std::string::npos ? abierto_.size() : ultimo);
    salida += kCierraFueraDeSitio;
    return falla;
}

std::string ValidarLinea(const std::string& linea, int64_t n)
{
    ValidadorLineas validador;
    std::string salida;
    validador.Validar(linea, n, salida);
    return salida;
}

const std::string& CabeceraSalida()
{
    static const std::string cabecera =
        "Tfno;Tipo ATUR;Vers. Sw;MAC;IP Eth;Mask Eth;IP IPCP;IP Remota;Usuario;Downstream;"
        "DHCP Start;DHCP End;Fecha;Servicio;VIs;Mb;Ms;ATb;ATs;Estado_Velocidad;Estado_Ruido;"
        "Estado_Atenuaci\xF3"
        "n;C\xF3"
        "digo";
    return cabecera;
}

std::string ValidarContenido(std::string_view fuente, ResumenFichero* resumen,
                             const std::function<void(int64_t)>& porLinea)
{
    std::string salida;
    // The output is about half the source: the values are half the length of their
    // hexadecimal form, and the digests and markers stay short.
    salida.reserve(CabeceraSalida().size() + 6 + fuente.size() / 2 + 64);
    salida += CabeceraSalida();
    salida += kFinLinea;
    // The header is followed by two empty lines.
    salida += kFinLinea;
    salida += kFinLinea;

    ValidadorLineas validador;
    ResumenFichero cuenta;
    int64_t n = 1;
    PorCadaLinea(fuente, [&](std::string_view linea) {
        Contar(cuenta, validador.Validar(linea, n, salida));
        salida += kFinLinea;
        if (porLinea && n % kPasoProgreso == 0)
            porLinea(n);
        ++n;
    });
    if (resumen) {
        resumen->enSitio = cuenta.enSitio;
        resumen->movidos = cuenta.movidos;
        resumen->danados = cuenta.danados;
        resumen->ilegibles = cuenta.ilegibles;
    }
    return salida;
}

bool ResultadoInversa::Ok() const
{
    if (!error.isEmpty())
        return false;
    return std::all_of(ficheros.cbegin(), ficheros.cend(), [](const ResumenFichero& f) { return f.error.isEmpty(); });
}

QStringList FicherosRegistro(const QString& carpeta)
{
    QDir dir(carpeta);
    dir.setNameFilters({QStringLiteral("AI*.TXT")});
    // Broken links are listed too (System), so they are reported as unreadable rather
    // than passed over in silence; folders, pipes and devices are left out.
    dir.setFilter(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    QStringList nombres;
    const QFileInfoList entradas = dir.entryInfoList();
    for (const QFileInfo& e : entradas) {
        if (e.isFile() || (e.isSymLink() && !e.exists()))
            nombres.append(e.fileName());
    }
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

QString NombreSalida(const QString& nombreOrigen)
{
    const qsizetype punto = nombreOrigen.indexOf(QLatin1Char('.'));
    const QString base = punto < 0 ? nombreOrigen + QLatin1Char('.') : nombreOrigen.left(punto + 1);
    return base + QStringLiteral("des");
}

namespace {

bool LeerFichero(const QString& ruta, QByteArray& datos, QString& error)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        error = f.errorString();
        return false;
    }
    datos = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        error = f.errorString();
        return false;
    }
    return true;
}

// Writes the whole output under a temporary name and puts it in place only when
// complete, so a failed write never leaves a half-written file under its name.
bool EscribirSalida(const QString& ruta, const std::string& contenido, QString& error)
{
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) {
        error = QFileInfo(ruta).isDir() ? L1(Traducir(kTxtCarpetaEnMedio)) : f.errorString();
        return false;
    }
    const qint64 tam = static_cast<qint64>(contenido.size());
    if (f.write(contenido.data(), tam) != tam) {
        error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        error = f.errorString();
        if (QFileInfo(ruta).isDir())
            error = L1(Traducir(kTxtCarpetaEnMedio));
        return false;
    }
    return true;
}

// The fault of a source (`origen`) or destination folder, in the tables' language.
QString FalloCarpeta(bool origen, const QString& ruta)
{
    const QFileInfo info(ruta);
    if (ruta.isEmpty())
        return L1(Traducir(origen ? kTxtOrigenNoIndicado : kTxtDestinoNoIndicado));
    if (!info.exists())
        return L1(Traducir(origen ? kTxtOrigenNoEncontrado : kTxtDestinoNoEncontrado)).arg(ruta);
    if (!info.isDir())
        return L1(Traducir(origen ? kTxtOrigenNoEsCarpeta : kTxtDestinoNoEsCarpeta)).arg(ruta);
    return {};
}

} // namespace

ResultadoInversa EjecutarValidacionInversa(const QString& origen, const QString& destino,
                                           const FuncionProgreso& progreso)
{
    ResultadoInversa resultado;
    auto parar = [&](const QString& texto) {
        resultado.error = texto;
        MostrarError(ToL1(texto), {});
        return resultado;
    };

    QString fallo = FalloCarpeta(true, origen);
    if (fallo.isEmpty())
        fallo = FalloCarpeta(false, destino);
    if (!fallo.isEmpty())
        return parar(fallo);
    if (QFileInfo(origen).canonicalFilePath() == QFileInfo(destino).canonicalFilePath()) {
        resultado.carpetasIguales = true;
        resultado.error = L1(mensajes().msgDirectoriosIguales);
        MostrarInformacion(mensajes().msgDirectoriosIguales, {});
        return resultado;
    }
    if (!QFileInfo(origen).isReadable() || !QFileInfo(origen).isExecutable())
        return parar(L1(Traducir(kTxtOrigenIlegible)).arg(origen));

    const QStringList nombres = FicherosRegistro(origen);
    ProgresoInversa estado;
    estado.ficherosTotal = static_cast<int>(nombres.size());
    if (progreso)
        progreso(estado);

    const QDir dirOrigen(origen);
    const QDir dirDestino(destino);
    QSet<QString> salidasUsadas;
    QStringList fallos;
    for (const QString& nombre : nombres) {
        ResumenFichero resumen;
        resumen.origen = dirOrigen.filePath(nombre);
        resumen.destino = dirDestino.filePath(NombreSalida(nombre));

        QByteArray datos;
        QString error;
        if (salidasUsadas.contains(resumen.destino)) {
            // Two sources that give one output name: the second would replace the first.
            resumen.error = L1(Traducir(kTxtSalidaRepetida)).arg(resumen.origen, resumen.destino);
        } else if (!LeerFichero(resumen.origen, datos, error)) {
            resumen.error = L1(Traducir(kTxtFicheroIlegible)).arg(resumen.origen, error);
        } else {
            const int64_t previos = estado.registrosHechos;
            const std::string salida = ValidarContenido(
                std::string_view(datos.constData(), static_cast<size_t>(datos.size())), &resumen, [&](int64_t lineas) {
                    if (progreso) {
                        estado.registrosHechos = previos + lineas;
                        progreso(estado);
                    }
                });
            estado.registrosHechos = previos + resumen.Registros();
            datos.clear();
            if (EscribirSalida(resumen.destino, salida, error)) {
                salidasUsadas.insert(resumen.destino);
                ++resultado.ficherosEscritos;
                resultado.enSitio += resumen.enSitio;
                resultado.movidos += resumen.movidos;
                resultado.danados += resumen.danados;
                resultado.ilegibles += resumen.ilegibles;
            } else {
                resumen.error = L1(mensajes().msgErrEscFichero)
                                + QStringLiteral(": %1: %2").arg(resumen.destino, error);
            }
        }
        if (!resumen.error.isEmpty())
            fallos.append(resumen.error);
        resultado.ficheros.append(resumen);
        ++estado.ficherosHechos;
        if (progreso)
            progreso(estado);
    }

    // One message for all the files that could not be done; the others were written.
    if (!fallos.isEmpty())
        MostrarError(ToL1(fallos.join(QLatin1Char('\n'))), {});
    return resultado;
}

} // namespace tesedra
