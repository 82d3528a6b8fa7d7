#pragma once

#include "invoices/companybank.h"
#include "shell/decimal.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// The banks' CBI "RIBA" presentation file: fixed records of 120 characters, CR LF after each.
namespace RibaFile {

// The creditor: the company's name, address and tax number, and its bank.
struct Creditore {
    QString ragioneSociale;
    QString indirizzo;
    QString localita; // CAP, town and province as one line
    QString partitaIva;
    CompanyBank banca;
};

// One receipt: an instalment to collect from a customer through its bank.
struct Ricevuta {
    int numero = 0; // progressive in the file, from 1
    QDate scadenza;
    Decimal importo;
    QString debitore; // name
    QString codiceFiscale; // tax or VAT number
    QString indirizzo;
    QString cap;
    QString comune;
    QString provincia;
    QString abi;
    QString cab;
    QString banca;
    QString riferimento; // "Fatt. 12/26 del 15/01/26 rata 1/2"
    QString codiceCliente;
};

// The file for the receipts, created on `creazione`; `nomeSupporto` names it uniquely for the bank.
QByteArray scrivi(const Creditore& c, const QList<Ricevuta>& ricevute, const QDate& creazione,
                  const QString& nomeSupporto);

} // namespace RibaFile
