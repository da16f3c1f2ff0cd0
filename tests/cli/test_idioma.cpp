// The language of tesedra-cli: the locale variables first, then the user's system.
#include "base/Idiomas.h"

#include <gtest/gtest.h>

namespace {

TEST(CliLanguage, LocaleVariablesFirstThenTheSystemsLanguage)
{
    // LC_ALL, LC_MESSAGES and LANG (null: unset), whether the system's language is Spanish,
    // and the language taken.
    const std::tuple<const char*, const char*, const char*, bool, int16_t> casos[] = {
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
    for (const auto& [lcAll, lcMessages, lang, sistemaEspanol, idioma] : casos) {
        SCOPED_TRACE(testing::Message() << (lcAll ? lcAll : "-") << " " << (lcMessages ? lcMessages : "-") << " "
                                        << (lang ? lang : "-") << " " << sistemaEspanol);
        EXPECT_EQ(tesedra::IdiomaSegun(lcAll, lcMessages, lang, sistemaEspanol), idioma);
    }
}

} // namespace
