#include "invoices/ribafile.h"
#include "invoicetest.h"

#include <QFile>
#include <QRegularExpression>
#include <functional>

namespace {

RibaFile::Creditore creditore()
{
    RibaFile::Creditore c;
    c.ragioneSociale = u"Officina Rossi S.n.c."_s;
    c.indirizzo = u"Via dei Fabbri 12"_s;
    c.localita = u"20121 Milano MI"_s;
    c.partitaIva = u"01234567890"_s;
    c.banca = CompanyBank{u"A1B2C"_s, u"03069"_s, u"09400"_s, u"123456"_s, u"Banca Esempio"_s};
    return c;
}

// The two receipts of the hand-written file: one plain, one with accents, a long name and a sign
// outside the banks' set.
QList<RibaFile::Ricevuta> dueRicevute()
{
    RibaFile::Ricevuta a;
    a.numero = 1;
    a.scadenza = QDate(2026, 1, 31);
    a.importo = dec("1220");
    a.debitore = u"Carpenteria Bianchi & C. S.r.l."_s;
    a.codiceFiscale = u"09876543210"_s;
    a.indirizzo = u"Via Roma n° 1"_s;
    a.cap = u"24100"_s;
    a.comune = u"Bergamo"_s;
    a.provincia = u"BG"_s;
    a.abi = u"05034"_s;
    a.cab = u"11101"_s;
    a.banca = u"Banco BPM Bergamo"_s;
    a.riferimento = u"Fatt. 12/26 del 15/01/26 rata 1/1"_s;
    a.codiceCliente = u"7"_s;

    RibaFile::Ricevuta b;
    b.numero = 2;
    b.scadenza = QDate(2026, 2, 28);
    b.importo = dec("333.34");
    b.debitore = u"Società Agricola Àlpina di Nicolò Perù e Figli Srl"_s;
    b.codiceFiscale = u"RSSMRA80A01F205X"_s;
    b.indirizzo = u"Piazza Università 3"_s;
    b.cap = u"38122"_s;
    b.comune = u"Trento"_s;
    b.provincia = u"tn"_s;
    b.abi = u"08304"_s;
    b.cab = u"01802"_s;
    b.banca = u"Cassa Rurale di Trento"_s;
    b.riferimento = u"Fatt. 13/26 del 20/01/26 rata 2/3"_s;
    b.codiceCliente = u"15"_s;
    return {a, b};
}

QByteArray scrivi(const QList<RibaFile::Ricevuta>& r)
{
    return RibaFile::scrivi(creditore(), r, QDate(2026, 2, 5), u"CORVALISTO0001"_s);
}

// The file's records without their CR LF; a record not ending so fails the test.
QStringList records(const QByteArray& file)
{
    QStringList out;
    const QString text = QString::fromLatin1(file);
    EXPECT_TRUE(text.endsWith(u"\r\n"_s));
    for (const QString& line : text.split(u"\r\n"_s)) {
        if (line.isEmpty())
            continue;
        EXPECT_EQ(line.size(), RibaFile::kLunghezzaRecord) << line.toStdString();
        EXPECT_FALSE(line.contains(u'\n') || line.contains(u'\r')) << line.toStdString();
        out << line;
    }
    return out;
}

QString field(const QString& record, const char* tipo, const char* nome)
{
    const RibaFile::Campo* c = RibaFile::campo(tipo, nome);
    EXPECT_NE(c, nullptr) << tipo << " " << nome;
    return c ? record.mid(c->inizio - 1, c->lunghezza) : QString();
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
        r.debitore =
            QString(u"Ditta %1 con una ragione sociale che non entra nei due segmenti del record trenta"_s).arg(i + 1);
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
    const QByteArray written = scrivi(dueRicevute());
    const QStringList want = records(expected);
    const QStringList got = records(written);
    ASSERT_EQ(got.size(), want.size());
    for (int i = 0; i < want.size(); ++i)
        EXPECT_EQ(got[i], want[i]) << "record " << i + 1;
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
        const QStringList recs = records(scrivi(r));
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
    const struct {
        const char* caso;
        std::function<void(RibaFile::Creditore&, QList<RibaFile::Ricevuta>&)> cambia;
        QString parola;
    } cases[] = {
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
    for (const auto& c : cases) {
        RibaFile::Creditore cr = creditore();
        QList<RibaFile::Ricevuta> r = dueRicevute();
        c.cambia(cr, r);
        const QString e = RibaFile::errore(cr, r);
        if (c.parola.isEmpty())
            EXPECT_EQ(e, QString()) << c.caso;
        else
            EXPECT_TRUE(e.contains(c.parola)) << c.caso << ": " << e.toStdString();
    }
}
