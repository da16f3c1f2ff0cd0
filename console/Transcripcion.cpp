#include "console/Transcripcion.h"

#include "base/Version.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>
#include <memory>

#ifndef TESEDRA_VERSION
#define TESEDRA_VERSION "?"
#endif

namespace tesedra {

namespace {

const std::string kPrimeraLinea = "# tesedra console transcript";

std::string Modelo(int16_t modelo)
{
    return modelo == 1 ? "5660" : modelo == 2 ? "812" : "?";
}

int Hex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string EscaparBytes(const std::string& bytes)
{
    static const char kDigitos[] = "0123456789ABCDEF";
    std::string r = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\r': r += "\\r"; break;
        case '\n': r += "\\n"; break;
        case '\t': r += "\\t"; break;
        case '\x1b': r += "\\e"; break;
        case '\\': r += "\\\\"; break;
        case '"': r += "\\\""; break;
        default:
            if (u < 32 || u >= 127) {
                r += "\\x";
                r += kDigitos[u >> 4];
                r += kDigitos[u & 15];
            } else {
                r += c;
            }
        }
    }
    return r + "\"";
}

bool DesescaparBytes(const std::string& citado, std::string& bytes)
{
    bytes.clear();
    if (citado.size() < 2 || citado.front() != '"' || citado.back() != '"')
        return false;
    for (size_t i = 1; i + 1 < citado.size(); ++i) {
        const char c = citado[i];
        if (c == '"')
            return false;
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (i + 2 >= citado.size())
            return false;
        const char e = citado[++i];
        switch (e) {
        case 'r': bytes += '\r'; break;
        case 'n': bytes += '\n'; break;
        case 't': bytes += '\t'; break;
        case 'e': bytes += '\x1b'; break;
        case '\\': bytes += '\\'; break;
        case '"': bytes += '"'; break;
        case 'x': {
            if (i + 3 >= citado.size())
                return false;
            const int a = Hex(citado[i + 1]);
            const int b = Hex(citado[i + 2]);
            if (a < 0 || b < 0)
                return false;
            bytes += static_cast<char>(a * 16 + b);
            i += 2;
            break;
        }
        default: return false;
        }
    }
    return true;
}

std::string Transcripcion::Cabecera() const
{
    std::string r = kPrimeraLinea + "\n";
    r += "# date: " + fecha + "\n";
    r += "# model: " + Modelo(modelo) + "\n";
    r += "# port: " + puerto + "\n";
    r += "# version: " + version + "\n";
    r += "# operation: " + operacion + "\n";
    return r;
}

std::string Transcripcion::LineaTramo(const TramoTranscripcion& t)
{
    char tiempo[32];
    std::snprintf(tiempo, sizeof tiempo, "%lld.%03lld", t.ms / 1000, t.ms % 1000);
    std::string r = tiempo;
    r += t.delRouter ? " < " : " > ";
    r += EscaparBytes(t.bytes);
    r += '\n';
    return r;
}

std::string Transcripcion::Texto() const
{
    std::string r = Cabecera();
    for (const auto& t : tramos)
        r += LineaTramo(t);
    return r;
}

bool LeerTranscripcion(const std::string& texto, Transcripcion& t, std::string& error)
{
    t = Transcripcion{};
    size_t desde = 0;
    int numero = 0;
    bool cabecera = false;
    long long anterior = 0;
    while (desde < texto.size()) {
        size_t fin = texto.find('\n', desde);
        if (fin == std::string::npos)
            fin = texto.size();
        std::string l = texto.substr(desde, fin - desde);
        desde = fin + 1;
        ++numero;
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        if (l.empty())
            continue;
        auto fallo = [&](const std::string& que) {
            error = "line " + std::to_string(numero) + ": " + que;
            return false;
        };
        if (numero == 1) {
            if (l != kPrimeraLinea)
                return fallo("not a console transcript");
            cabecera = true;
            continue;
        }
        if (l[0] == '#') {
            const size_t dos = l.find(": ");
            if (dos == std::string::npos)
                continue;
            const std::string clave = l.substr(2, dos - 2);
            const std::string valor = l.substr(dos + 2);
            if (clave == "date")
                t.fecha = valor;
            else if (clave == "model")
                t.modelo = valor == "5660" ? 1 : valor == "812" ? 2 : 0;
            else if (clave == "port")
                t.puerto = valor;
            else if (clave == "version")
                t.version = valor;
            else if (clave == "operation")
                t.operacion = valor;
            continue;
        }
        // "<seconds>.<ms> <|> "<bytes>""
        const size_t esp = l.find(' ');
        if (esp == std::string::npos || esp + 3 > l.size() || (l[esp + 1] != '<' && l[esp + 1] != '>')
            || l[esp + 2] != ' ')
            return fallo("expected a time, < or > and a quoted text");
        const std::string tiempo = l.substr(0, esp);
        const size_t punto = tiempo.find('.');
        char* finNum = nullptr;
        const long long s = std::strtoll(tiempo.c_str(), &finNum, 10);
        if (punto == std::string::npos || finNum != tiempo.c_str() + punto || tiempo.size() != punto + 4 || s < 0)
            return fallo("bad time '" + tiempo + "'");
        const long long ms = std::strtoll(tiempo.c_str() + punto + 1, &finNum, 10);
        if (*finNum != '\0' || ms < 0)
            return fallo("bad time '" + tiempo + "'");
        TramoTranscripcion tr;
        tr.ms = s * 1000 + ms;
        if (tr.ms < anterior)
            return fallo("time goes back");
        anterior = tr.ms;
        tr.delRouter = l[esp + 1] == '<';
        if (!DesescaparBytes(l.substr(esp + 3), tr.bytes))
            return fallo("bad quoted text");
        t.tramos.push_back(std::move(tr));
    }
    if (!cabecera) {
        error = "empty file";
        return false;
    }
    return true;
}

Grabadora& Grabadora::Instancia()
{
    static Grabadora* g = new Grabadora;
    return *g;
}

void Grabadora::Comenzar(int16_t modelo, const std::string& puerto)
{
    // A run left open (its port never closed) still counts as finished.
    if (enCurso_) {
        const std::string siguiente = operacion_;
        Terminar();
        operacion_ = siguiente;
    }
    actual_ = Transcripcion{};
    actual_.fecha = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    actual_.modelo = modelo;
    actual_.puerto = puerto;
    actual_.version = kVersion;
    actual_.operacion = operacion_.empty() ? "console" : operacion_;
    secreto_.clear();
    retenidos_.clear();
    reloj_.start();
    enCurso_ = true;
    ++numero_;
    if (fichero_) {
        fichero_->resize(0);
        fichero_->seek(0);
        EscribirFichero(actual_.Cabecera());
    }
}

void Grabadora::Anotar(bool delRouter, const std::string& bytes, bool secreto)
{
    if (!enCurso_ || bytes.empty())
        return;
    TramoTranscripcion t;
    t.ms = reloj_.elapsed();
    t.delRouter = delRouter;
    t.bytes = secreto ? std::string(kSecretoTranscripcion) : bytes;
    if (secreto && bytes.size() >= 3)
        secreto_ = bytes;
    retenidos_.push_back(std::move(t));
    Liberar(false);
}

void Grabadora::Liberar(bool final)
{
    // The router's held bytes as one text, and where each of its pieces starts in it.
    std::string texto;
    std::vector<size_t> inicio(retenidos_.size(), 0);
    for (size_t i = 0; i < retenidos_.size(); ++i) {
        inicio[i] = texto.size();
        if (retenidos_[i].delRouter)
            texto += retenidos_[i].bytes;
    }
    // Stretches of the text to hide: "****" where one starts, its other bytes taken
    // out of the pieces they came in (a piece left empty is not recorded).
    std::vector<std::pair<size_t, size_t>> ocultar;
    size_t desde = 0;
    if (!secreto_.empty()) {
        for (size_t p = texto.find(secreto_); p != std::string::npos; p = texto.find(secreto_, p + secreto_.size())) {
            ocultar.emplace_back(p, p + secreto_.size());
            desde = p + secreto_.size();
        }
    }
    // The longest end of the text, after the last copy, that could still become a
    // copy: its pieces, and all after them, wait for more bytes; at the end of the
    // run it is hidden too.
    size_t retener = retenidos_.size();
    if (!secreto_.empty()) {
        for (size_t largo = std::min(secreto_.size() - 1, texto.size() - desde); largo > 0; --largo) {
            const size_t p = texto.size() - largo;
            if (texto.compare(p, largo, secreto_, 0, largo) != 0)
                continue;
            if (final) {
                ocultar.emplace_back(p, texto.size());
            } else {
                for (size_t i = 0; i < retenidos_.size(); ++i) {
                    if (retenidos_[i].delRouter && p >= inicio[i] && p < inicio[i] + retenidos_[i].bytes.size()) {
                        retener = i;
                        break;
                    }
                }
            }
            break;
        }
    }
    for (size_t i = 0; i < retenidos_.size() && !ocultar.empty(); ++i) {
        if (!retenidos_[i].delRouter)
            continue;
        std::string nuevo;
        for (size_t k = 0; k < retenidos_[i].bytes.size(); ++k) {
            const size_t p = inicio[i] + k;
            bool oculto = false;
            for (const auto& [ini, fin] : ocultar) {
                if (p == ini)
                    nuevo += kSecretoTranscripcion;
                oculto = oculto || (p >= ini && p < fin);
            }
            if (!oculto)
                nuevo += retenidos_[i].bytes[k];
        }
        retenidos_[i].bytes = std::move(nuevo);
    }
    std::vector<TramoTranscripcion> quedan;
    for (size_t i = 0; i < retenidos_.size(); ++i) {
        if (i >= retener)
            quedan.push_back(std::move(retenidos_[i]));
        else if (!retenidos_[i].bytes.empty())
            Registrar(std::move(retenidos_[i]));
    }
    retenidos_ = std::move(quedan);
}

void Grabadora::Registrar(TramoTranscripcion t)
{
    if (fichero_)
        EscribirFichero(Transcripcion::LineaTramo(t));
    actual_.tramos.push_back(std::move(t));
}

void Grabadora::EscribirFichero(const std::string& texto)
{
    // Unbuffered: each piece reaches the system at once, so it outlives the program.
    if (fichero_->write(texto.data(), static_cast<qint64>(texto.size())) != static_cast<qint64>(texto.size())
        && errorFichero_.empty())
        errorFichero_ = fichero_->errorString().toLocal8Bit().toStdString();
}

void Grabadora::Terminar()
{
    if (!enCurso_)
        return;
    // The run ended in the middle of what may have been an echo of the secret: those
    // bytes are masked rather than left for anyone to read.
    Liberar(true);
    enCurso_ = false;
    operacion_.clear();
    secreto_.clear();
    if (fichero_)
        fichero_->flush();
    if (alTerminar_)
        alTerminar_(actual_);
}

bool Grabadora::EscribirEn(const std::string& ruta, std::string& error)
{
    if (ruta.empty()) {
        delete fichero_;
        fichero_ = nullptr;
        return true;
    }
    auto f = std::make_unique<QFile>(QString::fromLocal8Bit(ruta.c_str()));
    if (!f->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error = f->errorString().toLocal8Bit().toStdString();
        return false;
    }
    delete fichero_;
    fichero_ = f.release();
    errorFichero_.clear();
    return true;
}

bool GuardarTranscripcion(const Transcripcion& t, const std::string& ruta, std::string& error)
{
    QSaveFile f(QString::fromLocal8Bit(ruta.c_str()));
    const std::string texto = t.Texto();
    if (!f.open(QIODevice::WriteOnly)
        || f.write(texto.data(), static_cast<qint64>(texto.size())) != static_cast<qint64>(texto.size())
        || !f.commit()) {
        error = f.errorString().toLocal8Bit().toStdString();
        return false;
    }
    return true;
}

} // namespace tesedra
