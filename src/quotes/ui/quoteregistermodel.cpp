#include "quotes/ui/quoteregistermodel.h"

#include "shell/formats.h"

QuoteRegisterModel::QuoteRegisterModel(QObject* parent)
    : PaperRegisterModel({QString(), QStringLiteral("Numero"), QStringLiteral("Cliente"), QStringLiteral("Data")},
                         parent)
{
}

QVariant QuoteRegisterModel::cell(const QuoteStore::RegisterRow& r, int column) const
{
    switch (column) {
    case Numero:
        return r.num;
    case Cliente:
        return r.cliente;
    case Data:
        return Formats::shortDate(r.data);
    default:
        return QString();
    }
}
