#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoicetest.h"
#include "pagetexts.h"

#include <map>

namespace {

QList<InvoiceRow> numbered(int n)
{
    QList<InvoiceRow> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({i, u"Riga %1"_s.arg(i), dec("1"), dec("10")});
    return rows;
}

// The pages of invoice 12/26 for customer 7.
std::vector<Page> pages(const QList<InvoiceRow>& rows, const QString& note = {}, bool ra = false)
{
    return InvoiceLayout::disegna(InvoiceData::fromEditor(u"12/26"_s, u"05/03/26"_s, 7, u"22"_s, ra, note, rows), {},
                                  {});
}

using PageTexts::textsIn;

// The printed rows, one line each: "y: text@x text@x ...".
QStringList printedRows(const Page& page)
{
    std::map<double, QStringList> rows;
    for (const DrawItem& item : page.items())
        if (item.kind == DrawItem::Kind::Text && !item.text.isEmpty() && item.y > 116 && item.y < 216)
            rows[item.y] << u"%1@%2"_s.arg(item.text).arg(item.x, 0, 'g', 10);
    QStringList out;
    for (const auto& [y, texts] : rows)
        out << QString::number(y) + u": "_s + texts.join(u' ');
    return out;
}

} // namespace

TEST(InvoiceLayout, EighteenRowsAPageTheTotalsOnTheLast)
{
    QList<InvoiceRow> trailing = numbered(18);
    trailing.append({19, QString(), Decimal(), Decimal()});
    QList<InvoiceRow> gap = numbered(5);
    gap[2].descrizione.clear();
    QList<InvoiceRow> spaced = numbered(2);
    spaced.prepend(InvoiceRules::rigaVuota(0));
    // Per page: "n/N", the rows printed with the first and last description, and whether the
    // totals are there.
    const std::pair<QList<InvoiceRow>, QString> cases[] = {
        {numbered(18), u"1/1 18 rows Riga 1@17.5,121.5 - Riga 18@17.5,206.5 totals"_s},
        {numbered(19), u"1/2 18 rows Riga 1@17.5,121.5 - Riga 18@17.5,206.5 | 2/2 1 rows Riga 19@17.5,121.5 totals"_s},
        {numbered(37), u"1/3 18 rows Riga 1@17.5,121.5 - Riga 18@17.5,206.5 | 2/3 18 rows Riga 19@17.5,121.5 "
                       u"- Riga 36@17.5,206.5 | "
                       "3/3 1 rows Riga 37@17.5,121.5 totals"_s},
        {{}, u"1/1 0 rows totals"_s},
        // An empty description ends the rows: after 18 of them a page of frame and totals only.
        {trailing, u"1/2 18 rows Riga 1@17.5,121.5 - Riga 18@17.5,206.5 | 2/2 0 rows totals"_s},
        {gap, u"1/1 2 rows Riga 1@17.5,121.5 - Riga 2@17.5,126.5 totals"_s},
        // A spacer line is a row like the others, printed blank.
        {spaced, u"1/1 3 rows  @17.5,121.5 - Riga 2@17.5,131.5 totals"_s},
    };
    for (const auto& [rows, expected] : cases) {
        const auto all = pages(rows);
        QStringList summary;
        for (std::size_t p = 0; p < all.size(); ++p) {
            const QString n = u"%1/%2"_s.arg(p + 1).arg(all.size());
            const QStringList descr = textsIn(all[p], 17.5, 117, 17.5, 215);
            QString s = (all[p].findText(n) ? n : u"?"_s) + u' ' + QString::number(descr.size()) + u" rows"_s;
            if (!descr.isEmpty())
                s += u' ' + descr.first() + (descr.size() > 1 ? u" - "_s + descr.last() : QString());
            if (all[p].findText(u"IMPORTO IMPONIBILE"_s))
                s += u" totals"_s;
            summary << s;
        }
        EXPECT_EQ(summary.join(u" | "_s), expected);
    }
}

TEST(InvoiceLayout, AnnotationsCutAtSixtyNineCharacters)
{
    const QString a69(69, u'a');
    const std::pair<QString, QStringList> cases[] = {
        {QString(), {QString()}},
        {a69, {a69}},
        {a69 + u'b', {a69, u"b"_s}},
        // Cut regardless of words; up to two spaces after a cut are dropped, a third is kept.
        {a69 + u"  fine"_s, {a69, u"fine"_s}},
        {a69 + u"   fine"_s, {a69, u" fine"_s}},
        {QString(60, u'x') + u" parola lunga"_s, {QString(60, u'x') + u" parola l"_s, u"unga"_s}},
        // Each carriage return and line feed becomes one space.
        {u"uno\r\ndue\ntre"_s, {u"uno  due tre"_s}},
        {QString(69 * 6, u'z'), QStringList(6, QString(69, u'z'))},
    };
    for (const auto& [note, lines] : cases)
        EXPECT_EQ(InvoiceLayout::righeNote(note), lines) << note.toStdString();
}

TEST(InvoiceLayout, NumbersPlacedByTheirLength)
{
    const QList<InvoiceRow> rows{
        {1, u"Ringhiera"_s, dec("2.5"), dec("1234.5")},
        {2, u"Cancello"_s, dec("12345"), dec("1000")},
        {3, u"Posa in opera"_s, Decimal(), dec("5")},
        {4, u"Omaggio"_s, dec("3"), Decimal()},
    };
    // Right alignment by length: quantity 138.5 + 1.3 mm per character short of 4, price
    // 155 + 1.3 per character short of 7, amount 174 + 2 per character short of 7 (longer texts
    // move left); the rate at 192 only where there is an amount.
    EXPECT_EQ(
        printedRows(pages(rows).front()),
        (QStringList{u"121.5: Ringhiera@17.5 2,5@139.8 1.234,50@153.7 3.086,25@172 22%@192"_s,
                     u"126.5: Cancello@17.5 12345@137.2 1.000,00@153.7 12.345.000,00@162 22%@192"_s,
                     u"131.5: Posa in opera@17.5 5,00@158.9 5,00@180 22%@192"_s, u"136.5: Omaggio@17.5 3@142.4"_s}));
}
