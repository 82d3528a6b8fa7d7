#pragma once

#include "data/dberror.h"
#include "invoices/einvoicedata.h"

#include <QString>
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
    // A cancelled invoice's number is issued again: its Natura must not pass to the new one.
    static DbStatus forgetNatura(const QString& num);

    // Takes the next `count` progressives of the file names (1, 2, ...) and gives the first;
    // the last is kept, so no two files ever get the same one.
    static DbResult<long long> takeProgressive(int count = 1);
    static DbResult<long long> lastProgressive();
};
