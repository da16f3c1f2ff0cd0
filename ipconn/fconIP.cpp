// Placeholder until the IP connectivity window lands: shows its title and goes back.
#include "ipconn/fconIP.h"

#include "shell/Idiomas.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace tesedra {

fconIP::fconIP(QWidget* principal, std::function<int16_t()> codigoModelo, QWidget* parent)
    : QWidget(parent), principal_(principal), codigoModelo_(std::move(codigoModelo))
{
    setObjectName(QStringLiteral("fconIP"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(Texto(39).c_str()));
    auto* volver = new QPushButton(QString::fromLatin1(Texto(49).c_str()), this);
    volver->setObjectName(QStringLiteral("bVolver"));
    auto* l = new QVBoxLayout(this);
    l->addWidget(volver);
    connect(volver, &QPushButton::clicked, this, &QWidget::close);
}

fconIP::~fconIP() = default;

void fconIP::closeEvent(QCloseEvent* e)
{
    if (principal_)
        principal_->show();
    e->accept();
}

} // namespace tesedra
