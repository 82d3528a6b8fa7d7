#include "papers/paperrows.h"

#include "data/runtimeerrors.h"
#include "shell/formats.h"

namespace {

// Larger quantities and prices are typing mistakes, and their products must stay exact.
const Decimal kLimiteDigitato = Decimal(10000000000LL);

} // namespace

namespace PaperRows {

NumeroDigitato leggiNumero(const QString& text)
{
    const auto value = Formats::parseNumber(text);
    if (!value)
        return {std::nullopt, RuntimeErrors::TypeMismatch};
    if (value->abs() >= kLimiteDigitato)
        return {std::nullopt, RuntimeErrors::Overflow};
    return {value->rounded(kTypedDecimals), 0};
}

QString testoQta(const Decimal& qta)
{
    return qta.isZero() ? QString() : Formats::plain(qta);
}

} // namespace PaperRows
