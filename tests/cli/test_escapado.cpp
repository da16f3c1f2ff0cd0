// The escaping of --raw values and its inverse, in-process.
#include "cli/Escapado.h"

#include <gtest/gtest.h>

#include <string>

using namespace tesedra::cli;

namespace {

TEST(RawEscaping, EveryControlAndBackslashRoundTrips)
{
    // A value and its escaped form.
    const std::pair<std::string, std::string> casos[] = {
        {"", ""},
        {"plain 45.5 dB", "plain 45.5 dB"},
        {"91\\34\t56", "91\\\\34\\t56"},
        {"a\r\nb", "a\\r\\nb"},
        {"\\n", "\\\\n"}, // a backslash before an n is not a line end
        {"\\\\\t", "\\\\\\\\\\t"},
        {std::string("x\0y\xF3", 4), std::string("x\0y\xF3", 4)},
    };
    for (const auto& [valor, escapado] : casos) {
        SCOPED_TRACE(escapado);
        EXPECT_EQ(Escapar(valor), escapado);
        std::string vuelta = "left over";
        ASSERT_TRUE(Desescapar(escapado, vuelta));
        EXPECT_EQ(vuelta, valor);
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
