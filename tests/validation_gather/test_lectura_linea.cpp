// Reading the line values the routers print and judging them against the limits.
#include "validation/LecturaLinea.h"
#include "validation/ValoresInstalacion.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace tesedra;

namespace {

struct CasoLectura {
    const char* texto;
    bool valida;
    int64_t mantisa;
    int escala;
};

void PrintTo(const CasoLectura& c, std::ostream* os)
{
    *os << '"' << c.texto << '"';
}

class LeerDecibeliosTabla : public testing::TestWithParam<CasoLectura> {};

TEST_P(LeerDecibeliosTabla, LeeElValorEnDecibelios)
{
    const auto& c = GetParam();
    const auto l = LeerDecibelios(c.texto);
    ASSERT_EQ(l.has_value(), c.valida) << c.texto;
    if (c.valida) {
        EXPECT_EQ(l->mantisa, c.mantisa) << c.texto;
        EXPECT_EQ(l->escala, c.escala) << c.texto;
    }
}

INSTANTIATE_TEST_SUITE_P(Lecturas, LeerDecibeliosTabla,
                         testing::Values(CasoLectura{"22.5", true, 225, 1}, CasoLectura{"45.5 dB", true, 455, 1},
                                         CasoLectura{"45.5dB", true, 455, 1}, CasoLectura{"  8", true, 8, 0},
                                         CasoLectura{"61.05", true, 6105, 2}, CasoLectura{"-3.5", true, -35, 1},
                                         CasoLectura{"+7", true, 7, 0}, CasoLectura{"0", true, 0, 0},
                                         CasoLectura{"", false, 0, 0}, CasoLectura{"-", false, 0, 0},
                                         CasoLectura{"n/a", false, 0, 0}, CasoLectura{"12.3.4", false, 0, 0},
                                         CasoLectura{"45,5", false, 0, 0}, CasoLectura{"45.", false, 0, 0},
                                         CasoLectura{".5", true, 5, 1}, CasoLectura{"dB 45", false, 0, 0},
                                         CasoLectura{"1234567890123456", false, 0, 0}));

TEST(LeerDecibelios, NoDependeDelFormatoNumericoDelSistema)
{
    // A station whose number format uses the comma as decimal mark and the point as
    // digit-group mark must judge the same readings the same way.
    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const auto es = LeerDecibelios("45.5");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto en = LeerDecibelios("45.5");
    QLocale::setDefault(antes);
    ASSERT_TRUE(es && en);
    EXPECT_EQ(es->mantisa, en->mantisa);
    EXPECT_EQ(es->escala, en->escala);
    EXPECT_EQ(CompararConLimite(*es, 45), 1);
    EXPECT_EQ(CompararConLimite(*es, 46), -1);
}

TEST(CompararConLimite, ElLimiteExactoEsIgual)
{
    EXPECT_EQ(CompararConLimite(*LeerDecibelios("61"), 61), 0);
    EXPECT_EQ(CompararConLimite(*LeerDecibelios("61.0"), 61), 0);
    EXPECT_EQ(CompararConLimite(*LeerDecibelios("61.00"), 61), 0);
    EXPECT_EQ(CompararConLimite(*LeerDecibelios("61.1"), 61), 1);
    EXPECT_EQ(CompararConLimite(*LeerDecibelios("60.9"), 61), -1);
    EXPECT_EQ(CompararConLimite(*LeerDecibelios("-0.1"), 0), -1);
}

TEST(LimitesModalidad, TablaPorModalidad)
{
    const auto e = LimitesModalidad(kModalidadEstandar);
    const auto c = LimitesModalidad(kModalidadClass);
    const auto p = LimitesModalidad(kModalidadPremium);
    EXPECT_TRUE(e.valida && c.valida && p.valida);
    EXPECT_EQ(e.atenuacionBajadaMax, 61);
    EXPECT_EQ(e.atenuacionSubidaMax, 59);
    EXPECT_EQ(c.atenuacionBajadaMax, 59);
    EXPECT_EQ(c.atenuacionSubidaMax, 56);
    EXPECT_EQ(p.atenuacionBajadaMax, 49);
    EXPECT_EQ(p.atenuacionSubidaMax, 45);
    for (const auto& l : {e, c, p})
        EXPECT_EQ(l.margenRuidoMin, 8);
    EXPECT_FALSE(LimitesModalidad(0).valida);
    EXPECT_FALSE(LimitesModalidad(4).valida);
}

TEST(Juicio, CeroEIlegibleNoSeJuzgan)
{
    EXPECT_TRUE(AtenuacionCorrecta("0", 0));
    EXPECT_TRUE(MargenRuidoCorrecto("0", 8));
    EXPECT_TRUE(AtenuacionCorrecta("abc", 10));
    EXPECT_TRUE(MargenRuidoCorrecto("-", 8));
    // "0.0" is a reading: a noise margin of 0 dB is below the minimum.
    EXPECT_FALSE(MargenRuidoCorrecto("0.0", 8));
    EXPECT_TRUE(MargenRuidoCorrecto("8", 8));
    EXPECT_FALSE(MargenRuidoCorrecto("7.9", 8));
    EXPECT_TRUE(AtenuacionCorrecta("49", 49));
    EXPECT_FALSE(AtenuacionCorrecta("49.1", 49));
}

} // namespace
