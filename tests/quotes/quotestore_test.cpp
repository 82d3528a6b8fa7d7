#include "printing/layoutregistry.h"
#include "quotes/quotepaper.h"
#include "quotetest.h"
#include "workdir.h"

namespace {

using O = QuoteStore::Outcome;

struct QuoteStoreTest : ::testing::Test {
    TestWorkDir dir;
    qint64 rossi = addCustomer(u"ROSSI"_s);
};

} // namespace

TEST_F(QuoteStoreTest, OneKindOfCustomerAndTextsAsTyped)
{
    // A registry customer alone; typed lines win over a chosen registry customer.
    issueQuote(sampleQuote(u"1/26"_s, QDate(2026, 3, 2), rossi));
    Quote typed = sampleQuote(u"2/26"_s, QDate(2026, 3, 3), rossi);
    typed.int1 = u"Condominio Aurora"_s;
    typed.int2 = u"Via Po 3"_s;
    // Any length and any character, line breaks CR LF.
    const QString lungo = u"Riga «1»\u00a0€ 🔩\r\n\r\n"_s + QString(5000, u'x') + u"\r\n"_s;
    typed.des = lungo;
    typed.note = u"Nota 'urgente'"_s;
    issueQuote(typed);
    EXPECT_EQ(dbRows(u"SELECT Num, IdAna, Int1, Int2, Data, Note FROM Preventivi ORDER BY Data, ordinal(Num)"_s),
              u"1/26|%1|-|-|2026-03-02|-\n2/26|-|Condominio Aurora|Via Po 3|2026-03-03|Nota 'urgente'"_s.arg(rossi));
    EXPECT_EQ(QuoteStore::load(u"2/26"_s).value()->des, lungo);
    const Quote reg = QuoteStore::load(u"1/26"_s).value().value();
    EXPECT_EQ(QStringList({QString::number(reg.idAna), reg.nome, reg.int1}),
              QStringList({QString::number(rossi), u"ROSSI"_s, QString()}));
    EXPECT_EQ(QuoteStore::intestazioni(2).value(), QStringList{u"Via Po 3"_s});
    // The printed quote reads what the editor shows.
    const QuoteData d = QuotePaper::datiPreventivo(u"1/26"_s).value().value_or(QuoteData{});
    EXPECT_EQ(QStringList({d.num, d.data, d.cli1, QString::number(d.idCliente), d.des}),
              QStringList({u"1/26"_s, u"02/03/26"_s, QString(), QString::number(rossi), u"Cancello\r\nPosa"_s}));
    EXPECT_EQ(LayoutRegistry::fileName(QuotePaper::kTipo, std::any(d)), u"Preventivo_1-26.pdf"_s);
    EXPECT_FALSE(QuotePaper::datiPreventivo(u"3/26"_s).value().has_value());

    // Saving rewrites the typed lines of a typed quote only; emptied boxes are empty texts.
    for (const QString& num : {u"1/26"_s, u"2/26"_s}) {
        Quote q;
        q.num = num;
        q.int1 = u"Nuovo"_s;
        q.data = QDate(2026, 4, 1);
        q.des = u"Testo"_s;
        EXPECT_EQ(QuoteStore::save(q).value(), O::Done);
    }
    EXPECT_EQ(dbRows(u"SELECT Num, IdAna, Int1, Int2, Data, Des, Note FROM Preventivi ORDER BY Data, ordinal(Num)"_s),
              u"1/26|%1|-|-|2026-04-01|Testo|\n2/26|-|Nuovo||2026-04-01|Testo|"_s.arg(rossi));
    Quote gone;
    gone.num = u"7/26"_s;
    EXPECT_EQ(QuoteStore::save(gone).value(), O::PaperMissing);
}

TEST_F(QuoteStoreTest, RegisterByDateThenNumberAsText)
{
    const qint64 gone = addCustomer(u"VERDI"_s, 0);
    issueQuote(sampleQuote(u"10/26"_s, QDate(2026, 5, 4), rossi));
    issueQuote(sampleQuote(u"9/26"_s, QDate(2026, 5, 4)));
    issueQuote(sampleQuote(u"11/26"_s, QDate(2026, 5, 3), gone));
    issueQuote(sampleQuote(u"12/26"_s, QDate(2026, 6, 1)));
    // Numbered in last year's series, dated in this one: listed by its date.
    issueQuote(sampleQuote(u"5/25"_s, QDate(2026, 1, 2)));
    issueQuote(sampleQuote(u"4/25"_s, QDate(2025, 12, 2)));
    QStringList shown;
    const auto reg = QuoteStore::registro(2026);
    for (const auto& r : reg.value())
        shown << r.num + u'|' + r.cliente + u'|' + r.data.toString(Qt::ISODate);
    EXPECT_EQ(shown, QStringList({u"12/26|Condominio Aurora|2026-06-01"_s, u"9/26|Condominio Aurora|2026-05-04"_s,
                                  u"10/26|ROSSI|2026-05-04"_s, u"11/26|VERDI|2026-05-03"_s,
                                  u"5/25|Condominio Aurora|2026-01-02"_s}));
    EXPECT_EQ(QuoteStore::registro(2024).value().size(), 0);
}
