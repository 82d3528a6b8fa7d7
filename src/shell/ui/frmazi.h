#pragma once

#include <QDialog>

class QLineEdit;
class FocusFrame;

// "DATI INTESTAZIONE": the five header lines printed on every paper.
class FrmAzi : public QDialog {
    Q_OBJECT
public:
    explicit FrmAzi(QWidget* parent = nullptr);

    QLineEdit* TxtRiga(int index) const { return m_righe[index - 1]; }

private:
    void BtnSalva_Click();

    QLineEdit* m_righe[5] = {};
    FocusFrame* m_frame = nullptr;
};
