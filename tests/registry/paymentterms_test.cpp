#include "registry/bankcodes.h"
#include "registry/customerpaymentstore.h"
#include "registry/paymentterms.h"
#include "registry/paymenttermstore.h"
#include "registrytest.h"
#include "workdir.h"

#include <gtest/gtest.h>

namespace {

Decimal quota(const char* text)
{
    return Decimal::fromString(QString::fromLatin1(text)).value();
}

PaymentTerm term(const QString& descrizione, const QString& modalita, const QList<TermInstalment>& rate)
{
    return PaymentTerm{0, descrizione, modalita, rate};
}

// A term as "Descrizione|MP..|giorni[fm]:quota ..." so one check sees all of it.
QString text(const PaymentTerm& t)
{
    QStringList rate;
    for (const TermInstalment& r : t.rate)
        rate << QString::number(r.giorni) + (r.fineMese ? u"fm"_s : QString()) + u':' + r.quota.toString();
    return t.descrizione + u'|' + t.modalita + u'|' + rate.join(u' ');
}

QString termRows()
{
    return dbRows(u"SELECT C.Id, C.Descrizione, C.Modalita, R.Ord, R.Giorni, R.FineMese, R.Quota FROM "
                  "CondizioniPagamento C LEFT JOIN RateCondizioni R ON R.IdCondizione = C.Id ORDER BY C.Id, R.Ord"_s);
}

} // namespace

TEST(PaymentTerms, ATermIsRefusedWithItsReason)
{
    const TermInstalment intera{30, true, quota("100")};
    const struct {
        const char* what;
        PaymentTerm term;
        QString reason; // empty: accepted
    } cases[] = {
        {"one instalment", term(u"Ri.Ba. 30 gg f.m."_s, u"MP12"_s, {intera}), {}},
        {"shares to the cent",
         term(u"3 rate"_s, u"MP05"_s,
              {{30, false, quota("33.33")}, {60, false, quota("33.33")}, {90, false, quota("33.34")}}),
         {}},
        {"no description", term(u"  "_s, u"MP12"_s, {intera}), u"Descrizione della condizione di pagamento mancante"_s},
        {"unknown method", term(u"X"_s, u"MP99"_s, {intera}), u"Modalità di pagamento sconosciuta: \"MP99\""_s},
        {"no instalment", term(u"X"_s, u"MP01"_s, {}), u"La condizione di pagamento deve avere almeno una rata"_s},
        {"days past a year", term(u"X"_s, u"MP05"_s, {{30, false, quota("50")}, {366, false, quota("50")}}),
         u"Rata 2: i giorni vanno da 0 a 365"_s},
        {"negative days", term(u"X"_s, u"MP05"_s, {{-1, false, quota("100")}}), u"Rata 1: i giorni vanno da 0 a 365"_s},
        {"shares short of 100", term(u"X"_s, u"MP12"_s, {{30, true, quota("33.33")}, {60, true, quota("33.33")}}),
         u"Le quote delle rate sommano a 66,66 %, non a 100 %"_s},
        {"shares past 100", term(u"X"_s, u"MP12"_s, {{30, true, quota("60")}, {60, true, quota("50")}}),
         u"Le quote delle rate sommano a 110 %, non a 100 %"_s},
        {"a zero share", term(u"X"_s, u"MP12"_s, {{30, true, quota("0")}, {60, true, quota("100")}}),
         u"Rata 1: la quota deve essere maggiore di 0 e non oltre 100 %"_s},
        {"a share of three decimals",
         term(u"X"_s, u"MP12"_s, {{30, true, quota("33.333")}, {60, true, quota("66.667")}}),
         u"Rata 1: la quota ha al massimo due decimali"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PaymentTerms::errore(c.term), c.reason) << c.what;
    EXPECT_EQ(PaymentTerms::nomeModalita(u"MP12"_s), u"Ri.Ba."_s);
}

TEST(BankCodes, IbanCheckDigitsLengthAndWriting)
{
    const struct {
        const char* iban;
        bool valid;
    } cases[] = {
        {"IT60X0542811101000000123456", true},
        {"it60 x054 2811 1010 0000 0123 456", true}, // as printed on a letter, lower case
        {"SM86U0322509800000000270100", true},
        {"DE89370400440532013000", true},
        {"NO9386011117947", true},
        {"XK4605121200123456", true},           // a country outside the table: the standard's bounds
        {"IT60X0542811101000000123457", false}, // one digit of the account changed
        {"IT61X0542811101000000123456", false}, // check digits changed
        {"IT90X054281110100000012345", false},  // right check digits, one character short
        {"DE543704004405320130001", false},     // right check digits, one character long
        {"I160X0542811101000000123456", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BankCodes::ibanValido(QString::fromLatin1(c.iban)), c.valid) << c.iban;
    EXPECT_EQ(BankCodes::normalizzaIban(u" it60 x054\t2811 1010 0000 0123 456 "_s), u"IT60X0542811101000000123456"_s);

    const struct {
        const char *iban, *abi, *cab;
        const char* reason; // empty: accepted
    } data[] = {
        {"", "", "", ""},
        {"IT60X0542811101000000123456", "05428", "11101", ""},
        {"IT60X0542811101000000123457", "", "", "IBAN non valido"},
        {"", "5428", "11101", "Codice ABI non valido"},
        {"", "030690", "11101", "Codice ABI non valido"},
        {"", "05428", "1110A", "Codice CAB non valido"},
        {"", "05428", "", "vanno indicati entrambi"},
    };
    for (const auto& c : data) {
        const QString why =
            BankCodes::errore(QString::fromLatin1(c.iban), QString::fromLatin1(c.abi), QString::fromLatin1(c.cab));
        EXPECT_TRUE(*c.reason ? why.contains(QString::fromLatin1(c.reason)) : why.isEmpty())
            << c.iban << " " << why.toStdString();
    }
}

TEST(PaymentTermStore, ATermInUseIsNotRemoved)
{
    TestWorkDir dir;
    PaymentTerm prova = term(u" Prova "_s, u"MP12"_s, {{30, true, quota("40")}, {60, true, quota("60")}});
    const qint64 id = PaymentTermStore::save(prova).value();
    // Changed to fewer instalments: none left over.
    prova.id = id;
    prova.rate = {{45, false, quota("100")}};
    ASSERT_TRUE(PaymentTermStore::save(prova));
    EXPECT_EQ(text(PaymentTermStore::load(id).value().value()), u"Prova|MP12|45:100"_s);
    const qint64 rossi = addCustomer(u"ROSSI"_s);
    ASSERT_FALSE(CustomerPaymentStore::save(rossi, {id, {}, u"05428"_s, u"11101"_s, u"Banca"_s}));
    // An invoice naming it with an instalment still to collect.
    Database::exec(u"INSERT INTO FatturePagamento (Num, IdCondizione) VALUES ('1/26', ?)"_s, {id});
    Database::exec(u"INSERT INTO Scadenze (Num, Rata, Data, Importo, Modalita) VALUES ('1/26', 1, '2026-02-28', 10, "
                   "'MP12')"_s);
    const QString before = termRows();
    const DbStatus both = PaymentTermStore::remove(id);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->number, PaymentTermStore::InUso);
    EXPECT_EQ(both->text, u"La condizione di pagamento non può essere eliminata: la usano 1 cliente e 1 fattura con "
                          "rate da incassare"_s);
    ASSERT_FALSE(CustomerPaymentStore::save(rossi, {0, {}, u"05428"_s, u"11101"_s, u"Banca"_s}));
    EXPECT_TRUE(PaymentTermStore::remove(id));
    EXPECT_EQ(termRows(), before);
    // Once the invoice is collected it may go.
    Database::exec(u"UPDATE Scadenze SET Pagata = 'X'"_s);
    EXPECT_FALSE(PaymentTermStore::remove(id));
    EXPECT_FALSE(PaymentTermStore::load(id).value().has_value());
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM RateCondizioni WHERE IdCondizione = ?"_s, {id}), u"0"_s);
    // Refused with its reason and nothing written: a new term whose shares are short of 100, this one once gone.
    const QString gone = termRows();
    const PaymentTerm storta = term(u"Storta"_s, u"MP05"_s, {{30, false, quota("50")}, {60, false, quota("49.99")}});
    EXPECT_EQ(PaymentTermStore::save(storta).error().text, PaymentTerms::errore(storta));
    for (const PaymentTerm& t : {storta, prova})
        EXPECT_EQ(PaymentTermStore::save(t).error().number, PaymentTermStore::Rifiutata) << t.descrizione.toStdString();
    EXPECT_EQ(termRows(), gone);
}
