#pragma once

#include "invoices/einvoicedata.h"
#include "shell/decimal.h"

#include <QList>
#include <QString>
#include <QStringList>

// The rules of the FatturaPA format (version 1.2.2) that need no database: identifiers,
// recipient codes, file names, code lists and how texts and amounts are written.
namespace EInvoiceRules {

inline const QString kCodiceSenzaCanale = QStringLiteral("0000000");
// Customers outside Italy.
inline const QString kCodiceEstero = QStringLiteral("XXXXXXX");

struct Voce {
    QString codice;
    QString descrizione;
};
// Regime fiscale codes, RF01 first.
const QList<Voce>& regimiFiscali();
// Natura codes allowed for a 0 % rate, those of a metalwork shop first.
const QList<Voce>& nature();
bool inElenco(const QList<Voce>& elenco, const QString& codice);

// Italian VAT number: 11 digits whose last is the check digit of the other ten.
bool partitaIvaValida(const QString& piva);
// Tax code: 16 letters and digits (a person) or a VAT number (a company).
bool codiceFiscaleValido(const QString& cf);
// Recipient code of a private customer: 7 capital letters or digits.
bool codiceDestinatarioValido(const QString& codice);
bool pecValida(const QString& pec);
// A public administration is reached by its office code (codice univoco ufficio): 6 capital
// letters or digits. Its files are FPA12, with split payment.
bool pubblicaAmministrazione(const CustomerEInvoiceData& data);
// Everything wrong with an invoice's CIG and CUP for this customer, in Italian.
QStringList problemiCodiciPA(const PublicBodyCodes& codes, const CustomerEInvoiceData& customer);
// What the user must do with a public body's file before sending it.
inline const QString kFirmaPA = QStringLiteral(
    "Le fatture elettroniche alle pubbliche amministrazioni (FPA12) vanno firmate digitalmente con il proprio "
    "strumento di firma prima dell'invio: il programma non le firma.");
// The code the file carries: "0000000" when a PEC (or nothing) is given, "XXXXXXX" abroad; a
// public body's office code always.
QString codiceDaUsare(const CustomerEInvoiceData& data);
// Upper case, without blanks; a leading country prefix equal to `nazione` is dropped.
QString identificativo(const QString& text, const QString& nazione = QString());

// Everything wrong with the company data, in Italian; empty when it can make a file.
QStringList problemiAzienda(const CompanyFiscalData& data);
// Everything wrong with a customer's recipient data.
QStringList problemiCliente(const CustomerEInvoiceData& data);

// The progressive of a file name: 5 digits or capital letters (base 36), 1 gives "00001".
QString progressivo(long long n);
// IT + company VAT number + "_" + progressive + ".xml", the name the exchange system expects.
QString nomeFile(const QString& partitaIva, long long n);

// A text as the format takes it: one line of characters of the Latin-1 set, without outer
// blanks, cut to `maxLength` characters. A letter beyond Latin-1 becomes the nearest Latin letters
// ("Łódź" gives "Lodz"); one of another script, "?".
QString testo(const QString& text, int maxLength);
// Whether testo() changes letters of `text` (not just blanks and signs).
bool lettereFuoriLatin1(const QString& text);
// An amount with "." and exactly two decimals.
QString importo(const Decimal& d);
// A price or quantity with "." and two to eight decimals.
QString numero(const Decimal& d);

} // namespace EInvoiceRules
