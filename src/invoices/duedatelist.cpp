#include "invoices/duedatelist.h"

#include "printing/layoutregistry.h"
#include "printing/registerlayout.h"
#include "registry/paymentterms.h"
#include "shell/csvfile.h"
#include "shell/formats.h"
#include "shell/outputfiles.h"

namespace {

const QStringList kIntestazione{
    QStringLiteral("Scadenza"),       QStringLiteral("Fattura"),        QStringLiteral("Data fattura"),
    QStringLiteral("Rata"),           QStringLiteral("Codice cliente"), QStringLiteral("Cliente"),
    QStringLiteral("Modalità"),       QStringLiteral("Importo"),        QStringLiteral("Pagata"),
    QStringLiteral("Data pagamento"), QStringLiteral("Presentazione"),  QStringLiteral("Scaduta")};

QString data(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString siNo(bool b)
{
    return b ? QStringLiteral("Sì") : QStringLiteral("No");
}

} // namespace

DbResult<DueDateList> DueDateList::carica(const DueDateStore::Filtro& f)
{
    auto rate = DueDateStore::elenco(f);
    if (!rate)
        return rate.error();
    DueDateList l;
    l.filtro = f;
    l.rate = std::move(rate.value());
    for (const DueDate& d : l.rate) {
        l.totale += d.importo;
        if (d.pagata)
            l.pagato += d.importo;
    }
    l.daPagare = l.totale - l.pagato;
    return l;
}

bool DueDateList::scaduta(const DueDate& d, const QDate& oggi)
{
    return !d.pagata && d.data < oggi;
}

QList<RegisterTable::Totale> DueDateList::totali() const
{
    return {{QStringLiteral("Totale"), Formats::euro(totale)},
            {QStringLiteral("Pagato"), Formats::euro(pagato)},
            {QStringLiteral("Da pagare"), Formats::euro(daPagare)}};
}

QString DueDateList::titolo() const
{
    return QStringLiteral("SCADENZARIO DAL %1 AL %2").arg(data(filtro.da), data(filtro.a));
}

QString DueDateList::nome() const
{
    return QStringLiteral("%1_%2").arg(filtro.da.toString(QStringLiteral("dd-MM-yyyy")),
                                       filtro.a.toString(QStringLiteral("dd-MM-yyyy")));
}

QByteArray DueDateList::csv(const QDate& oggi) const
{
    QString text = CsvFile::riga(kIntestazione);
    for (const DueDate& d : rate) {
        const QString modalita = PaymentTerms::nomeModalita(d.modalita);
        text += CsvFile::riga({data(d.data), CsvFile::testo(d.num), data(d.dataFattura), QString::number(d.rata),
                               Formats::code(d.idAna, 4), CsvFile::testo(d.nome),
                               CsvFile::testo(modalita.isEmpty() ? d.modalita : modalita), Formats::fixed2(d.importo),
                               siNo(d.pagata), data(d.dataPagamento),
                               d.presentata() ? QString::number(d.presentazione) : QString(), siNo(scaduta(d, oggi))});
    }
    return CsvFile::bom() + text.toUtf8();
}

QString DueDateList::nomeCsv() const
{
    return kTipo + u'_' + nome() + QStringLiteral(".csv");
}

QString DueDateList::scriviCsv(const QByteArray& csv, const QString& path)
{
    if (const QString refusal = OutputFiles::refusal(path, CsvFile::firma(kIntestazione.mid(0, 2)),
                                                     QStringLiteral("elenco di scadenze (CSV)"));
        !refusal.isEmpty())
        return refusal;
    return CsvFile::scrivi(csv, path);
}

void DueDateList::registerLayout()
{
    LayoutRegistry::add(kTipo, {[](const std::any& data, const LayoutContext& ctx) {
                                    return RegisterLayout::layout(std::any_cast<const RegisterTable&>(data), ctx);
                                },
                                true, true,
                                [](const std::any& data) { return std::any_cast<const RegisterTable&>(data).nome; }});
}
