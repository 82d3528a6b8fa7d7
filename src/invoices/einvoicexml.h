#pragma once

#include "invoices/duedate.h"
#include "invoices/einvoicedata.h"
#include "invoices/invoice.h"
#include "registry/customerpayment.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// The FatturaPA file (FPR12, or FPA12 for a public body; schema 1.2.2) of one stored invoice; its amounts are those of
// the printed invoice.
class EInvoiceXml {
public:
    struct Input {
        Invoice invoice;
        CompanyFiscalData company;
        CustomerRecord customer;
        CustomerEInvoiceData recipient;
        // Needed when the rate is 0 %.
        QString natura;
        // The progressive of the file, also its ProgressivoInvio.
        QString progressivo;
        // A public body's codes (with its office code only).
        PublicBodyCodes codiciPA;
        // The DDTs a deferred invoice (TD24) covers; none for an immediate one.
        QList<DdtReference> ddt;
        // The invoice's instalments, each a DettaglioPagamento; without them the company's IBAN
        // alone, when it has one, makes one payment by transfer of the whole amount due.
        QList<DueDate> scadenze;
        // The customer's bank: ABI and CAB for a Ri.Ba., the IBAN for a direct debit.
        CustomerPayment bancaCliente;
    };

    // Every item missing or wrong for a valid file, in Italian; empty when the file can be made.
    static QStringList mancanti(const Input& in);
    // The file, UTF-8. Call only when mancanti() is empty. Each text whose letters had to be
    // changed to fit the format's Latin-1 goes to `adattati` as "original" → "written".
    static QByteArray write(const Input& in, QStringList* adattati = nullptr);
    // Whether `file` is an electronic invoice whose seller has this VAT number.
    static bool writtenBy(QIODevice& file, const QString& partitaIva);
};
