#pragma once

#include "data/database.h"
#include "data/schema.h"
#include "dbrows.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "printing/page.h"
#include "qstringprint.h"

#include <QAbstractItemModel>
#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

using namespace Qt::StringLiterals;

inline Decimal dec(const char* text)
{
    return Decimal::fromString(QString::fromLatin1(text)).value();
}

inline qint64 addCustomer(const QString& nome, int valid = 1)
{
    Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Valid) VALUES (?, ?, ?)"_s, {nome, nome, valid});
    return Database::scalar(u"SELECT max(Id) FROM Anagrafica"_s).value().toLongLong();
}

// The usual invoice: a spacer, "Cancello" 2 x 50 and the lump sum "Posa" 30, at 22 %.
inline Invoice sampleInvoice(const QString& num, qint64 idAna, QDate data)
{
    Invoice inv{num, idAna, {}, data, dec("158.6"), 22, {}, false, false, {}};
    inv.rows = {
        InvoiceRules::rigaVuota(1), {2, u"Cancello"_s, dec("2"), dec("50")}, {3, u"Posa"_s, Decimal(), dec("30")}};
    return inv;
}

inline void issue(const Invoice& inv)
{
    ASSERT_FALSE(InvoiceStore::issue(inv)) << inv.num.toStdString();
}

inline void issue(const QString& num, qint64 idAna, QDate data)
{
    issue(sampleInvoice(num, idAna, data));
}

inline QString invoiceRows()
{
    return dbRows(u"SELECT Num, IdAna, Data, Totale, Iva, RA, Note, Pagata FROM Fatture ORDER BY Num"_s);
}

// Every row of every table of the program, in a stated order, so that "writes nothing" holds on
// either engine.
inline QString databaseRows()
{
    QStringList out;
    for (const QString& table : Schema::tableNames()) {
        QStringList rows = dbRows(u"SELECT * FROM "_s + table).split(u'\n');
        rows.sort();
        out << table + u":\n"_s + rows.join(u'\n');
    }
    return out.join(u'\n');
}

// Rows of one invoice as "Ord|Descrizione|Qta|Prezzo".
inline QString contentRows(const QString& num)
{
    return dbRows(u"SELECT Ord, Descrizione, Qta, Prezzo FROM ContFatt WHERE Num = ? ORDER BY Ord"_s, {num});
}

// A grid or list as shown, from column `first` on: cells joined by "|", rows by new lines.
inline QString gridText(const QAbstractItemModel* m, int first = 1)
{
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = first; c < m->columnCount(); ++c)
            cells << m->index(r, c).data().toString();
        out << cells.join(u'|');
    }
    return out.join(u'\n');
}

// A paper as text, one line per drawn item (a picture by its place), so that two papers compare
// in one check.
inline QStringList paperText(const std::vector<Page>& pages)
{
    QStringList out;
    for (std::size_t p = 0; p < pages.size(); ++p)
        for (const DrawItem& i : pages[p].items())
            out << QString::asprintf("%zu %d %.17g,%.17g %.17g,%.17g %.17g %d %d ", p + 1, static_cast<int>(i.kind),
                                     i.x, i.y, i.x2, i.y2, i.font.size, i.font.bold, i.filled) +
                       i.font.family + u' ' + i.colour.name(QColor::HexArgb) + u' ' + i.text;
    return out;
}
