#pragma once

#include "data/dberror.h"
#include "invoices/einvoicedata.h"
#include "invoices/invoicedata.h"
#include "registry/customerpayment.h"

#include <QList>
#include <QString>

// What the printed invoice says about its payment: the term, the bank and the due dates.
namespace InvoicePayment {

// The bank line of a method: the customer's bank (ABI and CAB) for a Ri.Ba., the company's IBAN for
// a transfer, the customer's IBAN for a direct debit; empty when the method needs none or the data
// are missing.
QString banca(const QString& modalita, const CustomerPayment& cliente, const CompanyFiscalData& azienda);
// An IBAN in groups of four, as it is printed.
QString ibanStampato(const QString& iban);

// Fills d.pagamento, d.bancaPagamento and d.scadenze: the stored instalments of invoice d.num, or for
// an invoice not stored yet those its term d.condizione gives; `scissione` tells which amount is due.
DbStatus completa(InvoiceData& d, bool scissione);

} // namespace InvoicePayment
