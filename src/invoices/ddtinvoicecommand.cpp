#include "invoices/ddtinvoicecommand.h"

#include "ddt/ddtlinkstore.h"
#include "ddt/ddtstore.h"
#include "invoices/ddtinvoicing.h"
#include "shell/commandargs.h"

#include <QDate>
#include <QTextStream>

using CommandArgs::fail;
using CommandArgs::failDb;

int DdtInvoiceCommand::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString uso = QStringLiteral("Uso: fattura-da-ddt CLIENTE_ID --anno ANNO");
    QString id;
    int anno = QDate::currentDate().year();
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QStringLiteral("--anno") && i + 1 < args.size()) {
            QString error;
            const std::optional<int> a = CommandArgs::anno(args.at(++i), error);
            if (!a)
                return fail(err, error);
            anno = *a;
        } else if (id.isEmpty()) {
            id = args.at(i);
        } else {
            return fail(err, uso);
        }
    }
    if (id.isEmpty())
        return fail(err, uso);
    QString error;
    const std::optional<qint64> cliente = CommandArgs::cliente(id, error);
    if (!cliente)
        return fail(err, error);
    const qint64 idAna = *cliente;
    const auto nome = DdtStore::customerName(idAna);
    if (!nome)
        return failDb(err, nome.error());
    if (nome->isEmpty())
        return fail(err, CommandArgs::clienteNonTrovato(idAna));
    const auto ddts = DdtLinkStore::daFatturare(anno, idAna);
    if (!ddts)
        return failDb(err, ddts.error());
    if (ddts->isEmpty())
        return fail(err, QStringLiteral("Nessun DDT da fatturare per il cliente %1 nel %2")
                             .arg(nome.value(), QString::number(anno)));
    out << DdtInvoicing::riepilogo(nome.value(), anno, DdtInvoicing::inOrdine(ddts.value()));
    out.flush();
    return 0;
}
