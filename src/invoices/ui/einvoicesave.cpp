#include "invoices/ui/einvoicesave.h"

#include "invoices/einvoiceexport.h"
#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"
#include "shell/ui/windowbehaviour.h"

#include <QDir>

namespace {

const QString kTitolo = QStringLiteral("FATTURA ELETTRONICA");

// The Natura of a 0 % invoice, asked once and kept with the invoice.
bool chiediNatura(QWidget* parent, const QString& num, const QString& attuale)
{
    QStringList righe{QStringLiteral("Aliquota 0 %: indicare il codice della Natura dell'operazione")};
    for (const EInvoiceRules::Voce& v : EInvoiceRules::nature())
        righe << v.codice + QStringLiteral(" - ") + v.descrizione;
    const std::optional<QString> typed = dialogs().input(parent, righe.join(QLatin1Char('\n')), kTitolo, attuale);
    if (!typed)
        return false;
    const QString codice = typed->trimmed().toUpper();
    if (!EInvoiceRules::inElenco(EInvoiceRules::nature(), codice)) {
        dialogs().message(parent, QStringLiteral("Natura \"%1\" non valida").arg(*typed), QString(),
                          Dialogs::Icon::Exclamation);
        return false;
    }
    if (const DbStatus s = EInvoiceStore::saveNatura(num, codice)) {
        WindowBehaviour::showDbError(parent, *s);
        return false;
    }
    return true;
}

} // namespace

bool EInvoiceSave::run(QWidget* parent, const QString& num)
{
    QString error;
    std::optional<EInvoiceXml::Input> in = EInvoiceExport::gather(num, error);
    if (!in) {
        dialogs().message(parent, error, QStringLiteral("Errore"), Dialogs::Icon::Critical);
        return false;
    }
    if (in->invoice.iva == 0 && !EInvoiceRules::inElenco(EInvoiceRules::nature(), in->natura)) {
        if (!chiediNatura(parent, num, in->natura))
            return false;
        in = EInvoiceExport::gather(num, error);
        if (!in) {
            dialogs().message(parent, error, QStringLiteral("Errore"), Dialogs::Icon::Critical);
            return false;
        }
    }
    if (const QStringList missing = EInvoiceXml::mancanti(*in); !missing.isEmpty()) {
        dialogs().message(parent, EInvoiceExport::missingMessage(num, missing), kTitolo, Dialogs::Icon::Exclamation);
        return false;
    }
    const QString path = dialogs().saveFileName(parent, QStringLiteral("Salva fattura elettronica"),
                                                QDir(app().workDir).filePath(EInvoiceExport::proposedName()),
                                                QStringLiteral("Fattura elettronica (*.xml)"));
    if (path.isEmpty())
        return false;
    if (const QString failed = EInvoiceExport::writeFile(num, path); !failed.isEmpty()) {
        dialogs().message(parent, failed, QStringLiteral("Errore"), Dialogs::Icon::Critical);
        return false;
    }
    dialogs().message(parent, QStringLiteral("FATTURA elettronica salvata con successo"), QString(),
                      Dialogs::Icon::Information);
    return true;
}
