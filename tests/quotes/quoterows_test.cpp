#include "quotes/quoterows.h"

#include "qstringprint.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(QuoteRowsTest, LinesBecomeDescriptionsAndLongOnesGoOn)
{
    const struct {
        QString des;
        int lunghezza;
        QStringList atteso;
    } casi[] = {
        {u"Cancello\r\nPosa"_s, 255, {u"Cancello"_s, u"Posa"_s}},
        {u"Cancello\nPosa"_s, 255, {u"Cancello"_s, u"Posa"_s}},
        // Empty lines part paragraphs once; at either end they add nothing.
        {u"\r\n \r\nCancello\r\n\r\n\t\r\nPosa\r\n\r\n"_s, 255, {u"Cancello"_s, u" "_s, u"Posa"_s}},
        {QString(), 255, {}},
        // Cut after a word; the spaces at the cut go.
        {u"cancello in ferro zincato"_s, 12, {u"cancello in"_s, u"ferro"_s, u"zincato"_s}},
        {u"ferro  zincato"_s, 5, {u"ferro"_s, u"zinca"_s, u"to"_s}},
        // A word ending exactly at the width stays on its row.
        {u"ab cde fg"_s, 6, {u"ab cde"_s, u"fg"_s}},
        // A word longer than the column is cut inside it; nothing is lost.
        {u"abcdefghij kl"_s, 4, {u"abcd"_s, u"efgh"_s, u"ij"_s, u"kl"_s}},
        // Never half of a character outside the basic plane.
        {u"ab\U0001F527c"_s, 3, {u"ab"_s, u"\U0001F527c"_s}},
    };
    for (const auto& c : casi)
        EXPECT_EQ(QuoteRows::descrizioni(c.des, c.lunghezza), c.atteso) << c.des.toStdString();
}

TEST(QuoteRowsTest, RowsKeepEveryCharacterOfALongLineWithinTheColumn)
{
    const QString parola = QString(40, u'x');
    QStringList parole;
    for (int i = 0; i < 10; ++i)
        parole << parola;
    const QString lunga = parole.join(u' '); // 409 characters
    const auto fattura = QuoteRows::righeFattura(u"Lavori:\r\n"_s + lunga);
    ASSERT_EQ(fattura.size(), 3);
    EXPECT_EQ(fattura[1].descrizione, parole.mid(0, 6).join(u' ')); // six words fit, seven do not
    EXPECT_EQ(fattura[2].descrizione, parole.mid(6).join(u' '));
    for (int i = 0; i < fattura.size(); ++i) {
        EXPECT_EQ(fattura[i].ord, i + 1);
        EXPECT_TRUE(fattura[i].qta.isZero() && fattura[i].prezzo.isZero());
    }
    const auto ddt = QuoteRows::righeDdt(u"Lavori:\n\n"_s + lunga);
    ASSERT_EQ(ddt.size(), 4);
    EXPECT_EQ(ddt[1].descrizione + u'|' + QString::number(ddt[3].ord), u" |4"_s);
    EXPECT_EQ(ddt[2].descrizione + u' ' + ddt[3].descrizione, lunga);
}
