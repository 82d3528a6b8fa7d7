#pragma once

#include <QSqlError>
#include <QString>
#include <optional>
#include <utility>

// A database failure as the windows report it: "Errore " + number, with the text.
struct DbError {
    // A paper number or key that is already taken.
    static constexpr int Duplicate = 3022;
    // A write transaction that could not begin (the lock not had within the wait, or the connection down).
    static constexpr int NotStarted = 3246;

    int number = 0;
    QString text;

    static DbError from(const QSqlError& e);
    // A number past the Decimal range, read or about to be written: run-time error 6.
    static DbError overflow();
    // The same, saying where: "nella fattura 12/26".
    static DbError overflow(const QString& where);
    static DbError notStarted() { return {NotStarted, QStringLiteral("Transazione non avviata")}; }
    QString title() const { return QStringLiteral("Errore ") + QString::number(number); }
};

// Outcome of a storage call: nothing on success, the error otherwise.
using DbStatus = std::optional<DbError>;

// A value or the error that prevented reading it.
template <typename T> class DbResult {
public:
    DbResult(T value) : m_value(std::move(value)) {}
    DbResult(DbError error) : m_error(std::move(error)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *m_value; }
    T& value() { return *m_value; }
    const T& operator*() const { return *m_value; }
    const T* operator->() const { return &*m_value; }
    const DbError& error() const { return m_error; }

private:
    std::optional<T> m_value;
    DbError m_error;
};
