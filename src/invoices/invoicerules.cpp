#include "invoices/invoicerules.h"

#include "data/runtimeerrors.h"
#include "shell/formats.h"

namespace {

// Whole numbers of the classic 16-bit kind.
constexpr long long kMaxIntero = 32767;

} // namespace

namespace InvoiceRules {

std::optional<QString> erroreNumero(const QString& num)
{
    return PaperSeries::erroreNumero(num, QStringLiteral("fattura"));
}

Decimal importo(const InvoiceRow& row)
{
    return row.qta.isZero() ? row.prezzo : row.prezzo * row.qta;
}

Decimal importoMostrato(const InvoiceRow& row)
{
    return row.prezzo.isZero() ? Decimal() : importo(row).rounded(2);
}

QString testoPrezzo(const Decimal& prezzo)
{
    return prezzo.isZero() ? QString() : Formats::fixed2(prezzo);
}

QString testoImporto(const InvoiceRow& row)
{
    return row.prezzo.isZero() ? QString() : Formats::fixed2(importoMostrato(row));
}

int prossimoOrd(const QList<InvoiceRow>& rows)
{
    return static_cast<int>(PaperRows::prossimoOrd(rows));
}

InvoiceRow rigaVuota(int ord)
{
    return InvoiceRow{ord, QStringLiteral(" "), Decimal(), Decimal()};
}

bool isSpacer(const InvoiceRow& row)
{
    return row.descrizione == QStringLiteral(" ");
}

std::optional<int> aliquota(const QString& text)
{
    const auto value = Formats::parseNumber(text);
    if (!value)
        return 0;
    Decimal nearest = value->rounded(0);
    // Half-way values go to the even neighbour.
    if ((*value - nearest).abs() == Decimal::fromString(QStringLiteral("0.5")).value() &&
        nearest.integerPart() % 2 != 0)
        nearest = nearest - Decimal(value->isNegative() ? -1 : 1);
    if (nearest.abs() > Decimal(kMaxIntero))
        return std::nullopt;
    return static_cast<int>(nearest.integerPart());
}

bool aliquotaValida(int rate)
{
    return rate >= 0 && rate <= 100;
}

QString testoAliquota(const QString& text)
{
    if (text.trimmed().isEmpty())
        return QString();
    const auto rate = aliquota(text);
    return rate ? QString::number(*rate) : text;
}

InvoiceRow daRigaCarta(const PaperRow& row)
{
    return InvoiceRow{static_cast<int>(row.ord), row.descrizione, row.valori.value(0), row.valori.value(1)};
}

QList<InvoiceRow> daRigheCarta(const QList<PaperRow>& rows)
{
    QList<InvoiceRow> out;
    out.reserve(rows.size());
    for (const PaperRow& r : rows)
        out.append(daRigaCarta(r));
    return out;
}

QList<PaperRow> righeCarta(const QList<InvoiceRow>& rows)
{
    QList<PaperRow> out;
    out.reserve(rows.size());
    for (const InvoiceRow& r : rows)
        out.append({r.ord, r.descrizione, {r.qta, r.prezzo}});
    return out;
}

} // namespace InvoiceRules
