#include "ipconn/ConexionIP.h"

#include "base/Carpetas.h"
#include "base/Codigos.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "base/Latin1.h"
#include "console/Acceso.h"
#include "console/ComSerie.h"
#include "console/Respuesta.h"
#include "console/Transcripcion.h"
#include "ipconn/clsExecCmd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <climits>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tesedra {

#ifdef Q_OS_WIN
std::string DesdePaginaCodigos(const std::string& bytes, unsigned pagina)
{
    const int largo = static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX));
    const int n = largo ? MultiByteToWideChar(pagina, 0, bytes.data(), largo, nullptr, 0) : 0;
    std::wstring ancho(static_cast<size_t>(n), L'\0');
    if (n)
        MultiByteToWideChar(pagina, 0, bytes.data(), largo, ancho.data(), n);
    return ToL1(QString::fromWCharArray(ancho.data(), n));
}
#endif

bool EsDigito(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

namespace {

// 1 to 3 digits 0..9, nothing else.
std::optional<int> ValorDecimal(const QString& texto)
{
    if (texto.isEmpty() || texto.size() > 3)
        return std::nullopt;
    int v = 0;
    for (QChar c : texto) {
        if (!EsDigito(c))
            return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

std::string Minusculas(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// A line of a command's output as single-byte text. The commands write the
// locale's encoding (UTF-8 on Linux; on Windows the console's OEM code page, 850
// on a Spanish system): it is decoded, so that accented letters of a translated
// output show as themselves; what has no single-byte form becomes "?".
std::string AUnByte(const std::string& linea)
{
#ifdef Q_OS_WIN
    return DesdePaginaCodigos(linea, GetOEMCP());
#else
    const QString t = QString::fromLocal8Bit(linea.data(), static_cast<qsizetype>(linea.size()));
    return ToL1(t);
#endif
}

// The console command of a run from the router.
std::string ComandoRouter(bool tracert, const std::string& direccion)
{
    return (tracert ? std::string("traceroute ") : std::string("ping ")) + direccion;
}

} // namespace

bool ComprobarDigito(const QString& texto)
{
    if (texto.isEmpty() || EsDigito(texto.back()))
        return true;
    dialogos().Mensaje(IconoMensaje::Aviso, mensajes().msgFormatoNoValido, mensajes().msgRango9);
    return false;
}

std::optional<int> ValorOcteto(const QString& texto)
{
    auto v = ValorDecimal(texto);
    if (!v || *v > 255)
        return std::nullopt;
    return v;
}

bool ComprobarOcteto(const QString& texto)
{
    if (ValorOcteto(texto))
        return true;
    MostrarError(mensajes().msgRango255 + " " + mensajes().msgFormatoNoValido);
    return false;
}

std::optional<int> ValorRetardo(const QString& texto)
{
    return ValorDecimal(texto);
}

void MensajeRetardo()
{
    dialogos().Mensaje(IconoMensaje::Aviso, mensajes().msgFormatoNoValido, mensajes().msgRango999);
}

std::optional<std::string> DireccionIP(const std::array<QString, 4>& octetos)
{
    std::string d;
    for (size_t i = 0; i < octetos.size(); ++i) {
        const auto v = ValorOcteto(octetos[i]);
        if (!v)
            return std::nullopt;
        if (i)
            d += '.';
        d += std::to_string(*v);
    }
    return d;
}

bool CargarFichero(const QString& ruta, std::string& texto)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    texto.clear();
    std::string linea;
    auto acabarLinea = [&] {
        while (!linea.empty() && (linea.back() == '\r' || linea.back() == '\n'))
            linea.pop_back();
        if (!linea.empty())
            texto += AUnByte(linea) + "\r\n";
        linea.clear();
    };
    char buf[4096];
    for (;;) {
        const qint64 n = f.read(buf, sizeof buf);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        for (qint64 i = 0; i < n; ++i) {
            linea.push_back(buf[i]);
            if (buf[i] == '\n')
                acabarLinea();
        }
    }
    acabarLinea();
    return true;
}

QString LineaComandoPC(const QString& comspec, bool tracert, const std::string& direccion, const QString& carpeta)
{
    // A command interpreter in a folder with spaces goes quoted, or only its
    // first word would be started.
    QString l = comspec.contains(QLatin1Char(' ')) && !comspec.startsWith(QLatin1Char('"'))
                    ? QLatin1Char('"') + comspec + QLatin1Char('"')
                    : comspec;
    l += tracert ? QStringLiteral(" /c tracert -d -h 5 ") : QStringLiteral(" /c ping ");
    l += QString::fromLatin1(direccion);
    l += QStringLiteral(" > \"");
    QString c = carpeta;
    c.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (c.endsWith(QLatin1Char('\\')))
        c.chop(1); // a drive's root folder: no doubled separator
    l += c + QLatin1Char('\\') + QString::fromLatin1(kFicheroSalidaPC) + QLatin1Char('"');
    return l;
}

OpcionesPC& opcionesPC()
{
    static OpcionesPC p;
    return p;
}

ProgramaPC ProgramaPCPara(bool tracert, const std::string& direccion)
{
    const QString dir = QString::fromLatin1(direccion);
    const QString fijado = tracert ? opcionesPC().traceroute : opcionesPC().ping;
    const QString nombre = tracert ? QStringLiteral("traceroute") : QStringLiteral("ping");
    QString programa = fijado;
    if (programa.isEmpty()) {
        programa = QStandardPaths::findExecutable(nombre);
        if (programa.isEmpty())
            programa = QStandardPaths::findExecutable(nombre, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                                               QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
        if (programa.isEmpty())
            programa = nombre; // not found: the start fails and says so
    }
    if (tracert)
        return {programa, {QStringLiteral("-n"), QStringLiteral("-m"), QStringLiteral("5"), dir}};
    return {programa, {QStringLiteral("-c"), QStringLiteral("4"), dir}};
}

QString FicheroSalidaPC()
{
    const QString carpeta = opcionesPC().carpetaSalida.isEmpty() ? CarpetaPrograma() : opcionesPC().carpetaSalida;
    return QDir(carpeta).filePath(QString::fromLatin1(kFicheroSalidaPC));
}

QString PrepararComandoPC(clsExecCmd& proceso, bool tracert, const std::string& direccion)
{
#ifdef Q_OS_WIN
    QString comspec = qEnvironmentVariable("COMSPEC").trimmed();
    if (comspec.isEmpty()) {
        // No COMSPEC (a cleared environment): the system's own command interpreter.
        wchar_t sistema[MAX_PATH] = {};
        const UINT n = GetSystemDirectoryW(sistema, MAX_PATH);
        comspec = QDir::toNativeSeparators(
            QString::fromWCharArray(sistema, static_cast<qsizetype>(n < MAX_PATH ? n : 0))
            + QStringLiteral("/cmd.exe"));
    }
    proceso.setLineaComando(LineaComandoPC(comspec, tracert, direccion, QFileInfo(FicheroSalidaPC()).absolutePath()));
    return comspec;
#else
    // No command interpreter: the program and its arguments go as a list, and
    // the runner sends the output, standard error included, to the file.
    const ProgramaPC pc = ProgramaPCPara(tracert, direccion);
    proceso.setPrograma(pc.programa, pc.argumentos);
    proceso.setLineaComando(pc.programa + QLatin1Char(' ') + pc.argumentos.join(QLatin1Char(' ')));
    proceso.setFicheroSalida(FicheroSalidaPC());
    return pc.programa;
#endif
}

std::string EjecutarRouter(int16_t modelo, bool tracert, const std::string& direccion, int retardo)
{
    std::string resultado;
    std::string respuesta;
    Grabadora::Instancia().FijarOperacion(tracert ? "ip-traceroute" : "ip-ping");
    if (IniciarModelo(modelo) && EnviarComando(ComandoRouter(tracert, direccion), respuesta, modelo, retardo)) {
        if (modelo == kEfficient5660) {
            resultado = ResultadoRouter5660(respuesta, PromptModelo(modelo));
        } else {
            // A port already closed by a cancel does not wait at all.
            if (PuertoAbierto())
                Esperar(retardo * 1000);
            resultado = respuesta + LeerPuerto(0);
        }
    }
    CerrarPuerto();
    return resultado;
}

std::string ResultadoRouter5660(std::string respuesta, const std::string& prompt)
{
    const std::string promptMin = Minusculas(prompt);
    std::string resultado;
    for (;;) {
        const std::string linea = ExtraerLinea(respuesta, respuesta);
        if (linea.empty())
            break;
        if (Minusculas(linea).find(promptMin) != std::string::npos)
            resultado += linea.substr(std::min(prompt.size(), linea.size()));
        else
            resultado += linea;
    }
    return resultado;
}

} // namespace tesedra
