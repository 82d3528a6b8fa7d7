#pragma once

#include "data/database.h"
#include "data/dialect.h"

#include <QString>
#include <gtest/gtest.h>

// Makes the database refuse every row inserted into `table` whose `column` is `value`, with
// `message` as the error, on either engine: a write that fails halfway, as a full disk would.
inline void failInsertsWhere(const QString& table, const QString& column, int value, const QString& message)
{
    QStringList sql;
    if (Dialect::onServer()) {
        sql << QStringLiteral("CREATE FUNCTION failrow_%1() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                              "IF NEW.%2 = %3 THEN RAISE EXCEPTION '%4'; END IF; RETURN NEW; END $$")
                   .arg(table, column)
                   .arg(value)
                   .arg(message)
            << QStringLiteral("CREATE TRIGGER failrow BEFORE INSERT ON %1 FOR EACH ROW EXECUTE FUNCTION failrow_%1()")
                   .arg(table);
    } else {
        sql << QStringLiteral("CREATE TRIGGER failrow BEFORE INSERT ON %1 WHEN NEW.%2 = %3 "
                              "BEGIN SELECT RAISE(ABORT, '%4'); END")
                   .arg(table, column)
                   .arg(value)
                   .arg(message);
    }
    for (const QString& s : sql) {
        const DbStatus err = Database::exec(s);
        EXPECT_FALSE(err) << s.toStdString() << ": " << (err ? err->text.toStdString() : std::string());
    }
}
