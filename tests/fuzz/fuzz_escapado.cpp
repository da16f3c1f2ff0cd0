// The --raw values of `tesedra-cli validate`: any value escapes to one line that
// unescapes back to it, and any text either unescapes to a value that escapes back to
// it or is refused.
#include "Exigir.h"

#include "cli/Escapado.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace tesedra::cli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string valor(reinterpret_cast<const char*>(data), size);

    const std::string escapado = Escapar(valor);
    EXIGIR(escapado.find_first_of("\r\n\t") == std::string::npos);
    std::string vuelta;
    EXIGIR(Desescapar(escapado, vuelta));
    EXIGIR(vuelta == valor);

    if (Desescapar(valor, vuelta))
        EXIGIR(Escapar(vuelta) == valor || valor.find_first_of("\r\n\t") != std::string::npos);
    return 0;
}
