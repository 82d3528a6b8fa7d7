#include "ddt/ui/ddtregistermodel.h"

#include "shell/formats.h"

void DdtRegisterModel::setRows(QList<DdtStore::RegisterRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

const DdtStore::RegisterRow* DdtRegisterModel::row(int r) const
{
    return r >= 0 && r < m_rows.size() ? &m_rows.at(r) : nullptr;
}

int DdtRegisterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int DdtRegisterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Colonne;
}

QVariant DdtRegisterModel::data(const QModelIndex& index, int role) const
{
    const DdtStore::RegisterRow* r = row(index.row());
    if (!r || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return QVariant();
    switch (index.column()) {
    case Numero:
        return r->num;
    case Cliente:
        return r->nome;
    case Data:
        return Formats::shortDate(r->data);
    case Causale:
        return r->causale;
    default:
        return QString();
    }
}

QVariant DdtRegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const QString headers[Colonne] = {QString(), QStringLiteral("Numero"), QStringLiteral("Cliente"),
                                             QStringLiteral("Data DDT"), QStringLiteral("Causale trasporto")};
    return section >= 0 && section < Colonne ? headers[section] : QVariant();
}
