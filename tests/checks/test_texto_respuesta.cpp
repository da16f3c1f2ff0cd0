// Walking a console reply line by line: the same lines as taking ExtraerLinea of it
// until it gives "", for any mix of line ends, and in time proportional to its length.
#include "console/TextoRespuesta.h"
#include "console/Util.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <string>
#include <vector>

using namespace tesedra;

namespace {

std::vector<std::string> PorExtraerLinea(std::string texto)
{
    std::vector<std::string> lineas;
    for (;;) {
        std::string linea = ExtraerLinea(texto, texto);
        if (linea.empty())
            return lineas;
        lineas.push_back(linea);
    }
}

std::vector<std::string> PorRecorrer(const std::string& texto)
{
    std::vector<std::string> lineas;
    RecorrerLineas(texto, [&](const std::string& l) { lineas.push_back(l); });
    return lineas;
}

class Recorrer : public testing::TestWithParam<std::string> {};

TEST_P(Recorrer, LasMismasLineasQueExtraerLinea)
{
    const std::string texto = GetParam();
    const auto esperadas = PorExtraerLinea(texto);
    EXPECT_EQ(PorRecorrer(texto), esperadas);
    std::string unidas;
    for (const auto& l : esperadas)
        unidas += l;
    EXPECT_EQ(unidas, texto);
}

INSTANTIATE_TEST_SUITE_P(
    Textos, Recorrer,
    testing::Values(std::string(), std::string("a"), std::string("\r\n"), std::string("\r\n\r\n"),
                    std::string("uno\r\ndos"), std::string("uno\r\ndos\r\n"), std::string("a\rb\nc\r\n"),
                    std::string("sin fin\r"), std::string("\n\r\n\r"), std::string("x\r\r\n\n\r\ny"),
                    std::string("Host Name - Espa\xF1" "a\r\n\xBF" "Qu\xE9?\r\n")));

TEST(Recorrer, LineasConCaracteresLatin1PasanIntactas)
{
    const std::string texto = "Host Name - Espa\xF1" "a\r\nCommand->\r\nUsername - ni\xF1" "o@corp\r\n";
    EXPECT_EQ(FiltrarLineas(texto, {"Command->"}),
              "Host Name - Espa\xF1" "a\r\nUsername - ni\xF1" "o@corp\r\n");
}

// A reply of some megabytes (a long configuration or log listing): filtering it must
// take a moment, not minutes. Cutting the reply down one line at a time copied the
// rest of it for every line, which took many seconds here.
TEST(Recorrer, RespuestaMuyLargaSeFiltraEnUnMomento)
{
    std::string texto;
    const int lineas = 160000;
    for (int i = 0; i < lineas; ++i)
        texto += "vc 1 ppp username arc0001@corporacion " + std::to_string(i) + "\r\n";
    texto += "Command->";

    QElapsedTimer reloj;
    reloj.start();
    const std::string resultado = FiltrarLineas(texto, {"Command->", "show cfg"});
    const qint64 ms = reloj.elapsed();

    EXPECT_EQ(resultado, texto.substr(0, texto.size() - 9));
    EXPECT_LT(ms, 3000) << "filtering " << texto.size() << " bytes took " << ms << " ms";
}

} // namespace
