#include "printing/ui/formstampafatt.h"

#include "printing/layoutregistry.h"
#include "printing/ui/previewcanvas.h"
#include "shell/appstate.h"
#include "shell/ui/windowbehaviour.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QPushButton* pictureButton(QWidget* parent, const QString& name, QStyle::StandardPixmap icon, const QString& tip)
{
    QPushButton* b = WindowBehaviour::button(parent, name, QString(), tip);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

} // namespace

FormStampaFatt::FormStampaFatt(const QString& kind, const std::any& data, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormStampaFatt"));
    setWindowTitle(QStringLiteral("Anteprima di stampa"));
    QFont font(QStringLiteral("Times New Roman"));
    setFont(font);

    m_canvas = new PreviewCanvas(this);
    auto* zoom =
        pictureButton(this, QStringLiteral("BtnZoom"), QStyle::SP_FileDialogContentsView, QStringLiteral("Zoom"));
    auto* up = pictureButton(this, QStringLiteral("BtnUp"), QStyle::SP_ArrowUp, QStringLiteral("Inizio pagina"));
    auto* down = pictureButton(this, QStringLiteral("BtnDown"), QStyle::SP_ArrowDown, QStringLiteral("Fondo pagina"));
    m_prec =
        pictureButton(this, QStringLiteral("BtnPagPrec"), QStyle::SP_ArrowLeft, QStringLiteral("Pagina precedente"));
    m_succ =
        pictureButton(this, QStringLiteral("BtnPagSucc"), QStyle::SP_ArrowRight, QStringLiteral("Pagina successiva"));
    m_lblPagina = new QLabel(this);
    m_lblPagina->setObjectName(QStringLiteral("LblPagina"));
    auto* chiudi = WindowBehaviour::button(this, QStringLiteral("BtnChiudi"), QStringLiteral("&Chiudi"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(zoom);
    bar->addWidget(up);
    bar->addWidget(down);
    bar->addSpacing(16);
    bar->addWidget(m_prec);
    bar->addWidget(m_lblPagina);
    bar->addWidget(m_succ);
    bar->addStretch();
    bar->addWidget(chiudi);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 6);
    root->addWidget(m_canvas, 1);
    root->addLayout(bar);

    connect(zoom, &QPushButton::clicked, this, &FormStampaFatt::BtnZoom_Click);
    connect(up, &QPushButton::clicked, this, &FormStampaFatt::BtnUp_Click);
    connect(down, &QPushButton::clicked, this, &FormStampaFatt::BtnDown_Click);
    connect(m_prec, &QPushButton::clicked, this, &FormStampaFatt::paginaPrecedente);
    connect(m_succ, &QPushButton::clicked, this, &FormStampaFatt::paginaSuccessiva);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_canvas, &PreviewCanvas::pressed, this, &FormStampaFatt::mouseButton);

    WindowBehaviour::sizeAndCentre(this, 9000, 12000);

    m_zoom = app().stampaDiretta ? 1.0f : 0.78f;
    m_scorrimento = 0;
    m_margine = app().stampaDiretta ? app().margineLaterale : 0.0f;
    m_pages = LayoutRegistry::compose(kind, data, this);
    // Every page is drawn in turn over the previous one, so the last stays in view.
    m_pagina = std::max(0, pagine() - 1);
    disegnaPagina();
}

void FormStampaFatt::disegnaPagina()
{
    PageView view;
    view.zoom = m_zoom;
    view.margine = m_margine;
    view.scorrimento = m_scorrimento;
    m_canvas->show(m_pages.empty() ? nullptr : &m_pages[m_pagina], view);
    m_lblPagina->setText(m_pages.empty() ? QString()
                                         : QStringLiteral("Pagina %1 di %2").arg(m_pagina + 1).arg(pagine()));
    m_prec->setEnabled(m_pagina > 0);
    m_succ->setEnabled(m_pagina + 1 < pagine());
}

void FormStampaFatt::BtnZoom_Click()
{
    m_scorrimento = 0;
    if (m_zoom == 1.0f)
        m_zoom = 0.78f;
    else if (m_zoom == 0.78f)
        m_zoom = 0.49f;
    else
        m_zoom = 1.0f;
    disegnaPagina();
}

void FormStampaFatt::BtnUp_Click()
{
    m_scorrimento = 0;
    disegnaPagina();
}

void FormStampaFatt::BtnDown_Click()
{
    if (m_scorrimento == 0 && m_zoom != 0.49f)
        m_scorrimento = -150 * m_zoom;
    disegnaPagina();
}

void FormStampaFatt::mouseButton(Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        BtnZoom_Click();
        return;
    }
    m_scorrimento = (m_scorrimento == 0 && m_zoom != 0.49f) ? -150 * m_zoom : 0;
    disegnaPagina();
}

void FormStampaFatt::paginaPrecedente()
{
    if (m_pagina > 0)
        --m_pagina;
    disegnaPagina();
}

void FormStampaFatt::paginaSuccessiva()
{
    if (m_pagina + 1 < pagine())
        ++m_pagina;
    disegnaPagina();
}

void FormStampaFatt::mousePressEvent(QMouseEvent* event)
{
    mouseButton(event->button());
    event->accept();
}

void FormStampaFatt::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}
