#include "invoices/invoiceledger.h"

#include "invoices/invoicetotals.h"
#include "shell/formats.h"
#include "shell/outputfiles.h"

#include <QSaveFile>
#include <QTextStream>

namespace {

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");
const QStringList kIntestazione{
    QStringLiteral("Numero"),     QStringLiteral("Data"),         QStringLiteral("Codice cliente"),
    QStringLiteral("Cliente"),    QStringLiteral("Partita IVA"),  QStringLiteral("Codice fiscale"),
    QStringLiteral("Imponibile"), QStringLiteral("Aliquota IVA"), QStringLiteral("IVA"),
    QStringLiteral("Ritenuta"),   QStringLiteral("Totale"),       QStringLiteral("Pagata")};
const QString kUso = QStringLiteral("Uso: corvalisto [--dir CARTELLA] csv fatture ANNO [--cliente ID] -o FILE");

// What every list of ours starts with: only such a file is replaced.
QByteArray firma()
{
    return kBom + kIntestazione.mid(0, 2).join(u';').toUtf8() + ';';
}

QString campo(const QString& text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString riga(const QStringList& campi)
{
    QStringList out;
    out.reserve(campi.size());
    for (const QString& c : campi)
        out << campo(c);
    return out.join(u';') + QStringLiteral("\r\n");
}

} // namespace

DbResult<InvoiceLedger> InvoiceLedger::carica(int anno, qint64 idAna)
{
    auto reg = InvoiceStore::registro(anno, idAna);
    if (!reg)
        return reg.error();
    const auto righe = InvoiceStore::righeRegistro(anno, idAna);
    if (!righe)
        return righe.error();
    InvoiceLedger l;
    l.registro = std::move(reg.value());
    l.importi.reserve(l.registro.rows.size());
    for (const InvoiceStore::RegisterRow& f : l.registro.rows) {
        const InvoiceTotals t = InvoiceTotals::calcola(righe->value(f.num), f.iva, f.ra);
        const Importi i{t.imponibile.rounded(2), t.iva.rounded(2), t.ritenuta.rounded(2)};
        l.somme.imponibile += i.imponibile;
        l.somme.iva += i.iva;
        l.somme.ritenuta += i.ritenuta;
        l.importi.append(i);
    }
    return l;
}

QList<RegisterTable::Totale> InvoiceLedger::totali() const
{
    return {{QStringLiteral("Imponibile"), Formats::euro(somme.imponibile)},
            {QStringLiteral("IVA"), Formats::euro(somme.iva)},
            {QStringLiteral("Ritenuta d'acconto"), Formats::euro(somme.ritenuta)},
            {QStringLiteral("Totale fatture"), Formats::euro(totale())},
            {QStringLiteral("Incassato"), Formats::euro(registro.incassato)},
            {QStringLiteral("Da incassare"), Formats::euro(registro.daIncassare)}};
}

QByteArray InvoiceLedger::csv() const
{
    QString text = riga(kIntestazione);
    // The register lists the highest number first; the accountant reads them in order.
    for (qsizetype k = registro.rows.size() - 1; k >= 0; --k) {
        const InvoiceStore::RegisterRow& f = registro.rows.at(k);
        const Importi& i = importi.at(k);
        text += riga({f.num, f.data.toString(QStringLiteral("dd/MM/yyyy")), Formats::code(f.idAna, 4), f.nome, f.piva,
                      f.cf, Formats::fixed2(i.imponibile), QString::number(f.iva), Formats::fixed2(i.iva),
                      Formats::fixed2(i.ritenuta), Formats::fixed2(f.totale),
                      f.pagata ? QStringLiteral("Sì") : QStringLiteral("No")});
    }
    return kBom + text.toUtf8();
}

QString InvoiceLedger::nomeCsv(int anno)
{
    return QStringLiteral("Fatture_%1.csv").arg(anno);
}

QString InvoiceLedger::scriviCsv(const QByteArray& csv, const QString& path)
{
    if (const QString refusal = OutputFiles::refusal(path, firma(), QStringLiteral("elenco di fatture (CSV)"));
        !refusal.isEmpty())
        return refusal;
    QSaveFile file(OutputFiles::resolved(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        return file.errorString();
    return {};
}

int InvoiceLedger::run(const QStringList& args, QTextStream& err)
{
    QStringList positional;
    QString output;
    QString cliente;
    for (int i = 0; i < args.size(); ++i) {
        const QString& word = args[i];
        if ((word == QStringLiteral("-o") || word == QStringLiteral("--output") ||
             word == QStringLiteral("--cliente")) &&
            i + 1 < args.size())
            (word == QStringLiteral("--cliente") ? cliente : output) = args[++i];
        else
            positional << word;
    }
    if (!positional.isEmpty() && positional.first() == QStringLiteral("csv"))
        positional.removeFirst();
    bool annoOk = false;
    const int anno = positional.size() == 2 ? positional[1].toInt(&annoOk) : 0;
    bool clienteOk = true;
    const qint64 idAna = cliente.isEmpty() ? 0 : cliente.toLongLong(&clienteOk);
    if (positional.size() != 2 || positional[0].toLower() != QStringLiteral("fatture") || !annoOk || !clienteOk ||
        output.isEmpty()) {
        err << kUso << Qt::endl;
        return 1;
    }
    const auto ledger = carica(anno, idAna);
    if (!ledger) {
        err << ledger.error().title() << QStringLiteral(": ") << ledger.error().text << Qt::endl;
        return 1;
    }
    if (const QString failed = scriviCsv(ledger->csv(), output); !failed.isEmpty()) {
        err << QStringLiteral("Impossibile scrivere \"%1\": %2").arg(output, failed) << Qt::endl;
        return 1;
    }
    return 0;
}
