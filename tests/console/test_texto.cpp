// The text operations of the console link, over tables of the awkward cases.
#include "console/ComSerie.h"
#include "console/Util.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <string>

namespace tesedra {
namespace {

struct CasoNormalizar {
    const char* nombre;
    std::string entrada;
    std::string esperado;
};

class Normalizar : public testing::TestWithParam<CasoNormalizar> {};

TEST_P(Normalizar, DaElTextoComoLoMuestraUnTerminal)
{
    EXPECT_EQ(NormalizarRespuesta(GetParam().entrada), GetParam().esperado);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Casos, Normalizar,
    testing::Values(
        CasoNormalizar{"vacio", "", ""},
        CasoNormalizar{"retroceso_borra_anterior", "ab\bc\r\n", "ac\r\n"},
        CasoNormalizar{"retroceso_al_principio", "\bab", "ab"},
        CasoNormalizar{"retrocesos_seguidos", "abc\b\b\bd", "d"},
        CasoNormalizar{"mas_retrocesos_que_letras", "a\b\b\bb", "b"},
        CasoNormalizar{"retroceso_se_lleva_un_salto", "a\n\bb", "ab"},
        CasoNormalizar{"retroceso_se_lleva_un_nul", "a\0\bb"s, "ab"},
        CasoNormalizar{"lf_suelto_une_lineas", "a\nb", "ab"},
        CasoNormalizar{"lf_cr", "\n\r", "\r\n"},
        CasoNormalizar{"cr_solo", "uno\rdos\r", "uno\r\ndos\r\n"},
        CasoNormalizar{"crlf_ya_bien", "uno\r\ndos\r\n", "uno\r\ndos\r\n"},
        CasoNormalizar{"cr_cr_lf", "a\r\r\n", "a\r\n\r\n"},
        CasoNormalizar{"nul_fuera", "a\0b\0\r"s, "ab\r\n"},
        CasoNormalizar{"latin1_intacto", "Atenuaci\xF3n\r", "Atenuaci\xF3n\r\n"},
        CasoNormalizar{"borrado_de_eco", "shoq\b \bw\r", "show\r\n"}),
    [](const testing::TestParamInfo<CasoNormalizar>& i) { return std::string(i.param.nombre); });

TEST(Normalizar, TextoLargoSinRecortes)
{
    // Replies longer than a 16-bit position are kept whole.
    std::string entrada;
    std::string esperado;
    for (int i = 0; i < 5000; ++i) {
        entrada += "linea " + std::to_string(i) + "\r";
        esperado += "linea " + std::to_string(i) + "\r\n";
    }
    ASSERT_GT(entrada.size(), 40000u);
    EXPECT_EQ(NormalizarRespuesta(entrada), esperado);
}

struct CasoLinea {
    const char* nombre;
    std::string texto;
    std::string linea;
    std::string resto;
};

class Extraer : public testing::TestWithParam<CasoLinea> {};

TEST_P(Extraer, PrimeraLineaYResto)
{
    std::string resto = "sin tocar";
    EXPECT_EQ(ExtraerLinea(GetParam().texto, resto), GetParam().linea);
    EXPECT_EQ(resto, GetParam().resto);
}

TEST_P(Extraer, EnLaMismaVariable)
{
    std::string t = GetParam().texto;
    EXPECT_EQ(ExtraerLinea(t, t), GetParam().linea);
    EXPECT_EQ(t, GetParam().resto);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Extraer,
    testing::Values(CasoLinea{"dos_lineas", "uno\r\ndos", "uno\r\n", "dos"},
                    CasoLinea{"ultima_sin_fin", "dos", "dos", ""},
                    CasoLinea{"vacio", "", "", ""},
                    CasoLinea{"empieza_con_crlf", "\r\nuno\r\n", "\r\n", "uno\r\n"},
                    CasoLinea{"cr_suelto_no_es_fin", "a\rb\r\nc", "a\rb\r\n", "c"},
                    CasoLinea{"lf_suelto_no_es_fin", "a\nb", "a\nb", ""},
                    CasoLinea{"lf_cr_no_es_fin", "a\n\rb", "a\n\rb", ""},
                    CasoLinea{"solo_crlf", "\r\n", "\r\n", ""}),
    [](const testing::TestParamInfo<CasoLinea>& i) { return std::string(i.param.nombre); });

TEST(Extraer, RecorreUnaRespuestaHastaElFinal)
{
    std::string t = "uno\r\ndos";
    EXPECT_EQ(ExtraerLinea(t, t), "uno\r\n");
    EXPECT_EQ(ExtraerLinea(t, t), "dos");
    EXPECT_EQ(t, "");
    EXPECT_EQ(ExtraerLinea(t, t), "");
}

TEST(Extraer, FinDeLineaMasAllaDe32767)
{
    // The line end lies far past the old 16-bit limit: still found.
    std::string larga(40000, 'x');
    std::string t = larga + "\r\nsiguiente";
    EXPECT_EQ(ExtraerLinea(t, t), larga + "\r\n");
    EXPECT_EQ(t, "siguiente");
}

struct CasoLimpiar {
    const char* nombre;
    std::string entrada;
    std::string esperado;
};

class Limpiar : public testing::TestWithParam<CasoLimpiar> {};

TEST_P(Limpiar, SinFinesDeLineaNiBlancosExteriores)
{
    EXPECT_EQ(LimpiarValor(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Limpiar,
    testing::Values(CasoLimpiar{"direccion", "  192.168.1.1 \r\n", "192.168.1.1"},
                    CasoLimpiar{"cr_en_medio_une", "12\r34", "1234"},
                    CasoLimpiar{"lf_en_medio_une", "12\n34", "1234"},
                    CasoLimpiar{"tabulador_se_queda", "\t5 dB \r\n", "\t5 dB"},
                    CasoLimpiar{"blancos_interiores", " a  b ", "a  b"},
                    CasoLimpiar{"solo_blancos", "   \r\n ", ""},
                    CasoLimpiar{"vacio", "", ""},
                    CasoLimpiar{"fin_crlf_entre_blancos", " x \r\n \r\n", "x"}),
    [](const testing::TestParamInfo<CasoLimpiar>& i) { return std::string(i.param.nombre); });

TEST(Limpiar, ValorLargoConFinesDeLineaLejanos)
{
    // Removals past position 32767 happen as well.
    std::string v = " " + std::string(33000, 'v') + "\r\n";
    EXPECT_EQ(LimpiarValor(v), std::string(33000, 'v'));
}

struct CasoQuitar {
    const char* nombre;
    std::string entrada;
    char caracter;
    std::string esperado;
};

class Quitar : public testing::TestWithParam<CasoQuitar> {};

TEST_P(Quitar, CadaAparicionFuera)
{
    EXPECT_EQ(QuitarCaracter(GetParam().entrada, GetParam().caracter), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Quitar,
    testing::Values(CasoQuitar{"dos_puntos", "uno:dos:tres", ':', "unodostres"},
                    CasoQuitar{"ninguna", "abc", ':', "abc"},
                    CasoQuitar{"todo", ":::", ':', ""},
                    CasoQuitar{"seguidas", "a::b", ':', "ab"},
                    CasoQuitar{"vacio", "", ':', ""},
                    CasoQuitar{"distingue_mayusculas", "aAa", 'a', "A"},
                    CasoQuitar{"byte_alto", "a\xF3" "b\xF3", '\xF3', "ab"}),
    [](const testing::TestParamInfo<CasoQuitar>& i) { return std::string(i.param.nombre); });

TEST(Quitar, MasAllaDe32767)
{
    std::string t = std::string(40000, 'a') + ":" + std::string(10, 'b');
    EXPECT_EQ(QuitarCaracter(t, ':'), std::string(40000, 'a') + std::string(10, 'b'));
}

TEST(Prompt, PorModelo)
{
    EXPECT_EQ(PromptModelo(1), "Command->");
    EXPECT_EQ(PromptModelo(2), "3Com-DSL>");
    EXPECT_EQ(PromptModelo(3), "");
    EXPECT_EQ(PromptModelo(0), "");
}

TEST(RutaPuerto, VariableDeEntornoOPuertoDelSistema)
{
    qunsetenv("TESEDRA_COM3");
    EXPECT_EQ(RutaPuerto(1), "/dev/ttyS0");
    EXPECT_EQ(RutaPuerto(3), "/dev/ttyS2");
    qputenv("TESEDRA_COM3", QByteArray("/tmp/mi-router"));
    EXPECT_EQ(RutaPuerto(3), "/tmp/mi-router");
    EXPECT_EQ(RutaPuerto(4), "/dev/ttyS3");
    qputenv("TESEDRA_COM3", QByteArray());
    EXPECT_EQ(RutaPuerto(3), "/dev/ttyS2");
    qunsetenv("TESEDRA_COM3");
}

} // namespace
} // namespace tesedra
