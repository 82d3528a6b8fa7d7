#pragma once

#include "data/database.h"
#include "data/dialect.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <gtest/gtest.h>

// Every row of a query as "a|b|c" (NULL as "-"), one line each, so one check sees the whole
// effect of an action. A failing query fails the test and gives the error's text.
inline QString dbRows(const QString& sql, const QVariantList& values = {})
{
    auto selected = Database::select(sql, values);
    if (!selected) {
        ADD_FAILURE() << sql.toStdString() << ": " << selected.error().text.toStdString();
        return selected.error().text;
    }
    QSqlQuery q = std::move(selected.value());
    QStringList out;
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i)
            fields << (q.isNull(i) ? QStringLiteral("-") : q.value(i).toString());
        out << fields.join(u'|');
    }
    return out.join(u'\n');
}

// The first value of a query, as text.
inline QString dbText(const QString& sql, const QVariantList& values = {})
{
    const auto v = Database::scalar(sql, values);
    if (!v) {
        ADD_FAILURE() << sql.toStdString() << ": " << v.error().text.toStdString();
        return v.error().text;
    }
    return v.value().toString();
}

// Whether the database has the table `name`, on either engine.
inline bool hasTable(const QString& name)
{
    return dbText(Dialect::tableCount(), {name}) == QStringLiteral("1");
}

// Makes the open database claim the shape `number` (0: none recorded, as before the history).
inline void recordShape(int number)
{
    DbStatus err;
    if (!Dialect::onServer())
        err = Database::exec(QStringLiteral("PRAGMA user_version = %1").arg(number));
    else if (number == 0)
        err = Database::exec(QStringLiteral("DROP TABLE VersioneSchema"));
    else
        err = Database::exec(QStringLiteral("UPDATE VersioneSchema SET Numero = ?"), {number});
    EXPECT_FALSE(err) << (err ? err->text.toStdString() : std::string());
}

// Makes every insert into `table` whose new row meets `condition` (e.g. "NEW.Ord = 3") fail with
// "disco pieno", on either engine: the way to prove that a half-written paper is rolled back.
inline void failInserts(const QString& table, const QString& condition)
{
    const QString name = QStringLiteral("fail_") + table.toLower();
    QStringList statements;
    if (Dialect::onServer())
        statements << QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF %2 THEN "
                                     "RAISE EXCEPTION 'disco pieno'; END IF; RETURN NEW; END $$")
                          .arg(name, condition)
                   << QStringLiteral("CREATE TRIGGER %1 BEFORE INSERT ON %2 FOR EACH ROW EXECUTE FUNCTION %1()")
                          .arg(name, table);
    else
        statements << QStringLiteral("CREATE TRIGGER %1 BEFORE INSERT ON %2 WHEN %3 "
                                     "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END")
                          .arg(name, table, condition);
    for (const QString& sql : statements)
        if (const DbStatus err = Database::exec(sql))
            ADD_FAILURE() << sql.toStdString() << ": " << err->text.toStdString();
}

// After rows written with keys of their own (as an older program's data): the key counter of
// `table` goes on past them, as SQLite's AUTOINCREMENT does by itself; the server's counter moves
// only for the keys it gives.
inline void followKeys(const QString& table, const QString& key)
{
    if (Dialect::onServer())
        dbText(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), (%3) - 1)")
                   .arg(table.toLower(), key.toLower(), Dialect::nextKey(table, key)));
}
