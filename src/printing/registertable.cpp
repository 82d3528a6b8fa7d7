#include "printing/registertable.h"

#include <QAbstractItemModel>

namespace {

// Beyond this many characters a column grows no more: a long name is cut on paper instead.
constexpr int kCaratteriMassimi = 40;
// Room between two columns, in characters.
constexpr int kSpazio = 2;

} // namespace

RegisterTable RegisterTable::fromModel(const QAbstractItemModel& model, double larghezzaTotale)
{
    RegisterTable t;
    const int colonne = model.columnCount();
    const int righe = model.rowCount();
    QList<int> caratteri;
    for (int c = 1; c < colonne; ++c) {
        Colonna col;
        col.intestazione = model.headerData(c, Qt::Horizontal).toString();
        const QVariant align = righe > 0 ? model.data(model.index(0, c), Qt::TextAlignmentRole) : QVariant();
        const int flags = align.metaType() == QMetaType::fromType<Qt::Alignment>()
                              ? static_cast<int>(align.value<Qt::Alignment>())
                              : align.toInt();
        col.destra = (flags & Qt::AlignRight) != 0;
        t.colonne.append(col);
        caratteri.append(static_cast<int>(col.intestazione.size()));
    }
    t.righe.reserve(righe);
    for (int r = 0; r < righe; ++r) {
        QStringList cells;
        cells.reserve(colonne - 1);
        for (int c = 1; c < colonne; ++c) {
            QString text = model.data(model.index(r, c)).toString();
            int& n = caratteri[c - 1];
            n = std::max(n, std::min(static_cast<int>(text.size()), kCaratteriMassimi));
            cells.append(std::move(text));
        }
        t.righe.append(std::move(cells));
    }
    int somma = 0;
    for (int n : caratteri)
        somma += n + kSpazio;
    for (int c = 0; c < t.colonne.size(); ++c)
        t.colonne[c].larghezza = somma == 0 ? 0 : larghezzaTotale * (caratteri[c] + kSpazio) / somma;
    return t;
}
