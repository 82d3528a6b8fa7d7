#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "printing/customersheetdata.h"

class CustomerPaymentBox;
class FocusFrame;
class ModifiedFlag;
class QLineEdit;
class QPushButton;

// The customer editor: one customer of the registry, new or existing.
class FrmAna : public QDialog {
    Q_OBJECT
public:
    explicit FrmAna(QWidget* parent = nullptr);

    // Prepares the window before it is shown: an empty name for a new customer, otherwise the
    // valid customer of that name. False when it could not be loaded (the user has been told);
    // the window then closes itself if shown.
    bool Carica(const QString& nome);
    // A new customer proposed from two typed header lines: the first as name and company name,
    // the second as the company name's second line. Called after Carica with an empty name.
    void Precompila(const QString& riga1, const QString& riga2);
    // The code of the customer the user saved here; 0 when none was saved.
    qint64 codiceSalvato() const { return m_salvato; }
    // What the electronic invoice button opens for a saved customer, which the invoices offer
    // when the program starts.
    static void offerEInvoiceData(std::function<void(QWidget* parent, qint64 id)> open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static std::function<void(QWidget*, qint64)>& eInvoiceData();
    void fatturaElettronica();
    QLineEdit* box(const char* name, int maxLength);
    void salva();
    // What the customer sheet prints: the boxes as they stand.
    CustomerSheetData sheet() const;

    QLineEdit* m_cod;
    QLineEdit* m_nome;
    QLineEdit* m_rag;
    QLineEdit* m_rag2;
    QLineEdit* m_piva;
    QLineEdit* m_cf;
    QLineEdit* m_ind;
    QLineEdit* m_citta;
    QLineEdit* m_cap;
    QLineEdit* m_prov;
    CustomerPaymentBox* m_pagamento;
    QPushButton* m_salva;
    FocusFrame* m_frame;
    ModifiedFlag* m_modificato;
    // Name given to Carica; empty while creating a customer.
    QString m_nomeCaricato;
    // Code of the customer shown (for a new one, the code it is expected to get).
    qint64 m_id = 0;
    qint64 m_salvato = 0;
};
