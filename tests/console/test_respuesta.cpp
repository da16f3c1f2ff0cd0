// The text operations on console replies, over one table of the awkward cases:
// line ends in every mix, Latin-1 bytes, missing separators, texts past 32767 bytes.
#include "console/ComSerie.h"
#include "console/Respuesta.h"

#include "Ficheros.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace std::string_literals;

namespace tesedra {
namespace {

struct CasoTexto {
    const char* nombre;
    std::function<std::string()> calculo;
    std::string esperado;
};

// ExtraerLinea on the text in the same variable, the line and what is left joined by "|".
std::string LineaYResto(std::string t)
{
    const std::string linea = ExtraerLinea(t, t);
    return linea + "|" + t;
}

// The lines RecorrerLineas gives, each ended by "|".
std::string Lineas(const std::string& t)
{
    std::string r;
    RecorrerLineas(t, [&](const std::string& l) { r += l + "|"; });
    return r;
}

const std::string kLarga(40000, 'x');

class OperacionTexto : public testing::TestWithParam<CasoTexto> {};

TEST_P(OperacionTexto, GivesTheExpectedText)
{
    EXPECT_EQ(prueba::Visible(GetParam().calculo()), prueba::Visible(GetParam().esperado));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, OperacionTexto,
    testing::Values(
        CasoTexto{"normalizar_retroceso", [] { return NormalizarRespuesta("shoq\b \bw\r"); }, "show\r\n"},
        CasoTexto{"normalizar_retroceso_inicial", [] { return NormalizarRespuesta("\ba\b\b\bb"); }, "b"},
        CasoTexto{"normalizar_retroceso_salto_nul", [] { return NormalizarRespuesta("a\n\bb\0\bc"s); }, "abc"},
        CasoTexto{"normalizar_fines", [] { return NormalizarRespuesta("a\nb\r\n\rc\r\r\n\0"s); },
                  "ab\r\n\r\nc\r\n\r\n"},
        CasoTexto{"normalizar_latin1", [] { return NormalizarRespuesta("Atenuaci\xF3n\r"); }, "Atenuaci\xF3n\r\n"},
        CasoTexto{"normalizar_largo", [] { return NormalizarRespuesta(kLarga + "\r" + kLarga + "\b\r"); },
                  kLarga + "\r\n" + kLarga.substr(1) + "\r\n"},
        CasoTexto{"extraer_dos_lineas", [] { return LineaYResto("uno\r\ndos"); }, "uno\r\n|dos"},
        CasoTexto{"extraer_sin_fin", [] { return LineaYResto("dos"); }, "dos|"},
        CasoTexto{"extraer_vacio", [] { return LineaYResto(""); }, "|"},
        CasoTexto{"extraer_cr_o_lf_sueltos", [] { return LineaYResto("a\rb\n\rc\r\nd"); }, "a\rb\n\rc\r\n|d"},
        CasoTexto{"extraer_otra_variable",
                  [] {
                      std::string resto = "x";
                      return ExtraerLinea("\r\nuno", resto) + resto;
                  },
                  "\r\nuno"},
        CasoTexto{"extraer_largo", [] { return LineaYResto(kLarga + "\r\nsig"); }, kLarga + "\r\n|sig"},
        CasoTexto{"recorrer_como_extraer", [] { return Lineas("\r\n\r\nx\r\r\n\n\r\ny\r"); },
                  "\r\n|\r\n|x\r\r\n|\n\r\n|y\r|"},
        CasoTexto{"recorrer_largo", [] { return Lineas(kLarga + "\r\n" + kLarga); }, kLarga + "\r\n|" + kLarga + "|"},
        CasoTexto{"recortar_solo_blancos", [] { return RecortarBlancos(" \t a b\r\n  "); }, "\t a b\r\n"},
        CasoTexto{"limpiar_direccion", [] { return LimpiarValor("  192.168.1.1 \r\n"); }, "192.168.1.1"},
        CasoTexto{"limpiar_une_y_deja_tab", [] { return LimpiarValor("\t1\r2\n3 \r\n \r\n"); }, "\t123"},
        CasoTexto{"limpiar_solo_blancos", [] { return LimpiarValor("   \r\n "); }, ""},
        CasoTexto{"limpiar_largo", [] { return LimpiarValor(" " + kLarga + "\r\n"); }, kLarga},
        CasoTexto{"quitar_cada_una", [] { return QuitarCaracter("::a::b:", ':'); }, "ab"},
        CasoTexto{"quitar_byte_alto",
                  [] {
                      return QuitarCaracter("aA\xF3"
                                            "a\xF3",
                                            '\xF3');
                  },
                  "aAa"},
        CasoTexto{"quitar_largo", [] { return QuitarCaracter(kLarga + ":y", ':'); }, kLarga + "y"},
        CasoTexto{"despues_del_primero", [] { return DespuesDe("a - b - c", " - "); }, "b - c"},
        CasoTexto{"despues_sin_separador", [] { return DespuesDe("abc", ":"); }, "abc"},
        CasoTexto{"antes_del_primero", [] { return AntesDe("10.0.0.1/24/x", "/"); }, "10.0.0.1"},
        CasoTexto{"antes_sin_separador", [] { return AntesDe("abc", "/"); }, "abc"},
        CasoTexto{"cortar_tres", [] { return Cortar("Attenuation  Upstream : 22 dB ", 3); }, "22 dB"},
        CasoTexto{"cortar_sin_blanco", [] { return Cortar("abc", 2); }, "abc"},
        CasoTexto{"filtrar_latin1",
                  [] {
                      return FiltrarLineas("Espa\xF1"
                                           "a\r\n>\r\nni\xF1o\r\nshow x",
                                           {">", "show"});
                  },
                  "Espa\xF1"
                  "a\r\nni\xF1o\r\n"},
        CasoTexto{"filtrar_largo", [] { return FiltrarLineas(kLarga + "\r\nfin\r\n" + kLarga, {"fin"}); },
                  kLarga + "\r\n" + kLarga}),
    [](const testing::TestParamInfo<CasoTexto>& i) { return std::string(i.param.nombre); });

} // namespace
} // namespace tesedra
