#include "invoices/ui/invoiceeditorstore.h"

#include "ddt/ddtlinkstore.h"
#include "invoices/creditnotestore.h"
#include "invoices/invoicestore.h"
#include "papers/ui/papereditor.h"
#include "shell/dialogs.h"
#include "shell/ui/windowbehaviour.h"

#include <algorithm>

namespace InvoiceEditorStore {

QString giaEsistente(const QString& num)
{
    return QStringLiteral("Fattura ") + num + QStringLiteral(" già esistente");
}

std::optional<Invoice> carica(QWidget* parent, const QString& num)
{
    const auto found = InvoiceStore::load(num);
    if (!found) {
        WindowBehaviour::showDbError(parent, found.error());
        return std::nullopt;
    }
    if (!found.value())
        dialogs().message(parent, QStringLiteral("Fattura ") + num + QStringLiteral(" non trovato"),
                          QStringLiteral("Errore"), Dialogs::Icon::None);
    return found.value();
}

bool emetti(QWidget* parent, const Invoice& inv, const QStringList& ddtCoperti, const QString& natura)
{
    const DbStatus err = InvoiceStore::issue(inv, ddtCoperti, natura);
    if (!err)
        return true;
    if (err->number == DbError::Duplicate)
        PaperEditor::giaEsistente(parent, giaEsistente(inv.num));
    else if (err->number == DdtLinkStore::NonDisponibile)
        dialogs().message(parent, err->text + QStringLiteral(": la fattura non è stata emessa."),
                          QStringLiteral("Impossibile procedere"), Dialogs::Icon::Exclamation);
    else if (err->number == CreditNoteStore::NonStornabile)
        dialogs().message(parent, err->text + u'.', QStringLiteral("Impossibile procedere"),
                          Dialogs::Icon::Exclamation);
    else
        WindowBehaviour::showDbError(parent, *err);
    return false;
}

bool salvaTestata(QWidget* parent, const Invoice& header, const QString& natura)
{
    const auto outcome = InvoiceStore::saveHeader(header, natura);
    if (!outcome) {
        WindowBehaviour::showDbError(parent, outcome.error());
        return false;
    }
    if (outcome.value() == InvoiceStore::Outcome::InvoiceMissing)
        PaperEditor::messaggio(parent, QStringLiteral("Errore durante salvataggio Fattura"));
    return true;
}

void salvaRiga(QWidget* parent, const QString& num, const QList<InvoiceRow>& rows, long long ord, const Decimal& totale)
{
    const auto it = std::find_if(rows.cbegin(), rows.cend(), [ord](const InvoiceRow& r) { return r.ord == ord; });
    if (it == rows.cend())
        return;
    const auto outcome = InvoiceStore::saveRow(num, *it, totale);
    if (!outcome)
        WindowBehaviour::showDbError(parent, outcome.error());
    else if (outcome.value() == InvoiceStore::Outcome::InvoiceMissing)
        dialogs().message(parent, QStringLiteral("Errore durante modifica Totale Fattura"),
                          QStringLiteral("Modifica articolo"), Dialogs::Icon::None);
}

void eliminaRiga(QWidget* parent, const QString& num, long long ord, const Decimal& totale)
{
    const auto outcome = InvoiceStore::deleteRow(num, static_cast<int>(ord), totale);
    if (!outcome)
        WindowBehaviour::showDbError(parent, outcome.error());
    else if (outcome.value() == InvoiceStore::Outcome::RowMissing)
        PaperEditor::messaggio(parent, QStringLiteral("Errore durante eliminazione riga Fattura"));
    else if (outcome.value() == InvoiceStore::Outcome::InvoiceMissing)
        dialogs().message(parent, QStringLiteral("Errore durante modifica Totale Fattura"),
                          QStringLiteral("Eliminazione articolo"), Dialogs::Icon::None);
}

} // namespace InvoiceEditorStore
