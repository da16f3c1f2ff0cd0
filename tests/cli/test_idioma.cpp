// The language of tesedra-cli: the locale variables first, then the user's system.
#include "base/Idiomas.h"

#include <gtest/gtest.h>

namespace {

TEST(CliLanguage, LocaleVariablesFirstThenTheSystemsLanguage)
{
    const struct {
        const char *lcAll, *lcMessages, *lang;
        bool sistemaEspanol;
        int16_t idioma;
    } casos[] = {
        {nullptr, nullptr, "es_ES.UTF-8", false, tesedra::kIdiomaEspanol},
        {nullptr, nullptr, "eu_ES.UTF-8", true, tesedra::kIdiomaIngles},
        {"es_MX.UTF-8", "en_US", "C", false, tesedra::kIdiomaEspanol},
        {nullptr, "en_US", "es_ES.UTF-8", true, tesedra::kIdiomaIngles},
        {"", "fr_FR", "es_ES.UTF-8", true, tesedra::kIdiomaIngles},
        {nullptr, nullptr, nullptr, true, tesedra::kIdiomaEspanol},
        {"", "", "", true, tesedra::kIdiomaEspanol},
        {nullptr, nullptr, nullptr, false, tesedra::kIdiomaIngles},
        {nullptr, nullptr, "en_US.UTF-8", true, tesedra::kIdiomaIngles},
        {nullptr, "es_ES.UTF-8", "en_US.UTF-8", false, tesedra::kIdiomaEspanol},
        {"C", "es_ES.UTF-8", nullptr, true, tesedra::kIdiomaIngles},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-")
                                        << " " << (c.lang ? c.lang : "-") << " " << c.sistemaEspanol);
        EXPECT_EQ(tesedra::IdiomaSegun(c.lcAll, c.lcMessages, c.lang, c.sistemaEspanol), c.idioma);
    }
}

} // namespace
