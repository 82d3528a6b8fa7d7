#include "data/database.h"
#include "printing/customersheet.h"
#include "printing/layoutregistry.h"
#include "printing/pagefurniture.h"
#include "printing/paperlayout.h"
#include "printing/printsources.h"
#include "printing/registerlayout.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "workdir.h"

#include <QDir>
#include <QStandardItemModel>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Composes through the registry, which also knows a test kind: N headed pages for the number N.
std::vector<Page> compose(const QString& kind, const std::any& data)
{
    LayoutRegistry::add(u"ProvaRegistro"_s, {[](const std::any& data, const LayoutContext& ctx) {
                            return std::vector<Page>(std::any_cast<int>(data), PageFurniture::headedPage(ctx));
                        }});
    return LayoutRegistry::compose(kind, data, nullptr);
}

// The text drawn at (x, y) must be exactly this one.
void expectText(const Page& page, double x, double y, const QString& text, const PrintFont& font,
                const QColor& colour = Qt::black)
{
    const auto& items = page.items();
    const auto at = std::find_if(items.begin(), items.end(), [&](const DrawItem& item) {
        return item.kind == DrawItem::Kind::Text && item.x == x && item.y == y;
    });
    ASSERT_NE(at, items.end()) << "no text at " << x << "," << y;
    EXPECT_EQ(std::tie(at->text, at->font, at->colour), std::tie(text, font, colour)) << text.toStdString();
}

} // namespace

TEST(LayoutRegistry, HeadedPagesOfKnownKindsCarryTheLogoOfTheColourChoiceAndTheCompanyName)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    ASSERT_FALSE(CompanyStore::save({u"FERRO BATTUTO"_s, u"Lavorazioni"_s}));
    // Only the colour logo is in the folder: the black-and-white one falls back to the shipped picture.
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    QDir().mkpath(dir.path(u"Img"_s));
    ASSERT_TRUE(red.save(dir.path(u"Img/Logo.bmp"_s), "BMP"));
    for (const bool colori : {true, false}) {
        SCOPED_TRACE(colori);
        app().logoColori = colori;
        const auto pages = compose(u"ProvaRegistro"_s, 1);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(pages[0].font(), (PrintFont{u"Arial"_s, 10, false}));
        ASSERT_EQ(pages[0].items().size(), 3u);
        const DrawItem& logo = pages[0].items()[0];
        EXPECT_EQ(logo.kind, DrawItem::Kind::Picture);
        EXPECT_EQ(QRectF(QPointF(logo.x, logo.y), QPointF(logo.x2, logo.y2)), QRectF(5, 8, 30, 30));
        EXPECT_TRUE(colori ? logo.picture.pixelColor(0, 0) == QColor(Qt::red) : logo.picture.width() > 8);
        expectText(pages[0], 45, 10, u"FERRO BATTUTO"_s, {u"Arial Black"_s, 11, false});
        expectText(pages[0], 51, 16, u"Lavorazioni"_s, {u"Arial"_s, 16, false}, colori ? Qt::red : Qt::black);
    }
    EXPECT_TRUE(dlg.messages.empty());
    // The registry composes known kinds from their own data only; where copies print is checked on the files.
    EXPECT_TRUE(compose(u"Sconosciuto"_s, 1).empty());
    EXPECT_TRUE(compose(u"ProvaRegistro"_s, QString()).empty());
    EXPECT_EQ(compose(u"ProvaRegistro"_s, 3).size(), 3u);
}

TEST(CustomerSheet, OneUnheadedPageOfBoldLabelsAndPlainValues)
{
    const CustomerSheetData d{
        "0012",   "ROSSI", "Rossi Mario S.r.l.", "01234567890", "RSSMRA70A01H501U", "Via Roma 1", "20100",
        "Milano", "MI"};
    const auto pages = CustomerSheet::layout(d);
    ASSERT_EQ(pages.size(), 1u);
    // Only texts: no logo, no company header, no lines.
    EXPECT_EQ(pages[0].items().size(), 13u);
    expectText(pages[0], 0, 6, u"DATI ANAGRAFICA"_s, {u"Arial"_s, 12, true});
    const PrintFont bold{u"Arial"_s, 10, true};
    const PrintFont plain{u"Arial"_s, 10, false};
    // clang-format off
    const std::tuple<double, QString, QString> rows[] = {
        {16, "Codice", "0012"}, {24, "Nominativo", "ROSSI"}, {29, "Ragione Sociale", "Rossi Mario S.r.l."},
        {37, "Partita IVA", "01234567890"}, {42, "Codice Fiscale", "RSSMRA70A01H501U"},
        {50, "Indirizzo", "Via Roma 1   20100  Milano (MI)"}};
    // clang-format on
    for (const auto& [y, label, value] : rows) {
        expectText(pages[0], 10, y, label, bold);
        expectText(pages[0], 40, y, value, plain);
    }
    // Empty boxes leave only the address separators.
    const Page empty = CustomerSheet::layout(CustomerSheetData())[0];
    expectText(empty, 40, 16, QString(), plain);
    expectText(empty, 40, 50, u"      ()"_s, plain);
}

TEST(CaricaCliente, CopiesAnyCustomerEmptiesForZeroAndKeepsTheFieldsOfAnUnknownCode)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    ASSERT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Ragione2, Piva, Cf, Indirizzo, Cap, "
                                "Città, Prov, Valid) VALUES ('BIANCHI', 'Bianchi Srl', NULL, '0123', 'BNC', "
                                "'Via Po 3', '10100', 'Torino', 'TO', 0)"_s));
    const auto fields = [](const CustomerFields& f) {
        return QStringList{f.ragione, f.ragione2, f.piva, f.indirizzo, f.cap, f.citta, f.prov, f.cf};
    };
    const QStringList bianchi{"Bianchi Srl", "", "0123", "Via Po 3", "10100", "Torino", "TO", "BNC"};
    CustomerFields f;
    f.ragione2 = u"resto"_s;
    // A deleted customer still prints on its old papers.
    EXPECT_TRUE(PrintSources::caricaCliente(nullptr, 1, f));
    EXPECT_EQ(fields(f), bianchi);
    EXPECT_FALSE(PrintSources::caricaCliente(nullptr, 77, f));
    EXPECT_EQ(fields(f), bianchi);
    ASSERT_EQ(dlg.messages.size(), 1u);
    const auto& m = dlg.messages[0];
    EXPECT_EQ(std::tie(m.text, m.title, m.buttons),
              std::tuple(u"Cliente 77 non trovato"_s, u"Errore"_s, Dialogs::Buttons::Ok));

    EXPECT_TRUE(PrintSources::caricaCliente(nullptr, 0, f));
    EXPECT_EQ(fields(f), QStringList(8, QString()));
    EXPECT_EQ(dlg.messages.size(), 1u);
}

TEST(PagineTesto, AFullPageOfBreaksOpensAPageForTheLastLineOnly)
{
    const auto righe = [](int n, const QString& fine) {
        QStringList r;
        for (int i = 1; i <= n; ++i)
            r << u"riga %1"_s.arg(i);
        return r.join(u"\r\n"_s) + fine;
    };

    const QList<QStringList> uno = PaperLayout::pagineTesto(righe(31, {}), 31);
    ASSERT_EQ(uno.size(), 1);
    EXPECT_EQ(uno.at(0).size(), 31);
    EXPECT_EQ(uno.at(0).last(), u"riga 31"_s);

    const QList<QStringList> due = PaperLayout::pagineTesto(righe(32, {}), 31);
    ASSERT_EQ(due.size(), 2);
    EXPECT_EQ(due.at(0).size(), 31);
    EXPECT_EQ(due.at(1), QStringList{u"riga 32"_s});

    // A closing break leaves an empty last line, which still counts.
    const QList<QStringList> vuota = PaperLayout::pagineTesto(righe(31, u"\r\n"_s), 31);
    ASSERT_EQ(vuota.size(), 2);
    EXPECT_EQ(vuota.at(1), QStringList{QString()});

    const QList<QStringList> tre = PaperLayout::pagineTesto(righe(77, {}), 38);
    ASSERT_EQ(tre.size(), 3);
    EXPECT_EQ(tre.at(1).first(), u"riga 39"_s);
    EXPECT_EQ(tre.at(2), QStringList{u"riga 77"_s});
}

TEST(PagineTesto, AnyLineBreakEndsALineAndNothingElseIsTouched)
{
    EXPECT_EQ(PaperLayout::pagineTesto(u"  a;\"b\"\t"_s, 38), QList<QStringList>{{u"  a;\"b\"\t"_s}});
    EXPECT_EQ(PaperLayout::pagineTesto(u"a\nb\rc\r\n\r\nd"_s, 38),
              QList<QStringList>{(QStringList{u"a"_s, u"b"_s, u"c"_s, QString(), u"d"_s})});
    EXPECT_EQ(PaperLayout::pagineTesto(QString(), 31), QList<QStringList>{QStringList{QString()}});
}

namespace {

// Where each row's first cell is drawn: "page:text" for every text in the first column's band.
QStringList cellsAt(const std::vector<Page>& pages, double x)
{
    QStringList out;
    for (std::size_t p = 0; p < pages.size(); ++p)
        for (const DrawItem& i : pages[p].items())
            if (i.kind == DrawItem::Kind::Text && i.x == x && i.y >= RegisterLayout::kIntestazioniY)
                out << u"%1:%2"_s.arg(p + 1).arg(i.text);
    return out;
}

} // namespace

TEST(RegisterLayout, HeadingsOnEveryPageAndTheSumsOnTheLastPageOnly)
{
    // The grid as a window shows it: the selector column is left out, alignment and widths kept.
    QStandardItemModel model(0, 3);
    model.setHorizontalHeaderLabels({QString(), u"Numero"_s, u"Totale €"_s});
    const int perPagina = RegisterLayout::righePerPagina();
    for (int r = 0; r < perPagina + 3; ++r) {
        auto* totale = new QStandardItem(u"1.000,%1"_s.arg(r % 10, 2, 10, QLatin1Char('0')));
        totale->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        model.appendRow({new QStandardItem, new QStandardItem(u"%1/26"_s.arg(r + 1)), totale});
    }
    RegisterTable t = RegisterTable::fromModel(model, 100);
    ASSERT_EQ(t.colonne.size(), 2);
    EXPECT_EQ(std::tuple(t.colonne[0].intestazione, t.colonne[0].destra, t.colonne[1].destra),
              std::tuple(u"Numero"_s, false, true));
    EXPECT_DOUBLE_EQ(t.colonne[0].larghezza + t.colonne[1].larghezza, 100);
    EXPECT_LT(t.colonne[0].larghezza, t.colonne[1].larghezza);
    EXPECT_EQ(t.righe.at(perPagina),
              (QStringList{u"%1/26"_s.arg(perPagina + 1), u"1.000,%1"_s.arg(perPagina % 10, 2, 10, QLatin1Char('0'))}));

    t.titolo = u"REGISTRO FATTURE 2026"_s;
    t.totali = {{u"Imponibile"_s, u"€ 1,00"_s}, {u"Incassato"_s, u"€ 2,00"_s}};
    LayoutContext ctx;
    ctx.intestazione = {u"FERRO ROSSI"_s, u"Carpenteria"_s, u"Via Roma 1"_s, QString(), u"P.IVA 1"_s};
    auto pages = RegisterLayout::layout(t, ctx);
    ASSERT_EQ(pages.size(), 2u);
    const double x0 = RegisterLayout::kX0;
    const QStringList first = cellsAt(pages, x0);
    EXPECT_EQ(first.size(), perPagina + 3 + 2);
    EXPECT_EQ(first.mid(0, 2), (QStringList{u"1:Numero"_s, u"1:1/26"_s}));
    EXPECT_EQ(first.mid(perPagina, 3),
              (QStringList{u"1:%1/26"_s.arg(perPagina), u"2:Numero"_s, u"2:%1/26"_s.arg(perPagina + 1)}));
    for (int p = 0; p < 2; ++p) {
        SCOPED_TRACE(p);
        for (const QString& text :
             {u"REGISTRO FATTURE 2026"_s, u"FERRO ROSSI"_s, u"Via Roma 1"_s, u"P.IVA 1"_s, u"%1/2"_s.arg(p + 1)})
            EXPECT_NE(pages[p].findText(text), nullptr) << text.toStdString();
        EXPECT_EQ(pages[p].findText(u"Cliente: ROSSI"_s), nullptr);
        EXPECT_EQ(pages[p].findText(u"Imponibile"_s) != nullptr, p == 1);
    }
    // The sums come after the last row; a full page's rows reach down to the bottom line.
    EXPECT_GT(pages[1].findText(u"Imponibile"_s)->y, pages[1].findText(u"%1/26"_s.arg(perPagina + 3))->y);
    EXPECT_NEAR(pages[0].findText(u"%1/26"_s.arg(perPagina))->y, RegisterLayout::kFondo, 1);

    // Sums that just fit under the last row stay on its page: a rule and a line each.
    const auto full = t.righe;
    t.righe.resize(perPagina - 3);
    EXPECT_EQ(RegisterLayout::layout(t, ctx).size(), 1u);
    t.righe = full;

    // A last page too full for the sums gives them a page of their own; a customer is named.
    t.righe.resize(perPagina - 1);
    t.cliente = u"ROSSI"_s;
    pages = RegisterLayout::layout(t, ctx);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(cellsAt(pages, x0).mid(perPagina - 1), (QStringList{u"1:%1/26"_s.arg(perPagina - 1), u"2:Numero"_s}));
    EXPECT_NE(pages[1].findText(u"Incassato"_s), nullptr);
    EXPECT_NE(pages[1].findText(u"Cliente: ROSSI"_s), nullptr);
    // Through the registry, under the file name the PDF printer proposes.
    t.nome = u"Fatture_2026"_s;
    EXPECT_EQ(LayoutRegistry::fileName(RegisterLayout::kTipo, std::any(t)), u"Registro_Fatture_2026.pdf"_s);
}
