// One source line of a record file turned into its output line, for every way a
// record can be sound, moved or damaged.
#include "Ayudas.h"

#include "validation/ValidacionInversa.h"

using namespace tesedra;
using namespace tesedra::prueba;

namespace {

const std::string kRegistroIncorrecto = "--Registro incorrecto--;NOK";
const std::string kMarcaPropia = "-- Registro incorrecto --;NOK";
const std::string kAbre = "\xBF\xBF\xBF";

class ValidarLineaTest : public ::testing::Test {
protected:
    void SetUp() override { reg = SellarRegistro(v, " 1"); }

    // Position of E2 within the line, and of the digest part of E2.
    size_t InicioE2() const { return reg.linea.find('#') + 65; }
    size_t AlmohadillaE2() const { return InicioE2() + reg.e2.find('#'); }

    // Validates and checks the verdict too.
    std::string Validar(const std::string& linea, int64_t n, Veredicto esperado)
    {
        ValidadorLineas validador;
        std::string salida = "previo|";
        const Veredicto veredicto = validador.Validar(linea, n, salida);
        EXPECT_EQ(static_cast<int>(veredicto), static_cast<int>(esperado)) << "line " << n;
        // The one-shot form gives the same text.
        EXPECT_EQ("previo|" + ValidarLinea(linea, n), salida);
        return salida.substr(7);
    }

    const ValoresInstalacion v = ValoresConocidos(4);
    LineaRegistro reg;
};

TEST_F(ValidarLineaTest, SoundRecordInPlace)
{
    EXPECT_EQ(Validar(reg.linea, 1, Veredicto::EnSitio), SalidaEnSitio(v, " 1"));
}

TEST_F(ValidarLineaTest, SoundRecordAtAnotherLineIsMarkedOutOfSequence)
{
    EXPECT_EQ(Validar(reg.linea, 2, Veredicto::Movido), SalidaMovida(v, " 1"));
}

TEST_F(ValidarLineaTest, LineNumbersBeyond16BitsMatch)
{
    const LineaRegistro grande = SellarRegistro(v, " 70000");
    EXPECT_EQ(Validar(grande.linea, 70000, Veredicto::EnSitio), SalidaEnSitio(v, " 70000"));
    EXPECT_EQ(Validar(grande.linea, 70000 - 65536, Veredicto::Movido), SalidaMovida(v, " 70000"));
}

TEST_F(ValidarLineaTest, AlteredE2DigitGivesTheShortRecord)
{
    std::string linea = reg.linea;
    CambiarCifra(linea, InicioE2() + 5);  // line digest left as it was
    EXPECT_EQ(Validar(linea, 1, Veredicto::Danado), v.telefono + ";" + Resumen(S1(v, " 1")) + ";OK");
    // The same line at another position: the short record, cut before its verdict.
    EXPECT_EQ(Validar(linea, 3, Veredicto::Danado),
              kAbre + " 1;" + v.telefono + ";" + Resumen(S1(v, " 1")) + "???;NOK");
}

TEST_F(ValidarLineaTest, OnlyTheLineDigestWrongStillGivesTheValues)
{
    std::string linea = reg.linea;
    CambiarCifra(linea, linea.size() - 3);
    EXPECT_EQ(Validar(linea, 1, Veredicto::EnSitio), SalidaEnSitio(v, " 1"));
    EXPECT_EQ(Validar(linea, 2, Veredicto::Movido), SalidaMovida(v, " 1"));
}

TEST_F(ValidarLineaTest, RewrittenE2WithFreshLineDigestIsMarkedDamaged)
{
    // E2's own digest replaced by another one, the line digested again.
    const std::string otro = Resumen("otro texto");
    const std::string e2 = reg.e2.substr(0, reg.e2.find('#') + 1) + otro;
    std::string linea;
    ASSERT_TRUE(AnadirResumen(reg.e1 + e2, linea));
    EXPECT_EQ(Validar(linea, 1, Veredicto::Danado),
              ValoresEnOrden(v) + ";" + Resumen(S2(v, " 1")) + "--Registro incorrecto --;NOK");
}

TEST_F(ValidarLineaTest, RewrittenE2HexWithFreshLineDigestShowsWhatItDeciphersTo)
{
    // One digit of the third cipher block changed: ECB garbles that block only.
    std::string hex = reg.e2.substr(0, reg.e2.find('#'));
    CambiarCifra(hex, 40);
    std::string linea;
    ASSERT_TRUE(AnadirResumen(reg.e1 + hex + reg.e2.substr(reg.e2.find('#')), linea));
    std::string bytes;
    ASSERT_TRUE(BytesFromHex(hex, bytes));
    const std::string abierto = BlowfishDecipherText(bytes);
    ASSERT_EQ(abierto.substr(0, 3), " 1;");
    EXPECT_EQ(Validar(linea, 1, Veredicto::Danado), abierto.substr(3) + "--Registro incorrecto --;NOK");
}

TEST_F(ValidarLineaTest, BothPartsDamaged)
{
    std::string linea = reg.linea;
    CambiarCifra(linea, 2);                // E1
    CambiarCifra(linea, InicioE2() + 2);  // E2
    EXPECT_EQ(Validar(linea, 1, Veredicto::Danado), kRegistroIncorrecto);
}

TEST_F(ValidarLineaTest, UnreadableE2AndE1)
{
    // A non-hexadecimal pair in E2 opens as the cipher's own marker.
    std::string linea = reg.linea;
    linea[InicioE2() + 4] = 'G';
    EXPECT_EQ(Validar(linea, 1, Veredicto::Danado), kAbre + kMarcaPropia + "???;NOK");

    // E2 altered (its digest fails) and E1 unreadable: the marker is cut before its ';'.
    linea = reg.linea;
    CambiarCifra(linea, InicioE2() + 4);
    linea[3] = 'G';
    EXPECT_EQ(Validar(linea, 1, Veredicto::Danado), kAbre + "-- Registro incorrecto --???;NOK");
}

struct CasoLinea {
    const char* nombre;
    std::string linea;
    std::string salida;
};

TEST_F(ValidarLineaTest, LinesThatAreNoRecords)
{
    std::string conResumen;
    ASSERT_TRUE(AnadirResumen("ABCDEF0123", conResumen));
    const std::vector<CasoLinea> casos = {
        {"without ';'", "ABCDEF#0123", kRegistroIncorrecto},
        {"empty", "", kRegistroIncorrecto},
        {"blanks only", "   ", kRegistroIncorrecto},
        {"without '#', wrong digest", "ABCDEF;0123", kAbre + kMarcaPropia + "???;NOK"},
        {"without '#', right digest", conResumen, kAbre + kMarcaPropia + "???;NOK"},
        {"only ';'", ";", kAbre + kMarcaPropia + "???;NOK"},
        {"E1 alone", reg.e1 + ";" + Resumen(reg.e1), kAbre + kMarcaPropia + "???;NOK"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Validar(c.linea, 1, Veredicto::Danado), c.salida) << c.nombre;
}

TEST_F(ValidarLineaTest, ValidatorBuffersDoNotLeakBetweenLines)
{
    // A long sound record, then a short damaged one, then a sound one again.
    ValoresInstalacion largo = v;
    largo.versionSW = std::string(3000, 'x');
    const LineaRegistro r1 = SellarRegistro(largo, " 1");
    const LineaRegistro r3 = SellarRegistro(v, " 3");
    ValidadorLineas validador;
    std::string salida;
    EXPECT_EQ(validador.Validar(r1.linea, 1, salida), Veredicto::EnSitio);
    salida += "|";
    EXPECT_EQ(validador.Validar("x;y", 2, salida), Veredicto::Danado);
    salida += "|";
    EXPECT_EQ(validador.Validar(r3.linea, 3, salida), Veredicto::EnSitio);
    EXPECT_EQ(salida, SalidaEnSitio(largo, " 1") + "|" + kAbre + kMarcaPropia + "???;NOK|" + SalidaEnSitio(v, " 3"));
}

} // namespace
