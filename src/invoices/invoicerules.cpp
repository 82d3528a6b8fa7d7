#include "invoices/invoicerules.h"

#include "shell/formats.h"
#include "shell/runtimeerrors.h"

#include <QRegularExpression>

namespace {

// Larger quantities and prices are typing mistakes, and their products must stay exact.
const Decimal kLimiteDigitato = Decimal(10000000000LL);
// Whole numbers of the classic 16-bit kind.
constexpr long long kMaxIntero = 32767;

} // namespace

namespace InvoiceRules {

QString suffisso(int anno)
{
    return u'/' + QString::number(anno).right(2);
}

long long ordinale(const QString& num)
{
    long long value = 0;
    for (const QChar c : num.trimmed()) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 1000000000000LL)
            break;
    }
    return value;
}

QString prossimoNumero(std::optional<long long> maxOrdinale, const QString& suffisso)
{
    return QString::number(maxOrdinale ? *maxOrdinale + 1 : 1) + suffisso;
}

int annoSerie(const QString& num)
{
    return 2000 + num.right(2).toInt();
}

std::optional<QString> erroreNumero(const QString& num)
{
    static const QRegularExpression form(QStringLiteral(R"(^[1-9][0-9]{0,8}/[0-9]{2}$)"));
    if (form.match(num).hasMatch())
        return std::nullopt;
    return QStringLiteral("Numero fattura '%1' non valido: scrivere il numero nella forma N/AA "
                          "(per esempio 12/26), senza zeri iniziali")
        .arg(num);
}

Decimal importo(const InvoiceRow& row)
{
    return row.qta.isZero() ? row.prezzo : row.prezzo * row.qta;
}

Decimal importoMostrato(const InvoiceRow& row)
{
    return row.prezzo.isZero() ? Decimal() : importo(row).rounded(2);
}

QString testoQta(const Decimal& qta)
{
    return qta.isZero() ? QString() : Formats::plain(qta);
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
    return rows.isEmpty() ? 1 : rows.last().ord + 1;
}

InvoiceRow rigaVuota(int ord)
{
    return InvoiceRow{ord, QStringLiteral(" "), Decimal(), Decimal()};
}

bool isSpacer(const InvoiceRow& row)
{
    return row.descrizione == QStringLiteral(" ");
}

NumeroDigitato leggiNumero(const QString& text)
{
    const auto value = Formats::parseNumber(text);
    if (!value)
        return {std::nullopt, RuntimeErrors::TypeMismatch};
    if (value->abs() >= kLimiteDigitato)
        return {std::nullopt, RuntimeErrors::Overflow};
    return {value->rounded(kTypedDecimals), 0};
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

std::optional<long long> posizioneDopo(int comando, long long posizione, long long totaleAnno,
                                       const QList<long long>& ordinaliAnno)
{
    std::optional<long long> found;
    switch (comando) {
    case 0:
        return 1;
    case 3:
        return totaleAnno;
    case 1:
        for (const long long p : ordinaliAnno)
            if (p >= 1 && p < posizione && (!found || p > *found))
                found = p;
        return found;
    case 2:
        for (const long long p : ordinaliAnno)
            if (p > posizione && p <= totaleAnno && (!found || p < *found))
                found = p;
        return found;
    default:
        return std::nullopt;
    }
}

} // namespace InvoiceRules
