#include "data/database.h"
#include "invoices/invoicedemo.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "registry/registrydemo.h"
#include "workdir.h"

#include <QDate>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

Decimal dec(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text)).value();
}

qint64 customer(const QString& nome, int valid = 1) {
    Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Valid) VALUES (?, ?)"), {nome, valid});
    return Database::scalar(QStringLiteral("SELECT max(Id) FROM Anagrafica")).value().toLongLong();
}

Invoice invoice(const QString& num, qint64 idAna, QDate data, const char* totale = "10") {
    Invoice inv;
    inv.num = num;
    inv.idAna = idAna;
    inv.data = data;
    inv.iva = 22;
    inv.totale = dec(totale);
    inv.rows = {InvoiceRules::rigaVuota(1), InvoiceRow{2, QStringLiteral("Cancello"), dec("2"), dec("5")}};
    return inv;
}

void issue(const Invoice& inv) {
    ASSERT_FALSE(InvoiceStore::issue(inv));
}

int count(const QString& sql, std::initializer_list<QVariant> values = {}) {
    return Database::scalar(sql, values).value().toInt();
}

} // namespace

TEST(InvoiceStore, NextNumberFollowsTheLargestOfTheYearsSeries) {
    TestWorkDir dir;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    EXPECT_EQ(InvoiceStore::prossimoNumero(QStringLiteral("/26")).value(), QStringLiteral("1/26"));
    issue(invoice(QStringLiteral("9/25"), c, QDate(2025, 12, 1)));
    issue(invoice(QStringLiteral("99/24"), c, QDate(2024, 12, 1)));
    EXPECT_EQ(InvoiceStore::prossimoNumero(QStringLiteral("/26")).value(), QStringLiteral("1/26"));
    for (int i = 1; i <= 9; ++i)
        issue(invoice(QString::number(i) + QStringLiteral("/26"), c, QDate(2026, 1, i)));
    // Numeric, not text order: after 9 comes 10.
    EXPECT_EQ(InvoiceStore::prossimoNumero(QStringLiteral("/26")).value(), QStringLiteral("10/26"));
    issue(invoice(QStringLiteral("10/26"), c, QDate(2026, 2, 1)));
    EXPECT_EQ(InvoiceStore::prossimoNumero(QStringLiteral("/26")).value(), QStringLiteral("11/26"));
    EXPECT_EQ(InvoiceStore::prossimoNumero(QStringLiteral("/25")).value(), QStringLiteral("10/25"));
    // A number of 2026 dated in 2027 still belongs to its series.
    issue(invoice(QStringLiteral("11/26"), c, QDate(2027, 1, 2)));
    EXPECT_EQ(InvoiceStore::prossimoNumero(QStringLiteral("/26")).value(), QStringLiteral("12/26"));
}

TEST(InvoiceStore, CancellingTheLastFreesItsNumber) {
    TestWorkDir dir;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    for (int i = 1; i <= 12; ++i)
        issue(invoice(QString::number(i) + QStringLiteral("/26"), c, QDate(2026, 3, i)));
    EXPECT_EQ(InvoiceStore::cancel(QStringLiteral("11/26")).value(), InvoiceStore::Outcome::NotLast);
    EXPECT_TRUE(InvoiceStore::exists(QStringLiteral("11/26")).value());
    EXPECT_EQ(InvoiceStore::cancel(QStringLiteral("12/26")).value(), InvoiceStore::Outcome::Done);
    EXPECT_FALSE(InvoiceStore::exists(QStringLiteral("12/26")).value());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM ContFatt WHERE Num = ?"), {QStringLiteral("12/26")}),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM ContFatt WHERE Num = ?"), {QStringLiteral("11/26")}),
              2);
    EXPECT_EQ(InvoiceStore::prossimoNumero(QStringLiteral("/26")).value(), QStringLiteral("12/26"));
    EXPECT_EQ(InvoiceStore::cancel(QStringLiteral("12/26")).value(), InvoiceStore::Outcome::InvoiceMissing);
}

TEST(InvoiceStore, IssueStoresHeaderAndRowsAsTheyAre) {
    TestWorkDir dir;
    const qint64 c = customer(QStringLiteral("O'NEILL"));
    Invoice inv = invoice(QStringLiteral("1/26"), c, QDate(2026, 4, 3), "122.12");
    inv.note = QStringLiteral("Pagamento 30 gg");
    inv.ra = true;
    issue(inv);
    const auto loaded = InvoiceStore::load(QStringLiteral("1/26")).value();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->nome, QStringLiteral("O'NEILL"));
    EXPECT_EQ(loaded->idAna, c);
    EXPECT_EQ(loaded->data, QDate(2026, 4, 3));
    EXPECT_EQ(loaded->totale, dec("122.12"));
    EXPECT_EQ(loaded->iva, 22);
    EXPECT_TRUE(loaded->ra);
    EXPECT_FALSE(loaded->pagata);
    EXPECT_EQ(loaded->note, QStringLiteral("Pagamento 30 gg"));
    ASSERT_EQ(loaded->rows.size(), 2);
    EXPECT_EQ(loaded->rows[0].descrizione, QStringLiteral(" "));
    EXPECT_EQ(loaded->rows[0].ord, 1);
    EXPECT_EQ(loaded->rows[1].qta, dec("2"));
    EXPECT_EQ(loaded->rows[1].prezzo, dec("5"));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Data FROM Fatture")).value().toString(),
              QStringLiteral("2026-04-03"));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT RA FROM Fatture")).value().toString(),
              QStringLiteral("X"));
    // No notes and no withholding are stored as absent.
    issue(invoice(QStringLiteral("2/26"), c, QDate(2026, 4, 3)));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Fatture WHERE Note IS NULL AND RA IS NULL")), 1);
    EXPECT_FALSE(InvoiceStore::load(QStringLiteral("3/26")).value());
}

TEST(InvoiceStore, AFailingRowLeavesNoHalfWrittenInvoice) {
    TestWorkDir dir;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    Database::exec(QStringLiteral("CREATE TRIGGER failrow BEFORE INSERT ON ContFatt WHEN NEW.Ord = 3 "
                                  "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END"));
    Invoice inv = invoice(QStringLiteral("1/26"), c, QDate(2026, 1, 5));
    inv.rows.append(InvoiceRow{3, QStringLiteral("Posa"), Decimal(), dec("100")});
    const DbStatus err = InvoiceStore::issue(inv);
    ASSERT_TRUE(err);
    EXPECT_TRUE(err->text.contains(QStringLiteral("disco pieno")));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Fatture")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM ContFatt")), 0);
    // The number is still free.
    EXPECT_EQ(InvoiceStore::prossimoNumero(QStringLiteral("/26")).value(), QStringLiteral("1/26"));
}

TEST(InvoiceStore, RowsOfAStoredInvoiceAreStoredWithTheNewTotal) {
    TestWorkDir dir;
    const qint64 c = customer(QStringLiteral("ROSSI"));
    issue(invoice(QStringLiteral("1/26"), c, QDate(2026, 1, 5), "12.2"));
    using O = InvoiceStore::Outcome;
    // A new Ord is added, a known one rewritten; zero quantity and price are stored as absent.
    EXPECT_EQ(InvoiceStore::saveRow(QStringLiteral("1/26"),
                                    {3, QStringLiteral("Posa"), Decimal(), dec("100")}, dec("134.2"))
                  .value(),
              O::Done);
    EXPECT_EQ(InvoiceStore::saveRow(QStringLiteral("1/26"),
                                    {2, QStringLiteral("Cancello"), dec("3"), dec("5")}, dec("140.3"))
                  .value(),
              O::Done);
    EXPECT_EQ(
        count(QStringLiteral("SELECT count(*) FROM ContFatt WHERE Num = '1/26' AND Ord = 3 AND Qta IS NULL")),
        1);
    auto inv = InvoiceStore::load(QStringLiteral("1/26")).value();
    ASSERT_EQ(inv->rows.size(), 3);
    EXPECT_EQ(inv->rows[1].qta, dec("3"));
    EXPECT_EQ(inv->totale, dec("140.3"));

    EXPECT_EQ(InvoiceStore::deleteRow(QStringLiteral("1/26"), 3, dec("18.3")).value(), O::Done);
    EXPECT_EQ(InvoiceStore::deleteRow(QStringLiteral("1/26"), 3, dec("0")).value(), O::RowMissing);
    inv = InvoiceStore::load(QStringLiteral("1/26")).value();
    EXPECT_EQ(inv->rows.size(), 2);
    EXPECT_EQ(inv->totale, dec("18.3"));

    // No invoice: nothing is written at all.
    EXPECT_EQ(
        InvoiceStore::saveRow(QStringLiteral("7/26"), {2, QStringLiteral("x"), Decimal(), dec("1")}, dec("1"))
            .value(),
        O::InvoiceMissing);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM ContFatt WHERE Num = '7/26'")), 0);
}

TEST(InvoiceStore, HeaderSavePaymentsAndChangeOfCustomer) {
    TestWorkDir dir;
    const qint64 a = customer(QStringLiteral("ROSSI"));
    const qint64 b = customer(QStringLiteral("VERDI"), 0);
    issue(invoice(QStringLiteral("1/26"), a, QDate(2026, 1, 5)));
    Invoice h;
    h.num = QStringLiteral("1/26");
    h.data = QDate(2026, 1, 9);
    h.iva = 10;
    h.totale = dec("11");
    EXPECT_EQ(InvoiceStore::saveHeader(h).value(), InvoiceStore::Outcome::Done);
    auto inv = InvoiceStore::load(QStringLiteral("1/26")).value();
    EXPECT_EQ(inv->data, QDate(2026, 1, 9));
    EXPECT_EQ(inv->iva, 10);
    EXPECT_FALSE(inv->ra);
    // Empty notes are stored as empty text.
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Fatture WHERE Note = ''")), 1);
    h.num = QStringLiteral("2/26");
    EXPECT_EQ(InvoiceStore::saveHeader(h).value(), InvoiceStore::Outcome::InvoiceMissing);

    EXPECT_EQ(InvoiceStore::setPaid(QStringLiteral("1/26"), true).value(), InvoiceStore::Outcome::Done);
    EXPECT_TRUE(InvoiceStore::load(QStringLiteral("1/26")).value()->pagata);
    EXPECT_EQ(InvoiceStore::setPaid(QStringLiteral("1/26"), false).value(), InvoiceStore::Outcome::Done);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Fatture WHERE Pagata IS NULL")), 1);
    EXPECT_EQ(InvoiceStore::setPaid(QStringLiteral("5/26"), true).value(),
              InvoiceStore::Outcome::InvoiceMissing);

    // A deleted customer may receive an invoice.
    EXPECT_EQ(InvoiceStore::changeCustomer(QStringLiteral("1/26"), b).value(), InvoiceStore::Outcome::Done);
    EXPECT_EQ(InvoiceStore::load(QStringLiteral("1/26")).value()->nome, QStringLiteral("VERDI"));
    EXPECT_EQ(InvoiceStore::changeCustomer(QStringLiteral("9/26"), b).value(),
              InvoiceStore::Outcome::InvoiceMissing);
    const auto all = InvoiceStore::allCustomers().value();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[1].nome, QStringLiteral("VERDI"));
}

TEST(InvoiceStore, RegisterOfAYearWithSums) {
    TestWorkDir dir;
    const qint64 a = customer(QStringLiteral("ROSSI"));
    const qint64 b = customer(QStringLiteral("BIANCHI"));
    customer(QStringLiteral("NERI"));
    issue(invoice(QStringLiteral("1/26"), a, QDate(2026, 1, 5), "100.10"));
    issue(invoice(QStringLiteral("2/26"), b, QDate(2026, 1, 6), "0.20"));
    issue(invoice(QStringLiteral("10/26"), a, QDate(2026, 5, 6), "1234.56"));
    issue(invoice(QStringLiteral("9/25"), b, QDate(2025, 12, 6), "50"));
    // Of the 2026 series but dated in 2027.
    issue(invoice(QStringLiteral("11/26"), b, QDate(2027, 1, 2), "7"));
    InvoiceStore::setPaid(QStringLiteral("1/26"), true);
    InvoiceStore::setPaid(QStringLiteral("2/26"), true);

    const auto reg = InvoiceStore::registro(2026, 0).value();
    ASSERT_EQ(reg.rows.size(), 3);
    EXPECT_EQ(reg.rows[0].num, QStringLiteral("10/26"));
    EXPECT_EQ(reg.rows[1].num, QStringLiteral("2/26"));
    EXPECT_EQ(reg.rows[2].num, QStringLiteral("1/26"));
    EXPECT_EQ(reg.rows[2].nome, QStringLiteral("ROSSI"));
    EXPECT_EQ(reg.rows[2].data, QDate(2026, 1, 5));
    EXPECT_TRUE(reg.rows[2].pagata);
    EXPECT_EQ(reg.rows[0].totale, dec("1234.56"));
    // 100,10 + 0,20 exactly, not 100,30000000001.
    EXPECT_EQ(reg.incassato, dec("100.3"));
    EXPECT_EQ(reg.daIncassare, dec("1234.56"));

    const auto rossi = InvoiceStore::registro(2026, a).value();
    EXPECT_EQ(rossi.rows.size(), 2);
    EXPECT_EQ(rossi.daIncassare, dec("1234.56"));
    EXPECT_EQ(InvoiceStore::registro(2027, 0).value().rows.size(), 1);
    EXPECT_TRUE(InvoiceStore::registro(2030, 0).value().rows.isEmpty());

    const auto withInvoices = InvoiceStore::customersWithInvoices().value();
    ASSERT_EQ(withInvoices.size(), 2);
    EXPECT_EQ(withInvoices[0].nome, QStringLiteral("BIANCHI"));
    EXPECT_EQ(withInvoices[1].id, a);

    EXPECT_EQ(InvoiceStore::numbersOfYear(2026).value(),
              QStringList({QStringLiteral("1/26"), QStringLiteral("2/26"), QStringLiteral("10/26")}));
    EXPECT_EQ(InvoiceStore::ordinaliAnno(2026, QStringLiteral("/26")).value(), QList<long long>({1, 2, 10}));
    EXPECT_EQ(InvoiceStore::aliquoteUsate().value(), QList<int>({22}));
}

TEST(InvoiceDemo, TwoYearsOfInvoicesForTheDemoCustomers) {
    TestWorkDir dir;
    ASSERT_FALSE(InvoiceDemo::fill());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Fatture")), 0);
    ASSERT_FALSE(RegistryDemo::fill());
    ASSERT_FALSE(InvoiceDemo::fill());
    const int year = QDate::currentDate().year();
    const auto now = InvoiceStore::registro(year, 0).value();
    const auto before = InvoiceStore::registro(year - 1, 0).value();
    EXPECT_GE(now.rows.size(), 5);
    EXPECT_GE(before.rows.size(), 5);
    EXPECT_GT(before.incassato, Decimal());
    EXPECT_GT(now.daIncassare, Decimal());
    EXPECT_GT(count(QStringLiteral("SELECT count(*) FROM Fatture WHERE RA = 'X'")), 0);
    EXPECT_GT(count(QStringLiteral("SELECT count(*) FROM Fatture WHERE RA IS NULL")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Fatture WHERE Data > ?"),
                    {QDate::currentDate().toString(Qt::ISODate)}),
              0);
    for (const auto& r : now.rows)
        EXPECT_FALSE(InvoiceRules::erroreNumero(r.num)) << qPrintable(r.num);
    // Every invoice has its rows.
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Fatture F WHERE NOT EXISTS "
                                   "(SELECT 1 FROM ContFatt C WHERE C.Num = F.Num)")),
              0);
}
