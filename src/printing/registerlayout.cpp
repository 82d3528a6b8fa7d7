#include "printing/registerlayout.h"

#include "printing/layoutregistry.h"
#include "printing/pagefurniture.h"
#include "printing/pagerenderer.h"
#include "printing/paperlayout.h"

#include <algorithm>

namespace {

constexpr double kPunti = 9;

using PaperLayout::arial;

// The longest start of the text that fits in `larghezza` mm in that font.
QString adattato(const QString& text, double larghezza, const PrintFont& font)
{
    if (PageRenderer::textWidth(text, font) <= larghezza)
        return text;
    qsizetype dentro = 0;
    qsizetype fuori = text.size();
    while (fuori - dentro > 1) {
        const qsizetype mezzo = (dentro + fuori) / 2;
        if (PageRenderer::textWidth(text.left(mezzo), font) <= larghezza)
            dentro = mezzo;
        else
            fuori = mezzo;
    }
    // A letter outside the basic plane is never split in two.
    if (dentro > 0 && text.at(dentro - 1).isHighSurrogate())
        --dentro;
    return text.left(dentro);
}

struct Colonne {
    QList<double> x;
    QList<double> larghezze;
};

Colonne colonne(const RegisterTable& t)
{
    Colonne c;
    double x = RegisterLayout::kX0;
    for (const RegisterTable::Colonna& col : t.colonne) {
        c.x.append(x);
        c.larghezze.append(col.larghezza);
        x += col.larghezza;
    }
    return c;
}

// One cell: left-aligned from the column's start, or right-aligned against its end less a gap.
void cella(Page& page, const RegisterTable::Colonna& col, double x, double y, const QString& text,
           const PrintFont& font)
{
    const double spazio = 1.5;
    const QString t = adattato(text, col.larghezza - spazio, font);
    const double tx = col.destra ? x + col.larghezza - spazio - PageRenderer::textWidth(t, font) : x;
    page.text(tx, y, t, font);
}

void testata(Page& page, const RegisterTable& t, const LayoutContext& ctx, int p, int pagine)
{
    for (int n = 3; n <= 5; ++n)
        if (!ctx.riga(n).isEmpty())
            page.text(45, 24 + 4 * (n - 3), ctx.riga(n), arial(9));
    page.text(RegisterLayout::kX0, 44, t.titolo, arial(14, true));
    const QString numero = QStringLiteral("%1/%2").arg(p + 1).arg(pagine);
    page.text(RegisterLayout::kX0 + RegisterLayout::kLarghezza - PageRenderer::textWidth(numero, arial(10)), 44, numero,
              arial(10));
    if (!t.cliente.isEmpty())
        page.text(RegisterLayout::kX0, 50.5, QStringLiteral("Cliente: ") + t.cliente, arial(11));

    const Colonne c = colonne(t);
    const PrintFont grassetto = arial(kPunti, true);
    for (int k = 0; k < t.colonne.size(); ++k)
        cella(page, t.colonne[k], c.x[k], RegisterLayout::kIntestazioniY, t.colonne[k].intestazione, grassetto);
    page.ruleAcross(RegisterLayout::kX0, RegisterLayout::kIntestazioniY + 5,
                    RegisterLayout::kX0 + RegisterLayout::kLarghezza);
}

} // namespace

namespace RegisterLayout {

int righePerPagina()
{
    return static_cast<int>((kFondo - kPrimaRigaY) / kPassoRiga) + 1;
}

std::vector<Page> layout(const RegisterTable& t, const LayoutContext& ctx)
{
    const int perPagina = righePerPagina();
    const int righe = static_cast<int>(t.righe.size());
    // The sums take a rule and one line each after the last row; they move to a page of their own
    // rather than split.
    const int righeTotali = t.totali.isEmpty() ? 0 : static_cast<int>(t.totali.size()) + 1;
    int pagine = PaperLayout::pagine(righe, perPagina);
    const int sullUltima = righe - (pagine - 1) * perPagina;
    if (righe > 0 && sullUltima + righeTotali > perPagina)
        ++pagine;

    const Colonne c = colonne(t);
    const PrintFont font = arial(kPunti);
    std::vector<Page> out;
    out.reserve(pagine);
    for (int p = 0; p < pagine; ++p) {
        Page page = PageFurniture::headedPage(ctx);
        testata(page, t, ctx, p, pagine);
        const int da = p * perPagina;
        const int a = std::min(righe, da + perPagina);
        for (int r = da; r < a; ++r) {
            const double y = kPrimaRigaY + kPassoRiga * (r - da);
            const QStringList& cells = t.righe.at(r);
            for (int k = 0; k < t.colonne.size() && k < cells.size(); ++k)
                cella(page, t.colonne[k], c.x[k], y, cells.at(k), font);
        }
        if (p == pagine - 1 && !t.totali.isEmpty()) {
            double y = kPrimaRigaY + kPassoRiga * std::max(0, a - da) + 1;
            const double destra = kX0 + kLarghezza;
            page.line(destra - 90, y, destra, y);
            y += 2;
            for (const RegisterTable::Totale& tot : t.totali) {
                page.text(destra - 90, y, tot.etichetta, arial(10, true));
                page.text(destra - 1.5 - PageRenderer::textWidth(tot.valore, arial(10)), y, tot.valore, arial(10));
                y += kPassoRiga;
            }
        }
        out.push_back(std::move(page));
    }
    return out;
}

void registerLayout()
{
    LayoutRegistry::add(kTipo, {[](const std::any& data, const LayoutContext& ctx) {
                                    return layout(std::any_cast<const RegisterTable&>(data), ctx);
                                },
                                true, true,
                                [](const std::any& data) { return std::any_cast<const RegisterTable&>(data).nome; }});
}

} // namespace RegisterLayout
