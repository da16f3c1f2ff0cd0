// The judgement of each line value against its modality's limit: the indicator's
// texts, and the record's fault flags drawn from the same judgement.
#include "validation/JuicioLinea.h"

#include "base/Codigos.h"
#include "base/Idiomas.h"

#include <gtest/gtest.h>

using namespace tesedra;

namespace {

enum class Juicio { Correcto, Incorrecto, NoLeido };

using V = ValorJuzgado;
constexpr auto E = kModalidadEstandar;
constexpr auto C = kModalidadClass;
constexpr auto P = kModalidadPremium;
constexpr auto Ok = Juicio::Correcto;
constexpr auto Mal = Juicio::Incorrecto;
constexpr auto NoLeido = Juicio::NoLeido;

// At and over each limit of each modality (under some), and readings that are none.
// The modality, the value, its text, the limit as shown beside it (in Spanish) and the
// verdict.
const std::tuple<int16_t, ValorJuzgado, const char*, const char*, Juicio> kCasos[] = {
    {E, V::AtenuacionBajada, "61", "m\xE1x. 61 dB", Ok},
    {E, V::AtenuacionBajada, "61.1", "m\xE1x. 61 dB", Mal},
    {E, V::AtenuacionSubida, "59.0", "m\xE1x. 59 dB", Ok},
    {E, V::AtenuacionSubida, "59.05 dB", "m\xE1x. 59 dB", Mal},
    {E, V::MargenRuidoBajada, "8", "m\xEDn. 8 dB", Ok},
    {E, V::MargenRuidoBajada, "7.9", "m\xEDn. 8 dB", Mal},
    {E, V::MargenRuidoSubida, "8.1", "m\xEDn. 8 dB", Ok},
    {E, V::MargenRuidoSubida, "-3.5", "m\xEDn. 8 dB", Mal},
    {C, V::AtenuacionBajada, "59", "m\xE1x. 59 dB", Ok},
    {C, V::AtenuacionBajada, "59.1", "m\xE1x. 59 dB", Mal},
    {C, V::AtenuacionSubida, "56", "m\xE1x. 56 dB", Ok},
    {C, V::AtenuacionSubida, "56.1", "m\xE1x. 56 dB", Mal},
    {C, V::MargenRuidoBajada, "8.0", "m\xEDn. 8 dB", Ok},
    {C, V::MargenRuidoSubida, "7", "m\xEDn. 8 dB", Mal},
    {P, V::AtenuacionBajada, "49", "m\xE1x. 49 dB", Ok},
    {P, V::AtenuacionBajada, "49.5", "m\xE1x. 49 dB", Mal},
    {P, V::AtenuacionSubida, "45", "m\xE1x. 45 dB", Ok},
    {P, V::AtenuacionSubida, "45.01", "m\xE1x. 45 dB", Mal},
    {P, V::MargenRuidoBajada, "7.99", "m\xEDn. 8 dB", Mal},
    {P, V::MargenRuidoSubida, "8", "m\xEDn. 8 dB", Ok},
    // No reading: the gathering's "0" for a value not found, the window's default
    // text, and what no router writes. The record lets them pass.
    {E, V::AtenuacionBajada, "0", "m\xE1x. 61 dB", NoLeido},
    {C, V::MargenRuidoBajada, "No disponible", "m\xEDn. 8 dB", NoLeido},
    {P, V::AtenuacionSubida, "45,5", "m\xE1x. 45 dB", NoLeido},
    {E, V::MargenRuidoSubida, "", "m\xEDn. 8 dB", NoLeido},
};

// The verdict and the indicator's texts of one value of an 812; and the record's flags
// of an 812 whose one value is the row's, the others unread: the row's verdict, counted
// as attenuation or noise.
TEST(JuiciosLinea, GiveTheLimitAndVerdictBesideTheValueAndTheRecordsFlags)
{
    CargarTextosControles(kIdiomaEspanol);
    for (const auto& [modalidad, que, texto, limite, juicio] : kCasos) {
        SCOPED_TRACE(testing::Message() << "modality " << modalidad << ", value " << static_cast<int>(que) << ", \""
                                        << texto << '"');
        const JuicioValor j = JuzgarValor(kOfficeRemote812, modalidad, que, texto);
        ASSERT_TRUE(j.juzgado);
        EXPECT_EQ(j.leido, juicio != NoLeido);
        EXPECT_EQ(j.correcto, juicio != Mal);
        const TextosJuicio t = DescribirJuicio(que, j, texto);
        EXPECT_EQ(t.limite, limite);
        const bool atenuacion = que == V::AtenuacionBajada || que == V::AtenuacionSubida;
        const std::string veredicto = juicio == NoLeido ? ": no se pudo leer"
                                      : juicio == Ok    ? (atenuacion ? ": correcta" : ": correcto")
                                                        : (atenuacion ? ": incorrecta" : ": incorrecto");
        EXPECT_EQ(t.accesible.substr(t.accesible.size() - std::min(t.accesible.size(), veredicto.size())), veredicto)
            << t.accesible;
        // The limit is read out in full after the reading.
        const std::string limiteLeido = std::string(limite).replace(0, 4,
                                                                    limite[1] == '\xE1' ? "m\xE1ximo" : "m\xEDnimo");
        EXPECT_NE(t.accesible.find(", " + limiteLeido + ":"), std::string::npos) << t.accesible;

        ValoresInstalacion v;
        for (ValorJuzgado otro : kValoresJuzgados)
            v.*CampoJuzgado(otro) = "0";
        v.*CampoJuzgado(que) = texto;
        EstadoLinea flags;
        MarcarFallosLinea(kOfficeRemote812, modalidad, v, flags);
        EXPECT_EQ(flags.AtenuacionIncorrecta, atenuacion && juicio == Mal);
        EXPECT_EQ(flags.RuidoIncorrecto, !atenuacion && juicio == Mal);
    }
}

// Whole read-out texts, in both languages.
TEST(LineJudgementText, ReadsValueLimitAndVerdictInTheTablesLanguage)
{
    const std::tuple<int16_t, ValorJuzgado, const char*, const char*> casos[] = {
        {kIdiomaIngles, V::AtenuacionBajada, "45.5", "Downstream attenuation 45.5 dB, maximum 61 dB: correct"},
        {kIdiomaIngles, V::AtenuacionSubida, " 99.0 dB", "Upstream attenuation 99.0 dB, maximum 59 dB: incorrect"},
        {kIdiomaEspanol, V::MargenRuidoSubida, "-0.5", "Margen de ruido en subida -0.5 dB, m\xEDnimo 8 dB: incorrecto"},
        {kIdiomaIngles, V::MargenRuidoBajada, ".5", "Downstream noise margin 0.5 dB, minimum 8 dB: incorrect"},
        {kIdiomaIngles, V::MargenRuidoBajada, "No disponible",
         "Downstream noise margin, minimum 8 dB: could not be read"},
        {kIdiomaEspanol, V::AtenuacionSubida, "", "Atenuaci\xF3n en subida, m\xE1ximo 59 dB: no se pudo leer"},
    };
    for (const auto& [idioma, que, texto, accesible] : casos) {
        SCOPED_TRACE(accesible);
        CargarTextosControles(idioma);
        EXPECT_EQ(DescribirJuicio(que, JuzgarValor(kOfficeRemote812, kModalidadEstandar, que, texto), texto).accesible,
                  accesible);
    }
    CargarTextosControles(kIdiomaEspanol);
}

// No limit applies: the 5660 judges its downstream values only, and an unknown
// modality judges nothing. No indicator, and no fault for the record.
TEST(LineJudgement, JudgesOnlyWhatTheModelAndModalityHaveALimitFor)
{
    // The model, the modality, the value and whether it is judged.
    const std::tuple<int16_t, int16_t, ValorJuzgado, bool> casos[] = {
        {kEfficient5660, kModalidadEstandar, V::AtenuacionSubida, false},
        {kEfficient5660, kModalidadPremium, V::MargenRuidoSubida, false},
        {kEfficient5660, kModalidadPremium, V::AtenuacionBajada, true},
        {kEfficient5660, kModalidadClass, V::MargenRuidoBajada, true},
        {kOfficeRemote812, 0, V::AtenuacionBajada, false},
        {kOfficeRemote812, 4, V::MargenRuidoSubida, false},
        {0, kModalidadEstandar, V::AtenuacionBajada, false},
    };
    for (const auto& [modelo, modalidad, que, juzgado] : casos) {
        SCOPED_TRACE(testing::Message() << "model " << modelo << ", modality " << modalidad << ", value "
                                        << static_cast<int>(que));
        ValoresInstalacion v;
        // Over every maximum, under every minimum.
        v.*CampoJuzgado(que) = que == V::AtenuacionBajada || que == V::AtenuacionSubida ? "99.9" : "0.5";
        const JuicioValor j = JuzgarValor(modelo, modalidad, que, v.*CampoJuzgado(que));
        EXPECT_EQ(j.juzgado, juzgado);
        EXPECT_EQ(j.correcto, !juzgado);
        EXPECT_EQ(DescribirJuicio(que, j, v.*CampoJuzgado(que)).limite.empty(), !juzgado);
        EstadoLinea flags;
        MarcarFallosLinea(modelo, modalidad, v, flags);
        EXPECT_EQ(flags.AtenuacionIncorrecta || flags.RuidoIncorrecto, juzgado);
    }
}

} // namespace
