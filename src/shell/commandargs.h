#pragma once

#include "data/dberror.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

// What every command takes from the command line, read by one rule and refused with one message.
namespace CommandArgs {

inline constexpr int kPrimoAnno = 1900;
inline constexpr int kUltimoAnno = 9999;

// A year from 1900 to 9999; nothing, with the reason in `error`, otherwise.
std::optional<int> anno(const QString& text, QString& error);
// A customer code: a whole number from 1. Empty text gives 0 (all customers).
std::optional<qint64> cliente(const QString& text, QString& error);
// A date as GG/MM/AAAA (the other ways a user types one, as the windows read them, too);
// nothing, with the reason in `error`, otherwise. `nome` names the option in the message.
std::optional<QDate> data(const QString& text, const QString& nome, QString& error);
// The message for a code no customer has.
QString clienteNonTrovato(qint64 id);
// The message for the first argument holding control characters (which would reach the terminal
// when echoed); empty when there is none. The argument itself is never repeated.
QString controlli(const QStringList& arguments);

// Writes the message on the error stream and gives the exit status of a refused command.
inline int fail(QTextStream& err, const QString& message)
{
    err << message << Qt::endl;
    return 1;
}
inline int failDb(QTextStream& err, const DbError& e)
{
    return fail(err, e.title() + QStringLiteral(": ") + e.text);
}

} // namespace CommandArgs
