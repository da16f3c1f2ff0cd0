#include "ui/IndicadorJuicio.h"

namespace tesedra {

namespace {

constexpr char16_t kTick = u'\u2713';
constexpr char16_t kCruz = u'\u2717';

} // namespace

IndicadorJuicio::IndicadorJuicio(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    Limpiar();
}

void IndicadorJuicio::Mostrar(Estado estado, const QString& limite, const QString& accesible, const QString& noLeido)
{
    estado_ = estado;
    QString texto = limite;
    QString color;
    switch (estado) {
    case Estado::Correcto:
        texto += QLatin1Char(' ') + QChar(kTick);
        color = QStringLiteral("#1a7f1a");
        break;
    case Estado::Incorrecto:
        texto += QLatin1Char(' ') + QChar(kCruz);
        color = QStringLiteral("#c01818");
        break;
    case Estado::SinLectura:
        texto += QStringLiteral(" \u2014 ") + noLeido;
        color = QStringLiteral("#6a6a6a");
        break;
    case Estado::Vacio: Limpiar(); return;
    }
    setText(texto);
    setStyleSheet(QStringLiteral("QLabel { color: %1; font-weight: bold; }").arg(color));
    setAccessibleName(accesible);
    setVisible(true);
}

void IndicadorJuicio::Limpiar()
{
    estado_ = Estado::Vacio;
    clear();
    setStyleSheet({});
    setAccessibleName({});
    setVisible(false);
}

} // namespace tesedra
