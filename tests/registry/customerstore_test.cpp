#include "data/customerlist.h"
#include "registry/registrydemo.h"
#include "registrytest.h"
#include "twoseats.h"
#include "workdir.h"

#include <gtest/gtest.h>

namespace {

bool taken(const QString& nome, qint64 exceptId = 0)
{
    return CustomerStore::nameTaken(nome, exceptId).value();
}

bool drop(const QString& nome)
{
    return CustomerStore::remove(nome).value();
}

qint64 found(const QString& nome)
{
    return CustomerStore::findValid(nome).value().value_or(Customer()).id;
}

} // namespace

TEST(CustomerStore, NamesFilterByInitialsLiterallyAndSkipDeletedRows)
{
    TestWorkDir dir;
    for (const QString& n :
         {u"ROSSI"_s, u"ZANETTI"_s, u"ESPOSITO"_s, u"ÈLITE"_s, u"ANTONELLI"_s, u"ebano srl"_s, QString(), u"%SCONTI"_s,
          u"_UNDER"_s, u"L'OFFICINA"_s, u"LOFFICINA"_s, u"EMME"_s, u"édilizia minuscola"_s})
        addCustomer(n);
    ASSERT_TRUE(drop(u"EMME"_s));
    // initials -> names shown, ignoring case and accents; lower-case initials too, the empty name
    // only in the full list
    const std::pair<QString, QString> cases[] = {
        {u""_s, u",%SCONTI,_UNDER,ANTONELLI,ebano srl,édilizia minuscola,ÈLITE,ESPOSITO,L'OFFICINA,LOFFICINA,ROSSI,"
                "ZANETTI"_s},
        {u"EF"_s, u"ebano srl,édilizia minuscola,ÈLITE,ESPOSITO"_s},
        {u"%"_s, u"%SCONTI"_s},
        {u"_"_s, u"_UNDER"_s},
        {u"L"_s, u"L'OFFICINA,LOFFICINA"_s},
        {u"è"_s, u"ebano srl,édilizia minuscola,ÈLITE,ESPOSITO"_s},
        {u"X"_s, u""_s}};
    for (const auto& [initials, expected] : cases)
        EXPECT_EQ(CustomerStore::names(initials).value().join(u','), expected) << initials.toStdString();
    // The editors' customer lists follow the same order.
    const auto entries = validCustomersByName();
    QStringList listed;
    for (const CustomerEntry& e : entries.value())
        listed << e.nome;
    EXPECT_EQ(listed, CustomerStore::names().value());
}

TEST(CustomerStore, LookupDuplicateCheckAndRemoveMatchLiterallyFoldingAccents)
{
    TestWorkDir dir;
    const QStringList odd = {u"%SCONTI"_s,      u"_UNDER"_s, u"*STELLA"_s, u"L'OFFICINA"_s,
                             u"100% FERRO_*"_s, u"A_"_s,     u"A_B"_s,     u"CITTÀ SRL"_s};
    for (const QString& n : odd)
        addCustomer(n);
    for (int i = 0; i < odd.size(); ++i)
        EXPECT_EQ(found(odd[i]), i + 1);
    for (const QString& wildcard : {u"%"_s, u"_UNDEr_"_s, u"*"_s, u"A%"_s, u"L_OFFICINA"_s})
        EXPECT_FALSE(found(wildcard) || taken(wildcard)) << wildcard.toStdString();
    EXPECT_TRUE(taken(u"l'officina"_s) && taken(u"città srl"_s, 999));
    EXPECT_FALSE(taken(u"CITTA SRL"_s) || taken(u"Città srl"_s, 8)); // no accent; its own name

    ASSERT_TRUE(drop(u"A_"_s) && drop(u"città srl"_s));
    EXPECT_FALSE(taken(u"CITTÀ SRL"_s) || drop(u"CITTÀ SRL"_s));
    // Among case variants the exact name is found and removed, otherwise the oldest.
    // Case variants left by older data.
    addCustomer(u"Dell'Acqua"_s);
    ASSERT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome) VALUES (?)"_s, {u"DELL'ACQUA"_s}));
    EXPECT_EQ(found(u"DELL'ACQUA"_s), 10);
    EXPECT_EQ(found(u"dell'acqua"_s), 9);
    ASSERT_TRUE(drop(u"DELL'ACQUA"_s));
    EXPECT_EQ(dbRows(u"SELECT Valid FROM Anagrafica ORDER BY Id"_s).remove(u'\n'), u"1111101010"_s);
}

TEST(CustomerStore, CodesPassSixteenBitsAndAreNeverGivenAgain)
{
    TestWorkDir dir;
    EXPECT_EQ(CustomerStore::nextId().value(), 1);
    ASSERT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Id, Nome) VALUES (32767, 'ALTO')"_s));
    followKeys(u"Anagrafica"_s, u"Id"_s);
    EXPECT_EQ(addCustomer(u"OLTRE"_s), 32768);
    ASSERT_FALSE(Database::exec(u"DELETE FROM Anagrafica WHERE Id = 32768"_s));
    EXPECT_EQ(CustomerStore::nextId().value(), 32769);
    EXPECT_EQ(addCustomer(u"ANCORA"_s), 32769);
}

TEST(CustomerStore, TwoSeatsSavingTheSameNamesAtOnceStoreEachNameOnce)
{
    TestWorkDir dir;
    constexpr int kNames = 40;
    const auto name = [](int i) { return u"CLIENTE %1"_s.arg(i); };
    EXPECT_EQ(savedByTwoSeats(kNames,
                              [&](int i) -> DbStatus {
                                  Customer c;
                                  c.nome = name(i);
                                  const auto added = CustomerStore::insert(c);
                                  return added ? DbStatus() : added.error();
                              }),
              kNames);
    EXPECT_EQ(dbRows(u"SELECT count(*), count(DISTINCT fold(Nome)) FROM Anagrafica"_s), u"40|40"_s);
    // A rename to a name in use is refused the same way and writes nothing.
    Customer c;
    c.id = 1;
    c.nome = u"cliente 7"_s;
    EXPECT_EQ(CustomerStore::update(c).error().number, DbError::Duplicate);
    EXPECT_EQ(dbText(u"SELECT Nome FROM Anagrafica WHERE Id = 1"_s), name(0));
}
