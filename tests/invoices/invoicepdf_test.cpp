#include "../printing/pdfprobe.h"
#include "data/database.h"
#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoicepaper.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"
#include "samepages.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

Decimal dec(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text)).value();
}

struct StoredInvoice {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    Invoice inv;
    QString errors;
    QTextStream err{&errors};

    explicit StoredInvoice(int rows) {
        EXPECT_FALSE(
            Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Piva, Indirizzo, Cap, "
                                          "Città, Prov) VALUES ('CITTÀ NUOVA', 'Città Nuova Srl', "
                                          "'0999', 'Via Verdi 2', '40100', 'Bologna', 'BO')")));
        EXPECT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1, Riga2) VALUES (?, ?)"),
                                    {QStringLiteral("FERRO ROSSI"), QStringLiteral("Carpenteria")}));
        inv.num = QStringLiteral("12/26");
        inv.idAna = Database::scalar(QStringLiteral("SELECT max(Id) FROM Anagrafica")).value().toLongLong();
        inv.data = QDate(2026, 3, 5);
        inv.iva = 22;
        inv.ra = true;
        inv.note = QStringLiteral("Consegna in cantiere\nPagamento a 30 giorni");
        inv.rows.append(InvoiceRules::rigaVuota(1));
        for (int i = 2; i <= rows; ++i)
            inv.rows.append({i, QStringLiteral("Cancellata%1").arg(i), dec("2.5"), dec("1234.5")});
        inv.totale = dec("1");
        EXPECT_FALSE(InvoiceStore::issue(inv));
    }
    QString out() const { return dir.path(QStringLiteral("fattura.pdf")); }
    int run(const QString& num) {
        const int status =
            PdfCommand::run({QStringLiteral("fattura"), num, QStringLiteral("-o"), out()}, err);
        err.flush();
        return status;
    }
};

} // namespace

TEST(InvoicePdf, CommandWritesTheStoredInvoice) {
    StoredInvoice s(20);
    app().margineLaterale = 4;
    ASSERT_EQ(s.run(QStringLiteral("12/26")), 0) << s.errors.toStdString();
    EXPECT_TRUE(s.errors.isEmpty()) << s.errors.toStdString();
    ASSERT_EQ(PdfProbe::pages(s.out()), 2);
    EXPECT_EQ(PdfProbe::pageSize(s.out()).left(3), QStringLiteral("595"));

    const auto words = PdfProbe::words(s.out());
    for (const int page : {1, 2}) {
        EXPECT_NE(PdfProbe::find(words, QStringLiteral("FATTURA"), page), nullptr) << page;
        EXPECT_NE(PdfProbe::find(words, QStringLiteral("12/2026"), page), nullptr) << page;
        EXPECT_NE(PdfProbe::find(words, QStringLiteral("05/03/2026"), page), nullptr) << page;
        EXPECT_NE(PdfProbe::find(words, QStringLiteral("Bologna"), page), nullptr) << page;
        EXPECT_NE(PdfProbe::find(words, QStringLiteral("cantiere"), page), nullptr) << page;
        EXPECT_NE(PdfProbe::find(words, QStringLiteral("FERRO"), page), nullptr) << page;
    }
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("1/2"), 1), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("2/2"), 2), nullptr);
    // The spacer is the first of 18 rows on the first page.
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("Cancellata18"), 1), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("Cancellata19"), 2), nullptr);
    EXPECT_EQ(PdfProbe::find(words, QStringLiteral("Cancellata19"), 1), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("3.086,25"), 1), nullptr);
    // The totals only on the last page.
    EXPECT_EQ(PdfProbe::find(words, QStringLiteral("TOTALE"), 1), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("TOTALE"), 2), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("IMPONIBILE"), 2), nullptr);

    // A printed copy: full size with the side margin of the settings.
    const auto* cliente = PdfProbe::find(words, QStringLiteral("CLIENTE"), 1);
    ASSERT_NE(cliente, nullptr);
    EXPECT_NEAR(cliente->xMin, (4 + InvoiceLayout::kX0 + 99) * PdfProbe::kPointsPerMm, 0.8);
    EXPECT_NEAR(cliente->yMin, 52 * PdfProbe::kPointsPerMm, 1.5);
}

TEST(InvoicePdf, UnknownNumberWritesNothing) {
    StoredInvoice s(3);
    EXPECT_EQ(s.run(QStringLiteral("99/26")), 1);
    EXPECT_TRUE(s.errors.contains(QStringLiteral("Fattura \"99/26\" non trovata"))) << s.errors.toStdString();
    EXPECT_FALSE(QFile::exists(s.out()));
    // The number is matched as stored, not as a pattern.
    EXPECT_EQ(s.run(QStringLiteral("%/26")), 1);
    EXPECT_FALSE(QFile::exists(s.out()));
    EXPECT_TRUE(PdfCommand::kinds().contains(QStringLiteral("fattura")));
}

TEST(InvoicePdf, StoredInvoiceGivesTheEditorsData) {
    StoredInvoice s(4);
    const auto found = InvoicePaper::datiFattura(QStringLiteral("12/26"));
    ASSERT_TRUE(found.ok());
    ASSERT_TRUE(found.value().has_value());
    const InvoiceData& d = *found.value();
    EXPECT_EQ(d.num, QStringLiteral("12/26"));
    EXPECT_EQ(d.data, QStringLiteral("05/03/26"));
    EXPECT_EQ(d.iva, QStringLiteral("22"));
    EXPECT_EQ(d.idCliente, s.inv.idAna);
    ASSERT_EQ(d.righe.size(), 4);
    EXPECT_EQ(d.righe[0].descrizione, QStringLiteral(" "));
    EXPECT_EQ(d.righe[1].qta, QStringLiteral("2,5"));
    EXPECT_EQ(d.righe[1].prezzo, QStringLiteral("1234,50"));
    EXPECT_EQ(d.righe[1].importo, QStringLiteral("3086,25"));
    // Totals recomputed from the rows as the editor does, not the stored total.
    EXPECT_EQ(d.imponibile, QStringLiteral("€ 9.258,75"));
    EXPECT_EQ(d.importoIva, QStringLiteral("€ 2.036,93"));
    EXPECT_EQ(d.importoRitenuta, QStringLiteral("€ 370,35"));
    EXPECT_EQ(d.totale, QStringLiteral("€ 10.925,33"));

    // The same pages as the values typed into the editor.
    const InvoiceData typed =
        InvoiceData::fromEditor(QStringLiteral("12/26"), QStringLiteral("05/03/26"), s.inv.idAna,
                                QStringLiteral("22"), true, s.inv.note, s.inv.rows);
    EXPECT_TRUE(samePages(LayoutRegistry::compose(InvoicePaper::kTipo, d, nullptr),
                          LayoutRegistry::compose(InvoicePaper::kTipo, typed, nullptr)));

    const auto missing = InvoicePaper::datiFattura(QStringLiteral("1/26"));
    ASSERT_TRUE(missing.ok());
    EXPECT_FALSE(missing.value().has_value());
}

TEST(InvoicePdf, ThirtySevenRowsMakeThreePages) {
    StoredInvoice s(37);
    ASSERT_EQ(s.run(QStringLiteral("12/26")), 0) << s.errors.toStdString();
    EXPECT_EQ(PdfProbe::pages(s.out()), 3);
    const auto words = PdfProbe::words(s.out());
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("3/3"), 3), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("Cancellata37"), 3), nullptr);
    EXPECT_NE(PdfProbe::find(words, QStringLiteral("Cancellata36"), 2), nullptr);
}
