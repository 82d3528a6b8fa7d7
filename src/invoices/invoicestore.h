#pragma once

#include "data/customerlist.h"
#include "data/dberror.h"
#include "invoices/invoice.h"
#include "invoices/invoicerow.h"
#include "shell/decimal.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Every statement on invoices (tables Fatture and ContFatt). Numbers are compared as stored;
// a series is the set of numbers ending with the same "/YY", ordered by their leading number.
class InvoiceStore {
public:
    // What a change of a stored invoice found.
    enum class Outcome {
        Done,
        InvoiceMissing, // no invoice of that number
        RowMissing,     // no row of that Ord
        NotLast,        // not the highest number of its series
    };

    // One line of the register.
    struct RegisterRow {
        QString num;
        QString nome;
        QDate data;
        Decimal totale;
        bool pagata = false;
        // For the accountant's list.
        qint64 idAna = 0;
        QString piva;
        QString cf;
        int iva = 0;
        bool ra = false;
        // A credit note: the invoice it reverses; its total is then negative.
        QString stornata;
    };

    struct Register {
        QList<RegisterRow> rows;
        Decimal incassato;
        Decimal daIncassare;
    };

    // Where an amount past the range lies ("nella fattura 12/26"): one such invoice must not stop
    // a whole year's list without saying which it is.
    static QString nellaFattura(const QString& num);

    // Largest leading number of the series ending with `suffisso`; nothing when it is empty.
    static DbResult<std::optional<long long>> maxOrdinale(const QString& suffisso);
    // ProssimoNumero: the largest number of the series plus one, with the suffix.
    static DbResult<QString> prossimoNumero(const QString& suffisso);
    // VAT rates used so far, highest first.
    static DbResult<QList<int>> aliquoteUsate();
    static DbResult<bool> exists(const QString& num);

    // Issues an invoice: header, every row, the DDTs it covers, its term and instalments (an invoice
    // with a term that is not a credit note) in one transaction, all or nothing. A DDT covered
    // meanwhile by another invoice gives DdtLinkStore::NonDisponibile.
    // `natura`: the Natura chosen for a 0 % invoice, kept with it; empty keeps none.
    static DbStatus issue(const Invoice& invoice, const QStringList& ddtCoperti = {}, const QString& natura = {});
    // The stored invoice with its customer's name, its term and its rows by Ord; nothing when missing.
    static DbResult<std::optional<Invoice>> load(const QString& num);
    // Leading numbers of the series `suffisso` whose date lies in `anno`, in number order.
    static DbResult<QList<long long>> ordinaliAnno(int anno, const QString& suffisso);

    // Stores a row of a stored invoice (added when its Ord is new) and the invoice's new total,
    // together; nothing is written when the invoice is missing. Every change of a stored invoice
    // below writes again, in its transaction, the instalments not paid nor presented.
    static DbResult<Outcome> saveRow(const QString& num, const InvoiceRow& row, const Decimal& totale);
    // Deletes a row of a stored invoice and stores the new total, together.
    static DbResult<Outcome> deleteRow(const QString& num, int ord, const Decimal& totale);
    // Rewrites date, rate, total, notes and withholding of a stored invoice; its term stays (it
    // changes through DueDateStore::setCondizione).
    // A `natura` given for a 0 % invoice replaces the one kept; empty leaves it.
    static DbResult<Outcome> saveHeader(const Invoice& header, const QString& natura = {});
    // Deletes the invoice and its rows together, freeing the DDTs it covered; only the highest
    // number of its series, and never an invoice having credit notes (CreditNoteStore::ConNote).
    // Its term and instalments go with it.
    static DbResult<Outcome> cancel(const QString& num);

    // Register: invoices dated in `anno` (of one customer, or all when idAna is 0), highest
    // number first, with the paid and unpaid sums.
    static DbResult<Register> registro(int anno, qint64 idAna);
    // The rows with a price of the register's invoices, by number; the same year and customer.
    static DbResult<QHash<QString, QList<InvoiceRow>>> righeRegistro(int anno, qint64 idAna);
    // The same, only of the invoices with VAT to customers that have e-invoice data, each with the
    // customer's recipient code and country: the few where a public body may pay the VAT itself.
    struct RigheEnte {
        QString codiceDestinatario;
        QString nazione;
        QList<InvoiceRow> rows;
    };
    static DbResult<QHash<QString, RigheEnte>> righeConIva(int anno, qint64 idAna);
    // Customers having at least one invoice, by name.
    static DbResult<QList<CustomerEntry>> customersWithInvoices();
    // Sets or clears the paid mark, every instalment following (paid today, or unpaid);
    // InvoiceMissing when there is no such invoice.
    static DbResult<Outcome> setPaid(const QString& num, bool pagata);

    // Numbers of the invoices dated in `anno`, in number order.
    static DbResult<QStringList> numbersOfYear(int anno);
    // Every customer, deleted ones too, by name.
    static DbResult<QList<CustomerEntry>> allCustomers();
    // The invoice's customer becomes `idAna`; refused (DdtLinkStore::DaDdt) while it covers DDTs
    // of another customer.
    static DbResult<Outcome> changeCustomer(const QString& num, qint64 idAna);
    // Name of a customer (deleted ones too); empty when there is none.
    static DbResult<QString> customerName(qint64 id);
};
