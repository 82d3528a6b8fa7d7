#pragma once

#include <QString>
#include <optional>

// What a database file holds, in the user's terms, to compare a copy with the data in use.
struct DataCounts {
    qint64 clienti = 0;
    qint64 fatture = 0;
    qint64 ddt = 0;

    // Read from the file, read-only; empty when it cannot be read.
    static std::optional<DataCounts> of(const QString& file);
    // "12 clienti, 40 fatture, 25 DDT".
    QString text() const;
};
