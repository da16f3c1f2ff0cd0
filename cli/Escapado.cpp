#include "cli/Escapado.h"

namespace tesedra::cli {

std::string Escapar(const std::string& valor)
{
    std::string s;
    s.reserve(valor.size());
    for (const char c : valor) {
        switch (c) {
        case '\r': s += "\\r"; break;
        case '\n': s += "\\n"; break;
        case '\t': s += "\\t"; break;
        case '\\': s += "\\\\"; break;
        default: s += c; break;
        }
    }
    return s;
}

bool Desescapar(const std::string& escapado, std::string& valor)
{
    valor.clear();
    valor.reserve(escapado.size());
    for (size_t i = 0; i < escapado.size(); ++i) {
        const char c = escapado[i];
        if (c != '\\') {
            valor += c;
            continue;
        }
        if (++i == escapado.size())
            return false;
        switch (escapado[i]) {
        case 'r': valor += '\r'; break;
        case 'n': valor += '\n'; break;
        case 't': valor += '\t'; break;
        case '\\': valor += '\\'; break;
        default: return false;
        }
    }
    return true;
}

} // namespace tesedra::cli
