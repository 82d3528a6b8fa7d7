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

// One field of a record: where it lies (from 1, as the banks' documents count) and how it is padded.
// Numeric fields are right aligned with zeros, the others left aligned with spaces; a field given no
// value (fillers, optional fields the program does not use) is all spaces.
struct Campo {
    const char* record; // "IB", "14", "20", "30", "40", "50", "51", "70", "EF"
    const char* nome;
    int inizio;
    int lunghezza;
    bool numerico;
};
constexpr int kLunghezzaRecord = 120;

// Every field of every record, record by record in file order, each record's fields by position.
const QList<Campo>& tracciato();
// The field `nome` of `record`; nullptr when there is none.
const Campo* campo(const char* record, const char* nome);

// Text as an alphanumeric field carries it: upper case, accents dropped, characters outside the
// banks' set replaced by a space.
QString testoAmmesso(const QString& s);

// Why the file cannot be written for these data, in Italian; empty when it can.
QString errore(const Creditore& c, const QList<Ricevuta>& ricevute);

// The file for the receipts, created on `creazione`; `nomeSupporto` names it uniquely for the bank.
// Callers check errore() first.
QByteArray scrivi(const Creditore& c, const QList<Ricevuta>& ricevute, const QDate& creazione,
                  const QString& nomeSupporto);

} // namespace RibaFile
