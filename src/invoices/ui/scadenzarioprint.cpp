#include "invoices/ui/scadenzarioprint.h"

#include "invoices/ui/scadenzariomodel.h"
#include "printing/registerlayout.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"

#include <QDir>

namespace ScadenzarioPrint {

RegisterTable tabella(const DueDateList& lista, const QDate& oggi, const QString& cliente, const QString& modalita)
{
    ScadenzarioModel model;
    model.setOggi(oggi);
    model.setRows(lista.rate);
    RegisterTable t = RegisterTable::fromModel(model, RegisterLayout::kLarghezza);
    t.titolo = lista.titolo();
    if (!modalita.isEmpty())
        t.titolo += QStringLiteral(" - ") + modalita.toUpper();
    t.cliente = cliente;
    t.nome = lista.nome();
    t.totali = lista.totali();
    return t;
}

bool esporta(QWidget* parent, const DueDateList& lista, const QDate& oggi)
{
    const QString path =
        dialogs().saveFileName(parent, QStringLiteral("Esporta scadenze"),
                               QDir(app().workDir).filePath(lista.nomeCsv()), QStringLiteral("File CSV (*.csv)"));
    if (path.isEmpty())
        return false;
    if (const QString failed = DueDateList::scriviCsv(lista.csv(oggi), path); !failed.isEmpty()) {
        dialogs().message(parent, QStringLiteral("Impossibile scrivere \"%1\": %2").arg(path, failed),
                          QStringLiteral("Errore"), Dialogs::Icon::Critical);
        return false;
    }
    dialogs().message(parent, QStringLiteral("SCADENZE esportate con successo"), QString(), Dialogs::Icon::Information);
    return true;
}

} // namespace ScadenzarioPrint
