#include "invoices/ui/einvoicesave.h"

#include "invoices/einvoiceexport.h"
#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/fiscalwordings.h"
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

// A public body's CIG and CUP, both optional, proposed as kept and kept as confirmed.
bool chiediCodiciPA(QWidget* parent, const QString& num, PublicBodyCodes& codici)
{
    const std::optional<QString> cig = dialogs().input(
        parent, QStringLiteral("Pubblica amministrazione: CIG della fattura (10 caratteri, facoltativo)"), kTitolo,
        codici.cig);
    if (!cig)
        return false;
    const std::optional<QString> cup = dialogs().input(
        parent, QStringLiteral("Pubblica amministrazione: CUP della fattura (15 caratteri, facoltativo)"), kTitolo,
        codici.cup);
    if (!cup)
        return false;
    codici = {cig->trimmed().toUpper(), cup->trimmed().toUpper()};
    if (const DbStatus s = EInvoiceStore::savePublicBodyCodes(num, codici)) {
        WindowBehaviour::showDbError(parent, *s);
        return false;
    }
    return true;
}

// An invoice already written keeps its file's name, unless the exchange system refused that file:
// then it goes again under a new one. False when the user cancels.
bool chiediNome(QWidget* parent, const QString& num, bool& nuovoNome)
{
    const auto given = EInvoiceStore::progressiveOf(num);
    if (!given) {
        WindowBehaviour::showDbError(parent, given.error());
        return false;
    }
    if (given.value() == 0)
        return true;
    const Dialogs::Answer a = dialogs().message(
        parent,
        QStringLiteral("La fattura elettronica %1 è già stata creata come \"%2\".\n\nSì: di nuovo con lo stesso "
                       "nome.\nNo: con un nuovo nome, per un file scartato dal Sistema di Interscambio.")
            .arg(num, EInvoiceExport::proposedName(num, false)),
        kTitolo, Dialogs::Icon::Question, Dialogs::Buttons::YesNoCancel);
    nuovoNome = a == Dialogs::Answer::No;
    return a == Dialogs::Answer::Yes || a == Dialogs::Answer::No;
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
    if (in->invoice.iva == 0 && in->company.regimeFiscale != FiscalWordings::kRegimeForfettario &&
        !EInvoiceRules::inElenco(EInvoiceRules::nature(), in->natura)) {
        if (!chiediNatura(parent, num, in->natura))
            return false;
        in = EInvoiceExport::gather(num, error);
        if (!in) {
            dialogs().message(parent, error, QStringLiteral("Errore"), Dialogs::Icon::Critical);
            return false;
        }
    }
    const bool perPA = EInvoiceRules::pubblicaAmministrazione(in->recipient);
    if (perPA && !chiediCodiciPA(parent, num, in->codiciPA))
        return false;
    if (const QStringList missing = EInvoiceXml::mancanti(*in); !missing.isEmpty()) {
        dialogs().message(parent, EInvoiceExport::missingMessage(num, missing), kTitolo, Dialogs::Icon::Exclamation);
        return false;
    }
    bool nuovoNome = false;
    if (!chiediNome(parent, num, nuovoNome))
        return false;
    const QString path =
        dialogs().saveFileName(parent, QStringLiteral("Salva fattura elettronica"),
                               QDir(app().workDir).filePath(EInvoiceExport::proposedName(num, nuovoNome)),
                               QStringLiteral("Fattura elettronica (*.xml)"));
    if (path.isEmpty())
        return false;
    QStringList adattati;
    if (const QString failed = EInvoiceExport::writeFile(num, path, nuovoNome, &adattati); !failed.isEmpty()) {
        dialogs().message(parent, failed, QStringLiteral("Errore"), Dialogs::Icon::Critical);
        return false;
    }
    QString fatto = QStringLiteral("FATTURA elettronica salvata con successo");
    if (!adattati.isEmpty())
        fatto += QStringLiteral("\n\n") + EInvoiceExport::adattatiMessage(adattati);
    if (perPA)
        fatto += QStringLiteral("\n\n") + EInvoiceRules::kFirmaPA;
    dialogs().message(parent, fatto, QString(), Dialogs::Icon::Information);
    return true;
}
