#pragma once

#include "printing/page.h"
#include "printing/pageview.h"

#include <QWidget>

// The drawing surface of the preview windows: one page under a view, redrawn on demand.
class PreviewCanvas : public QWidget {
    Q_OBJECT
public:
    explicit PreviewCanvas(QWidget* parent = nullptr);

    // Nothing is drawn without a page (a kind without a layout).
    void show(const Page* page, const PageView& view);

signals:
    void pressed(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click: the first has already moved the page.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const Page* m_page = nullptr;
    PageView m_view;
};
