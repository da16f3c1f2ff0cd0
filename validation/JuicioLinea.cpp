#include "validation/JuicioLinea.h"

#include "base/Codigos.h"
#include "validation/LecturaLinea.h"
#include "validation/TextosValidacion.h"

#include <cstdlib>

namespace tesedra {

namespace {

bool EsAtenuacion(ValorJuzgado que)
{
    return que == ValorJuzgado::AtenuacionBajada || que == ValorJuzgado::AtenuacionSubida;
}

bool EsBajada(ValorJuzgado que)
{
    return que == ValorJuzgado::AtenuacionBajada || que == ValorJuzgado::MargenRuidoBajada;
}

const TextoDoble& Nombre(ValorJuzgado que)
{
    switch (que) {
    case ValorJuzgado::AtenuacionBajada: return kTxtAtenuacionBajada;
    case ValorJuzgado::AtenuacionSubida: return kTxtAtenuacionSubida;
    case ValorJuzgado::MargenRuidoBajada: return kTxtMargenRuidoBajada;
    case ValorJuzgado::MargenRuidoSubida: break;
    }
    return kTxtMargenRuidoSubida;
}

// The reading as the router wrote it, without blanks or unit: "45.5", "-3.5", "8".
std::string Decibelios(const LecturaDecibelios& l)
{
    std::string digitos = std::to_string(std::llabs(l.mantisa));
    if (l.escala > 0) {
        if (digitos.size() <= static_cast<size_t>(l.escala))
            digitos.insert(0, static_cast<size_t>(l.escala) + 1 - digitos.size(), '0');
        digitos.insert(digitos.size() - static_cast<size_t>(l.escala), 1, '.');
    }
    return (l.mantisa < 0 ? "-" : "") + digitos;
}

} // namespace

std::string ValoresInstalacion::*CampoJuzgado(ValorJuzgado que)
{
    switch (que) {
    case ValorJuzgado::AtenuacionBajada: return &ValoresInstalacion::atenuacionBajada;
    case ValorJuzgado::AtenuacionSubida: return &ValoresInstalacion::atenuacionSubida;
    case ValorJuzgado::MargenRuidoBajada: return &ValoresInstalacion::margenRuidoBajada;
    case ValorJuzgado::MargenRuidoSubida: break;
    }
    return &ValoresInstalacion::margenRuidoSubida;
}

JuicioValor JuzgarValor(int16_t modelo, int16_t modalidad, ValorJuzgado que, const std::string& texto)
{
    JuicioValor j;
    const LimitesLinea limites = LimitesModalidad(modalidad);
    const bool delModelo = modelo == kOfficeRemote812 || (modelo == kEfficient5660 && EsBajada(que));
    if (!limites.valida || !delModelo)
        return j;
    j.juzgado = true;
    j.maximo = EsAtenuacion(que);
    j.limite = !j.maximo                               ? limites.margenRuidoMin
               : que == ValorJuzgado::AtenuacionBajada ? limites.atenuacionBajadaMax
                                                       : limites.atenuacionSubidaMax;
    const auto lectura = texto == "0" ? std::nullopt : LeerDecibelios(texto);
    j.leido = lectura.has_value();
    if (j.leido) {
        const int comparacion = CompararConLimite(*lectura, j.limite);
        j.correcto = j.maximo ? comparacion <= 0 : comparacion >= 0;
    }
    return j;
}

void MarcarFallosLinea(int16_t modelo, int16_t modalidad, const ValoresInstalacion& v, EstadoLinea& flags)
{
    for (ValorJuzgado que : kValoresJuzgados) {
        if (JuzgarValor(modelo, modalidad, que, v.*CampoJuzgado(que)).correcto)
            continue;
        if (EsAtenuacion(que))
            flags.AtenuacionIncorrecta = true;
        else
            flags.RuidoIncorrecto = true;
    }
}

TextosJuicio DescribirJuicio(ValorJuzgado que, const JuicioValor& juicio, const std::string& texto)
{
    if (!juicio.juzgado)
        return {};
    const std::string limite = std::to_string(juicio.limite) + " dB";
    TextosJuicio t;
    t.limite = Traducir(juicio.maximo ? kTxtMaxCorto : kTxtMinCorto) + ' ' + limite;
    t.accesible = Traducir(Nombre(que));
    const auto lectura = juicio.leido ? LeerDecibelios(texto) : std::nullopt;
    if (lectura)
        t.accesible += ' ' + Decibelios(*lectura) + " dB";
    t.accesible += ", " + Traducir(juicio.maximo ? kTxtMaximo : kTxtMinimo) + ' ' + limite + ": ";
    const bool femenino = EsAtenuacion(que);
    if (!lectura)
        t.accesible += Traducir(kTxtNoLeido);
    else if (juicio.correcto)
        t.accesible += Traducir(femenino ? kTxtCorrecta : kTxtCorrecto);
    else
        t.accesible += Traducir(femenino ? kTxtIncorrecta : kTxtIncorrecto);
    return t;
}

} // namespace tesedra
