// Reading the line values the routers print, compared with a limit in decibels.
#include "validation/LecturaLinea.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace tesedra;

namespace {

constexpr int kSinLectura = 9;

// A text, a limit, and the comparison: -1, 0, 1 below, at, over the limit; kSinLectura
// when the text is no reading.
using CasoLectura = std::tuple<std::string, int, int>;

class Lecturas : public testing::TestWithParam<CasoLectura> {
protected:
    // A station whose number format takes the point as digit-group mark must read the same.
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void TearDown() override { QLocale::setDefault(antes_); }
    const QLocale antes_;
};

TEST_P(Lecturas, ReadsDecibelsExactlyWhateverTheLocale)
{
    const auto& [texto, limite, comparacion] = GetParam();
    const auto lectura = LeerDecibelios(texto);
    EXPECT_EQ(lectura ? CompararConLimite(*lectura, limite) : kSinLectura, comparacion);
}

INSTANTIATE_TEST_SUITE_P(
    Textos, Lecturas,
    testing::Values(CasoLectura{"45.5", 45, 1}, CasoLectura{"45.5", 46, -1}, CasoLectura{"45.5 dB", 45, 1},
                    CasoLectura{"45.5dB", 46, -1}, CasoLectura{"  8", 8, 0}, CasoLectura{"61", 61, 0},
                    CasoLectura{"61.0", 61, 0}, CasoLectura{"61.00", 61, 0}, CasoLectura{"61.05", 61, 1},
                    CasoLectura{"60.99", 61, -1}, CasoLectura{"-3.5", -3, -1}, CasoLectura{"-0.1", 0, -1},
                    CasoLectura{"+7", 7, 0}, CasoLectura{".5", 0, 1}, CasoLectura{"0", 0, 0},
                    CasoLectura{"", 0, kSinLectura}, CasoLectura{"-", 0, kSinLectura},
                    CasoLectura{"n/a", 0, kSinLectura}, CasoLectura{"12.3.4", 0, kSinLectura},
                    CasoLectura{"45,5", 0, kSinLectura}, CasoLectura{"45.", 0, kSinLectura},
                    CasoLectura{"dB 45", 0, kSinLectura}, CasoLectura{"1234567890123456", 0, kSinLectura},
                    // Leading zeros add no digit: as long a reading with or without them.
                    CasoLectura{"0.123456789012345", 1, -1}, CasoLectura{"000000000000000045.5", 45, 1},
                    CasoLectura{"0.1234567890123456", 0, kSinLectura}));

} // namespace
