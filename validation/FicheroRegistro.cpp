#include "validation/FicheroRegistro.h"
#include "base/Latin1.h"

#include "crypto/Cripto.h"
#include "base/Dialogos.h"
#include "base/Idiomas.h"
#include "console/Tiempos.h"
#include "validation/TextosValidacion.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tesedra {

namespace {

constexpr qint64 kBloqueLectura = 1 << 20;

void Anadir(std::string& destino, const std::string& campo, bool separador = true)
{
    if (separador)
        destino += ';';
    destino += campo;
}

// Flushes the file's data to the disk. On Linux the folder entry of a new file is
// flushed too, so the file cannot vanish after a power cut while its record is
// reported as saved; Windows has no flush of a folder (its file systems journal
// the new entry).
bool SincronizarDisco(QFile& f, bool nuevo, QString& error)
{
#ifdef Q_OS_WIN
    Q_UNUSED(nuevo);
    // QFile::handle() is a descriptor of the C runtime Qt was built with, which
    // need not be this program's (msvcrt or ucrt): its number means nothing here.
    // The file is opened again by name, sharing it with the open QFile, and that
    // native handle flushed: FlushFileBuffers writes out the file's cached data,
    // whichever handle wrote it.
    const std::wstring ruta = QDir::toNativeSeparators(QFileInfo(f.fileName()).absoluteFilePath()).toStdWString();
    HANDLE h = CreateFileW(ruta.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool bien = h != INVALID_HANDLE_VALUE && FlushFileBuffers(h);
    if (!bien)
        error = qt_error_string(static_cast<int>(GetLastError()));
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    if (!bien)
        return false;
#else
    if (::fsync(f.handle()) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (nuevo) {
        const QByteArray carpeta = QFile::encodeName(QFileInfo(f.fileName()).absolutePath());
        const int fd = ::open(carpeta.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
#endif
    return true;
}

// Takes the day file's lock, trying again every few milliseconds until the wait runs
// out: a save holds it for milliseconds, where QLockFile's own wait would back off from
// 100 ms to seconds. The thread sleeps meanwhile, so no window event can start another
// save in the middle of this one. When the lock file cannot be created `sistema` gets
// errno, which QLockFile leaves as its failed open set it.
bool TomarBloqueo(QLockFile& bloqueo, int& sistema)
{
    const QDeadlineTimer limite(tiempos().esperaBloqueoRegistroMs);
    for (;;) {
        errno = 0;
        if (bloqueo.tryLock(0))
            return true;
        sistema = errno;
        if (bloqueo.error() != QLockFile::LockFailedError || limite.hasExpired())
            return false;
        QThread::msleep(static_cast<unsigned long>(tiempos().reintentoBloqueoRegistroMs));
    }
}

} // namespace

QString NombreFicheroDia(const QDate& fecha)
{
    return QStringLiteral("AI") + fecha.toString(QStringLiteral("ddMMyy")) + QStringLiteral(".txt");
}

QString RutaFicheroDia(const QString& carpeta, const QDate& fecha)
{
    // An empty folder names the root folder, as a folder text followed by "\AI..." would.
    if (carpeta.endsWith(QLatin1Char('/')) || carpeta.endsWith(QLatin1Char('\\')))
        return carpeta + NombreFicheroDia(fecha);
    return carpeta + QLatin1Char('/') + NombreFicheroDia(fecha);
}

std::string TextoNumeroRegistro(int64_t n)
{
    // The blank is the sign position of a positive number.
    char cifras[24];
    cifras[0] = ' ';
    const auto fin = std::to_chars(cifras + 1, cifras + sizeof cifras, n).ptr;
    // A negative number carries its sign in that position instead.
    return n < 0 ? std::string(cifras + 1, fin) : std::string(cifras, fin);
}

std::string TextoCorto(const ValoresInstalacion& v)
{
    std::string s;
    s.reserve(v.numeroRegistro.size() + v.telefono.size() + 1);
    Anadir(s, v.numeroRegistro, false);
    Anadir(s, v.telefono);
    return s;
}

std::string TextoCompleto(const ValoresInstalacion& v)
{
    // Members by their place in the record line, which differs from the order of the struct:
    // upstream rate after the modality, downstream before upstream, noise margins
    // before attenuations.
    static const auto kOrden = [] {
        std::array<std::string ValoresInstalacion::*, kNumCampos> orden{};
        for (const CampoValores& c : kCamposValores)
            orden[static_cast<size_t>(c.posicion)] = c.miembro;
        return orden;
    }();
    size_t total = kNumCampos;
    for (auto m : kOrden)
        total += (v.*m).size();
    std::string s;
    s.reserve(total);
    bool primero = true;
    for (auto m : kOrden) {
        Anadir(s, v.*m, !primero);
        primero = false;
    }
    return s;
}

bool ComponerRegistro(const ValoresInstalacion& v, std::string& linea)
{
    std::string e1, e2;
    if (!CifrarRegistro(TextoCorto(v), e1) || !CifrarRegistro(TextoCompleto(v), e2) || !AnadirResumen(e1 + e2, linea)) {
        linea.clear();
        MostrarError(mensajes().msgIntegridadFicheros, {});
        return false;
    }
    return true;
}

namespace {

// Counts the lines of an open file read from its start: every LF ends a line, and a
// final line without its line end counts too. `terminaEnLinea` tells whether the file
// is empty or its last byte is a LF, so an append starts on a line of its own.
bool Contar(QFile& f, int64_t& lineas, bool& terminaEnLinea, QString& error)
{
    lineas = 0;
    terminaEnLinea = true;
    QByteArray bloque;
    bloque.resize(kBloqueLectura);
    for (;;) {
        const qint64 leidos = f.read(bloque.data(), bloque.size());
        if (leidos < 0) {
            error = f.errorString();
            return false;
        }
        if (leidos == 0)
            break;
        const char* p = bloque.constData();
        const char* fin = p + leidos;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(fin - p))))) {
            ++lineas;
            ++p;
        }
        terminaEnLinea = bloque[leidos - 1] == '\n';
    }
    if (!terminaEnLinea)
        ++lineas;
    return true;
}

} // namespace

int64_t ContarLineas(const QString& ruta)
{
    if (!ExisteFichero(ruta))
        return 0;
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    int64_t lineas = 0;
    bool terminaEnLinea = true;
    QString error;
    if (!Contar(f, lineas, terminaEnLinea, error))
        return -1;
    return lineas;
}

bool ExisteFichero(const QString& ruta)
{
    if (ruta.isEmpty())
        return false;
    const QFileInfo info(ruta);
    return info.exists() && info.isFile();
}

bool GuardarValidacion(const QString& carpeta, ValoresInstalacion& v, QString* ruta, const QDate& fecha)
{
    const QString camino = RutaFicheroDia(carpeta, fecha);
    if (ruta)
        *ruta = camino;

    auto fallo = [](const QString& motivo) {
        MostrarError(mensajes().msgErrGrabarValidacion + ": " + ToL1(motivo), {});
        return false;
    };
    // The system's words alone ("Permission denied") do not say which file: it is named.
    auto falloEn = [&](const QString& motivo) {
        return fallo(QDir::toNativeSeparators(camino) + QStringLiteral(": ") + motivo);
    };

    // Other programs may save into the same day file at the same time: the desktop
    // program and a command-line save, or two technicians on a shared folder. The lock
    // is held from the count to the flush, so each save counts the lines of the others
    // and no two records take the same number. A lock file left by a program that died
    // holding it is stale (its process is gone, or on another machine it is older than
    // QLockFile's 30 s) and is taken over.
    QLockFile bloqueo(RutaBloqueo(camino));
    int sistema = 0;
    if (!TomarBloqueo(bloqueo, sistema)) {
        const bool ocupado = bloqueo.error() == QLockFile::LockFailedError;
        const QString dia = QDir::toNativeSeparators(camino);
        QString motivo =
            ocupado ? L1(Traducir(kTxtRegistroOcupado)).arg(dia)
                    : L1(Traducir(kTxtBloqueoImposible)).arg(dia, QDir::toNativeSeparators(bloqueo.fileName()));
#ifdef Q_OS_WIN
        Q_UNUSED(sistema);
#else
        if (!ocupado && sistema != 0)
            motivo += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(sistema)));
#endif
        return fallo(motivo);
    }

    // The count and the append use one open handle of an existing file, so the
    // number given is the position the line takes. Writes go to the end of the file
    // whatever its position (append mode), so not even a writer that ignores the lock
    // can have its line written over.
    QFile f(camino);
    const bool existia = ExisteFichero(camino);
    int64_t lineas = 0;
    bool terminaEnLinea = true;
    if (existia) {
        if (!f.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered) || !f.seek(0))
            return falloEn(f.errorString());
        QString error;
        if (!Contar(f, lineas, terminaEnLinea, error))
            return falloEn(error);
    }

    v.numeroRegistro = TextoNumeroRegistro(lineas + 1);
    std::string linea;
    if (!ComponerRegistro(v, linea))
        return fallo({});

    if (!existia) {
        // Created only now, so a failed sealing leaves no empty file behind.
        if (!f.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Append | QIODevice::Unbuffered))
            return falloEn(f.errorString());
    }

    // A last line cut short (no line end) keeps its own line: the new record starts
    // after a line end, so it stays readable and its number matches its position.
    QByteArray datos;
    datos.reserve(static_cast<qsizetype>(linea.size()) + 4);
    if (!terminaEnLinea)
        datos.append("\r\n", 2);
    datos.append(linea.data(), static_cast<qsizetype>(linea.size()));
    datos.append("\r\n", 2);

    const qint64 tamAnterior = f.size();
    QString error;
    bool bien = f.seek(tamAnterior);
    if (!bien)
        error = f.errorString();
    if (bien) {
        const qint64 escritos = f.write(datos);
        bien = escritos == datos.size() && f.flush();
        if (!bien)
            error = f.errorString();
    }
    if (bien)
        bien = SincronizarDisco(f, !existia, error);
    if (!bien) {
        // Nothing half-written stays behind: the file goes back to its old size.
        f.resize(tamAnterior);
        f.close();
        if (!existia)
            QFile::remove(camino);
        return falloEn(error);
    }
    f.close();
    return true;
}

} // namespace tesedra
