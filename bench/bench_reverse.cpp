// Throughput of the reverse validation over a folder of record files, against the
// same work done with OpenSSL's SHA-256 and Blowfish as a baseline.
//
// The folder (10 files of 5 000 record lines, one line in a hundred altered) is made
// once in a temporary folder with the program's own record line writer. Each run
// reads every file, checks and opens every line and writes one output file per
// record file. The baseline's output is compared with the program's before timing.
#include "crypto/Cripto.h"
#include "validation/FicheroRegistro.h"
#include "validation/ValidacionInversa.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <openssl/blowfish.h>
#include <openssl/sha.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

constexpr int kFicheros = 10;
constexpr int kLineasPorFichero = 5000;
constexpr int64_t kRegistros = int64_t(kFicheros) * kLineasPorFichero;

struct Carpetas {
    QTemporaryDir raiz;
    QString origen, destinoPropio, destinoBase;
    qint64 bytesOrigen = 0;
};

Carpetas& carpetas()
{
    static Carpetas c;
    return c;
}

tesedra::ValoresInstalacion Valores(int fichero, int linea)
{
    tesedra::ValoresInstalacion v;
    v.telefono = std::to_string(915000000 + fichero * 10000 + linea);
    v.tipoModem = "Efficient Speed Stream 5660";
    v.versionSW = "5.3.1 versi\xF3"
                  "n";
    v.mac = std::string("00:20:6F:0A:0B:").append(std::to_string(10 + linea % 89));
    v.ipLan = "192.168.1.1";
    v.mascaraLan = "255.255.255.0";
    v.ipWan = std::string("80.58.").append(std::to_string(linea % 250)).append(".33");
    v.ipRemota = "80.58.0.1";
    v.usuarioARC = "adslppp@telefonicanet";
    v.downStream = "2048";
    v.upStream = "320";
    v.dhcpInicio = "192.168.1.33";
    v.dhcpFin = "192.168.1.62";
    v.fecha = "05/12/2001 10:20:00";
    v.atenuacionSubida = "23";
    v.atenuacionBajada = "41";
    v.margenRuidoSubida = "12";
    v.margenRuidoBajada = "9";
    v.modalidadServicio = "ESTANDAR";
    v.veredictoVelocidad = "OK";
    v.veredictoRuido = "OK";
    v.veredictoAtenuacion = "OK";
    return v;
}

bool PrepararCarpeta()
{
    Carpetas& c = carpetas();
    if (!c.raiz.isValid())
        return false;
    QDir raiz(c.raiz.path());
    raiz.mkdir(QStringLiteral("origen"));
    raiz.mkdir(QStringLiteral("propio"));
    raiz.mkdir(QStringLiteral("base"));
    c.origen = raiz.filePath(QStringLiteral("origen"));
    c.destinoPropio = raiz.filePath(QStringLiteral("propio"));
    c.destinoBase = raiz.filePath(QStringLiteral("base"));
    for (int f = 0; f < kFicheros; ++f) {
        std::string contenido;
        for (int n = 1; n <= kLineasPorFichero; ++n) {
            tesedra::ValoresInstalacion v = Valores(f, n);
            v.numeroRegistro = tesedra::TextoNumeroRegistro(n);
            std::string linea;
            if (!tesedra::ComponerRegistro(v, linea))
                return false;
            if (n % 100 == 0)
                linea[linea.find('#') + 80] ^= 1; // one line in a hundred altered in E2
            contenido += linea;
            contenido += "\r\n";
        }
        QFile fichero(QDir(c.origen).filePath(tesedra::NombreFicheroDia(QDate(2001, 1, f + 1))));
        if (!fichero.open(QIODevice::WriteOnly)
            || fichero.write(contenido.data(), qint64(contenido.size())) != qint64(contenido.size()))
            return false;
        c.bytesOrigen += qint64(contenido.size());
    }
    return true;
}

// ---- The baseline: the same reading, checks, string work and writing, with OpenSSL.

class BaseOpenSsl {
public:
    BaseOpenSsl()
    {
        const std::string& k = tesedra::ClaveRegistro();
        BF_set_key(&clave_, int(k.size()), reinterpret_cast<const unsigned char*>(k.data()));
    }

    int64_t Carpeta(const QString& origen, const QString& destino)
    {
        int64_t lineas = 0;
        for (const QString& nombre : tesedra::FicherosRegistro(origen)) {
            QFile f(QDir(origen).filePath(nombre));
            if (!f.open(QIODevice::ReadOnly))
                return -1;
            const QByteArray datos = f.readAll();
            salida_.clear();
            salida_ += tesedra::CabeceraSalida();
            salida_ += "\r\n\r\n\r\n";
            std::string_view texto(datos.constData(), size_t(datos.size()));
            int64_t n = 1;
            while (!texto.empty()) {
                size_t lf = texto.find('\n');
                std::string_view linea = texto.substr(0, lf);
                texto = lf == std::string_view::npos ? std::string_view{} : texto.substr(lf + 1);
                if (!linea.empty() && linea.back() == '\r')
                    linea.remove_suffix(1);
                Linea(linea, n++);
                salida_ += "\r\n";
            }
            lineas += n - 1;
            QSaveFile s(QDir(destino).filePath(tesedra::NombreSalida(nombre)));
            if (!s.open(QIODevice::WriteOnly)
                || s.write(salida_.data(), qint64(salida_.size())) != qint64(salida_.size()) || !s.commit())
                return -1;
        }
        return lineas;
    }

private:
    static bool ResumenCoincide(std::string_view texto, std::string_view resumen)
    {
        unsigned char d[SHA256_DIGEST_LENGTH];
        SHA256(reinterpret_cast<const unsigned char*>(texto.data()), texto.size(), d);
        if (resumen.size() != 64)
            return false;
        static const char kHex[] = "0123456789abcdef";
        for (int i = 0; i < 32; ++i) {
            if (resumen[2 * i] != kHex[d[i] >> 4] || resumen[2 * i + 1] != kHex[d[i] & 15])
                return false;
        }
        return true;
    }

    static int Cifra(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    }

    // Opens a sealed text into `x`; the same results as the record cipher.
    bool Abrir(std::string_view sellado, std::string& x, bool& intacto)
    {
        static constexpr std::string_view kIlegible = "-- Registro incorrecto --;NOK";
        const size_t p = sellado.rfind('#');
        if (p == std::string_view::npos) {
            x.assign(kIlegible);
            return true;
        }
        const std::string_view hex = sellado.substr(0, p);
        intacto = ResumenCoincide(hex, sellado.substr(p + 1));
        const size_t largo = hex.size() / 2;
        x.resize(largo);
        for (size_t i = 0; i < largo; ++i) {
            const int a = Cifra(hex[2 * i]), b = Cifra(hex[2 * i + 1]);
            if (a < 0 || b < 0) {
                x.assign(kIlegible);
                return true;
            }
            x[i] = char((a << 4) | b);
        }
        if (largo == 0) {
            x.assign(kIlegible);
            return true;
        }
        auto* bytes = reinterpret_cast<unsigned char*>(x.data());
        const size_t bloques = largo / 8;
        for (size_t i = 0; i < bloques; ++i)
            BF_ecb_encrypt(bytes + 8 * i, bytes + 8 * i, &clave_, BF_DECRYPT);
        const unsigned k = bloques ? bytes[8 * bloques - 1] : 0;
        x.resize(largo - (k > 8 ? 0 : k));
        x += intacto ? ";OK" : "--Registro incorrecto --;NOK";
        return intacto;
    }

    void Linea(std::string_view linea, int64_t n)
    {
        const size_t pc = linea.rfind(';');
        if (pc == std::string_view::npos) {
            salida_ += "--Registro incorrecto--;NOK";
            return;
        }
        std::string numero(1, ' ');
        numero += std::to_string(n);
        const std::string_view cuerpo = linea.substr(0, pc);
        const bool lineaBien = ResumenCoincide(cuerpo, linea.substr(pc + 1));
        const size_t a = cuerpo.find('#');
        const size_t corte = (a == std::string_view::npos ? 0 : a + 1) + 64;
        const std::string_view e1 = cuerpo.substr(0, std::min(corte, cuerpo.size()));
        const std::string_view e2 = corte < cuerpo.size() ? cuerpo.substr(corte) : std::string_view{};
        bool intacto = false;
        const bool r2 = Abrir(e2, x_, intacto);
        auto primero = [](std::string_view x) { return x.substr(0, x.find(';')); };
        auto resto = [](std::string_view x) {
            const size_t p = x.find(';');
            return p == std::string_view::npos ? std::string_view{} : x.substr(p + 1);
        };
        if (lineaBien || r2) {
            if (primero(x_) == numero)
                salida_ += resto(x_);
            else
                salida_ += "\xBF\xBF\xBF" + x_ + "???;NOK";
            return;
        }
        if (!Abrir(e1, x_, intacto)) {
            salida_ += "--Registro incorrecto--;NOK";
            return;
        }
        if (primero(x_) == numero)
            salida_ += resto(x_);
        else
            salida_ += "\xBF\xBF\xBF" + x_.substr(0, x_.rfind(';')) + "???;NOK";
    }

    BF_KEY clave_{};
    std::string salida_, x_;
};

void InversaTesedra(benchmark::State& estado)
{
    const Carpetas& c = carpetas();
    for (auto _ : estado) {
        const tesedra::ResultadoInversa r = tesedra::EjecutarValidacionInversa(c.origen, c.destinoPropio);
        if (!r.Ok() || r.enSitio + r.movidos + r.danados != kRegistros) {
            estado.SkipWithError("the reverse validation run failed");
            return;
        }
    }
    estado.SetItemsProcessed(estado.iterations() * kRegistros);
    estado.SetBytesProcessed(estado.iterations() * c.bytesOrigen);
}

void InversaOpenSsl(benchmark::State& estado)
{
    const Carpetas& c = carpetas();
    BaseOpenSsl base;
    for (auto _ : estado) {
        if (base.Carpeta(c.origen, c.destinoBase) != kRegistros) {
            estado.SkipWithError("the baseline run failed");
            return;
        }
    }
    estado.SetItemsProcessed(estado.iterations() * kRegistros);
    estado.SetBytesProcessed(estado.iterations() * c.bytesOrigen);
}

BENCHMARK(InversaTesedra)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(InversaOpenSsl)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

class Recolector : public benchmark::ConsoleReporter {
public:
    Recolector() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> ritmo;

    double Ritmo(const std::string& prefijo) const
    {
        for (const auto& [nombre, r] : ritmo) {
            if (nombre.rfind(prefijo, 0) == 0)
                return r;
        }
        return 0;
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& r : runs) {
            if (r.error_occurred || r.run_type != Run::RT_Iteration)
                continue;
            auto it = r.counters.find("items_per_second");
            if (it != r.counters.end())
                ritmo[r.benchmark_name()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

bool MismasSalidas()
{
    const Carpetas& c = carpetas();
    tesedra::EjecutarValidacionInversa(c.origen, c.destinoPropio);
    BaseOpenSsl().Carpeta(c.origen, c.destinoBase);
    for (const QString& nombre : QDir(c.destinoPropio).entryList(QDir::Files)) {
        QFile a(QDir(c.destinoPropio).filePath(nombre)), b(QDir(c.destinoBase).filePath(nombre));
        if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.readAll() != b.readAll()) {
            std::fprintf(stderr, "outputs differ: %s\n", qPrintable(nombre));
            return false;
        }
    }
    return QDir(c.destinoPropio).entryList(QDir::Files).size() == kFicheros;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (!PrepararCarpeta()) {
        std::fprintf(stderr, "could not make the record folder\n");
        return 1;
    }
    std::printf("Folder: %d files, %lld records, %.1f MB\n", kFicheros, static_cast<long long>(kRegistros),
                double(carpetas().bytesOrigen) / 1e6);
    if (!MismasSalidas()) {
        std::fprintf(stderr, "the baseline and the program disagree; no timing\n");
        return 1;
    }
    Recolector rec;
    benchmark::RunSpecifiedBenchmarks(&rec);
    benchmark::Shutdown();

    const double propio = rec.Ritmo("InversaTesedra"), base = rec.Ritmo("InversaOpenSsl");
    if (propio > 0 && base > 0) {
        std::printf("\nReverse validation: %.0f records/s; OpenSSL baseline: %.0f records/s; ratio %.2f\n", propio,
                    base, propio / base);
        std::printf("A %lld-record folder takes %.3f s (goal: under 2 s, ratio at least 0.50)\n",
                    static_cast<long long>(kRegistros), double(kRegistros) / propio);
    }
    return 0;
}
