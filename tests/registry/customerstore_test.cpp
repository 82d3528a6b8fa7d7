#include "data/database.h"
#include "registry/customerstore.h"
#include "registry/registrydemo.h"
#include "workdir.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

qint64 add(const QString& nome, const QString& citta = QString()) {
    Customer c;
    c.nome = nome;
    c.citta = citta;
    auto r = CustomerStore::insert(c);
    EXPECT_TRUE(r.ok());
    return r.ok() ? r.value() : -1;
}

QStringList names(const QString& initials = QString()) {
    auto r = CustomerStore::names(initials);
    EXPECT_TRUE(r.ok());
    return r.ok() ? r.value() : QStringList();
}

QVariant column(qint64 id, const QString& col) {
    return Database::scalar(QStringLiteral("SELECT ") + col + QStringLiteral(" FROM Anagrafica WHERE Id = ?"),
                            {id})
        .value();
}

} // namespace

TEST(CustomerStore, ListsValidNamesInOrderAndFiltersByInitials) {
    TestWorkDir dir;
    for (const char* n :
         {"ROSSI", "ESPOSITO", "FERRARI", "ANTONELLI", "PAGANI", "QUARTA", "BIANCHI", "ebano srl"})
        add(QString::fromUtf8(n));
    add(QStringLiteral(""));
    const qint64 gone = add(QStringLiteral("EMME"));
    ASSERT_TRUE(Database::exec(QStringLiteral("UPDATE Anagrafica SET Valid = 0 WHERE Id = ?"), {gone}) ==
                std::nullopt);

    EXPECT_EQ(names().size(), 9);
    EXPECT_EQ(names().first(), QString());
    EXPECT_EQ(names(QStringLiteral("A")), QStringList{QStringLiteral("ANTONELLI")});
    // Two letters on one button, lower-case initials too; the deleted EMME is left out.
    EXPECT_EQ(names(QStringLiteral("EF")), (QStringList{QStringLiteral("ESPOSITO"), QStringLiteral("FERRARI"),
                                                        QStringLiteral("ebano srl")}));
    EXPECT_EQ(names(QStringLiteral("PQ")), (QStringList{QStringLiteral("PAGANI"), QStringLiteral("QUARTA")}));
    EXPECT_TRUE(names(QStringLiteral("YZ")).isEmpty());
}

TEST(CustomerStore, FilterAndLookupTreatWildcardsAndQuotesLiterally) {
    TestWorkDir dir;
    add(QStringLiteral("%SCONTI"));
    add(QStringLiteral("_UNDER"));
    add(QStringLiteral("*STELLA"));
    add(QStringLiteral("L'OFFICINA"));
    add(QStringLiteral("LOFFICINA"));
    add(QStringLiteral("100% FERRO_*"));

    EXPECT_EQ(names(QStringLiteral("%")), QStringList{QStringLiteral("%SCONTI")});
    EXPECT_EQ(names(QStringLiteral("_")), QStringList{QStringLiteral("_UNDER")});
    EXPECT_EQ(names(QStringLiteral("L")),
              (QStringList{QStringLiteral("L'OFFICINA"), QStringLiteral("LOFFICINA")}));

    for (const QString& n : {QStringLiteral("%SCONTI"), QStringLiteral("_UNDER"), QStringLiteral("*STELLA"),
                             QStringLiteral("L'OFFICINA"), QStringLiteral("100% FERRO_*")}) {
        auto found = CustomerStore::findValid(n);
        ASSERT_TRUE(found.ok());
        ASSERT_TRUE(found.value().has_value()) << n.toStdString();
        EXPECT_EQ(found.value()->nome, n);
    }
    // A wildcard never stands for other text.
    EXPECT_FALSE(CustomerStore::findValid(QStringLiteral("%")).value().has_value());
    EXPECT_FALSE(CustomerStore::findValid(QStringLiteral("_UNDEr_")).value().has_value());
    EXPECT_FALSE(CustomerStore::findValid(QStringLiteral("*")).value().has_value());
    EXPECT_FALSE(CustomerStore::nameTaken(QStringLiteral("L_OFFICINA"), 0).value());
    EXPECT_TRUE(CustomerStore::nameTaken(QStringLiteral("l'officina"), 0).value());
}

TEST(CustomerStore, FindReadsEveryColumnAndPrefersTheExactName) {
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome) VALUES ('città srl')")));
    Customer c;
    c.nome = QStringLiteral("CITTÀ SRL");
    c.ragione = QStringLiteral("Città S.r.l.");
    c.ragione2 = QStringLiteral("Sede");
    c.piva = QStringLiteral("01234567890");
    c.cf = QStringLiteral("CF");
    c.indirizzo = QStringLiteral("Via Roma 1");
    c.cap = QStringLiteral("47121");
    c.citta = QStringLiteral("Forlì");
    c.prov = QStringLiteral("FC");
    const qint64 id = CustomerStore::insert(c).value();

    auto found = CustomerStore::findValid(QStringLiteral("CITTÀ SRL"));
    ASSERT_TRUE(found.value().has_value());
    const Customer& f = *found.value();
    EXPECT_EQ(f.id, id);
    EXPECT_EQ(f.ragione, c.ragione);
    EXPECT_EQ(f.ragione2, c.ragione2);
    EXPECT_EQ(f.piva, c.piva);
    EXPECT_EQ(f.cf, c.cf);
    EXPECT_EQ(f.indirizzo, c.indirizzo);
    EXPECT_EQ(f.cap, c.cap);
    EXPECT_EQ(f.citta, c.citta);
    EXPECT_EQ(f.prov, c.prov);
    // Without an exact match the older case-different row is found.
    EXPECT_EQ(CustomerStore::findValid(QStringLiteral("Città Srl")).value()->nome,
              QStringLiteral("città srl"));
    // Null columns read as empty text.
    EXPECT_TRUE(CustomerStore::findValid(QStringLiteral("città srl")).value()->citta.isEmpty());
}

TEST(CustomerStore, DuplicateCheckFoldsAccentsAndExcludesItselfAndDeletedRows) {
    TestWorkDir dir;
    const qint64 citta = add(QStringLiteral("CITTÀ SRL"));
    EXPECT_TRUE(CustomerStore::nameTaken(QStringLiteral("Città srl"), 0).value());
    EXPECT_TRUE(CustomerStore::nameTaken(QStringLiteral("città srl"), 999).value());
    EXPECT_FALSE(CustomerStore::nameTaken(QStringLiteral("CITTA SRL"), 0).value());
    EXPECT_FALSE(CustomerStore::nameTaken(QStringLiteral("Città srl"), citta).value());

    ASSERT_TRUE(CustomerStore::remove(QStringLiteral("città srl")).value());
    EXPECT_FALSE(CustomerStore::nameTaken(QStringLiteral("CITTÀ SRL"), 0).value());
    EXPECT_EQ(column(citta, QStringLiteral("Valid")).toInt(), 0);
    // Removing again finds nothing valid.
    EXPECT_FALSE(CustomerStore::remove(QStringLiteral("CITTÀ SRL")).value());
}

TEST(CustomerStore, RemoveTouchesOnlyTheExactValidRow) {
    TestWorkDir dir;
    const qint64 older = add(QStringLiteral("Dell'Acqua"));
    const qint64 exact = add(QStringLiteral("DELL'ACQUA"));
    const qint64 other = add(QStringLiteral("DELLACQUA"));
    ASSERT_TRUE(CustomerStore::remove(QStringLiteral("DELL'ACQUA")).value());
    EXPECT_EQ(column(older, QStringLiteral("Valid")).toInt(), 1);
    EXPECT_EQ(column(exact, QStringLiteral("Valid")).toInt(), 0);
    EXPECT_EQ(column(other, QStringLiteral("Valid")).toInt(), 1);
}

TEST(CustomerStore, UpdateRewritesOnlyAValidRowAndWritesEmptyTextNotNull) {
    TestWorkDir dir;
    const qint64 id = add(QStringLiteral("ROSSI"), QStringLiteral("Como"));
    Customer c;
    c.id = id;
    c.nome = QStringLiteral("ROSSI MARIO");
    c.ragione = QStringLiteral("Rossi Mario");
    ASSERT_TRUE(CustomerStore::update(c).value());
    EXPECT_EQ(column(id, QStringLiteral("Nome")).toString(), QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(column(id, QStringLiteral("Ragione")).toString(), QStringLiteral("Rossi Mario"));
    const QVariant citta = column(id, QStringLiteral("Città"));
    EXPECT_FALSE(citta.isNull());
    EXPECT_EQ(citta.toString(), QString());
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Anagrafica WHERE Ragione2 IS NULL"))
                  .value()
                  .toInt(),
              0);

    c.id = id + 1;
    EXPECT_FALSE(CustomerStore::update(c).value());
    ASSERT_FALSE(Database::exec(QStringLiteral("UPDATE Anagrafica SET Valid = 0 WHERE Id = ?"), {id}));
    c.id = id;
    c.nome = QStringLiteral("CAMBIATO");
    EXPECT_FALSE(CustomerStore::update(c).value());
    EXPECT_EQ(column(id, QStringLiteral("Nome")).toString(), QStringLiteral("ROSSI MARIO"));
}

TEST(CustomerStore, NextIdFollowsTheKeysAndHasNo16BitLimit) {
    TestWorkDir dir;
    EXPECT_EQ(CustomerStore::nextId().value(), 1);
    add(QStringLiteral("UNO"));
    EXPECT_EQ(CustomerStore::nextId().value(), 2);
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Id, Nome) VALUES (32767, 'ALTO')")));
    EXPECT_EQ(CustomerStore::nextId().value(), 32768);
    EXPECT_EQ(add(QStringLiteral("OLTRE")), 32768);
    // A deleted customer keeps its code; a removed last row does not give its code away again.
    ASSERT_FALSE(Database::exec(QStringLiteral("DELETE FROM Anagrafica WHERE Id = 32768")));
    EXPECT_EQ(CustomerStore::nextId().value(), 32769);
    EXPECT_EQ(add(QStringLiteral("ANCORA")), 32769);
}

TEST(RegistryDemo, FillsBelievableCustomersInOneGo) {
    TestWorkDir dir;
    ASSERT_FALSE(RegistryDemo::fill());
    const QStringList all = names();
    EXPECT_GE(all.size(), 18);
    EXPECT_LE(all.size(), 25);
    bool apostrophe = false;
    for (const QString& n : all) {
        EXPECT_EQ(n, n.toUpper());
        EXPECT_FALSE(CustomerStore::nameTaken(n, CustomerStore::findValid(n).value()->id).value())
            << n.toStdString();
        apostrophe = apostrophe || n.contains(u'\'');
    }
    EXPECT_TRUE(apostrophe);
    EXPECT_GT(
        Database::scalar(QStringLiteral("SELECT count(*) FROM Anagrafica WHERE Città LIKE '%ì' OR Città LIKE "
                                        "'%ù' OR Città LIKE '%è'"))
            .value()
            .toInt(),
        0);
    EXPECT_EQ(
        Database::scalar(QStringLiteral("SELECT count(*) FROM Anagrafica WHERE Ragione = '' OR Città = ''"))
            .value()
            .toInt(),
        0);
}

TEST(RegistryDemo, AddsNothingWhenAnInsertFails) {
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral(
        "CREATE TRIGGER NoFerrari BEFORE INSERT ON Anagrafica WHEN NEW.Nome = 'FERRAMENTA GALLI' "
        "BEGIN SELECT RAISE(ABORT, 'rifiutato'); END")));
    EXPECT_TRUE(RegistryDemo::fill().has_value());
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Anagrafica")).value().toInt(), 0);
}
