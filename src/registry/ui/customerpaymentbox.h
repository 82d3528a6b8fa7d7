#pragma once

#include "registry/customerpayment.h"

#include <QGroupBox>
#include <QList>
#include <QString>

class ModifiedFlag;
class QComboBox;
class QLineEdit;

// The customer editor's payment part: the term its invoices take and the customer's bank.
class CustomerPaymentBox : public QGroupBox {
    Q_OBJECT
public:
    // Every edit raises `modificato`.
    CustomerPaymentBox(QWidget* parent, ModifiedFlag* modificato);

    // Lists the terms to choose from; a reading error is told to the user.
    void riempi();
    void mostra(const CustomerPayment& p);
    // What the boxes hold, IBAN as typed.
    CustomerPayment dati() const;
    // Why the bank data cannot be stored, the focus put on the box at fault; empty when it can.
    QString verifica();
    // The boxes in tab order.
    QList<QWidget*> campi() const;

private:
    QComboBox* m_condizione;
    QLineEdit* m_iban;
    QLineEdit* m_abi;
    QLineEdit* m_cab;
    QLineEdit* m_banca;
};
