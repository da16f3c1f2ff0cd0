// Throughput of this program's Blowfish and SHA-256 against OpenSSL's on the
// same buffers, and the cost of sealing and opening records. The ratios are
// printed after the runs.
#include "crypto/Blowfish.h"
#include "crypto/CSHA256.h"
#include "crypto/Cripto.h"

#include <openssl/blowfish.h>
#include <openssl/sha.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

std::vector<unsigned char> Datos(std::size_t n)
{
    std::vector<unsigned char> v(n);
    std::mt19937 azar(42);
    for (auto& b : v)
        b = static_cast<unsigned char>(azar());
    return v;
}

const std::string kClave = "clave de prueba para el banco";

void BlowfishPropio(benchmark::State& estado)
{
    auto datos = Datos(static_cast<std::size_t>(estado.range(0)));
    tesedra::BlowfishSetKey(kClave);
    for (auto _ : estado) {
        tesedra::BlowfishEncipherBytes(datos.data(), datos.size() / 8);
        benchmark::DoNotOptimize(datos.data());
        benchmark::ClobberMemory();
    }
    estado.SetBytesProcessed(std::int64_t(estado.iterations()) * estado.range(0));
}

void BlowfishOpenSsl(benchmark::State& estado)
{
    auto datos = Datos(static_cast<std::size_t>(estado.range(0)));
    BF_KEY clave;
    BF_set_key(&clave, static_cast<int>(kClave.size()), reinterpret_cast<const unsigned char*>(kClave.data()));
    for (auto _ : estado) {
        for (std::size_t i = 0; i < datos.size(); i += 8)
            BF_ecb_encrypt(datos.data() + i, datos.data() + i, &clave, BF_ENCRYPT);
        benchmark::DoNotOptimize(datos.data());
        benchmark::ClobberMemory();
    }
    estado.SetBytesProcessed(std::int64_t(estado.iterations()) * estado.range(0));
}

void Sha256Propio(benchmark::State& estado)
{
    const auto datos = Datos(static_cast<std::size_t>(estado.range(0)));
    for (auto _ : estado)
        benchmark::DoNotOptimize(tesedra::Sha256Bytes(datos.data(), datos.size()));
    estado.SetBytesProcessed(std::int64_t(estado.iterations()) * estado.range(0));
}

void Sha256Portable(benchmark::State& estado)
{
    const auto datos = Datos(static_cast<std::size_t>(estado.range(0)));
    for (auto _ : estado)
        benchmark::DoNotOptimize(tesedra::Sha256BytesPortable(datos.data(), datos.size()));
    estado.SetBytesProcessed(std::int64_t(estado.iterations()) * estado.range(0));
}

void Sha256OpenSsl(benchmark::State& estado)
{
    const auto datos = Datos(static_cast<std::size_t>(estado.range(0)));
    unsigned char resumen[32];
    for (auto _ : estado) {
        SHA256(datos.data(), datos.size(), resumen);
        benchmark::DoNotOptimize(resumen);
    }
    estado.SetBytesProcessed(std::int64_t(estado.iterations()) * estado.range(0));
}

// A record text of the usual size: 23 fields, about 300 characters.
std::string TextoRegistro()
{
    std::string t = " 1";
    for (int i = 0; i < 22; ++i)
        t += ";valor del campo " + std::to_string(i);
    return t;
}

void SellarRegistro(benchmark::State& estado)
{
    const std::string t = TextoRegistro();
    std::string sellado;
    for (auto _ : estado) {
        tesedra::CifrarRegistro(t, sellado);
        benchmark::DoNotOptimize(sellado.data());
    }
    estado.SetItemsProcessed(estado.iterations());
}

// What the reverse validation does per record line: check the line digest and
// open both sealed texts.
void AbrirLineaRegistro(benchmark::State& estado)
{
    const std::string t = TextoRegistro();
    std::string e1, e2, linea;
    tesedra::CifrarRegistro(" 1;912345678", e1);
    tesedra::CifrarRegistro(t, e2);
    tesedra::AnadirResumen(e1 + e2, linea);
    std::string cuerpo, x1, x2;
    bool intacto = false;
    for (auto _ : estado) {
        tesedra::ComprobarResumen(linea, cuerpo);
        tesedra::DescifrarRegistro(e2, x2, intacto);
        tesedra::DescifrarRegistro(e1, x1, intacto);
        benchmark::DoNotOptimize(x1.data());
        benchmark::DoNotOptimize(x2.data());
    }
    estado.SetItemsProcessed(estado.iterations());
}

void BlowfishPlanificacion(benchmark::State& estado)
{
    std::string clave = tesedra::ClaveRegistro();
    for (auto _ : estado) {
        clave[0] ^= 1; // a different key each time: the full schedule runs
        tesedra::BlowfishSetKey(clave);
    }
    estado.SetItemsProcessed(estado.iterations());
}

constexpr std::int64_t kKiB = 1024, kMiB = 1024 * 1024;

BENCHMARK(BlowfishPropio)->Arg(kKiB)->Arg(kMiB);
BENCHMARK(BlowfishOpenSsl)->Arg(kKiB)->Arg(kMiB);
BENCHMARK(Sha256Propio)->Arg(kKiB)->Arg(kMiB);
BENCHMARK(Sha256Portable)->Arg(kKiB)->Arg(kMiB);
BENCHMARK(Sha256OpenSsl)->Arg(kKiB)->Arg(kMiB);
BENCHMARK(SellarRegistro);
BENCHMARK(AbrirLineaRegistro);
BENCHMARK(BlowfishPlanificacion);

// Keeps each run's rate next to the usual console output.
class Recolector : public benchmark::ConsoleReporter {
public:
    Recolector() : ConsoleReporter(OO_Tabular) {}

    std::map<std::string, double> ritmo;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& r : runs) {
            if (r.error_occurred || r.run_type != Run::RT_Iteration)
                continue;
            for (const char* c : {"bytes_per_second", "items_per_second"}) {
                auto it = r.counters.find(c);
                if (it != r.counters.end())
                    ritmo[r.benchmark_name()] = it->second.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Recolector rec;
    benchmark::RunSpecifiedBenchmarks(&rec);
    benchmark::Shutdown();

    auto ratio = [&](const char* titulo, const std::string& propio, const std::string& ref) {
        auto a = rec.ritmo.find(propio), b = rec.ritmo.find(ref);
        if (a == rec.ritmo.end() || b == rec.ritmo.end() || b->second <= 0)
            return;
        std::printf("%-34s %8.1f MB/s vs %8.1f MB/s  ratio %.2f\n", titulo, a->second / 1e6, b->second / 1e6,
                    a->second / b->second);
    };
    std::printf("\nThis implementation against OpenSSL (ratio above 1: faster)\n");
    std::printf("SHA-256 uses the processor's SHA instructions: %s\n", tesedra::Sha256Acelerado() ? "yes" : "no");
    for (const char* t : {"1024", "1048576"}) {
        const std::string s = t;
        ratio(("Blowfish ECB " + s + " B").c_str(), "BlowfishPropio/" + s, "BlowfishOpenSsl/" + s);
        ratio(("SHA-256 " + s + " B").c_str(), "Sha256Propio/" + s, "Sha256OpenSsl/" + s);
        ratio(("SHA-256 portable rounds " + s + " B").c_str(), "Sha256Portable/" + s, "Sha256OpenSsl/" + s);
    }
    auto it = rec.ritmo.find("AbrirLineaRegistro");
    if (it != rec.ritmo.end() && it->second > 0)
        std::printf("Record lines checked and opened: %.0f/s; 50 000 lines take %.3f s\n", it->second,
                    50000.0 / it->second);
    return 0;
}
