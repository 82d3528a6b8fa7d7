#include "ddt/ddtpaperstore.h"
#include "ddttest.h"
#include "workdir.h"

namespace {

using O = DdtStore::Outcome;

struct DdtStoreTest : ::testing::Test {
    TestWorkDir dir;
    qint64 rossi = addCustomer(u"ROSSI"_s);

    QString next() { return DdtStore::prossimoNumero(u"/26"_s).value(); }
};

} // namespace

TEST_F(DdtStoreTest, NumberingInTheYearsSeries)
{
    EXPECT_EQ(next(), u"1/26"_s);
    // Other years do not count.
    issueDdt(u"40/25"_s, rossi, QDate(2025, 12, 1));
    EXPECT_EQ(next(), u"1/26"_s);
    for (int i = 1; i <= 9; ++i)
        issueDdt(QString::number(i) + u"/26"_s, rossi, QDate(2026, 1, i));
    // Numeric, not text order.
    EXPECT_EQ(next(), u"10/26"_s);
    issueDdt(u"10/26"_s, rossi, QDate(2026, 2, 1));
    EXPECT_EQ(next(), u"11/26"_s);

    // Only the last of a series is cancelled, and not while an invoice names it; header and rows
    // go, and its number is free again.
    EXPECT_EQ(DdtStore::cancel(u"9/26"_s).value(), O::NotLast);
    ASSERT_FALSE(InvoiceStore::issue(sampleInvoice(u"1/26"_s, rossi, QDate(2026, 3, 1)), {u"10/26"_s}));
    const auto invoiced = DdtStore::cancel(u"10/26"_s);
    ASSERT_FALSE(invoiced.ok());
    EXPECT_TRUE(invoiced.error().text.contains(u"annullare prima la fattura"_s)) << invoiced.error().text.toStdString();
    EXPECT_EQ(InvoiceStore::cancel(u"1/26"_s).value(), InvoiceStore::Outcome::Done);
    EXPECT_EQ(DdtStore::cancel(u"10/26"_s).value(), O::Done);
    EXPECT_EQ(DdtStore::cancel(u"10/26"_s).value(), O::DdtMissing);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM ContDdt WHERE Num = '10/26'"_s), u"0"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM ContDdt WHERE Num = '9/26'"_s), u"3"_s);
    EXPECT_EQ(next(), u"10/26"_s);
}

TEST_F(DdtStoreTest, IssuingWritesOnlyTheFilledHeaderColumns)
{
    issueDdt(u"1/26"_s, rossi, QDate(2026, 3, 2));
    // Exact quantities, Ords past the 16-bit range.
    const QList<DdtRow> rows{{1, u"Lamiera"_s, dec("2.5")}, {40000, u"Tubo"_s, dec("0.333333")}};
    issueDdt(Ddt{u"2/26"_s, rossi, QString(), QDate(2026, 3, 3), u"Vendita"_s, u"ces"_s, 3, QDate(2026, 3, 4),
                 u"09:05"_s, u"Riga 1\r\nRiga 2"_s, rows});
    EXPECT_EQ(ddtRows(), u"1/26|%1|2026-03-02|Vendita|-|-|-|-|-\n"
                         "2/26|%1|2026-03-03|Vendita|09:05|2026-03-04|ces|3|Riga 1\r\nRiga 2"_s.arg(rossi));
    // Every row is stored, the untouched first one too; no quantity is Null.
    EXPECT_EQ(ddtContent(u"1/26"_s), u"1||-\n2|Cancello|2\n3| |-"_s);
    EXPECT_EQ(ddtContent(u"2/26"_s), u"1|Lamiera|2.5\n40000|Tubo|0.333333"_s);

    // Read back as the editor and the printed copy show it.
    const DdtData back = DdtPaperStore::datiDdt(u"2/26"_s).value().value();
    EXPECT_EQ(QStringList({back.data, QString::number(back.idCliente), QString::number(back.mezzo), back.colli,
                           back.dataRitiro, back.ore, back.minuti, back.note, back.righe.at(0).qta}),
              QStringList({u"03/03/26"_s, QString::number(rossi), u"1"_s, u"3"_s, u"04/03/26"_s, u"9"_s, u"05"_s,
                           u"Riga 1\r\nRiga 2"_s, u"2,5"_s}));
    EXPECT_FALSE(DdtPaperStore::datiDdt(u"3/26"_s).value().has_value());
}

TEST_F(DdtStoreTest, ATakenNumberOrAFailingRowStoresNothing)
{
    issueDdt(u"7/26"_s, rossi, QDate(2026, 1, 5));
    const DbStatus dup = DdtStore::issue(sampleDdt(u"7/26"_s, addCustomer(u"BIANCHI"_s), QDate(2026, 1, 6)));
    ASSERT_TRUE(dup);
    EXPECT_EQ(dup->number, DbError::Duplicate);
    EXPECT_EQ(dup->text, u"DDT 7/26 già esistente"_s);

    failInserts(u"ContDdt"_s, u"NEW.Ord = 3"_s);
    const DbStatus failed = DdtStore::issue(sampleDdt(u"8/26"_s, rossi, QDate(2026, 1, 6)));
    ASSERT_TRUE(failed);
    EXPECT_TRUE(failed->text.contains(u"disco pieno"_s)) << failed->text.toStdString();
    EXPECT_EQ(dbRows(u"SELECT (SELECT count(*) FROM Ddt), (SELECT count(*) FROM ContDdt)"_s), u"1|3"_s);
}

TEST_F(DdtStoreTest, HeaderAndRowsOfAStoredDdt)
{
    Ddt d = sampleDdt(u"1/26"_s, rossi, QDate(2026, 3, 2));
    d.mezzo = u"ced"_s;
    d.colli = 4;
    d.oraRitiro = u"10:00"_s;
    d.note = u"Vecchia"_s;
    issueDdt(d);
    // Parcels cleared, notes emptied, no option chosen: Null, an empty text, the option kept.
    Ddt h{u"1/26"_s, rossi, {}, QDate(2026, 3, 9), u"Reso"_s, {}, 0, QDate(2026, 3, 10), {}, u""_s, {}};
    EXPECT_EQ(DdtStore::saveHeader(h).value(), O::Done);
    EXPECT_EQ(ddtRows(), u"1/26|%1|2026-03-09|Reso|-|2026-03-10|ced|-|"_s.arg(rossi));

    EXPECT_EQ(DdtStore::saveRow(u"1/26"_s, {2, u"Cancello zincato"_s, dec("3")}).value(), O::Done);
    EXPECT_EQ(DdtStore::deleteRow(u"1/26"_s, 3).value(), O::Done);
    EXPECT_EQ(ddtContent(u"1/26"_s), u"1||-\n2|Cancello zincato|3"_s);

    // A missing DDT or row.
    h.num = u"5/26"_s;
    EXPECT_EQ(DdtStore::saveHeader(h).value(), O::DdtMissing);
    EXPECT_EQ(DdtStore::deleteRow(u"1/26"_s, 3).value(), O::RowMissing);
}
