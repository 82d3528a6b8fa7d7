#include "data/runtimeerrors.h"
#include "papers/paperrows.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PaperRows, TypedNumbersAreReadToSixDecimalsAndTypingMistakesRefused)
{
    // typed -> value as plain text (empty when refused), error
    const std::tuple<QString, QString, int> cases[] = {
        {u"12,5"_s, u"12.5"_s, 0},
        {u"12.5"_s, u"12.5"_s, 0},
        {u"0,1234567"_s, u"0.123457"_s, 0},
        {u"9999999999,99"_s, u"9999999999.99"_s, 0},
        {u"10000000000"_s, QString(), RuntimeErrors::Overflow},
        {u"-10000000000"_s, QString(), RuntimeErrors::Overflow},
        {u"dieci"_s, QString(), RuntimeErrors::TypeMismatch},
    };
    for (const auto& [typed, value, error] : cases) {
        SCOPED_TRACE(typed.toStdString());
        const PaperRows::NumeroDigitato n = PaperRows::leggiNumero(typed);
        EXPECT_EQ(n.valore ? n.valore->toString() : QString(), value);
        EXPECT_EQ(n.errore, error);
    }
}
