#include "invoices/ribapresentation.h"

#include "invoices/companybank.h"
#include "invoices/duedatestore.h"
#include "invoices/einvoicestore.h"
#include "invoices/ribastore.h"
#include "registry/bankcodes.h"
#include "shell/formats.h"
#include "shell/outputfiles.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace RibaPresentation {

namespace {

const QString kRiba = QStringLiteral("MP12");

DbError rifiutata(const QString& why)
{
    return DbError{Rifiutata, why};
}

RibaFile::Creditore creditore(const CompanyFiscalData& c, const CompanyBank& banca)
{
    RibaFile::Creditore out;
    out.ragioneSociale = c.denominazione.trimmed();
    out.indirizzo = c.indirizzo.trimmed();
    out.localita = (c.cap.trimmed() + u' ' + c.comune.trimmed() + u' ' + c.provincia.trimmed()).simplified();
    out.partitaIva = c.partitaIva.trimmed();
    out.banca = banca;
    return out;
}

RibaFile::Ricevuta ricevuta(int numero, const DueDate& d, const RibaStore::Debitore& deb, int rateFattura)
{
    const CustomerRecord& a = deb.anagrafica;
    RibaFile::Ricevuta r;
    r.numero = numero;
    r.scadenza = d.data;
    r.importo = d.importo;
    const QString ragione = (a.ragione.trimmed() + u' ' + a.ragione2.trimmed()).trimmed();
    r.debitore = ragione.isEmpty() ? a.nome.trimmed() : ragione;
    r.codiceFiscale = a.piva.trimmed().isEmpty() ? a.cf.trimmed() : a.piva.trimmed();
    r.indirizzo = a.indirizzo.trimmed();
    r.cap = a.cap.trimmed();
    r.comune = a.citta.trimmed();
    r.provincia = a.prov.trimmed();
    r.abi = deb.abi;
    r.cab = deb.cab;
    r.banca = deb.banca;
    r.riferimento = QStringLiteral("Fatt. %1 del %2 rata %3/%4")
                        .arg(d.num, Formats::shortDate(d.dataFattura))
                        .arg(d.rata)
                        .arg(std::max(rateFattura, d.rata));
    r.codiceCliente = QString::number(d.idAna);
    return r;
}

// Whether the instalments now marked with `id` are those of the file, to the cent and the day.
DbResult<bool> stesseRate(const Distinta& d, qint64 id)
{
    QDate da = d.rate.first().data;
    QDate a = da;
    for (const DueDate& r : d.rate) {
        da = std::min(da, r.data);
        a = std::max(a, r.data);
    }
    DueDateStore::Filtro f;
    f.da = da;
    f.a = a;
    f.scadute = false;
    f.modalita = kRiba;
    const auto ora = DueDateStore::elenco(f);
    if (!ora)
        return ora.error();
    QSet<QString> marcate;
    for (const DueDate& r : ora.value())
        if (r.presentazione == id)
            marcate.insert(QStringLiteral("%1|%2|%3|%4")
                               .arg(r.num)
                               .arg(r.rata)
                               .arg(Formats::isoDate(r.data), r.importo.toString()));
    QSet<QString> nelFile;
    for (const DueDate& r : d.rate)
        nelFile.insert(
            QStringLiteral("%1|%2|%3|%4").arg(r.num).arg(r.rata).arg(Formats::isoDate(r.data), r.importo.toString()));
    return marcate == nelFile;
}

} // namespace

DbResult<Distinta> prepara(const QDate& da, const QDate& a)
{
    const auto banca = CompanyBank::load();
    if (!banca)
        return banca.error();
    if (const QString why = banca->errore(); !why.isEmpty())
        return rifiutata(
            why +
            QStringLiteral(".\nCompletare i dati della banca dell'azienda (menu Impostazioni, Banca per le Ri.Ba.)."));
    const auto azienda = EInvoiceStore::company();
    if (!azienda)
        return azienda.error();
    if (azienda->denominazione.trimmed().isEmpty() || azienda->partitaIva.trimmed().isEmpty())
        return rifiutata(QStringLiteral("Mancano la denominazione o la partita IVA dell'azienda: indicarle nei "
                                        "Dati FATTURA ELETTRONICA (menu Impostazioni)."));

    auto rate = DueDateStore::ribaDaPresentare(da, a);
    if (!rate)
        return rate.error();
    Distinta d;
    d.creditore = creditore(azienda.value(), banca.value());
    d.rate = std::move(rate.value());
    if (d.rate.isEmpty())
        return d;

    QList<qint64> ids;
    QStringList nums;
    for (const DueDate& r : d.rate) {
        if (!ids.contains(r.idAna))
            ids << r.idAna;
        if (!nums.contains(r.num))
            nums << r.num;
    }
    const auto debitori = RibaStore::debitori(ids);
    if (!debitori)
        return debitori.error();
    const auto numeroRate = RibaStore::numeroRate(nums);
    if (!numeroRate)
        return numeroRate.error();

    // Every customer without a bank is named at once, so that one pass over the customers fixes all.
    QStringList senzaBanca;
    for (const DueDate& r : d.rate) {
        const RibaStore::Debitore deb = debitori->value(r.idAna);
        const QString riga = QStringLiteral("- %1 (fattura %2)").arg(r.nome.trimmed(), r.num);
        if ((!BankCodes::codiceValido(deb.abi) || !BankCodes::codiceValido(deb.cab)) && !senzaBanca.contains(riga))
            senzaBanca << riga;
    }
    if (!senzaBanca.isEmpty())
        return rifiutata(QStringLiteral("Le Ri.Ba. non possono essere presentate: questi clienti non hanno i codici "
                                        "ABI e CAB della loro banca.\n%1\nIndicarli nei dati di pagamento del "
                                        "cliente (Anagrafica).")
                             .arg(senzaBanca.join(u'\n')));

    int numero = 0;
    for (const DueDate& r : d.rate) {
        d.ricevute << ricevuta(++numero, r, debitori->value(r.idAna), numeroRate->value(r.num));
        d.totale += r.importo;
    }
    if (const QString why = RibaFile::errore(d.creditore, d.ricevute); !why.isEmpty())
        return rifiutata(why);
    return d;
}

QString nomeFile(const QDate& giorno)
{
    return QStringLiteral("RIBA_%1.txt").arg(giorno.toString(QStringLiteral("yyyyMMdd")));
}

QString riepilogo(const Distinta& d)
{
    return QStringLiteral("%1 Ri.Ba. per %2").arg(d.rate.size()).arg(Formats::euro(d.totale));
}

DbResult<qint64> presenta(const Distinta& d, const QString& path, const QDateTime& quando)
{
    const auto nonScritta = [&path](const QString& why) {
        return DbError{NonScritta, QStringLiteral("Impossibile scrivere \"%1\": %2").arg(path, why)};
    };
    if (d.rate.isEmpty())
        return rifiutata(QStringLiteral("Nessuna Ri.Ba. da presentare."));
    // Only a file of the banks' Ri.Ba. kind is replaced: its first record is the header " IB".
    if (const QString why = OutputFiles::refusal(path, QByteArrayLiteral(" IB"), QStringLiteral("file Ri.Ba."));
        !why.isEmpty())
        return nonScritta(why);

    const QString supporto = QStringLiteral("RIBA") + quando.toString(QStringLiteral("yyyyMMddHHmmss"));
    const QByteArray bytes = RibaFile::scrivi(d.creditore, d.ricevute, quando.date(), supporto);
    QSaveFile file(OutputFiles::resolved(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return nonScritta(file.errorString());

    QList<DueDateStore::Key> keys;
    for (const DueDate& r : d.rate)
        keys << DueDateStore::Key{r.num, r.rata};
    const auto id = DueDateStore::presenta(keys, quando.date(), QFileInfo(path).fileName());
    if (!id) {
        file.cancelWriting();
        return id.error();
    }
    // Another seat may have changed an invoice since the instalments were read: the file must
    // carry what is marked.
    const auto stesse = stesseRate(d, id.value());
    QString why;
    if (!stesse)
        why = stesse.error().title() + QStringLiteral(": ") + stesse.error().text;
    else if (!stesse.value())
        why = QStringLiteral("Le rate sono cambiate nel frattempo: ripetere la presentazione.");
    else if (!file.commit())
        why = QStringLiteral("Impossibile scrivere \"%1\": %2").arg(path, file.errorString());
    if (why.isEmpty())
        return id.value();
    file.cancelWriting();
    if (const auto undo = DueDateStore::annullaPresentazione(id.value()))
        why += QStringLiteral("\nLa presentazione n. %1 non è stata annullata (%2): annullarla dallo scadenzario.")
                   .arg(id.value())
                   .arg(undo->text);
    return DbError{NonScritta, why};
}

} // namespace RibaPresentation
