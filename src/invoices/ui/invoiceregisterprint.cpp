#include "invoices/ui/invoiceregisterprint.h"

#include "invoices/invoiceledger.h"
#include "invoices/invoicestore.h"
#include "invoices/ui/invoiceregistermodel.h"
#include "printing/ui/registerprint.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"

#include <QDir>

namespace InvoiceRegisterPrint {

std::optional<RegisterTable> fatture(int anno, qint64 idCliente, QString& error)
{
    auto ledger = InvoiceLedger::carica(anno, idCliente);
    if (!ledger) {
        error = RegisterPrint::errorText(ledger.error());
        return std::nullopt;
    }
    RegisterTable t = RegisterPrint::fromModel<InvoiceRegisterModel>(ledger->registro.rows);
    if (!RegisterPrint::nameCustomer(
            idCliente, [=] { return InvoiceStore::customerName(idCliente); }, t, error))
        return std::nullopt;
    t.titolo = QStringLiteral("REGISTRO FATTURE %1").arg(anno);
    t.nome = QStringLiteral("Fatture_%1").arg(anno);
    t.totali = ledger->totali();
    return t;
}

bool esportaFatture(QWidget* parent, int anno, qint64 idCliente, bool excel)
{
    const auto ledger = InvoiceLedger::carica(anno, idCliente);
    if (!ledger) {
        dialogs().message(parent, ledger.error().text, ledger.error().title(), Dialogs::Icon::Critical);
        return false;
    }
    QString failed;
    const QByteArray bytes = excel ? ledger->xlsx(anno, failed) : ledger->csv();
    const QString path =
        failed.isEmpty()
            ? dialogs().saveFileName(
                  parent, QStringLiteral("Esporta fatture"),
                  QDir(app().workDir).filePath(excel ? InvoiceLedger::nomeXlsx(anno) : InvoiceLedger::nomeCsv(anno)),
                  excel ? QStringLiteral("Foglio di Excel (*.xlsx)") : QStringLiteral("File CSV (*.csv)"))
            : QString();
    if (failed.isEmpty() && path.isEmpty())
        return false;
    if (failed.isEmpty())
        failed = excel ? InvoiceLedger::scriviXlsx(bytes, path) : InvoiceLedger::scriviCsv(bytes, path);
    if (!failed.isEmpty()) {
        dialogs().message(parent, QStringLiteral("Impossibile scrivere \"%1\": %2").arg(path, failed),
                          QStringLiteral("Errore"), Dialogs::Icon::Critical);
        return false;
    }
    dialogs().message(parent, QStringLiteral("FATTURE esportate con successo"), QString(), Dialogs::Icon::Information);
    return true;
}

void registerPdfKind()
{
    PdfCommand::addListKind(QStringLiteral("registro-fatture"), [](int anno, qint64 id, QString& error) {
        return RegisterPrint::paper(fatture(anno, id, error));
    });
}

} // namespace InvoiceRegisterPrint
