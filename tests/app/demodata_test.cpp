#include "../invoices/xsdcheck.h"
#include "app/demodata.h"
#include "data/database.h"
#include "invoices/ddtinvoicing.h"
#include "invoices/einvoiceexport.h"
#include "invoices/einvoicerules.h"
#include "invoices/invoicestore.h"
#include "shell/datacounts.h"
#include "shell/restore.h"
#include "workdir.h"

#include <QDate>
#include <QDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

int count(const char* from)
{
    return Database::scalar(QStringLiteral("SELECT count(*) FROM ") + QString::fromLatin1(from)).value().toInt();
}

} // namespace

// Only a fresh folder is filled, wholly or not at all, with the shop's cases: every row hangs on a
// stored parent; reverse charge, an amount outside VAT that takes the stamp and a credit note in each
// of two years; every invoice makes a valid electronic invoice, and each year has a deferred invoice
// naming its DDTs in its rows and one to a public body with its codes; earlier daily copies to
// restore, each older one with fewer invoices.
TEST(DemoData, FillsAFreshFolderWhollyOrNotAtAllWithEveryFeature)
{
    {
        TestWorkDir dir;
        // The server's database is not in the folder.
        EXPECT_TRUE(DemoData::folderIsEmpty(dir.path(QStringLiteral("nuova"))));
        EXPECT_EQ(DemoData::folderIsEmpty(dir.path()), TestWorkDir::onServer());
        ASSERT_FALSE(DemoData::fill());
        EXPECT_EQ(count("ContFatt WHERE Num NOT IN (SELECT Num FROM Fatture)") +
                      count("Fatture WHERE IdAna NOT IN (SELECT Id FROM Anagrafica WHERE Valid = 1)") +
                      count("Magazzino WHERE Cat NOT IN (SELECT IdCat FROM Categorie WHERE Valid = 1)") +
                      count("NoteCredito WHERE Num NOT IN (SELECT Num FROM Fatture) OR NumFattura NOT IN "
                            "(SELECT Num FROM Fatture)"),
                  0);
        EXPECT_EQ(count("EFatturaNatura WHERE Natura = 'N6.3'"), 2);
        EXPECT_EQ(count("EFatturaNatura WHERE Natura = 'N3.5'"), 2);
        EXPECT_EQ(count("(SELECT DISTINCT substr(Num, length(Num) - 1) FROM NoteCredito) AS Anni"), 2);
        const QString folder = dir.path(QStringLiteral("xml"));
        ASSERT_TRUE(QDir().mkpath(folder));
        const int anno = QDate::currentDate().year();
        for (const int year : {anno - 1, anno}) {
            SCOPED_TRACE(year);
            ASSERT_EQ(EInvoiceExport::writeYear(year, folder, false, {}, nullptr), QString());
            int differite = 0, enti = 0;
            const auto numbers = InvoiceStore::numbersOfYear(year);
            ASSERT_TRUE(numbers);
            for (const QString& num : numbers.value()) {
                QString error;
                const auto in = EInvoiceExport::gather(num, error);
                ASSERT_TRUE(in) << error.toStdString();
                for (const DdtReference& d : in->ddt)
                    EXPECT_TRUE(std::any_of(in->invoice.rows.begin(), in->invoice.rows.end(), [&](const InvoiceRow& r) {
                        return r.descrizione == DdtInvoicing::intestazione(d.num, d.data);
                    })) << d.num.toStdString();
                differite += !in->ddt.isEmpty();
                enti += EInvoiceRules::pubblicaAmministrazione(in->recipient) && in->invoice.iva > 0 &&
                        !in->codiciPA.cig.isEmpty() &&
                        EInvoiceRules::problemiCodiciPA(in->codiciPA, in->recipient).isEmpty();
            }
            EXPECT_GE(differite, 1);
            EXPECT_GE(enti, 1);
        }
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.xml")}, QDir::Files);
        EXPECT_EQ(files.size(), count("Fatture"));
        for (const QString& name : files)
            EXPECT_EQ(xsdErrors(QDir(folder).filePath(name)), QString()) << name.toStdString();

        const QDate today(2026, 12, 7);
        ASSERT_FALSE(DemoData::writeEarlierCopies(today));
        const QList<Restore::Copy> copies = Restore::dailyCopies();
        ASSERT_EQ(copies.size(), TestWorkDir::onServer() ? 0 : 3);
        qint64 invoices = count("Fatture");
        for (int i = 0; i < copies.size(); ++i) {
            EXPECT_EQ(copies[i].day, today.addDays(QList<int>{-1, -3, -6}[i]));
            EXPECT_FALSE(copies[i].problem);
            const qint64 inCopy = DataCounts::of(copies[i].path)->fatture;
            EXPECT_LT(inCopy, invoices) << i;
            invoices = inCopy;
        }
    }
    // The last step failing takes the earlier ones back.
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE Magazzino")));
    EXPECT_TRUE(DemoData::fill());
    EXPECT_EQ(count("Anagrafica") + count("Azienda") + count("Fatture") + count("Categorie"), 0);
}
