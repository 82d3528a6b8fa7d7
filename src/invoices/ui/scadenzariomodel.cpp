#include "invoices/ui/scadenzariomodel.h"

#include "invoices/duedatelist.h"
#include "registry/paymentterms.h"
#include "shell/formats.h"

#include <QBrush>
#include <QColor>
#include <QFont>

ScadenzarioModel::ScadenzarioModel(QObject* parent)
    : PaperRegisterModel({QString(), QStringLiteral("Scadenza"), QStringLiteral("Fattura"), QStringLiteral("Cliente"),
                          QStringLiteral("Modalità"), QStringLiteral("Importo €"), QStringLiteral("Stato"),
                          QStringLiteral("Ri.Ba.")},
                         parent)
{
}

QVariant ScadenzarioModel::data(const QModelIndex& index, int role) const
{
    const DueDate* r = row(index.row());
    if (!r)
        return QVariant();
    const bool scaduta = DueDateList::scaduta(*r, m_oggi);
    switch (role) {
    case Qt::TextAlignmentRole:
        return index.column() == Importo ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::ForegroundRole:
        return scaduta ? QVariant(QBrush(QColor(0xB0, 0, 0))) : QVariant();
    case Qt::FontRole: {
        if (!scaduta)
            return QVariant();
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        break;
    default:
        return QVariant();
    }
    switch (index.column()) {
    case Scadenza:
        // Read row by row, the date alone would not tell that it is past.
        return role == Qt::AccessibleTextRole && scaduta ? Formats::shortDate(r->data) + QStringLiteral(", scaduta")
                                                         : Formats::shortDate(r->data);
    case Fattura:
        return QStringLiteral("%1 (%2)").arg(r->num).arg(r->rata);
    case Cliente:
        return r->nome;
    case Modalita: {
        const QString nome = PaymentTerms::nomeModalita(r->modalita);
        return nome.isEmpty() ? r->modalita : nome;
    }
    case Importo:
        return Formats::grouped2(r->importo);
    case Stato:
        return r->pagata ? QStringLiteral("Pagata %1").arg(Formats::shortDate(r->dataPagamento)).trimmed()
               : scaduta ? QStringLiteral("SCADUTA")
                         : QString();
    case Presentata:
        return r->presentata() ? QStringLiteral("N. %1").arg(r->presentazione) : QString();
    default:
        return QString();
    }
}
