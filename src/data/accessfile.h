#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Reads the tables of an Access (Jet 3 or Jet 4) database file, the format of the original
// program's "Dati\Corvalisto.mdb". Needs no password: the file's password only guards Access.
class AccessFile {
public:
    // The column types this program meets in such a file.
    enum class Type { Whole, Single, Double, Currency, DateTime, Text, Other };

    struct Column {
        QString name;
        Type type = Type::Other;
    };

    // One value as the file holds it: `isNull`, else the field of its column's type.
    struct Value {
        bool isNull = true;
        long long whole = 0;     // Whole; Currency in ten-thousandths
        float single = 0;        // Single
        double real = 0;         // Double; DateTime as days since 1899-12-30
        QString text;            // Text and memo
    };

    ~AccessFile();
    AccessFile(const AccessFile&) = delete;
    AccessFile& operator=(const AccessFile&) = delete;

    // Opens the file read-only; nothing when it is not an Access database. `problem` gets why.
    static std::unique_ptr<AccessFile> open(const QString& path, QString* problem);

    QStringList tables() const;
    // The columns of `table`, in the file's order; empty when the table cannot be read.
    std::vector<Column> columns(const QString& table) const;
    // The rows the table's definition announces.
    long long rowCount(const QString& table) const;
    // Calls `row` with each row's values (in the order of `columns`); stops early when it returns
    // false. The rows read, or nothing when the table cannot be read.
    std::optional<long long> read(const QString& table, const std::function<bool(const std::vector<Value>&)>& row) const;

private:
    struct Handle;
    explicit AccessFile(Handle* handle);
    Handle* m_handle;
};
