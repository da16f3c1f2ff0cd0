#include "cli/Comandos.h"

#include <cstdio>

namespace tesedra::cli {

int ComandoValidate(const QStringList&)
{
    std::fprintf(stderr, "tesedra-cli: this command is not available in this build\n");
    return 3;
}

} // namespace tesedra::cli
