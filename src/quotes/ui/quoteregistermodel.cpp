#include "quotes/ui/quoteregistermodel.h"

#include "shell/formats.h"

QuoteRegisterModel::QuoteRegisterModel(QObject* parent)
    : PaperRegisterModel({QString(), QStringLiteral("Numero"), QStringLiteral("Cliente"), QStringLiteral("Data")},
                         parent)
{
}

QVariant QuoteRegisterModel::data(const QModelIndex& index, int role) const
{
    const QuoteStore::RegisterRow* r = row(index.row());
    if (!r || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return QVariant();
    switch (index.column()) {
    case Numero:
        return r->num;
    case Cliente:
        return r->cliente;
    case Data:
        return Formats::shortDate(r->data);
    default:
        return QString();
    }
}
