#include "ddt/ddtlayout.h"

#include "printing/pagefurniture.h"
#include "printing/paperlayout.h"
#include "printing/printsources.h"
#include "shell/formats.h"

namespace {

using namespace PaperLayout;
using DdtLayout::kR;

// Right edge of the header box, as on the invoice.
constexpr double kX1 = kX0 + 203;
// Bottom of the row table, top of the footer.
constexpr double kFondoRighe = 234.5;
// Footer: the transport boxes' tick marks and the line of their values.
constexpr double kValoriPiede = 247.25;
constexpr double kPassoCaselle = 18;
// Annotations: first line.
constexpr double kNotaY = 255;

void titolo(Page& page)
{
    page.text(kX0, 44, QStringLiteral("DOCUMENTO DI TRASPORTO"), arial(14, true));
}

void riquadroTestata(Page& page, const LayoutContext& ctx, const CustomerFields& c)
{
    page.line(kX0, 51, kX1, 51);
    page.line(kX0, 89, kX1, 89);
    page.line(kX0 + 101, 51, kX0 + 101, 89);

    page.text(kX0, 52, QStringLiteral("CEDENTE"), arial(8, true));
    azienda(page, ctx, 79);

    constexpr double cx = kX0 + 104;
    page.text(cx, 52, QStringLiteral("CESSIONARIO"), arial(8, true));
    page.text(cx, 59, c.ragione, arial(14));
    page.text(cx, 64.5, c.ragione2, arial(14));
    page.text(cx, 72, c.indirizzo, arial(14));
    page.text(cx, 77.5, localita(c), arial(14));
}

void riquadroRiferimenti(Page& page, const DdtData& d, int p, int pagine)
{
    page.ruleAcross(kX0, 94, kR);
    page.ruleAcross(kX0, 102.5, kR);
    for (const double x : {20.0, 68.0, 144.0, 169.0, 187.0})
        page.line(kX0 + x, 94, kX0 + x, 102.5);

    page.text(kX0 + 70, 94.5, QStringLiteral("CAUSALE DEL TRASPORTO"), arial(6, true));
    page.text(kX0 + 70.5, 97.5, d.causale, arial(11));
    riferimenti(page, {d.idCliente, d.data, d.num, kX0 + 145.5}, p, pagine);
}

void tabellaRighe(Page& page)
{
    for (const double y : {111.0, 116.0, kFondoRighe})
        page.ruleAcross(kX0, y, kR);
    for (const double x : {12.0, 24.5, 165.0})
        page.line(kX0 + x, 111, kX0 + x, kFondoRighe);
    const PrintFont intestazione = arial(10, true);
    page.text(kX0 + 14, 111.5, QStringLiteral("Q.TA'"), intestazione);
    page.text(kX0 + 72, 111.5, QStringLiteral("DESCRIZIONE"), intestazione);
}

void righe(Page& page, const DdtData& d, int p)
{
    const PrintFont font = arial(10);
    const int n = static_cast<int>(d.righe.size());
    for (int i = 1; i <= DdtLayout::kRighePagina; ++i) {
        const int r = DdtLayout::kRighePagina * p + i;
        if (r > n)
            break;
        const DdtData::Row& row = d.righe.at(r - 1);
        const double y = kRigaBase + kPassoRiga * i;
        const QString qta = DdtLayout::quantita(row.qta);
        if (!qta.isEmpty())
            page.text(allineato(kX0 + 17, 4, qta, 1.3), y, qta, font);
        page.text(kX0 + 27.5, y, row.descrizione, font);
    }
}

void piede(Page& page, const DdtData& d)
{
    // The table's bottom rule is the footer's top as well; each frame is drawn whole.
    page.ruleAcross(kX0, kFondoRighe, kR);
    page.ruleAcross(kX0, 243, kR);
    for (const double x : {70.0, 90.0, 125.0})
        page.line(kX0 + x, 243, kX0 + x, 251.5);
    page.line(kX0 + 160, 243, kX0 + 160, 277);
    page.line(kX0, 251.5, kX0 + 160, 251.5);
    page.ruleAcross(kX0 + 160, 260, kR);
    page.ruleAcross(kX0, 277, kR);
    page.rect(kX0 + 5, 247.5, kX0 + 7.5, 250, false);
    page.rect(kX0 + 5 + kPassoCaselle, 247.5, kX0 + 7.5 + kPassoCaselle, 250, false);

    const PrintFont etichetta = arial(6, true);
    const PrintFont valore = arial(8, true);
    page.text(kX0, 243.5, QStringLiteral("CONSEGNA A MEZZO"), etichetta);
    page.text(kX0 + 71, 243.5, QStringLiteral("N.COLLI"), etichetta);
    page.text(kX0 + 91, 243.5, QStringLiteral("DATA RITIRO"), etichetta);
    page.text(kX0 + 126, 243.5, QStringLiteral("ORA RITIRO"), etichetta);
    page.text(kX0 + 161, 243.5, QStringLiteral("FIRMA CONDUCENTE"), etichetta);
    page.text(kX0 + 10, kValoriPiede, QStringLiteral("Cedente"), arial(8));
    page.text(kX0 + 28, kValoriPiede, QStringLiteral("Cessionario"), arial(8));
    if (d.mezzo == 0 || d.mezzo == 1)
        page.text(kX0 + 5.25 + d.mezzo * kPassoCaselle, kValoriPiede, QStringLiteral("X"), valore);
    if (!d.colli.isEmpty())
        page.text(kX0 + 71.5, kValoriPiede, d.colli, valore);
    page.text(kX0 + 91.5, kValoriPiede, DdtLayout::dataRitiro(d.dataRitiro), valore);
    if (!d.ore.isEmpty() && !d.minuti.isEmpty())
        page.text(kX0 + 126.5, kValoriPiede, d.ore + u':' + d.minuti, valore);
    page.text(kX0 + 161, 260.5, QStringLiteral("FIRMA CESSIONARIO"), etichetta);
    page.text(kX0, 252, QStringLiteral("ANNOTAZIONI"), etichetta);
}

} // namespace

namespace DdtLayout {

int pagine(int righe)
{
    return PaperLayout::pagine(righe, kRighePagina);
}

QString quantita(const QString& qta)
{
    const QString text = Formats::parseNumber(qta).value_or(Decimal()) < Decimal(10) ? u'0' + qta : qta;
    return text == u"0" ? QString() : text;
}

QString dataRitiro(const QString& data)
{
    const auto date = Formats::parseDate(data);
    return date ? date->toString(QStringLiteral("dd/MM/yyyy")) : data;
}

std::vector<Page> disegna(const DdtData& d, const CustomerFields& cliente, const LayoutContext& ctx)
{
    const int totalePagine = pagine(static_cast<int>(d.righe.size()));
    const QStringList note = righeNote(d.note);
    std::vector<Page> pages;
    pages.reserve(totalePagine);
    for (int p = 0; p < totalePagine; ++p) {
        Page page = PageFurniture::headedPage(ctx);
        titolo(page);
        riquadroTestata(page, ctx, cliente);
        riquadroRiferimenti(page, d, p, totalePagine);
        tabellaRighe(page);
        righe(page, d, p);
        piede(page, d);
        PaperLayout::note(page, note, kNotaY);
        pages.push_back(std::move(page));
    }
    return pages;
}

std::vector<Page> layout(const DdtData& d, const LayoutContext& ctx)
{
    CustomerFields cliente;
    PrintSources::caricaCliente(ctx.parent, d.idCliente, cliente);
    return disegna(d, cliente, ctx);
}

} // namespace DdtLayout
