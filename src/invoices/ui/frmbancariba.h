#pragma once

#include <QDialog>

class QLineEdit;

// "BANCA PER LE RI.BA.": the company's CBI SIA code and the account its bank credits the
// collected Ri.Ba. to.
class FrmBancaRiba : public QDialog {
    Q_OBJECT
public:
    explicit FrmBancaRiba(QWidget* parent = nullptr);
    // Fills the boxes from the database (from the electronic invoice's IBAN when never saved);
    // false (after a message) when it cannot be read.
    bool Carica();

private:
    void salva();

    QLineEdit* m_sia;
    QLineEdit* m_abi;
    QLineEdit* m_cab;
    QLineEdit* m_conto;
    QLineEdit* m_banca;
};
