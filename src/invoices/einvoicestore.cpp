#include "invoices/einvoicestore.h"

#include "data/database.h"
#include "invoices/einvoicerules.h"
#include "invoices/fiscalwordings.h"
#include "papers/seriesstore.h"
#include "shell/formats.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

QString text(const QSqlQuery& q, int i)
{
    return q.value(i).toString();
}

} // namespace

DbResult<CompanyFiscalData> EInvoiceStore::company()
{
    auto q = Database::select(
        QStringLiteral(
            "SELECT Denominazione, PartitaIva, CodiceFiscale, RegimeFiscale, Indirizzo, Cap, Comune, Provincia, "
            "Nazione, Iban, IstitutoFinanziario, PersonaFisica FROM EFatturaAzienda WHERE Id = ?"),
        {1});
    if (!q)
        return q.error();
    CompanyFiscalData d;
    if (q.value().next()) {
        const QSqlQuery& r = q.value();
        d.denominazione = text(r, 0);
        d.partitaIva = text(r, 1);
        d.codiceFiscale = text(r, 2);
        d.regimeFiscale = text(r, 3);
        d.indirizzo = text(r, 4);
        d.cap = text(r, 5);
        d.comune = text(r, 6);
        d.provincia = text(r, 7);
        d.nazione = text(r, 8);
        d.iban = text(r, 9);
        d.istitutoFinanziario = text(r, 10);
        d.personaFisica = r.value(11).toInt() != 0;
    }
    auto s = Database::select(
        QStringLiteral("SELECT CausaleRitenuta, BolloACliente FROM EFatturaImpostazioni WHERE Id = ?"), {1});
    if (!s)
        return s.error();
    if (s.value().next()) {
        if (const QString causale = text(s.value(), 0); !causale.isEmpty())
            d.causaleRitenuta = causale;
        d.bolloACliente = s.value().value(1).toInt() != 0;
    }
    return d;
}

DbStatus EInvoiceStore::saveCompany(const CompanyFiscalData& d)
{
    Transaction tx(Transaction::Write);
    if (DbStatus s =
            Database::exec(QStringLiteral("INSERT INTO EFatturaImpostazioni (Id, CausaleRitenuta, BolloACliente) "
                                          "VALUES (1, ?, ?) ON CONFLICT (Id) DO UPDATE SET CausaleRitenuta = "
                                          "excluded.CausaleRitenuta, BolloACliente = excluded.BolloACliente"),
                           {d.causaleRitenuta, d.bolloACliente ? 1 : 0}))
        return s;
    if (DbStatus s = Database::exec(
            QStringLiteral(
                "INSERT INTO EFatturaAzienda (Id, Denominazione, PartitaIva, CodiceFiscale, "
                "RegimeFiscale, Indirizzo, Cap, Comune, Provincia, Nazione, Iban, IstitutoFinanziario, "
                "PersonaFisica) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (Id) DO UPDATE SET "
                "Denominazione = excluded.Denominazione, PartitaIva = excluded.PartitaIva, "
                "CodiceFiscale = excluded.CodiceFiscale, RegimeFiscale = excluded.RegimeFiscale, "
                "Indirizzo = excluded.Indirizzo, Cap = excluded.Cap, Comune = excluded.Comune, "
                "Provincia = excluded.Provincia, Nazione = excluded.Nazione, Iban = excluded.Iban, "
                "IstitutoFinanziario = excluded.IstitutoFinanziario, PersonaFisica = excluded.PersonaFisica"),
            {d.denominazione, d.partitaIva, d.codiceFiscale, d.regimeFiscale, d.indirizzo, d.cap, d.comune, d.provincia,
             d.nazione, d.iban, d.istitutoFinanziario, d.personaFisica ? 1 : 0}))
        return s;
    return tx.commit();
}

DbResult<CustomerEInvoiceData> EInvoiceStore::customer(qint64 idAna)
{
    auto q = Database::select(
        QStringLiteral("SELECT CodiceDestinatario, Pec, Nazione FROM EFatturaClienti WHERE IdAna = ?"), {idAna});
    if (!q)
        return q.error();
    CustomerEInvoiceData d;
    if (q.value().next()) {
        d.codiceDestinatario = text(q.value(), 0);
        d.pec = text(q.value(), 1);
        d.nazione = text(q.value(), 2);
    }
    return d;
}

DbStatus EInvoiceStore::saveCustomer(qint64 idAna, const CustomerEInvoiceData& d)
{
    return Database::exec(QStringLiteral("INSERT INTO EFatturaClienti (IdAna, CodiceDestinatario, Pec, Nazione) "
                                         "VALUES (?, ?, ?, ?) ON CONFLICT (IdAna) DO UPDATE SET CodiceDestinatario = "
                                         "excluded.CodiceDestinatario, Pec = excluded.Pec, Nazione = excluded.Nazione"),
                          {idAna, d.codiceDestinatario, d.pec, d.nazione});
}

DbResult<std::optional<CustomerRecord>> EInvoiceStore::customerRecord(qint64 idAna)
{
    auto q = Database::select(QStringLiteral("SELECT Nome, Ragione, Ragione2, Piva, Cf, Indirizzo, Cap, Città, Prov "
                                             "FROM Anagrafica WHERE Id = ?"),
                              {idAna});
    if (!q)
        return q.error();
    if (!q.value().next())
        return std::optional<CustomerRecord>();
    const QSqlQuery& r = q.value();
    return std::optional<CustomerRecord>(CustomerRecord{text(r, 0), text(r, 1), text(r, 2), text(r, 3), text(r, 4),
                                                        text(r, 5), text(r, 6), text(r, 7), text(r, 8)});
}

DbResult<QString> EInvoiceStore::natura(const QString& num)
{
    auto v = Database::scalar(QStringLiteral("SELECT Natura FROM EFatturaNatura WHERE Num = ?"), {num});
    if (!v)
        return v.error();
    return v.value().toString();
}

DbStatus EInvoiceStore::saveNatura(const QString& num, const QString& natura)
{
    return Database::exec(QStringLiteral("INSERT INTO EFatturaNatura (Num, Natura) VALUES (?, ?) "
                                         "ON CONFLICT (Num) DO UPDATE SET Natura = excluded.Natura"),
                          {num, natura});
}

DbResult<QStringList> EInvoiceStore::diciture(int aliquota, bool ritenuta, const QString& natura,
                                              const Decimal& imponibile)
{
    const auto azienda = company();
    if (!azienda)
        return azienda.error();
    return FiscalWordings::tratta(azienda.value(), aliquota, ritenuta, natura, imponibile).diciture;
}

DbResult<QStringList> EInvoiceStore::rifiutiRegime(int aliquota, bool ritenuta)
{
    const auto azienda = company();
    if (!azienda)
        return azienda.error();
    return FiscalWordings::rifiutiRegime(azienda.value(), aliquota, ritenuta);
}

DbResult<std::optional<InvoiceRow>> EInvoiceStore::rigaBollo(int aliquota, bool ritenuta, const QString& natura,
                                                             const QList<InvoiceRow>& rows)
{
    const auto azienda = company();
    if (!azienda)
        return azienda.error();
    return FiscalWordings::rigaBollo(azienda.value(), aliquota, ritenuta, natura, rows);
}

DbStatus EInvoiceStore::forgetNatura(const QString& num)
{
    if (DbStatus s = Database::exec(QStringLiteral("DELETE FROM EFatturaNatura WHERE Num = ?"), {num}))
        return s;
    if (DbStatus s = Database::exec(QStringLiteral("DELETE FROM EFatturaPA WHERE Num = ?"), {num}))
        return s;
    // The number's next invoice is another document: its file gets a name of its own.
    return Database::exec(QStringLiteral("DELETE FROM EFatturaFile WHERE Num = ?"), {num});
}

DbResult<long long> EInvoiceStore::progressiveOf(const QString& num)
{
    auto v = Database::scalar(QStringLiteral("SELECT Progressivo FROM EFatturaFile WHERE Num = ?"), {num});
    if (!v)
        return v.error();
    return v.value().toLongLong();
}

DbResult<QList<EInvoiceStore::Assigned>> EInvoiceStore::assign(const QStringList& nums, bool newNames)
{
    // Read and raise under the write lock: two programs never take the same number.
    Transaction t(Transaction::Write);
    if (!t.started())
        return DbError::notStarted();
    auto last = lastProgressive();
    if (!last)
        return last.error();
    long long ultimo = last.value();
    QList<Assigned> out;
    out.reserve(nums.size());
    for (const QString& num : nums) {
        auto given = progressiveOf(num);
        if (!given)
            return given.error();
        Assigned a{num, given.value(), given.value(), false};
        if (a.progressive == 0 || newNames) {
            a.progressive = ++ultimo;
            a.taken = true;
            if (DbStatus s = Database::exec(
                    QStringLiteral("INSERT INTO EFatturaFile (Num, Progressivo) VALUES (?, ?) ON CONFLICT (Num) DO "
                                   "UPDATE SET Progressivo = excluded.Progressivo"),
                    {num, a.progressive}))
                return *s;
        }
        out.append(a);
    }
    if (ultimo != last.value())
        if (DbStatus s = setLast(ultimo))
            return *s;
    if (DbStatus s = t.commit())
        return *s;
    return out;
}

DbStatus EInvoiceStore::giveBack(const QList<Assigned>& unwritten)
{
    Transaction t(Transaction::Write);
    if (!t.started())
        return DbError::notStarted();
    long long lowest = 0;
    long long highest = 0;
    for (const Assigned& a : unwritten) {
        if (!a.taken)
            continue;
        // Back to the name it had, or to none; unless another seat changed it meanwhile.
        const QString sql = a.previous == 0
                                ? QStringLiteral("DELETE FROM EFatturaFile WHERE Num = ? AND Progressivo = ?")
                                : QStringLiteral("UPDATE EFatturaFile SET Progressivo = ? WHERE Num = ? AND "
                                                 "Progressivo = ?");
        const QVariantList values =
            a.previous == 0 ? QVariantList{a.num, a.progressive} : QVariantList{a.previous, a.num, a.progressive};
        if (DbStatus s = Database::exec(sql, values))
            return s;
        lowest = lowest == 0 ? a.progressive : std::min(lowest, a.progressive);
        highest = std::max(highest, a.progressive);
    }
    // Only the top of the sequence can be given back: lower ones stay unused.
    if (highest != 0) {
        auto last = lastProgressive();
        if (!last)
            return last.error();
        if (last.value() == highest)
            if (DbStatus s = setLast(lowest - 1))
                return s;
    }
    return t.commit();
}

DbStatus EInvoiceStore::setLast(long long ultimo)
{
    if (DbStatus s = Database::exec(QStringLiteral("INSERT INTO EFatturaProgressivo (Id, Ultimo) "
                                                   "VALUES (1, 0) ON CONFLICT (Id) DO NOTHING")))
        return s;
    return Database::exec(QStringLiteral("UPDATE EFatturaProgressivo SET Ultimo = ? WHERE Id = 1"), {ultimo});
}

DbResult<long long> EInvoiceStore::lastProgressive()
{
    auto v = Database::scalar(QStringLiteral("SELECT Ultimo FROM EFatturaProgressivo WHERE Id = 1"));
    if (!v)
        return v.error();
    return v.value().toLongLong();
}

DbResult<PublicBodyCodes> EInvoiceStore::publicBodyCodes(const QString& num)
{
    auto q = Database::select(QStringLiteral("SELECT Cig, Cup FROM EFatturaPA WHERE Num = ?"), {num});
    if (!q)
        return q.error();
    PublicBodyCodes c;
    if (q.value().next()) {
        c.cig = text(q.value(), 0);
        c.cup = text(q.value(), 1);
    }
    return c;
}

DbStatus EInvoiceStore::savePublicBodyCodes(const QString& num, const PublicBodyCodes& codes)
{
    if (codes.cig.trimmed().isEmpty() && codes.cup.trimmed().isEmpty())
        return Database::exec(QStringLiteral("DELETE FROM EFatturaPA WHERE Num = ?"), {num});
    return Database::exec(QStringLiteral("INSERT INTO EFatturaPA (Num, Cig, Cup) VALUES (?, ?, ?) ON CONFLICT (Num) DO "
                                         "UPDATE SET Cig = excluded.Cig, Cup = excluded.Cup"),
                          {num, codes.cig.trimmed().toUpper(), codes.cup.trimmed().toUpper()});
}

DbResult<QList<DdtReference>> EInvoiceStore::ddtOf(const QString& num)
{
    auto q = Database::select(QStringLiteral("SELECT D.Num, D.Data FROM FattureDdt L JOIN Ddt D ON D.Num = L.NumDdt "
                                             "WHERE L.NumFattura = ? ORDER BY D.Data, D.Num"),
                              {num});
    if (!q)
        return q.error();
    QList<DdtReference> out;
    while (q.value().next())
        out.append({text(q.value(), 0), Formats::fromIsoDate(text(q.value(), 1))});
    return out;
}

DbResult<QList<QDate>> EInvoiceStore::ddtDates(const QStringList& nums)
{
    QList<QDate> out;
    for (const QString& num : nums) {
        const auto v = Database::scalar(QStringLiteral("SELECT Data FROM Ddt WHERE Num = ?"), {num});
        if (!v)
            return v.error();
        if (!v->isNull())
            out.append(Formats::fromIsoDate(v->toString()));
    }
    return out;
}

DbResult<QSet<qint64>> EInvoiceStore::publicBodies()
{
    auto q = Database::select(QStringLiteral("SELECT IdAna, CodiceDestinatario, Nazione FROM EFatturaClienti"));
    if (!q)
        return q.error();
    QSet<qint64> out;
    while (q.value().next())
        if (EInvoiceRules::pubblicaAmministrazione({text(q.value(), 1), QString(), text(q.value(), 2)}))
            out.insert(q.value().value(0).toLongLong());
    return out;
}

DbResult<QHash<QString, QList<DdtReference>>> EInvoiceStore::ddtOfYear(int anno)
{
    auto q = Database::select(QStringLiteral("SELECT F.Num, D.Num, D.Data FROM Fatture F JOIN FattureDdt L ON "
                                             "L.NumFattura = F.Num JOIN Ddt D ON D.Num = L.NumDdt WHERE F.Data >= ? "
                                             "AND F.Data < ? ORDER BY D.Data, D.Num"),
                              {SeriesStore::yearStart(anno), SeriesStore::yearEnd(anno)});
    if (!q)
        return q.error();
    QHash<QString, QList<DdtReference>> out;
    while (q.value().next())
        out[text(q.value(), 0)].append({text(q.value(), 1), Formats::fromIsoDate(text(q.value(), 2))});
    return out;
}

DbResult<QHash<QString, PublicBodyCodes>> EInvoiceStore::allPublicBodyCodes()
{
    auto q = Database::select(QStringLiteral("SELECT Num, Cig, Cup FROM EFatturaPA"));
    if (!q)
        return q.error();
    QHash<QString, PublicBodyCodes> out;
    while (q.value().next())
        out.insert(text(q.value(), 0), {text(q.value(), 1), text(q.value(), 2)});
    return out;
}
