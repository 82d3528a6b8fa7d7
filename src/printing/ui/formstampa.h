#pragma once

#include "printing/customersheetdata.h"
#include "printing/page.h"

#include <QDialog>
#include <vector>

class PreviewCanvas;

// "Anteprima di stampa" of the customer sheet, with its own zoom steps.
class FormStampa : public QDialog {
    Q_OBJECT
public:
    explicit FormStampa(const CustomerSheetData& data, QWidget* parent = nullptr);

    float Zoom() const { return m_zoom; }
    // Vertical start of the drawing: 1 at the top of the page, negative when scrolled down.
    float Inizio() const { return m_inizio; }
    const std::vector<Page>& pages() const { return m_pages; }

    void BtnZoom_Click();
    void mouseButton(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click: the first has already moved the page.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void disegnaAnagrafica();

    std::vector<Page> m_pages;
    float m_zoom = 0.49f;
    float m_inizio = 1;
    PreviewCanvas* m_canvas;
};
