#include "base/Latin1.h"

#ifdef Q_OS_WIN
#include <windows.h>

namespace tesedra {

QByteArray APaginaCodigos(const QString& texto, unsigned pagina)
{
    const auto* ancho = reinterpret_cast<const wchar_t*>(texto.utf16());
    const int largo = static_cast<int>(texto.size());
    const int n = largo ? WideCharToMultiByte(pagina, 0, ancho, largo, nullptr, 0, nullptr, nullptr) : 0;
    QByteArray bytes(n, Qt::Uninitialized);
    if (n)
        WideCharToMultiByte(pagina, 0, ancho, largo, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

QString DesdePaginaCodigos(const QByteArray& bytes, unsigned pagina)
{
    const int largo = static_cast<int>(bytes.size());
    const int n = largo ? MultiByteToWideChar(pagina, 0, bytes.constData(), largo, nullptr, 0) : 0;
    QString texto(n, Qt::Uninitialized);
    if (n)
        MultiByteToWideChar(pagina, 0, bytes.constData(), largo, reinterpret_cast<wchar_t*>(texto.data()), n);
    return texto;
}

} // namespace tesedra
#endif
