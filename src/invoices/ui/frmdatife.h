#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

// "DATI FATTURA ELETTRONICA": the company's fiscal data for the electronic invoices.
class FrmDatiFe : public QDialog {
    Q_OBJECT
public:
    explicit FrmDatiFe(QWidget* parent = nullptr);
    // Fills the boxes from the database; false (after a message) when it cannot be read.
    bool Carica();

private:
    void salva();
    QLineEdit* box(const char* name, int maxLength);

    QLineEdit* m_denominazione = nullptr;
    QLineEdit* m_piva = nullptr;
    QLineEdit* m_cf = nullptr;
    QComboBox* m_regime = nullptr;
    QLineEdit* m_indirizzo = nullptr;
    QLineEdit* m_cap = nullptr;
    QLineEdit* m_comune = nullptr;
    QLineEdit* m_provincia = nullptr;
    QLineEdit* m_nazione = nullptr;
    QLineEdit* m_iban = nullptr;
    QLineEdit* m_istituto = nullptr;
    QCheckBox* m_persona = nullptr;
    QLineEdit* m_causale = nullptr;
    QCheckBox* m_bollo = nullptr;
};
