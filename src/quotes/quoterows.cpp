#include "quotes/quoterows.h"

#include "data/textcolumns.h"

namespace QuoteRows {

namespace {

const QString kSpaziatore = QStringLiteral(" ");

// `line` (trimmed) in pieces of at most `lunghezza` characters: each ends before the last space
// that lets it fit, or mid-word when one word is longer; the spaces at a cut go.
void spezza(QString line, int lunghezza, QStringList& out)
{
    while (line.size() > lunghezza) {
        QString piece = TextColumns::fit(line, lunghezza);
        if (piece.isEmpty()) // room for less than one character: one still goes
            piece = TextColumns::fit(line, 2);
        const qsizetype space = line.lastIndexOf(u' ', piece.size());
        if (space > 0)
            piece = line.left(space);
        line = line.mid(piece.size()).trimmed();
        out << piece.trimmed();
    }
    if (!line.isEmpty())
        out << line;
}

} // namespace

QStringList descrizioni(const QString& des, int lunghezza)
{
    QStringList out;
    bool pausa = false;
    for (const QString& raw : TextColumns::boxLines(des).split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            pausa = !out.isEmpty();
            continue;
        }
        if (pausa)
            out << kSpaziatore;
        pausa = false;
        spezza(line, lunghezza, out);
    }
    return out;
}

QList<InvoiceRow> righeFattura(const QString& des)
{
    QList<InvoiceRow> rows;
    for (const QString& d : descrizioni(des, TextColumns::ContFatt::Descrizione))
        rows.append({int(rows.size()) + 1, d, Decimal(), Decimal()});
    return rows;
}

QList<DdtRow> righeDdt(const QString& des)
{
    QList<DdtRow> rows;
    for (const QString& d : descrizioni(des, TextColumns::ContDdt::Descrizione))
        rows.append({rows.size() + 1, d, Decimal()});
    return rows;
}

} // namespace QuoteRows
