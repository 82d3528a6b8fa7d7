#include "printing/ui/registerprint.h"

#include "printing/ui/printrequest.h"
#include "shell/appstate.h"
#include "shell/commandargs.h"
#include "shell/dialogs.h"

namespace RegisterPrint {

QString errorText(const DbError& e)
{
    return e.title() + QStringLiteral(": ") + e.text;
}

bool nameCustomer(qint64 id, const std::function<DbResult<QString>()>& name, RegisterTable& t, QString& error)
{
    if (id == 0)
        return true;
    const auto nome = name();
    if (!nome) {
        error = errorText(nome.error());
        return false;
    }
    if (nome->isEmpty()) {
        error = CommandArgs::clienteNonTrovato(id);
        return false;
    }
    t.cliente = *nome;
    return true;
}

std::optional<PdfCommand::Paper> paper(std::optional<RegisterTable> t)
{
    if (!t)
        return std::nullopt;
    return PdfCommand::Paper{RegisterLayout::kTipo, std::move(*t)};
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

} // namespace RegisterPrint
