#include "invoices/invoiceledger.h"

#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/invoicetotals.h"
#include "shell/commandargs.h"
#include "shell/csvfile.h"
#include "shell/formats.h"
#include "shell/outputfiles.h"
#include "shell/xlsxsheet.h"

#include <QTextStream>

namespace {

const QStringList kIntestazione{QStringLiteral("Numero"), QStringLiteral("Data"), QStringLiteral("Codice cliente"),
                                QStringLiteral("Cliente"), QStringLiteral("Partita IVA"),
                                QStringLiteral("Codice fiscale"), QStringLiteral("Imponibile"),
                                QStringLiteral("Aliquota IVA"), QStringLiteral("IVA"), QStringLiteral("Ritenuta"),
                                QStringLiteral("Totale"), QStringLiteral("Pagata"),
                                // The VAT a public body pays to the treasury itself (split payment): not collected.
                                QStringLiteral("IVA in scissione")};
const QString kUso = QStringLiteral("Uso: corvalisto [--dir CARTELLA] csv|xlsx fatture ANNO [--cliente ID] -o FILE");
// What marks a spreadsheet file as one of our lists.
const QString kOggettoXlsx = QStringLiteral("Elenco fatture Corvalisto");

// What every list of ours starts with: only such a file is replaced.
QByteArray firma()
{
    return CsvFile::firma(kIntestazione.mid(0, 2));
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
    const auto enti = EInvoiceStore::publicBodies();
    if (!enti)
        return enti.error();
    InvoiceLedger l;
    l.registro = std::move(reg.value());
    l.importi.reserve(l.registro.rows.size());
    for (const InvoiceStore::RegisterRow& f : l.registro.rows) {
        const InvoiceTotals t = InvoiceTotals::calcola(righe->value(f.num), f.iva, f.ra);
        // A credit note subtracts, as its total in the register does.
        const auto segno = [&f](const Decimal& d) { return f.stornata.isEmpty() ? d : -d; };
        Importi i{segno(t.imponibile.rounded(2)), segno(t.iva.rounded(2)), segno(t.ritenuta.rounded(2)), {}};
        if (t.totale.isOverflow())
            return DbError::overflow(InvoiceStore::nellaFattura(f.num));
        l.somme.imponibile += i.imponibile;
        l.somme.iva += i.iva;
        l.somme.ritenuta += i.ritenuta;
        if (f.iva > 0 && enti->contains(f.idAna)) {
            i.scissione = i.iva;
            l.ivaScissione += i.iva;
            (f.pagata ? l.registro.incassato : l.registro.daIncassare) -= i.iva;
        }
        l.importi.append(i);
    }
    return l;
}

DbResult<InvoiceStore::Register> InvoiceLedger::soloRegistro(int anno, qint64 idAna)
{
    auto reg = InvoiceStore::registro(anno, idAna);
    if (!reg)
        return reg.error();
    const auto enti = InvoiceStore::righeConIva(anno, idAna);
    if (!enti)
        return enti.error();
    InvoiceStore::Register out = std::move(reg.value());
    for (const InvoiceStore::RegisterRow& f : std::as_const(out.rows)) {
        const auto e = enti->constFind(f.num);
        if (e == enti->cend() || !EInvoiceRules::pubblicaAmministrazione({e->codiceDestinatario, QString(), e->nazione}))
            continue;
        const InvoiceTotals t = InvoiceTotals::calcola(e->rows, f.iva, f.ra);
        if (t.totale.isOverflow())
            return DbError::overflow(InvoiceStore::nellaFattura(f.num));
        const Decimal iva = f.stornata.isEmpty() ? t.iva.rounded(2) : -t.iva.rounded(2);
        (f.pagata ? out.incassato : out.daIncassare) -= iva;
    }
    return out;
}

QList<RegisterTable::Totale> InvoiceLedger::totali() const
{
    QList<RegisterTable::Totale> out{{QStringLiteral("Imponibile"), Formats::euro(somme.imponibile)},
                                     {QStringLiteral("IVA"), Formats::euro(somme.iva)},
                                     {QStringLiteral("Ritenuta d'acconto"), Formats::euro(somme.ritenuta)},
                                     {QStringLiteral("Totale fatture"), Formats::euro(totale())}};
    if (!ivaScissione.isZero())
        out.append({QStringLiteral("IVA in scissione dei pagamenti"), Formats::euro(ivaScissione)});
    out.append({{QStringLiteral("Incassato"), Formats::euro(registro.incassato)},
                {QStringLiteral("Da incassare"), Formats::euro(registro.daIncassare)}});
    return out;
}

QByteArray InvoiceLedger::csv() const
{
    QString text = CsvFile::riga(kIntestazione);
    // The register lists the highest number first; the accountant reads them in order.
    for (qsizetype k = registro.rows.size() - 1; k >= 0; --k) {
        const InvoiceStore::RegisterRow& f = registro.rows.at(k);
        const Importi& i = importi.at(k);
        text += CsvFile::riga({CsvFile::testo(f.num), f.data.toString(QStringLiteral("dd/MM/yyyy")),
                               Formats::code(f.idAna, 4), CsvFile::testo(f.nome), CsvFile::testo(f.piva),
                               CsvFile::testo(f.cf), Formats::fixed2(i.imponibile), QString::number(f.iva),
                               Formats::fixed2(i.iva), Formats::fixed2(i.ritenuta), Formats::fixed2(f.totale),
                               f.pagata ? QStringLiteral("Sì") : QStringLiteral("No"), Formats::fixed2(i.scissione)});
    }
    return CsvFile::bom() + text.toUtf8();
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
    return CsvFile::scrivi(csv, path);
}

QByteArray InvoiceLedger::xlsx(int anno, QString& error) const
{
    using K = XlsxSheet::Kind;
    XlsxSheet sheet(QStringLiteral("Fatture %1").arg(anno), QStringLiteral("Fatture %1").arg(anno), kOggettoXlsx,
                    {{kIntestazione[0], K::Text, 10},
                     {kIntestazione[1], K::Date, 12},
                     {kIntestazione[2], K::Text, 15},
                     {kIntestazione[3], K::Text, 40},
                     {kIntestazione[4], K::Text, 14},
                     {kIntestazione[5], K::Text, 19},
                     {kIntestazione[6], K::Amount, 14},
                     {kIntestazione[7], K::Whole, 13},
                     {kIntestazione[8], K::Amount, 12},
                     {kIntestazione[9], K::Amount, 12},
                     {kIntestazione[10], K::Amount, 14},
                     {kIntestazione[11], K::Text, 8},
                     {kIntestazione[12], K::Amount, 16}});
    for (qsizetype k = registro.rows.size() - 1; k >= 0; --k) {
        const InvoiceStore::RegisterRow& f = registro.rows.at(k);
        const Importi& i = importi.at(k);
        sheet.addRow({f.num, f.data, Formats::code(f.idAna, 4), f.nome, f.piva, f.cf, i.imponibile,
                      static_cast<long long>(f.iva), i.iva, i.ritenuta, f.totale,
                      f.pagata ? QStringLiteral("Sì") : QStringLiteral("No"), i.scissione});
    }
    return sheet.bytes(error);
}

QString InvoiceLedger::nomeXlsx(int anno)
{
    return QStringLiteral("Fatture_%1.xlsx").arg(anno);
}

QString InvoiceLedger::scriviXlsx(const QByteArray& xlsx, const QString& path)
{
    if (const QString refusal = OutputFiles::refusal(
            path, [](QIODevice& file) { return XlsxSheet::writtenWith(file, kOggettoXlsx); },
            QStringLiteral("elenco di fatture (Excel) di questo programma"));
        !refusal.isEmpty())
        return refusal;
    return CsvFile::scrivi(xlsx, path);
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
    const bool excel = !positional.isEmpty() && positional.first() == QStringLiteral("xlsx");
    if (!positional.isEmpty() && (excel || positional.first() == QStringLiteral("csv")))
        positional.removeFirst();
    if (positional.size() != 2 || positional[0].toLower() != QStringLiteral("fatture") || output.isEmpty()) {
        err << kUso << Qt::endl;
        return 1;
    }
    QString error;
    const std::optional<int> anno = CommandArgs::anno(positional[1], error);
    const std::optional<qint64> idAna = anno ? CommandArgs::cliente(cliente, error) : std::nullopt;
    if (!anno || !idAna) {
        err << error << Qt::endl;
        return 1;
    }
    if (*idAna != 0) {
        const auto nome = InvoiceStore::customerName(*idAna);
        if (!nome || nome->isEmpty()) {
            err << (nome ? CommandArgs::clienteNonTrovato(*idAna)
                         : nome.error().title() + QStringLiteral(": ") + nome.error().text)
                << Qt::endl;
            return 1;
        }
    }
    const auto ledger = carica(*anno, *idAna);
    if (!ledger) {
        err << ledger.error().title() << QStringLiteral(": ") << ledger.error().text << Qt::endl;
        return 1;
    }
    QString failed;
    if (excel) {
        const QByteArray bytes = ledger->xlsx(*anno, failed);
        if (failed.isEmpty())
            failed = scriviXlsx(bytes, output);
    } else {
        failed = scriviCsv(ledger->csv(), output);
    }
    if (!failed.isEmpty()) {
        err << QStringLiteral("Impossibile scrivere \"%1\": %2").arg(output, failed) << Qt::endl;
        return 1;
    }
    return 0;
}
