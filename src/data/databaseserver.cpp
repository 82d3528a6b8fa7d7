#include "data/database.h"

#include "data/connectionparts.h"
#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QTextStream>
#include <QUrl>
#include <cerrno>
#include <libpq-fe.h>

// The PostgreSQL server several workstations share: its address, its connection and its checks.

#define kConnection ConnectionParts::name()

namespace {

// The address of this thread's server connection, when it is one.
thread_local QString g_serverUrl;

} // namespace

namespace ConnectionParts {

void forgetServer()
{
    g_serverUrl.clear();
}

} // namespace ConnectionParts

namespace Database {

QString serverUrl()
{
    return isOpen() ? g_serverUrl : QString();
}
QString chooseServer(const QString& option, const QString& workDir)
{
    if (!option.trimmed().isEmpty())
        return option.trimmed();
    const QString env = qEnvironmentVariable("CORVALISTO_DATABASE").trimmed();
    if (!env.isEmpty())
        return env;
    QFile ini(QDir(workDir).filePath(QStringLiteral("Database.ini")));
    if (!ini.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&ini);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#') && !line.startsWith(u';'))
            return line;
    }
    return {};
}

bool isServerUrl(const QString& url)
{
    const QUrl u(url, QUrl::StrictMode);
    return u.isValid() && (u.scheme() == QStringLiteral("postgresql") || u.scheme() == QStringLiteral("postgres")) &&
           u.password().isEmpty() && u.path().size() > 1;
}

namespace {

// libpq's own connection under the program's, when the program is on a server.
PGconn* pgConnection()
{
    const QVariant handle = QSqlDatabase::database(kConnection, false).driver()->handle();
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

QString serverName(const QUrl& u)
{
    return u.path().mid(1);
}

QString serverHost(const QUrl& u)
{
    const QString host = u.host().isEmpty() ? QStringLiteral("localhost") : u.host();
    return u.port() > 0 ? host + u':' + QString::number(u.port()) : host;
}

} // namespace

QString describeServer(const QString& url)
{
    const QUrl u(url);
    return QStringLiteral("database \"%1\" sul server %2").arg(serverName(u), serverHost(u));
}

QString libpqConnInfo(const QString& url)
{
    const QUrl u(url);
    QStringList parts;
    if (!u.host().isEmpty())
        parts << QStringLiteral("host=") + u.host();
    if (u.port() > 0)
        parts << QStringLiteral("port=%1").arg(u.port());
    parts << QStringLiteral("dbname=") + serverName(u);
    if (!u.userName().isEmpty())
        parts << QStringLiteral("user=") + u.userName();
    return parts.join(u' ');
}

namespace {

// Connects to the server without reading anything; a failure names host and database.
DbStatus connectServer(const QString& url)
{
    close();
    if (!isServerUrl(url))
        return DbError{Unreachable, QStringLiteral("Indirizzo del database non valido: \"%1\" (atteso "
                                                   "postgresql://utente@server:porta/nome, senza password)")
                                        .arg(url)};
    const QUrl u(url);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), kConnection);
    if (!db.isValid()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnection);
        return DbError{Unreachable, QStringLiteral("Driver PostgreSQL di Qt non installato (libqt6sql6-psql)")};
    }
    if (!u.host().isEmpty())
        db.setHostName(u.host());
    if (u.port() > 0)
        db.setPort(u.port());
    db.setDatabaseName(serverName(u));
    if (!u.userName().isEmpty())
        db.setUserName(u.userName());
    db.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=Corvalisto"));
    if (!db.open()) {
        const QString text =
            db.lastError().databaseText().trimmed().isEmpty() ? db.lastError().text() : db.lastError().databaseText();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnection);
        return DbError{Unreachable,
                       QStringLiteral("Impossibile collegarsi al %1: %2").arg(describeServer(url), text.trimmed())};
    }
    g_serverUrl = url;
    // Dates and texts as the stores write them, whatever the server's defaults.
    // The server's notices ("already exists, skipping") are not the user's business. One round trip.
    exec(QStringLiteral("SET client_encoding TO 'UTF8'; SET client_min_messages TO warning"));
    // libpq prints what the server says between statements ("terminating connection ...") on the
    // error stream in English; the program reports the failure in its own words instead.
    if (PGconn* conn = pgConnection())
        PQsetNoticeProcessor(
            conn, [](void*, const char*) {}, nullptr);
    return std::nullopt;
}

DbResult<QStringList> serverColumn(const QString& sql, const QVariantList& values = {})
{
    auto q = select(sql, values);
    if (!q)
        return q.error();
    QStringList out;
    while (q.value().next())
        out << q.value().value(0).toString();
    return out;
}

DbStatus checkServer()
{
    const auto tables = serverColumn(
        QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema()"));
    if (!tables)
        return tables.error();
    if (tables->isEmpty())
        return DbError{Empty, QStringLiteral("Il database non contiene tabelle")};
    // All columns at once: one round trip, not one a table.
    auto columns = select(QStringLiteral("SELECT table_name, column_name FROM information_schema.columns "
                                         "WHERE table_schema = current_schema()"));
    if (!columns)
        return columns.error();
    QHash<QString, QStringList> present;
    QSqlQuery& cq = columns.value();
    while (cq.next())
        present[cq.value(0).toString().toLower()] << cq.value(1).toString();
    const auto& expected = ConnectionParts::expectedColumns();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QStringList& there = present[it.key().toLower()];
        if (there.isEmpty())
            return DbError{Foreign, QStringLiteral("Manca la tabella %1").arg(it.key())};
        for (const QString& c : it.value())
            if (!there.contains(c, Qt::CaseInsensitive))
                return DbError{Foreign, QStringLiteral("Manca la colonna %1 della tabella %2").arg(c, it.key())};
    }
    const auto functions = scalar(QStringLiteral("SELECT count(DISTINCT proname) FROM pg_proc WHERE pronamespace = "
                                                 "to_regnamespace(current_schema())::oid AND proname IN "
                                                 "('fold', 'sortkey', 'instr', 'year', 'ordinal')"));
    if (!functions)
        return functions.error();
    if (functions->toInt() != 5)
        return DbError{Foreign, QStringLiteral("Mancano le funzioni del programma")};
    const auto shape = Schema::version();
    if (!shape)
        return shape.error();
    if (shape.value() > Schema::latest())
        return Schema::newerShape(shape.value());
    // The first table, in the program's order, the user may not write; all asked at once.
    const QStringList ours = Schema::tableNames();
    const auto refused = scalar(QStringLiteral("SELECT n FROM unnest(string_to_array(?, ',')) WITH ORDINALITY AS "
                                               "x(t, n) WHERE NOT has_table_privilege(t, 'SELECT, INSERT, UPDATE, "
                                               "DELETE') ORDER BY n LIMIT 1"),
                                {ours.join(u',').toLower()});
    if (!refused)
        return refused.error();
    if (!refused->isNull())
        return DbError{
            ReadOnly,
            QStringLiteral("L'utente non può scrivere nella tabella %1").arg(ours.value(refused->toInt() - 1))};
    return std::nullopt;
}

} // namespace

DbStatus openServer(const QString& url, const std::function<DbStatus()>& beforeChange)
{
    if (auto err = connectServer(url))
        return err;
    DbStatus err = checkServer();
    if (!err)
        err = Schema::upgrade(beforeChange);
    if (err) {
        close();
        return err;
    }
    return std::nullopt;
}

DbStatus initServer(const QString& url, const std::function<DbStatus()>& fill)
{
    if (auto err = connectServer(url))
        return err;
    // Whichever statement a dropped connection cut, the driver's English text is not the user's business.
    auto fail = [](const DbError& e) {
        const bool lost = serverConnectionLost();
        close();
        return lost ? DbError{ConnectionLost, QStringLiteral("La connessione al server si è interrotta.")} : e;
    };
    {
        Transaction tx(Transaction::Write);
        if (!tx.started())
            return fail(DbError::notStarted());
        // Whatever the database holds, even one table not ours, is left alone. Asked under the
        // write lock: of two runs at once, the second finds the tables of the first.
        const auto taken = scalar(QStringLiteral("SELECT count(*) FROM pg_class c JOIN pg_namespace n ON n.oid = "
                                                 "c.relnamespace WHERE n.nspname = current_schema() AND c.relkind IN "
                                                 "('r', 'v', 'm', 'p', 'f')"));
        if (!taken)
            return fail(taken.error());
        if (taken->toLongLong() != 0)
            return fail(DbError{EEXIST, QStringLiteral("Il %1 contiene già delle tabelle").arg(describeServer(url))});
        for (const QString& sql : Dialect::serverFunctions())
            if (auto err = exec(sql))
                return fail(*err);
        if (auto err = ConnectionParts::createFilled(fill))
            return fail(*err);
        if (auto err = tx.commit())
            return fail(*err);
    }
    return std::nullopt;
}

bool serverConnectionLost()
{
    PGconn* conn = pgConnection();
    return conn && PQstatus(conn) == CONNECTION_BAD;
}

} // namespace Database
