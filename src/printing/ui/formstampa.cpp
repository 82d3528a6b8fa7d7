#include "printing/ui/formstampa.h"

#include "printing/customersheet.h"
#include "printing/ui/previewcanvas.h"
#include "shell/appstate.h"
#include "shell/ui/windowbehaviour.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The sheet's positions already hold the start of 1 mm at the top of the page.
constexpr float kInizioPagina = 1;

} // namespace

FormStampa::FormStampa(const CustomerSheetData& data, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormStampa"));
    setWindowTitle(QStringLiteral("Anteprima di stampa"));

    m_canvas = new PreviewCanvas(this);
    auto* zoom = WindowBehaviour::button(this, QStringLiteral("BtnZoom"), QString(), QStringLiteral("Zoom"));
    zoom->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    auto* chiudi = WindowBehaviour::button(this, QStringLiteral("BtnChiudi"), QStringLiteral("&Chiudi"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(zoom);
    bar->addStretch();
    bar->addWidget(chiudi);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 6);
    root->addWidget(m_canvas, 1);
    root->addLayout(bar);

    connect(zoom, &QPushButton::clicked, this, &FormStampa::BtnZoom_Click);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_canvas, &PreviewCanvas::pressed, this, &FormStampa::mouseButton);

    WindowBehaviour::sizeAndCentre(this, 9000, 12000);

    m_inizio = kInizioPagina;
    m_zoom = app().stampaDiretta ? 1.0f : 0.49f;
    if (app().tipoDocumento == QStringLiteral("Anagrafica"))
        m_pages = CustomerSheet::layout(data);
    disegnaAnagrafica();
}

void FormStampa::disegnaAnagrafica()
{
    PageView view;
    view.zoom = m_zoom;
    view.scorrimento = m_inizio - kInizioPagina;
    m_canvas->show(m_pages.empty() ? nullptr : &m_pages.front(), view);
}

void FormStampa::BtnZoom_Click()
{
    if (m_zoom == 0.68f) {
        m_zoom = 0.49f;
        m_inizio = kInizioPagina;
    } else {
        m_zoom = 0.68f;
    }
    disegnaAnagrafica();
}

void FormStampa::mouseButton(Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        m_inizio = kInizioPagina;
        if (m_zoom == 1.0f)
            m_zoom = 0.68f;
        else if (m_zoom == 0.49f)
            m_zoom = 1.0f;
        else
            m_zoom = 0.49f;
    } else if (m_inizio > 0 && m_zoom != 0.49f) {
        m_inizio = -150 * m_zoom;
    } else {
        m_inizio = kInizioPagina;
    }
    disegnaAnagrafica();
}

void FormStampa::mousePressEvent(QMouseEvent* event)
{
    mouseButton(event->button());
    event->accept();
}

void FormStampa::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}
