#include "data/dberror.h"

#include "data/runtimeerrors.h"

DbError DbError::from(const QSqlError& e)
{
    bool ok = false;
    int number = e.nativeErrorCode().toInt(&ok);
    if (!ok || number == 0)
        number = 3146; // the classic "ODBC call failed" family: a database error without its own code
    QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return {number, text.trimmed()};
}

DbError DbError::overflow()
{
    return {RuntimeErrors::Overflow, RuntimeErrors::text(RuntimeErrors::Overflow)};
}

DbError DbError::overflow(const QString& where)
{
    DbError e = overflow();
    e.text += u' ' + where;
    return e;
}
