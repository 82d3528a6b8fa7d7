#include "app/demodata.h"

#include "data/database.h"
#include "ddt/ddtdemo.h"
#include "documents/documentdemo.h"
#include "invoices/companybank.h"
#include "invoices/einvoicestore.h"
#include "invoices/invoicedemo.h"
#include "quotes/quotedemo.h"
#include "registry/registrydemo.h"
#include "shell/companystore.h"
#include "shell/startup.h"
#include "warehouse/warehousedemo.h"

#include <QDir>
#include <QFileInfo>

namespace DemoData {

bool folderIsEmpty(const QString& workDir)
{
    const QDir dir(workDir);
    if (!dir.exists())
        return true;
    const QDir dati(QFileInfo(dir.filePath(Database::kRelativePath)).absolutePath());
    // What a killed first start or demo left there does not make the folder used.
    Database::removeStaleTemporaries(dati.path());
    if (dati.exists() && !dati.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return false;
    return dir
        .entryList(
            {QStringLiteral("Corvalisto.ini"), QStringLiteral("Printer.ini"), QStringLiteral("Corvalisto_*.mdb")},
            QDir::Files | QDir::Hidden | QDir::System)
        .isEmpty();
}

DbStatus fill()
{
    Transaction tx;
    if (auto err = CompanyStore::save({QStringLiteral("CORVALISTO s.n.c. di Mario Corvalisto & C."),
                                       QStringLiteral("Carpenteria metallica - Serramenti"),
                                       QStringLiteral("Via dell'Industria, 14 - 47122 Forlì (FC)"),
                                       QStringLiteral("Tel. 0543 123456 - info@corvalisto.it"),
                                       QStringLiteral("P.IVA 01234560405 - C.F. 01234560405")}))
        return err;
    CompanyFiscalData fiscale;
    fiscale.denominazione = QStringLiteral("CORVALISTO s.n.c. di Mario Corvalisto & C.");
    fiscale.partitaIva = QStringLiteral("01234560405");
    fiscale.codiceFiscale = fiscale.partitaIva;
    fiscale.indirizzo = QStringLiteral("Via dell'Industria, 14");
    fiscale.cap = QStringLiteral("47122");
    fiscale.comune = QStringLiteral("Forlì");
    fiscale.provincia = QStringLiteral("FC");
    fiscale.iban = QStringLiteral("IT60X0542811101000000123456");
    fiscale.istitutoFinanziario = QStringLiteral("Banca di Forlì");
    if (auto err = EInvoiceStore::saveCompany(fiscale))
        return err;
    // The account of the IBAN above, where the bank credits the Ri.Ba. it collects.
    if (auto err = CompanyBank::save({QStringLiteral("C1R57"), QStringLiteral("05428"), QStringLiteral("11101"),
                                      QStringLiteral("000000123456"), QStringLiteral("Banca di Forlì")}))
        return err;
    if (auto err = RegistryDemo::fill())
        return err;
    if (auto err = InvoiceDemo::fill())
        return err;
    if (auto err = WarehouseDemo::fill())
        return err;
    if (auto err = DdtDemo::fill())
        return err;
    if (auto err = InvoiceDemo::fillDeferred())
        return err;
    if (auto err = DocumentDemo::fill())
        return err;
    if (auto err = QuoteDemo::fill())
        return err;
    return tx.commit();
}

DbStatus writeEarlierCopies(const QDate& today)
{
    if (!Database::serverUrl().isEmpty())
        return std::nullopt;
    // Days before today, and how many of the newest invoices and DDTs were not written yet then.
    const struct {
        int daysAgo;
        int missing;
    } kCopies[] = {{6, 3}, {3, 2}, {1, 1}};
    const QString db = Database::filePath();
    for (const auto& c : kCopies)
        if (auto err = Database::copyTo(Startup::dailyCopyPath(today.addDays(-c.daysAgo))))
            return err;
    static const QString kNewest[] = {
        QStringLiteral("DELETE FROM ContFatt WHERE Num IN (SELECT Num FROM Fatture ORDER BY Data DESC, "
                       "ordinal(Num) DESC LIMIT ?)"),
        QStringLiteral("DELETE FROM Fatture WHERE Num IN (SELECT Num FROM Fatture ORDER BY Data DESC, "
                       "ordinal(Num) DESC LIMIT ?)"),
        QStringLiteral("DELETE FROM ContDdt WHERE Num IN (SELECT Num FROM Ddt ORDER BY Data DESC, "
                       "ordinal(Num) DESC LIMIT ?)"),
        QStringLiteral("DELETE FROM Ddt WHERE Num IN (SELECT Num FROM Ddt ORDER BY Data DESC, ordinal(Num) DESC "
                       "LIMIT ?)"),
    };
    DbStatus failed;
    for (const auto& c : kCopies) {
        if ((failed = Database::open(Startup::dailyCopyPath(today.addDays(-c.daysAgo)))))
            break;
        Transaction tx;
        for (const QString& sql : kNewest)
            if ((failed = Database::exec(sql, {c.missing})))
                break;
        if (failed || (failed = tx.commit()))
            break;
    }
    const DbStatus reopened = Database::open(db);
    return failed ? failed : reopened;
}

} // namespace DemoData
