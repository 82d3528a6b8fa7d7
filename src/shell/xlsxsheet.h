#pragma once

#include "shell/decimal.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <variant>

class QIODevice;

// A spreadsheet file (.xlsx) of one sheet: a header row, then rows whose cells keep their kind —
// codes stay text with their leading zeros, amounts are numbers shown with two decimals, dates
// are dates.
class XlsxSheet {
public:
    enum class Kind { Text, Amount, Whole, Date };
    struct Column {
        QString title;
        Kind kind;
        double width; // in characters
    };
    // A cell: text, amount, whole number or date, as its column says; an empty text is a blank.
    using Cell = std::variant<QString, Decimal, long long, QDate>;

    // `subject` marks the file as ours: only a file with the same one is ever replaced by it.
    XlsxSheet(QString sheetName, QString title, QString subject, QList<Column> columns);
    void addRow(QList<Cell> cells);

    // The file; empty, with the reason in `error`, when it cannot be made.
    QByteArray bytes(QString& error) const;
    // Whether `file` is a spreadsheet this program wrote with that subject.
    static bool writtenWith(QIODevice& file, const QString& subject);

private:
    QString m_sheetName;
    QString m_title;
    QString m_subject;
    QList<Column> m_columns;
    QList<QList<Cell>> m_rows;
};
