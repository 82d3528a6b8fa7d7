#include "ddt/ddtlinkstore.h"

#include "data/database.h"
#include "data/dialect.h"
#include "ddt/ddtstore.h"
#include "papers/seriesstore.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

DbStatus creaTabella()
{
    return Database::exec(
        Dialect::table(QStringLiteral("CREATE TABLE IF NOT EXISTS FattureDdt (NumDdt TEXT PRIMARY "
                                      "KEY COLLATE NOCASE, NumFattura TEXT NOT NULL COLLATE NOCASE)")));
}

DbStatus eliminaSePresente(const QString& sql, const QString& num)
{
    const auto there = DdtLinkStore::presente();
    if (!there)
        return there.error();
    if (!there.value())
        return std::nullopt;
    return Database::exec(sql, {num});
}

} // namespace

DbResult<bool> DdtLinkStore::presente()
{
    const auto v = Database::scalar(Dialect::tableCount(), {QStringLiteral("FattureDdt")});
    if (!v)
        return v.error();
    return v->toLongLong() > 0;
}

DbResult<QList<Ddt>> DdtLinkStore::daFatturare(int anno, qint64 idAna)
{
    const auto there = presente();
    if (!there)
        return there.error();
    QString sql = QStringLiteral("SELECT D.Num FROM Ddt D WHERE D.IdAna = ? AND D.Data >= ? AND D.Data < ?");
    if (there.value())
        sql += QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM FattureDdt L WHERE L.NumDdt = D.Num)");
    sql += QStringLiteral(" ORDER BY ordinal(D.Num), D.Num");
    const auto nums = SeriesStore::texts(sql, {idAna, SeriesStore::yearStart(anno), SeriesStore::yearEnd(anno)});
    if (!nums)
        return nums.error();
    QList<Ddt> out;
    for (const QString& num : nums.value()) {
        auto d = DdtStore::load(num);
        if (!d)
            return d.error();
        if (d.value())
            out.append(std::move(*d.value()));
    }
    return out;
}

DbResult<QString> DdtLinkStore::fattura(const QString& numDdt)
{
    const auto there = presente();
    if (!there)
        return there.error();
    if (!there.value())
        return QString();
    const auto v = Database::scalar(QStringLiteral("SELECT NumFattura FROM FattureDdt WHERE NumDdt = ?"), {numDdt});
    if (!v)
        return v.error();
    return v->toString();
}

DbStatus DdtLinkStore::collega(const QString& fattura, const QStringList& ddt)
{
    if (auto err = creaTabella())
        return err;
    for (const QString& num : ddt) {
        const auto presa = DdtLinkStore::fattura(num);
        if (!presa)
            return presa.error();
        if (!presa->isEmpty())
            return DbError{NonDisponibile,
                           QStringLiteral("Il DDT %1 è già stato fatturato con la fattura %2").arg(num, presa.value())};
        const auto stored = DdtStore::exists(num);
        if (!stored)
            return stored.error();
        if (!stored.value())
            return DbError{NonDisponibile, QStringLiteral("Il DDT %1 non esiste più").arg(num)};
        if (auto err = Database::exec(QStringLiteral("INSERT INTO FattureDdt (NumDdt, NumFattura) VALUES (?, ?)"),
                                      {num, fattura}))
            return err;
    }
    return std::nullopt;
}

DbStatus DdtLinkStore::liberaFattura(const QString& fattura)
{
    return eliminaSePresente(QStringLiteral("DELETE FROM FattureDdt WHERE NumFattura = ?"), fattura);
}

DbStatus DdtLinkStore::annullabile(const QString& numDdt)
{
    return seFatturato(numDdt,
                       QStringLiteral("Il DDT %1 è stato fatturato con la fattura %2: annullare prima la fattura."));
}

DbStatus DdtLinkStore::modificabile(const QString& numDdt)
{
    return seFatturato(numDdt,
                       QStringLiteral("Il DDT %1 è stato fatturato con la fattura %2: non si può più modificare."));
}

DbStatus DdtLinkStore::seFatturato(const QString& numDdt, const QString& text)
{
    const auto presa = fattura(numDdt);
    if (!presa)
        return presa.error();
    if (presa->isEmpty())
        return std::nullopt;
    return DbError{Fatturato, text.arg(numDdt, presa.value())};
}

DbStatus DdtLinkStore::cambioCliente(const QString& fattura, qint64 idAna)
{
    const auto there = presente();
    if (!there)
        return there.error();
    if (!there.value())
        return std::nullopt;
    const auto altri = SeriesStore::texts(QStringLiteral("SELECT L.NumDdt FROM FattureDdt L JOIN Ddt D ON D.Num = "
                                                         "L.NumDdt WHERE L.NumFattura = ? AND D.IdAna <> ? "
                                                         "ORDER BY ordinal(L.NumDdt), L.NumDdt"),
                                          {fattura, idAna});
    if (!altri)
        return altri.error();
    if (altri->isEmpty())
        return std::nullopt;
    return DbError{DaDdt, QStringLiteral("La fattura %1 è stata emessa dai DDT %2 del suo cliente: "
                                         "non può passare a un altro cliente.")
                              .arg(fattura, altri->join(QStringLiteral(", ")))};
}
