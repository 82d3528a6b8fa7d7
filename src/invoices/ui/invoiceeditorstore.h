#pragma once

#include "invoices/invoice.h"
#include "invoices/invoicerow.h"
#include "shell/decimal.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// The invoice editor's writes and reads, each telling the user what went wrong.
namespace InvoiceEditorStore {

QString giaEsistente(const QString& num);
// The stored invoice; nothing, the user told, when it is missing or cannot be read.
std::optional<Invoice> carica(QWidget* parent, const QString& num);
// Issues the invoice with the DDTs it covers; false, the user told, when nothing was stored.
bool emetti(QWidget* parent, const Invoice& inv, const QStringList& ddtCoperti, const QString& natura);
// Stores the header of a recalled invoice; false when it could not be stored and the window
// should stay (an invoice no longer there is told, and the window goes on).
bool salvaTestata(QWidget* parent, const Invoice& header, const QString& natura);
// Stores row `ord` of `rows` (when there) with the new total.
void salvaRiga(QWidget* parent, const QString& num, const QList<InvoiceRow>& rows, long long ord,
               const Decimal& totale);
void eliminaRiga(QWidget* parent, const QString& num, long long ord, const Decimal& totale);

} // namespace InvoiceEditorStore
