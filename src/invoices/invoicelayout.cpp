#include "invoices/invoicelayout.h"

#include "printing/pagefurniture.h"
#include "printing/printsources.h"
#include "shell/formats.h"

namespace {

using InvoiceLayout::kX0;

const QString kArial = QStringLiteral("Arial");
const QString kArialBlack = QStringLiteral("Arial Black");
const QString kTimes = QStringLiteral("Times New Roman");

PrintFont arial(double size, bool bold = false)
{
    return PrintFont{kArial, size, bold};
}

// Right edge of the frames.
constexpr double kX1 = kX0 + 203;

// Row table: top of the first row is one pitch below this.
constexpr double kRigaBase = 116.5;
constexpr double kPassoRiga = 5;

// Annotations: first line and pitch.
constexpr double kNotaY = 248.25;
constexpr double kPassoNota = 4;

void titolo(Page& page, const InvoiceData& d)
{
    page.text(kX0, 44, QStringLiteral("FATTURA n° ") + InvoiceLayout::numeroEsteso(d.num), arial(16, true));
}

void riquadroTestata(Page& page, const LayoutContext& ctx, const CustomerFields& c)
{
    page.line(kX0, 51, kX1, 51);
    page.line(kX0 + 96, 51, kX0 + 96, 89);
    page.line(kX0, 89, kX1, 89);

    page.text(kX0 + 3, 56, ctx.riga(1), PrintFont{kArialBlack, 11, false});
    page.text(kX0 + 9, 62, ctx.riga(2), arial(16), ctx.logoColori ? QColor(Qt::red) : QColor(Qt::black));
    page.text(kX0 + 3, 73, ctx.riga(3), PrintFont{kTimes, 14, false});
    page.text(kX0 + 3, 80, ctx.riga(5), PrintFont{kTimes, 12, false});

    constexpr double cx = kX0 + 99;
    page.text(cx, 52, QStringLiteral("CLIENTE"), arial(8, true));
    page.text(cx + 3, 57, c.ragione, arial(14));
    page.text(cx + 3, 62.5, c.ragione2, arial(14));
    page.text(cx + 3, 69, c.indirizzo, arial(14));
    QString localita;
    if (!c.cap.isEmpty())
        localita += c.cap + u' ';
    if (!c.citta.isEmpty())
        localita += c.citta + u' ';
    if (!c.prov.isEmpty())
        localita += u'(' + c.prov + u')';
    page.text(cx + 3, 74.5, localita, arial(14));
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

    const PrintFont etichetta = arial(6, true);
    page.text(kX0, 94.5, QStringLiteral("CODICE CLIENTE"), etichetta);
    page.text(kX0 + 145.5, 94.5, QStringLiteral("DATA DOCUMENTO"), etichetta);
    page.text(kX0 + 170.5, 94.5, QStringLiteral("NUMERO"), etichetta);
    page.text(kX0 + 188.5, 94.5, QStringLiteral("PAGINA"), etichetta);

    if (d.idCliente != 0)
        page.text(kX0 + 1, 97.5, Formats::code(d.idCliente, 4), arial(11));
    page.text(kX0 + 145, 97.5, InvoiceLayout::dataEstesa(d.data), arial(11));
    page.text(kX0 + 172, 97.5, InvoiceLayout::numeroEsteso(d.num), arial(11, true));
    page.text(kX0 + 189, 97.5, QStringLiteral("%1/%2").arg(p + 1).arg(pagine), arial(11));
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

// Right alignment approximated by the text's length: `passo` mm per character short of `larghezza`.
double allineato(double x, int larghezza, const QString& text, double passo)
{
    return x + (larghezza - text.size()) * passo;
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

void annotazioni(Page& page, const QStringList& note)
{
    page.line(kX0 + 160, 245, kX0 + 160, 270.25);
    page.line(kX0, 245, kX1, 245);
    page.line(kX0, 270.25, kX1, 270.25);
    page.text(kX0, 245.5, QStringLiteral("ANNOTAZIONI"), arial(6, true));
    const PrintFont font = arial(11);
    for (int k = 0; k < note.size(); ++k)
        page.text(kX0, kNotaY + kPassoNota * k, note.at(k), font);
}

} // namespace

namespace InvoiceLayout {

int pagine(int righe)
{
    return righe <= 0 ? 1 : (righe - 1) / kRighePagina + 1;
}

QString numeroEsteso(const QString& num)
{
    if (num.size() < 2)
        return num;
    return num.left(num.size() - 2) + QStringLiteral("20") + num.right(2);
}

QString dataEstesa(const QString& data)
{
    if (data.isEmpty())
        return data;
    return data.left(6) + QStringLiteral("20") + data.right(2);
}

QStringList righeNote(const QString& note)
{
    QString buffer = note;
    buffer.replace(u'\r', u' ').replace(u'\n', u' ');
    QStringList lines;
    while (buffer.size() >= kCaratteriNota + 1) {
        lines << buffer.left(kCaratteriNota);
        buffer = buffer.mid(kCaratteriNota);
        for (int k = 0; k < 2 && buffer.startsWith(u' '); ++k)
            buffer.remove(0, 1);
    }
    lines << buffer;
    return lines;
}

std::vector<Page> disegna(const InvoiceData& d, const CustomerFields& cliente, const LayoutContext& ctx)
{
    const int n = static_cast<int>(d.righe.size());
    const int totalePagine = pagine(n);
    const QStringList note = righeNote(d.note);
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
        annotazioni(page, note);
        pages.push_back(std::move(page));
    }
    return pages;
}

std::vector<Page> layout(const InvoiceData& d, const LayoutContext& ctx)
{
    CustomerFields cliente;
    PrintSources::caricaCliente(ctx.parent, d.idCliente, cliente);
    return disegna(d, cliente, ctx);
}

} // namespace InvoiceLayout
