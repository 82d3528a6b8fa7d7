#include "shell/datacounts.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

std::optional<DataCounts> DataCounts::of(const QString& file)
{
    // A connection of its own, so that the program's own connection is not disturbed.
    const QString name = QStringLiteral("conteggi-") + QUuid::createUuid().toString(QUuid::Id128);
    std::optional<DataCounts> out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            // Customers as the registry lists them: the removed ones are not counted.
            QSqlQuery q(QStringLiteral("SELECT (SELECT count(*) FROM Anagrafica WHERE coalesce(Valid, 1) <> 0), "
                                       "(SELECT count(*) FROM Fatture), (SELECT count(*) FROM Ddt)"),
                        db);
            if (q.next())
                out = DataCounts{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toLongLong()};
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

QString DataCounts::text() const
{
    return QStringLiteral("%1 %2, %3 %4, %5 DDT")
        .arg(clienti)
        .arg(clienti == 1 ? QStringLiteral("cliente") : QStringLiteral("clienti"))
        .arg(fatture)
        .arg(fatture == 1 ? QStringLiteral("fattura") : QStringLiteral("fatture"))
        .arg(ddt);
}
