#include "printing/printers.h"

#include "shell/appstate.h"
#include "shell/dialogs.h"

#include <QPrinterInfo>

namespace {

QString& chosen()
{
    static QString name;
    return name;
}

} // namespace

namespace Printers {

QStringList installed()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    if (!app().stampantePdf.isEmpty() && !names.contains(app().stampantePdf))
        names << app().stampantePdf;
    return names;
}

QString current()
{
    if (!chosen().isEmpty())
        return chosen();
    const QString system = QPrinterInfo::defaultPrinterName();
    return system.isEmpty() ? app().stampantePdf : system;
}

bool currentIsPdf()
{
    const QString name = current();
    return name.isEmpty() || name == app().stampantePdf;
}

bool impostaStampante(QWidget* parent, const QString& nome)
{
    if (installed().contains(nome, Qt::CaseSensitive)) {
        chosen() = nome;
        return true;
    }
    dialogs().message(parent, QStringLiteral("La stampante '") + nome.toUpper() + QStringLiteral("' non esiste"),
                      QStringLiteral("Errore"), Dialogs::Icon::Critical);
    return false;
}

void reset()
{
    chosen().clear();
}

} // namespace Printers
