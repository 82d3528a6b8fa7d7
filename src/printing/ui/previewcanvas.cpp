#include "printing/ui/previewcanvas.h"

#include "printing/pagerenderer.h"

#include <QMouseEvent>
#include <QPainter>

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Foglio"));
    setAccessibleName(QStringLiteral("Anteprima della pagina"));
    setAutoFillBackground(true);
}

void PreviewCanvas::show(const Page* page, const PageView& view)
{
    m_page = page;
    m_view = view;
    m_view.preview = true;
    update();
}

void PreviewCanvas::paintEvent(QPaintEvent*)
{
    if (!m_page)
        return;
    QPainter painter(this);
    PageRenderer(painter).draw(*m_page, m_view);
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
    event->accept();
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}
