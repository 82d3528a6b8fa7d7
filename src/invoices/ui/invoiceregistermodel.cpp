#include "invoices/ui/invoiceregistermodel.h"

#include "shell/formats.h"

InvoiceRegisterModel::InvoiceRegisterModel(QObject* parent)
    : PaperRegisterModel({QString(), QStringLiteral("Numero"), QStringLiteral("Cliente"), QStringLiteral("Data Emiss."),
                          QStringLiteral("Totale €"), QStringLiteral("Pagata")},
                         parent)
{
}

QVariant InvoiceRegisterModel::data(const QModelIndex& index, int role) const
{
    const InvoiceStore::RegisterRow* r = row(index.row());
    if (!r)
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return index.column() == Totale ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return QVariant();
    switch (index.column()) {
    case Numero:
        // A credit note is marked beside its number.
        return r->stornata.isEmpty() ? r->num : r->num + QStringLiteral(" NC");
    case Cliente:
        return r->nome;
    case Data:
        return Formats::shortDate(r->data);
    case Totale:
        return Formats::grouped2(r->totale);
    case Pagata:
        return r->pagata ? QStringLiteral("X") : QString();
    default:
        return QString();
    }
}
