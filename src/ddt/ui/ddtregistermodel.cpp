#include "ddt/ui/ddtregistermodel.h"

#include "shell/formats.h"

DdtRegisterModel::DdtRegisterModel(QObject* parent)
    : PaperRegisterModel({QString(), QStringLiteral("Numero"), QStringLiteral("Cliente"), QStringLiteral("Data DDT"),
                          QStringLiteral("Causale trasporto"), QStringLiteral("Fattura")},
                         parent)
{
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
    case Fattura:
        return r->fattura;
    default:
        return QString();
    }
}
