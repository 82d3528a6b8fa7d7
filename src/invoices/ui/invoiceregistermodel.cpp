#include "invoices/ui/invoiceregistermodel.h"

#include "shell/formats.h"

void InvoiceRegisterModel::setRows(QList<InvoiceStore::RegisterRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

const InvoiceStore::RegisterRow* InvoiceRegisterModel::row(int r) const
{
    return r >= 0 && r < m_rows.size() ? &m_rows.at(r) : nullptr;
}

int InvoiceRegisterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int InvoiceRegisterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Colonne;
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
        return r->num;
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

QVariant InvoiceRegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const QString headers[Colonne] = {QString(),
                                             QStringLiteral("Numero"),
                                             QStringLiteral("Cliente"),
                                             QStringLiteral("Data Emiss."),
                                             QStringLiteral("Totale €"),
                                             QStringLiteral("Pagata")};
    return section >= 0 && section < Colonne ? headers[section] : QVariant();
}
