#include "documents/ui/documentregistermodel.h"

#include "shell/formats.h"

DocumentRegisterModel::DocumentRegisterModel(QObject* parent)
    : PaperRegisterModel({QString(), QStringLiteral("Numero"), QStringLiteral("Data"), QStringLiteral("Testo")}, parent)
{
}

QVariant DocumentRegisterModel::data(const QModelIndex& index, int role) const
{
    const DocumentStore::RegisterRow* r = row(index.row());
    if (!r || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return QVariant();
    switch (index.column()) {
    case Numero:
        return r->num;
    case Data:
        return Formats::shortDate(r->data);
    case Testo:
        return r->primaRiga;
    default:
        return QString();
    }
}
