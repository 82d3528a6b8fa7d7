#include "invoices/invoicelayout.h"

#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/fiscalwordings.h"
#include "invoices/invoicepayment.h"
#include "printing/pagefurniture.h"
#include "printing/printsources.h"
#include "shell/dialogs.h"
#include "shell/formats.h"

namespace {

using namespace PaperLayout;

// Right edge of the frames.
constexpr double kX1 = kX0 + 203;

// Annotations: first line.
constexpr double kNotaY = 248.25;

void titolo(Page& page, const InvoiceData& d)
{
    if (d.storno.fattura.isEmpty()) {
        page.text(kX0, 44, QStringLiteral("FATTURA n° ") + numeroEsteso(d.num), arial(16, true));
        return;
    }
    page.text(kX0, 44, QStringLiteral("NOTA DI CREDITO n° ") + numeroEsteso(d.num), arial(16, true));
    page.text(kX0 + 110, 46, InvoiceLayout::aStorno(d.storno), arial(10));
}

void riquadroTestata(Page& page, const LayoutContext& ctx, const CustomerFields& c)
{
    page.line(kX0, 51, kX1, 51);
    page.line(kX0 + 96, 51, kX0 + 96, 89);
    page.line(kX0, 89, kX1, 89);

    azienda(page, ctx, 80);

    constexpr double cx = kX0 + 99;
    page.text(cx, 52, QStringLiteral("CLIENTE"), arial(8, true));
    page.text(cx + 3, 57, c.ragione, arial(14));
    page.text(cx + 3, 62.5, c.ragione2, arial(14));
    page.text(cx + 3, 69, c.indirizzo, arial(14));
    page.text(cx + 3, 74.5, localita(c), arial(14));
    QString fiscale;
    if (!c.piva.isEmpty())
        fiscale += QStringLiteral("P.IVA ") + c.piva;
    if (!c.piva.isEmpty() && !c.cf.isEmpty())
        fiscale += u'/';
    if (!c.cf.isEmpty())
        fiscale += QStringLiteral("C.f. ") + c.cf;
    page.text(cx + 3, 80, fiscale, arial(12));
}

void riquadroRiferimenti(Page& page, const InvoiceData& d, int p, int pagine)
{
    page.line(kX0, 94, kX1, 94);
    page.line(kX0, 102.5, kX1, 102.5);
    for (const double x : {20.0, 144.0, 169.0, 187.0})
        page.line(kX0 + x, 94, kX0 + x, 102.5);

    riferimenti(page, {d.idCliente, d.data, d.num, kX0 + 145}, p, pagine);
}

void tabellaRighe(Page& page)
{
    for (const double y : {111.0, 116.0, 216.0})
        page.line(kX0, y, kX1, y);
    for (const double x : {11.0, 130.0, 145.0, 165.0, 185.0})
        page.line(kX0 + x, 111, kX0 + x, 216);
    const PrintFont intestazione = arial(10, true);
    page.text(kX0 + 55, 111.5, QStringLiteral("DESCRIZIONE"), intestazione);
    page.text(kX0 + 133, 111.5, QStringLiteral("Q.TA'"), intestazione);
    page.text(kX0 + 148, 111.5, QStringLiteral("PREZZO"), intestazione);
    page.text(kX0 + 167, 111.5, QStringLiteral("IMPORTO"), intestazione);
    page.text(kX0 + 188, 111.5, QStringLiteral("IVA%"), intestazione);
}

// "#,##0.00" of a grid amount as it stands; an empty cell stays empty.
QString importoRaggruppato(const QString& cell)
{
    if (cell.isEmpty())
        return cell;
    const auto value = Formats::parseNumber(cell);
    return value ? Formats::grouped2(*value) : cell;
}

void righe(Page& page, const InvoiceData& d, int p)
{
    const PrintFont font = arial(10);
    // The rate the totals use, on every row with an amount; nothing for 0.
    const QString iva = d.aliquota == 0 ? QString() : QString::number(d.aliquota) + u'%';
    const int n = static_cast<int>(d.righe.size());
    for (int i = 1; i <= InvoiceLayout::kRighePagina; ++i) {
        const int r = InvoiceLayout::kRighePagina * p + i;
        if (r > n)
            break;
        const InvoiceData::Row& row = d.righe.at(r - 1);
        if (row.descrizione.isEmpty())
            break;
        const double y = kRigaBase + kPassoRiga * i;
        page.text(kX0 + 14, y, row.descrizione, font);
        page.text(allineato(kX0 + 135, 4, row.qta, 1.3), y, row.qta, font);
        const QString prezzo = importoRaggruppato(row.prezzo);
        page.text(allineato(155, 7, prezzo, 1.3), y, prezzo, font);
        const QString importo = importoRaggruppato(row.importo);
        page.text(allineato(174, 7, importo, 2), y, importo, font);
        if (!importo.isEmpty() && !iva.isEmpty())
            page.text(192, y, iva, font);
    }
}

void riquadroTotali(Page& page)
{
    for (const double y : {222.75, 229.25, 236.25})
        page.line(kX0 + 130, y, kX1, y);
    page.line(kX0 + 130, 216, kX0 + 130, 245);
    page.line(kX0 + 165, 216, kX0 + 165, 245);
}

void totali(Page& page, const InvoiceData& d)
{
    const PrintFont etichetta = arial(8);
    const PrintFont valore = arial(11);
    constexpr double vx = kX0 + 170;
    page.text(kX0 + 133, 218, QStringLiteral("IMPORTO IMPONIBILE"), etichetta);
    page.text(vx, 218, d.imponibile, valore);
    page.text(kX0 + 152, 224.75, QStringLiteral("IVA ") + d.iva + u'%', etichetta);
    page.text(vx, 224.75, d.importoIva, valore);
    page.text(kX0 + 152, 231.25, QStringLiteral("R.A. 4%"), etichetta);
    page.text(vx, 231.25, d.importoRitenuta, valore);
    page.text(kX0 + 152, 237.75, QStringLiteral("TOTALE"), etichetta);
    page.text(vx, 237.75, d.totale, valore);
}

// Split payment: what the body pays (the wording goes with the others in the annotations).
void scissione(Page& page, const InvoiceData& d)
{
    page.text(kX0 + 161, 245.5, QStringLiteral("NETTO A PAGARE"), arial(6, true));
    page.text(kX0 + 163, 250, d.nettoScissione, arial(11));
}

// Beside the totals: the term, the bank to pay through and the due dates, three columns of four.
void pagamento(Page& page, const InvoiceData& d)
{
    page.text(kX0, 216.5, QStringLiteral("PAGAMENTO"), arial(6, true));
    page.text(kX0 + 15, 216.5, d.pagamento, arial(9));
    page.text(kX0 + 15, 220.5, d.bancaPagamento, arial(8));
    if (d.scadenze.isEmpty())
        return;
    page.text(kX0, 225.5, QStringLiteral("SCADENZE"), arial(6, true));
    constexpr int kColonne = 3;
    constexpr int kRighe = 4;
    const PrintFont font = arial(9);
    const qsizetype n = d.scadenze.size();
    for (qsizetype i = 0; i < n && i < kColonne * kRighe; ++i) {
        const double x = kX0 + 15 + 38 * double(i / kRighe);
        const double y = 225.5 + 4.75 * double(i % kRighe);
        if (i == kColonne * kRighe - 1 && n > kColonne * kRighe) {
            page.text(x, y, QStringLiteral("e altre %1 rate").arg(n - i), font);
            break;
        }
        page.text(x, y, d.scadenze[i].data, font);
        page.text(allineato(x + 20, 10, d.scadenze[i].importo, 1.6), y, d.scadenze[i].importo, font);
    }
}

void annotazioni(Page& page, const QStringList& note)
{
    page.line(kX0 + 160, 245, kX0 + 160, 270.25);
    page.line(kX0, 245, kX1, 245);
    page.line(kX0, 270.25, kX1, 270.25);
    page.text(kX0, 245.5, QStringLiteral("ANNOTAZIONI"), arial(6, true));
    PaperLayout::note(page, note, kNotaY);
}

} // namespace

namespace InvoiceLayout {

int pagine(int righe)
{
    return PaperLayout::pagine(righe, kRighePagina);
}

std::vector<Page> disegna(const InvoiceData& d, const CustomerFields& cliente, const LayoutContext& ctx)
{
    const int n = static_cast<int>(d.righe.size());
    const int totalePagine = pagine(n);
    QStringList note = righeNote(d.note);
    // The wordings the law requires come before a note too long for the box.
    if (!d.diciture.isEmpty()) {
        while (!note.isEmpty() && note.constLast().trimmed().isEmpty())
            note.removeLast();
        QStringList legali;
        for (const QString& dicitura : d.diciture)
            legali << righeNote(dicitura);
        note = legali + note;
    }
    std::vector<Page> pages;
    pages.reserve(totalePagine);
    for (int p = 0; p < totalePagine; ++p) {
        Page page = PageFurniture::headedPage(ctx);
        titolo(page, d);
        riquadroTestata(page, ctx, cliente);
        riquadroRiferimenti(page, d, p, totalePagine);
        tabellaRighe(page);
        righe(page, d, p);
        riquadroTotali(page);
        if (p == totalePagine - 1)
            totali(page, d);
        if (p == totalePagine - 1 && d.scissione)
            scissione(page, d);
        if (p == totalePagine - 1 && (!d.pagamento.isEmpty() || !d.scadenze.isEmpty()))
            pagamento(page, d);
        annotazioni(page, note);
        pages.push_back(std::move(page));
    }
    return pages;
}

QString aStorno(const CreditNoteRef& storno)
{
    return QStringLiteral("a storno della fattura %1 del %2")
        .arg(storno.fattura, storno.data.toString(QStringLiteral("dd/MM/yyyy")));
}

std::vector<Page> layout(const InvoiceData& d, const LayoutContext& ctx)
{
    CustomerFields cliente;
    PrintSources::caricaCliente(ctx.parent, d.idCliente, cliente);
    InvoiceData stampata = d;
    // The stamp's own row does not count towards its threshold.
    Decimal imponibile;
    for (const InvoiceData::Row& r : d.righe)
        if (r.descrizione != FiscalWordings::kRigaBollo)
            imponibile += r.importoValore;
    const auto diciture = EInvoiceStore::diciture(d.aliquota, d.ritenuta, d.natura, imponibile.rounded(2));
    if (diciture)
        stampata.diciture = diciture.value();
    else
        dialogs().message(ctx.parent, diciture.error().text, diciture.error().title(), Dialogs::Icon::Critical);
    if (d.aliquota > 0 && d.idCliente != 0) {
        const auto recipient = EInvoiceStore::customer(d.idCliente);
        stampata.scissione = recipient && EInvoiceRules::pubblicaAmministrazione(recipient.value());
        if (stampata.scissione)
            stampata.diciture << InvoiceLayout::kScissione;
    }
    if (const DbStatus err = InvoicePayment::completa(stampata, stampata.scissione))
        dialogs().message(ctx.parent, err->text, err->title(), Dialogs::Icon::Critical);
    return disegna(stampata, cliente, ctx);
}

} // namespace InvoiceLayout
