#include "data/migration.h"

#include "data/database.h"
#include "data/schema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <cmath>

namespace {

const QString kSource = QStringLiteral("corvalisto-migrazione");

struct SourceTable {
    QString name;
    QString ddl;
    QStringList columns;
    QStringList realColumns;
    QString key; // the AUTOINCREMENT column, if any
};

DbResult<QList<SourceTable>> sourceTables(QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                               "'sqlite_%' ORDER BY rowid")))
        return DbError::from(q.lastError());
    QList<SourceTable> out;
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString(), {}, {}, {}});
    for (SourceTable& t : out) {
        QSqlQuery info(db);
        if (!info.prepare(QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)")))
            return DbError::from(info.lastError());
        info.addBindValue(t.name);
        if (!info.exec())
            return DbError::from(info.lastError());
        while (info.next()) {
            t.columns << info.value(0).toString();
            if (info.value(1).toString().compare(QStringLiteral("REAL"), Qt::CaseInsensitive) == 0)
                t.realColumns << info.value(0).toString();
            if (info.value(2).toInt() == 1 && t.ddl.contains(QStringLiteral("AUTOINCREMENT"), Qt::CaseInsensitive))
                t.key = info.value(0).toString();
        }
    }
    return out;
}

// Count and sums of one table, on either side.
DbResult<Migration::TableFigures> figures(const SourceTable& t, const std::function<DbResult<QSqlQuery>(QString)>& run)
{
    QString sql = QStringLiteral("SELECT count(*)");
    for (const QString& c : t.realColumns)
        sql += QStringLiteral(", sum(%1)").arg(c);
    auto q = run(sql + QStringLiteral(" FROM ") + t.name);
    if (!q)
        return q.error();
    if (!q.value().next())
        return DbError::from(q.value().lastError());
    Migration::TableFigures f{t.name, q.value().value(0).toLongLong(), {}};
    for (int i = 0; i < t.realColumns.size(); ++i)
        f.sums << t.realColumns[i] + u'=' + QString::number(q.value().value(i + 1).toDouble(), 'f', 4);
    return f;
}

DbStatus copyTable(QSqlDatabase& source, const SourceTable& t)
{
    QSqlQuery read(source);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM %2").arg(t.columns.join(QStringLiteral(", ")), t.name)))
        return DbError::from(read.lastError());
    QSqlQuery write(Database::connection());
    const QString marks = QStringLiteral("?, ").repeated(t.columns.size()).chopped(2);
    if (!write.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(t.name, t.columns.join(QStringLiteral(", ")), marks)))
        return DbError::from(write.lastError());
    while (read.next()) {
        for (int i = 0; i < t.columns.size(); ++i)
            write.bindValue(i, read.value(i));
        if (!write.exec())
            return DbError::from(write.lastError());
    }
    if (read.lastError().isValid())
        return DbError::from(read.lastError());
    if (t.key.isEmpty())
        return std::nullopt;
    // The counter goes on from the highest key ever given, deleted rows' too.
    QSqlQuery seq(source);
    seq.prepare(QStringLiteral("SELECT max(coalesce((SELECT seq FROM sqlite_sequence WHERE name = ?), 0), "
                               "coalesce((SELECT max(%1) FROM %2), 0))")
                    .arg(t.key, t.name));
    seq.addBindValue(t.name);
    if (!seq.exec() || !seq.next())
        return DbError::from(seq.lastError());
    return Migration::continueCounter(t.name, t.key, seq.value(0).toLongLong());
}

// The driver prints lines of its own (in English) when the server goes away midway; the user
// gets the program's message instead.
QtMessageHandler g_previousHandler = nullptr;

void dropDriverWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        g_previousHandler(type, context, message);
}

// Every table of the file, one after the other, each checked on both sides.
DbStatus copyAll(QSqlDatabase& source, const QList<SourceTable>& tables, QList<Migration::TableFigures>& report)
{
    const QStringList own = Schema::ownTables();
    for (const SourceTable& t : tables) {
        if (!own.contains(t.name, Qt::CaseInsensitive)) {
            if (auto err = Database::exec(Dialect::table(t.ddl)))
                return err;
        } else if (auto err = Database::exec(QStringLiteral("DELETE FROM ") + t.name)) {
            // The new database's own rows (the shipped payment terms) give way to the file's.
            return err;
        }
        if (auto err = copyTable(source, t))
            return err;
        const auto before = figures(t, [&](const QString& sql) -> DbResult<QSqlQuery> {
            QSqlQuery q(source);
            if (!q.exec(sql))
                return DbError::from(q.lastError());
            return q;
        });
        const auto after = figures(t, [](const QString& sql) { return Database::select(sql); });
        if (!before)
            return before.error();
        if (!after)
            return after.error();
        if (before->rows != after->rows || before->sums != after->sums)
            return DbError{3146, QStringLiteral("La copia della tabella %1 non corrisponde (%2 righe "
                                                "%3 invece di %4 righe %5)")
                                     .arg(t.name)
                                     .arg(after->rows)
                                     .arg(after->sums.join(u' '))
                                     .arg(before->rows)
                                     .arg(before->sums.join(u' '))};
        report.append(after.value());
    }
    return std::nullopt;
}

} // namespace

namespace Migration {

DbStatus continueCounter(const QString& table, const QString& key, long long last)
{
    if (!Dialect::onServer())
        return Database::exec(QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = ? AND seq < ?"),
                              {last, table, last});
    return Database::exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), %3, %4)")
                              .arg(table.toLower(), key.toLower())
                              .arg(std::max(last, 1LL))
                              .arg(last > 0 ? QStringLiteral("true") : QStringLiteral("false")));
}

DbResult<QList<TableFigures>> copy(const QString& sqliteFile, const QString& url)
{
    if (auto err = Database::verify(sqliteFile))
        return *err;
    QList<TableFigures> report;
    DbStatus failure;
    {
        QSqlDatabase source = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kSource);
        source.setDatabaseName(sqliteFile);
        source.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!source.open()) {
            failure = DbError::from(source.lastError());
        } else {
            // One read transaction: the copy is of one moment of the file.
            source.transaction();
            const auto tables = sourceTables(source);
            if (!tables)
                failure = tables.error();
            else
                failure = Database::initServer(url, [&] { return copyAll(source, tables.value(), report); });
            // A server stopped or a network gone midway, whichever statement it cut (the set-up tells).
            if (failure && failure->number == Database::ConnectionLost)
                failure = DbError{Database::Unreachable,
                                  QStringLiteral("La connessione al server si è interrotta durante la copia. "
                                                 "Ripetere il comando quando il server risponde di nuovo.")};
            source.rollback();
            source.close();
        }
    }
    QSqlDatabase::removeDatabase(kSource);
    if (failure)
        return *failure;
    return report;
}

int run(const QString& sqliteFile, const QString& url, QTextStream& out, QTextStream& err)
{
    g_previousHandler = qInstallMessageHandler(dropDriverWarnings);
    const auto r = copy(sqliteFile, url);
    Database::close();
    qInstallMessageHandler(g_previousHandler);
    if (!r) {
        err << QStringLiteral("Copia non eseguita: il %1 resta com'era.\n%2 - %3")
                   .arg(Database::describeServer(url), r.error().title(), r.error().text)
            << Qt::endl;
        return 1;
    }
    out << QStringLiteral("Copiato \"%1\" nel %2:").arg(sqliteFile, Database::describeServer(url)) << Qt::endl;
    for (const TableFigures& f : r.value()) {
        out << QStringLiteral("  %1: %2 righe").arg(f.table).arg(f.rows);
        if (!f.sums.isEmpty())
            out << QStringLiteral(", somme ") << f.sums.join(QStringLiteral(", "));
        out << Qt::endl;
    }
    out << QStringLiteral("Conteggi e somme verificati.") << Qt::endl;
    return 0;
}

} // namespace Migration
