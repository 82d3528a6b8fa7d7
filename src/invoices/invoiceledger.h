#pragma once

#include "data/dberror.h"
#include "invoices/invoicestore.h"
#include "printing/registertable.h"
#include "shell/decimal.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

// The invoices of the register with their amounts: the printed register's sums and the
// accountant's list ("csv fatture ANNO -o FILE"), both from the register's own rows.
class InvoiceLedger {
public:
    // Each to the cent, as the invoice prints it.
    struct Importi {
        Decimal imponibile;
        Decimal iva;
        Decimal ritenuta;
        // The VAT of a public body's invoice under split payment; zero otherwise.
        Decimal scissione;
    };

    InvoiceStore::Register registro;
    // One for each row of the register, in its order.
    QList<Importi> importi;
    Importi somme;
    // The VAT of public bodies' invoices, which they pay to the treasury (split payment): out of
    // what is collected and still to collect.
    Decimal ivaScissione;

    // The register of that year and customer (0 for all).
    static DbResult<InvoiceLedger> carica(int anno, qint64 idAna);
    // The register alone, its sums without the VAT public bodies pay to the treasury, as the window
    // shows it: the rows of the other invoices are not read.
    static DbResult<InvoiceStore::Register> soloRegistro(int anno, qint64 idAna);

    // The year's total, paid and unpaid: the stored totals, as the register window sums them.
    Decimal totale() const { return registro.incassato + registro.daIncassare + ivaScissione; }
    // The sums printed after the register's last row.
    QList<RegisterTable::Totale> totali() const;

    // ";"-separated, decimal comma, dates dd/mm/yyyy, UTF-8 with BOM, CR LF: what an Italian
    // spreadsheet opens as it is. One header line, then the invoices in number order.
    QByteArray csv() const;
    // "Fatture_2026.csv".
    static QString nomeCsv(int anno);
    // Writes the list whole or not at all; the reason why not, or empty when written. Only a file
    // this program wrote as such a list may be replaced.
    static QString scriviCsv(const QByteArray& csv, const QString& path);

    // The same list as a spreadsheet (.xlsx): codes and VAT numbers as text, amounts as numbers
    // with two decimals, dates as dates, a header row. Empty, with the reason, when it cannot be made.
    QByteArray xlsx(int anno, QString& error) const;
    // "Fatture_2026.xlsx".
    static QString nomeXlsx(int anno);
    // As scriviCsv: only a spreadsheet this program wrote as such a list may be replaced.
    static QString scriviXlsx(const QByteArray& xlsx, const QString& path);

    // `args` are "csv fatture ANNO [--cliente ID] -o FILE" or the same with "xlsx" (a leading
    // "csv" is optional). 0 when written; 1 with a message on `err`, and no file, otherwise.
    static int run(const QStringList& args, QTextStream& err);
};
