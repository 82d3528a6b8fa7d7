#include "../printing/pdfprobe.h"
#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoicepaper.h"
#include "invoicetest.h"
#include "printing/pdfcommand.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QFile>
#include <QTextStream>

namespace {

// Invoice 12/26 of a spacer and `rows` - 1 rows of 2,5 x 1234,50, with the withholding.
struct StoredInvoice {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    Invoice inv;
    QString errors;
    QTextStream err{&errors};

    explicit StoredInvoice(int rows)
    {
        EXPECT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Piva, Indirizzo, Cap, Città, Prov) "
                                    "VALUES ('CITTÀ NUOVA', 'Città Nuova Srl', '0999', 'Via Verdi 2', '40100', "
                                    "'Bologna', 'BO')"_s));
        EXPECT_FALSE(Database::exec(u"INSERT INTO Azienda (Riga1, Riga2) VALUES ('FERRO ROSSI', 'Carpenteria')"_s));
        const qint64 id = Database::scalar(u"SELECT max(Id) FROM Anagrafica"_s).value().toLongLong();
        inv = sampleInvoice(u"12/26"_s, id, QDate(2026, 3, 5));
        inv.ra = true;
        inv.note = u"Consegna in cantiere\nPagamento a 30 giorni"_s;
        inv.rows = {InvoiceRules::rigaVuota(1)};
        for (int i = 2; i <= rows; ++i)
            inv.rows.append({i, u"Cancellata%1"_s.arg(i), dec("2.5"), dec("1234.5")});
        issue(inv);
    }
    QString out() const { return dir.path(u"fattura.pdf"_s); }
    int run(const QString& num)
    {
        const int status = PdfCommand::run({u"fattura"_s, num, u"-o"_s, out()}, err);
        err.flush();
        return status;
    }
};

} // namespace

TEST(InvoicePdf, CommandWritesTheStoredInvoice)
{
    StoredInvoice s(20);
    app().margineLaterale = 4;
    ASSERT_EQ(s.run(u"12/26"_s), 0) << s.errors.toStdString();
    EXPECT_TRUE(s.errors.isEmpty()) << s.errors.toStdString();
    ASSERT_EQ(PdfProbe::pages(s.out()), 2);
    EXPECT_EQ(PdfProbe::pageSize(s.out()).left(3), u"595"_s);

    // The pages each word is read on. The spacer is the first of 18 rows on the first page; the
    // totals only on the last one.
    const auto words = PdfProbe::words(s.out());
    QStringList found;
    for (const QString& w :
         {u"FATTURA"_s, u"12/2026"_s, u"05/03/2026"_s, u"Bologna"_s, u"cantiere"_s, u"FERRO"_s, u"1/2"_s, u"2/2"_s,
          u"Cancellata18"_s, u"Cancellata19"_s, u"3.086,25"_s, u"TOTALE"_s, u"IMPONIBILE"_s}) {
        QStringList on;
        for (const int page : {1, 2})
            if (PdfProbe::find(words, w, page))
                on << QString::number(page);
        found << w + u':' + on.join(u',');
    }
    EXPECT_EQ(found.join(u' '), u"FATTURA:1,2 12/2026:1,2 05/03/2026:1,2 Bologna:1,2 cantiere:1,2 FERRO:1,2 "
                                "1/2:1 2/2:2 Cancellata18:1 Cancellata19:2 3.086,25:1,2 TOTALE:2 IMPONIBILE:2"_s);

    // A printed copy: full size with the side margin of the settings.
    const auto* cliente = PdfProbe::find(words, u"CLIENTE"_s, 1);
    ASSERT_NE(cliente, nullptr);
    EXPECT_NEAR(cliente->xMin, (4 + InvoiceLayout::kX0 + 99) * PdfProbe::kPointsPerMm, 0.8);
    EXPECT_NEAR(cliente->yMin, 52 * PdfProbe::kPointsPerMm, 1.5);
}

TEST(InvoicePdf, UnknownNumberWritesNothing)
{
    StoredInvoice s(3);
    EXPECT_TRUE(PdfCommand::kinds().contains(u"fattura"_s));
    EXPECT_EQ(s.run(u"99/26"_s), 1);
    EXPECT_TRUE(s.errors.contains(u"Fattura \"99/26\" non trovata"_s)) << s.errors.toStdString();
    // The number is matched as stored, not as a pattern.
    EXPECT_EQ(s.run(u"%/26"_s), 1);
    EXPECT_FALSE(QFile::exists(s.out()));
    EXPECT_FALSE(InvoicePaper::datiFattura(u"1/26"_s).value().has_value());
}
