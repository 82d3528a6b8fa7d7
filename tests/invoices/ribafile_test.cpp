#include "ribatest.h"

#include <QFile>
#include <QRegularExpression>
#include <functional>

namespace {

using namespace RibaData;

RibaFile::Creditore creditore()
{
    return {u"Officina Rossi S.n.c."_s, u"Via dei Fabbri 12"_s, u"20121 Milano MI"_s, u"01234567890"_s,
            CompanyBank{u"A1B2C"_s, u"03069"_s, u"09400"_s, u"123456"_s, u"Banca Esempio"_s}};
}

// The two receipts of the hand-written file: one plain, one with accents, a long name and a sign
// outside the banks' set.
QList<RibaFile::Ricevuta> dueRicevute()
{
    return {{1, QDate(2026, 1, 31), dec("1220"), u"Carpenteria Bianchi & C. S.r.l."_s, u"09876543210"_s,
             u"Via Roma n° 1"_s, u"24100"_s, u"Bergamo"_s, u"BG"_s, u"05034"_s, u"11101"_s, u"Banco BPM Bergamo"_s,
             u"Fatt. 12/26 del 15/01/26 rata 1/1"_s, u"7"_s},
            {2, QDate(2026, 2, 28), dec("333.34"), u"Società Agricola Àlpina di Nicolò Perù e Figli Srl"_s,
             u"RSSMRA80A01F205X"_s, u"Piazza Università 3"_s, u"38122"_s, u"Trento"_s, u"tn"_s, u"08304"_s, u"01802"_s,
             u"Cassa Rurale di Trento"_s, u"Fatt. 13/26 del 20/01/26 rata 2/3"_s, u"15"_s}};
}

// n receipts with amounts of 0,01, 1,10, 12,34 ... and a long name each.
QList<RibaFile::Ricevuta> ricevute(int n)
{
    QList<RibaFile::Ricevuta> out;
    const QList<RibaFile::Ricevuta> base = dueRicevute();
    for (int i = 0; i < n; ++i) {
        RibaFile::Ricevuta r = base[i % 2];
        r.numero = i + 1;
        r.importo = Decimal(i * 1233 + 1).dividedBy(100);
        r.debitore = u"Ditta %1 con una ragione sociale che non entra nei due segmenti del record trenta"_s.arg(i + 1);
        out << r;
    }
    return out;
}

} // namespace

TEST(RibaFile, HandWrittenFileByteForByte)
{
    QFile f(QStringLiteral(CORVALISTO_SOURCE_DIR "/tests/invoices/data/riba_atteso.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray expected = f.readAll();
    const QByteArray written = RibaFile::scrivi(creditore(), dueRicevute(), QDate(2026, 2, 5), u"CORVALISTO0001"_s);
    EXPECT_EQ(records(written), records(expected)); // record by record, to show where they differ
    EXPECT_EQ(written, expected);
}

TEST(RibaFile, EveryFieldPaddedAsTheTableSaysTheFooterCountsAndSums)
{
    // Over receipts whose texts overflow their fields, every field keeps its place: numeric ones
    // digits only (or blank when unused), the others upper case, left aligned, in the banks' set.
    static const QRegularExpression numeric(u"^(\\d+| +)$"_s);
    static const QRegularExpression alpha(u"^([A-Z0-9.,\\-/'()+&:?][A-Z0-9 .,\\-/'()+&:?]*)? *$"_s);
    const char* const perRicevuta[] = {"14", "20", "30", "40", "50", "51", "70"};
    for (const int n : {1, 3, 40}) {
        SCOPED_TRACE(n);
        const QList<RibaFile::Ricevuta> r = ricevute(n);
        const QStringList recs = records(RibaFile::scrivi(creditore(), r, QDate(2026, 2, 5), u"CORVALISTO0001"_s));
        ASSERT_EQ(recs.size(), 2 + 7 * n);
        for (int i = 0; i < recs.size(); ++i) {
            const QByteArray tipo = i == 0                 ? QByteArray("IB")
                                    : i == recs.size() - 1 ? QByteArray("EF")
                                                           : QByteArray(perRicevuta[(i - 1) % 7]);
            EXPECT_EQ(recs[i].left(3), u' ' + QString::fromLatin1(tipo)) << "record " << i + 1;
            for (const RibaFile::Campo& c : RibaFile::tracciato()) {
                const QString v = recs[i].mid(c.inizio - 1, c.lunghezza);
                EXPECT_TRUE(tipo != c.record || (c.numerico ? numeric : alpha).match(v).hasMatch())
                    << c.record << " " << c.nome << " [" << v.toStdString() << "]";
            }
            EXPECT_TRUE(tipo == "IB" || tipo == "EF" || field(recs[i], tipo, "progressivo").toInt() == (i - 1) / 7 + 1)
                << "record " << i + 1;
        }
        // The footer: receipts, total in cents, records, and the header's names again.
        qint64 cents = 0;
        for (const auto& x : r)
            cents += (x.importo * Decimal(100)).integerPart();
        const QString& ef = recs.last();
        EXPECT_EQ(field(ef, "EF", "numeroDisposizioni").toInt(), n);
        EXPECT_EQ(field(ef, "EF", "totaleNegativi").toLongLong(), cents);
        EXPECT_EQ(field(ef, "EF", "numeroRecord").toInt(), recs.size());
        for (const char* nome : {"mittente", "ricevente", "dataCreazione", "nomeSupporto"})
            EXPECT_EQ(field(ef, "EF", nome), field(recs.first(), "IB", nome)) << nome;
    }
}

TEST(RibaFile, RefusedData)
{
    // What is changed in the two good receipts -> a word the refusal must carry (empty: accepted).
    const std::tuple<const char*, std::function<void(RibaFile::Creditore&, QList<RibaFile::Ricevuta>&)>, QString>
        cases[] = {
            {"good", [](auto&, auto&) {}, QString()},
            {"no ABI", [](auto&, auto& r) { r[1].abi.clear(); }, u"Società Agricola"_s},
            {"short CAB", [](auto&, auto& r) { r[0].cab = u"1110"_s; }, u"ABI e CAB"_s},
            {"letters in ABI", [](auto&, auto& r) { r[0].abi = u"0503A"_s; }, u"Carpenteria Bianchi"_s},
            {"zero amount", [](auto&, auto& r) { r[0].importo = Decimal(); }, u"maggiore di zero"_s},
            {"negative", [](auto&, auto& r) { r[1].importo = dec("-5"); }, u"rata 2/3"_s},
            {"half a cent", [](auto&, auto& r) { r[1].importo = dec("0.004"); }, u"maggiore di zero"_s},
            {"too large", [](auto&, auto& r) { r[1].importo = dec("100000000000"); }, u"troppo grande"_s},
            {"no due date", [](auto&, auto& r) { r[0].scadenza = QDate(); }, u"scadenza"_s},
            {"none", [](auto&, auto& r) { r.clear(); }, u"Nessuna"_s},
            {"no SIA", [](auto& c, auto&) { c.banca.sia.clear(); }, u"SIA"_s},
            {"company ABI", [](auto& c, auto&) { c.banca.abi = u"123"_s; }, u"ABI"_s},
        };
    for (const auto& [caso, cambia, parola] : cases) {
        RibaFile::Creditore cr = creditore();
        QList<RibaFile::Ricevuta> r = dueRicevute();
        cambia(cr, r);
        const QString e = RibaFile::errore(cr, r);
        EXPECT_TRUE(parola.isEmpty() ? e.isEmpty() : e.contains(parola)) << caso << ": " << e.toStdString();
    }
}
