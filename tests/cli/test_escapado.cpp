// The escaping of --raw values and its inverse, in-process.
#include "cli/Escapado.h"

#include <gtest/gtest.h>

#include <string>

using namespace tesedra::cli;

namespace {

struct Caso {
    std::string valor;
    std::string escapado;
};

TEST(RawEscaping, EveryControlAndBackslashRoundTrips)
{
    const Caso casos[] = {
        {"", ""},
        {"plain 45.5 dB", "plain 45.5 dB"},
        {"91\\34\t56", "91\\\\34\\t56"},
        {"a\r\nb", "a\\r\\nb"},
        {"\\n", "\\\\n"}, // a backslash before an n is not a line end
        {"\\\\\t", "\\\\\\\\\\t"},
        {std::string("x\0y\xF3", 4), std::string("x\0y\xF3", 4)},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.escapado);
        EXPECT_EQ(Escapar(c.valor), c.escapado);
        std::string vuelta = "left over";
        ASSERT_TRUE(Desescapar(c.escapado, vuelta));
        EXPECT_EQ(vuelta, c.valor);
    }
}

TEST(RawEscaping, TextsNeverWrittenByTheEscapingAreRefused)
{
    for (const char* texto : {"\\", "ab\\", "\\x41", "a\\ b", "\\\\\\"}) {
        SCOPED_TRACE(texto);
        std::string valor;
        EXPECT_FALSE(Desescapar(texto, valor));
    }
}

} // namespace
