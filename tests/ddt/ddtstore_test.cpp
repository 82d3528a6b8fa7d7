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
    // Ordinals past the 32-bit range still count.
    issueDdt(u"3000000000/27"_s, rossi, QDate(2027, 1, 1));
    EXPECT_EQ(DdtStore::prossimoNumero(u"/27"_s).value(), u"3000000001/27"_s);

    // Only the last of a series is cancelled, header and rows; its number is free again.
    EXPECT_EQ(DdtStore::cancel(u"9/26"_s).value(), O::NotLast);
    EXPECT_EQ(DdtStore::cancel(u"10/26"_s).value(), O::Done);
    EXPECT_EQ(DdtStore::cancel(u"10/26"_s).value(), O::DdtMissing);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM ContDdt WHERE Num = '10/26'"_s), u"0"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM ContDdt WHERE Num = '9/26'"_s), u"3"_s);
    EXPECT_EQ(next(), u"10/26"_s);
}

TEST_F(DdtStoreTest, IssuingWritesOnlyTheFilledHeaderColumns)
{
    issueDdt(u"1/26"_s, rossi, QDate(2026, 3, 2));
    Ddt full = sampleDdt(u"2/26"_s, rossi, QDate(2026, 3, 3));
    full.mezzo = u"ces"_s;
    full.colli = 3;
    full.dataRitiro = QDate(2026, 3, 4);
    full.oraRitiro = u"09:05"_s;
    full.note = u"Riga 1\r\nRiga 2"_s;
    // Exact quantities, Ords past the 16-bit range.
    full.rows = {{1, u"Lamiera"_s, dec("2.5")}, {40000, u"Tubo"_s, dec("0.333333")}};
    issueDdt(full);
    EXPECT_EQ(ddtRows(), u"1/26|%1|2026-03-02|Vendita|-|-|-|-|-\n"
                         "2/26|%1|2026-03-03|Vendita|09:05|2026-03-04|ces|3|Riga 1\r\nRiga 2"_s.arg(rossi));
    // Every row is stored, the untouched first one too; no quantity is Null.
    EXPECT_EQ(ddtContent(u"1/26"_s), u"1||-\n2|Cancello|2\n3| |-"_s);
    EXPECT_EQ(ddtContent(u"2/26"_s), u"1|Lamiera|2.5\n40000|Tubo|0.333333"_s);

    // Read back as written.
    const Ddt back = DdtStore::load(u"2/26"_s).value().value();
    EXPECT_EQ(QStringList({back.nome, back.mezzo, QString::number(back.colli), back.oraRitiro, back.note,
                           back.dataRitiro.toString(Qt::ISODate), back.rows.at(1).qta.toString(),
                           QString::number(back.rows.at(1).ord)}),
              QStringList({u"ROSSI"_s, u"ces"_s, u"3"_s, u"09:05"_s, u"Riga 1\r\nRiga 2"_s, u"2026-03-04"_s,
                           u"0.333333"_s, u"40000"_s}));
    EXPECT_FALSE(DdtStore::load(u"3/26"_s).value().has_value());
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
    Ddt h = d;
    h.data = QDate(2026, 3, 9);
    h.causale = u"Reso"_s;
    h.mezzo.clear();
    h.colli = 0;
    h.oraRitiro.clear();
    h.dataRitiro = QDate(2026, 3, 10);
    h.note = u""_s;
    EXPECT_EQ(DdtStore::saveHeader(h).value(), O::Done);
    EXPECT_EQ(ddtRows(), u"1/26|%1|2026-03-09|Reso|-|2026-03-10|ced|-|"_s.arg(rossi));

    EXPECT_EQ(DdtStore::saveRow(u"1/26"_s, {2, u"Cancello zincato"_s, dec("3")}).value(), O::Done);
    EXPECT_EQ(DdtStore::saveRow(u"1/26"_s, {4, u"Nuova"_s, Decimal()}).value(), O::Done);
    EXPECT_EQ(DdtStore::deleteRow(u"1/26"_s, 3).value(), O::Done);
    EXPECT_EQ(ddtContent(u"1/26"_s), u"1||-\n2|Cancello zincato|3\n4|Nuova|-"_s);

    // A missing DDT or row: nothing written.
    const QString before = ddtRows() + ddtContent(u"1/26"_s);
    h.num = u"5/26"_s;
    EXPECT_EQ(DdtStore::saveHeader(h).value(), O::DdtMissing);
    EXPECT_EQ(DdtStore::saveRow(u"5/26"_s, {2, u"x"_s, Decimal()}).value(), O::DdtMissing);
    EXPECT_EQ(DdtStore::deleteRow(u"1/26"_s, 3).value(), O::RowMissing);
    EXPECT_EQ(ddtRows() + ddtContent(u"1/26"_s), before);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM ContDdt WHERE Num = '5/26'"_s), u"0"_s);
}

TEST_F(DdtStoreTest, RegisterReasonsAndBrowsingOfAYear)
{
    const qint64 bianchi = addCustomer(u"BIANCHI"_s);
    issueDdt(u"1/26"_s, rossi, QDate(2026, 1, 5));
    issueDdt(u"2/26"_s, bianchi, QDate(2026, 2, 5));
    // Numbered in 2026 but dated in 2025: listed under 2025.
    issueDdt(u"3/26"_s, rossi, QDate(2025, 12, 31));
    issueDdt(u"10/26"_s, rossi, QDate(2026, 3, 5));
    Ddt reso = sampleDdt(u"11/26"_s, bianchi, QDate(2026, 3, 6));
    reso.causale = u"Conto visione"_s;
    issueDdt(reso);

    const auto list = [](int anno, qint64 id) {
        QStringList out;
        const auto reg = DdtStore::registro(anno, id);
        for (const auto& r : reg.value())
            out << r.num + u'|' + r.nome + u'|' + r.data.toString(Qt::ISODate) + u'|' + r.causale;
        return out.join(u'\n');
    };
    EXPECT_EQ(list(2026, 0), u"11/26|BIANCHI|2026-03-06|Conto visione\n10/26|ROSSI|2026-03-05|Vendita\n"
                             "2/26|BIANCHI|2026-02-05|Vendita\n1/26|ROSSI|2026-01-05|Vendita"_s);
    EXPECT_EQ(list(2026, rossi), u"10/26|ROSSI|2026-03-05|Vendita\n1/26|ROSSI|2026-01-05|Vendita"_s);
    EXPECT_EQ(list(2025, 0), u"3/26|ROSSI|2025-12-31|Vendita"_s);
    EXPECT_EQ(list(2024, 0), QString());
    EXPECT_EQ(DdtStore::causali().value(), (QStringList{u"Conto visione"_s, u"Vendita"_s}));
    QStringList names;
    const auto customers = DdtStore::customersWithDdt();
    ASSERT_TRUE(customers) << customers.error().text.toStdString();
    for (const CustomerEntry& c : customers.value())
        names << c.nome;
    EXPECT_EQ(names, (QStringList{u"BIANCHI"_s, u"ROSSI"_s}));
    // Browsing sees the numbers of the series dated in its year.
    EXPECT_EQ(DdtStore::ordinaliAnno(2026, u"/26"_s).value(), (QList<long long>{1, 2, 10, 11}));
    // Reasons differing in case only are offered once, and listed as every list is: case and
    // accents aside.
    int n = 20;
    for (const QString& causale : {u"vendita"_s, u"Ómaggio"_s, u"Reso"_s, u"conto visione"_s, u""_s}) {
        Ddt d = sampleDdt(u"%1/26"_s.arg(++n), rossi, QDate(2026, 4, 1));
        d.causale = causale;
        issueDdt(d);
    }
    EXPECT_EQ(DdtStore::causali().value(), (QStringList{u"Conto visione"_s, u"Ómaggio"_s, u"Reso"_s, u"Vendita"_s}));
}
