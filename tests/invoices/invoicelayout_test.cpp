#include "data/database.h"
#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoicerules.h"
#include "printing/layoutregistry.h"
#include "scripteddialogs.h"
#include "shell/formats.h"
#include "workdir.h"

#include <gtest/gtest.h>

namespace {

constexpr double kX0 = 3.5;
constexpr double kEps = 1e-9;

Decimal dec(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text)).value();
}

QList<InvoiceRow> numbered(int n) {
    QList<InvoiceRow> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({i, QStringLiteral("Riga %1").arg(i), dec("1"), dec("10")});
    return rows;
}

InvoiceData data(const QList<InvoiceRow>& rows, const QString& iva = QStringLiteral("22"),
                 const QString& note = QString(), qint64 cliente = 7) {
    return InvoiceData::fromEditor(QStringLiteral("12/26"), QStringLiteral("05/03/26"), cliente, iva, false,
                                   note, rows);
}

LayoutContext context(bool colori = false) {
    LayoutContext ctx;
    ctx.intestazione = {QStringLiteral("FERRO ROSSI"), QStringLiteral("Carpenteria metallica"),
                        QStringLiteral("Via dell'Industria 12"), QStringLiteral("RIGA QUATTRO"),
                        QStringLiteral("P.IVA 01234567890")};
    ctx.logoColori = colori;
    return ctx;
}

CustomerFields customer() {
    CustomerFields c;
    c.ragione = QStringLiteral("Città Nuova Srl");
    c.indirizzo = QStringLiteral("Via Verdi 2");
    c.cap = QStringLiteral("40100");
    c.citta = QStringLiteral("Bologna");
    c.prov = QStringLiteral("BO");
    c.piva = QStringLiteral("0999");
    c.cf = QStringLiteral("CTN");
    return c;
}

std::vector<Page> pages(const InvoiceData& d, const LayoutContext& ctx = context()) {
    return InvoiceLayout::disegna(d, customer(), ctx);
}

// Texts printed in the row area, in drawing order.
std::vector<const DrawItem*> descriptions(const Page& page) {
    std::vector<const DrawItem*> out;
    for (const DrawItem& item : page.items())
        if (item.kind == DrawItem::Kind::Text && std::abs(item.x - (kX0 + 14)) < kEps && item.y > 116)
            out.push_back(&item);
    return out;
}

std::vector<const DrawItem*> textsAt(const Page& page, double y) {
    std::vector<const DrawItem*> out;
    for (const DrawItem& item : page.items())
        if (item.kind == DrawItem::Kind::Text && std::abs(item.y - y) < kEps)
            out.push_back(&item);
    return out;
}

bool hasLine(const Page& page, double x1, double y1, double x2, double y2) {
    for (const DrawItem& item : page.items())
        if (item.kind == DrawItem::Kind::Line && std::abs(item.x - x1) < kEps &&
            std::abs(item.y - y1) < kEps && std::abs(item.x2 - x2) < kEps && std::abs(item.y2 - y2) < kEps)
            return true;
    return false;
}

void expectText(const Page& page, const QString& text, double x, double y, const PrintFont& font) {
    const DrawItem* item = page.findText(text);
    ASSERT_NE(item, nullptr) << text.toStdString();
    EXPECT_NEAR(item->x, x, kEps) << text.toStdString();
    EXPECT_NEAR(item->y, y, kEps) << text.toStdString();
    EXPECT_EQ(item->font, font) << text.toStdString();
}

PrintFont arial(double size, bool bold = false) {
    return PrintFont{QStringLiteral("Arial"), size, bold};
}

} // namespace

TEST(InvoiceLayout, EighteenRowsAPageAndThePageCount) {
    EXPECT_EQ(InvoiceLayout::pagine(0), 1);
    EXPECT_EQ(InvoiceLayout::pagine(1), 1);
    EXPECT_EQ(InvoiceLayout::pagine(18), 1);
    EXPECT_EQ(InvoiceLayout::pagine(19), 2);
    EXPECT_EQ(InvoiceLayout::pagine(36), 2);
    EXPECT_EQ(InvoiceLayout::pagine(37), 3);

    const auto one = pages(data(numbered(18)));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(descriptions(one[0]).size(), 18u);
    EXPECT_NE(one[0].findText(QStringLiteral("1/1")), nullptr);

    const auto two = pages(data(numbered(19)));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(descriptions(two[0]).size(), 18u);
    const auto second = descriptions(two[1]);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0]->text, QStringLiteral("Riga 19"));
    // The first row of every page is one pitch below the table's heading rule.
    EXPECT_NEAR(second[0]->y, 121.5, kEps);
    EXPECT_NE(two[0].findText(QStringLiteral("1/2")), nullptr);
    EXPECT_NE(two[1].findText(QStringLiteral("2/2")), nullptr);

    const auto three = pages(data(numbered(37)));
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(descriptions(three[1]).size(), 18u);
    EXPECT_EQ(descriptions(three[1]).front()->text, QStringLiteral("Riga 19"));
    EXPECT_NEAR(descriptions(three[1]).back()->y, 116.5 + 5 * 18, kEps);
    ASSERT_EQ(descriptions(three[2]).size(), 1u);
    EXPECT_EQ(descriptions(three[2])[0]->text, QStringLiteral("Riga 37"));
    EXPECT_NE(three[2].findText(QStringLiteral("3/3")), nullptr);

    // No rows at all still gives one page with its frame.
    const auto empty = pages(data({}));
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_TRUE(descriptions(empty[0]).empty());
    EXPECT_NE(empty[0].findText(QStringLiteral("IMPORTO IMPONIBILE")), nullptr);
}

TEST(InvoiceLayout, AnEmptyDescriptionEndsThePagesRows) {
    QList<InvoiceRow> rows = numbered(18);
    rows.append({19, QString(), Decimal(), Decimal()});
    // 18 filled rows and an empty one: a second page with the frame and the totals only.
    const auto trailing = pages(data(rows));
    ASSERT_EQ(trailing.size(), 2u);
    EXPECT_TRUE(descriptions(trailing[1]).empty());
    EXPECT_EQ(trailing[0].findText(QStringLiteral("IMPORTO IMPONIBILE")), nullptr);
    EXPECT_NE(trailing[1].findText(QStringLiteral("IMPORTO IMPONIBILE")), nullptr);

    QList<InvoiceRow> gap = numbered(5);
    gap[2].descrizione.clear();
    const auto cut = pages(data(gap));
    ASSERT_EQ(cut.size(), 1u);
    ASSERT_EQ(descriptions(cut[0]).size(), 2u);
    EXPECT_EQ(cut[0].findText(QStringLiteral("Riga 4")), nullptr);

    // A spacer line is a row like the others: printed blank, and the next rows follow it.
    QList<InvoiceRow> spaced = numbered(3);
    spaced.prepend(InvoiceRules::rigaVuota(0));
    const auto withSpacer = pages(data(spaced));
    const auto d = descriptions(withSpacer[0]);
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[0]->text, QStringLiteral(" "));
    EXPECT_NEAR(d[3]->y, 116.5 + 5 * 4, kEps);
}

TEST(InvoiceLayout, TotalsOnTheLastPageOnlyFramesOnEvery) {
    QList<InvoiceRow> rows = numbered(37);
    auto d =
        InvoiceData::fromEditor(QStringLiteral("12/26"), QStringLiteral("05/03/26"), 7, QStringLiteral("22"),
                                true, QStringLiteral("Pagamento a 30 giorni"), rows);
    const auto all = pages(d);
    ASSERT_EQ(all.size(), 3u);
    for (std::size_t p = 0; p < all.size(); ++p) {
        const Page& page = all[p];
        const bool last = p + 1 == all.size();
        EXPECT_EQ(page.findText(QStringLiteral("IMPORTO IMPONIBILE")) != nullptr, last) << p;
        EXPECT_EQ(page.findText(QStringLiteral("TOTALE")) != nullptr, last) << p;
        EXPECT_EQ(page.findText(d.totale) != nullptr, last) << p;
        // Totals box, annotations and row table on every page.
        EXPECT_TRUE(hasLine(page, kX0 + 130, 222.75, kX0 + 203, 222.75)) << p;
        EXPECT_TRUE(hasLine(page, kX0 + 165, 216, kX0 + 165, 245)) << p;
        EXPECT_TRUE(hasLine(page, kX0 + 160, 245, kX0 + 160, 270.25)) << p;
        EXPECT_TRUE(hasLine(page, kX0, 216, kX0 + 203, 216)) << p;
        EXPECT_NE(page.findText(QStringLiteral("Pagamento a 30 giorni")), nullptr) << p;
        EXPECT_NE(page.findText(QStringLiteral("FATTURA n° 12/2026")), nullptr) << p;
    }
    const Page& last = all.back();
    // 37 rows of 10,00 at 22 % with the withholding.
    expectText(last, QStringLiteral("IMPORTO IMPONIBILE"), kX0 + 133, 218, arial(8));
    expectText(last, QStringLiteral("€ 370,00"), kX0 + 170, 218, arial(11));
    expectText(last, QStringLiteral("IVA 22%"), kX0 + 152, 224.75, arial(8));
    expectText(last, QStringLiteral("€ 81,40"), kX0 + 170, 224.75, arial(11));
    expectText(last, QStringLiteral("R.A. 4%"), kX0 + 152, 231.25, arial(8));
    expectText(last, QStringLiteral("€ 14,80"), kX0 + 170, 231.25, arial(11));
    expectText(last, QStringLiteral("TOTALE"), kX0 + 152, 237.75, arial(8));
    expectText(last, QStringLiteral("€ 436,60"), kX0 + 170, 237.75, arial(11));
}

TEST(InvoiceLayout, WithholdingLinePrintedWithoutWithholding) {
    const auto page = pages(data(numbered(2))).front();
    expectText(page, QStringLiteral("R.A. 4%"), kX0 + 152, 231.25, arial(8));
    expectText(page, QStringLiteral("€ 0,00"), kX0 + 170, 231.25, arial(11));
}

TEST(InvoiceLayout, AnnotationsCutAtSixtyNineCharacters) {
    const QString a69 = QString(69, u'a');
    EXPECT_EQ(InvoiceLayout::righeNote(QString()), QStringList{QString()});
    EXPECT_EQ(InvoiceLayout::righeNote(a69), QStringList{a69});
    EXPECT_EQ(InvoiceLayout::righeNote(a69 + u'b'), (QStringList{a69, QStringLiteral("b")}));
    // Cut regardless of words; up to two spaces after a cut are dropped, a third is kept.
    EXPECT_EQ(InvoiceLayout::righeNote(a69 + QStringLiteral("   fine")),
              (QStringList{a69, QStringLiteral(" fine")}));
    EXPECT_EQ(InvoiceLayout::righeNote(a69 + QStringLiteral("  fine")),
              (QStringList{a69, QStringLiteral("fine")}));
    EXPECT_EQ(InvoiceLayout::righeNote(QString(60, u'x') + QStringLiteral(" parola lunga")),
              (QStringList{QString(60, u'x') + QStringLiteral(" parola l"), QStringLiteral("unga")}));
    // Each carriage return and line feed becomes one space.
    EXPECT_EQ(InvoiceLayout::righeNote(QStringLiteral("uno\r\ndue\ntre")),
              QStringList{QStringLiteral("uno  due tre")});
    // A long text runs on past the box, one line every 4 mm.
    const QStringList six = InvoiceLayout::righeNote(QString(69 * 6, u'z'));
    EXPECT_EQ(six, QStringList(6, QString(69, u'z')));

    const QString note = QString(69, u'n') + QString(69, u'm') + QStringLiteral("ok");
    const Page page = pages(data(numbered(1), QStringLiteral("22"), note)).front();
    expectText(page, QStringLiteral("ANNOTAZIONI"), kX0, 245.5, arial(6, true));
    expectText(page, QString(69, u'n'), kX0, 248.25, arial(11));
    expectText(page, QString(69, u'm'), kX0, 252.25, arial(11));
    expectText(page, QStringLiteral("ok"), kX0, 256.25, arial(11));
}

TEST(InvoiceLayout, NumbersPlacedByTheirLength) {
    QList<InvoiceRow> rows{
        {1, QStringLiteral("Ringhiera"), dec("2.5"), dec("1234.5")}, // 2,5 | 1.234,50 | 3.086,25
        {2, QStringLiteral("Cancello"), dec("12345"), dec("1000")},  // 12345 | 1.000,00 | 12.345.000,00
        {3, QStringLiteral("Posa in opera"), Decimal(), dec("5")},   // (none) | 5,00 | 5,00
        {4, QStringLiteral("Omaggio"), dec("3"), Decimal()},         // 3 | (none) | (none)
    };
    const Page page = pages(data(rows)).front();
    const PrintFont font = arial(10);

    expectText(page, QStringLiteral("Ringhiera"), kX0 + 14, 121.5, font);
    expectText(page, QStringLiteral("2,5"), kX0 + 135 + 1 * 1.3, 121.5, font);
    expectText(page, QStringLiteral("1.234,50"), 155 - 1 * 1.3, 121.5, font);
    expectText(page, QStringLiteral("3.086,25"), 174 - 1 * 2, 121.5, font);

    // Longer than the nominal width: moved left of the nominal position.
    expectText(page, QStringLiteral("12345"), kX0 + 135 - 1 * 1.3, 126.5, font);
    expectText(page, QStringLiteral("1.000,00"), 155 - 1 * 1.3, 126.5, font);
    expectText(page, QStringLiteral("12.345.000,00"), 174 - 6 * 2, 126.5, font);

    // A lump sum: its amount is the price.
    const auto lump = textsAt(page, 131.5);
    int fives = 0;
    for (const DrawItem* item : lump)
        if (item->text == QStringLiteral("5,00")) {
            ++fives;
            EXPECT_TRUE(std::abs(item->x - (155 + 3 * 1.3)) < kEps ||
                        std::abs(item->x - (174 + 3 * 2)) < kEps);
        }
    EXPECT_EQ(fives, 2);

    // The rate column, at 192, only where there is an amount.
    for (const double y : {121.5, 126.5, 131.5}) {
        bool found = false;
        for (const DrawItem* item : textsAt(page, y))
            found = found || (item->text == QStringLiteral("22%") && std::abs(item->x - 192) < kEps);
        EXPECT_TRUE(found) << y;
    }
    for (const DrawItem* item : textsAt(page, 136.5))
        EXPECT_NE(item->text, QStringLiteral("22%"));
}

TEST(InvoiceLayout, RateColumnFromTheRateBox) {
    EXPECT_EQ(InvoiceLayout::ivaRiga(QStringLiteral("22")), QStringLiteral("22%"));
    EXPECT_EQ(InvoiceLayout::ivaRiga(QStringLiteral(" 10 ")), QStringLiteral("10%"));
    EXPECT_EQ(InvoiceLayout::ivaRiga(QStringLiteral("22.5")), QStringLiteral("22,5%"));
    // Only the leading number counts; the decimal comma ends it.
    EXPECT_EQ(InvoiceLayout::ivaRiga(QStringLiteral("4,5")), QStringLiteral("4%"));
    EXPECT_EQ(InvoiceLayout::ivaRiga(QStringLiteral("0")), QString());
    EXPECT_EQ(InvoiceLayout::ivaRiga(QString()), QString());
    EXPECT_EQ(InvoiceLayout::ivaRiga(QStringLiteral("abc")), QString());

    // A rate of 0 prints no rate on the rows but keeps its label in the totals.
    const Page page = pages(data(numbered(2), QStringLiteral("0"))).front();
    for (const DrawItem* item : textsAt(page, 121.5))
        EXPECT_FALSE(item->text.endsWith(u'%')) << item->text.toStdString();
    EXPECT_NE(page.findText(QStringLiteral("IVA 0%")), nullptr);
}

TEST(InvoiceLayout, NumberAndDateWithTheFullYear) {
    EXPECT_EQ(InvoiceLayout::numeroEsteso(QStringLiteral("12/26")), QStringLiteral("12/2026"));
    EXPECT_EQ(InvoiceLayout::numeroEsteso(QStringLiteral("12/09")), QStringLiteral("12/2009"));
    EXPECT_EQ(InvoiceLayout::numeroEsteso(QStringLiteral("7")), QStringLiteral("7"));
    EXPECT_EQ(InvoiceLayout::numeroEsteso(QString()), QString());
    EXPECT_EQ(InvoiceLayout::dataEstesa(QStringLiteral("05/03/26")), QStringLiteral("05/03/2026"));
    EXPECT_EQ(InvoiceLayout::dataEstesa(QString()), QString());
}

TEST(InvoiceLayout, HeaderFontsAndPositions) {
    const Page page = pages(data(numbered(1)), context(true)).front();
    const PrintFont times14{QStringLiteral("Times New Roman"), 14, false};
    const PrintFont times12{QStringLiteral("Times New Roman"), 12, false};
    const PrintFont black11{QStringLiteral("Arial Black"), 11, false};

    // Logo and company name as on every paper, then the block inside the header box.
    ASSERT_FALSE(page.items().empty());
    EXPECT_EQ(page.items().front().kind, DrawItem::Kind::Picture);
    EXPECT_NEAR(page.items().front().x, 5, kEps);
    EXPECT_NEAR(page.items().front().y, 8, kEps);
    int riga1 = 0;
    for (const DrawItem& item : page.items())
        if (item.text == QStringLiteral("FERRO ROSSI")) {
            ++riga1;
            EXPECT_EQ(item.font, black11);
            EXPECT_TRUE((std::abs(item.x - 45) < kEps && std::abs(item.y - 10) < kEps) ||
                        (std::abs(item.x - (kX0 + 3)) < kEps && std::abs(item.y - 56) < kEps));
        }
    EXPECT_EQ(riga1, 2);
    int riga2 = 0;
    for (const DrawItem& item : page.items())
        if (item.text == QStringLiteral("Carpenteria metallica")) {
            ++riga2;
            EXPECT_EQ(item.colour, QColor(Qt::red));
        }
    EXPECT_EQ(riga2, 2);
    expectText(page, QStringLiteral("Via dell'Industria 12"), kX0 + 3, 73, times14);
    expectText(page, QStringLiteral("P.IVA 01234567890"), kX0 + 3, 80, times12);
    EXPECT_EQ(page.findText(QStringLiteral("RIGA QUATTRO")), nullptr);

    expectText(page, QStringLiteral("FATTURA n° 12/2026"), kX0, 44, arial(16, true));
    EXPECT_TRUE(hasLine(page, kX0, 51, kX0 + 203, 51));
    EXPECT_TRUE(hasLine(page, kX0 + 96, 51, kX0 + 96, 89));
    EXPECT_TRUE(hasLine(page, kX0, 89, kX0 + 203, 89));

    const double c = kX0 + 99;
    expectText(page, QStringLiteral("CLIENTE"), c, 52, arial(8, true));
    expectText(page, QStringLiteral("Città Nuova Srl"), c + 3, 57, arial(14));
    expectText(page, QStringLiteral("Via Verdi 2"), c + 3, 69, arial(14));
    expectText(page, QStringLiteral("40100 Bologna (BO)"), c + 3, 74.5, arial(14));
    expectText(page, QStringLiteral("P.IVA 0999/C.f. CTN"), c + 3, 80, arial(12));

    for (const double x : {20.0, 144.0, 169.0, 187.0})
        EXPECT_TRUE(hasLine(page, kX0 + x, 94, kX0 + x, 102.5)) << x;
    expectText(page, QStringLiteral("CODICE CLIENTE"), kX0, 94.5, arial(6, true));
    expectText(page, QStringLiteral("DATA DOCUMENTO"), kX0 + 145.5, 94.5, arial(6, true));
    expectText(page, QStringLiteral("NUMERO"), kX0 + 170.5, 94.5, arial(6, true));
    expectText(page, QStringLiteral("PAGINA"), kX0 + 188.5, 94.5, arial(6, true));
    expectText(page, QStringLiteral("0007"), kX0 + 1, 97.5, arial(11));
    expectText(page, QStringLiteral("05/03/2026"), kX0 + 145, 97.5, arial(11));
    expectText(page, QStringLiteral("12/2026"), kX0 + 172, 97.5, arial(11, true));
    expectText(page, QStringLiteral("1/1"), kX0 + 189, 97.5, arial(11));

    for (const double x : {11.0, 130.0, 145.0, 165.0, 185.0})
        EXPECT_TRUE(hasLine(page, kX0 + x, 111, kX0 + x, 216)) << x;
    EXPECT_TRUE(hasLine(page, kX0, 116, kX0 + 203, 116));
    expectText(page, QStringLiteral("DESCRIZIONE"), kX0 + 55, 111.5, arial(10, true));
    expectText(page, QStringLiteral("Q.TA'"), kX0 + 133, 111.5, arial(10, true));
    expectText(page, QStringLiteral("PREZZO"), kX0 + 148, 111.5, arial(10, true));
    expectText(page, QStringLiteral("IMPORTO"), kX0 + 167, 111.5, arial(10, true));
    expectText(page, QStringLiteral("IVA%"), kX0 + 188, 111.5, arial(10, true));

    // Black company name without the colour logo.
    const Page plain = pages(data(numbered(1)), context(false)).front();
    for (const DrawItem& item : plain.items())
        EXPECT_EQ(item.colour, QColor(Qt::black)) << item.text.toStdString();
}

TEST(InvoiceLayout, CustomerLinesLeaveOutWhatIsMissing) {
    CustomerFields c;
    c.citta = QStringLiteral("Monza");
    c.cf = QStringLiteral("RSSMRA");
    const Page page = InvoiceLayout::disegna(data(numbered(1)), c, context()).front();
    EXPECT_NE(page.findText(QStringLiteral("Monza ")), nullptr);
    EXPECT_NE(page.findText(QStringLiteral("C.f. RSSMRA")), nullptr);
    c = CustomerFields();
    c.piva = QStringLiteral("0999");
    c.prov = QStringLiteral("MB");
    const Page other = InvoiceLayout::disegna(data(numbered(1)), c, context()).front();
    EXPECT_NE(other.findText(QStringLiteral("(MB)")), nullptr);
    EXPECT_NE(other.findText(QStringLiteral("P.IVA 0999")), nullptr);
}

TEST(InvoiceLayout, CustomerLoadedByTheInvoicesCode) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    ASSERT_FALSE(Database::exec(
        QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Ragione2, Cap, Città, Prov, Valid) "
                       "VALUES ('VERDI', 'Verdi Spa', 'Officine', '20900', 'Monza', 'MB', 0)")));
    const qint64 id = Database::scalar(QStringLiteral("SELECT max(Id) FROM Anagrafica")).value().toLongLong();
    const auto found = LayoutRegistry::compose(
        QStringLiteral("Fattura"), data(numbered(3), QStringLiteral("22"), QString(), id), nullptr);
    ASSERT_EQ(found.size(), 1u);
    // A deleted customer still prints on its old invoices.
    EXPECT_NE(found[0].findText(QStringLiteral("Verdi Spa")), nullptr);
    EXPECT_NE(found[0].findText(QStringLiteral("Officine")), nullptr);
    EXPECT_NE(found[0].findText(QStringLiteral("20900 Monza (MB)")), nullptr);
    EXPECT_NE(found[0].findText(Formats::code(id, 4)), nullptr);
    EXPECT_TRUE(dlg.messages.empty());

    const auto missing = LayoutRegistry::compose(
        QStringLiteral("Fattura"), data(numbered(3), QStringLiteral("22"), QString(), 999), nullptr);
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Cliente 999 non trovato"));
    EXPECT_EQ(missing[0].findText(QStringLiteral("Verdi Spa")), nullptr);

    // No customer chosen: no code, empty customer lines, no message.
    dlg.messages.clear();
    const auto none = LayoutRegistry::compose(QStringLiteral("Fattura"),
                                              data(numbered(1), QStringLiteral("22"), QString(), 0), nullptr);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_TRUE(dlg.messages.empty());
    for (const DrawItem* item : textsAt(none[0], 97.5))
        EXPECT_GT(std::abs(item->x - (kX0 + 1)), kEps) << item->text.toStdString();
    EXPECT_EQ(none[0].findText(QStringLiteral("Verdi Spa")), nullptr);

    // Data of another kind gives no pages rather than a crash.
    EXPECT_TRUE(LayoutRegistry::compose(QStringLiteral("Fattura"), std::any(42), nullptr).empty());
}
