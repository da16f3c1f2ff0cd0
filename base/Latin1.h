#pragma once
// Single-byte (Latin-1) text, as console replies, record texts and files hold it,
// converted to and from Qt's strings. The one place these conversions live.

#include <QByteArray>
#include <QString>

#include <string>

namespace tesedra {

inline QString L1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

inline QString L1(const char* s)
{
    return QString::fromLatin1(s);
}

// Characters outside Latin-1 become '?'.
inline std::string ToL1(const QString& s)
{
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

#ifdef Q_OS_WIN
// Text to and from a Windows code page (WideCharToMultiByte, MultiByteToWideChar):
// the console's (GetConsoleOutputCP, GetConsoleCP), or the OEM one (GetOEMCP) in
// which console programs such as ping write their output. What the code page
// lacks becomes '?'.
QByteArray APaginaCodigos(const QString& texto, unsigned pagina);
QString DesdePaginaCodigos(const QByteArray& bytes, unsigned pagina);
#endif

// Bytes are not text: a QByteArray would otherwise reach ToL1 through QString's
// UTF-8 decoding and lose its single-byte letters.
std::string ToL1(const QByteArray& b) = delete;

} // namespace tesedra
