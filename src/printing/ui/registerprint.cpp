#include "printing/ui/registerprint.h"

#include "ddt/ddtstore.h"
#include "ddt/ui/ddtregistermodel.h"
#include "invoices/invoiceledger.h"
#include "invoices/ui/invoiceregistermodel.h"
#include "printing/pdfcommand.h"
#include "printing/registerlayout.h"
#include "printing/ui/printrequest.h"
#include "shell/appstate.h"
#include "shell/commandargs.h"
#include "shell/dialogs.h"

#include <QDir>

namespace {

QString testo(const DbError& e)
{
    return e.title() + QStringLiteral(": ") + e.text;
}

// The name of a filtered list's customer; false when there is no such customer.
template <class Store> bool cliente(qint64 id, RegisterTable& t, QString& error)
{
    if (id == 0)
        return true;
    const auto nome = Store::customerName(id);
    if (!nome) {
        error = testo(nome.error());
        return false;
    }
    if (nome->isEmpty()) {
        error = CommandArgs::clienteNonTrovato(id);
        return false;
    }
    t.cliente = *nome;
    return true;
}

template <class Model, class Rows> RegisterTable tabella(Rows rows)
{
    Model model;
    model.setRows(std::move(rows));
    return RegisterTable::fromModel(model, RegisterLayout::kLarghezza);
}

std::optional<PdfCommand::Paper> carta(std::optional<RegisterTable> t)
{
    if (!t)
        return std::nullopt;
    return PdfCommand::Paper{RegisterLayout::kTipo, std::move(*t)};
}

} // namespace

namespace RegisterPrint {

std::optional<RegisterTable> fatture(int anno, qint64 idCliente, QString& error)
{
    auto ledger = InvoiceLedger::carica(anno, idCliente);
    if (!ledger) {
        error = testo(ledger.error());
        return std::nullopt;
    }
    RegisterTable t = tabella<InvoiceRegisterModel>(ledger->registro.rows);
    if (!cliente<InvoiceStore>(idCliente, t, error))
        return std::nullopt;
    t.titolo = QStringLiteral("REGISTRO FATTURE %1").arg(anno);
    t.nome = QStringLiteral("Fatture_%1").arg(anno);
    t.totali = ledger->totali();
    return t;
}

std::optional<RegisterTable> ddt(int anno, qint64 idCliente, QString& error)
{
    auto rows = DdtStore::registro(anno, idCliente);
    if (!rows) {
        error = testo(rows.error());
        return std::nullopt;
    }
    RegisterTable t = tabella<DdtRegisterModel>(std::move(rows.value()));
    if (!cliente<DdtStore>(idCliente, t, error))
        return std::nullopt;
    t.titolo = QStringLiteral("REGISTRO DDT %1").arg(anno);
    t.nome = QStringLiteral("DDT_%1").arg(anno);
    return t;
}

void preview(QWidget* parent, const std::optional<RegisterTable>& table, const QString& error)
{
    if (!table)
        dialogs().message(parent, error, QStringLiteral("Errore"), Dialogs::Icon::Critical);
    else
        PrintRequest::preview(parent, RegisterLayout::kTipo, *table);
}

void print(QWidget* parent, const std::optional<RegisterTable>& table, const QString& error)
{
    if (!table)
        dialogs().message(parent, error, QStringLiteral("Errore"), Dialogs::Icon::Critical);
    else
        PrintRequest::printCopies(parent, RegisterLayout::kTipo, *table);
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

void registerPdfKinds()
{
    PdfCommand::addListKind(QStringLiteral("registro-fatture"),
                            [](int anno, qint64 id, QString& error) { return carta(fatture(anno, id, error)); });
    PdfCommand::addListKind(QStringLiteral("registro-ddt"),
                            [](int anno, qint64 id, QString& error) { return carta(ddt(anno, id, error)); });
}

} // namespace RegisterPrint
