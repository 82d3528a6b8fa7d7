#include "invoices/ribacommand.h"

#include "invoices/ribapresentation.h"
#include "shell/commandargs.h"
#include "shell/formats.h"

#include <QTextStream>

using CommandArgs::fail;
using CommandArgs::failDb;

int RibaCommand::run(const QStringList& args, QTextStream& out, QTextStream& err, const QDateTime& quando)
{
    const QString uso = QStringLiteral("Uso: corvalisto [--dir CARTELLA] riba --da GG/MM/AAAA --a GG/MM/AAAA -o FILE");
    QString da;
    QString a;
    QString file;
    for (int i = 0; i < args.size(); ++i) {
        const QString& word = args.at(i);
        QString* target = word == QStringLiteral("--da")                                       ? &da
                          : word == QStringLiteral("--a")                                      ? &a
                          : word == QStringLiteral("-o") || word == QStringLiteral("--output") ? &file
                                                                                               : nullptr;
        if (!target || i + 1 >= args.size())
            return fail(err, uso);
        *target = args.at(++i);
    }
    if (da.isEmpty() || a.isEmpty() || file.isEmpty())
        return fail(err, uso);
    QString error;
    const auto dal = CommandArgs::data(da, QStringLiteral("--da"), error);
    const auto al = dal ? CommandArgs::data(a, QStringLiteral("--a"), error) : std::nullopt;
    if (!dal || !al)
        return fail(err, error);
    if (*al < *dal)
        return fail(err, QStringLiteral("La data --a (%1) viene prima della data --da (%2).")
                             .arg(Formats::shortDate(*al), Formats::shortDate(*dal)));

    const auto distinta = RibaPresentation::prepara(*dal, *al);
    if (!distinta)
        return failDb(err, distinta.error());
    if (distinta->rate.isEmpty()) {
        out << QStringLiteral("Nessuna Ri.Ba. da presentare dal %1 al %2: nessun file scritto.")
                   .arg(Formats::shortDate(*dal), Formats::shortDate(*al))
            << Qt::endl;
        return 0;
    }
    const auto id = RibaPresentation::presenta(distinta.value(), file, quando);
    if (!id)
        return failDb(err, id.error());
    out << QStringLiteral("Presentazione n. %1: %2 in \"%3\".")
               .arg(id.value())
               .arg(RibaPresentation::riepilogo(distinta.value()), file)
        << Qt::endl;
    for (const RibaFile::Ricevuta& r : distinta->ricevute)
        out << QStringLiteral("  %1  %2  %3  %4")
                   .arg(Formats::shortDate(r.scadenza), r.riferimento, r.debitore, Formats::euro(r.importo))
            << Qt::endl;
    return 0;
}
