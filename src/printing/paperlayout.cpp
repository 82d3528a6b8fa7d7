#include "printing/paperlayout.h"

#include "shell/formats.h"

namespace {

constexpr double kPassoNota = 4;

} // namespace

namespace PaperLayout {

int pagine(int righe, int perPagina)
{
    return righe <= 0 ? 1 : (righe - 1) / perPagina + 1;
}

QList<QStringList> pagineTesto(const QString& testo, int perPagina)
{
    QString uniforme = testo;
    uniforme.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    uniforme.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList righe = uniforme.split(QLatin1Char('\n'));
    // Every line but the last one closes with a break; the last goes on the last page.
    const int interruzioni = static_cast<int>(righe.size()) - 1;
    const int quante = interruzioni / perPagina + 1;
    QList<QStringList> pagine;
    for (int p = 0; p < quante; ++p)
        pagine.append(righe.mid(p * perPagina, p + 1 < quante ? perPagina : -1));
    return pagine;
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

QString localita(const CustomerFields& c)
{
    QString out;
    if (!c.cap.isEmpty())
        out += c.cap + u' ';
    if (!c.citta.isEmpty())
        out += c.citta + u' ';
    if (!c.prov.isEmpty())
        out += u'(' + c.prov + u')';
    return out;
}

double allineato(double x, int larghezza, const QString& text, double passo)
{
    return x + (larghezza - text.size()) * passo;
}

void azienda(Page& page, const LayoutContext& ctx, double riga5Y)
{
    page.text(kX0 + 3, 56, ctx.riga(1), PrintFont{kArialBlack, 11, false});
    page.text(kX0 + 9, 62, ctx.riga(2), arial(16), ctx.logoColori ? QColor(Qt::red) : QColor(Qt::black));
    page.text(kX0 + 3, 73, ctx.riga(3), PrintFont{kTimes, 14, false});
    page.text(kX0 + 3, riga5Y, ctx.riga(5), PrintFont{kTimes, 12, false});
}

void riferimenti(Page& page, const Riferimenti& r, int p, int pagine)
{
    const PrintFont etichetta = arial(6, true);
    page.text(kX0, 94.5, QStringLiteral("CODICE CLIENTE"), etichetta);
    page.text(kX0 + 145.5, 94.5, QStringLiteral("DATA DOCUMENTO"), etichetta);
    page.text(kX0 + 170.5, 94.5, QStringLiteral("NUMERO"), etichetta);
    page.text(kX0 + 188.5, 94.5, QStringLiteral("PAGINA"), etichetta);

    if (r.idCliente != 0)
        page.text(kX0 + 1, 97.5, Formats::code(r.idCliente, 4), arial(11));
    page.text(r.dataX, 97.5, dataEstesa(r.data), arial(11));
    page.text(kX0 + 172, 97.5, numeroEsteso(r.num), arial(11, true));
    page.text(kX0 + 189, 97.5, QStringLiteral("%1/%2").arg(p + 1).arg(pagine), arial(11));
}

void note(Page& page, const QStringList& righe, double y)
{
    const PrintFont font = arial(11);
    for (int k = 0; k < righe.size(); ++k)
        page.text(kX0, y + kPassoNota * k, righe.at(k), font);
}

} // namespace PaperLayout
