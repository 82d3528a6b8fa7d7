#include "invoices/ribacommand.h"
#include "invoices/ribapresentation.h"
#include "ribatest.h"
#include "workdir.h"

#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <functional>

namespace {

using namespace RibaData;

const QDateTime kQuando(QDate(2026, 2, 5), QTime(14, 30));

// Bianchi: 1/26 of 15/01 on Ri.Ba. 30/60 end of month (28/02 and 31/03); Verdi: 2/26 of 20/01 on
// Ri.Ba. 30 end of month (28/02); Neri, without a bank: 3/26 of 10/03 (30/04); Gialli: 4/26 of 25/01
// by transfer (24/02).
struct RibaPresentationTest : ::testing::Test {
    TestWorkDir dir;
    qint64 verdi = 0;

    RibaPresentationTest()
    {
        azienda();
        fattura(u"1/26"_s, cliente(u"BIANCHI"_s, u"05034"_s, u"11101"_s), QDate(2026, 1, 15),
                termine(u"Ri.Ba. 30/60 gg f.m."_s));
        verdi = cliente(u"VERDI"_s, u"08304"_s, u"01802"_s);
        fattura(u"2/26"_s, verdi, QDate(2026, 1, 20), termine(u"Ri.Ba. 30 gg f.m."_s));
        fattura(u"3/26"_s, cliente(u"NERI"_s), QDate(2026, 3, 10), termine(u"Ri.Ba. 30 gg f.m."_s));
        fattura(u"4/26"_s, cliente(u"GIALLI"_s, u"03069"_s, u"01600"_s), QDate(2026, 1, 25),
                termine(u"Bonifico 30 gg d.f."_s));
    }

    static RibaPresentation::Distinta prepara(QDate da, QDate a)
    {
        auto d = RibaPresentation::prepara(da, a);
        EXPECT_TRUE(d.ok()) << (d ? std::string() : d.error().text.toStdString());
        return d ? d.value() : RibaPresentation::Distinta{};
    }
};

// By date, then invoice.
const QString kNessunaMarcata = u"4/26 1 24/02/26 158.60\n1/26 1 28/02/26 79.30\n2/26 1 28/02/26 158.60\n"
                                "1/26 2 31/03/26 79.30\n3/26 1 30/04/26 158.60"_s;

} // namespace

TEST_F(RibaPresentationTest, TheCommandPresentsTheRibaOfThePeriodOnce)
{
    const QString file = dir.path(u"RIBA.txt"_s);
    QString o, e;
    const auto run = [&](const QStringList& args) {
        o.clear();
        e.clear();
        QTextStream out(&o), err(&e);
        return RibaCommand::run(args, out, err, kQuando);
    };
    const std::tuple<QStringList, int, QString> refused[] = {
        {{}, 1, u"Uso: corvalisto [--dir CARTELLA] riba --da GG/MM/AAAA --a GG/MM/AAAA -o FILE\n"_s},
        {{u"--da"_s, u"30/02/2026"_s, u"--a"_s, u"28/02/2026"_s, u"-o"_s, file},
         1,
         u"Data non valida per --da: \"30/02/2026\" (GG/MM/AAAA).\n"_s},
        {{u"--da"_s, u"01/01/2025"_s, u"--a"_s, u"31/01/2025"_s, u"-o"_s, file},
         0,
         u"Nessuna Ri.Ba. da presentare dal 01/01/25 al 31/01/25: nessun file scritto.\n"_s},
    };
    for (const auto& [args, exit, message] : refused) {
        EXPECT_EQ(run(args), exit) << args.join(u' ').toStdString();
        EXPECT_EQ(e + o, message);
    }

    // The program itself: a refusal (Neri has no bank) exits 1 writing nothing.
    QProcess p;
    p.start(QStringLiteral(CORVALISTO_EXE),
            QStringList{u"--dir"_s, dir.path()} + TestWorkDir::databaseOptions() +
                QStringList{u"riba"_s, u"--da"_s, u"1/4/2026"_s, u"--a"_s, u"30/04/2026"_s, u"-o"_s, file});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(u"NERI (fattura 3/26)"_s));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(rate(), kNessunaMarcata);

    // February and March: the customers' banks and towns on the receipts, by date then invoice.
    const RibaFile::Ricevuta r = prepara(QDate(2026, 2, 1), QDate(2026, 3, 31)).ricevute.value(1);
    EXPECT_EQ(QStringList({QString::number(r.numero), r.debitore, r.abi + r.cab, r.comune, r.banca}).join(u'|'),
              u"2|VERDI S.r.l.|0830401802|Bergamo|Banca di VERDI"_s);
    ASSERT_EQ(run({u"--da"_s, u"01/02/2026"_s, u"--a"_s, u"31/03/2026"_s, u"-o"_s, file}), 0) << e.toStdString();
    const qint64 id = DueDateStore::presentazioni().value().value(0).id;
    EXPECT_EQ(o, u"Presentazione n. %2: 3 Ri.Ba. per € 317,20 in \"%1\".\n"
                 "  28/02/26  Fatt. 1/26 del 15/01/26 rata 1/2  BIANCHI S.r.l.  € 79,30\n"
                 "  28/02/26  Fatt. 2/26 del 20/01/26 rata 1/1  VERDI S.r.l.  € 158,60\n"
                 "  31/03/26  Fatt. 1/26 del 15/01/26 rata 2/2  BIANCHI S.r.l.  € 79,30\n"_s.arg(file)
                     .arg(id));
    const QStringList recs = records(dir.read(u"RIBA.txt"_s));
    ASSERT_EQ(recs.size(), 2 + 3 * 7);
    EXPECT_EQ(field(recs[0], "IB", "nomeSupporto").trimmed() + u' ' + field(recs[0], "IB", "dataCreazione"),
              u"RIBA20260205143000 050226"_s);
    EXPECT_EQ(field(recs[8], "14", "abiDomiciliataria") + field(recs[8], "14", "scadenza"), u"08304280226"_s);
    EXPECT_EQ(field(recs.last(), "EF", "numeroDisposizioni") + u' ' + field(recs.last(), "EF", "totaleNegativi"),
              u"0000003 000000000031720"_s);

    // Marked in one presentation, and not offered again.
    EXPECT_EQ(rate(), u"4/26 1 24/02/26 158.60\n1/26 1 28/02/26 79.30 #%1\n2/26 1 28/02/26 158.60 #%1\n"
                      "1/26 2 31/03/26 79.30 #%1\n3/26 1 30/04/26 158.60"_s.arg(id));
    EXPECT_EQ(presentazioni(), u"#%1 05/02/26 RIBA.txt 3 317.20"_s.arg(id));
    EXPECT_TRUE(prepara(QDate(2026, 2, 1), QDate(2026, 3, 31)).rate.isEmpty());

    // Cancelled as a whole: offered again, and the earlier file of the same kind is replaced.
    ASSERT_FALSE(DueDateStore::annullaPresentazione(id));
    EXPECT_EQ(rate(), kNessunaMarcata);
    const RibaPresentation::Distinta again = prepara(QDate(2026, 2, 1), QDate(2026, 2, 28));
    const auto id2 = RibaPresentation::presenta(again, file, kQuando.addDays(1));
    ASSERT_TRUE(id2.ok()) << id2.error().text.toStdString();
    EXPECT_EQ(records(dir.read(u"RIBA.txt"_s)).size(), 2 + 2 * 7);
    EXPECT_EQ(presentazioni(), u"#%1 06/02/26 RIBA.txt 2 237.90"_s.arg(id2.value()));
}

TEST_F(RibaPresentationTest, RefusalsWriteAndMarkNothing)
{
    // A file of another kind is never replaced nor a folder made; every customer without a bank is named.
    dir.write(u"lettera.txt"_s, "Cara banca");
    const std::tuple<std::function<void()>, int, const char*, QString> cases[] = {
        {[] {}, 2, "lettera.txt", u"non è un file Ri.Ba."_s},
        {[] {}, 2, "manca/RIBA.txt", u"cartella"_s},
        {[this] { ASSERT_FALSE(CustomerPaymentStore::save(verdi, {})); }, 4, "RIBA.txt",
         u"VERDI (fattura 2/26)|NERI (fattura 3/26)"_s},
    };
    for (const auto& [cambia, a, file, parole] : cases) {
        SCOPED_TRACE(file);
        cambia();
        const QByteArray before = dir.read(QString::fromLatin1(file));
        const auto d = RibaPresentation::prepara(QDate(2026, 2, 1), QDate(2026, a + 1, 1).addDays(-1));
        const auto outcome = d ? RibaPresentation::presenta(d.value(), dir.path(QString::fromLatin1(file)), kQuando)
                               : DbResult<qint64>(d.error());
        ASSERT_FALSE(outcome.ok());
        for (const QString& parola : parole.split(u'|'))
            EXPECT_TRUE(outcome.error().text.contains(parola)) << outcome.error().text.toStdString();
        EXPECT_EQ(dir.read(QString::fromLatin1(file)), before);
        EXPECT_EQ(rate() + presentazioni(), kNessunaMarcata);
    }
}

TEST_F(RibaPresentationTest, AnotherSeatPresentingMeanwhileLeavesNoFile)
{
    const RibaPresentation::Distinta d = prepara(QDate(2026, 2, 1), QDate(2026, 2, 28));
    ASSERT_EQ(d.rate.size(), 2);
    // The other seat presents Verdi's instalment between the reading and the writing.
    const auto other = DueDateStore::presenta({{u"2/26"_s, 1}}, QDate(2026, 2, 5), u"ALTRA.txt"_s);
    ASSERT_TRUE(other.ok());
    const auto mine = RibaPresentation::presenta(d, dir.path(u"RIBA.txt"_s), kQuando);
    ASSERT_FALSE(mine.ok());
    EXPECT_TRUE(mine.error().text.contains(u"2/26"_s)) << mine.error().text.toStdString();
    EXPECT_FALSE(QFile::exists(dir.path(u"RIBA.txt"_s)));
    EXPECT_EQ(presentazioni(), u"#%1 05/02/26 ALTRA.txt 1 158.60"_s.arg(other.value()));
}
