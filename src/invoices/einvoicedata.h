#pragma once

#include <QDate>
#include <QString>

// The company's own data that an electronic invoice needs and the printed one does not.
struct CompanyFiscalData {
    QString denominazione;
    QString partitaIva;
    QString codiceFiscale;
    QString regimeFiscale = QStringLiteral("RF01");
    QString indirizzo;
    QString cap;
    QString comune;
    QString provincia;
    QString nazione = QStringLiteral("IT");
    // Optional: with an IBAN the file carries the payment data.
    QString iban;
    QString istitutoFinanziario;
    // A person withholds as RT01, a company as RT02.
    bool personaFisica = false;
    // CausalePagamento of the 4 % withholding; the default is FiscalWordings::kCausaleRitenutaPredefinita.
    QString causaleRitenuta = QStringLiteral("W");
    // The virtual stamp is charged to the customer as a row of the invoice.
    bool bolloACliente = false;
};

// How a customer receives electronic invoices.
struct CustomerEInvoiceData {
    QString codiceDestinatario = QStringLiteral("0000000");
    QString pec;
    QString nazione = QStringLiteral("IT");
};

// The registry columns of a customer that the file carries.
struct CustomerRecord {
    QString nome;
    QString ragione;
    QString ragione2;
    QString piva;
    QString cf;
    QString indirizzo;
    QString cap;
    QString citta;
    QString prov;
};

// A public body's codes of one invoice: the tender (CIG, 10 characters) and the project (CUP,
// 15 characters), both optional.
struct PublicBodyCodes {
    QString cig;
    QString cup;
};

// A DDT a deferred invoice covers.
struct DdtReference {
    QString num;
    QDate data;
};
