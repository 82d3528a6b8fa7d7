#include "../printing/pdfprobe.h"
#include "data/database.h"
#include "ddt/ddtlayout.h"
#include "ddt/ddtpaper.h"
#include "ddt/ddtpaperstore.h"
#include "pagetexts.h"
#include "printing/layoutregistry.h"
#include "printing/pagerenderer.h"
#include "printing/paperlayout.h"
#include "printing/pdfcommand.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QFile>
#include <QPainter>
#include <QTextStream>
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
DdtData data(const QList<DdtData::Row>& rows, const QString& note = {})
{
    DdtData d;
    d.num = u"12/26"_s;
    d.data = u"05/03/26"_s;
    d.idCliente = 7;
    d.causale = u"Consegna merce"_s;
    d.mezzo = 1;
    d.colli = u"3"_s;
    d.dataRitiro = u"06/03/26"_s;
    d.ore = u"9"_s;
    d.minuti = u"05"_s;
    d.note = note;
    d.righe = rows;
    return d;
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
        {numbered(45), u"1/3 22 Riga 1@31,121.5 - Riga 22@31,226.5 | 2/3 22 Riga 23@31,121.5 - Riga 44@31,226.5 | "
                       "3/3 1 Riga 45@31,121.5"_s},
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
    d.dataRitiro = u"domani"_s;
    d.ore.clear();
    d.minuti = u"30"_s;
    EXPECT_EQ(footerValues(d), labels + QStringList{u"domani@95,247.25"_s});
    d.dataRitiro.clear();
    EXPECT_EQ(footerValues(d), labels);
}

TEST(DdtLayout, HeaderReferencesAndAnnotationsOnEveryPage)
{
    const QString note = QString(69, u'n') + u"\r\nok"_s;
    const auto all = pages(data(numbered(23), note));
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
        // Line breaks become spaces and the cut drops the space after it; a line every 4 mm.
        EXPECT_EQ(textsIn(page, 0, 252, 160, 300),
                  (QStringList{u"ANNOTAZIONI@3.5,252"_s, QString(69, u'n') + u"@3.5,255"_s, u"ok@3.5,259"_s}));
    }
    // No customer: no code and no consignee lines; the number of fewer than 2 characters as it is.
    DdtData d = data(numbered(1));
    d.idCliente = 0;
    d.num = u"7"_s;
    const Page page = pages(d, {}).front();
    EXPECT_EQ(textsIn(page, 100, 53, 210, 89), QStringList());
    EXPECT_EQ(textsIn(page, 0, 97, 210, 98), (QStringList{u"Consegna merce@74,97.5"_s, u"05/03/2026@149,97.5"_s,
                                                          u"7@175.5,97.5"_s, u"1/1@192.5,97.5"_s}));
}

TEST(DdtLayout, FontsAndRulesOfThePage)
{
    const Page page = pages(data({{u"Ringhiera"_s, u"5"_s}, {u"Cancello"_s, u"12"_s}}, u"Nota"_s)).front();
    EXPECT_EQ(PageTexts::fonts(page),
              (QStringList{
                  u"Arial 10: 05|12|Cancello|Ringhiera"_s,
                  u"Arial 10 B: DESCRIZIONE|Q.TA'"_s,
                  u"Arial 11: 0007|05/03/2026|1/1|Consegna merce|Nota"_s,
                  u"Arial 11 B: 12/2026"_s,
                  u"Arial 14: 40100 Bologna (BO)|Città Nuova Srl|Officine|Via Verdi 2"_s,
                  u"Arial 14 B: DOCUMENTO DI TRASPORTO"_s,
                  u"Arial 16: Carpenteria metallica|Carpenteria metallica"_s,
                  u"Arial 6 B: ANNOTAZIONI|CAUSALE DEL TRASPORTO|CODICE CLIENTE|CONSEGNA A MEZZO|DATA DOCUMENTO|"
                  "DATA RITIRO|FIRMA CESSIONARIO|FIRMA CONDUCENTE|N.COLLI|NUMERO|ORA RITIRO|PAGINA"_s,
                  u"Arial 8: Cedente|Cessionario"_s,
                  u"Arial 8 B: 06/03/2026|3|9:05|CEDENTE|CESSIONARIO|X"_s,
                  u"Arial Black 11: FERRO ROSSI|FERRO ROSSI"_s,
                  u"Times New Roman 12: P.IVA 01234567890"_s,
                  u"Times New Roman 14: Via dell'Industria 12"_s,
              }));
    // From the frames' left edge; R is the end held against the margin. The table's bottom is
    // also the footer's top, and both frames draw it.
    const auto expected = PageTexts::ExpectedRules()
                              .across(0, 203, {51, 89})
                              .down({101}, 51, 89)
                              .across(0, u"R"_s, {94, 102.5, 111, 116, 234.5, 234.5, 243, 277})
                              .down({20, 68, 144, 169, 187}, 94, 102.5)
                              .down({12, 24.5, 165}, 111, 234.5)
                              .down({70, 90, 125}, 243, 251.5)
                              .down({160}, 243, 277)
                              .across(0, 160, {251.5})
                              .across(160, u"R"_s, {260});
    EXPECT_EQ(PageTexts::rules(page, kX0), expected.sorted());
    // The two transport boxes, open.
    EXPECT_EQ(PageTexts::rules(page, kX0, DrawItem::Kind::Rect),
              (QStringList{u"23,247.5-25.5,250"_s, u"5,247.5-7.5,250"_s}));
    for (const DrawItem& i : page.items()) {
        if (i.kind == DrawItem::Kind::Rect) {
            EXPECT_FALSE(i.filled);
        }
    }
}

TEST(DdtLayout, RulesEndAsFarFromTheRightEdgeAsTheMarginIsFromTheLeft)
{
    const Page page = pages(data(numbered(1))).front();
    // The drawn sheet at 0.1 mm a pixel; whether the rule at height y (mm) reaches x (mm).
    const auto drawn = [&](const PageView& view) {
        QImage image(2100, 2970, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        image.fill(Qt::white);
        QPainter painter(&image);
        PageRenderer(painter).draw(page, view);
        painter.end();
        return image;
    };
    const auto inked = [](const QImage& image, double x, double y) {
        return image.pixelColor(qRound(x * 10), qRound(y * 10)) != QColor(Qt::white);
    };
    // Margin and zoom; R is drawn at (206.5 - margin) * zoom, the header box's end at
    // (margin + 206.5) * zoom, the left edge at (margin + 3.5) * zoom.
    for (const PageView& view : {PageView{1, 0, 0}, PageView{1, 2, 0}, PageView{0.78f, 6, 0}}) {
        SCOPED_TRACE(view.margine);
        const double z = view.zoom;
        const double r = (DdtLayout::kR - view.margine) * z;
        EXPECT_DOUBLE_EQ(view.x(DdtLayout::kR, true), r);
        const QImage image = drawn(view);
        // The reference box's top rule at 94 mm.
        EXPECT_TRUE(inked(image, r - 0.5, 94 * z));
        EXPECT_FALSE(inked(image, r + 0.5, 94 * z));
        EXPECT_TRUE(inked(image, (view.margine + kX0) * z + 0.5, 94 * z));
        EXPECT_FALSE(inked(image, (view.margine + kX0) * z - 0.5, 94 * z));
        // The header box's rule at 51 mm ends at X0 + 203 like everything else.
        const double header = (view.margine + kX0 + 203) * z;
        EXPECT_TRUE(inked(image, header - 0.5, 51 * z));
        EXPECT_FALSE(inked(image, header + 0.5, 51 * z));
    }
}

namespace {

// DDT 4/26 of 23 rows to a customer with a company header, and a command line to print it.
struct StoredDdt {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    qint64 cliente = 0;
    QString errors;
    QTextStream err{&errors};

    StoredDdt()
    {
        EXPECT_FALSE(
            Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Indirizzo, Cap, Città, Prov) "
                           "VALUES ('CITTÀ NUOVA', 'Città Nuova Srl', 'Via Verdi 2', '40100', 'Bologna', 'BO')"_s));
        EXPECT_FALSE(Database::exec(u"INSERT INTO Azienda (Riga1, Riga2) VALUES ('FERRO ROSSI', 'Carpenteria')"_s));
        cliente = Database::scalar(u"SELECT max(Id) FROM Anagrafica"_s).value().toLongLong();
        store(u"4/26"_s, u"ces"_s, 3, u"2026-03-06"_s, u"09:30"_s, u"Consegna in cantiere\r\nScarico a mano"_s);
        store(u"5/26"_s, {}, {}, {}, {}, {});
        store(u"6/26"_s, u"ced"_s, {}, {}, u"14:00"_s, {});
        const QVariant qta[] = {5, 2.5, QVariant(), 0, 12.25};
        for (int ord = 1; ord <= 23; ++ord)
            EXPECT_FALSE(Database::exec(u"INSERT INTO ContDdt (Num, Ord, Descrizione, Qta) VALUES (?, ?, ?, ?)"_s,
                                        {u"4/26"_s, ord, u"Riga%1"_s.arg(ord), qta[(ord - 1) % 5]}));
    }
    void store(const QString& num, const QVariant& mezzo, const QVariant& colli, const QVariant& dataRit,
               const QVariant& oraRit, const QVariant& note)
    {
        EXPECT_FALSE(Database::exec(u"INSERT INTO Ddt (Num, IdAna, Data, Causale, Mezzo, Colli, DataRit, OraRit, Note) "
                                    "VALUES (?, ?, '2026-03-05', 'Vendita', ?, ?, ?, ?, ?)"_s,
                                    {num, cliente, mezzo, colli, dataRit, oraRit, note}));
    }
    QString out() const { return dir.path(u"ddt.pdf"_s); }
    int run(const QString& num)
    {
        const int status = PdfCommand::run({u"ddt"_s, num, u"-o"_s, out()}, err);
        err.flush();
        return status;
    }
};

} // namespace

TEST(DdtPdf, StoredDdtReadAsTheEditorShowsIt)
{
    StoredDdt s;
    // Number, date, customer, reason, transport, parcels, pick-up date and time, notes.
    const auto header = [](const QString& num) {
        const auto found = DdtPaperStore::datiDdt(num);
        EXPECT_TRUE(found.ok() && found.value().has_value()) << num.toStdString();
        if (!found.ok() || !found.value())
            return QString();
        const DdtData& d = *found.value();
        return QStringList{d.num,
                           d.data,
                           QString::number(d.idCliente),
                           d.causale,
                           QString::number(d.mezzo),
                           d.colli,
                           d.dataRitiro,
                           d.ore,
                           d.minuti,
                           d.note}
            .join(u'|');
    };
    const QString id = QString::number(s.cliente);
    EXPECT_EQ(header(u"4/26"_s),
              u"4/26|05/03/26|%1|Vendita|1|3|06/03/26|9|30|Consegna in cantiere\r\nScarico a mano"_s.arg(id));
    EXPECT_EQ(header(u"5/26"_s), u"5/26|05/03/26|%1|Vendita|-1|||||"_s.arg(id));
    EXPECT_EQ(header(u"6/26"_s), u"6/26|05/03/26|%1|Vendita|0|||14|00|"_s.arg(id));
    // Rows in order, quantities as the grid shows them: none and 0 empty.
    QStringList rows;
    for (const DdtData::Row& r : DdtPaperStore::datiDdt(u"4/26"_s).value()->righe.mid(0, 6))
        rows << r.descrizione + u'=' + r.qta;
    EXPECT_EQ(rows.join(u' '), u"Riga1=5 Riga2=2,5 Riga3= Riga4= Riga5=12,25 Riga6=5"_s);
    EXPECT_FALSE(DdtPaperStore::datiDdt(u"%/26"_s).value().has_value());
}

TEST(DdtPdf, CommandWritesTheStoredDdt)
{
    StoredDdt s;
    app().margineLaterale = 4;
    EXPECT_TRUE(LayoutRegistry::kinds().contains(DdtPaper::kTipo));
    ASSERT_EQ(s.run(u"4/26"_s), 0) << s.errors.toStdString();
    ASSERT_EQ(PdfProbe::pages(s.out()), 2);
    const auto words = PdfProbe::words(s.out());
    QStringList found;
    for (const QString& w :
         {u"TRASPORTO"_s, u"4/2026"_s, u"05/03/2026"_s, u"Vendita"_s, u"Bologna"_s, u"FERRO"_s, u"1/2"_s, u"2/2"_s,
          u"Riga22"_s, u"Riga23"_s, u"05"_s, u"02,5"_s, u"06/03/2026"_s, u"9:30"_s, u"cantiere"_s}) {
        QStringList on;
        for (const int page : {1, 2})
            if (PdfProbe::find(words, w, page))
                on << QString::number(page);
        found << w + u':' + on.join(u',');
    }
    EXPECT_EQ(found.join(u' '), u"TRASPORTO:1,2 4/2026:1,2 05/03/2026:1,2 Vendita:1,2 Bologna:1,2 FERRO:1,2 1/2:1 "
                                "2/2:2 Riga22:1 Riga23:2 05:1 02,5:1 06/03/2026:1,2 9:30:1,2 cantiere:1,2"_s);
    // A printed copy: full size, shifted by the side margin.
    const auto* cessionario = PdfProbe::find(words, u"CESSIONARIO"_s, 1);
    ASSERT_NE(cessionario, nullptr);
    EXPECT_NEAR(cessionario->xMin, (4 + kX0 + 104) * PdfProbe::kPointsPerMm, 0.8);

    QFile::remove(s.out());
    EXPECT_EQ(s.run(u"9/26"_s), 1);
    EXPECT_TRUE(s.errors.contains(u"DDT \"9/26\" non trovato."_s)) << s.errors.toStdString();
    EXPECT_FALSE(QFile::exists(s.out()));
}
