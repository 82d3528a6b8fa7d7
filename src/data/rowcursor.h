#pragma once

#include "data/dberror.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>

struct sqlite3_stmt;

// Reads the rows of a long SELECT (a register of thousands of papers) on either engine: on
// SQLite straight from the engine, without a variant per value; on the server through Qt.
// Values are bound by position to '?' marks.
class RowCursor {
public:
    static DbResult<RowCursor> open(const QString& sql, const QVariantList& values = {});
    RowCursor(RowCursor&& other) noexcept;
    RowCursor& operator=(RowCursor&&) = delete;
    ~RowCursor();

    // Steps to the next row; false at the end or on an error (see error()).
    bool next();
    DbStatus error() const;

    bool isNull(int column) const;
    QString text(int column) const;
    // The text up to its first line break: a register shows one line of a long text.
    QString firstLine(int column) const;
    double real(int column) const;
    qint64 integer(int column) const;
    // A 'yyyy-mm-dd' column; invalid when it is not one.
    QDate date(int column) const;

private:
    RowCursor() = default;

    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = 0;
    std::unique_ptr<QSqlQuery> m_query;
};
