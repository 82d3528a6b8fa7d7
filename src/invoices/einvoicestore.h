#pragma once

#include "data/dberror.h"
#include "invoices/einvoicedata.h"
#include "invoices/invoicerow.h"
#include "shell/decimal.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// Every statement on the electronic invoice data, in tables of its own beside the ten of the
// program.
class EInvoiceStore {
public:
    // The stored company data; the defaults when none was ever saved.
    static DbResult<CompanyFiscalData> company();
    static DbStatus saveCompany(const CompanyFiscalData& data);

    // The customer's data by Anagrafica.Id; the defaults when none was saved.
    static DbResult<CustomerEInvoiceData> customer(qint64 idAna);
    static DbStatus saveCustomer(qint64 idAna, const CustomerEInvoiceData& data);
    // The registry row of a customer, deleted ones too; nothing when there is none.
    static DbResult<std::optional<CustomerRecord>> customerRecord(qint64 idAna);

    // The Natura code kept for a 0 % invoice; empty when none.
    static DbResult<QString> natura(const QString& num);
    static DbStatus saveNatura(const QString& num, const QString& natura);
    // A public body's CIG and CUP of an invoice; empty when none. Saving both empty forgets them.
    static DbResult<PublicBodyCodes> publicBodyCodes(const QString& num);
    static DbStatus savePublicBodyCodes(const QString& num, const PublicBodyCodes& codes);
    // The customers that are public bodies (an office code of 6 characters): they pay under split payment.
    static DbResult<QSet<qint64>> publicBodies();
    // The DDTs an invoice covers, by date.
    static DbResult<QList<DdtReference>> ddtOf(const QString& num);
    // The same for every invoice dated in `anno`, and every invoice's CIG and CUP, each read at
    // once for a whole year's files.
    static DbResult<QHash<QString, QList<DdtReference>>> ddtOfYear(int anno);
    static DbResult<QHash<QString, PublicBodyCodes>> allPublicBodyCodes();
    // The dates of these DDTs, those still stored.
    static DbResult<QList<QDate>> ddtDates(const QStringList& nums);

    // A cancelled invoice's number is issued again: its Natura and codes must not pass to the new one.
    static DbStatus forgetNatura(const QString& num);

    // The legal wordings the printed invoice carries for its VAT treatment, from the company's
    // data and the Natura of a 0 % invoice.
    static DbResult<QStringList> diciture(int aliquota, bool ritenuta, const QString& natura,
                                          const Decimal& imponibile);

    // Why the company's regime forbids an invoice at this rate or with the withholding; empty
    // when it does not.
    static DbResult<QStringList> rifiutiRegime(int aliquota, bool ritenuta);
    // The stamp's row a new invoice gets when the company charges the stamp to the customer.
    static DbResult<std::optional<InvoiceRow>> rigaBollo(int aliquota, bool ritenuta, const QString& natura,
                                                         const QList<InvoiceRow>& rows);

    // The last progressive of the file names (1, 2, ...) taken; it never goes back past a file
    // written, so no two files get the same one.
    static DbResult<long long> lastProgressive();

    // The progressive of the file an invoice was last written under; 0 when none. A cancelled
    // invoice loses it with its Natura.
    static DbResult<long long> progressiveOf(const QString& num);

    struct Assigned {
        QString num;
        long long progressive = 0;
        long long previous = 0; // the one it had before, 0 for none
        bool taken = false;     // a new progressive, taken now
    };
    // Each invoice keeps the progressive it already has; one without, or all of them with
    // `newNames`, takes the next free one, in the order given. Stored together; run it inside the
    // caller's write transaction to check the names before anything is kept.
    static DbResult<QList<Assigned>> assign(const QStringList& nums, bool newNames);
    // Undoes assign() for invoices whose file was not written: each gets its former progressive
    // back, and the counter goes back when nobody took a later one.
    static DbStatus giveBack(const QList<Assigned>& unwritten);

private:
    static DbStatus setLast(long long ultimo);
};
