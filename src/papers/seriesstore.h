#pragma once

#include "data/customerlist.h"
#include "data/dberror.h"
#include "data/listorder.h"
#include "data/rowcursor.h"
#include "shell/decimal.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <optional>

// The statements every paper's table shares: its yearly series, the storing of a new paper under
// one write lock, its rows by Ord, cancelling the last of a series and the register of one year.
// A paper table has the columns Num, IdAna and Data ('YYYY-MM-DD'); its rows table Num and Ord.
// A paper of one free text has no rows table (nullptr) and may lack IdAna.
class SeriesStore {
public:
    enum class Outcome {
        Done,
        PaperMissing, // no paper of that number
        RowMissing,   // no row of that Ord
        NotLast,      // not the highest number of its series
    };

    // Table names are the program's own, never a user's text. A paper without rows has no rows table.
    SeriesStore(const char* table, const char* rowsTable = nullptr) : m_table(table), m_rows(rowsTable ? rowsTable : "")
    {
    }

    // Largest leading number of the series ending with `suffisso`; nothing when it is empty.
    DbResult<std::optional<long long>> maxOrdinale(const QString& suffisso) const;
    // The largest number of the series plus one, with the suffix.
    DbResult<QString> prossimoNumero(const QString& suffisso) const;
    DbResult<bool> exists(const QString& num) const;
    // Leading numbers of the series `suffisso` whose date lies in `anno`, in number order.
    DbResult<QList<long long>> ordinaliAnno(int anno, const QString& suffisso) const;
    // Leading numbers of the series `suffisso` whatever the papers' dates, in number order.
    DbResult<QList<long long>> ordinaliSerie(const QString& suffisso) const;
    // Numbers of the papers dated in `anno`, in number order.
    DbResult<QStringList> numbersOfYear(int anno) const;
    // Customers having at least one paper, deleted ones too, by name.
    DbResult<QList<CustomerEntry>> customersWithPapers() const;

    // Stores a new paper: the write lock is taken before the number is checked, so two programs
    // on one file cannot both store it; a number taken gives DbError::Duplicate with
    // `duplicateText`. `write` stores header and rows; all or nothing.
    DbStatus issue(const QString& num, const QString& duplicateText, const std::function<DbStatus()>& write) const;
    // Writes a row of a stored paper (added when its Ord is new): `columns` get `values`, and
    // `after` (when given) runs in the same transaction. Nothing is written when the paper is missing.
    DbResult<Outcome> saveRow(const QString& num, long long ord, const QStringList& columns, const QVariantList& values,
                              const std::function<DbStatus()>& after = {}) const;
    // Deletes a row of a stored paper, with `after` in the same transaction.
    DbResult<Outcome> deleteRow(const QString& num, long long ord, const std::function<DbStatus()>& after = {}) const;
    // Deletes the paper and its rows together; only the highest number of its series.
    // PaperMissing when it was no longer there.
    DbResult<Outcome> cancel(const QString& num) const;

    // The register of one year: `selectFrom` names the paper table "P" (joined as it needs) and the
    // statement lists its papers dated in `anno` (of one customer; all when idAna is 0), in
    // `orderBy` order (none given: in no order, see highestFirst).
    DbResult<RowCursor> registro(const QString& selectFrom, int anno, qint64 idAna,
                                 const QString& orderBy = QString()) const;

    // Register rows highest number first: by the leading number of Num as ordinal() reads it,
    // equal ones by Num, highest first. Sorted here rather than by the engine, so that a year of
    // papers costs no function call per row and both engines give the same order.
    template <typename Row> static void highestFirst(QList<Row>& rows)
    {
        std::vector<QString> nums;
        nums.reserve(static_cast<std::size_t>(rows.size()));
        for (const Row& r : rows)
            nums.push_back(r.num);
        ListOrder::rearrange(rows.begin(), highestFirstPositions(nums));
    }
    static std::vector<qsizetype> highestFirstPositions(const std::vector<QString>& nums);

    // Steps a register cursor to its end, `read` taking each row.
    static DbStatus leggi(RowCursor& rows, const std::function<void(const RowCursor&)>& read);

    // Date bounds of a year as stored: the index on Data serves the range.
    static QString yearStart(int anno);
    static QString yearEnd(int anno) { return yearStart(anno + 1); }

    // Decimal columns are REAL: SQLite reads the exact decimal text into its nearest double.
    static QVariant real(const Decimal& d) { return d.toString(); }
    static QVariant realOrNull(const Decimal& d) { return d.isZero() ? QVariant() : real(d); }
    static Decimal fromReal(const QVariant& v);
    // Numbers past the Decimal range are refused before anything is written.
    static DbStatus outOfRange(std::initializer_list<Decimal> values);

    // A store's own outcome, whose cases carry the same names but for the missing paper's.
    template <class E> static DbResult<E> outcomeAs(const DbResult<Outcome>& r, E missing)
    {
        if (!r)
            return r.error();
        switch (r.value()) {
        case Outcome::PaperMissing:
            return missing;
        case Outcome::RowMissing:
            return E::RowMissing;
        case Outcome::NotLast:
            return E::NotLast;
        default:
            return E::Done;
        }
    }
    // The first column of every row a statement gives, as text.
    static DbResult<QStringList> texts(const QString& statement, const QVariantList& values);
    // The statement standing on its first row; nothing when it gives none.
    static DbResult<std::optional<QSqlQuery>> firstRow(const QString& statement, const QVariantList& values);

private:
    QString sql(const char* text) const;
    static DbResult<QList<long long>> ordinali(const QString& statement, const QVariantList& values);

    QString m_table;
    QString m_rows;
};
