#include "ddt/ddtlayout.h"
#include "pagetexts.h"
#include "printing/paperlayout.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using PageTexts::textsIn;

namespace {

constexpr double kX0 = PaperLayout::kX0;

QList<DdtData::Row> numbered(int n)
{
    QList<DdtData::Row> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({u"Riga %1"_s.arg(i), QString::number(i)});
    return rows;
}

// DDT 12/26 of 05/03/26 to customer 7, consignee's transport, 3 parcels picked up on 06/03/26 at 9:05.
DdtData data(const QList<DdtData::Row>& rows)
{
    return {u"12/26"_s, u"05/03/26"_s, 7, u"Consegna merce"_s, 1, u"3"_s, u"06/03/26"_s, u"9"_s, u"05"_s, {}, rows};
}

const CustomerFields kCliente{u"Città Nuova Srl"_s, u"Officine"_s, u"0999"_s, u"Via Verdi 2"_s,
                              u"40100"_s,           u"Bologna"_s,  u"BO"_s,   u"CTN"_s};

std::vector<Page> pages(const DdtData& d, const CustomerFields& c = kCliente)
{
    LayoutContext ctx;
    ctx.intestazione = {u"FERRO ROSSI"_s, u"Carpenteria metallica"_s, u"Via dell'Industria 12"_s, u"RIGA QUATTRO"_s,
                        u"P.IVA 01234567890"_s};
    return DdtLayout::disegna(d, c, ctx);
}

// The footer's values line: transport boxes, parcels, pick-up date and time.
QStringList footerValues(const DdtData& d)
{
    return textsIn(pages(d).front(), 0, 247, 160, 248);
}

} // namespace

TEST(DdtLayout, TwentyTwoRowsAPageEveryRowPrinted)
{
    QList<DdtData::Row> gap = numbered(5);
    gap[2] = {};
    // Per page: "n/N", the descriptions printed with the first and the last.
    const std::pair<QList<DdtData::Row>, QString> cases[] = {
        {numbered(22), u"1/1 22 Riga 1@31,121.5 - Riga 22@31,226.5"_s},
        {numbered(23), u"1/2 22 Riga 1@31,121.5 - Riga 22@31,226.5 | 2/2 1 Riga 23@31,121.5"_s},
        {{}, u"1/1 0"_s},
        // An empty row is an empty line and the rows go on after it.
        {gap, u"1/1 4 Riga 1@31,121.5 - Riga 5@31,141.5"_s},
    };
    for (const auto& [rows, expected] : cases) {
        const auto all = pages(data(rows));
        QStringList summary;
        for (std::size_t p = 0; p < all.size(); ++p) {
            const QString n = u"%1/%2"_s.arg(p + 1).arg(all.size());
            const QStringList descr = textsIn(all[p], kX0 + 27.5, 117, kX0 + 27.5, 234);
            QString s = (all[p].findText(n) ? n : u"?"_s) + u' ' + QString::number(descr.size());
            if (!descr.isEmpty())
                s += u' ' + descr.first() + (descr.size() > 1 ? u" - "_s + descr.last() : QString());
            summary << s;
        }
        EXPECT_EQ(summary.join(u" | "_s), expected);
    }
    EXPECT_EQ(textsIn(pages(data(gap)).front(), 0, 131, 210, 132), QStringList());
}

TEST(DdtLayout, QuantityGetsALeadingZeroUnderTenAndIsPlacedByItsLength)
{
    // Quantity as the grid shows it, then as printed at X0 + 17 + 1.3 mm per character short of 4.
    const std::pair<QString, QString> cases[] = {
        {u"5"_s, u"05@23.1"_s},      {u"7"_s, u"07@23.1"_s},       {u"0"_s, u"00@23.1"_s},
        {QString(), QString()},      {u"12"_s, u"12@23.1"_s},      {u"10"_s, u"10@23.1"_s},
        {u"2,5"_s, u"02,5@20.5"_s},  {u"9,99"_s, u"09,99@19.2"_s}, {u"1234,5"_s, u"1234,5@17.9"_s},
        {u"12,5"_s, u"12,5@20.5"_s},
    };
    for (const auto& [qta, expected] : cases) {
        const Page page = pages(data({{u"Tubo"_s, qta}})).front();
        QStringList shown = textsIn(page, 0, 121, kX0 + 24, 122);
        EXPECT_EQ(shown.join(u' ').replace(u",121.5"_s, QString()), expected) << qta.toStdString();
    }
}

TEST(DdtLayout, FooterMarksTheChosenTransportBox)
{
    DdtData d = data(numbered(1));
    const QStringList labels{u"Cedente@13.5,247.25"_s, u"Cessionario@31.5,247.25"_s};
    const QStringList rest{u"3@75,247.25"_s, u"06/03/2026@95,247.25"_s, u"9:05@130,247.25"_s};
    // The option, then where its X goes: in the consignor's box, the consignee's, or nowhere.
    const std::pair<int, QStringList> options[] = {{0, {u"X@8.75,247.25"_s}}, {1, {u"X@26.75,247.25"_s}}, {-1, {}}};
    for (const auto& [mezzo, x] : options) {
        d.mezzo = mezzo;
        EXPECT_EQ(footerValues(d), labels + x + rest) << mezzo;
    }

    // Parcels and time only when filled (both hour and minutes); a date that is not one as typed.
    d.colli.clear();
    d.minuti.clear();
    d.dataRitiro = u"5/3/2026"_s;
    EXPECT_EQ(footerValues(d), labels + QStringList{u"05/03/2026@95,247.25"_s});
    d.dataRitiro.clear();
    EXPECT_EQ(footerValues(d), labels);
}

TEST(DdtLayout, HeaderAndReferencesOnEveryPage)
{
    const auto all = pages(data(numbered(23)));
    ASSERT_EQ(all.size(), 2u);
    for (std::size_t p = 0; p < all.size(); ++p) {
        const Page& page = all[p];
        EXPECT_EQ(
            textsIn(page, 0, 44, 210, 89),
            (QStringList{u"DOCUMENTO DI TRASPORTO@3.5,44"_s, u"CEDENTE@3.5,52"_s, u"FERRO ROSSI@6.5,56"_s,
                         u"Carpenteria metallica@12.5,62"_s, u"Via dell'Industria 12@6.5,73"_s,
                         u"P.IVA 01234567890@6.5,79"_s, u"CESSIONARIO@107.5,52"_s, u"Città Nuova Srl@107.5,59"_s,
                         u"Officine@107.5,64.5"_s, u"Via Verdi 2@107.5,72"_s, u"40100 Bologna (BO)@107.5,77.5"_s}));
        EXPECT_EQ(textsIn(page, 0, 94, 210, 98),
                  (QStringList{u"CAUSALE DEL TRASPORTO@73.5,94.5"_s, u"Consegna merce@74,97.5"_s,
                               u"CODICE CLIENTE@3.5,94.5"_s, u"DATA DOCUMENTO@149,94.5"_s, u"NUMERO@174,94.5"_s,
                               u"PAGINA@192,94.5"_s, u"0007@4.5,97.5"_s, u"05/03/2026@149,97.5"_s,
                               u"12/2026@175.5,97.5"_s, u"%1/2@192.5,97.5"_s.arg(p + 1)}));
    }
}
