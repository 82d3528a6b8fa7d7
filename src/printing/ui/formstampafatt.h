#pragma once

#include "printing/page.h"

#include <QDialog>
#include <QString>
#include <any>
#include <vector>

class PreviewCanvas;
class QLabel;
class QPushButton;

// "Anteprima di stampa": a paper of any kind drawn as it will print, with zoom, scrolling and
// the choice of the page shown (the last one at first).
class FormStampaFatt : public QDialog {
    Q_OBJECT
public:
    // Draws the paper of that kind (TipoDocumento) from its data.
    FormStampaFatt(const QString& kind, const std::any& data, QWidget* parent = nullptr);

    float Zoom() const { return m_zoom; }
    float Scorrimento() const { return m_scorrimento; }
    float Margine() const { return m_margine; }
    // 0-based page shown, and the number of pages.
    int pagina() const { return m_pagina; }
    int pagine() const { return static_cast<int>(m_pages.size()); }
    const std::vector<Page>& pages() const { return m_pages; }

    void BtnZoom_Click();
    void BtnUp_Click();
    void BtnDown_Click();
    void mouseButton(Qt::MouseButton button);
    void paginaPrecedente();
    void paginaSuccessiva();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click: the first has already moved the page.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void disegnaPagina();

    std::vector<Page> m_pages;
    float m_zoom = 0.78f;
    float m_scorrimento = 0;
    float m_margine = 0;
    int m_pagina = 0;
    PreviewCanvas* m_canvas;
    QLabel* m_lblPagina;
    QPushButton* m_prec;
    QPushButton* m_succ;
};
