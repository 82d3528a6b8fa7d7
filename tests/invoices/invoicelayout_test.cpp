#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoicetest.h"
#include "pagetexts.h"
#include "printing/layoutregistry.h"
#include "scripteddialogs.h"
#include "shell/formats.h"
#include "workdir.h"

#include <map>

namespace {

QList<InvoiceRow> numbered(int n)
{
    QList<InvoiceRow> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({i, u"Riga %1"_s.arg(i), dec("1"), dec("10")});
    return rows;
}

InvoiceData data(const QList<InvoiceRow>& rows, const QString& iva = u"22"_s, const QString& note = {},
                 qint64 cliente = 7, bool ra = false)
{
    return InvoiceData::fromEditor(u"12/26"_s, u"05/03/26"_s, cliente, iva, ra, note, rows);
}

LayoutContext context(bool colori = false)
{
    LayoutContext ctx;
    ctx.intestazione = {u"FERRO ROSSI"_s, u"Carpenteria metallica"_s, u"Via dell'Industria 12"_s, u"RIGA QUATTRO"_s,
                        u"P.IVA 01234567890"_s};
    ctx.logoColori = colori;
    return ctx;
}

std::vector<Page> pages(const InvoiceData& d, const CustomerFields& c = {}, bool colori = false)
{
    return InvoiceLayout::disegna(d, c, context(colori));
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
        const auto all = pages(data(rows));
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

TEST(InvoiceLayout, AnnotationsOnEveryPageTotalsOnTheLast)
{
    const QString note = QString(69, u'n') + QString(69, u'm') + u"ok"_s;
    const auto all = pages(data(numbered(37), u"22"_s, note, 7, true));
    ASSERT_EQ(all.size(), 3u);
    for (const Page& page : all) {
        // Cut at 69 characters, one line every 4 mm.
        EXPECT_EQ(textsIn(page, 0, 245, 300, 300),
                  (QStringList{u"ANNOTAZIONI@3.5,245.5"_s, note.left(69) + u"@3.5,248.25"_s,
                               note.mid(69, 69) + u"@3.5,252.25"_s, u"ok@3.5,256.25"_s}));
        EXPECT_NE(page.findText(u"FATTURA n° 12/2026"_s), nullptr);
    }
    // 37 rows of 10,00 at 22 % with the withholding.
    EXPECT_EQ(textsIn(all.back(), 133, 217, 210, 244).join(u' '),
              u"IMPORTO IMPONIBILE@136.5,218 € 370,00@173.5,218 IVA 22%@155.5,224.75 € 81,40@173.5,224.75 "
              "R.A. 4%@155.5,231.25 € 14,80@173.5,231.25 TOTALE@155.5,237.75 € 436,60@173.5,237.75"_s);
    EXPECT_TRUE(textsIn(all.front(), 133, 217, 210, 244).isEmpty());

    // Rate 0 and no withholding: no rate on the rows, the labels stay in the totals.
    const Page zero = pages(data(numbered(1), u"0"_s)).front();
    EXPECT_EQ(printedRows(zero), QStringList{u"121.5: Riga 1@17.5 1@142.4 10,00@157.6 10,00@178"_s});
    EXPECT_EQ(textsIn(zero, 133, 217, 210, 244).join(u' '),
              u"IMPORTO IMPONIBILE@136.5,218 € 10,00@173.5,218 IVA 0%@155.5,224.75 € 0,00@173.5,224.75 "
              "R.A. 4%@155.5,231.25 € 0,00@173.5,231.25 TOTALE@155.5,237.75 € 10,00@173.5,237.75"_s);
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
        printedRows(pages(data(rows)).front()),
        (QStringList{u"121.5: Ringhiera@17.5 2,5@139.8 1.234,50@153.7 3.086,25@172 22%@192"_s,
                     u"126.5: Cancello@17.5 12345@137.2 1.000,00@153.7 12.345.000,00@162 22%@192"_s,
                     u"131.5: Posa in opera@17.5 5,00@158.9 5,00@180 22%@192"_s, u"136.5: Omaggio@17.5 3@142.4"_s}));
}

TEST(InvoiceLayout, RowsLabelAndTotalsReadTheRateBoxAlike)
{
    // The box, then the row's rate, the totals' label and the VAT of one row of 10,00: the nearest
    // whole number everywhere, half-way to the even one.
    const std::tuple<QString, QString, QString, QString> rates[] = {
        {u"22"_s, u" 22%@192"_s, u"IVA 22%"_s, u"€ 2,20"_s},   {u" 10 "_s, u" 10%@192"_s, u"IVA 10%"_s, u"€ 1,00"_s},
        {u"21,6"_s, u" 22%@192"_s, u"IVA 22%"_s, u"€ 2,20"_s}, {u"23.5"_s, u" 24%@192"_s, u"IVA 24%"_s, u"€ 2,40"_s},
        {u"22,5"_s, u" 22%@192"_s, u"IVA 22%"_s, u"€ 2,20"_s}, {u"0"_s, QString(), u"IVA 0%"_s, u"€ 0,00"_s},
        {QString(), QString(), u"IVA %"_s, u"€ 0,00"_s},       {u"abc"_s, QString(), u"IVA 0%"_s, u"€ 0,00"_s}};
    for (const auto& [box, column, label, vat] : rates) {
        const Page page = pages(data(numbered(1), box)).front();
        EXPECT_EQ(printedRows(page), QStringList{u"121.5: Riga 1@17.5 1@142.4 10,00@157.6 10,00@178"_s + column})
            << box.toStdString();
        EXPECT_EQ(QStringList(textsIn(page, 155, 224, 210, 225).mid(0, 2)).join(u' '),
                  label + u"@155.5,224.75 "_s + vat + u"@173.5,224.75"_s)
            << box.toStdString();
    }
}

TEST(InvoiceLayout, HeaderCompanyAndCustomer)
{
    const CustomerFields c{u"Città Nuova Srl"_s, {},           u"0999"_s, u"Via Verdi 2"_s,
                           u"40100"_s,           u"Bologna"_s, u"BO"_s,   u"CTN"_s};
    const Page page = pages(data(numbered(1)), c, true).front();
    // Company lines 1, 2, 3 and 5, the customer beside them, then code, date, number and page.
    EXPECT_EQ(
        textsIn(page, 0, 51, 210, 89) + textsIn(page, 0, 97, 210, 98),
        (QStringList{u"FERRO ROSSI@6.5,56"_s, u"Carpenteria metallica@12.5,62"_s, u"Via dell'Industria 12@6.5,73"_s,
                     u"P.IVA 01234567890@6.5,80"_s, u"CLIENTE@102.5,52"_s, u"Città Nuova Srl@105.5,57"_s,
                     u"Via Verdi 2@105.5,69"_s, u"40100 Bologna (BO)@105.5,74.5"_s, u"P.IVA 0999/C.f. CTN@105.5,80"_s,
                     u"0007@4.5,97.5"_s, u"05/03/2026@148.5,97.5"_s, u"12/2026@175.5,97.5"_s, u"1/1@192.5,97.5"_s}));
    // The second company line in red with the colour logo only.
    EXPECT_EQ(page.findText(u"Carpenteria metallica"_s)->colour, QColor(Qt::red));
    EXPECT_EQ(pages(data(numbered(1))).front().findText(u"Carpenteria metallica"_s)->colour, QColor(Qt::black));
    // Missing parts of the customer's lines are left out with their separators.
    const CustomerFields few{{}, {}, {}, {}, {}, u"Monza"_s, {}, u"RSSMRA"_s};
    EXPECT_EQ(textsIn(pages(data(numbered(1)), few).front(), 102, 60, 210, 89),
              (QStringList{u"Monza @105.5,74.5"_s, u"C.f. RSSMRA@105.5,80"_s}));
}

TEST(InvoiceLayout, CustomerLoadedByTheInvoicesCode)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    ASSERT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Ragione2, Cap, Città, Prov, Valid) "
                                "VALUES ('VERDI', 'Verdi Spa', 'Officine', '20900', 'Monza', 'MB', 0)"_s));
    const qint64 id = Database::scalar(u"SELECT max(Id) FROM Anagrafica"_s).value().toLongLong();
    // The customer's lines and code.
    const auto customer = [](qint64 cliente) {
        const auto found = LayoutRegistry::compose(u"Fattura"_s, data(numbered(3), u"22"_s, {}, cliente), nullptr);
        EXPECT_EQ(found.size(), 1u);
        return found.empty() ? QStringList() : textsIn(found[0], 102, 53, 210, 89) + textsIn(found[0], 0, 97, 20, 98);
    };
    // A deleted customer still prints on its old invoices.
    EXPECT_EQ(customer(id), (QStringList{u"Verdi Spa@105.5,57"_s, u"Officine@105.5,62.5"_s,
                                         u"20900 Monza (MB)@105.5,74.5"_s, Formats::code(id, 4) + u"@4.5,97.5"_s}));
    EXPECT_TRUE(dlg.messages.empty());
    EXPECT_EQ(customer(999), QStringList{u"0999@4.5,97.5"_s});
    EXPECT_EQ(dlg.texts(), QStringList{u"Cliente 999 non trovato"_s});
    // No customer chosen: no code, no customer lines, no message.
    EXPECT_TRUE(customer(0).isEmpty());
    EXPECT_EQ(dlg.messages.size(), 1u);
    // Data of another kind gives no pages rather than a crash.
    EXPECT_TRUE(LayoutRegistry::compose(u"Fattura"_s, std::any(42), nullptr).empty());
}
