#pragma once

#include <QDialog>

class QLineEdit;

// The electronic invoice data of one customer: recipient code, PEC address, country.
class FrmFeCliente : public QDialog {
    Q_OBJECT
public:
    explicit FrmFeCliente(QWidget* parent = nullptr);
    // Loads the data of customer `idAna`; false (after a message) when it cannot be read.
    bool Carica(qint64 idAna);

private:
    void salva();

    qint64 m_id = 0;
    QLineEdit* m_codice = nullptr;
    QLineEdit* m_pec = nullptr;
    QLineEdit* m_nazione = nullptr;
};
